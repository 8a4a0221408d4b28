// The definition loader on any packed definition and codes block (the first
// input byte splits the rest between the two), scrambled or not: never a
// fault, and the record never claims more questions than its tables hold.
#include <cstdint>
#include <cstdlib>

#include "content/quiz_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  size_t split = data[0] * (size - 1) / 255;
  const uint8_t* rest = data + 1;
  // The packed header "\0\0||": empty link and status.
  static const uint8_t header[HEADER_BLOCK_SIZE] = {0x00, 0x00, 0x0F, 0x87, 0xC8, 0x00};
  QuizBlocks blocks{{header, sizeof header, true},
                    {rest, split, split > 0},
                    {rest + split, size - 1 - split, true}};
  QuizRecord quiz;
  InitQuizRecord(&quiz);
  LoadQuizFromBlocks(&quiz, blocks, nullptr, nullptr);
  if (quiz.question_count > MAX_QUESTIONS || quiz.answers_per_question < 1 ||
      quiz.answers_per_question > 2)
    std::abort();
  int nodes = 0;
  for (QuestionEntry* q = quiz.first_question; q; q = q->next) ++nodes;
  if (nodes > MAX_QUESTIONS) std::abort();
  FreeQuestions(&quiz);
  return 0;
}
