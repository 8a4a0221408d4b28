// Identifiers of the player's controls and the numbering that links a
// question to its controls. Every window reaches a control through these.
#pragma once

// Header bar.
constexpr int ID_LINK = 24;
constexpr int ID_BY_LABEL = 25;
constexpr int ID_AUTHOR = 26;
constexpr int ID_SAVE = 27;
constexpr int ID_EXPLANATION = 28;
constexpr int ID_TITLE = 29;
constexpr int ID_CODE = 30;
constexpr int ID_CODE_LABEL = 31;
constexpr int ID_SCORE = 32;
constexpr int ID_HIDE = 33;
constexpr int ID_SCORE_RULE = 120;
constexpr int ID_LEFT_RULE = 121;
constexpr int ID_RIGHT_RULE = 122;

// Main frame.
constexpr int ID_STATUS_TEXT = 8000;

// Question panel. q counts questions from 1, a answers from 1.
constexpr int ID_ROW_LABEL = 156;
constexpr int ID_NUMBER_BASE = 2000;    // + q (a text quiz uses 2000 for every row)
constexpr int ID_QUESTION_TEXT = 3000;  // every row of a text quiz
constexpr int ID_ANSWER_BASE = 4000;    // + a
constexpr int ID_VERDICT_BASE = 5000;   // + a
constexpr int ID_PLAY_BASE = 6000;      // + q
constexpr int ID_STOP_BASE = 7000;      // + q
constexpr int ID_HINT_BASE = 8000;      // + q
constexpr int ID_PICTURE_BASE = 9900;   // + q: picture or media host

// Resources of the quiz: question picture 400 + q, answer picture 10400 + q.
constexpr int IMG_RESOURCE_BASE = 400;
constexpr int ANSWER_PICTURE_BASE = 10400;

// Private WM_VSCROLL codes that the wheel posts to the panel.
constexpr int PANEL_WHEEL_DOWN = 500;
constexpr int PANEL_WHEEL_UP = 501;

// Display state of a question for the Hide re-layout.
enum QuestionState {
  QS_SHOWN = 0,
  QS_HIDDEN = 1,
  QS_ROW_COLLAPSED = 2,
};
