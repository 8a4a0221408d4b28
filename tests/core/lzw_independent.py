#!/usr/bin/env python3
"""A second, independent reading of the quiz blocks' LZW stream format, used
to check the tool's packer and unpacker against it in both directions.

The format: codes packed most significant bit first; width 9 until code 257
widens it by one and code 258 resets it (with the next free code back to 259,
the pending string kept); 256 ends; the first code is always a literal byte;
every later data code teaches pending + first byte of its own string (of the
pending string when it is the next free code) and emits pending.

This packer differs on purpose from the tool's: it widens as late as it can,
resets early (at a table size chosen by the caller) and never uses the
"next free code" shortcut, so the tool's unpacker sees other valid shapes.
"""
import random
import subprocess
import sys
import tempfile
import os

END, WIDEN, RESET, FIRST = 256, 257, 258, 259


def unpack(stream):
    pos = [0]  # bit position

    def read(width):
        if pos[0] + width > len(stream) * 8:
            return None
        v = 0
        for _ in range(width):
            byte = stream[pos[0] // 8]
            v = (v << 1) | ((byte >> (7 - pos[0] % 8)) & 1)
            pos[0] += 1
        return v

    first = read(9)
    if first is None:
        raise ValueError("no input")
    table = {i: bytes([i]) for i in range(256)}
    nxt, width, pending, out = FIRST, 9, bytes([first & 0xFF]), bytearray()
    while True:
        code = read(width)
        if code is None:
            raise ValueError("no end code")
        if code == END:
            return bytes(out + pending)
        if code == RESET:
            nxt, width = FIRST, 9
            continue
        if code == WIDEN:
            width += 1
            continue
        if code > nxt or nxt >= 4096:
            raise ValueError("bad code")
        string = pending + pending[:1] if code == nxt else table[code]
        table[nxt] = pending + string[:1]
        nxt += 1
        out += pending
        pending = table[code]


def pack(data, reset_at):
    bits = []

    def put(code, width):
        bits.extend((code >> i) & 1 for i in range(width - 1, -1, -1))

    if not data:
        return b""
    put(data[0], 9)
    table = {}
    nxt, width, pending, pos = FIRST, 9, data[:1], 1
    while pos < len(data):
        if nxt >= reset_at:
            put(RESET, width)
            table, nxt, width = {}, FIRST, 9
        n = 1
        code = data[pos]
        while pos + n < len(data) and data[pos:pos + n + 1] in table:
            n += 1
            code = table[data[pos:pos + n]]
        while code >= (1 << width):
            put(WIDEN, width)
            width += 1
        put(code, width)
        learned = pending + data[pos:pos + 1]
        table.setdefault(learned, nxt)
        nxt += 1
        pending = data[pos:pos + n]
        pos += n
    put(END, width)
    while len(bits) % 8:
        bits.append(0)
    return bytes(int("".join(map(str, bits[i:i + 8])), 2) for i in range(0, len(bits), 8))


def samples(rng):
    yield b"A"
    yield b"ABABABA"
    yield bytes([0, 1, 2, 255])
    yield ("Tour Eiffel|Paris|" * 300).encode()
    yield bytes(rng.randrange(256) for _ in range(5000))
    yield bytes(rng.choice(b"ab") for _ in range(12000))
    yield b"z" * 8000
    for _ in range(20):
        n = rng.randrange(1, 3000)
        alphabet = rng.choice([b"ab", b"abc ", bytes(range(256)), "éèàç|\r\n".encode("latin-1")])
        yield bytes(rng.choice(alphabet) for _ in range(n))


def main():
    tool = sys.argv[1]
    rng = random.Random(20261211)
    passed = failed = 0
    with tempfile.TemporaryDirectory() as tmp:
        raw, packed, back = (os.path.join(tmp, n) for n in ("raw", "packed", "back"))
        for i, data in enumerate(samples(rng)):
            reset_at = rng.choice([300, 1000, 4096])
            ours = pack(data, reset_at)
            assert unpack(ours) == data, "independent packer and unpacker disagree"
            with open(packed, "wb") as f:
                f.write(ours)
            subprocess.run([tool, "lzw", "unpack", packed, back], check=True)
            ok1 = open(back, "rb").read() == data
            with open(raw, "wb") as f:
                f.write(data)
            subprocess.run([tool, "lzw", "pack", raw, packed], check=True)
            try:
                ok2 = unpack(open(packed, "rb").read()) == data
            except ValueError as e:
                print(f"sample {i}: tool's stream refused: {e}")
                ok2 = False
            for ok, what in ((ok1, "tool unpacks independent stream"), (ok2, "independent unpacks tool stream")):
                if ok:
                    passed += 1
                else:
                    failed += 1
                    print(f"sample {i} ({len(data)} bytes, reset at {reset_at}): {what}: MISMATCH")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
