#include "content/quiz_record.h"

#include <gtest/gtest.h>

#include <string>

TEST(QuizRecord, ConstructionDefaults) {
  QuizRecord quiz;
  InitQuizRecord(&quiz);
  EXPECT_EQ(quiz.first_question, nullptr);
  EXPECT_EQ(quiz.question_count, 2);
  EXPECT_STREQ(quiz.title, "nom du lumbo");
  EXPECT_STREQ(quiz.author, " createur");
  EXPECT_EQ(quiz.colour_red, 90);
  EXPECT_EQ(quiz.colour_green, 95);
  EXPECT_EQ(quiz.colour_blue, 150);
  EXPECT_EQ(quiz.answers_per_question, 1);
}

TEST(QuizRecord, QuestionAtWalksInAppendOrderAndClampsToTheLast) {
  QuizRecord quiz;
  InitQuizRecord(&quiz);
  EXPECT_EQ(QuestionAt(&quiz, 0), nullptr);
  AppendQuestion(&quiz, "un", "", "q1");
  QuestionEntry* first = quiz.last_question;
  AppendQuestion(&quiz, "deux", "", "q2");
  AppendQuestion(&quiz, "trois", "bis", "q3");
  EXPECT_EQ(first->next, QuestionAt(&quiz, 1));
  EXPECT_EQ(QuestionAt(&quiz, 2)->prev, QuestionAt(&quiz, 1));
  const struct {
    int index;
    const char* answer;
  } cases[] = {{0, "un"}, {1, "deux"}, {2, "trois"}, {3, "trois"}, {10, "trois"}, {-1, "trois"}};
  for (const auto& c : cases) EXPECT_STREQ(QuestionAt(&quiz, c.index)->answer, c.answer) << c.index;
  EXPECT_STREQ(QuestionAt(&quiz, 2)->hint, "");
  EXPECT_EQ(QuestionAt(&quiz, 2)->solved, 0);
  FreeQuestions(&quiz);
  EXPECT_EQ(quiz.first_question, nullptr);
  EXPECT_EQ(quiz.last_question, nullptr);
}

TEST(QuizRecord, CopiesNeverPassAField) {
  QuizRecord quiz;
  InitQuizRecord(&quiz);
  std::string long_text(400, 'x');
  AppendQuestion(&quiz, long_text.c_str(), "", "");
  EXPECT_EQ(std::string(quiz.first_question->answer), std::string(259, 'x'));
  CopyText(quiz.link, long_text.c_str());
  EXPECT_EQ(std::string(quiz.link), std::string(24, 'x'));
  FreeQuestions(&quiz);
}
