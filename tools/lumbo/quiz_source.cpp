#include "tools/lumbo/quiz_source.h"

#include <cstdlib>
#include <sstream>

#include "content/cp1252.h"
#include "content/quiz_record.h"

namespace {

constexpr int kPictureBase = 400;
constexpr int kAnswerPictureBase = 10400;

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

// A value between double quotes keeps its inner spaces.
std::string Unquote(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return value.substr(1, value.size() - 2);
  return value;
}

bool ParseInt(const std::string& s, int low, int high, int* out) {
  if (s.empty()) return false;
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, 10);
  if (*end != '\0' || v < low || v > high) return false;
  *out = static_cast<int>(v);
  return true;
}

std::string Resolve(const std::string& base_dir, const std::string& path) {
  if (path.empty() || path[0] == '/' || base_dir.empty()) return path;
  return base_dir + "/" + path;
}

}  // namespace

bool ParseQuizSource(const std::string& text, const std::string& base_dir, QuizSource* source,
                     std::string* error) {
  QuizContent& quiz = source->content;
  quiz = QuizContent{};
  source->media.clear();
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  auto fail = [&](const std::string& message) {
    *error = std::to_string(number) + ": " + message;
    return false;
  };
  while (std::getline(lines, line)) {
    ++number;
    if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    size_t colon = trimmed.find(':');
    if (colon == std::string::npos) return fail("expected 'key: value'");
    std::string key = Trim(trimmed.substr(0, colon));
    std::string raw = Unquote(Trim(trimmed.substr(colon + 1)));
    std::string value;
    size_t bad = 0;
    if (!Utf8ToCp1252(raw, &value, &bad))
      return fail("character at byte " + std::to_string(bad + 1) +
                  " of the value is not valid UTF-8 or has no Windows-1252 equivalent");
    QuizQuestionSource* question = quiz.questions.empty() ? nullptr : &quiz.questions.back();
    const int q = static_cast<int>(quiz.questions.size());

    if (key == "question") {
      quiz.questions.push_back(QuizQuestionSource{});
      quiz.questions.back().question_text = value;
    } else if (question && key == "answer") {
      question->answer = value;
    } else if (question && key == "second-answer") {
      question->second_answer = value;
    } else if (question && key == "hint") {
      question->hint = value;
    } else if (question && (key == "picture" || key == "media")) {
      source->media.push_back({kPictureBase + q, Resolve(base_dir, raw)});
    } else if (question && key == "answer-picture") {
      source->media.push_back({kAnswerPictureBase + q, Resolve(base_dir, raw)});
    } else if (question) {
      return fail("unknown question key '" + key + "'");
    } else if (key == "title") {
      quiz.title = value;
    } else if (key == "author") {
      quiz.author = value;
    } else if (key == "explanation") {
      quiz.explanation = value;
    } else if (key == "answer-label") {
      quiz.answer_label = value;
    } else if (key == "second-answer-label") {
      quiz.second_answer_label = value;
    } else if (key == "link") {
      quiz.link = value;
    } else if (key == "status") {
      quiz.status_text = value;
    } else if (key == "code") {
      quiz.codes.push_back(value);
    } else if (key == "kind") {
      const char* kinds[] = {"text", "picture", "audio", "video"};
      int found = -1;
      for (int i = 0; i < 4; ++i)
        if (value == kinds[i]) found = i;
      if (found < 0) return fail("kind must be text, picture, audio or video");
      quiz.kind = found;
    } else if (key == "answers") {
      if (!ParseInt(value, 1, 2, &quiz.answers_per_question)) return fail("answers must be 1 or 2");
    } else if (key == "hint-mode") {
      if (!ParseInt(value, 0, 6, &quiz.hint_mode)) return fail("hint-mode must be 0 to 6");
    } else if (key == "colour" || key == "color") {
      std::istringstream parts(value);
      std::string r, g, b, extra;
      int rgb[3];
      if (!(parts >> r >> g >> b) || (parts >> extra) || !ParseInt(r, 0, 255, &rgb[0]) ||
          !ParseInt(g, 0, 255, &rgb[1]) || !ParseInt(b, 0, 255, &rgb[2]))
        return fail("colour must be three numbers 0-255: red green blue");
      quiz.colour_red = static_cast<uint8_t>(rgb[0]);
      quiz.colour_green = static_cast<uint8_t>(rgb[1]);
      quiz.colour_blue = static_cast<uint8_t>(rgb[2]);
    } else if (key == "scrambled") {
      if (value != "yes" && value != "no") return fail("scrambled must be yes or no");
      quiz.scrambled = value == "yes";
    } else {
      return fail("unknown key '" + key + "'");
    }
    if (quiz.questions.size() > static_cast<size_t>(MAX_QUESTIONS))
      return fail("more than " + std::to_string(MAX_QUESTIONS) + " questions");
  }
  return true;
}
