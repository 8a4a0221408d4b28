#!/usr/bin/env bash
# The real player under Wine: type one answer, press Enter, close the window,
# and find the answer in the answers file beside the program's name. No
# click first: once the window is active, typing goes to the first answer.
source "$(dirname "$0")/e2e_lib.sh"
start_player "Formes et couleurs"
focus_frame
type_text "rond"
keys Return
expect verdict1 "BRAVO"
expect score " 1 / 7"
close_player
expect_file 'rond\r\n\r\n\r\n\r\n\r\n\r\n\r\n'
finish
