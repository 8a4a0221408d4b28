#include "ui/question_panel_win.h"

#include <cstdio>
#include <cstring>

#include "evaluation/judge_win.h"
#include "evaluation/verdict.h"
#include "media/picture_win.h"
#include "resources/resource_ids.h"
#include "ui/answers_file_win.h"
#include "ui/control_ids.h"
#include "ui/panel_layout.h"
#include "ui/panel_scroll_win.h"
#include "ui/player_win.h"

HBRUSH g_bravo_brush = nullptr;
WNDPROC g_edit_default_proc = nullptr;

namespace {

// What the construction carries from one question to the next.
struct PanelBuild {
  HWND panel;
  QuizState* quiz;
  AnswersFileView answers;
  int y;                // top of the current row
  int row_height;       // tallest picture of the current row
  HBITMAP row_bitmaps[3];
  HICON play_icon;
  HICON stop_icon;
};

HWND CreateChild(HWND parent, const char* cls, const char* text, DWORD style, const ControlRect& r, int id) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.x, r.y, r.width, r.height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                         nullptr);
}

void SetFont(HWND control, HFONT font, bool redraw) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HWND CreateNumber(HWND panel, int question, const ControlRect& r, int id) {
  char number[16];
  std::snprintf(number, sizeof number, "%d.", question);
  return CreateChild(panel, "Static", number, SS_RIGHT, r, id);
}

HWND CreateVerdict(HWND panel, const ControlRect& r, int answer) {
  return CreateChild(panel, "Static", VERDICT_EMPTY, WS_BORDER | SS_CENTERIMAGE | SS_CENTER, r,
                     ID_VERDICT_BASE + answer);
}

// An answer edit starts with the next line of the answers file, takes at
// most 70 characters and is subclassed for the keys and the focus.
HWND CreateAnswerEdit(PanelBuild* build, const ControlRect& r, int answer) {
  char restored[ANSWER_LINE_LIMIT + 1];
  NextAnswer(&build->answers, restored);
  HWND edit = CreateChild(build->panel, "Edit", restored, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER,
                          r, ID_ANSWER_BASE + answer);
  SetFont(edit, build->quiz->question_font, false);
  SendMessageA(edit, EM_LIMITTEXT, TYPED_ANSWER_LIMIT, 0);
  g_edit_default_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AnswerEditProc)));
  return edit;
}

void BuildTextQuestion(PanelBuild* build, int q) {
  QuizState* quiz = build->quiz;
  const TextRowRects row = TextRowLayout(build->y);
  CreateNumber(build->panel, q, row.number, ID_NUMBER_BASE);
  const QuestionEntry* entry = QuestionAt(quiz, q - 1);
  HWND text = CreateChild(build->panel, "Static", entry ? entry->question_text : "",
                          WS_BORDER | SS_CENTERIMAGE | SS_CENTER, row.text, ID_QUESTION_TEXT);
  SetFont(text, quiz->question_font, false);
  CreateAnswerEdit(build, row.answer, q);
  CreateVerdict(build->panel, row.verdict, q);
  JudgeAnswer(quiz, build->panel, ID_ANSWER_BASE + q);
  build->y += TEXT_ROW_PITCH;
  quiz->content_width = 880;
  quiz->content_height = build->y;
}

SIZE BitmapSize(HBITMAP bitmap) {
  SIZE size = {PICTURE_BOX, 0};  // a picture that did not load
  BITMAP info;
  if (bitmap && GetObjectA(bitmap, sizeof info, &info)) size = SIZE{info.bmWidth, info.bmHeight};
  return size;
}

// The first question of a row loads the row's three pictures: the row is as
// tall as the tallest of them, also when the row has fewer questions.
void LoadPictureRow(PanelBuild* build, int q) {
  QuizState* quiz = build->quiz;
  const int row = GridRow(q);
  quiz->row_heights[row] = PICTURE_BOX;
  int tallest = 0;
  for (int i = 0; i < 3; ++i) {
    build->row_bitmaps[i] = LoadPictureResource(GetModuleHandleA(nullptr),
                                                MAKEINTRESOURCEA(IMG_RESOURCE_BASE + q + i), "IMG",
                                                PICTURE_BOX, PICTURE_BOX);
    const SIZE size = BitmapSize(build->row_bitmaps[i]);
    if (size.cy > tallest) tallest = size.cy;
  }
  build->row_height = tallest;
  quiz->row_heights[row] = tallest;
}

