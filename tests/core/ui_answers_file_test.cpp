#include "ui/answers_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(const std::string& file, int count) {
  std::vector<std::string> lines;
  size_t position = 0;
  for (int i = 0; i < count; ++i) {
    char line[ANSWER_LINE_LIMIT + 1];
    ReadAnswerLine(reinterpret_cast<const uint8_t*>(file.data()), file.size(), &position, line);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

TEST(AnswersFile, ReadsLinesAsTheEditsWillShowThem) {
  const std::string seventy(70, 'a');
  const std::string hundred = std::string(70, 'b') + std::string(30, 'c');
  const struct {
    const char* name;
    std::string file;
    std::vector<std::string> want;
  } cases[] = {
      {"plain", "Paris\r\nMadrid\r\n", {"Paris", "Madrid", ""}},
      {"empty lines", "\r\n\r\nRome\r\n", {"", "", "Rome"}},
      {"no final line end", "Paris\r\nRome", {"Paris", "Rome", ""}},
      {"long line cut, next line kept", hundred + "\r\nRome\r\n", {std::string(70, 'b'), "Rome", ""}},
      {"exactly seventy", seventy + "\r\nx\r\n", {seventy, "x", ""}},
      // Bare line feeds are not line ends: the first edit takes them.
      {"bare line feeds", "un\ndeux\ntrois\n", {"un\ndeux\ntrois\n", "", ""}},
      {"carriage return alone", "un\rdeux\r\ntrois\r\n", {"un", "trois", ""}},
      {"Windows-1252 bytes kept", "id\xE9" "e\r\n", {"id\xE9" "e", "", ""}},
      {"empty file", "", {"", "", ""}},
      {"surplus lines unread", "a\r\nb\r\nc\r\nd\r\n", {"a", "b", "c"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadLines(c.file, 3), c.want);
  }
}

TEST(AnswersFile, NullDataReadsAsEmpty) {
  size_t position = 0;
  char line[ANSWER_LINE_LIMIT + 1];
  ReadAnswerLine(nullptr, 10, &position, line);
  EXPECT_STREQ(line, "");
  EXPECT_EQ(position, 0u);
}

TEST(AnswersFile, NameIsTheProgramsWithTxt) {
  const struct {
    const char* module_path;
    const char* want;
  } cases[] = {
      {"C:\\Quiz\\DEMO.EXE", "DEMO.txt"},
      {"Z:\\work\\build\\capitales.exe", "capitales.txt"},
      {"player.exe", "player.txt"},
      {"C:\\a\\b\\x.com", "x.txt"},
      {"C:\\ab", "txt"},
  };
  for (const auto& c : cases) {
    char name[260];
    ASSERT_TRUE(AnswersFileName(FileNamePart(c.module_path), name, sizeof name)) << c.module_path;
    EXPECT_STREQ(name, c.want) << c.module_path;
  }
  char tiny[5];
  EXPECT_FALSE(AnswersFileName("LONGNAME.EXE", tiny, sizeof tiny));
}

TEST(AnswersFile, LinesWrittenAreReadBack) {
  std::string file;
  const char* answers[] = {"Paris", "", "-", "y a de l'id\xE9" "e"};
  for (const char* a : answers) AppendAnswerLine(&file, a);
  EXPECT_EQ(file, "Paris\r\n\r\n-\r\ny a de l'id\xE9" "e\r\n");
  EXPECT_EQ(ReadLines(file, 4), (std::vector<std::string>{"Paris", "", "-", "y a de l'id\xE9" "e"}));
}
