// The player with a text quiz of 24 questions (tests/win/data/ui_text.quiz):
// frame, header bar, rows, verdicts, score and code, keys, scrolling and the
// answers file, driven with messages as a player would.
#include <algorithm>

#include "tests/win/ui_harness.h"

#include "evaluation/verdict.h"
#include "ui/header_bar_win.h"
#include "ui/panel_scroll_win.h"

namespace {

constexpr int kQuestions = 24;

class TextQuiz : public ::testing::Test {
 protected:
  TempDirectory directory_;
};

// Every child of the panel with identifier id, top to bottom.
std::vector<RECT> RectsOfId(const PlayerRun& run, int id) {
  std::vector<RECT> rects;
  for (HWND child = GetWindow(run.panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetDlgCtrlID(child) == id) rects.push_back(PlayerRun::RectIn(run.panel, child));
  std::sort(rects.begin(), rects.end(), [](const RECT& a, const RECT& b) { return a.top < b.top; });
  return rects;
}

std::string ClientRect(HWND parent, HWND control) { return Describe(PlayerRun::RectIn(parent, control)); }

}  // namespace

TEST_F(TextQuiz, FrameIsCentredAndPlacesItsChildren) {
  MessageBoxCatcher boxes;
  PlayerRun run;
  EXPECT_TRUE(boxes.texts.empty()) << boxes.texts[0];
  char caption[64] = {};
  GetWindowTextA(run.frame, caption, sizeof caption);
  EXPECT_STREQ(caption, "Capitales d'Europe");
  RECT frame, desktop;
  GetWindowRect(run.frame, &frame);
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_EQ(Describe(frame), Describe((desktop.right - 930) / 2, (desktop.bottom - 600) / 2, 930, 600));

  auto check_children = [&](const char* when) {
    SCOPED_TRACE(when);
    RECT client;
    GetClientRect(run.frame, &client);
    const int w = client.right, h = client.bottom;
    EXPECT_EQ(ClientRect(run.frame, run.panel), Describe(5, 50, w - 11, h - 68));
    EXPECT_EQ(ClientRect(run.frame, run.bar), Describe(5, 2, w - 11, 49));
    EXPECT_EQ(ClientRect(run.frame, GetDlgItem(run.frame, ID_STATUS_TEXT)), Describe(w - 145, h - 16, 150, 15));
  };
  check_children("as opened");
  SetWindowPos(run.frame, nullptr, 0, 0, 800, 500, SWP_NOMOVE | SWP_NOZORDER);
  check_children("resized to 800 x 500");
  ShowWindow(run.frame, SW_MINIMIZE);
  ShowWindow(run.frame, SW_RESTORE);
  check_children("minimised and restored");

  EXPECT_EQ(run.Text(run.frame, ID_STATUS_TEXT), "Classe de 4e B");
  HWND status = GetDlgItem(run.frame, ID_STATUS_TEXT);
  HDC dc = GetDC(status);
  EXPECT_EQ(SendMessageA(run.frame, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(status)),
            reinterpret_cast<LRESULT>(g_frame_brush));
  ReleaseDC(status, dc);
}

TEST_F(TextQuiz, HeaderBarShowsTheQuizAndFollowsItsWidth) {
  PlayerRun run;
  const struct {
    int id;
    const char* text;
  } texts[] = {
      {ID_TITLE, "Capitales d'Europe"}, {ID_EXPLANATION, "Donnez la capitale de chaque pays."},
      {ID_AUTHOR, "Mme Dupont"},        {ID_LINK, "www.example.fr"},
      {ID_BY_LABEL, "Par :"},           {ID_CODE_LABEL, " Code :"},
      {ID_SAVE, "Sauver"},              {ID_SCORE, " 0 / 24"},
      {ID_CODE, ""},
  };
  for (const auto& t : texts) EXPECT_EQ(run.Text(run.bar, t.id), t.text) << "control " << t.id;
  EXPECT_EQ(GetDlgItem(run.bar, ID_HIDE), nullptr) << "a text quiz has no Cacher box";

  for (int width : {900, 700}) {
    SetWindowPos(run.frame, nullptr, 0, 0, width, 600, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(run.bar, &client);
    const int w = client.right;
    SCOPED_TRACE(w);
    const struct {
      int id, x, y, width, height;
    } places[] = {
        {ID_TITLE, 110, 3, w - 350, 18},      {ID_LINK, w - 134, 0, 115, 18},
        {ID_BY_LABEL, w - 134, 25, 26, 18},   {ID_AUTHOR, w - 107, 25, 105, 18},
        {ID_SAVE, w - 204, 25, 55, 18},       {ID_EXPLANATION, 110, 19, w - 324, 28},
        {ID_RIGHT_RULE, w - 145, 0, 1, 50},   {ID_SCORE, 10, 1, 80, 20},
        {ID_CODE_LABEL, 7, 29, 36, 15},       {ID_CODE, 44, 29, 53, 16},
        {ID_SCORE_RULE, 0, 26, 100, 1},       {ID_LEFT_RULE, 100, 0, 1, 50},
    };
    for (const auto& p : places)
      EXPECT_EQ(ClientRect(run.bar, GetDlgItem(run.bar, p.id)), Describe(p.x, p.y, p.width, p.height))
          << "control " << p.id;
  }

  // The link is blue on the bar's colour; the rules keep the default colours.
  COLORREF text = 0;
  EXPECT_EQ(PlayerRun::AskColour(HeaderBarProc, run.bar, GetDlgItem(run.bar, ID_LINK), &text), g_header_brush);
  EXPECT_EQ(text, RGB(50, 50, 255));
  EXPECT_EQ(PlayerRun::AskColour(HeaderBarProc, run.bar, GetDlgItem(run.bar, ID_AUTHOR), &text), g_header_brush);
  EXPECT_EQ(text, RGB(1, 2, 3)) << "plain texts keep their colour";
  EXPECT_EQ(PlayerRun::AskColour(HeaderBarProc, run.bar, GetDlgItem(run.bar, ID_RIGHT_RULE)), nullptr);
  LOGBRUSH colour = {};
  GetObjectA(g_header_brush, sizeof colour, &colour);
  EXPECT_EQ(colour.lbColor, RGB(128, 128, 255));
}

TEST_F(TextQuiz, RowsAre25PixelsApartInTheQuizColour) {
  PlayerRun run;
  const std::vector<RECT> numbers = RectsOfId(run, ID_NUMBER_BASE);
  const std::vector<RECT> texts = RectsOfId(run, ID_QUESTION_TEXT);
  ASSERT_EQ(numbers.size(), static_cast<size_t>(kQuestions));
  ASSERT_EQ(texts.size(), static_cast<size_t>(kQuestions));
  for (int q = 1; q <= kQuestions; ++q) {
    SCOPED_TRACE(q);
    const int y = 5 + 25 * (q - 1);
    EXPECT_EQ(Describe(numbers[q - 1]), Describe(26, y + 2, 19, 17));
    EXPECT_EQ(Describe(texts[q - 1]), Describe(50, y, 550, 20));
    EXPECT_EQ(Describe(run.PanelRect(ID_ANSWER_BASE + q)), Describe(610, y, 170, 20));
    EXPECT_EQ(Describe(run.PanelRect(ID_VERDICT_BASE + q)), Describe(790, y, 100, 20));
    EXPECT_EQ(run.Verdict(q), "?");
  }
  EXPECT_EQ(run.quiz->content_width, 900);
  EXPECT_EQ(run.quiz->content_height, 5 + 25 * kQuestions);
  // Windows-1252 bytes as the quiz holds them.
  EXPECT_EQ(run.PanelText(ID_QUESTION_TEXT), "France");
  EXPECT_STREQ(QuestionAt(run.quiz, 3)->question_text, "Une id\xE9" "e");

  // Quiz colour RGB(60, 60, 200): numbers in white on the quiz's brush.
  EXPECT_EQ(run.BrushOf(ID_NUMBER_BASE), run.quiz->background_brush);
  EXPECT_EQ(run.TextColourOf(ID_NUMBER_BASE), RGB(255, 255, 255));
  EXPECT_EQ(run.BrushOf(ID_QUESTION_TEXT), run.quiz->question_text_brush);
  EXPECT_EQ(SendMessageA(run.panel, WM_CTLCOLORDLG, 0, 0), reinterpret_cast<LRESULT>(run.quiz->background_brush));
  LOGBRUSH colour = {};
  GetObjectA(run.quiz->background_brush, sizeof colour, &colour);
  EXPECT_EQ(colour.lbColor, RGB(60, 60, 200));
}

TEST_F(TextQuiz, VerdictsTheirColoursScoreAndCode) {
  PlayerRun run;
  const struct {
    int answer;
    const char* typed;
    const char* verdict;
    HBRUSH brush;
    const char* score;
    const char* code;
  } steps[] = {
      {1, "Paris", "BRAVO", g_bravo_brush, " 1 / 24", "CODE1"},
      {2, "Dirdam", "Anagramme", run.quiz->anagram_brush, " 1 / 24", "CODE1"},
      {2, "Madri", "Quasiment", run.quiz->near_miss_brush, " 1 / 24", "CODE1"},
      {2, "  madrid ", "BRAVO", g_bravo_brush, " 2 / 24", "CODE2"},
      {4, "id\xE9" "e", "BRAVO", g_bravo_brush, " 3 / 24", "CODE3"},
      {3, "Berlin", "FAUX", run.quiz->wrong_brush, " 3 / 24", "CODE3"},
      {3, "Romeeeeee", "Trop long", run.quiz->near_miss_brush, " 3 / 24", "CODE3"},
      // A solved answer edited back to wrong lowers the score and the code.
      {1, "Lyon", "FAUX", run.quiz->wrong_brush, " 2 / 24", "CODE2"},
      {1, "", "?", nullptr, " 2 / 24", "CODE2"},
      {2, "", "?", nullptr, " 1 / 24", "CODE1"},
      {4, "", "?", nullptr, " 0 / 24", "      "},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(std::string("answer ") + std::to_string(s.answer) + " typed '" + s.typed + "'");
    run.Answer(s.answer, s.typed);
    EXPECT_EQ(run.Verdict(s.answer), s.verdict);
    EXPECT_EQ(run.BrushOf(ID_VERDICT_BASE + s.answer), s.brush);
    EXPECT_EQ(run.Score(), s.score);
    EXPECT_EQ(run.Code(), s.code);
  }
  LOGBRUSH green = {};
  GetObjectA(g_bravo_brush, sizeof green, &green);
  EXPECT_EQ(green.lbColor, RGB(0, 255, 0));
}

TEST_F(TextQuiz, EnterTabAndFocusJudgeWithoutTypingAnything) {
  PlayerRun run;
  HWND first = run.Item(ID_ANSWER_BASE + 1);
  SetFocus(first);
  SetWindowTextA(first, "Paris");
  // The carriage return of Enter never reaches the text.
  SendMessageA(first, WM_CHAR, '\r', 0);
  SendMessageA(first, WM_CHAR, '\t', 0);
  EXPECT_EQ(run.PanelText(ID_ANSWER_BASE + 1), "Paris");
  // Leaving the edit judges it.
  SetFocus(run.Item(ID_ANSWER_BASE + 2));
  EXPECT_EQ(run.Verdict(1), "BRAVO");
  EXPECT_EQ(run.Score(), " 1 / 24");
  // Tab through the dialog manager moves on to the next answer and judges the
  // one it leaves.
  SetWindowTextA(run.Item(ID_ANSWER_BASE + 2), "Madrid");
  MSG tab = {run.Item(ID_ANSWER_BASE + 2), WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {0, 0}};
  EXPECT_TRUE(IsDialogMessageA(run.panel, &tab));
  EXPECT_EQ(GetFocus(), run.Item(ID_ANSWER_BASE + 3));
  EXPECT_EQ(run.Verdict(2), "BRAVO");

  // Judging again to the same verdict changes nothing, not even the code.
  SetDlgItemTextA(run.bar, ID_CODE, "marque");
  SendMessageA(run.Item(ID_ANSWER_BASE + 2), WM_KEYUP, VK_RETURN, 0xC01C0001);
  SetFocus(run.Item(ID_ANSWER_BASE + 2));
  SetFocus(run.Item(ID_ANSWER_BASE + 5));
  EXPECT_EQ(run.Code(), "marque");
}

TEST_F(TextQuiz, F1TriesTheAnswerOnEveryUnsolvedQuestion) {
  PlayerRun run;
  run.Answer(4, "id\xE9" "e");
  SetFocus(run.Item(ID_ANSWER_BASE + 1));
  SetWindowTextA(run.Item(ID_ANSWER_BASE + 1), "Rome");
  run.KeyUp(1, VK_F1);
  EXPECT_EQ(GetFocus(), run.Item(ID_ANSWER_BASE + 1));
  EXPECT_EQ(run.PanelText(ID_ANSWER_BASE + 4), "id\xE9" "e") << "a solved answer keeps its text";
  for (int a : {1, 2, 3, 5, 24}) EXPECT_EQ(run.PanelText(ID_ANSWER_BASE + a), "Rome") << a;
  EXPECT_EQ(run.Verdict(3), "BRAVO");
  EXPECT_EQ(run.Verdict(1), "FAUX");
  EXPECT_EQ(run.Verdict(2), "FAUX");
  EXPECT_EQ(run.Score(), " 2 / 24");
}

TEST_F(TextQuiz, AnswersAreSavedOnF2SauverAndCloseAndRestoredJudged) {
  const std::string path = AnswersFilePath();
  {
    PlayerRun run;
    run.Answer(1, "Paris");
    run.Answer(2, "Dirdam");
    run.Answer(4, "  id\xE9" "e ");
    run.KeyUp(1, VK_F2);
    std::string want = "Paris\r\nDirdam\r\n\r\n  id\xE9" "e \r\n";
    for (int a = 5; a <= kQuestions; ++a) want += "\r\n";
    EXPECT_EQ(ReadFileBytes(path), want) << "F2 writes at once";
    run.Answer(3, "Rome");
    SendMessageA(run.bar, WM_COMMAND, ID_SAVE, 0);
    EXPECT_EQ(ReadFileBytes(path).substr(0, 21), "Paris\r\nDirdam\r\nRome\r\n") << "Sauver";
    run.Answer(24, "Reponse 24");
    run.Close();
    const std::string saved = ReadFileBytes(path);
    EXPECT_EQ(saved.size(), want.size() + 4 + 10);
    EXPECT_EQ(saved.substr(saved.size() - 14), "\r\nReponse 24\r\n") << "closing writes";
  }
  PlayerRun again;
  EXPECT_EQ(again.PanelText(ID_ANSWER_BASE + 4), "  id\xE9" "e ");
  const char* verdicts[] = {"BRAVO", "Anagramme", "BRAVO", "BRAVO", "?"};
  for (int a = 1; a <= 5; ++a) EXPECT_EQ(again.Verdict(a), verdicts[a - 1]) << a;
  EXPECT_EQ(again.Verdict(24), "BRAVO");
  EXPECT_EQ(again.Score(), " 4 / 24");
  EXPECT_EQ(again.Code(), "CODE4");
}

TEST_F(TextQuiz, RestoredLinesAreCutAt70AndEndAtCarriageReturns) {
  const std::string long_line(100, 'x');
  WriteFileBytes(AnswersFilePath(), "Paris\r\n" + long_line + "\r\nRome\n\r\n\r\nLisbonne");
  PlayerRun run;
  EXPECT_EQ(run.PanelText(ID_ANSWER_BASE + 1), "Paris");
  EXPECT_EQ(run.PanelText(ID_ANSWER_BASE + 2), std::string(70, 'x'));
  EXPECT_EQ(run.PanelText(ID_ANSWER_BASE + 3), "Rome\n");
  EXPECT_EQ(run.PanelText(ID_ANSWER_BASE + 4), "");
  EXPECT_EQ(run.PanelText(ID_ANSWER_BASE + 5), "Lisbonne");
  EXPECT_EQ(run.PanelText(ID_ANSWER_BASE + 6), "");
  EXPECT_EQ(run.Verdict(5), "BRAVO");
  EXPECT_EQ(run.Score(), " 2 / 24");
}

TEST_F(TextQuiz, AFailedSaveLeavesThePreviousAnswersWhole) {
  const std::string path = AnswersFilePath();
  const std::string earlier = "Paris\r\nMadrid\r\n";
  WriteFileBytes(path, earlier);
  {
    PlayerRun run;
    // Nothing can be written beside the answers file: its new version's name
    // is taken by a folder.
    ASSERT_TRUE(CreateDirectoryA((path + ".new").c_str(), nullptr));
    run.Answer(1, "Lyon");
    run.KeyUp(1, VK_F2);
    EXPECT_EQ(ReadFileBytes(path), earlier);
    RemoveDirectoryA((path + ".new").c_str());
    run.Close();
    EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES) << "no leftover";
    EXPECT_EQ(ReadFileBytes(path).substr(0, 14), "Lyon\r\nMadrid\r\n");
    // A second close after the panel is gone must not write empty lines.
    SendMessageA(run.frame, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(ReadFileBytes(path).substr(0, 14), "Lyon\r\nMadrid\r\n");
  }
}

TEST_F(TextQuiz, PanelScrollsByBarWheelAndPageKeys) {
  PlayerRun run;
  RECT client;
  GetClientRect(run.panel, &client);
  const int c = client.bottom;
  const int content = 5 + 25 * kQuestions;
  ASSERT_LT(c, content) << "the quiz must be taller than the panel";
  SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(run.panel, SB_VERT, &info);
  EXPECT_EQ(info.nMax, content - 2);
  EXPECT_EQ(static_cast<int>(info.nPage), c - 1);
  const int last = content - c;  // the last full page
  GetScrollInfo(run.panel, SB_HORZ, &info);
  EXPECT_EQ(info.nMax, 900 - 2);

  const RECT first_edit = run.PanelRect(ID_ANSWER_BASE + 1);
  const struct {
    int code;
    int want;
  } steps[] = {
      {SB_LINEDOWN, std::min(310, last)}, {SB_TOP, 0}, {SB_BOTTOM, last}, {SB_LINEUP, std::max(0, last - 310)},
      {SB_TOP, 0}, {SB_PAGEDOWN, std::min(c - 1, last)}, {SB_PAGEUP, 0}, {SB_LINEUP, 0},
  };
  for (const auto& s : steps) {
    run.Scroll(WM_VSCROLL, s.code);
    EXPECT_EQ(run.ScrollPos(SB_VERT), s.want) << "code " << s.code;
    // The children move with the position.
    EXPECT_EQ(run.PanelRect(ID_ANSWER_BASE + 1).top, first_edit.top - s.want) << "code " << s.code;
  }
  // One notch towards the user scrolls 50 down, away 50 up, through the
  // panel or the frame; two notches at once do nothing.
  const struct {
    HWND target;
    int delta;
    int want;
  } wheel[] = {
      {run.panel, -120, 50}, {run.frame, -120, 100}, {run.panel, 120, 50}, {run.frame, 120, 0},
      {run.panel, -240, 0},  {run.frame, 240, 0},
  };
  for (const auto& w : wheel) {
    SendMessageA(w.target, WM_MOUSEWHEEL, MAKEWPARAM(0, w.delta), 0);
    PumpMessages();
    EXPECT_EQ(run.ScrollPos(SB_VERT), w.want) << "delta " << w.delta << (w.target == run.frame ? " frame" : " panel");
  }
  // Page keys in an answer edit page the panel.
  run.KeyUp(1, VK_NEXT);
  EXPECT_EQ(run.ScrollPos(SB_VERT), std::min(c - 1, last));
  run.KeyUp(1, VK_UP);
  EXPECT_EQ(run.ScrollPos(SB_VERT), 0);

  // A focused answer out of view is brought in, 15 pixels below the top edge
  // (a text quiz has no picture rows).
  SetFocus(run.Item(ID_ANSWER_BASE + kQuestions));
  EXPECT_EQ(run.ScrollPos(SB_VERT), last);
  const RECT focused = run.PanelRect(ID_ANSWER_BASE + kQuestions);
  EXPECT_GE(focused.top, 0);
  EXPECT_LE(focused.bottom, c);
  // A taller frame shows everything: the position returns to 0.
  SetWindowPos(run.frame, nullptr, 0, 0, 930, 900, SWP_NOMOVE | SWP_NOZORDER);
  GetClientRect(run.panel, &client);
  if (client.bottom >= content) {
    EXPECT_EQ(run.ScrollPos(SB_VERT), 0);
    EXPECT_EQ(run.PanelRect(ID_ANSWER_BASE + 1).top, first_edit.top);
  }
}

TEST(PrintScreen, KeyIsWithheldOthersPassOn) {
  for (WPARAM message : {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP}) {
    KBDLLHOOKSTRUCT key = {};
    key.vkCode = VK_SNAPSHOT;
    EXPECT_EQ(PrintScreenHook(HC_ACTION, message, reinterpret_cast<LPARAM>(&key)), 1);
    key.vkCode = 'A';
    EXPECT_EQ(PrintScreenHook(HC_ACTION, message, reinterpret_cast<LPARAM>(&key)), 0);
  }
}
