#include "ui/panel_layout.h"

#include "ui/control_ids.h"

namespace {

// Scroll-bar codes, as the platform numbers them.
constexpr int SCROLL_LINE_UP = 0;
constexpr int SCROLL_LINE_DOWN = 1;
constexpr int SCROLL_PAGE_UP = 2;
constexpr int SCROLL_PAGE_DOWN = 3;
constexpr int SCROLL_THUMB_TRACK = 5;
constexpr int SCROLL_TOP = 6;
constexpr int SCROLL_BOTTOM = 7;

constexpr int WHEEL_NOTCH = 120;
constexpr unsigned WHEEL_NOTCH_BACK = 0xFF88;  // -120 as a 16-bit word

ControlRect Rect(int x, int y, int width, int height) { return ControlRect{x, y, width, height}; }

}  // namespace

int BoundedQuestionCount(const QuizRecord* quiz) {
  if (quiz->question_count < 0) return 0;
  if (quiz->question_count > MAX_QUESTIONS) return MAX_QUESTIONS;
  return quiz->question_count;
}

AnswerSlot AnswerSlotOfEdit(int edit_id, int answers_per_question) {
  const int answer = edit_id - ID_ANSWER_BASE;
  if (answers_per_question == 2) return AnswerSlot{(answer + 1) / 2, (answer % 2 == 1) ? 1 : 2};
  return AnswerSlot{answer, 1};
}

TextRowRects TextRowLayout(int y) {
  TextRowRects row;
  row.number = Rect(26, y + 2, 19, 17);
  row.text = Rect(50, y, 550, 20);
  row.answer = Rect(610, y, 170, 20);
  row.verdict = Rect(790, y, 100, 20);
  return row;
}

int GridCellLeft(int column, int answers_per_question) {
  return 290 * column + (answers_per_question == 2 ? 106 : 46);
}

int MediaHeight(int kind, int picture_row_height) {
  if (kind == QUIZ_PICTURE) return picture_row_height + 10;
  if (kind == QUIZ_VIDEO) return VIDEO_HOST_HEIGHT + 10;
  return 0;
}

int GridRowExtra(int hint_mode) { return hint_mode > 1 ? 140 : 60; }

int CollapsedRowHeight(int row_height, int hint_mode) {
  return row_height + (hint_mode > 1 ? 65 : 0);
}

ControlRect CenteredPicture(int cell_left, int row_top, int row_height, int pw, int ph) {
  return Rect(cell_left + (GRID_CELL_WIDTH - pw) / 2, row_top + (row_height - ph) / 2, pw, ph);
}

GridCellRects GridCellLayout(int cell_left, int row_top, int answer_y, int kind,
                             int answers_per_question) {
  const bool media = kind == QUIZ_AUDIO || kind == QUIZ_VIDEO;
  const int d = media ? 20 : 0;
  const int w = media ? 240 : 260;
  const int x = cell_left;
  GridCellRects cell = {};
  cell.number = Rect(x - 28, answer_y + 2, 27, 17);
  cell.hint = Rect(x, answer_y + 46, 260, 65);
  if (answers_per_question == 2) {
    for (int k = 0; k < 2; ++k) {
      const int yk = answer_y + 19 * k;
      cell.answers[k] = Rect(x + d, yk, w - 59, 20);
      cell.verdicts[k] = Rect(x + d + w - 60, yk, 60, 20);
    }
  } else {
    cell.answers[0] = Rect(x + d, answer_y, w, 20);
    cell.verdicts[0] = Rect(x + d, answer_y + 19, w, 20);
  }
  cell.row_labels[0] = Rect(4, answer_y + 2, 95, 20);
  cell.row_labels[1] = Rect(3, answer_y + 22, 95, 20);
  cell.play = Rect(x, answer_y, 20, 20);
  cell.stop = Rect(x, answer_y + 20, 20, 19);
  cell.media_host = kind == QUIZ_VIDEO ? Rect(x, row_top, GRID_CELL_WIDTH, VIDEO_HOST_HEIGHT)
                                       : Rect(x, row_top, 0, 0);
  return cell;
}

int ContentWidthMargin(int answers_per_question) { return answers_per_question == 2 ? 80 : 20; }

