#include "content/quiz_writer.h"

#include <cstdlib>
#include <cstring>

#include "content/lzw.h"
#include "content/quiz_loader.h"
#include "content/quiz_record.h"

const char* WriteErrorText(WriteError error) {
  switch (error) {
    case WRITE_OK: return "no error";
    case WRITE_BAD_KIND: return "kind must be text, picture, audio or video";
    case WRITE_BAD_ANSWER_COUNT: return "answers per question must be 1 or 2";
    case WRITE_BAD_HINT_MODE: return "hint mode must be 0 to 6";
    case WRITE_TOO_MANY_QUESTIONS: return "more than 96 questions";
    case WRITE_TEXT_TOO_LONG: return "text too long";
    case WRITE_TEXT_HAS_SEPARATOR: return "text holds a character the format reserves ('|', or a line break in a code)";
    case WRITE_TEXT_HAS_ZERO: return "text holds a zero byte";
    case WRITE_TOO_MANY_CODES: return "more progress codes than questions";
    case WRITE_HEADER_TOO_LONG: return "link and status text do not pack into the 70-byte header block";
    case WRITE_DEFINITION_TOO_LONG: return "the quiz's texts exceed the 30000 bytes the player can unpack";
    case WRITE_SCRAMBLE_AMBIGUOUS: return "a scrambled block would also read as unscrambled; write it unscrambled";
  }
  return "unknown error";
}

namespace {

struct Writer {
  std::string* where;
  WriteError error = WRITE_OK;

  bool Fail(WriteError e, const std::string& item) {
    if (error == WRITE_OK) {
      error = e;
      *where = item;
    }
    return false;
  }

  bool CheckText(const std::string& text, size_t capacity, const std::string& item) {
    if (text.find('\0') != std::string::npos) return Fail(WRITE_TEXT_HAS_ZERO, item);
    if (text.find(TEXT_SEPARATOR) != std::string::npos) return Fail(WRITE_TEXT_HAS_SEPARATOR, item);
    if (text.size() > capacity - 1) return Fail(WRITE_TEXT_TOO_LONG, item);
    return true;
  }

  void Text(std::vector<uint8_t>* out, const std::string& text, size_t capacity,
            const std::string& item) {
    CheckText(text, capacity, item);
    out->insert(out->end(), text.begin(), text.end());
    out->push_back(static_cast<uint8_t>(TEXT_SEPARATOR));
  }
};

std::string QuestionItem(size_t index, const char* what) {
  return "question " + std::to_string(index + 1) + " " + what;
}

bool UnpacksAsStored(const std::vector<uint8_t>& block) {
  uint8_t* out = nullptr;
  int32_t length = 0;
  int32_t result = LzwUnpack(block.data(), static_cast<int32_t>(block.size()), &out, &length);
  std::free(out);
  return result == UNPACK_OK;
}

}  // namespace

