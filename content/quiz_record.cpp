#include "content/quiz_record.h"

#include <cstdlib>
#include <cstring>

void CopyText(char* field, size_t capacity, const char* src) {
  if (capacity == 0) return;
  size_t n = std::strlen(src);
  if (n > capacity - 1) n = capacity - 1;
  std::memmove(field, src, n);
  field[n] = '\0';
}

void InitQuizRecord(QuizRecord* quiz) {
  std::memset(quiz, 0, sizeof *quiz);
  quiz->kind = QUIZ_TEXT;
  CopyText(quiz->title, "nom du lumbo");
  CopyText(quiz->author, " createur");
  quiz->question_count = 2;
  quiz->colour_red = 90;
  quiz->colour_green = 95;
  quiz->colour_blue = 150;
  quiz->answers_per_question = 1;
}

void FreeQuestions(QuizRecord* quiz) {
  QuestionEntry* node = quiz->first_question;
  while (node) {
    QuestionEntry* next = node->next;
    std::free(node);
    node = next;
  }
  quiz->first_question = nullptr;
  quiz->last_question = nullptr;
}

void AppendQuestion(QuizRecord* quiz, const char* answer, const char* second_answer,
                    const char* question_text) {
  auto* node = static_cast<QuestionEntry*>(std::calloc(1, sizeof(QuestionEntry)));
  if (!node) return;
  CopyText(node->answer, answer);
  CopyText(node->second_answer, second_answer);
  CopyText(node->question_text, question_text);
  node->prev = quiz->last_question;
  if (quiz->last_question) quiz->last_question->next = node;
  if (!quiz->first_question) quiz->first_question = node;
  quiz->last_question = node;
}

QuestionEntry* QuestionAt(const QuizRecord* quiz, int index) {
  QuestionEntry* node = quiz->first_question;
  unsigned steps = static_cast<unsigned>(index);
  for (unsigned i = 0; node && node->next && i < steps; ++i) node = node->next;
  return node;
}
