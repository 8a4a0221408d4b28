// Start-up, the main frame and the message loop.
#pragma once

#include <windows.h>

#include "ui/quiz_state_win.h"

// Process-wide values, set once by start-up.
extern QuizState* g_quiz;
extern HBRUSH g_frame_brush;
extern HWND g_header_bar;
extern HWND g_question_panel;

// Start-up in three parts, so that a test program can build the windows the
// way the player does: StartPlayer registers the class, installs the hook,
// makes the frame brush and loads the quiz (false when the class cannot be
// registered, after saying so); OpenPlayerWindows creates, places and shows
// the frame, the header bar and the question panel and returns the frame;
// RunMessageLoop runs until the frame closes. ShutDownPlayer undoes
// StartPlayer in its order.
bool StartPlayer(HINSTANCE instance);
HWND OpenPlayerWindows(HINSTANCE instance);
// Offers msg to the question panel's dialog handling first; returns false
// when the panel took it.
bool TranslatePlayerMessage(MSG* msg);
int RunMessageLoop();
void ShutDownPlayer(HWND frame);
// The whole run: what the program's entry point does.
int RunPlayer(HINSTANCE instance);

LRESULT CALLBACK MainFrameProc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK PrintScreenHook(int code, WPARAM wparam, LPARAM lparam);
// Centres window on over, keeping its size and Z order.
void CenterWindow(HWND window, HWND over);

constexpr char MAIN_FRAME_CLASS[] = "Lumbo";
constexpr int MAIN_FRAME_WIDTH = 930;
constexpr int MAIN_FRAME_HEIGHT = 600;
