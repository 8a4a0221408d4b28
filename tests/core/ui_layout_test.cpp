#include "ui/panel_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/control_ids.h"

// Global so that the gtest macros find them by argument-dependent lookup.
static bool operator==(const ControlRect& a, const ControlRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

static std::ostream& operator<<(std::ostream& out, const ControlRect& r) {
  return out << "(" << r.x << ", " << r.y << ") " << r.width << " x " << r.height;
}

TEST(PanelLayout, AnswerEditsMapToTheirQuestion) {
  const struct {
    int edit, n, question, which;
  } cases[] = {
      {4001, 1, 1, 1}, {4007, 1, 7, 1}, {4096, 1, 96, 1},
      {4001, 2, 1, 1}, {4002, 2, 1, 2}, {4003, 2, 2, 1}, {4004, 2, 2, 2}, {4192, 2, 96, 2},
  };
  for (const auto& c : cases) {
    const AnswerSlot slot = AnswerSlotOfEdit(c.edit, c.n);
    EXPECT_EQ(slot.question, c.question) << c.edit << " n=" << c.n;
    EXPECT_EQ(slot.which, c.which) << c.edit << " n=" << c.n;
    EXPECT_EQ(AnswerNumber(slot.question, slot.which, c.n), c.edit - ID_ANSWER_BASE);
  }
}

TEST(PanelLayout, TextRowsAre25PixelsApart) {
  int y = PANEL_FIRST_ROW_Y;
  const int want_number_y[] = {7, 32, 57};
  for (int want : want_number_y) {
    const TextRowRects row = TextRowLayout(y);
    EXPECT_EQ(row.number, (ControlRect{26, want, 19, 17}));
    EXPECT_EQ(row.text, (ControlRect{50, y, 550, 20}));
    EXPECT_EQ(row.answer, (ControlRect{610, y, 170, 20}));
    EXPECT_EQ(row.verdict, (ControlRect{790, y, 100, 20}));
    y += TEXT_ROW_PITCH;
  }
  EXPECT_EQ(y, 80);  // content height of three questions
}

TEST(PanelLayout, GridColumnsAndCells) {
  const int one[] = {46, 336, 626};
  const int two[] = {106, 396, 686};
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(GridCellLeft(c, 1), one[c]);
    EXPECT_EQ(GridCellLeft(c, 2), two[c]);
  }
  const int questions[] = {1, 2, 3, 4, 96};
  const int rows[] = {0, 0, 0, 1, 31};
  const int columns[] = {0, 1, 2, 0, 2};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(GridRow(questions[i]), rows[i]);
    EXPECT_EQ(GridColumn(questions[i]), columns[i]);
  }

  const GridCellRects picture = GridCellLayout(336, 5, 205, QUIZ_PICTURE, 1);
  EXPECT_EQ(picture.number, (ControlRect{308, 207, 27, 17}));
  EXPECT_EQ(picture.answers[0], (ControlRect{336, 205, 260, 20}));
  EXPECT_EQ(picture.verdicts[0], (ControlRect{336, 224, 260, 20}));
  EXPECT_EQ(picture.hint, (ControlRect{336, 251, 260, 65}));

  const GridCellRects pair = GridCellLayout(106, 5, 205, QUIZ_PICTURE, 2);
  EXPECT_EQ(pair.answers[0], (ControlRect{106, 205, 201, 20}));
  EXPECT_EQ(pair.verdicts[0], (ControlRect{306, 205, 60, 20}));
  EXPECT_EQ(pair.answers[1], (ControlRect{106, 224, 201, 20}));
  EXPECT_EQ(pair.verdicts[1], (ControlRect{306, 224, 60, 20}));
  EXPECT_EQ(pair.row_labels[0], (ControlRect{4, 207, 95, 20}));
  EXPECT_EQ(pair.row_labels[1], (ControlRect{3, 227, 95, 20}));

  const GridCellRects video = GridCellLayout(46, 5, 215, QUIZ_VIDEO, 1);
  EXPECT_EQ(video.media_host, (ControlRect{46, 5, 260, 200}));
  EXPECT_EQ(video.answers[0], (ControlRect{66, 215, 240, 20}));
  EXPECT_EQ(video.play, (ControlRect{46, 215, 20, 20}));
  EXPECT_EQ(video.stop, (ControlRect{46, 235, 20, 19}));
  EXPECT_EQ(GridCellLayout(46, 5, 5, QUIZ_AUDIO, 1).media_host, (ControlRect{46, 5, 0, 0}));

  EXPECT_EQ(MediaHeight(QUIZ_PICTURE, 195), 205);
  EXPECT_EQ(MediaHeight(QUIZ_VIDEO, 0), 210);
  EXPECT_EQ(MediaHeight(QUIZ_AUDIO, 0), 0);
  // Halves truncate toward zero; a picture that did not load is 260 x 0.
  EXPECT_EQ(CenteredPicture(46, 5, 195, 131, 100), (ControlRect{110, 52, 131, 100}));
  EXPECT_EQ(CenteredPicture(46, 5, 195, 260, 0), (ControlRect{46, 102, 260, 0}));
}

