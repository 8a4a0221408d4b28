#include "tools/lumbo/quiz_source.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(QuizSource, ReadsQuizAndQuestionKeys) {
  const std::string text =
      "\xEF\xBB\xBF# Un quiz\n"
      "title: Capitales d'Europe\n"
      "author: \" Mme Dupont\"\n"
      "kind: picture\n"
      "answers: 2\n"
      "hint-mode: 3\n"
      "colour: 51 102 255\n"
      "link: www.example.fr\n"
      "status: Classe de 4e B\n"
      "scrambled: yes\n"
      "code: ALPHA\n"
      "code: \n"
      "\n"
      "question: \n"
      "answer: Paris\n"
      "second-answer: France\n"
      "hint: Ville lumi\xC3\xA8re\n"
      "picture: paris.jpg\n"
      "answer-picture: /abs/tour.png\n"
      "question: Deuxi\xC3\xA8me\r\n"
      "answer: Rome\r\n";
  QuizSource source;
  std::string error;
  ASSERT_TRUE(ParseQuizSource(text, "dir", &source, &error)) << error;
  const QuizContent& q = source.content;
  EXPECT_EQ(q.title, "Capitales d'Europe");
  EXPECT_EQ(q.author, " Mme Dupont");
  EXPECT_EQ(q.kind, 1);
  EXPECT_EQ(q.answers_per_question, 2);
  EXPECT_EQ(q.hint_mode, 3);
  EXPECT_EQ(q.colour_green, 102);
  EXPECT_TRUE(q.scrambled);
  EXPECT_EQ(q.codes, (std::vector<std::string>{"ALPHA", ""}));
  ASSERT_EQ(q.questions.size(), 2u);
  EXPECT_EQ(q.questions[0].hint, "Ville lumi\xE8re");
  EXPECT_EQ(q.questions[1].question_text, "Deuxi\xE8me");
  EXPECT_EQ(q.questions[1].answer, "Rome");
  ASSERT_EQ(source.media.size(), 2u);
  EXPECT_EQ(source.media[0].resource_id, 401);
  EXPECT_EQ(source.media[0].path, "dir/paris.jpg");
  EXPECT_EQ(source.media[1].resource_id, 10401);
  EXPECT_EQ(source.media[1].path, "/abs/tour.png");
}

TEST(QuizSource, ErrorsNameTheLine) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"title: ok\nkind: essay\n", "2: kind must be text, picture, audio or video"},
      {"no colon here\n", "1: expected 'key: value'"},
      {"question: q\nanswer: \xE2\x82\xAC ok\nanswer: \xE2\x98\x83\n", "3: character at byte 1"},
      {"colour: 1 2\n", "1: colour must be three numbers 0-255: red green blue"},
      {"answers: 3\n", "1: answers must be 1 or 2"},
      {"answer: before any question\n", "1: unknown key 'answer'"},
  };
  for (const auto& c : cases) {
    QuizSource source;
    std::string error;
    EXPECT_FALSE(ParseQuizSource(c.text, ".", &source, &error)) << c.text;
    EXPECT_EQ(error.compare(0, std::strlen(c.error), c.error), 0) << "have " << error << ", want " << c.error;
  }
}
