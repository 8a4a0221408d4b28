#!/usr/bin/env bash
# bench-startup.sh: how long a picture quiz of 96 questions takes to open its
# window, against the same quiz without pictures, and how much of that time
# is spent turning the pictures into bitmaps.
#
# Three quizzes of 96 questions, same texts: 96 JPEG pictures (stored as
# "IMG", decoded by the system's picture loader), 96 PNG pictures (RCDATA,
# decoded by our own decoder), and no pictures. The pictures are 400 x 300
# crops of the GNOME wallpapers (gnome-backgrounds), about what a quiz
# author puts in. Each quiz gets a bench program (bench/startup_bench.cpp)
# built by the x86_64 MinGW build and run under Wine, LUMBO_BENCH_RUNS times
# (default 7) per mode, each in a fresh process; the medians are printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${LUMBO_BENCH_RUNS:-7}
work=$root/build/bench-startup
quizzes=$work/quizzes
jobs=$(nproc)

bash scripts/install-deps.sh >/dev/null

# 96 pictures, six crops from each of sixteen wallpapers.
if [ ! -f "$quizzes/pictures/96.png" ]; then
  echo "== making 96 pictures" >&2
  mkdir -p "$quizzes/pictures"
  n=0
  for source in /usr/share/backgrounds/gnome/*.webp; do
    /usr/bin/convert "$source" -resize 1200x1200 "$work/source.ppm"
    for k in 0 1 2 3 4 5; do
      n=$((n + 1))
      [ "$n" -le 96 ] || break 2
      x=$(( (k % 3) * 400 )) y=$(( (k / 3) * 400 + 100 ))
      /usr/bin/convert "$work/source.ppm" -crop "400x300+$x+$y" +repage -strip -quality 85 \
        "$quizzes/pictures/$n.jpg"
      /usr/bin/convert "$work/source.ppm" -crop "400x300+$x+$y" +repage -strip \
        "$quizzes/pictures/$n.png"
    done
  done
  rm -f "$work/source.ppm"
  if [ "$n" -lt 96 ]; then echo "bench-startup.sh: only $n pictures" >&2; exit 1; fi
fi

# The same quiz three times.
write_quiz() {  # name extension-or-empty
  {
    echo "title: Cent images"
    echo "explanation: Démarrage avec 96 images"
    echo "kind: picture"
    echo "hint-mode: 0"
    for q in $(seq 1 96); do
      echo
      echo "question: $q"
      echo "answer: image $q"
      if [ -n "$2" ]; then echo "picture: pictures/$q.$2"; fi
    done
  } >"$quizzes/$1.quiz"
}
write_quiz jpeg jpg
write_quiz png png
write_quiz none ""

echo "== building" >&2
cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native --target lumbo -j "$jobs" >/dev/null
cmake -S . -B build/bench-win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DLUMBO_TOOL="$root/build/native/tools/lumbo/lumbo" \
  -DLUMBO_STARTUP_QUIZZES="$quizzes" >/dev/null
cmake --build build/bench-win64 -j "$jobs" \
  --target startup_bench_jpeg startup_bench_png startup_bench_none >/dev/null

echo "== running, $runs runs per figure" >&2
mkdir -p "$work/run"
bash scripts/with-wine.sh "$work/wineprefix" bash -c '
  cd "$1"; runs=$2; shift 2
  for exe in "$@"; do
    name=$(basename "$exe" .exe)
    for mode in window pictures; do
      for _ in $(seq 1 "$runs"); do
        wine64 "$exe" "$mode" </dev/null 2>/dev/null | tr -d "\r" | sed "s/^/$name $mode /"
      done
    done
  done' _ "$work/run" "$runs" \
  "$root"/build/bench-win64/startup_bench_{none,jpeg,png}.exe >"$work/results.txt"

python3 - "$work/results.txt" "$runs" <<'EOF'
import collections, statistics, sys
values = collections.defaultdict(list)
for line in open(sys.argv[1]):
    parts = line.split()
    if len(parts) == 4:
        values[(parts[0].replace("startup_bench_", ""), parts[1], parts[2])].append(float(parts[3]))
def med(quiz, mode, name):
    v = values.get((quiz, mode, name))
    return statistics.median(v) if v else float("nan")
print(f"Start-up of a 96-question picture quiz under Wine (x86_64 build), median of {sys.argv[2]} runs, ms")
print(f"{'':34}{'no pictures':>12}{'96 JPEG':>12}{'96 PNG':>12}")
rows = [
    ("process start to main()", "window", "process_to_main_ms"),
    ("StartPlayer (class, hook, quiz)", "window", "start_player_ms"),
    ("OpenPlayerWindows (all windows)", "window", "open_windows_ms"),
    ("first paint", "window", "first_paint_ms"),
    ("main() to painted window", "window", "main_to_window_ms"),
    ("process start to painted window", "window", "process_to_window_ms"),
    ("96 picture requests, cold", "pictures", "load_pictures_ms"),
    ("  warm: decoding only", "pictures", "warm_decode_ms"),
    ("  warm: fitting to 260 x 260", "pictures", "warm_fit_ms"),
]
for label, mode, name in rows:
    print(f"{label:34}" + "".join(f"{med(q, mode, name):12.1f}" for q in ("none", "jpeg", "png")))
for q in ("jpeg", "png"):
    extra = med(q, "window", "main_to_window_ms") - med("none", "window", "main_to_window_ms")
    load = med(q, "pictures", "load_pictures_ms")
    dec = med(q, "pictures", "warm_decode_ms")
    fit = med(q, "pictures", "warm_fit_ms")
    print(f"{q.upper()}: pictures add {extra:.0f} ms to the window; loading them alone takes {load:.0f} ms "
          f"cold, of which (warm) decoding {dec:.0f} ms and fitting {fit:.0f} ms.")
EOF
