#!/usr/bin/env bash
# run-fuzzers.sh BUILD_DIR SECONDS: runs every fuzz target for SECONDS, each
# from its seed corpus (tests/fuzz/corpus/<target>, made by the writer) copied
# into a scratch folder so that the repository stays unchanged.
set -euo pipefail
build=$1 seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$build"/tests/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  if [ -d "$root/tests/fuzz/corpus/$name" ]; then cp -r "$root/tests/fuzz/corpus/$name/." "$work/"; fi
  echo "fuzzing $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=0 "$work" >"$work.log" 2>&1; then
    tail -n 60 "$work.log"
    echo "FAILED: $name"
    status=1
  else
    grep -E '^Done [0-9]+ runs' "$work.log" | tail -n 1 || true
  fi
  rm -rf "$work" "$work.log"
done
exit $status
