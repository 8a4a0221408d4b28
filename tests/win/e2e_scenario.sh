#!/usr/bin/env bash
# A whole game on the real player under Wine, from outside: answers typed,
# Enter, Tab, F1 (one guess on every unsolved answer), F2 (save), "Cacher"
# ticked, closed, started again; every answer, verdict, score and code is
# read back from the running program and from the answers file.
source "$(dirname "$0")/e2e_lib.sh"
start_player "Formes et couleurs"
expect score " 0 / 7"
expect code ""
expect hide "0"

focus_frame
click_at "$(value answer1_centre)"
type_text "rond"
keys Return
expect verdict1 "BRAVO"
expect code "UN"
keys Tab
type_text "carre jaune"
keys Return
expect verdict2 "BRAVO"
keys Tab
expect focus "4003"
type_text "noir"
keys F1
expect focus "4003"
for a in 3 4 5 6 7; do expect "answer$a" "noir"; done
expect answer1 "rond"
expect verdict4 "BRAVO"
expect verdict5 "FAUX"
expect score " 3 / 7"
expect code "TROIS"
keys F2
expect_file 'rond\r\ncarre jaune\r\nnoir\r\nnoir\r\nnoir\r\nnoir\r\nnoir\r\n'

# Cacher folds the solved questions' pictures away.
click_at "$(value hide_centre)"
expect hide "1"
for q in 1 2 4; do expect "picture$q" "hidden"; done
for q in 3 5 6 7; do expect "picture$q" "shown"; done
# A near miss after the save: closing saves again. Tab brings answer 7,
# below the panel's edge, into view with its text selected.
click_at "$(value answer3_centre)"
keys Tab Tab Tab Tab
expect focus "4007"
type_text "violette"
keys Return
expect verdict7 "Presque"
close_player
expect_file 'rond\r\ncarre jaune\r\nnoir\r\nnoir\r\nnoir\r\nnoir\r\nviolette\r\n'

# Started again: everything restored and judged, Cacher unticked.
start_player "Formes et couleurs"
expect answer2 "carre jaune"
expect answer7 "violette"
verdicts=(BRAVO BRAVO FAUX BRAVO FAUX FAUX Presque)
for a in 1 2 3 4 5 6 7; do expect "verdict$a" "${verdicts[$((a - 1))]}"; done
expect score " 3 / 7"
expect code "TROIS"
expect hide "0"
for q in 1 2 3 4 5 6 7; do expect "picture$q" "shown"; done
close_player
expect_file 'rond\r\ncarre jaune\r\nnoir\r\nnoir\r\nnoir\r\nnoir\r\nviolette\r\n'
finish
