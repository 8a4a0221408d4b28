#!/usr/bin/env bash
# bench-png.sh [WORK_DIR]: builds png_bench, makes a corpus of PNG files from
# pictures that Debian packages ship (gnome-backgrounds, valgrind's manual),
# converted with ImageMagick into each class, and prints:
#   - our inflater against zlib and libdeflate, our whole decode against
#     libpng and stb_image, per file and per class (png_bench checks first
#     that every file decodes to the same pixels as libpng);
#   - instructions per output byte under callgrind for one photo;
#   - the check of an independent set of files (written by a small Python
#     encoder with zlib at every level, strategy and window size) against
#     libpng, through core_tests.
# Nothing is written inside the repository except the build directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-/tmp/lumbo-png-bench}
build="$root/build/bench-png"
convert=/usr/bin/convert  # ImageMagick from Debian, whatever else is on the PATH
gnome=/usr/share/backgrounds/gnome
docs=/usr/share/doc/valgrind/html/images
for f in "$convert" "$gnome/wood-l.webp" "$docs/kcachegrind_xtree.png"; do
  [ -e "$f" ] || { echo "missing $f: run scripts/install-deps.sh" >&2; exit 1; }
done

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMBO_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target png_bench >/dev/null

corpus="$work/corpus"
mkdir -p "$corpus"
picture() {  # picture NAME SOURCE OPTIONS... FORMAT
  local name=$1 source=$2
  shift 2
  [ -s "$corpus/$name" ] || "$convert" "$source" "${@:1:$#-1}" -strip "${@: -1}:$corpus/$name"
}
picture rgb-adwaita.png "$gnome/adwaita-l.webp" -resize 1400x1400 PNG24
picture rgb-wood.png "$gnome/wood-l.webp" -resize 1400x1400 PNG24
picture rgba-adwaita.png "$gnome/adwaita-d.webp" -resize 1200x1200 \
  \( -size 1200x1200 radial-gradient:white-black \) -alpha off -compose CopyOpacity -composite PNG32
picture rgba-licorice.png "$gnome/licorice-l.webp" -resize 1000x1000 \
  \( -size 1000x1000 gradient:white-black \) -alpha off -compose CopyOpacity -composite PNG32
picture screen-kcachegrind.png "$docs/kcachegrind_xtree.png" -filter point -resize 200% PNG24
picture screen-dhtree.png "$docs/dh-tree.png" -filter point -resize 150% PNG24
picture screen-symbolic.png "$gnome/symbolic-l.webp" -resize 1600x1600 PNG24
picture palette-licorice.png "$gnome/licorice-d.webp" -resize 1400x1400 -colors 256 PNG8
picture palette-truchet.png "$gnome/truchet-l.webp" -resize 1600x1600 -colors 64 PNG8
picture grey-wood.png "$gnome/wood-d.webp" -resize 1600x1600 -colorspace Gray -depth 8 \
  -define png:color-type=0 PNG
picture grey-adwaita.png "$gnome/adwaita-l.webp" -resize 1600x1600 -colorspace Gray -depth 8 \
  -define png:color-type=0 PNG
picture deep-adwaita.png "$gnome/adwaita-l.webp" -resize 1000x1000 -depth 16 PNG48
picture deep-wood.png "$gnome/wood-l.webp" -resize 1000x1000 -depth 16 PNG64
picture adam7-wood.png "$gnome/wood-l.webp" -resize 1200x1200 -interlace PNG PNG24
picture adam7-licorice.png "$gnome/licorice-d.webp" -resize 1200x1200 -interlace PNG PNG8

echo "==== corpus ($corpus)"
ls -l "$corpus" | awk 'NR > 1 { printf "  %-24s %9d bytes\n", $9, $5 }'
echo
echo "==== speed"
"$build/bench/png_bench" "$corpus"/*.png

echo
echo "==== instructions per output byte (callgrind), rgb-wood.png"
photo="$corpus/rgb-wood.png"
for what in ours libpng inflate zlib libdeflate; do
  out=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null \
    --toggle-collect="bench_${what}_once" "$build/bench/png_bench" "--once-$what" "$photo" 2>&1)
  bytes=$(echo "$out" | sed -n 's/^output bytes \([0-9]*\)/\1/p')
  ir=$(echo "$out" | sed -n 's/.*Collected : \([0-9]*\).*/\1/p')
  awk -v w="$what" -v ir="$ir" -v b="$bytes" \
    'BEGIN { printf "  %-11s %12d instructions, %6.2f per byte of image data\n", w, ir, ir / b }'
done

echo
echo "==== independent files against libpng"
extra="$work/independent"
mkdir -p "$extra"
python3 - "$extra" <<'PY'
# A small PNG encoder of its own: every colour type and depth, random or
# fixed filters, Adam7, zlib levels 0-9, every strategy, windows 512 B-32 KB,
# IDAT split into pieces of 1 byte to 4 KB.
import random, struct, sys, zlib
out = sys.argv[1]
CH = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
PASSES = [(0, 8, 0, 8), (4, 8, 0, 8), (0, 4, 4, 8), (2, 4, 0, 4), (0, 2, 2, 4), (1, 2, 0, 2), (0, 1, 1, 2)]
def chunk(name, body):
    return struct.pack('>I', len(body)) + name + body + struct.pack('>I', zlib.crc32(name + body))
