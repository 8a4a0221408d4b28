#include "ui/panel_scroll_win.h"

#include <cstring>
#include <vector>

#include "evaluation/judge_win.h"
#include "evaluation/verdict.h"
#include "ui/answers_file_win.h"
#include "ui/control_ids.h"
#include "ui/panel_layout.h"
#include "ui/player_win.h"
#include "ui/question_panel_win.h"

namespace {

// Whether each question's hint was showing when Cacher folded it away, so
// that unfolding brings back only what was visible (a hint never revealed
// stays hidden). Indexed by question number.
bool g_hint_was_visible[MAX_QUESTIONS + 1];

void ScrollChildren(HWND panel, int old_x, int old_y) {
  const int dx = old_x - GetScrollPos(panel, SB_HORZ);
  const int dy = old_y - GetScrollPos(panel, SB_VERT);
  if (dx || dy) ScrollWindow(panel, dx, dy, nullptr, nullptr);
}

void ApplyScrollRange(HWND panel, int bar, int client, int content) {
  const ScrollRange range = PanelScrollRange(client, content);
  if (range.reset_position) SetScrollPos(panel, bar, 0, FALSE);
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = range.maximum;
  info.nPage = static_cast<UINT>(range.page);
  SetScrollInfo(panel, bar, &info, TRUE);
}

// Re-applies the ranges and keeps the content in place when a position was
// clamped.
void RefitScrollRanges(QuizState* quiz, HWND panel) {
  const int old_x = GetScrollPos(panel, SB_HORZ);
  const int old_y = GetScrollPos(panel, SB_VERT);
  UpdatePanelScrollRanges(quiz, panel);
  ScrollChildren(panel, old_x, old_y);
}

INT_PTR Handled(HWND dialog, LRESULT result) {
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

LRESULT PassOn(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  return CallWindowProcA(g_edit_default_proc, edit, message, wparam, lparam);
}

int EditId(HWND edit) { return GetDlgCtrlID(edit); }

// The edit lands one picture row (of its own question) plus 15 pixels below
// the top edge, leaving its picture in view.
void ScrollEditIntoView(HWND edit) {
  HWND panel = GetParent(edit);
  const QuizState* quiz = g_quiz;
  RECT outer, edit_rect;
  GetWindowRect(panel, &outer);
  GetWindowRect(edit, &edit_rect);
  const int sx = GetScrollPos(panel, SB_HORZ);
  const int sy = GetScrollPos(panel, SB_VERT);
  POINT p = {edit_rect.left + sx + 18, edit_rect.top + sy};
  ScreenToClient(panel, &p);
  const int n = quiz->answers_per_question == 2 ? 2 : 1;
  const int q = AnswerSlotOfEdit(EditId(edit), n).question;
  const int row_height = (q >= 1 && q <= MAX_QUESTIONS) ? quiz->row_heights[GridRow(q)] : 0;
  const FocusScroll target = FocusScrollTarget(p.x, p.y, sx, sy, outer.right - outer.left,
                                               outer.bottom - outer.top, row_height);
  if (!target.move) return;
  SetScrollPos(panel, SB_VERT, target.y, TRUE);
  SetScrollPos(panel, SB_HORZ, target.x, TRUE);
  ScrollChildren(panel, sx, sy);
}

LRESULT OnAnswerKey(HWND edit, UINT message, WPARAM key, LPARAM lparam) {
  HWND panel = GetParent(edit);
  switch (key) {
    case VK_RETURN: JudgeAnswer(g_quiz, panel, EditId(edit)); return 1;
    case VK_UP:
    case VK_PRIOR: SendMessageA(panel, WM_VSCROLL, SB_PAGEUP, 0); break;
    case VK_DOWN:
    case VK_NEXT: SendMessageA(panel, WM_VSCROLL, SB_PAGEDOWN, 0); break;
    case VK_F1: CopyAnswerToUnsolved(edit); break;
    case VK_F2: SaveAnswers(g_quiz); break;
    default: break;
  }
  return PassOn(edit, message, key, lparam);
}

// No beep and no character for Enter, Tab and NUL.
LRESULT OnAnswerChar(HWND edit, WPARAM character, LPARAM lparam) {
  if (character == 0 || character == '\t' || character == '\r') return 0;
  return PassOn(edit, WM_CHAR, character, lparam);
}

LRESULT OnAnswerSetFocus(HWND edit, WPARAM wparam, LPARAM lparam) {
  SendMessageA(edit, EM_SETSEL, 0, 260);
  ScrollEditIntoView(edit);
  return PassOn(edit, WM_SETFOCUS, wparam, lparam);
}

LRESULT OnAnswerKillFocus(HWND edit, WPARAM wparam, LPARAM lparam) {
  JudgeAnswer(g_quiz, GetParent(edit), EditId(edit));
  return PassOn(edit, WM_KILLFOCUS, wparam, lparam);
}

void ShowPictureAndHint(HWND panel, int q, int show_command) {
  HWND hint = GetDlgItem(panel, ID_HINT_BASE + q);
  if (show_command == SW_HIDE) {
    g_hint_was_visible[q] = hint && IsWindowVisible(hint);
    if (hint) ShowWindow(hint, SW_HIDE);
  } else if (hint && g_hint_was_visible[q]) {
    ShowWindow(hint, show_command);
  }
  HWND picture = GetDlgItem(panel, ID_PICTURE_BASE + q);
  if (picture) ShowWindow(picture, show_command);
}

}  // namespace

void UpdatePanelScrollRanges(QuizState* quiz, HWND panel) {
  RECT client;
  GetClientRect(panel, &client);
  ApplyScrollRange(panel, SB_HORZ, client.right, quiz->content_width);
  ApplyScrollRange(panel, SB_VERT, client.bottom, quiz->content_height);
}

INT_PTR OnPanelSize(QuizState* quiz, HWND panel) {
  RefitScrollRanges(quiz, panel);
  return FALSE;
}

INT_PTR OnPanelScroll(HWND panel, int bar, int code) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(panel, bar, &info);
  const ScrollBarState state = {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos, info.nTrackPos};
  const int old_x = GetScrollPos(panel, SB_HORZ);
  const int old_y = GetScrollPos(panel, SB_VERT);
  SetScrollPos(panel, bar, NextScrollPosition(code, bar == SB_VERT, state), TRUE);
  ScrollChildren(panel, old_x, old_y);
  return FALSE;
}

