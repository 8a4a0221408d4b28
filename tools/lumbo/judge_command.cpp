// lumbo judge: shows the verdict the player would give a typed answer.
//
// Batch mode reads one `expected<TAB>typed` pair per line and writes one
// verdict per line, so output line N always answers input line N. A line
// that cannot be judged (no TAB, a character Windows-1252 cannot hold,
// invalid UTF-8, a NUL byte, a text over 259 bytes) is reported on standard
// error with its line number and gets an empty output line; the remaining
// lines are still judged, so a whole list shows all its problems in one
// run, and the exit status is 1 when any line was refused. A blank line,
// which authors use to group their lists, is echoed blank without complaint.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "content/cp1252.h"
#include "evaluation/text_compare.h"
#include "evaluation/verdict.h"
#include "tools/lumbo/commands.h"

namespace {

const char kJudgeUsage[] =
    "usage: lumbo judge [--] EXPECTED TYPED\n"
    "       lumbo judge --batch < PAIRS\n";

const char kJudgeHelp[] =
    "\n"
    "Prints the verdict the player shows when TYPED is entered for the\n"
    "expected answer EXPECTED: BRAVO, FAUX, ? (nothing typed) or a near miss\n"
    "(Quasiment, Presque, Anagramme, Trop long, Trop court, Pas loin,\n"
    "y a de l'id\xC3\xA9" "e).\n"
    "\n"
    "With --batch, each line of standard input is 'expected<TAB>typed'\n"
    "(everything after the first TAB is the typed text; a final CR is\n"
    "dropped) and one verdict is printed per line, in order; a blank line\n"
    "is echoed blank. A line that\n"
    "cannot be judged is reported on standard error with its number and\n"
    "gives an empty output line; the other lines are still judged and the\n"
    "exit status is then 1.\n"
    "\n"
    "Texts are UTF-8, at most 259 bytes once converted, and may hold only\n"
    "characters of Windows-1252. Put -- before an EXPECTED that starts\n"
    "with '-'.\n"
    "\n"
    "Exit status: 0 all judged, 1 a text was refused, 2 usage error.\n";

enum JudgeExit { JE_OK = 0, JE_REFUSED = 1, JE_USAGE = 2 };

int UsageError(FILE* err, const char* what) {
  std::fprintf(err, "lumbo judge: %s\n%sRun 'lumbo judge --help' for more.\n", what, kJudgeUsage);
  return JE_USAGE;
}

// The code point of the well-formed UTF-8 sequence at offset, or -1 when
// the bytes there are not one: tells an unmappable character (quoted in the
// message) from malformed input (located only).
long CodePointAt(std::string_view utf8, size_t offset, size_t* length) {
  const unsigned char lead = static_cast<unsigned char>(utf8[offset]);
  uint32_t value;
  uint32_t smallest;
  if (lead >= 0xC2 && lead <= 0xDF) {
    *length = 2, value = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    *length = 3, value = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    *length = 4, value = lead & 0x07, smallest = 0x10000;
  } else {
    return -1;
  }
  if (utf8.size() - offset < *length) return -1;
  for (size_t i = 1; i < *length; ++i) {
    const unsigned char next = static_cast<unsigned char>(utf8[offset + i]);
    if ((next & 0xC0) != 0x80) return -1;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return -1;
  return static_cast<long>(value);
}

// Converts one UTF-8 text for judging. On failure writes why into problem
// (without naming where; the caller knows whether it is an argument or a
// line) and returns false.
bool ToJudgeText(std::string_view utf8, std::string* out, std::string* problem) {
  size_t bad = 0;
  if (!Utf8ToCp1252(utf8, out, &bad)) {
    size_t length = 0;
    const long cp = CodePointAt(utf8, bad, &length);
    char message[160];
    if (cp < 0) {
      std::snprintf(message, sizeof message, "invalid UTF-8 at byte %zu", bad + 1);
    } else {
      const std::string character(utf8.substr(bad, length));
      std::snprintf(message, sizeof message, "'%s' (U+%04lX) at byte %zu is not a Windows-1252 character",
                    character.c_str(), static_cast<unsigned long>(cp), bad + 1);
    }
    *problem = message;
    return false;
  }
  if (out->find('\0') != std::string::npos) {
    *problem = "holds a NUL byte";
    return false;
  }
  return true;
}

bool CheckLength(const std::string& text, const char* name, std::string* problem) {
  if (text.size() <= static_cast<size_t>(COMPARE_TEXT_MAX)) return true;
  char message[160];
  std::snprintf(message, sizeof message, "%s text is %zu bytes in Windows-1252, more than %d",
                name, text.size(), COMPARE_TEXT_MAX);
  *problem = message;
  return false;
}

void PrintVerdict(const char* verdict, FILE* out) {
  std::fputs(Cp1252ToUtf8(verdict).c_str(), out);
  std::fputc('\n', out);
}

int JudgeOnePair(const char* expected_utf8, const char* typed_utf8, FILE* out, FILE* err) {
  std::string expected;
  std::string typed;
  std::string problem;
  if (!ToJudgeText(expected_utf8, &expected, &problem)) {
    std::fprintf(err, "lumbo judge: EXPECTED: %s\n", problem.c_str());
    return JE_REFUSED;
  }
  if (!CheckLength(expected, "the", &problem)) {
    std::fprintf(err, "lumbo judge: EXPECTED: %s\n", problem.c_str());
    return JE_REFUSED;
  }
  if (!ToJudgeText(typed_utf8, &typed, &problem) || !CheckLength(typed, "the", &problem)) {
    std::fprintf(err, "lumbo judge: TYPED: %s\n", problem.c_str());
    return JE_REFUSED;
  }
  PrintVerdict(ChooseVerdict(expected.c_str(), typed.c_str()), out);
  return JE_OK;
}

// Reads one line without its '\n'. Returns false at the end of input with
// nothing read.
bool ReadLine(FILE* in, std::string* line) {
  line->clear();
  int c;
  while ((c = std::fgetc(in)) != EOF) {
    if (c == '\n') return true;
    line->push_back(static_cast<char>(c));
  }
  return !line->empty();
}

// Judges one batch line; on failure fills problem and returns false.
bool JudgeLine(std::string line, const char** verdict, std::string* problem) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::string converted;
  if (!ToJudgeText(line, &converted, problem)) return false;
  const size_t tab = converted.find('\t');
  if (tab == std::string::npos) {
    *problem = "no TAB between the expected answer and the typed text";
    return false;
  }
  const std::string expected = converted.substr(0, tab);
  const std::string typed = converted.substr(tab + 1);
  if (!CheckLength(expected, "expected", problem) || !CheckLength(typed, "typed", problem)) return false;
  *verdict = ChooseVerdict(expected.c_str(), typed.c_str());
  return true;
}

int JudgeBatch(FILE* in, FILE* out, FILE* err) {
  std::string line;
  unsigned long number = 0;
  unsigned long refused = 0;
  while (ReadLine(in, &line)) {
    ++number;
    const char* verdict = nullptr;
    std::string problem;
    if (line.empty() || line == "\r") {
      std::fputc('\n', out);
    } else if (JudgeLine(line, &verdict, &problem)) {
      PrintVerdict(verdict, out);
    } else {
      std::fprintf(err, "lumbo judge: line %lu: %s\n", number, problem.c_str());
      std::fputc('\n', out);  // keeps output line N beside input line N
      ++refused;
    }
  }
  if (std::ferror(in)) {
    std::fprintf(err, "lumbo judge: cannot read standard input after line %lu\n", number);
    return JE_REFUSED;
  }
  if (refused > 0) {
    std::fprintf(err, "lumbo judge: %lu of %lu lines refused\n", refused, number);
    return JE_REFUSED;
  }
  return JE_OK;
}

}  // namespace

