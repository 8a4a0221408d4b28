// The loader's inverse, for quiz authors: turns a quiz into its three packed
// blocks (header block, definition, codes), scrambled or not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct QuizQuestionSource {
  std::string answer;         // Windows-1252, like every text here
  std::string second_answer;  // used when answers_per_question is 2
  std::string question_text;
  std::string hint;           // used by hint modes 1, 2, 3, 4 and 6
};

struct QuizContent {
  int kind = 0;  // QuizKind
  int answers_per_question = 1;
  std::string title;
  std::string author;
  std::string explanation;
  std::string answer_label;
  std::string second_answer_label;
  std::vector<QuizQuestionSource> questions;
  int hint_mode = 0;
  uint8_t colour_red = 90;
  uint8_t colour_green = 95;
  uint8_t colour_blue = 150;
  std::vector<std::string> codes;  // codes[k] is shown at score k + 1
  std::string link;                // at most 24 characters
  std::string status_text;         // at most 42 characters
  bool scrambled = false;
};

struct QuizBlocksData {
  std::vector<uint8_t> header;  // exactly HEADER_BLOCK_SIZE bytes
  std::vector<uint8_t> definition;
  std::vector<uint8_t> codes;
};

enum WriteError {
  WRITE_OK,
  WRITE_BAD_KIND,             // kind outside 0..3
  WRITE_BAD_ANSWER_COUNT,     // answers per question not 1 or 2
  WRITE_BAD_HINT_MODE,        // hint mode outside 0..6
  WRITE_TOO_MANY_QUESTIONS,   // more than MAX_QUESTIONS
  WRITE_TEXT_TOO_LONG,        // a text longer than its field
  WRITE_TEXT_HAS_SEPARATOR,   // a text holding "|" (or a code holding CR/LF)
  WRITE_TEXT_HAS_ZERO,        // a text holding a zero byte
  WRITE_TOO_MANY_CODES,       // more codes than questions
  WRITE_HEADER_TOO_LONG,      // link and status do not pack into 70 bytes
  WRITE_DEFINITION_TOO_LONG,  // unpacks to more than the unpacker's 30000 bytes
  WRITE_SCRAMBLE_AMBIGUOUS,   // a scrambled block would also unpack as stored
};

// Short English name of the error, for messages ("text too long").
const char* WriteErrorText(WriteError error);

// Builds the blocks. On failure *where names the offending item
// ("title", "question 3 answer", "code 2", ...).
WriteError WriteQuizBlocks(const QuizContent& quiz, QuizBlocksData* blocks, std::string* where);