WriteError WriteQuizBlocks(const QuizContent& quiz, QuizBlocksData* blocks, std::string* where) {
  Writer w{where};
  where->clear();
  if (quiz.kind < 0 || quiz.kind > 3) w.Fail(WRITE_BAD_KIND, "kind");
  if (quiz.answers_per_question != 1 && quiz.answers_per_question != 2)
    w.Fail(WRITE_BAD_ANSWER_COUNT, "answers");
  if (quiz.hint_mode < 0 || quiz.hint_mode > 6) w.Fail(WRITE_BAD_HINT_MODE, "hint mode");
  if (quiz.questions.size() > static_cast<size_t>(MAX_QUESTIONS))
    w.Fail(WRITE_TOO_MANY_QUESTIONS, "questions");
  if (quiz.codes.size() > quiz.questions.size()) w.Fail(WRITE_TOO_MANY_CODES, "codes");
  if (w.error != WRITE_OK) return w.error;

  // Header block: two unread bytes, then link and status.
  std::vector<uint8_t> header = {0, 0};
  w.Text(&header, quiz.link, LINK_FIELD_SIZE, "link");
  w.Text(&header, quiz.status_text, STATUS_FIELD_SIZE, "status");

  std::vector<uint8_t> definition = {0, static_cast<uint8_t>(quiz.kind + 1),
                                     static_cast<uint8_t>(quiz.questions.size()),
                                     static_cast<uint8_t>(quiz.answers_per_question)};
  w.Text(&definition, quiz.title, TEXT_FIELD_SIZE, "title");
  w.Text(&definition, quiz.author, TEXT_FIELD_SIZE, "author");
  w.Text(&definition, quiz.explanation, TEXT_FIELD_SIZE, "explanation");
  w.Text(&definition, quiz.answer_label, TEXT_FIELD_SIZE, "answer label");
  w.Text(&definition, quiz.second_answer_label, TEXT_FIELD_SIZE, "second answer label");
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    const QuizQuestionSource& q = quiz.questions[i];
    w.Text(&definition, q.answer, TEXT_FIELD_SIZE, QuestionItem(i, "answer"));
    if (quiz.answers_per_question == 2)
      w.Text(&definition, q.second_answer, TEXT_FIELD_SIZE, QuestionItem(i, "second answer"));
    w.Text(&definition, q.question_text, TEXT_FIELD_SIZE, QuestionItem(i, "text"));
  }
  definition.push_back(static_cast<uint8_t>(quiz.hint_mode));
  const int hint_texts = HintTextsPerQuestion(quiz.hint_mode);
  for (size_t i = 0; i < quiz.questions.size(); ++i) {
    if (hint_texts >= 1) w.Text(&definition, quiz.questions[i].hint, TEXT_FIELD_SIZE, QuestionItem(i, "hint"));
    if (hint_texts == 2) w.Text(&definition, "", TEXT_FIELD_SIZE, QuestionItem(i, "hint"));
  }
  definition.push_back(quiz.colour_red);
  definition.push_back(quiz.colour_green);
  definition.push_back(quiz.colour_blue);

  std::vector<uint8_t> codes;
  for (size_t k = 0; k < quiz.codes.size(); ++k) {
    const std::string& code = quiz.codes[k];
    const std::string item = "code " + std::to_string(k + 1);
    if (code.find_first_of("\r\n") != std::string::npos) w.Fail(WRITE_TEXT_HAS_SEPARATOR, item);
    if (code.find('\0') != std::string::npos) w.Fail(WRITE_TEXT_HAS_ZERO, item);
    if (code.size() > TEXT_FIELD_SIZE - 1) w.Fail(WRITE_TEXT_TOO_LONG, item);
    codes.insert(codes.end(), code.begin(), code.end());
    codes.push_back('\r');
    codes.push_back('\n');
  }
  if (w.error != WRITE_OK) return w.error;
  if (definition.size() > static_cast<size_t>(LZW_MAX_OUTPUT) ||
      codes.size() > static_cast<size_t>(LZW_MAX_OUTPUT))
    return w.Fail(WRITE_DEFINITION_TOO_LONG, definition.size() > codes.size() ? "definition" : "codes"),
           w.error;

  blocks->header = LzwPack(header.data(), header.size());
  if (blocks->header.size() > HEADER_BLOCK_SIZE) {
    w.Fail(WRITE_HEADER_TOO_LONG, "link and status");
    return w.error;
  }
  blocks->header.resize(HEADER_BLOCK_SIZE, 0);  // padding after the end code
  blocks->definition = LzwPack(definition.data(), definition.size());
  // An empty codes block never unpacks; a quiz without codes still carries
  // one, so that the player does not report a damaged codes block.
  if (codes.empty()) codes = {'\r', '\n'};
  blocks->codes = LzwPack(codes.data(), codes.size());
  if (blocks->definition.size() > static_cast<size_t>(LZW_MAX_INPUT) ||
      blocks->codes.size() > static_cast<size_t>(LZW_MAX_INPUT))
    return w.Fail(WRITE_DEFINITION_TOO_LONG, "packed blocks"), w.error;

  if (quiz.scrambled) {
    int key_position = 0;
    DescrambleBlock(blocks->header.data(), blocks->header.size(), &key_position);
    DescrambleBlock(blocks->definition.data(), blocks->definition.size(), &key_position);
    key_position = 0;
    DescrambleBlock(blocks->codes.data(), blocks->codes.size(), &key_position);
    // The player tries every block as stored first; a scrambled block that
    // happened to unpack that way would be read as garbage.
    const char* names[] = {"header block", "definition", "codes"};
    const std::vector<uint8_t>* parts[] = {&blocks->header, &blocks->definition, &blocks->codes};
    for (int i = 0; i < 3; ++i)
      if (UnpacksAsStored(*parts[i])) return w.Fail(WRITE_SCRAMBLE_AMBIGUOUS, names[i]), w.error;
  }
  return WRITE_OK;
}
