#!/usr/bin/env bash
# Runs a Windows test program under wine64 in the build's private prefix and
# on the private display that scripts/with-wine.sh set up.
: "${WINEPREFIX:?run the Windows tests through scripts/with-wine.sh}"
export WINEDEBUG=-all WINEDLLOVERRIDES="winedbg.exe=d"
PATH="/usr/lib/wine:$PATH" exec wine64 "$@"
