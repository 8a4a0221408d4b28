#include "ui/quiz_state_win.h"

#include <cstring>

namespace {

HFONT MakeFont(int height, int weight, bool italic, const char* face) {
  LOGFONTA font;
  std::memset(&font, 0, sizeof font);
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfItalic = italic ? TRUE : FALSE;
  if (face) lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectA(&font);
}

void DeleteIfMade(HGDIOBJ object) {
  if (object) DeleteObject(object);
}

}  // namespace

QuizState* CreateQuizState() {
  QuizState* quiz = new QuizState();
  InitQuizRecord(quiz);
  quiz->score_font = MakeFont(25, FW_NORMAL, false, "Arial");
  quiz->title_font = MakeFont(-15, FW_BOLD, true, nullptr);
  quiz->background_brush = CreateSolidBrush(RGB(quiz->colour_red, quiz->colour_green, quiz->colour_blue));
  quiz->wrong_brush = CreateSolidBrush(RGB(255, 0, 0));
  quiz->anagram_brush = CreateSolidBrush(RGB(255, 100, 0));
  quiz->near_miss_brush = CreateSolidBrush(RGB(255, 203, 38));
  quiz->question_text_brush = CreateSolidBrush(RGB(255, 255, 192));
  return quiz;
}

void DestroyQuizState(QuizState* quiz) {
  if (!quiz) return;
  DeleteIfMade(quiz->background_brush);
  DeleteIfMade(quiz->wrong_brush);
  DeleteIfMade(quiz->anagram_brush);
  DeleteIfMade(quiz->near_miss_brush);
  DeleteIfMade(quiz->question_text_brush);
  DeleteIfMade(quiz->title_font);
  DeleteIfMade(quiz->question_font);
  DeleteIfMade(quiz->score_font);
  FreeQuestions(quiz);
  delete quiz;
}

void ReplaceBackgroundBrush(QuizState* quiz) {
  HBRUSH old = quiz->background_brush;
  quiz->background_brush = CreateSolidBrush(RGB(quiz->colour_red, quiz->colour_green, quiz->colour_blue));
  DeleteIfMade(old);
}
