#!/usr/bin/env bash
# with-wine.sh PREFIX_DIR COMMAND...: runs COMMAND with a private Wine prefix
# and a private Xvfb display, warmed up so that the first test does not pay
# for Wine's start, and stops both afterwards.
set -uo pipefail
prefix=$(realpath -m "$1"); shift
mkdir -p "$prefix"
# Debian keeps wine64 out of PATH.
export PATH="/usr/lib/wine:$PATH"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winedbg.exe=d"
export LANG=C.UTF-8 LC_ALL=
own_display=""
if [ -z "${LUMBO_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  own_display=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi
if [ ! -f "$prefix/system.reg" ]; then
  wine64 wineboot -i </dev/null >/dev/null 2>&1
fi
# Start Wine's services detached from our output, or CTest waits on them.
wine64 cmd /c exit </dev/null >/dev/null 2>&1
"$@"
status=$?
wineserver -k >/dev/null 2>&1 || true
[ -n "$own_display" ] && kill "$own_display" 2>/dev/null
exit $status
