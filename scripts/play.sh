#!/usr/bin/env bash
# play.sh [options] [QUIZ.quiz]: builds the lumbo tool and the 64-bit player
# of a quiz (by default the picture quiz examples/drapeaux) and plays it under
# Wine. With DISPLAY set it opens on your display and returns when you close
# it; without, it runs on a private virtual display, saves a screenshot of
# the player and prints where.
#
#   --answers "A|B|C"  on the private display, type these answers first, one
#                      per answer field, each followed by Enter, with Tab from
#                      one field to the next (an empty one is skipped), so
#                      that verdicts show
#   --screenshot FILE  where to save the screenshot (default build/play/QUIZ.png)
#
# The player runs in build/play/, where it keeps its answers file (QUIZ.txt).
set -euo pipefail

if [ "${1:-}" = "--headless-run" ]; then
  # Second stage, inside scripts/with-wine.sh on its private display.
  exe=$2 shot=$3 answers=$4
  cd "$(dirname "$exe")"
  wine64 "./$(basename "$exe")" </dev/null >/dev/null 2>&1 &
  class=$(basename "$exe" | tr 'A-Z' 'a-z')
  if ! window=$(timeout 60 xdotool search --sync --onlyvisible --classname "$class" | head -1) ||
     [ -z "$window" ]; then
    echo "play.sh: the player's window did not appear" >&2
    exit 1
  fi
  sleep 2  # let it paint
  if [ -n "$answers" ]; then
    xdotool windowfocus --sync "$window"
    sleep 0.5
    IFS='|' read -ra fields <<<"$answers"
    for i in "${!fields[@]}"; do
      [ "$i" -gt 0 ] && xdotool key Tab
      if [ -n "${fields[$i]}" ]; then
        xdotool type --delay 40 -- "${fields[$i]}"
        xdotool key Return
      fi
      sleep 0.2
    done
    sleep 1
  fi
  mkdir -p "$(dirname "$shot")"
  import -window "$window" "$shot"
  exit 0
fi

cd "$(dirname "$0")/.."
root=$(pwd)
answers="" shot=""
while [ $# -gt 0 ]; do
  case "$1" in
    --answers) answers=$2; shift 2 ;;
    --screenshot) shot=$(realpath -m "$2"); shift 2 ;;
    -h|--help) sed -n '2,15p' "$0"; exit 0 ;;
    -*) echo "play.sh: unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
quiz=$(realpath "${1:-examples/drapeaux/drapeaux.quiz}")
stem=$(basename "$quiz" .quiz)
jobs=$(nproc)

bash scripts/install-deps.sh
echo "== building the lumbo tool"
cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native --target lumbo -j "$jobs"
echo "== building the player of $quiz"
cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DLUMBO_TOOL="$root/build/native/tools/lumbo/lumbo" \
  -DLUMBO_PLAY_QUIZ="$quiz" >/dev/null
cmake --build build/win64 --target lumbo_play -j "$jobs"

# The answers file is named after the program: give it the quiz's name.
mkdir -p build/play
exe="$root/build/play/$stem.exe"
cp build/win64/resources/lumbo_play.exe "$exe"

if [ -n "${DISPLAY:-}" ]; then
  echo "== playing $stem on $DISPLAY (close the window to end)"
  LUMBO_KEEP_DISPLAY=1 bash scripts/with-wine.sh build/play/wineprefix \
    bash -c 'cd "$(dirname "$1")" && wine64 "./$(basename "$1")"' _ "$exe" || true
  echo "Answers kept in $root/build/play/$stem.txt"
else
  shot=${shot:-$root/build/play/$stem.png}
  echo "== no DISPLAY: playing $stem on a private virtual display"
  bash scripts/with-wine.sh build/play/wineprefix bash "$root/scripts/play.sh" --headless-run \
    "$exe" "$shot" "$answers"
  echo "Screenshot saved to $shot"
fi
