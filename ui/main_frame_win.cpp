#include "content/quiz_loader_win.h"
#include "resources/resource_ids.h"
#include "ui/answers_file_win.h"
#include "ui/control_ids.h"
#include "ui/header_bar_win.h"
#include "ui/panel_scroll_win.h"
#include "ui/player_win.h"
#include "ui/question_panel_win.h"

QuizState* g_quiz = nullptr;
HBRUSH g_frame_brush = nullptr;
HWND g_header_bar = nullptr;
HWND g_question_panel = nullptr;

namespace {

HHOOK g_print_screen_hook = nullptr;

void LayOutFrame(HWND frame) {
  RECT client;
  GetClientRect(frame, &client);
  const int w = client.right;
  const int h = client.bottom;
  if (g_question_panel) SetWindowPos(g_question_panel, nullptr, 5, 50, w - 11, h - 68, SWP_NOZORDER);
  if (g_header_bar) SetWindowPos(g_header_bar, nullptr, 5, 2, w - 11, 49, SWP_NOZORDER);
  HWND status = GetDlgItem(frame, ID_STATUS_TEXT);
  if (status) SetWindowPos(status, nullptr, w - 145, h - 16, 150, 15, SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

LRESULT OnCreate(HWND frame) {
  RECT client;
  GetClientRect(frame, &client);
  CreateLabel(frame, g_quiz ? g_quiz->status_text : "", 720, client.bottom - 16, 140, 15, ID_STATUS_TEXT);
  SendMessageA(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_QUESTION)));
  return 0;
}

LRESULT OnSize(HWND frame, WPARAM kind) {
  if (kind != SIZE_MINIMIZED) LayOutFrame(frame);
  return 0;
}

LRESULT OnDestroy() {
  if (g_question_panel) DestroyWindow(g_question_panel);
  // Nothing may reach the destroyed panel any more: a later save would
  // otherwise find no answer edits and write empty lines over the answers.
  g_question_panel = nullptr;
  if (g_quiz) g_quiz->question_panel = nullptr;
  PostQuitMessage(0);
  return 0;
}

LRESULT OnClose() {
  if (g_quiz) SaveAnswers(g_quiz);
  return OnDestroy();
}

// The frame itself takes no typing: when it is activated (at start-up, or
// when the player comes back to the window), the keyboard goes on to the
// question panel, whose dialog manager gives it back to the answer that had
// it, so the player can type without clicking first.
LRESULT OnSetFocus() {
  if (g_question_panel && IsWindowVisible(g_question_panel)) SetFocus(g_question_panel);
  return 0;
}

LRESULT OnCtlColorStatic(HWND control) {
  if (GetDlgCtrlID(control) == ID_STATUS_TEXT) return reinterpret_cast<LRESULT>(g_frame_brush);
  return 0;
}

}  // namespace

LRESULT CALLBACK MainFrameProc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE: return OnCreate(frame);
    case WM_SIZE: return OnSize(frame, wparam);
    case WM_CLOSE: return OnClose();
    case WM_DESTROY: return OnDestroy();
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HWND>(lparam));
    case WM_SETFOCUS: return OnSetFocus();
    case WM_MOUSEWHEEL: ForwardWheelToPanel(g_question_panel, wparam); return 0;
    default: return DefWindowProcA(frame, message, wparam, lparam);
  }
}

LRESULT CALLBACK PrintScreenHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION &&
      (wparam == WM_KEYDOWN || wparam == WM_KEYUP || wparam == WM_SYSKEYDOWN || wparam == WM_SYSKEYUP) &&
      reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam)->vkCode == VK_SNAPSHOT)
    return 1;
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void CenterWindow(HWND window, HWND over) {
  RECT w, o;
  GetWindowRect(window, &w);
  GetWindowRect(over, &o);
  const int x = o.left + ((o.right - o.left) - (w.right - w.left)) / 2;
  const int y = o.top + ((o.bottom - o.top) - (w.bottom - w.top)) / 2;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

bool StartPlayer(HINSTANCE instance) {
  WNDCLASSEXA frame_class = {};
  frame_class.cbSize = sizeof frame_class;
  frame_class.style = CS_OWNDC;
  frame_class.lpfnWndProc = MainFrameProc;
  frame_class.hInstance = instance;
  frame_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  frame_class.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
  frame_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frame_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
  frame_class.lpszClassName = MAIN_FRAME_CLASS;
  if (!RegisterClassExA(&frame_class)) {
    MessageBoxA(nullptr, "Erreur dans la cr\xE9" "ation de la fen\xEA" "tre principale", "Lumbo",
                MB_ICONINFORMATION | MB_OK);
    return false;
  }
  g_print_screen_hook = SetWindowsHookExA(WH_KEYBOARD_LL, PrintScreenHook, instance, 0);
  g_frame_brush = CreateSolidBrush(RGB(212, 208, 200));
  g_quiz = CreateQuizState();
  LoadQuiz(g_quiz);
  return true;
}

HWND OpenPlayerWindows(HINSTANCE instance) {
  HWND frame = CreateWindowExA(0, MAIN_FRAME_CLASS, g_quiz->title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, MAIN_FRAME_WIDTH, MAIN_FRAME_HEIGHT, nullptr, nullptr,
                               instance, nullptr);
  CenterWindow(frame, GetDesktopWindow());
  g_header_bar = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_HEADER_BAR), frame, HeaderBarProc, 0);
  ShowWindow(g_header_bar, SW_SHOWNORMAL);
  g_quiz->header_bar = g_header_bar;
  // The panel restores and judges the saved answers while it is built; it
  // becomes reachable through the record only once it is complete.
  g_question_panel =
      CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_QUESTION_PANEL), frame, QuestionPanelProc, 0);
  g_quiz->question_panel = g_question_panel;
  // The size messages of the frame's creation came before its children.
  LayOutFrame(frame);
  ShowWindow(frame, SW_SHOWNORMAL);
  ShowWindow(g_question_panel, SW_SHOWNORMAL);
  SendMessageA(g_question_panel, WM_VSCROLL, SB_TOP, 0);
  return frame;
}

bool TranslatePlayerMessage(MSG* msg) {
  return !(g_question_panel && IsDialogMessageA(g_question_panel, msg));
}

int RunMessageLoop() {
  MSG msg = {};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!TranslatePlayerMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void ShutDownPlayer(HWND) {
  if (g_header_bar) DestroyWindow(g_header_bar);
  g_header_bar = nullptr;
  // Audio and video quizzes stop their media hosting here once it exists;
  // the frame of a text or picture quiz is left to the end of the process.
  if (g_frame_brush) DeleteObject(g_frame_brush);
  g_frame_brush = nullptr;
  DestroyQuizState(g_quiz);
  g_quiz = nullptr;
  if (g_print_screen_hook) UnhookWindowsHookEx(g_print_screen_hook);
  g_print_screen_hook = nullptr;
}

int RunPlayer(HINSTANCE instance) {
  if (!StartPlayer(instance)) return 0;
  HWND frame = OpenPlayerWindows(instance);
  const int exit_code = RunMessageLoop();
  ShutDownPlayer(frame);
  return exit_code;
}