ScrollRange PanelScrollRange(int client, int content) {
  ScrollRange range = {false, 0, 0};
  if (content <= client) {
    range.reset_position = true;
    client = content;
  }
  range.maximum = content - 2;
  // An empty panel would ask for a page of -1; no page is the same picture.
  range.page = client > 0 ? client - 1 : 0;
  return range;
}

int NextScrollPosition(int code, bool vertical, const ScrollBarState& bar) {
  int position = bar.position;
  switch (code) {
    case SCROLL_LINE_UP: position -= vertical ? VERTICAL_LINE_STEP : HORIZONTAL_LINE_STEP; break;
    case SCROLL_LINE_DOWN: position += vertical ? VERTICAL_LINE_STEP : HORIZONTAL_LINE_STEP; break;
    case SCROLL_PAGE_UP: position -= bar.page; break;
    case SCROLL_PAGE_DOWN: position += bar.page; break;
    case SCROLL_THUMB_TRACK: position = bar.track; break;
    case SCROLL_TOP: if (vertical) position = 0; break;
    case SCROLL_BOTTOM: if (vertical) position = bar.maximum; break;
    case PANEL_WHEEL_DOWN: if (vertical) position += WHEEL_STEP; break;
    case PANEL_WHEEL_UP: if (vertical) position -= WHEEL_STEP; break;
    default: break;
  }
  if (position > bar.maximum) position = bar.maximum;
  if (position < bar.minimum) position = bar.minimum;
  return position;
}

int WheelScrollCode(unsigned delta_word) {
  if (delta_word == WHEEL_NOTCH) return PANEL_WHEEL_UP;
  if (delta_word == WHEEL_NOTCH_BACK) return PANEL_WHEEL_DOWN;
  return 0;
}

FocusScroll FocusScrollTarget(int px, int py, int sx, int sy, int panel_width, int panel_height,
                              int row_height) {
  const bool x_in_view = sx <= px + 130 && px + 130 <= sx + panel_width - 15;
  const bool y_in_view = sy <= py && py <= sy + panel_height - 15;
  if (x_in_view && y_in_view) return FocusScroll{false, sx, sy};
  return FocusScroll{true, px - 130, py - row_height - 15};
}

void PlanHideSolved(QuizRecord* quiz, bool hide_ticked, std::vector<HideStep>* steps) {
  const int count = BoundedQuestionCount(quiz);
  int* states = quiz->question_states;
  int row = 0;
  if (hide_ticked) {
    int hidden_in_row = 0;
    for (int q = 1; q <= count; ++q) {
      const QuestionEntry* entry = QuestionAt(quiz, q - 1);
      if (states[q] == QS_HIDDEN) ++hidden_in_row;
      if (entry && entry->solved == 1 && states[q] == QS_SHOWN) {
        steps->push_back(HideStep{HIDE_STEP_HIDE, q, quiz->row_heights[row], -1});
        ++hidden_in_row;
        states[q] = QS_HIDDEN;
      }
      if (q % 3 != 0) continue;
      if (hidden_in_row == 3) {
        const int h = CollapsedRowHeight(quiz->row_heights[row], quiz->hint_mode);
        for (int later = q + 1; later <= count; ++later)
          steps->push_back(HideStep{HIDE_STEP_SHIFT, later, h, -1});
        quiz->content_height -= h;
        states[q] = QS_ROW_COLLAPSED;
      }
      ++row;
      hidden_in_row = 0;
    }
    return;
  }
  for (int q = 1; q <= count; ++q) {
    if (states[q] == QS_HIDDEN || states[q] == QS_ROW_COLLAPSED)
      steps->push_back(HideStep{HIDE_STEP_SHOW, q, quiz->row_heights[row], +1});
    if (states[q] == QS_ROW_COLLAPSED) {
      const int h = CollapsedRowHeight(quiz->row_heights[row], quiz->hint_mode);
      quiz->content_height += h;
      for (int later = q + 1; later <= count; ++later)
        steps->push_back(HideStep{HIDE_STEP_SHIFT, later, h, +1});
    }
    states[q] = QS_SHOWN;
    if (q % 3 == 0) ++row;
  }
}
