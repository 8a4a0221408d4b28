// The question panel: one block of controls per question in a scrolling
// child dialog, painted in the quiz colour with the verdict colours.
#pragma once

#include <windows.h>

#include "ui/quiz_state_win.h"

// The green behind "BRAVO"; the panel makes it and deletes it once.
extern HBRUSH g_bravo_brush;
// The edit class's own procedure, which every answer edit passes on to.
extern WNDPROC g_edit_default_proc;

INT_PTR CALLBACK QuestionPanelProc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam);
// Height 15, weight 100, the system's default face; kept in question_font.
HFONT CreateQuestionFont(QuizState* quiz);
