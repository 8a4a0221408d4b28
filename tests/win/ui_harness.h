// Shared by the player's window tests: builds the windows the way start-up
// does, drives them with messages and reads back what a player would see.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "evaluation/judge_win.h"
#include "ui/answers_file_win.h"
#include "ui/control_ids.h"
#include "ui/player_win.h"
#include "ui/question_panel_win.h"

// Message boxes would wait for a click: a thread hook reads each one's text
// and caption as it opens and closes it.
class MessageBoxCatcher {
 public:
  MessageBoxCatcher() {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxCatcher() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  std::vector<std::string> texts, captions;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && current_) {
      HWND box = reinterpret_cast<HWND>(wparam);
      char cls[32] = {};
      GetClassNameA(box, cls, sizeof cls);
      if (std::string(cls) == "#32770") {
        char text[512] = {}, caption[128] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        GetWindowTextA(box, caption, sizeof caption);
        current_->texts.push_back(text);
        current_->captions.push_back(caption);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
  static inline MessageBoxCatcher* current_ = nullptr;
  HHOOK hook_;
};

// Each test runs in a fresh current directory, where the answers file lives.
class TempDirectory {
 public:
  TempDirectory() {
    static int counter = 0;
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    GetCurrentDirectoryA(sizeof previous_, previous_);
    std::snprintf(path_, sizeof path_, "%slumbo-ui-%lu-%d", base, GetCurrentProcessId(), ++counter);
    CreateDirectoryA(path_, nullptr);
    SetCurrentDirectoryA(path_);
  }
  ~TempDirectory() {
    SetCurrentDirectoryA(previous_);
    std::string pattern = std::string(path_) + "\\*";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::string name = std::string(path_) + "\\" + found.cFileName;
        SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveDirectoryA(name.c_str());
        else
          DeleteFileA(name.c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(path_);
  }

 private:
  char previous_[MAX_PATH] = {};
  char path_[MAX_PATH] = {};
};

inline std::string AnswersFilePath() {
  char program[MAX_PATH], name[MAX_PATH];
  ProgramFileName(program, sizeof program);
  AnswersFileName(program, name, sizeof name);
  return name;
}

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Dispatches what is queued, through the panel's dialog handling first, as
// the message loop does. Returns false once the quit message came.
inline bool PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return false;
    if (!TranslatePlayerMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

// One run of the player: start-up as the program does it (with a chance to
// adjust the loaded quiz before the windows exist), then shut-down.
class PlayerRun {
 public:
  explicit PlayerRun(const std::function<void(QuizState*)>& adjust = nullptr) {
    instance_ = GetModuleHandleA(nullptr);
    started_ = StartPlayer(instance_);
    if (!started_) return;
    if (adjust) adjust(g_quiz);
    frame = OpenPlayerWindows(instance_);
    panel = g_question_panel;
    bar = g_header_bar;
    quiz = g_quiz;
    PumpMessages();
  }
  ~PlayerRun() { Close(); }

  // WM_CLOSE to the frame, then the loop's end and shut-down.
  void Close() {
    if (!started_) return;
    started_ = false;
    if (IsWindow(frame)) SendMessageA(frame, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && PumpMessages(); ++i) Sleep(1);
    ShutDownPlayer(frame);
    DestroyWindow(frame);
    PumpMessages();
    UnregisterClassA(MAIN_FRAME_CLASS, instance_);
  }

  HWND Item(int id) const { return GetDlgItem(panel, id); }
  std::string Text(HWND window, int id) const {
    char text[512] = {};
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
  }
  std::string PanelText(int id) const { return Text(panel, id); }
  std::string Score() const { return Text(bar, ID_SCORE); }
  std::string Code() const { return Text(bar, ID_CODE); }
  std::string Verdict(int answer) const { return PanelText(ID_VERDICT_BASE + answer); }

  // Types into answer edit a and releases Enter in it.
  void Answer(int answer, const char* text) {
    HWND edit = Item(ID_ANSWER_BASE + answer);
    SetWindowTextA(edit, text);
    SendMessageA(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
    PumpMessages();
  }
  void KeyUp(int answer, WPARAM key) {
    SendMessageA(Item(ID_ANSWER_BASE + answer), WM_KEYUP, key, 0xC0000001);
    PumpMessages();
  }

  // What a dialog procedure answers to a static's WM_CTLCOLORSTATIC (null:
  // the default colours), and the text colour it chose.
  static HBRUSH AskColour(DLGPROC procedure, HWND dialog, HWND control, COLORREF* text_colour = nullptr) {
    HDC dc = GetDC(control);
    SetTextColor(dc, RGB(1, 2, 3));
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        procedure(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    if (text_colour) *text_colour = GetTextColor(dc);
    ReleaseDC(control, dc);
    return brush;
  }
  HBRUSH BrushOf(int id) const { return AskColour(QuestionPanelProc, panel, Item(id)); }
  COLORREF TextColourOf(int id) const {
    COLORREF colour = 0;
    AskColour(QuestionPanelProc, panel, Item(id), &colour);
    return colour;
  }

  // A control's rectangle in its parent's client coordinates.
  static RECT RectIn(HWND parent, HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  RECT PanelRect(int id) const { return RectIn(panel, Item(id)); }

  int ScrollPos(int bar_kind) const { return GetScrollPos(panel, bar_kind); }
  void Scroll(UINT message, int code) {
    SendMessageA(panel, message, static_cast<WPARAM>(code), 0);
    PumpMessages();
  }

  HWND frame = nullptr, panel = nullptr, bar = nullptr;
  QuizState* quiz = nullptr;

 private:
  HINSTANCE instance_ = nullptr;
  bool started_ = false;
};

// "have (x, y) w x h" for failure messages.
inline std::string Describe(const RECT& r) {
  std::ostringstream s;
  s << "(" << r.left << ", " << r.top << ") " << (r.right - r.left) << " x " << (r.bottom - r.top);
  return s.str();
}
inline std::string Describe(int x, int y, int w, int h) {
  RECT r = {x, y, x + w, y + h};
  return Describe(r);
}