// Pictures loaded for a row but never given to a control (a short last row).
void DropRowBitmaps(PanelBuild* build) {
  for (HBITMAP& bitmap : build->row_bitmaps) {
    if (bitmap) DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

void BuildPictureCell(PanelBuild* build, int q, int cell_left) {
  QuizState* quiz = build->quiz;
  const int column = GridColumn(q);
  if (column == 0) {
    DropRowBitmaps(build);
    LoadPictureRow(build, q);
  } else if (GridRow(q) + 1 < MAX_ROWS) {
    quiz->row_heights[GridRow(q) + 1] = PICTURE_BOX;
  }
  HBITMAP bitmap = build->row_bitmaps[column];
  build->row_bitmaps[column] = nullptr;
  const SIZE size = BitmapSize(bitmap);
  const ControlRect r = CenteredPicture(cell_left, build->y, build->row_height, size.cx, size.cy);
  HWND picture = CreateChild(build->panel, "Static", "", WS_BORDER | SS_CENTERIMAGE | SS_BITMAP, r,
                             ID_PICTURE_BASE + q);
  // The picture is in place before the answers are judged, so that a restored
  // solved answer can replace it with the answer picture.
  if (bitmap) {
    HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
        SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous && previous != bitmap) DeleteObject(previous);
  }
}

void BuildGridQuestion(PanelBuild* build, int q) {
  QuizState* quiz = build->quiz;
  HWND panel = build->panel;
  const int n = quiz->answers_per_question == 2 ? 2 : 1;
  const int column = GridColumn(q);
  const int cell_left = GridCellLeft(column, n);
  if (quiz->kind == QUIZ_PICTURE) BuildPictureCell(build, q, cell_left);
  const int answer_y = build->y + MediaHeight(quiz->kind, build->row_height);
  const GridCellRects cell = GridCellLayout(cell_left, build->y, answer_y, quiz->kind, n);
  if (quiz->kind != QUIZ_PICTURE)
    CreateChild(panel, "Static", "", WS_BORDER, cell.media_host, ID_PICTURE_BASE + q);
  if (n == 2 && column == 0) {
    SetFont(CreateChild(panel, "Static", quiz->answer_label, 0, cell.row_labels[0], ID_ROW_LABEL), GuiFont(), true);
    SetFont(CreateChild(panel, "Static", quiz->second_answer_label, 0, cell.row_labels[1], ID_ROW_LABEL), GuiFont(),
            true);
  }
  CreateNumber(panel, q, cell.number, ID_NUMBER_BASE + q);
  const QuestionEntry* entry = QuestionAt(quiz, q - 1);
  if (quiz->hint_mode > 1) {
    HWND hint = CreateChild(panel, "Static", "", SS_CENTER, cell.hint, ID_HINT_BASE + q);
    SetFont(hint, GuiFont(), true);
    if (quiz->hint_mode == 5) {
      char words[64];
      FormatWordCountHint(entry ? entry->answer : "", words, sizeof words);
      SetWindowTextA(hint, words);
    } else {
      SetWindowTextA(hint, entry ? entry->hint : "");
      ShowWindow(hint, SW_HIDE);
    }
  }
  for (int k = 1; k <= n; ++k) {
    const int a = AnswerNumber(q, k, n);
    HWND edit = CreateAnswerEdit(build, cell.answers[k - 1], a);
    HWND verdict = CreateVerdict(panel, cell.verdicts[k - 1], a);
    if (n == 2) SetFont(verdict, GuiFont(), true);
    if (k == 2 && entry && std::strcmp(entry->second_answer, "-") == 0) {
      SetWindowTextA(edit, "-");
      ShowWindow(edit, SW_HIDE);
      ShowWindow(verdict, SW_HIDE);
    }
    JudgeAnswer(quiz, panel, ID_ANSWER_BASE + a);
  }
  if (quiz->kind != QUIZ_PICTURE) {
    HWND play = CreateChild(panel, "Button", "", WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON, cell.play, ID_PLAY_BASE + q);
    HWND stop = CreateChild(panel, "Button", "", WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON, cell.stop, ID_STOP_BASE + q);
    SendMessageA(play, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(build->play_icon));
    SendMessageA(stop, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(build->stop_icon));
  }
  const int extra = GridRowExtra(quiz->hint_mode);
  if (q % 3 == 1) {
    quiz->content_width = 890;
    quiz->content_height = answer_y + extra;
  }
  if (q % 3 == 0) build->y = answer_y + extra;
}

INT_PTR OnInitDialog(HWND panel) {
  QuizState* quiz = g_quiz;
  g_bravo_brush = CreateSolidBrush(RGB(0, 255, 0));
  quiz->content_width = 0;
  quiz->content_height = 0;
  PanelBuild build = {};
  build.panel = panel;
  build.quiz = quiz;
  const bool media = quiz->kind == QUIZ_AUDIO || quiz->kind == QUIZ_VIDEO;
  if (media) {
    build.play_icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PLAY));
    build.stop_icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_STOP));
  }
  OpenAnswersFile(&build.answers);
  CreateQuestionFont(quiz);
  build.y = PANEL_FIRST_ROW_Y;
  const int count = BoundedQuestionCount(quiz);
  for (int q = 1; q <= count; ++q) {
    if (quiz->kind == QUIZ_TEXT)
      BuildTextQuestion(&build, q);
    else if (quiz->kind == QUIZ_PICTURE || media)
      BuildGridQuestion(&build, q);
  }
  DropRowBitmaps(&build);
  quiz->content_width += ContentWidthMargin(quiz->answers_per_question);
  CloseAnswersFile(&build.answers);
  UpdatePanelScrollRanges(quiz, panel);
  return TRUE;
}

