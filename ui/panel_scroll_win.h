// The question panel's scrolling, the answer edits' keys and focus, F1, and
// the Hide re-layout driven by the header bar's "Cacher" box.
#pragma once

#include <windows.h>

#include "ui/quiz_state_win.h"

// Both scroll ranges from the content extent and the client size.
void UpdatePanelScrollRanges(QuizState* quiz, HWND panel);
// The panel's WM_SIZE, WM_HSCROLL / WM_VSCROLL (bar SB_HORZ or SB_VERT) and
// WM_MOUSEWHEEL; each returns what the dialog procedure returns.
INT_PTR OnPanelSize(QuizState* quiz, HWND panel);
INT_PTR OnPanelScroll(HWND panel, int bar, int code);
INT_PTR OnPanelMouseWheel(HWND panel, WPARAM wparam);
// One wheel notch posts one private scroll code to the panel.
void ForwardWheelToPanel(HWND panel, WPARAM wparam);

LRESULT CALLBACK AnswerEditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam);
// F1: the edit's text is tried on every answer not yet "BRAVO".
void CopyAnswerToUnsolved(HWND edit);

void ApplyHideSolved(QuizState* quiz);
enum ShowOrShiftMode { SHOW_MODE_HIDE, SHOW_MODE_SHOW, SHOW_MODE_SHIFT };
void ShowOrShiftQuestion(QuizState* quiz, int mode, int show_command, HWND panel, int amount, int direction,
                         int q);
void ShiftWindowVertically(HWND window, int amount, int direction);
