// The player built without a quiz: the loader says so and shows the
// demonstration quiz, whose seven questions share two entries.
#include "tests/win/ui_harness.h"

TEST(DemoQuiz, MissingDefinitionShowsTheDemonstrationQuiz) {
  TempDirectory directory;
  MessageBoxCatcher boxes;
  PlayerRun run;
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0], "Aucune solution lue !");
  EXPECT_EQ(boxes.captions[0], "Lumbo");
  EXPECT_EQ(run.Text(run.bar, ID_TITLE), "Nom du lumbo");
  EXPECT_EQ(run.Text(run.bar, ID_AUTHOR), "Createur lumbo");
  EXPECT_EQ(run.Score(), " 0 / 7");
  EXPECT_NE(GetDlgItem(run.bar, ID_HIDE), nullptr) << "a picture quiz";
  LOGBRUSH colour = {};
  GetObjectA(run.quiz->background_brush, sizeof colour, &colour);
  EXPECT_EQ(colour.lbColor, RGB(51, 102, 255));
  // Questions 2 to 7 all resolve to the second entry: "TEST".
  for (int a = 1; a <= 7; ++a) ASSERT_NE(run.Item(ID_ANSWER_BASE + a), nullptr) << a;
  run.Answer(7, "test");
  EXPECT_EQ(run.Verdict(7), "BRAVO");
  EXPECT_EQ(run.Score(), " 1 / 7");
  EXPECT_EQ(run.Code(), "") << "a demonstration quiz has no codes";
}