bool IsBetween(int id, int first, int last) { return id >= first && id <= last; }

INT_PTR OnCtlColorStatic(HDC dc, HWND control) {
  const QuizState* quiz = g_quiz;
  const int id = GetDlgCtrlID(control);
  if (IsBetween(id, ID_NUMBER_BASE, ID_NUMBER_BASE + MAX_QUESTIONS) || id == ID_ROW_LABEL ||
      IsBetween(id, ID_HINT_BASE + 1, ID_HINT_BASE + MAX_QUESTIONS)) {
    SetBkMode(dc, TRANSPARENT);
    // Black on a light quiz colour, white on a dark one; blue plays no part.
    const bool light = quiz->colour_red > 69 || quiz->colour_green > 69;
    SetTextColor(dc, light ? RGB(0, 0, 0) : RGB(255, 255, 255));
    return reinterpret_cast<INT_PTR>(quiz->background_brush);
  }
  if (IsBetween(id, ID_VERDICT_BASE + 1, ID_VERDICT_BASE + 2 * MAX_QUESTIONS)) {
    char text[TEXT_FIELD_SIZE] = {};
    GetWindowTextA(control, text, sizeof text);
    HBRUSH brush = nullptr;
    switch (ColourOfVerdict(text)) {
      case VC_BRAVO: brush = g_bravo_brush; break;
      case VC_WRONG: brush = quiz->wrong_brush; break;
      case VC_ANAGRAM: brush = quiz->anagram_brush; break;
      case VC_NEAR_MISS: brush = quiz->near_miss_brush; break;
      case VC_DEFAULT: return 0;
    }
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(brush);
  }
  if (id == ID_QUESTION_TEXT) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(quiz->question_text_brush);
  }
  return 0;
}

// WM_CLOSE and WM_DESTROY may both come; the brush goes once.
INT_PTR OnClose() {
  if (g_bravo_brush) DeleteObject(g_bravo_brush);
  g_bravo_brush = nullptr;
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK QuestionPanelProc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(panel);
    case WM_SIZE: return OnPanelSize(g_quiz, panel);
    case WM_HSCROLL: return OnPanelScroll(panel, SB_HORZ, LOWORD(wparam));
    case WM_VSCROLL: return OnPanelScroll(panel, SB_VERT, LOWORD(wparam));
    case WM_MOUSEWHEEL: return OnPanelMouseWheel(panel, wparam);
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(g_quiz->background_brush);
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_NCPAINT: return DefWindowProcA(panel, message, wparam, lparam);
    case WM_CLOSE:
    case WM_DESTROY: return OnClose();
    default: return FALSE;  // WM_COMMAND included: Play and Stop do nothing yet
  }
}

HFONT CreateQuestionFont(QuizState* quiz) {
  LOGFONTA description;
  std::memset(&description, 0, sizeof description);
  description.lfHeight = 15;
  description.lfWeight = 100;
  quiz->question_font = CreateFontIndirectA(&description);
  return quiz->question_font;
}
