// The small routines every answer comparison is made of. They work on
// NUL-terminated Windows-1252 texts held in 260-byte buffers (at most 259
// characters). Bytes are compared by value: no locale, no collation, and only
// the byte 0x20 is a space.
#pragma once

// The longest text the routines measure; the buffers hold one byte more.
constexpr int COMPARE_TEXT_MAX = 259;
constexpr int COMPARE_BUFFER_SIZE = COMPARE_TEXT_MAX + 1;

// Subtracts 0x20 from every byte in a..z and in 0xE0..0xFF (so é becomes É,
// ÿ becomes 0xDF and ÷ becomes ×). Accents are kept; š, œ and ž stay as
// they are.
void UpperCaseText(char* text);

// Removes the spaces at both ends; spaces between words stay.
void TrimSpaces(char* text);

// Sorts the bytes ascending as signed 8-bit values, so that every byte from
// 0x80 up sorts before every ASCII byte.
void SortCharacters(char* text);

// Levenshtein distance with unit costs. Only the first COMPARE_TEXT_MAX
// bytes of each text are measured, so the result is 0..259 whatever the
// caller hands in.
int EditDistance(const char* first, const char* second);

// Results of ContainmentTest: the magnitude says what was found, the sign
// which argument was the shorter (+ the first, - the second).
constexpr int CONTAINS_NOTHING = 0;
constexpr int CONTAINS_EMPTY = 1;
constexpr int CONTAINS_WHOLE = 2;

// Tests whether the shorter text occurs inside the longer one. When the
// second text is the shorter, the two buffers' contents are exchanged first
// (both must be COMPARE_BUFFER_SIZE bytes), so that afterwards the first
// buffer holds the shorter text.
int ContainmentTest(char* first, char* second);

// Counts the words for the word-count hint: one more than the number of
// apostrophes, spaces and hyphens; '!' hides the byte after it.
int CountWords(const char* text);
