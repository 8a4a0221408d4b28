#include "evaluation/text_compare.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct TextCase {
  const char* input;
  const char* want;
};

std::string Apply(void (*routine)(char*), const char* input) {
  char buffer[COMPARE_BUFFER_SIZE];
  std::strcpy(buffer, input);
  routine(buffer);
  return buffer;
}

TEST(TextCompare, UpperCaseText) {
  const TextCase cases[] = {
      {"\xE9l\xE9phant", "\xC9L\xC9PHANT"},  // éléphant
      {"gar\xE7on", "GAR\xC7ON"},             // garçon
      {"\x9Cuvre", "\x9CUVRE"},               // œ (0x9C) is left alone
      {"\x9A\x9E", "\x9A\x9E"},               // š ž too
      {"\xFF\xF7\xE0", "\xDF\xD7\xC0"},       // ÿ -> ß, ÷ -> ×, à -> À
      {"09 ,.;!?'-AZ\xC9\xDF", "09 ,.;!?'-AZ\xC9\xDF"},
      {"az`{", "AZ`{"},                       // 0x60 and 0x7B are not letters
      {"", ""},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Apply(UpperCaseText, c.input), c.want);
  }
}

TEST(TextCompare, TrimSpaces) {
  const TextCase cases[] = {
      {"  Tour Eiffel  ", "Tour Eiffel"},
      {"   ", ""},
      {" ", ""},
      {"", ""},
      {"a  b", "a  b"},
      {"\tab ", "\tab"},        // only 0x20 is a space
      {"ab\xA0", "ab\xA0"},     // a non-breaking space stays
      {" x", "x"},
      {"x ", "x"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Apply(TrimSpaces, c.input), c.want);
  }
}

TEST(TextCompare, SortCharacters) {
  const TextCase cases[] = {
      {"CBA", "ABC"},
      {"A\xC9", "\xC9" "A"},        // É (0xC9) sorts before A: bytes are signed
      {"\x7F\x80\x00", "\x80\x7F"},
      {"\xFF\x80", "\x80\xFF"},
      {"B", "B"},
      {"", ""},
      {"TUOR EIFFEL", " EEFFILORTU"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Apply(SortCharacters, c.input), c.want);
  }
  EXPECT_EQ(Apply(SortCharacters, "CHIEN"), Apply(SortCharacters, "NICHE"));
}

TEST(TextCompare, EditDistance) {
  struct Case {
    const char* first;
    const char* second;
    int want;
  };
  const Case cases[] = {
      {"", "ABC", 3},
      {"ABC", "", 3},
      {"", "", 0},
      {"CHAT", "CHATS", 1},
      {"ABC", "ACB", 2},
      {"TOUR EIFFEL", "TUOR EIFFEL", 2},
      {"KITTEN", "SITTING", 3},
      {"E", "\xC9", 1},
      {"ABC", "ABC", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " / " + c.second);
    EXPECT_EQ(EditDistance(c.first, c.second), c.want);
  }
}

TEST(TextCompare, EditDistanceOfFullBuffers) {
  const std::string a(COMPARE_TEXT_MAX, 'A');
  const std::string b(COMPARE_TEXT_MAX, 'B');
  EXPECT_EQ(EditDistance(a.c_str(), b.c_str()), COMPARE_TEXT_MAX);
  EXPECT_EQ(EditDistance(a.c_str(), a.c_str()), 0);
  // A text longer than a buffer holds is measured on its first 259 bytes,
  // never past the table.
  const std::string longer = a + std::string(400, 'C');
  EXPECT_EQ(EditDistance(longer.c_str(), a.c_str()), 0);
  EXPECT_EQ(EditDistance(longer.c_str(), "A"), COMPARE_TEXT_MAX - 1);
}

TEST(TextCompare, ContainmentTest) {
  struct Case {
    const char* first;
    const char* second;
    int want;
    const char* first_after;
    const char* second_after;
  };
  const Case cases[] = {
      {"TOUR EIFFEL", "LA TOUR EIFFEL", 2, "TOUR EIFFEL", "LA TOUR EIFFEL"},
      {"LA TOUR EIFFEL", "TOUR", -2, "TOUR", "LA TOUR EIFFEL"},
      {"AAAB", "XYZAAAAB", 2, "AAAB", "XYZAAAAB"},  // after a partial match
      {"ABC", "ABD", 0, "ABC", "ABD"},
      {"ABC", "ABC", 2, "ABC", "ABC"},
      {"ABCD", "XY", 0, "XY", "ABCD"},              // exchanged even when absent
      {"", "ABC", 1, "", "ABC"},
      {"ABC", "", -1, "", "ABC"},
      {"", "", 1, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " / " + c.second);
    char first[COMPARE_BUFFER_SIZE];
    char second[COMPARE_BUFFER_SIZE];
    std::strcpy(first, c.first);
    std::strcpy(second, c.second);
    EXPECT_EQ(ContainmentTest(first, second), c.want);
    EXPECT_STREQ(first, c.first_after);
    EXPECT_STREQ(second, c.second_after);
  }
}

TEST(TextCompare, ContainmentTestExchangesFullBuffers) {
  char first[COMPARE_BUFFER_SIZE];
  char second[COMPARE_BUFFER_SIZE];
  const std::string longest(COMPARE_TEXT_MAX, 'L');
  const std::string part(COMPARE_TEXT_MAX - 1, 'L');
  std::strcpy(first, longest.c_str());
  std::strcpy(second, part.c_str());
  EXPECT_EQ(ContainmentTest(first, second), -2);
  EXPECT_EQ(first, part);
  EXPECT_EQ(second, longest);
}

TEST(TextCompare, CountWords) {
  struct Case {
    const char* text;
    int want;
  };
  const Case cases[] = {
      {"", 1},
      {"PARIS", 1},
      {"AUJOURD'HUI", 2},
      {"AUJOURD!'HUI", 1},
      {"PORTE-MONNAIE", 2},
      {"A  B", 3},
      {" A", 2},
      {"A!", 1},
      {"!", 1},
      {"A!!-B", 2},   // the first '!' hides the second; the hyphen counts
      {"A!-!-B", 1},
      {"LA TOUR EIFFEL", 3},
      {"A\tB", 1},    // a tab is no separator
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CountWords(c.text), c.want);
  }
}

}  // namespace