TEST(PanelLayout, ScrollRangeRules) {
  const struct {
    int client, content;
    bool reset;
    int maximum, page;
  } cases[] = {
      {400, 1000, false, 998, 399},  // position runs 0..600
      {400, 400, true, 398, 399},
      {400, 80, true, 78, 79},
      {400, 0, true, -2, 0},  // empty panel
  };
  for (const auto& c : cases) {
    const ScrollRange r = PanelScrollRange(c.client, c.content);
    EXPECT_EQ(r.reset_position, c.reset) << c.client << "/" << c.content;
    EXPECT_EQ(r.maximum, c.maximum) << c.client << "/" << c.content;
    EXPECT_EQ(r.page, c.page) << c.client << "/" << c.content;
  }
}

TEST(PanelLayout, ScrollCodesMoveAndClamp) {
  const ScrollBarState bar = {0, 998, 399, 500, 123};
  const struct {
    int code;
    bool vertical;
    int want;
  } cases[] = {
      {0, true, 190},   {1, true, 810},   {0, false, 499}, {1, false, 501},
      {2, true, 101},   {3, true, 899},   {2, false, 101}, {5, true, 123}, {5, false, 123},
      {6, true, 0},     {6, false, 500},  {7, true, 998},  {7, false, 500},
      {PANEL_WHEEL_DOWN, true, 550},      {PANEL_WHEEL_UP, true, 450},
      {PANEL_WHEEL_DOWN, false, 500},     {4, true, 500},  {8, true, 500}, {999, true, 500},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NextScrollPosition(c.code, c.vertical, bar), c.want)
        << "code " << c.code << (c.vertical ? " vertical" : " horizontal");
  const ScrollBarState top = {0, 998, 399, 20, 0};
  EXPECT_EQ(NextScrollPosition(0, true, top), 0);
  EXPECT_EQ(NextScrollPosition(PANEL_WHEEL_UP, true, top), 0);
  const ScrollBarState empty = {0, -2, 0, 0, 0};
  EXPECT_EQ(NextScrollPosition(1, true, empty), 0);
}

TEST(PanelLayout, OnlyOneWheelNotchScrolls) {
  EXPECT_EQ(WheelScrollCode(120), PANEL_WHEEL_UP);
  EXPECT_EQ(WheelScrollCode(0xFF88), PANEL_WHEEL_DOWN);
  for (unsigned other : {0u, 240u, 0xFF10u, 60u, 121u}) EXPECT_EQ(WheelScrollCode(other), 0) << other;
}

TEST(PanelLayout, FocusedAnswerScrollsBelowItsPictureRow) {
  // Panel 909 x 532 scrolled to (0, 0); an edit at content (64, 205).
  EXPECT_FALSE(FocusScrollTarget(64, 205, 0, 0, 909, 532, 195).move);
  // The same edit two rows further down is out of view: it lands one picture
  // row plus 15 pixels below the top edge.
  const FocusScroll down = FocusScrollTarget(64, 1005, 0, 0, 909, 532, 195);
  EXPECT_TRUE(down.move);
  EXPECT_EQ(down.y, 1005 - 195 - 15);
  EXPECT_EQ(down.x, 64 - 130);
  // Scrolled past it: out of view upwards.
  EXPECT_TRUE(FocusScrollTarget(64, 205, 0, 300, 909, 532, 195).move);
  // Horizontally: x + 130 must lie within [sx, sx + width - 15].
  EXPECT_TRUE(FocusScrollTarget(790, 205, 0, 0, 909, 532, 0).move);
  EXPECT_FALSE(FocusScrollTarget(764, 205, 0, 0, 909, 532, 0).move);
}

namespace {

struct HideFixture {
  QuizRecord quiz;
  explicit HideFixture(int count, int hint_mode = 0) {
    InitQuizRecord(&quiz);
    quiz.kind = QUIZ_PICTURE;
    quiz.question_count = count;
    quiz.hint_mode = hint_mode;
    for (int q = 1; q <= count; ++q) AppendQuestion(&quiz, "A", "", "");
    for (int r = 0; r < MAX_ROWS; ++r) quiz.row_heights[r] = 100 + r;
    quiz.content_height = 1000;
  }
  ~HideFixture() { FreeQuestions(&quiz); }
  void Solve(int q) { QuestionAt(&quiz, q - 1)->solved = 1; }
  std::vector<HideStep> Pass(bool ticked) {
    std::vector<HideStep> steps;
    PlanHideSolved(&quiz, ticked, &steps);
    return steps;
  }
};

}  // namespace

static bool operator==(const HideStep& a, const HideStep& b) {
  return a.mode == b.mode && a.question == b.question && a.amount == b.amount &&
         a.direction == b.direction;
}