def paeth(a, b, c):
    p = a + b - c; pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)
def filt(rows, bpp, rnd, mode):
    res = bytearray(); prev = bytes(len(rows[0]))
    for r in rows:
        ft = rnd.randrange(5) if mode == 'random' else mode
        res.append(ft)
        for i, x in enumerate(r):
            a = r[i - bpp] if i >= bpp else 0; b = prev[i]; c = prev[i - bpp] if i >= bpp else 0
            res.append((x - [0, a, b, (a + b) >> 1, paeth(a, b, c)][ft]) & 255)
        prev = r
    return res
def pack(px, depth):
    if depth >= 8:
        return b''.join(v.to_bytes(depth // 8, 'big') for p in px for v in p)
    res = bytearray(); acc = k = 0
    for p in px:
        acc = (acc << depth) | p[0]; k += depth
        if k == 8: res.append(acc); acc = k = 0
    if k: res.append(acc << (8 - k))
    return bytes(res)
def make(w, h, ct, depth, interlace, mode, level, strategy, wbits, rnd, noise, split):
    top = (1 << depth) - 1
    img = [[[rnd.randint(0, top) if noise else ((x * (c + 1) * 37 + y * 11 + x * y // 7) * top // 300) % (top + 1)
             for c in range(CH[ct])] for x in range(w)] for y in range(h)]
    bpp = max(1, CH[ct] * depth // 8); raw = bytearray()
    passes = PASSES if interlace else [(0, 1, 0, 1)]
    for x0, dx, y0, dy in passes:
        if x0 >= w or y0 >= h: continue
        raw += filt([pack(img[y][x0::dx], depth) for y in range(y0, h, dy)], bpp, rnd, mode)
    co = zlib.compressobj(level, zlib.DEFLATED, wbits, 8, strategy)
    z = co.compress(bytes(raw)) + co.flush()
    f = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, depth, ct, 0, 0, interlace))
    if ct == 3: f += chunk(b'PLTE', bytes(rnd.randrange(256) for _ in range(3 << depth)))
    step = split or len(z)
    for i in range(0, len(z), step): f += chunk(b'IDAT', z[i:i + step])
    return f + chunk(b'IEND', b'')
rnd = random.Random(7); n = 0
strategies = [zlib.Z_DEFAULT_STRATEGY, zlib.Z_FILTERED, zlib.Z_HUFFMAN_ONLY, zlib.Z_RLE, zlib.Z_FIXED]
for ct, depth in [(0, 1), (0, 2), (0, 4), (0, 8), (0, 16), (2, 8), (2, 16), (3, 1), (3, 2), (3, 4),
                  (3, 8), (4, 8), (4, 16), (6, 8), (6, 16)]:
    for rep in range(8):
        data = make(rnd.choice([1, 2, 3, 5, 8, 13, 31, 64, 127, 300]), rnd.choice([1, 2, 4, 7, 9, 33, 100, 200]),
                    ct, depth, rep % 2, rnd.choice(['random', 0, 1, 2, 3, 4]), rnd.choice(range(10)),
                    rnd.choice(strategies), rnd.choice([9, 10, 12, 15]), rnd, rnd.random() < 0.5,
                    rnd.choice([0, 0, 1, 100, 4096]))
        open(f'{out}/py-{n:03d}-c{ct}-d{depth}.png', 'wb').write(data); n += 1
PY
# ImageMagick's own encoder on the same classes, small sizes, interlaced too.
for src in "$gnome/wood-l.webp" "$gnome/truchet-d.webp"; do
  base=$(basename "$src" .webp)
  for fmt in PNG8 PNG24 PNG32 PNG48 PNG64; do
    for il in None PNG; do
      out="$extra/im-$base-$fmt-$il.png"
      [ -s "$out" ] || "$convert" "$src" -resize 97x61 -interlace "$il" -strip "$fmt:$out"
    done
  done
  [ -s "$extra/im-$base-grey1.png" ] || "$convert" "$src" -resize 203x50 -monochrome -strip "PNG:$extra/im-$base-grey1.png"
  [ -s "$extra/im-$base-grey16.png" ] || "$convert" "$src" -resize 80x80 -colorspace Gray -depth 16 \
    -define png:color-type=0 -strip "PNG:$extra/im-$base-grey16.png"
done
echo "$(ls "$extra" | wc -l) files in $extra"
if cmake --build "$build" -j2 --target core_tests >/dev/null 2>&1; then
  LUMBO_PNG_EXTRA_DIR="$extra" "$build/tests/core/core_tests" \
    --gtest_filter='PngSuite.ExtraImagesMatchLibpng' | tail -n 3
else
  echo "core_tests does not build right now; the corpus above was checked by png_bench"
fi
