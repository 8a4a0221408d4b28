#include "content/quiz_loader.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "content/lzw.h"

int HintTextsPerQuestion(int hint_mode) {
  switch (hint_mode) {
    case 1: case 2: case 4: return 1;
    case 3: case 6: return 2;
    default: return 0;
  }
}

void DescrambleBlock(uint8_t* bytes, size_t length, int* key_position) {
  int k = *key_position;
  for (size_t i = 1; i < length; ++i) {
    bytes[i] = static_cast<uint8_t>(bytes[i] ^ static_cast<uint8_t>(SCRAMBLE_KEY[k]));
    k = (k + 1) % SCRAMBLE_KEY_LENGTH;
  }
  *key_position = k;
}

int32_t UnpackBlock(const PackedBlock& block, int* key_position, uint8_t** out, size_t* out_size) {
  *out = nullptr;
  *out_size = 0;
  // Sizes beyond the unpacker's input limit are refused by it; clamp here
  // only so that the length fits its argument.
  int32_t length = block.size > static_cast<size_t>(LZW_MAX_INPUT) ? LZW_MAX_INPUT + 1
                                                                    : static_cast<int32_t>(block.size);
  const uint8_t* bytes = block.present ? block.bytes : nullptr;
  if (!bytes) length = 0;
  uint8_t* unpacked = nullptr;
  int32_t unpacked_length = 0;
  int32_t result = LzwUnpack(bytes, length, &unpacked, &unpacked_length);
  if (result != UNPACK_OK) {
    std::free(unpacked);
    unpacked = nullptr;
    std::vector<uint8_t> copy(bytes, bytes + (bytes ? block.size : 0));
    DescrambleBlock(copy.data(), copy.size(), key_position);
    result = LzwUnpack(copy.data(), length, &unpacked, &unpacked_length);
  }
  if (result != UNPACK_OK) {
    std::free(unpacked);
    return result;
  }
  *out = unpacked;
  *out_size = static_cast<size_t>(unpacked_length - 2);
  return result;
}

namespace {

// Position of the first stop byte at or after from, or size when none.
size_t FindByte(const uint8_t* bytes, size_t size, size_t from, uint8_t stop) {
  if (from >= size) return size;
  const void* hit = std::memchr(bytes + from, stop, size - from);
  return hit ? static_cast<size_t>(static_cast<const uint8_t*>(hit) - bytes) : size;
}

// The stored value of the bytes [from, end): up to a zero byte if it holds one.
std::string StoredText(const uint8_t* bytes, size_t from, size_t end) {
  if (from >= end) return std::string();
  const char* start = reinterpret_cast<const char*>(bytes + from);
  return std::string(start, strnlen(start, end - from));
}

// Reads the unpacked bytes of one block. The one place that checks the end:
// every read that would pass it fails and marks the reader broken.
struct BlockReader {
  const uint8_t* bytes;
  size_t size;
  size_t position;
  bool broken;

  bool Byte(uint8_t* value) {
    if (position >= size) {
      broken = true;
      return false;
    }
    *value = bytes[position++];
    return true;
  }

