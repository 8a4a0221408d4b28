#include "evaluation/judge_win.h"

#include <cstdio>
#include <cstring>

#include "evaluation/text_compare.h"
#include "evaluation/verdict.h"
#include "media/picture_win.h"
#include "ui/control_ids.h"
#include "ui/panel_layout.h"
#include "ui/panel_scroll_win.h"

namespace {

int AnswersPerQuestion(const QuizState* quiz) { return quiz->answers_per_question == 2 ? 2 : 1; }

bool VerdictIsBravo(HWND panel, int answer) {
  char text[TEXT_FIELD_SIZE] = {};
  if (!GetDlgItem(panel, ID_VERDICT_BASE + answer)) return false;
  GetDlgItemTextA(panel, ID_VERDICT_BASE + answer, text, sizeof text);
  return std::strcmp(text, VERDICT_BRAVO) == 0;
}

// Every answer of question q typed exactly (spaces at the ends and case
// aside). Compared byte for byte, as the verdict rules compare.
bool QuestionFullySolved(const QuizState* quiz, HWND panel, int q, const QuestionEntry* entry) {
  const int n = AnswersPerQuestion(quiz);
  for (int k = 1; k <= n; ++k) {
    char expected[COMPARE_BUFFER_SIZE] = {};
    CopyText(expected, k == 1 ? entry->answer : entry->second_answer);
    UpperCaseText(expected);
    char typed[COMPARE_BUFFER_SIZE] = {};
    GetDlgItemTextA(panel, ID_ANSWER_BASE + AnswerNumber(q, k, n), typed, sizeof typed);
    TrimSpaces(typed);
    UpperCaseText(typed);
    if (std::strcmp(expected, typed) != 0) return false;
  }
  return true;
}

void ShowHint(HWND panel, int q, int command) {
  HWND hint = GetDlgItem(panel, ID_HINT_BASE + q);
  if (hint) ShowWindow(hint, command);
}

// The answer picture takes the question picture's place, centred on it.
void RevealAnswerPicture(const QuizState* quiz, HWND panel, int q) {
  HBITMAP bitmap = LoadPictureResource(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ANSWER_PICTURE_BASE + q),
                                       "IMG", PICTURE_BOX, quiz->row_heights[GridRow(q)]);
  if (!bitmap) return;
  HWND picture = GetDlgItem(panel, ID_PICTURE_BASE + q);
  if (!picture) {
    DeleteObject(bitmap);
    return;
  }
  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  RECT r;
  GetWindowRect(picture, &r);
  MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  MoveWindow(picture, r.left + (w - info.bmWidth) / 2, r.top + (h - info.bmHeight) / 2, info.bmWidth,
             info.bmHeight, TRUE);
  HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
      SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (old && old != bitmap) DeleteObject(old);
}

void RevealForSolvedQuestion(const QuizState* quiz, HWND panel, int q) {
  switch (quiz->hint_mode) {
    case 1: RevealAnswerPicture(quiz, panel, q); break;
    case 2: ShowHint(panel, q, SW_SHOW); break;
    case 3:
      ShowHint(panel, q, SW_SHOW);
      RevealAnswerPicture(quiz, panel, q);
      break;
    default: break;
  }
}

// Hint mode 4: every hint appears once every verdict of the quiz is "BRAVO".
void ShowAllHintsWhenAllSolved(QuizState* quiz, HWND panel) {
  const int count = BoundedQuestionCount(quiz);
  const int answers = count * AnswersPerQuestion(quiz);
  for (int a = 1; a <= answers; ++a)
    if (!VerdictIsBravo(panel, a)) return;
  quiz->all_hints_shown = 1;
  for (int q = 1; q <= count; ++q) ShowHint(panel, q, SW_SHOW);
}

}  // namespace

void JudgeAnswer(QuizState* quiz, HWND panel, int edit_id) {
  char current[TEXT_FIELD_SIZE] = {};
  GetDlgItemTextA(panel, edit_id + (ID_VERDICT_BASE - ID_ANSWER_BASE), current, sizeof current);
  const AnswerSlot slot = AnswerSlotOfEdit(edit_id, AnswersPerQuestion(quiz));
  if (slot.question < 1 || slot.question > BoundedQuestionCount(quiz)) return;
  QuestionEntry* entry = QuestionAt(quiz, slot.question - 1);
  if (!entry) return;
  const char* expected = slot.which == 1 ? entry->answer : entry->second_answer;
  char typed[TEXT_FIELD_SIZE] = {};
  GetDlgItemTextA(panel, edit_id, typed, sizeof typed);
  const char* verdict = ChooseVerdict(expected, typed);
  if (std::strcmp(verdict, current) == 0) return;
  SetDlgItemTextA(panel, edit_id + (ID_VERDICT_BASE - ID_ANSWER_BASE), verdict);
  if (std::strcmp(verdict, VERDICT_BRAVO) != 0) {
    if (quiz->hint_mode != 5) ShowHint(panel, slot.question, SW_HIDE);
    quiz->all_hints_shown = 0;
  } else if (QuestionFullySolved(quiz, panel, slot.question, entry)) {
    entry->solved = 1;
    RevealForSolvedQuestion(quiz, panel, slot.question);
  }
  if (quiz->hint_mode == 4 && quiz->all_hints_shown == 0) ShowAllHintsWhenAllSolved(quiz, panel);
  RefreshScore(quiz, panel);
}

void RefreshScore(QuizState* quiz, HWND panel) {
  const int count = BoundedQuestionCount(quiz);
  const int n = AnswersPerQuestion(quiz);
  int score = 0;
  for (int q = 1; q <= count; ++q) {
    bool all = true;
    for (int k = 1; k <= n && all; ++k) all = VerdictIsBravo(panel, AnswerNumber(q, k, n));
    if (all) ++score;
  }
  char text[32];
  std::snprintf(text, sizeof text, " %d / %d", score, quiz->question_count);
  SetDlgItemTextA(quiz->header_bar, ID_SCORE, text);
  SetDlgItemTextA(quiz->header_bar, ID_CODE, score >= 1 ? quiz->score_codes[score - 1] : "      ");
  ApplyHideSolved(quiz);
}
