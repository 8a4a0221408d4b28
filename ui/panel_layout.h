// The question panel's arithmetic that needs no window: where each control of
// a text row or a grid cell goes, how far the panel scrolls, when a focused
// answer is out of view, and which questions the Hide re-layout folds away.
// The Win32 panel (question_panel_win.cpp, panel_scroll_win.cpp) applies it.
#pragma once

#include <vector>

#include "content/quiz_record.h"

struct ControlRect {
  int x, y, width, height;
};

// The question count the panel builds: the record's count held to 0..96, so
// that no table indexed by question or row is written past its end.
int BoundedQuestionCount(const QuizRecord* quiz);

// Answer a of question q: a = (q - 1) * n + k for its k-th answer.
inline int AnswerNumber(int question, int k, int answers_per_question) {
  return (question - 1) * answers_per_question + k;
}

// The question of answer edit edit_id (4000 + a) and which of its answers
// (1 or 2) the edit holds. With one answer per question every edit is a first
// answer; with two, odd identifiers are first answers.
struct AnswerSlot {
  int question;
  int which;
};
AnswerSlot AnswerSlotOfEdit(int edit_id, int answers_per_question);

// Grid position of question q (from 1): three columns per row.
inline int GridRow(int question) { return (question - 1) / 3; }
inline int GridColumn(int question) { return (question - 1) % 3; }

// Text quiz: one row per question, 25 pixels apart, starting at y 5.
constexpr int PANEL_FIRST_ROW_Y = 5;
constexpr int TEXT_ROW_PITCH = 25;
struct TextRowRects {
  ControlRect number, text, answer, verdict;
};
TextRowRects TextRowLayout(int y);

// Grid quizzes (picture, audio, video): cells 260 pixels wide, 290 apart.
constexpr int GRID_CELL_WIDTH = 260;
constexpr int PICTURE_BOX = 260;
constexpr int VIDEO_HOST_HEIGHT = 200;
int GridCellLeft(int column, int answers_per_question);
// How far below the row's top the answer line starts: the row's picture
// height + 10, 210 under a film, 0 for a sound.
int MediaHeight(int kind, int picture_row_height);
// Space below a row's answer line: room for the hint when the quiz has one.
int GridRowExtra(int hint_mode);
// Extra height folded away with a collapsed row when hints are laid out.
int CollapsedRowHeight(int row_height, int hint_mode);
// A picture of pw x ph centred in its cell of a row h high.
ControlRect CenteredPicture(int cell_left, int row_top, int row_height, int pw, int ph);

struct GridCellRects {
  ControlRect number;
  ControlRect hint;
  ControlRect answers[2];
  ControlRect verdicts[2];
  ControlRect row_labels[2];  // first column of a two-answer quiz only
  ControlRect play, stop;     // audio and video
  ControlRect media_host;     // audio and video
};
// The controls of a grid cell whose answer line is at answer_y (row top +
// media height). media: audio or video (buttons in the first 20 pixels).
GridCellRects GridCellLayout(int cell_left, int row_top, int answer_y, int kind,
                             int answers_per_question);

// Content width added after the last question: room for the verdicts.
int ContentWidthMargin(int answers_per_question);

// Scroll range rule for one direction: content that fits sets the position
// back to 0 and leaves the bar disabled; otherwise the position runs from 0
// to content - client.
struct ScrollRange {
  bool reset_position;
  int maximum;
  int page;
};
ScrollRange PanelScrollRange(int client, int content);

// The position a scroll code asks for, clamped to [minimum, maximum]; codes
// that do not move (SB_THUMBPOSITION, SB_ENDSCROLL, unknown) keep position.
constexpr int VERTICAL_LINE_STEP = 310;
constexpr int HORIZONTAL_LINE_STEP = 1;
constexpr int WHEEL_STEP = 50;
struct ScrollBarState {
  int minimum, maximum, page, position, track;
};
int NextScrollPosition(int code, bool vertical, const ScrollBarState& bar);

// The private scroll code of one wheel message, from the signed delta in the
// high word of wParam (as a 16-bit word): exactly one notch scrolls,
// anything else is 0 (none).
int WheelScrollCode(unsigned delta_word);

// Bringing a focused answer into view. p is the edit's top-left corner in
// content coordinates (already 18 pixels to the right), s the scroll
// positions, panel the panel's outer size, row_height the height of the
// picture row of the edit's own question.
struct FocusScroll {
  bool move;
  int x, y;
};
FocusScroll FocusScrollTarget(int px, int py, int sx, int sy, int panel_width, int panel_height,
                              int row_height);

// The Hide re-layout as steps on the windows. Runs over the record's
// question states and solved flags, updates question_states and
// content_height, and lists what to do with each question's controls.
enum HideStepMode {
  HIDE_STEP_HIDE,   // hide picture and hint, move the rest by amount * direction
  HIDE_STEP_SHOW,   // show picture and hint, move the rest by amount * direction
  HIDE_STEP_SHIFT,  // move every control of the question by amount * direction
};
struct HideStep {
  HideStepMode mode;
  int question;
  int amount;
  int direction;
};
void PlanHideSolved(QuizRecord* quiz, bool hide_ticked, std::vector<HideStep>* steps);
