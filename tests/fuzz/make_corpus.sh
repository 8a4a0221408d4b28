#!/usr/bin/env bash
# make_corpus.sh LUMBO: rebuilds the seed corpora from quizzes packed by the
# writer (plain and scrambled), so the fuzzers start from real blocks.
set -euo pipefail
lumbo=$1
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$here/corpus/lzw_fuzz" "$here/corpus/quiz_loader_fuzz"
n=0
for scrambled in no yes; do
  for hint in 0 3 5; do
    for answers in 1 2; do
      n=$((n + 1))
      cat >"$tmp/q.quiz" <<Q
title: Quiz $n
author: Auteur
kind: picture
answers: $answers
hint-mode: $hint
scrambled: $scrambled
code: UN
code: DEUX
question: Première
answer: Paris
second-answer: France
hint: Ville
question: Seconde
answer: Rome
second-answer: -
hint: Louve
Q
      "$lumbo" pack "$tmp/q.quiz" "$tmp/out" >/dev/null
      cp "$tmp/out/definition.bin" "$here/corpus/lzw_fuzz/definition$n"
      # First byte splits definition and codes: put the split where it is.
      d=$(stat -c %s "$tmp/out/definition.bin"); c=$(stat -c %s "$tmp/out/codes.bin")
      split=$(( (d * 255 + d + c - 1) / (d + c) ))
      { printf "\\$(printf %03o "$split")"; cat "$tmp/out/definition.bin" "$tmp/out/codes.bin"; } \
        >"$here/corpus/quiz_loader_fuzz/quiz$n"
    done
  done
done