int RunJudge(int argc, char** argv, FILE* in, FILE* out, FILE* err) {
  bool batch = false;
  bool options_done = false;
  const char* texts[2] = {nullptr, nullptr};
  int text_count = 0;
  for (int i = 0; i < argc; ++i) {
    const char* arg = argv[i];
    if (!options_done && arg[0] == '-' && arg[1] != '\0') {
      if (std::strcmp(arg, "--") == 0) {
        options_done = true;
      } else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
        std::fputs(kJudgeUsage, out);
        std::fputs(kJudgeHelp, out);
        return JE_OK;
      } else if (std::strcmp(arg, "--batch") == 0) {
        batch = true;
      } else {
        std::string what = std::string("unknown option '") + arg + "'";
        return UsageError(err, what.c_str());
      }
      continue;
    }
    if (text_count == 2) return UsageError(err, "too many arguments");
    texts[text_count++] = arg;
  }

  int status;
  if (batch) {
    if (text_count != 0) return UsageError(err, "--batch takes no texts; it reads standard input");
    status = JudgeBatch(in, out, err);
  } else {
    if (text_count != 2) return UsageError(err, "expected two texts, EXPECTED and TYPED");
    status = JudgeOnePair(texts[0], texts[1], out, err);
  }
  if (std::fflush(out) != 0 || std::ferror(out)) {
    std::fprintf(err, "lumbo judge: cannot write the verdicts\n");
    return JE_REFUSED;
  }
  return status;
}