  // A text runs up to the next separator, which is passed over. The stored
  // value ends at a zero byte if the text holds one.
  bool Text(std::string* text, size_t capacity) {
    const size_t end = FindByte(bytes, size, position, TEXT_SEPARATOR);
    if (end >= size || end - position > capacity - 1) {
      broken = true;
      return false;
    }
    *text = StoredText(bytes, position, end);
    position = end + 1;
    return true;
  }
};

struct ParsedQuestion {
  std::string answer, second_answer, question_text, hint;
};

struct ParsedDefinition {
  int kind;
  int question_count;
  int answers_per_question;
  std::string title, author, explanation, answer_label, second_answer_label;
  std::vector<ParsedQuestion> questions;
  int hint_mode;
  uint8_t red, green, blue;
};


bool ParseDefinition(const uint8_t* bytes, size_t size, ParsedDefinition* d) {
  BlockReader r{bytes, size, 0, false};
  uint8_t unused = 0, kind = 0, count = 0, answers = 0;
  r.Byte(&unused);
  r.Byte(&kind);
  r.Byte(&count);
  r.Byte(&answers);
  if (r.broken || count > MAX_QUESTIONS) return false;
  d->kind = kind - 1;
  d->question_count = count;
  d->answers_per_question = answers == 2 ? 2 : 1;
  r.Text(&d->title, TEXT_FIELD_SIZE);
  r.Text(&d->author, TEXT_FIELD_SIZE);
  r.Text(&d->explanation, TEXT_FIELD_SIZE);
  r.Text(&d->answer_label, TEXT_FIELD_SIZE);
  r.Text(&d->second_answer_label, TEXT_FIELD_SIZE);
  d->questions.resize(count);
  for (ParsedQuestion& q : d->questions) {
    r.Text(&q.answer, TEXT_FIELD_SIZE);
    if (answers == 2) r.Text(&q.second_answer, TEXT_FIELD_SIZE);
    r.Text(&q.question_text, TEXT_FIELD_SIZE);
  }
  uint8_t hint_mode = 0;
  r.Byte(&hint_mode);
  d->hint_mode = hint_mode;
  const int texts = HintTextsPerQuestion(hint_mode);
  std::string skipped;
  for (ParsedQuestion& q : d->questions) {
    if (texts >= 1) r.Text(&q.hint, TEXT_FIELD_SIZE);
    if (texts == 2) r.Text(&skipped, TEXT_FIELD_SIZE);
  }
  r.Byte(&d->red);
  r.Byte(&d->green);
  r.Byte(&d->blue);
  return !r.broken;
}

void ApplyDefinition(QuizRecord* quiz, const ParsedDefinition& d) {
  quiz->kind = d.kind;
  quiz->question_count = d.question_count;
  quiz->answers_per_question = d.answers_per_question;
  CopyText(quiz->title, d.title.c_str());
  CopyText(quiz->author, d.author.c_str());
  CopyText(quiz->explanation, d.explanation.c_str());
  CopyText(quiz->answer_label, d.answer_label.c_str());
  CopyText(quiz->second_answer_label, d.second_answer_label.c_str());
  for (const ParsedQuestion& q : d.questions)
    AppendQuestion(quiz, q.answer.c_str(), q.second_answer.c_str(), q.question_text.c_str());
  quiz->hint_mode = d.hint_mode;
  for (int k = 0; k < d.question_count; ++k) {
    QuestionEntry* node = QuestionAt(quiz, k);
    if (node) CopyText(node->hint, d.questions[static_cast<size_t>(k)].hint.c_str());
  }
  quiz->colour_red = d.red;
  quiz->colour_green = d.green;
  quiz->colour_blue = d.blue;
}

void ApplyHeader(QuizRecord* quiz, const uint8_t* bytes, size_t size) {
  // A header text that overruns its field or lacks its separator is cut or
  // left empty rather than refused: the link and status are decoration.
  const size_t link_end = FindByte(bytes, size, 2, TEXT_SEPARATOR);
  const size_t status_end = FindByte(bytes, size, link_end + 1, TEXT_SEPARATOR);
  CopyText(quiz->link, StoredText(bytes, 2, link_end).c_str());
  CopyText(quiz->status_text, StoredText(bytes, link_end + 1, status_end).c_str());
}

void FillDemonstration(QuizRecord* quiz) {
  CopyText(quiz->title, "Nom du lumbo");
  CopyText(quiz->author, "Createur lumbo");
  CopyText(quiz->explanation, "Explications du lumbo");
  CopyText(quiz->answer_label, "TEST");
  CopyText(quiz->second_answer_label, "TEST");
  quiz->question_count = 7;
  quiz->answers_per_question = 1;
  quiz->kind = QUIZ_PICTURE;
  quiz->hint_mode = 3;
  quiz->colour_red = 51;
  quiz->colour_green = 102;
  quiz->colour_blue = 255;
  AppendQuestion(quiz, "TEST", "TEST", "emplacement");
  AppendQuestion(quiz, "TEST", "TEST", "emplacement");
}

void ApplyCodes(QuizRecord* quiz, const uint8_t* bytes, size_t size) {
  size_t position = 0;
  for (int k = 0; k < quiz->question_count && k < MAX_QUESTIONS; ++k) {
    const size_t end = FindByte(bytes, size, position, '\r');
    CopyText(quiz->score_codes[k], StoredText(bytes, position, end).c_str());
    position = end + 2;  // past CR LF; beyond the end every later code is empty
  }
}

void Tell(LoadMessageFn message, void* context, const char* text) {
  if (message) message(context, text);
}

}  // namespace

LoadOutcome LoadQuizFromBlocks(QuizRecord* quiz, const QuizBlocks& blocks, LoadMessageFn message,
                               void* context) {
  int key_position = 0;
  uint8_t* unpacked = nullptr;
  size_t size = 0;

  PackedBlock header = blocks.header;
  if (header.size > HEADER_BLOCK_SIZE) header.size = HEADER_BLOCK_SIZE;
  if (UnpackBlock(header, &key_position, &unpacked, &size) != UNPACK_OK) {
    Tell(message, context, MSG_HEADER_ERROR);
    quiz->question_count = 0;
    return LOAD_HEADER_ERROR;
  }
  ApplyHeader(quiz, unpacked, size);
  std::free(unpacked);

  if (!blocks.definition.present || blocks.definition.size == 0) {
    Tell(message, context, MSG_NO_DEFINITION);
    FillDemonstration(quiz);
    return LOAD_NO_DEFINITION;
  }
  ParsedDefinition definition{};
  bool parsed = false;
  if (UnpackBlock(blocks.definition, &key_position, &unpacked, &size) == UNPACK_OK) {
    parsed = ParseDefinition(unpacked, size, &definition);
    std::free(unpacked);
  }
  if (!parsed) {
    Tell(message, context, MSG_DEFINITION_ERROR);
    quiz->question_count = 0;
    return LOAD_DEFINITION_ERROR;
  }
  ApplyDefinition(quiz, definition);

  key_position = 0;
  if (UnpackBlock(blocks.codes, &key_position, &unpacked, &size) != UNPACK_OK) {
    Tell(message, context, MSG_CODES_ERROR);
    return LOAD_CODES_ERROR;
  }
  ApplyCodes(quiz, unpacked, size);
  std::free(unpacked);
  return LOAD_OK;
}
