#!/usr/bin/env bash
# lumbo pack: the files it writes, and its errors.
set -u
lumbo=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fails=0
check() { if eval "$2"; then :; else echo "FAIL: $1"; fails=$((fails + 1)); fi; }

printf 'P5\n1 1\n255\n\x80' >"$tmp/pic.pgm"
printf '\x89PNG\r\n\x1a\nrest' >"$tmp/pic.png"
cat >"$tmp/q.quiz" <<'Q'
title: Essai
kind: picture
question:
answer: chat
picture: pic.pgm
answer-picture: pic.png
Q
"$lumbo" pack "$tmp/q.quiz" "$tmp/out"
check "pack succeeds" '[ $? -eq 0 ]'
check "quiz.rc names the definition" 'grep -q "^104 PATCH \"$tmp/out/definition.bin\"" "$tmp/out/quiz.rc"'
check "quiz.rc names the codes" 'grep -q "^105 PATCH " "$tmp/out/quiz.rc"'
check "a non-PNG picture is an IMG resource" 'grep -q "^401 IMG " "$tmp/out/quiz.rc"'
check "a PNG picture is RCDATA" 'grep -q "^10401 RCDATA " "$tmp/out/quiz.rc"'
check "IMG bytes have their halves exchanged" '[ "$(head -c 2 "$tmp/out/401.img" | od -An -tx1 | tr -d " ")" = "0553" ]'
check "header block is 70 bytes in its own section" 'grep -q "g_header_block\[70\]" "$tmp/out/header_block.c" && grep -q lumbohd "$tmp/out/header_block.c"'

"$lumbo" pack --demo "$tmp/demo"
check "demo writes a header block and an empty quiz.rc" '[ -f "$tmp/demo/header_block.c" ] && ! grep -q PATCH "$tmp/demo/quiz.rc"'

printf 'title: a|b\n' >"$tmp/bad.quiz"
err=$("$lumbo" pack "$tmp/bad.quiz" "$tmp/bad" 2>&1); code=$?
check "a separator in a text is refused" '[ $code -eq 1 ] && [[ "$err" == *"title"* ]]'
printf 'title: ok\nstatus: \xe2\x98\x83\n' >"$tmp/bad2.quiz"
err=$("$lumbo" pack "$tmp/bad2.quiz" "$tmp/bad" 2>&1); code=$?
check "an unmappable character names file and line" '[ $code -eq 1 ] && [[ "$err" == *"bad2.quiz:2:"* ]]'
"$lumbo" pack >/dev/null 2>&1; code=$?
check "missing arguments are a usage error" '[ $code -eq 2 ]'
printf 'title: ok\nquestion: q\nanswer: a\npicture: missing.png\n' >"$tmp/bad3.quiz"
err=$("$lumbo" pack "$tmp/bad3.quiz" "$tmp/bad" 2>&1); code=$?
check "a missing picture is named" '[ $code -eq 1 ] && [[ "$err" == *"missing.png"* ]]'

[ $fails -eq 0 ] && echo "pack tool: all checks passed"
exit $((fails > 0))
