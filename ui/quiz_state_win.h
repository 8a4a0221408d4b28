// The Win32 quiz record: the portable record plus what only Windows has (the
// fonts and brushes every window paints with and the two child windows), so
// that every field keeps its one name (quiz->title, quiz->background_brush).
#pragma once

#include <windows.h>

#include "content/quiz_record.h"

struct QuizState : QuizRecord {
  HFONT question_font;
  HFONT score_font;
  HFONT title_font;
  HBRUSH background_brush;
  HBRUSH wrong_brush;
  HBRUSH anagram_brush;
  HBRUSH near_miss_brush;
  HBRUSH question_text_brush;
  HWND question_panel;
  HWND header_bar;
};

// A record with its construction defaults, its fonts and its brushes.
QuizState* CreateQuizState();
// Deletes the record's GDI objects, frees its question list and the record.
void DestroyQuizState(QuizState* quiz);
// Makes background_brush from the colour fields, deleting the one it replaces.
void ReplaceBackgroundBrush(QuizState* quiz);