// Handled here, so that the wheel is not also passed up to the frame, which
// would scroll a second time.
INT_PTR OnPanelMouseWheel(HWND panel, WPARAM wparam) {
  ForwardWheelToPanel(panel, wparam);
  return Handled(panel, 0);
}

void ForwardWheelToPanel(HWND panel, WPARAM wparam) {
  const int code = WheelScrollCode(HIWORD(wparam));
  if (panel && code) PostMessageA(panel, WM_VSCROLL, static_cast<WPARAM>(code), 0);
}

LRESULT CALLBACK AnswerEditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYUP:
    case WM_SYSKEYDOWN: return OnAnswerKey(edit, message, wparam, lparam);
    case WM_CHAR: return OnAnswerChar(edit, wparam, lparam);
    case WM_SETFOCUS: return OnAnswerSetFocus(edit, wparam, lparam);
    case WM_KILLFOCUS: return OnAnswerKillFocus(edit, wparam, lparam);
    default: return PassOn(edit, message, wparam, lparam);
  }
}

void CopyAnswerToUnsolved(HWND edit) {
  const QuizState* quiz = g_quiz;
  HWND panel = GetParent(edit);
  char text[TEXT_FIELD_SIZE] = {};
  GetWindowTextA(edit, text, sizeof text);
  const int answers = BoundedQuestionCount(quiz) * quiz->answers_per_question;
  for (int a = 1; a <= answers; ++a) {
    char verdict[TEXT_FIELD_SIZE] = {};
    GetDlgItemTextA(panel, ID_VERDICT_BASE + a, verdict, sizeof verdict);
    HWND target = GetDlgItem(panel, ID_ANSWER_BASE + a);
    if (!target || std::strcmp(verdict, VERDICT_BRAVO) == 0) continue;
    SetWindowTextA(target, text);
    SetFocus(target);
  }
  SetFocus(edit);
}

void ApplyHideSolved(QuizState* quiz) {
  HWND panel = quiz->question_panel;
  if (!panel) return;
  const bool ticked = quiz->header_bar && IsDlgButtonChecked(quiz->header_bar, ID_HIDE) == BST_CHECKED;
  std::vector<HideStep> steps;
  PlanHideSolved(quiz, ticked, &steps);
  for (const HideStep& step : steps) {
    const int mode = step.mode == HIDE_STEP_HIDE ? SHOW_MODE_HIDE
                     : step.mode == HIDE_STEP_SHOW ? SHOW_MODE_SHOW
                                                   : SHOW_MODE_SHIFT;
    const int command = step.mode == HIDE_STEP_HIDE ? SW_HIDE : SW_SHOWNORMAL;
    ShowOrShiftQuestion(quiz, mode, command, panel, step.amount, step.direction, step.question);
  }
  RefitScrollRanges(quiz, panel);
}

void ShowOrShiftQuestion(QuizState* quiz, int mode, int show_command, HWND panel, int amount, int direction,
                         int q) {
  if (q < 1 || q > MAX_QUESTIONS) return;
  const bool pair = quiz->answers_per_question == 2;
  const int d = pair ? 2 * q - 1 : q;
  if (mode == SHOW_MODE_SHIFT) {
    ShiftWindowVertically(GetDlgItem(panel, ID_PICTURE_BASE + q), amount, direction);
    ShiftWindowVertically(GetDlgItem(panel, ID_HINT_BASE + q), amount, direction);
  } else {
    ShowPictureAndHint(panel, q, show_command);
  }
  ShiftWindowVertically(GetDlgItem(panel, ID_ANSWER_BASE + d), amount, direction);
  ShiftWindowVertically(GetDlgItem(panel, ID_VERDICT_BASE + d), amount, direction);
  ShiftWindowVertically(GetDlgItem(panel, ID_NUMBER_BASE + q), amount, direction);
  if (pair) {
    ShiftWindowVertically(GetDlgItem(panel, ID_ANSWER_BASE + d + 1), amount, direction);
    ShiftWindowVertically(GetDlgItem(panel, ID_VERDICT_BASE + d + 1), amount, direction);
  }
}

void ShiftWindowVertically(HWND window, int amount, int direction) {
  if (!window) return;
  RECT r;
  GetWindowRect(window, &r);
  POINT corner = {r.left, r.top + amount * direction};
  HWND parent = GetParent(window);
  if (parent && parent != GetDesktopWindow()) ScreenToClient(parent, &corner);
  SetWindowPos(window, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
