#include "evaluation/verdict.h"

#include <cstdio>
#include <cstring>

#include "evaluation/text_compare.h"

const char VERDICT_BRAVO[] = "BRAVO";
const char VERDICT_WRONG[] = "FAUX";
const char VERDICT_EMPTY[] = "?";
const char VERDICT_ALMOST[] = "Quasiment";
const char VERDICT_NEARLY[] = "Presque";
const char VERDICT_ANAGRAM[] = "Anagramme";
const char VERDICT_TOO_LONG[] = "Trop long";
const char VERDICT_TOO_SHORT[] = "Trop court";
const char VERDICT_NOT_FAR[] = "Pas loin";
const char VERDICT_GOOD_IDEA[] = "y a de l'id\xE9" "e";

namespace {

// Answers of this many characters or fewer are judged by equality alone.
constexpr int SHORT_ANSWER_MAX = 3;
// A part of the answer earns a near miss only when the answer is longer.
constexpr int PART_ANSWER_MIN = 10;

// Copies at most COMPARE_TEXT_MAX bytes of text into a buffer the
// comparison routines may change.
void CopyText(char (&buffer)[COMPARE_BUFFER_SIZE], const char* text) {
  size_t n = 0;
  while (n < COMPARE_TEXT_MAX && text[n] != '\0') ++n;
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
}

int EditDistanceOfSorted(const char* a, const char* b) {
  char sorted_a[COMPARE_BUFFER_SIZE];
  char sorted_b[COMPARE_BUFFER_SIZE];
  CopyText(sorted_a, a);
  CopyText(sorted_b, b);
  SortCharacters(sorted_a);
  SortCharacters(sorted_b);
  return EditDistance(sorted_a, sorted_b);
}

// The typed text is a part of the answer (shorter, found inside it).
const char* VerdictForPart(int answer_length, int typed_length) {
  if (answer_length < PART_ANSWER_MIN) return VERDICT_WRONG;
  // p = 100 |B| / |A| > 80 and > 75, in whole numbers: lengths below 260
  // keep both sides exact.
  if (5 * typed_length > 4 * answer_length) return VERDICT_TOO_SHORT;
  if (4 * typed_length > 3 * answer_length) return VERDICT_NOT_FAR;
  return VERDICT_WRONG;
}

// The answer is found inside the typed text, which has extra characters.
const char* VerdictForExtra(int extra) {
  if (extra > 20) return VERDICT_WRONG;
  if (extra > 10) return VERDICT_NOT_FAR;
  return VERDICT_TOO_LONG;
}

}  // namespace

const char* ChooseVerdict(const char* expected, const char* typed) {
  char a[COMPARE_BUFFER_SIZE];
  char b[COMPARE_BUFFER_SIZE];
  CopyText(a, expected);
  CopyText(b, typed);
  TrimSpaces(b);  // the typed text only: an expected answer keeps its spaces
  UpperCaseText(b);
  UpperCaseText(a);
  const int length_a = static_cast<int>(std::strlen(a));
  const int length_b = static_cast<int>(std::strlen(b));

  if (length_a <= SHORT_ANSWER_MAX) {
    if (length_b == 0) return VERDICT_EMPTY;
    // Windows compares these with lstrcmpA, which sorts by the user's locale
    // and can call two texts equal that differ only by a character without
    // sort weight (a soft hyphen, say). Equality of bytes is the rule the
    // longer answers already follow (distance 0 below), so the short ones
    // use it too: texts that are byte-equal are equal under both, and an
    // answer differing by an invisible byte is not the answer.
    return std::strcmp(a, b) == 0 ? VERDICT_BRAVO : VERDICT_WRONG;
  }
  if (length_b == 0) return VERDICT_EMPTY;

  const int d1 = EditDistance(a, b);
  if (d1 == 0) return VERDICT_BRAVO;
  if (EditDistanceOfSorted(a, b) == 0) return VERDICT_ANAGRAM;
  if (d1 == 1) return VERDICT_ALMOST;
  if (d1 == 2) return VERDICT_NEARLY;

  const int c = ContainmentTest(a, b);  // may exchange a and b; not read after
  if (c == -CONTAINS_WHOLE) return VerdictForPart(length_a, length_b);
  if (c == CONTAINS_WHOLE) return VerdictForExtra(length_b - length_a);
  // s = (m - d1) * 100 / m > 80, in whole numbers.
  const int m = length_a > length_b ? length_a : length_b;
  return 5 * d1 < m ? VERDICT_GOOD_IDEA : VERDICT_WRONG;
}

VerdictColour ColourOfVerdict(const char* verdict_text) {
  if (std::strcmp(verdict_text, VERDICT_BRAVO) == 0) return VC_BRAVO;
  if (std::strcmp(verdict_text, VERDICT_WRONG) == 0) return VC_WRONG;
  if (std::strcmp(verdict_text, VERDICT_ANAGRAM) == 0) return VC_ANAGRAM;
  if (std::strcmp(verdict_text, VERDICT_EMPTY) == 0) return VC_DEFAULT;
  return VC_NEAR_MISS;
}

void FormatWordCountHint(const char* answer, char* out, size_t size) {
  if (size == 0) return;
  const int words = CountWords(answer);
  std::snprintf(out, size, "en %d mot%s", words, words == 1 ? "" : "s");
}
