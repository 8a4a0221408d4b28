#include "content/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Cp1252, ConvertsFrenchTexts) {
  struct Case {
    const char* utf8;
    const char* cp1252;
  };
  const Case cases[] = {
      {"", ""},
      {"Paris", "Paris"},
      {"\xC3\xA9l\xC3\xA8ve \xC3\xA7\xC3\xA0", "\xE9l\xE8ve \xE7\xE0"},  // élève çà
      {"\xC5\x93uvre \xC5\x92", "\x9Cuvre \x8C"},                        // œuvre Œ
      {"\xE2\x82\xAC \xE2\x80\x99 \xE2\x80\xA6", "\x80 \x92 \x85"},      // € ’ …
      {"\xC3\xBF \xC5\xB8", "\xFF \x9F"},                                // ÿ Ÿ
      {"\xC2\xA0\xC2\xAB\xC2\xBB", "\xA0\xAB\xBB"},                      // nbsp « »
      {"a\tb\r", "a\tb\r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    std::string out = "untouched";
    size_t bad = 99;
    ASSERT_TRUE(Utf8ToCp1252(c.utf8, &out, &bad));
    EXPECT_EQ(out, c.cp1252);
    EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
  }
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string back;
  size_t bad = 0;
  ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(all), &back, &bad));
  EXPECT_EQ(back, all);
  // The five undefined bytes are the C1 controls of the same value.
  EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"),
            "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

TEST(Cp1252, RefusesWithTheOffset) {
  struct Case {
    std::string utf8;
    size_t offset;
    const char* why;
  };
  const Case cases[] = {
      {"ab\xC5\x82" "c", 2, "l with stroke: not in Windows-1252"},
      {"\xE2\x80\x94\xE2\x80\x95", 3, "horizontal bar after an em dash"},
      {"x\xF0\x9F\x98\x80", 1, "emoji"},
      {"\xC2\x80", 0, "C1 control whose byte holds the euro sign"},
      {"\xC2\x9F", 0, "C1 control whose byte holds Y diaeresis"},
      {"ab\x80", 2, "stray continuation byte"},
      {"ab\xC3", 2, "truncated at the end"},
      {"\xC3(", 0, "lead byte without its continuation"},
      {"a\xC0\xA9", 1, "overlong two-byte form"},
      {"a\xE0\x80\xA9", 1, "overlong three-byte form"},
      {"\xED\xA0\x80", 0, "surrogate"},
      {"\xF4\x90\x80\x80", 0, "above U+10FFFF"},
      {"\xFF", 0, "never a UTF-8 byte"},
      {"\xE2\x82", 0, "truncated three-byte form"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    std::string out = "untouched";
    size_t bad = 99;
    EXPECT_FALSE(Utf8ToCp1252(c.utf8, &out, &bad));
    EXPECT_EQ(bad, c.offset);
    EXPECT_EQ(out, "untouched");
  }
}

TEST(Cp1252, KeepsEmbeddedNul) {
  std::string out;
  size_t bad = 0;
  ASSERT_TRUE(Utf8ToCp1252(std::string("a\0b", 3), &out, &bad));
  EXPECT_EQ(out, std::string("a\0b", 3));
}

}  // namespace
