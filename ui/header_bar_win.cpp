#include "ui/header_bar_win.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "resources/resource_ids.h"
#include "ui/answers_file_win.h"
#include "ui/control_ids.h"
#include "ui/panel_scroll_win.h"
#include "ui/player_win.h"

HBRUSH g_header_brush = nullptr;

namespace {

HWND CreateChild(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int width,
                 int height, int id) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                         nullptr);
}

void SetFont(HWND control, HFONT font, bool redraw) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

INT_PTR OnInitDialog(HWND bar) {
  const QuizState* quiz = g_quiz;
  HWND link = CreateChild(bar, "Static", quiz->link, SS_NOTIFY, 736, 5, 115, 18, ID_LINK);
  SetLinkStyle(link);
  CreateLabel(bar, "Par :", 736, 25, 27, 18, ID_BY_LABEL);
  CreateLabel(bar, quiz->author, 763, 25, 85, 18, ID_AUTHOR);
  if (quiz->kind == QUIZ_PICTURE)
    SetFont(CreateChild(bar, "button", "Cacher", BS_AUTOCHECKBOX, 666, 5, 65, 18, ID_HIDE), GuiFont(), true);
  SetFont(CreateChild(bar, "button", "Sauver", 0, 666, 25, 55, 18, ID_SAVE), GuiFont(), true);
  CreateLabel(bar, quiz->explanation, 110, 19, 490, 27, ID_EXPLANATION);
  SetFont(CreateChild(bar, "Static", quiz->title, 0, 110, 3, 190, 18, ID_TITLE), quiz->title_font, false);
  CreateLabel(bar, " Code :", 7, 29, 36, 15, ID_CODE_LABEL);
  char score[32];
  std::snprintf(score, sizeof score, " 0 / %d", quiz->question_count);
  SetFont(CreateChild(bar, "Static", score, SS_CENTER, 10, 1, 80, 20, ID_SCORE), quiz->score_font, false);
  SetFont(CreateChild(bar, "edit", "", ES_READONLY, 44, 29, 53, 16, ID_CODE), GuiFont(), true);
  CreateChild(bar, "Static", "", WS_BORDER, 0, 26, 100, 1, ID_SCORE_RULE);
  CreateChild(bar, "Static", "", WS_BORDER, 100, 0, 1, 50, ID_LEFT_RULE);
  CreateChild(bar, "Static", "", WS_BORDER, 730, 0, 1, 50, ID_RIGHT_RULE);
  g_header_brush = CreateSolidBrush(RGB(128, 128, 255));
  return TRUE;
}

void Place(HWND bar, int id, int x, int y, int width, int height, bool repaint) {
  HWND control = GetDlgItem(bar, id);
  if (!control) return;
  SetWindowPos(control, HWND_TOP, x, y, width, height, SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  if (repaint) InvalidateRect(control, nullptr, FALSE);
}

// The left block stays, the middle texts stretch, the right block follows
// the right edge.
INT_PTR OnSize(HWND bar) {
  RECT client;
  GetClientRect(bar, &client);
  const int w = client.right;
  Place(bar, ID_TITLE, 110, 3, w - 350, 18, false);
  Place(bar, ID_LINK, w - 134, 0, 115, 18, false);
  Place(bar, ID_BY_LABEL, w - 134, 25, 26, 18, false);
  Place(bar, ID_AUTHOR, w - 107, 25, 105, 18, true);
  Place(bar, ID_SAVE, w - 204, 25, 55, 18, true);
  Place(bar, ID_EXPLANATION, 110, 19, w - 324, 28, true);
  Place(bar, ID_RIGHT_RULE, w - 145, 0, 1, 50, true);
  Place(bar, ID_HIDE, w - 204, 0, 85, 18, true);
  return FALSE;
}

// The whole wParam is compared: only clicks (notification 0) act, so a
// double click on the link opens it once.
INT_PTR OnCommand(WPARAM wparam) {
  switch (wparam) {
    case ID_LINK: ShellExecuteA(nullptr, "open", g_quiz->link, nullptr, nullptr, SW_SHOWNORMAL); break;
    case ID_SAVE: SaveAnswers(g_quiz); break;
    case ID_HIDE: ApplyHideSolved(g_quiz); break;
    default: break;
  }
  return FALSE;
}

INT_PTR OnCtlColorStatic(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id == ID_LINK) SetTextColor(dc, RGB(50, 50, 255));
  if (id < 20 || id > 33) return 0;
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<INT_PTR>(g_header_brush);
}

INT_PTR OnDestroy() {
  if (g_header_brush) DeleteObject(g_header_brush);
  g_header_brush = nullptr;
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK HeaderBarProc(HWND bar, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(bar);
    case WM_SIZE: return OnSize(bar);
    case WM_COMMAND: return OnCommand(wparam);
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(g_header_brush);
    case WM_DESTROY: return OnDestroy();
    default: return FALSE;
  }
}

void SetLinkStyle(HWND control) {
  RECT client;
  GetClientRect(control, &client);
  const int h = client.bottom - client.top;
  LOGFONTA description;
  std::memset(&description, 0, sizeof description);
  description.lfHeight = -(3 * h / 4);
  description.lfWeight = FW_NORMAL;
  description.lfUnderline = TRUE;
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectA(&description)), FALSE);
  HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_LINK_CURSOR));
  if (hand) SetClassLongPtrA(control, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(hand));
}

HWND CreateLabel(HWND parent, const char* text, int x, int y, int width, int height, int id) {
  HWND label = CreateChild(parent, "Static", text, 0, x, y, width, height, id);
  SetFont(label, GuiFont(), true);
  return label;
}
