#!/usr/bin/env python3
"""Draws the player's two icons and its link cursor and writes them as .ico
and .cur files: make_icons.py OUTDIR writes OUTDIR/play.ico, OUTDIR/stop.ico
and OUTDIR/link.cur.

All three are 32 x 32 pixels at one bit per pixel. The icons are a black
right-pointing triangle (Play) and a black square (Stop) on light grey; the
cursor is a pointing hand, black outline, white inside, transparent around.

File layout (little-endian), the same for both kinds:
  directory: reserved 0 | type (1 icon, 2 cursor) | image count 1
  entry:     width 32 | height 32 | colour count 2 | reserved 0 |
             planes 1, or the hotspot's x for a cursor |
             bit count 1, or the hotspot's y for a cursor |
             image bytes | offset of the image (22)
  image:     BITMAPINFOHEADER (height doubled: XOR mask then AND mask) |
             two colour table entries (blue, green, red, 0) |
             XOR mask, 32 rows of 4 bytes, bottom row first, leftmost pixel
             in the high bit | AND mask, same layout (1 = transparent)
"""
import os
import struct
import sys

SIZE = 32
BLACK = (0, 0, 0)
LIGHT_GREY = (192, 192, 192)
WHITE = (255, 255, 255)

# The hand: 'X' black, 'o' white, anything else transparent. The hotspot is
# the tip of the index finger.
HAND = [
    ".....XX..........",
    "....XooX.........",
    "....XooX.........",
    "....XooX.........",
    "....XooX.........",
    "....XooXXX.......",
    "....XooXooXXX....",
    "....XooXooXooXX..",
    ".XX.XooXooXooXoX.",
    "XooXXooXooXooXoX.",
    "XoooXoooooooooooX",
    ".XooXoooooooooooX",
    "..XoXoooooooooooX",
    "..XooooooooooooX.",
    "...XoooooooooooX.",
    "...XooooooooooX..",
    "....XoooooooooX..",
    "....XoooooooooX..",
    "....XXXXXXXXXXX..",
]
HAND_LEFT, HAND_TOP = 8, 6
HOTSPOT = (HAND_LEFT + 5, HAND_TOP)


def play_pixel(x, y):
    """True where the triangle is: its left edge at column 9, its point at
    column 25, rows 6 to 25, symmetric about the middle of the icon."""
    if x < 9 or x > 25:
        return False
    half_height = (25 - x) * 10.0 / 16.0
    return abs(y + 0.5 - 16.0) <= half_height


def stop_pixel(x, y):
    return 8 <= x <= 23 and 8 <= y <= 23


def mask_rows(is_set):
    """The 32 rows of a 1-bit mask, bottom row first."""
    rows = []
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            if is_set(x, y):
                bits |= 1 << (SIZE - 1 - x)
        rows.append(struct.pack(">I", bits))
    return b"".join(rows)


def image_bytes(colour0, colour1, xor_set, and_set):
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0,
                         2 * SIZE * SIZE // 8, 0, 0, 2, 0)
    palette = bytes([colour0[2], colour0[1], colour0[0], 0,
                     colour1[2], colour1[1], colour1[0], 0])
    return header + palette + mask_rows(xor_set) + mask_rows(and_set)


def file_bytes(kind, image, hotspot=(1, 1)):
    directory = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hotspot[0], hotspot[1],
                        len(image), 6 + 16)
    return directory + entry + image


def icon(shape):
    # Index 0 black (the shape), index 1 light grey; the AND mask is empty,
    # so every pixel is opaque.
    return file_bytes(1, image_bytes(BLACK, LIGHT_GREY,
                                     lambda x, y: not shape(x, y),
                                     lambda x, y: False))


def hand_at(x, y):
    row, col = y - HAND_TOP, x - HAND_LEFT
    if 0 <= row < len(HAND) and 0 <= col < len(HAND[row]):
        return HAND[row][col]
    return "."


def cursor():
    # Black: AND 0, XOR 0. White: AND 0, XOR 1. Transparent: AND 1, XOR 0.
    image = image_bytes(BLACK, WHITE,
                        lambda x, y: hand_at(x, y) == "o",
                        lambda x, y: hand_at(x, y) not in "Xo")
    return file_bytes(2, image, HOTSPOT)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icons.py OUTDIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, data in (("play.ico", icon(play_pixel)),
                       ("stop.ico", icon(stop_pixel)),
                       ("link.cur", cursor())):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
