// The player with a picture quiz of 7 questions (tests/win/data/ui_picture.quiz):
// the grid, pictures decoded and centred, hints and answer pictures by hint
// mode, the "Cacher" re-layout and scrolling a focused answer into view.
#include "tests/win/ui_harness.h"

#include "ui/panel_scroll_win.h"

namespace {

class PictureQuiz : public ::testing::Test {
 protected:
  TempDirectory directory_;
};

struct Cell {
  int q, picture_x, picture_y, picture_w, picture_h, answer_y;
};
// Rows of 195, 260 and 130 pixels; question 5 has no picture (260 x 0).
const Cell kCells[] = {
    {1, 46, 5, 260, 195, 210},   {2, 336, 37, 260, 130, 210}, {3, 626, 10, 260, 185, 210},
    {4, 46, 350, 260, 260, 620}, {5, 336, 480, 260, 0, 620},  {6, 691, 350, 130, 260, 620},
    {7, 46, 760, 260, 130, 900},
};

SIZE BitmapSizeOf(HWND picture) {
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

void TickCacher(const PlayerRun& run, bool ticked) {
  HWND box = GetDlgItem(run.bar, ID_HIDE);
  if ((IsDlgButtonChecked(run.bar, ID_HIDE) == BST_CHECKED) != ticked) SendMessageA(box, BM_CLICK, 0, 0);
  PumpMessages();
}

// Every control's rectangle and visibility, to compare two layouts.
std::string Layout(const PlayerRun& run) {
  std::string all;
  for (HWND child = GetWindow(run.panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    all += std::to_string(GetDlgCtrlID(child)) + Describe(PlayerRun::RectIn(run.panel, child)) +
           (IsWindowVisible(child) ? "v " : "h ");
  return all;
}

}  // namespace

TEST_F(PictureQuiz, GridOfPicturesAnswersAndHints) {
  MessageBoxCatcher boxes;
  PlayerRun run;
  EXPECT_TRUE(boxes.texts.empty());
  EXPECT_EQ(run.quiz->row_heights[0], 195);
  EXPECT_EQ(run.quiz->row_heights[1], 260);
  EXPECT_EQ(run.quiz->row_heights[2], 130);
  for (const Cell& c : kCells) {
    SCOPED_TRACE(c.q);
    const int x = 46 + 290 * ((c.q - 1) % 3);
    HWND picture = run.Item(ID_PICTURE_BASE + c.q);
    EXPECT_EQ(Describe(run.PanelRect(ID_PICTURE_BASE + c.q)), Describe(c.picture_x, c.picture_y, c.picture_w, c.picture_h));
    const SIZE shown = BitmapSizeOf(picture);
    EXPECT_EQ(shown.cx, c.picture_h ? c.picture_w : 0);
    EXPECT_EQ(shown.cy, c.picture_h);
    EXPECT_EQ(Describe(run.PanelRect(ID_NUMBER_BASE + c.q)), Describe(x - 28, c.answer_y + 2, 27, 17));
    EXPECT_EQ(run.PanelText(ID_NUMBER_BASE + c.q), std::to_string(c.q) + ".");
    EXPECT_EQ(Describe(run.PanelRect(ID_ANSWER_BASE + c.q)), Describe(x, c.answer_y, 260, 20));
    EXPECT_EQ(Describe(run.PanelRect(ID_VERDICT_BASE + c.q)), Describe(x, c.answer_y + 19, 260, 20));
    EXPECT_EQ(Describe(run.PanelRect(ID_HINT_BASE + c.q)), Describe(x, c.answer_y + 46, 260, 65));
    EXPECT_FALSE(IsWindowVisible(run.Item(ID_HINT_BASE + c.q))) << "hints wait for the answer";
  }
  EXPECT_EQ(run.PanelText(ID_HINT_BASE + 4), "Un carr\xE9 noir");
  EXPECT_EQ(run.quiz->content_width, 910);
  EXPECT_EQ(run.quiz->content_height, 900 + 140);
  // Quiz colour RGB(70, 0, 0): numbers and hints in black.
  EXPECT_EQ(run.TextColourOf(ID_NUMBER_BASE + 1), RGB(0, 0, 0));
  EXPECT_EQ(run.BrushOf(ID_HINT_BASE + 1), run.quiz->background_brush);
  EXPECT_EQ(run.BrushOf(ID_PICTURE_BASE + 1), nullptr);
  // The header bar of a picture quiz has "Cacher", unticked, left of "Sauver".
  RECT client;
  GetClientRect(run.bar, &client);
  EXPECT_EQ(Describe(PlayerRun::RectIn(run.bar, GetDlgItem(run.bar, ID_HIDE))), Describe(client.right - 204, 0, 85, 18));
  EXPECT_EQ(run.Text(run.bar, ID_HIDE), "Cacher");
  EXPECT_EQ(IsDlgButtonChecked(run.bar, ID_HIDE), BST_UNCHECKED);
}

TEST_F(PictureQuiz, SolvingShowsTheHintAndTheAnswerPictureCentred) {
  PlayerRun run;
  run.Answer(1, " ROND ");
  EXPECT_EQ(run.Verdict(1), "BRAVO");
  EXPECT_TRUE(IsWindowVisible(run.Item(ID_HINT_BASE + 1)));
  // 100 x 50 fitted into 260 x 195 is 260 x 130, centred on the 260 x 195 picture.
  EXPECT_EQ(Describe(run.PanelRect(ID_PICTURE_BASE + 1)), Describe(46, 37, 260, 130));
  EXPECT_EQ(BitmapSizeOf(run.Item(ID_PICTURE_BASE + 1)).cy, 130);
  EXPECT_EQ(QuestionAt(run.quiz, 0)->solved, 1);
  // Wrong again: the hint goes, the answer picture stays, solved stays.
  run.Answer(1, "carre");
  EXPECT_FALSE(IsWindowVisible(run.Item(ID_HINT_BASE + 1)));
  EXPECT_EQ(Describe(run.PanelRect(ID_PICTURE_BASE + 1)), Describe(46, 37, 260, 130));
  run.Answer(1, "rond");
  EXPECT_EQ(Describe(run.PanelRect(ID_PICTURE_BASE + 1)), Describe(46, 37, 260, 130));
  // No answer picture: the question picture stays.
  run.Answer(2, "carre jaune");
  EXPECT_TRUE(IsWindowVisible(run.Item(ID_HINT_BASE + 2)));
  EXPECT_EQ(Describe(run.PanelRect(ID_PICTURE_BASE + 2)), Describe(336, 37, 260, 130));
  EXPECT_EQ(run.Score(), " 2 / 7");
  EXPECT_EQ(run.Code(), "DEUX");
}

TEST_F(PictureQuiz, EachHintModeRevealsWhatItPromises) {
  const struct {
    int mode;
    bool hints_exist;
    bool hint_after_solving;
    bool answer_picture;
    const char* first_hint;
  } modes[] = {
      {0, false, false, false, ""},       {1, false, false, true, ""},
      {2, true, true, false, "Un cercle blanc"}, {3, true, true, true, "Un cercle blanc"},
      {4, true, false, false, "Un cercle blanc"}, {5, true, true, false, "en 1 mot"},
      {6, true, false, false, "Un cercle blanc"},
  };
  for (const auto& m : modes) {
    SCOPED_TRACE("hint mode " + std::to_string(m.mode));
    PlayerRun run([&](QuizState* quiz) { quiz->hint_mode = m.mode; });
    EXPECT_EQ(run.Item(ID_HINT_BASE + 1) != nullptr, m.hints_exist);
    // Rows 60 apart below their answers without hints, 140 with them.
    EXPECT_EQ(run.quiz->content_height, m.mode > 1 ? 900 + 140 : 740 + 60);
    if (m.hints_exist) {
      EXPECT_EQ(run.PanelText(ID_HINT_BASE + 1), m.first_hint);
    }
    if (m.mode == 5) {
      EXPECT_EQ(run.PanelText(ID_HINT_BASE + 2), "en 2 mots");
      EXPECT_TRUE(IsWindowVisible(run.Item(ID_HINT_BASE + 2))) << "visible from the start";
    }
    run.Answer(1, "rond");
    if (m.hints_exist) {
      EXPECT_EQ(IsWindowVisible(run.Item(ID_HINT_BASE + 1)) != FALSE, m.hint_after_solving);
    }
    EXPECT_EQ(run.PanelRect(ID_PICTURE_BASE + 1).top, m.answer_picture ? 37 : 5);
    run.Answer(2, "faux");
    if (m.mode == 5) {
      EXPECT_TRUE(IsWindowVisible(run.Item(ID_HINT_BASE + 2))) << "stays visible";
    }
    if (m.mode == 4) {
      const char* answers[] = {"rond", "carre jaune", "triangle", "noir", "rien", "cyan", "violet"};
      for (int q = 2; q <= 7; ++q) run.Answer(q, answers[q - 1]);
      for (int q = 1; q <= 7; ++q) EXPECT_TRUE(IsWindowVisible(run.Item(ID_HINT_BASE + q))) << q;
      EXPECT_EQ(run.quiz->all_hints_shown, 1);
      run.Answer(3, "x");
      EXPECT_FALSE(IsWindowVisible(run.Item(ID_HINT_BASE + 3)));
      EXPECT_TRUE(IsWindowVisible(run.Item(ID_HINT_BASE + 1))) << "the others stay";
      EXPECT_EQ(run.quiz->all_hints_shown, 0);
    }
  }
}

TEST_F(PictureQuiz, CacherFoldsSolvedPicturesAndCollapsesFullRows) {
  PlayerRun run;
  const std::string built = Layout(run);
  const RECT edit4 = run.PanelRect(ID_ANSWER_BASE + 4);
  TickCacher(run, true);
  EXPECT_EQ(Layout(run), built) << "nothing solved, nothing folds";
  run.Answer(1, "rond");
  run.Answer(2, "carre jaune");
  EXPECT_FALSE(IsWindowVisible(run.Item(ID_PICTURE_BASE + 1)));
  EXPECT_FALSE(IsWindowVisible(run.Item(ID_HINT_BASE + 1)));
  EXPECT_EQ(run.PanelRect(ID_ANSWER_BASE + 1).top, 210 - 195);
  EXPECT_EQ(run.PanelRect(ID_VERDICT_BASE + 2).top, 229 - 195);
  EXPECT_EQ(run.PanelRect(ID_NUMBER_BASE + 2).top, 212 - 195);
  EXPECT_EQ(run.PanelRect(ID_ANSWER_BASE + 3).top, 210) << "unsolved stays";
  EXPECT_EQ(run.quiz->content_height, 1040);
  run.Answer(3, "triangle");
  // The whole row is folded: later rows move up by 195 + 65 for the hints.
  EXPECT_EQ(run.quiz->question_states[3], QS_ROW_COLLAPSED);
  EXPECT_EQ(run.PanelRect(ID_ANSWER_BASE + 4).top, edit4.top - 260);
  EXPECT_EQ(run.PanelRect(ID_PICTURE_BASE + 4).top, 350 - 260);
  EXPECT_EQ(run.PanelRect(ID_HINT_BASE + 7).top, 946 - 260);
  EXPECT_EQ(run.quiz->content_height, 1040 - 260);
  const std::string folded = Layout(run);
  TickCacher(run, false);
  EXPECT_EQ(run.quiz->content_height, 1040);
  EXPECT_TRUE(IsWindowVisible(run.Item(ID_PICTURE_BASE + 2)));
  EXPECT_TRUE(IsWindowVisible(run.Item(ID_HINT_BASE + 2))) << "revealed hints come back";
  run.Answer(2, "x");
  run.Answer(2, "carre jaune");
  TickCacher(run, true);
  EXPECT_EQ(Layout(run), folded) << "tick, untick, tick: the same folded layout";
  TickCacher(run, false);
  // The question picture of 1 was replaced by its answer picture and its
  // hints were revealed: only those differ from the layout as built.
  run.Answer(1, "x");
  run.Answer(2, "x");
  run.Answer(3, "x");
  std::string now = Layout(run);
  EXPECT_EQ(now.replace(now.find("9901(46, 37) 260 x 130"), 22, "9901(46, 5) 260 x 195"), built);
}

TEST_F(PictureQuiz, FocusedAnswerScrollsBelowItsOwnPictureRow) {
  PlayerRun run;
  SendMessageA(run.panel, WM_VSCROLL, SB_TOP, 0);
  RECT client;
  GetClientRect(run.panel, &client);
  SetFocus(run.Item(ID_ANSWER_BASE + 4));  // row 1, 260 high, answer at 620
  const int max = 1040 - client.bottom;
  EXPECT_EQ(run.ScrollPos(SB_VERT), std::min(620 - 260 - 15, max));
  SetFocus(run.Item(ID_ANSWER_BASE + 1));
  EXPECT_EQ(run.ScrollPos(SB_VERT), 0);
}

TEST_F(PictureQuiz, RestoredSolvedAnswerShowsItsAnswerPictureAndHint) {
  WriteFileBytes(AnswersFilePath(), "rond\r\n\r\n\r\nnoir\r\n");
  PlayerRun run;
  EXPECT_EQ(run.Verdict(1), "BRAVO");
  EXPECT_TRUE(IsWindowVisible(run.Item(ID_HINT_BASE + 1)));
  EXPECT_EQ(Describe(run.PanelRect(ID_PICTURE_BASE + 1)), Describe(46, 37, 260, 130));
  EXPECT_EQ(BitmapSizeOf(run.Item(ID_PICTURE_BASE + 1)).cy, 130);
  // 300 x 300 into 260 x 260 (the BMP's row).
  EXPECT_EQ(Describe(run.PanelRect(ID_PICTURE_BASE + 4)), Describe(46, 350, 260, 260));
  EXPECT_EQ(run.Score(), " 2 / 7");
  EXPECT_EQ(run.Code(), "DEUX");
}
