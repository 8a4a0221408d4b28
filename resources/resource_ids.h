/* Identifiers of the resources every player carries (resources/player.rc).
   Plain #defines: the resource compiler reads this file too. */
#pragma once

#define IDD_QUESTION_PANEL 1001 /* dialog template of the question panel */
#define IDD_HEADER_BAR 1002     /* dialog template of the header bar */
#define IDC_LINK_CURSOR 1003    /* the hand shown over the header bar's link */
#define IDI_PLAY 1004           /* Play button of an audio or video question */
#define IDI_STOP 1005           /* Stop button of an audio or video question */