static std::ostream& operator<<(std::ostream& out, const HideStep& s) {
  return out << "{mode " << s.mode << ", q " << s.question << ", " << s.amount << " x "
             << s.direction << "}";
}

TEST(HideSolved, SolvedPicturesFoldAndFullRowsCollapse) {
  HideFixture f(7, 2);
  f.Solve(1);
  f.Solve(2);
  EXPECT_EQ(f.Pass(true), (std::vector<HideStep>{{HIDE_STEP_HIDE, 1, 100, -1},
                                                 {HIDE_STEP_HIDE, 2, 100, -1}}));
  EXPECT_EQ(f.quiz.content_height, 1000);
  f.Solve(3);
  // The third solved question collapses row 0: later questions move up by the
  // row height plus 65 for the hints, and the content shrinks as much.
  EXPECT_EQ(f.Pass(true), (std::vector<HideStep>{{HIDE_STEP_HIDE, 3, 100, -1},
                                                 {HIDE_STEP_SHIFT, 4, 165, -1},
                                                 {HIDE_STEP_SHIFT, 5, 165, -1},
                                                 {HIDE_STEP_SHIFT, 6, 165, -1},
                                                 {HIDE_STEP_SHIFT, 7, 165, -1}}));
  EXPECT_EQ(f.quiz.content_height, 835);
  EXPECT_EQ(f.quiz.question_states[3], QS_ROW_COLLAPSED);
  // A collapsed row is not collapsed twice.
  EXPECT_TRUE(f.Pass(true).empty());
  EXPECT_EQ(f.quiz.content_height, 835);
  // Unticking restores everything.
  EXPECT_EQ(f.Pass(false), (std::vector<HideStep>{{HIDE_STEP_SHOW, 1, 100, 1},
                                                  {HIDE_STEP_SHOW, 2, 100, 1},
                                                  {HIDE_STEP_SHOW, 3, 100, 1},
                                                  {HIDE_STEP_SHIFT, 4, 165, 1},
                                                  {HIDE_STEP_SHIFT, 5, 165, 1},
                                                  {HIDE_STEP_SHIFT, 6, 165, 1},
                                                  {HIDE_STEP_SHIFT, 7, 165, 1}}));
  EXPECT_EQ(f.quiz.content_height, 1000);
  for (int q = 1; q <= 7; ++q) EXPECT_EQ(f.quiz.question_states[q], QS_SHOWN);
}

TEST(HideSolved, TickUntickTickGivesTheSameLayout) {
  HideFixture f(6);
  for (int q : {1, 2, 3, 5}) f.Solve(q);
  const std::vector<HideStep> first = f.Pass(true);
  const int height = f.quiz.content_height;
  EXPECT_EQ(height, 900);  // row 0 collapsed by 100, no hints
  f.Pass(false);
  EXPECT_EQ(f.Pass(true), first);
  EXPECT_EQ(f.quiz.content_height, height);
}

TEST(HideSolved, ShortLastRowNeverCollapses) {
  HideFixture f(5);
  for (int q = 1; q <= 5; ++q) f.Solve(q);
  const std::vector<HideStep> steps = f.Pass(true);
  EXPECT_EQ(f.quiz.question_states[4], QS_HIDDEN);
  EXPECT_EQ(f.quiz.question_states[5], QS_HIDDEN);
  EXPECT_EQ(f.quiz.question_states[3], QS_ROW_COLLAPSED);
  EXPECT_EQ(f.quiz.content_height, 900);
  // Second row questions fold with their own row's height.
  EXPECT_EQ(steps.back(), (HideStep{HIDE_STEP_HIDE, 5, 101, -1}));
}

TEST(HideSolved, UntickedPassWithNothingHiddenDoesNothing) {
  HideFixture f(4);
  f.Solve(1);
  EXPECT_TRUE(f.Pass(false).empty());
  EXPECT_EQ(f.quiz.content_height, 1000);
}

TEST(HideSolved, NinetySixQuestionsStayInsideTheTables) {
  HideFixture f(96, 3);
  for (int q = 1; q <= 96; ++q) f.Solve(q);
  f.Pass(true);
  EXPECT_EQ(f.quiz.question_states[96], QS_ROW_COLLAPSED);
  // Every one of the 32 rows collapsed by its height + 65.
  int folded = 0;
  for (int r = 0; r < MAX_ROWS; ++r) folded += 100 + r + 65;
  EXPECT_EQ(f.quiz.content_height, 1000 - folded);
  f.Pass(false);
  EXPECT_EQ(f.quiz.content_height, 1000);
  // A count beyond the tables is held to them.
  f.quiz.question_count = 300;
  EXPECT_EQ(BoundedQuestionCount(&f.quiz), MAX_QUESTIONS);
  f.Pass(true);
  f.quiz.question_count = -4;
  EXPECT_EQ(BoundedQuestionCount(&f.quiz), 0);
}
