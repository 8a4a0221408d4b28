#!/bin/bash
# lumbo judge from the command line: verdicts, exit codes, help and the
# messages that name a bad argument or line.
lumbo=${1:?usage: judge_tool.sh PATH_TO_LUMBO}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run NAME WANT_STATUS ARGS... [< stdin]: runs lumbo, keeps out and err.
run() {
  local name=$1 want=$2
  shift 2
  "$lumbo" "$@" >"$work/out" 2>"$work/err"
  local status=$?
  [ "$status" -eq "$want" ] || fail "$name: exit $status, want $want ($(head -c 300 "$work/err"))"
}
expect_out() { diff -u <(printf '%s' "$2") "$work/out" >/dev/null || fail "$1: stdout $(cat -A "$work/out" | head -c 300), want $(printf '%s' "$2" | cat -A)"; }
expect_err() { grep -q -- "$2" "$work/err" || fail "$1: stderr lacks '$2': $(head -c 300 "$work/err")"; }
expect_quiet() { [ ! -s "$work/$2" ] || fail "$1: $2 not empty: $(head -c 300 "$work/$2")"; }

# One pair: the verdict in UTF-8.
run single 0 judge "Christophe Colomb" "Christof Colomb"
expect_out single $'y a de l\'id\xc3\xa9e\n'
expect_quiet single err
run accents 0 judge "Napoléon Bonaparte" "napoléon bonaparte"
expect_out accents $'BRAVO\n'
run dashdash 0 judge -- "-" "-"
expect_out dashdash $'BRAVO\n'

# Help on stdout with 0; usage errors on stderr with 2.
run help 0 judge --help
expect_quiet help err
grep -q 'lumbo judge --batch' "$work/out" || fail "help: no usage on stdout"
run help-first 0 judge --help --bogus
for args in "judge" "judge one" "judge a b c" "judge --bogus a b" "judge --batch extra"; do
  # shellcheck disable=SC2086
  run "usage: $args" 2 $args
  expect_quiet "usage: $args" out
  expect_err "usage: $args" 'usage: lumbo judge'
done

# A bad argument is named, with a non-zero exit and no verdict.
run unmappable-expected 1 judge "Łódź" "Lodz"
expect_quiet unmappable-expected out
expect_err unmappable-expected "EXPECTED: 'Ł' (U+0141) at byte 1 is not a Windows-1252 character"
run invalid-typed 1 judge "Paris" $'Par\xffis'
expect_err invalid-typed 'TYPED: invalid UTF-8 at byte 4'
run too-long 1 judge "$(printf 'é%.0s' {1..260})" x
expect_err too-long 'EXPECTED: the text is 260 bytes'
run longest 0 judge "$(printf 'é%.0s' {1..259})" "$(printf 'É%.0s' {1..259})"
expect_out longest $'BRAVO\n'

# Batch: one verdict per line in order; CR LF and a last line without its
# newline are fine.
printf 'Paris\tparis\r\nTour Eiffel\tLa Tour Eiffel\nOui\t   \nTour Eiffel\tTuor Eiffel' >"$work/in"
run batch 0 judge --batch <"$work/in"
expect_out batch $'BRAVO\nTrop long\n?\nAnagramme\n'
expect_quiet batch err
run batch-empty 0 judge --batch </dev/null
expect_quiet batch-empty out
# Tabs after the first belong to the typed text.
printf 'Paris\tPar\tis\n' >"$work/in"
run batch-tabs 0 judge --batch <"$work/in"
expect_out batch-tabs $'Quasiment\n'

# Bad lines are each reported with their number; the others are still
# judged, each bad line leaves an empty output line, and the exit is 1.
# (Line 6 is blank: echoed, not refused.)
printf 'Paris\tParis\nno tab here\nŁódź\tLodz\nTour Eiffel\tTour Eifel\nParis\tP\xe9ris\n\nParis\t%s\n' \
  "$(printf 'x%.0s' {1..260})" >"$work/in"
run batch-bad 1 judge --batch <"$work/in"
expect_out batch-bad $'BRAVO\n\n\nQuasiment\n\n\n\n'
expect_err batch-bad 'line 2: no TAB'
expect_err batch-bad "line 3: 'Ł' (U+0141) at byte 1 is not a Windows-1252 character"
expect_err batch-bad 'line 5: invalid UTF-8 at byte 8'
expect_err batch-bad 'line 7: typed text is 260 bytes'
expect_err batch-bad '4 of 7 lines refused'
# A blank line groups a list: echoed blank, not refused.
printf 'Paris\tParis\n\r\nRome\tRom\n' >"$work/in"
run batch-blank 0 judge --batch <"$work/in"
expect_out batch-blank $'BRAVO\n\nQuasiment\n'
expect_quiet batch-blank err
printf 'Paris\tPa\0ris\n' >"$work/in"
run batch-nul 1 judge --batch <"$work/in"
expect_err batch-nul 'line 1: holds a NUL byte'

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "judge tool: all checks passed"
