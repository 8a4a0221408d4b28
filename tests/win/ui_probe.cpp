// ui_probe: reads what a running player shows, from outside, for the
// end-to-end scripts (a separate Windows console program; the player's own
// windows answer WM_GETTEXT and BM_GETCHECK across processes).
//   ui_probe show PROGRAM    score, code, Cacher, every answer and verdict,
//                              which pictures are visible, where things are
//   ui_probe close PROGRAM   the frame's close box (WM_CLOSE)
// PROGRAM is the player's file name (ui_e2e_player.exe): only its frame is
// read, whatever other players run on the display.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ui/control_ids.h"

namespace {

std::string TextOf(HWND window) {
  char text[512] = {};
  DWORD_PTR length = 0;
  if (window)
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &length);
  return text;
}

struct Dialogs {
  HWND bar = nullptr, panel = nullptr;
};

BOOL CALLBACK FindDialogs(HWND child, LPARAM context) {
  Dialogs* found = reinterpret_cast<Dialogs*>(context);
  if (GetParent(child) != GetAncestor(child, GA_ROOT)) return TRUE;
  if (GetDlgItem(child, ID_SCORE)) found->bar = child;
  if (GetDlgItem(child, ID_ANSWER_BASE + 1)) found->panel = child;
  return TRUE;
}

struct FrameSearch {
  const char* program;
  HWND frame = nullptr;
};

BOOL CALLBACK FindFrame(HWND window, LPARAM context) {
  FrameSearch* search = reinterpret_cast<FrameSearch*>(context);
  char cls[16] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (std::strcmp(cls, "Lumbo") != 0) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return TRUE;
  char path[MAX_PATH] = {};
  DWORD size = sizeof path;
  const bool named = QueryFullProcessImageNameA(process, 0, path, &size) != 0;
  CloseHandle(process);
  const char* base = std::strrchr(path, '\\');
  base = base ? base + 1 : path;
  if (named && lstrcmpiA(base, search->program) == 0) {
    search->frame = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: ui_probe show|close PROGRAM.exe\n");
    return 2;
  }
  FrameSearch search;
  search.program = argv[2];
  EnumWindows(FindFrame, reinterpret_cast<LPARAM>(&search));
  HWND frame = search.frame;
  if (!frame) {
    std::printf("no player\n");
    return 2;
  }
  if (argc > 1 && std::strcmp(argv[1], "close") == 0) {
    PostMessageA(frame, WM_CLOSE, 0, 0);
    return 0;
  }
  Dialogs dialogs;
  EnumChildWindows(frame, FindDialogs, reinterpret_cast<LPARAM>(&dialogs));
  std::printf("title=%s\n", TextOf(frame).c_str());
  std::printf("score=%s\n", TextOf(GetDlgItem(dialogs.bar, ID_SCORE)).c_str());
  std::printf("code=%s\n", TextOf(GetDlgItem(dialogs.bar, ID_CODE)).c_str());
  HWND hide = GetDlgItem(dialogs.bar, ID_HIDE);
  if (hide) {
    DWORD_PTR checked = 0;
    SendMessageTimeoutA(hide, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &checked);
    RECT r;
    GetWindowRect(hide, &r);
    std::printf("hide=%d\nhide_centre=%ld %ld\n", static_cast<int>(checked), (r.left + r.right) / 2,
                (r.top + r.bottom) / 2);
  }
  for (int a = 1; GetDlgItem(dialogs.panel, ID_ANSWER_BASE + a); ++a) {
    HWND edit = GetDlgItem(dialogs.panel, ID_ANSWER_BASE + a);
    RECT r;
    GetWindowRect(edit, &r);
    std::printf("answer%d=%s\n", a, TextOf(edit).c_str());
    std::printf("answer%d_centre=%ld %ld\n", a, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    std::printf("verdict%d=%s\n", a, TextOf(GetDlgItem(dialogs.panel, ID_VERDICT_BASE + a)).c_str());
  }
  for (int q = 1; q <= 96; ++q) {
    HWND picture = GetDlgItem(dialogs.panel, ID_PICTURE_BASE + q);
    if (picture) std::printf("picture%d=%s\n", q, IsWindowVisible(picture) ? "shown" : "hidden");
  }
  HWND focus = nullptr;
  GUITHREADINFO gui = {sizeof gui, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {0, 0, 0, 0}};
  if (GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &gui)) focus = gui.hwndFocus;
  std::printf("focus=%d\n", focus ? GetDlgCtrlID(focus) : 0);
  return 0;
}
