# Shared by the end-to-end scripts: start the player under Wine in a scratch
# folder, wait for its window, read it with ui_probe, type with xdotool,
# close it. Every wait is bounded. Needs DISPLAY and WINEPREFIX
# (scripts/with-wine.sh).
set -uo pipefail
: "${DISPLAY:?run through scripts/with-wine.sh}" "${WINEPREFIX:?run through scripts/with-wine.sh}"
export WINEDEBUG=-all WINEDLLOVERRIDES="winedbg.exe=d"
WINE64=$(command -v wine64 || echo /usr/lib/wine/wine64)
player=$(realpath "$1")
inspector=$(realpath "$2")
name=$(basename "$player" .exe)
work=$(mktemp -d)
answers="$work/$name.txt"
player_pid=""
failures=0

cleanup() {
  if [ -n "$player_pid" ] && kill -0 "$player_pid" 2>/dev/null; then kill "$player_pid" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

start_player() {
  (cd "$work" && exec "$WINE64" "$player" </dev/null >/dev/null 2>&1) &
  player_pid=$!
  # The frame is titled with the quiz's title.
  frame=$(timeout 60 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1)
  [ -n "$frame" ] || { echo "FAIL: no player window"; exit 1; }
  # Let the panel finish building before reading or typing.
  for _ in $(seq 1 50); do inspect | grep -q '^score=' && break; sleep 0.2; done
}

inspect() { timeout 20 "$WINE64" "$inspector" show "$name.exe" 2>/dev/null | tr -d '\r'; }

# value KEY: one line of the inspector's output.
value() { inspect | sed -n "s/^$1=//p" | head -1; }

expect() {  # expect KEY WANT
  local have
  have=$(value "$1")
  [ "$have" = "$2" ] || fail "$1: have '$have', want '$2'"
}

focus_frame() { timeout 10 xdotool windowfocus --sync "$frame" 2>/dev/null || xdotool windowfocus "$frame"; }

click_at() {  # click_at "X Y" (screen)
  # shellcheck disable=SC2086
  xdotool mousemove --sync $1 click 1
  sleep 0.3
}

keys() { xdotool key --delay 80 "$@"; sleep 0.4; }
type_text() { xdotool type --delay 60 "$1"; sleep 0.3; }

close_player() {
  timeout 20 "$WINE64" "$inspector" close "$name.exe" >/dev/null 2>&1
  for _ in $(seq 1 100); do kill -0 "$player_pid" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$player_pid" 2>/dev/null; then
    fail "the player did not end after WM_CLOSE"
    kill "$player_pid" 2>/dev/null
  fi
  wait "$player_pid" 2>/dev/null
  player_pid=""
}

expect_file() {  # expect_file PRINTF-FORMAT
  local want have
  want=$(printf "$1" | od -An -c)
  have=$(od -An -c < "$answers" 2>/dev/null)
  [ "$have" = "$want" ] || fail "answers file: have [$have], want [$want]"
}

finish() {
  if [ "$failures" -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
  echo "all checks passed"
}
