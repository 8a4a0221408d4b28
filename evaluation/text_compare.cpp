#include "evaluation/text_compare.h"

#include <cstring>

namespace {

// Length of a text, counting at most COMPARE_TEXT_MAX bytes: the one place
// that bounds how much of a text the routines read.
int BoundedLength(const char* text) {
  int n = 0;
  while (n < COMPARE_TEXT_MAX && text[n] != '\0') ++n;
  return n;
}

// One full table of (COMPARE_TEXT_MAX + 1)^2 cells, about 264 KiB. It is
// static rather than automatic so that a caller on a thread with a small
// stack (a Windows thread gets 1 MiB, often less) cannot overflow it; the
// player judges answers on its one window thread, so one table serves all.
int g_distance_table[COMPARE_BUFFER_SIZE][COMPARE_BUFFER_SIZE];

int Smallest(int a, int b, int c) {
  int m = a < b ? a : b;
  return m < c ? m : c;
}

}  // namespace

void UpperCaseText(char* text) {
  for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p != 0; ++p) {
    if ((*p >= 0x61 && *p <= 0x7A) || *p >= 0xE0) *p = static_cast<unsigned char>(*p - 0x20);
  }
}

void TrimSpaces(char* text) {
  size_t n = std::strlen(text);
  // The backward walk stops at index 1: a text of spaces keeps its first
  // one here and loses it to the leading count below.
  for (size_t i = n; i > 1 && text[i - 1] == ' '; --i) text[i - 1] = '\0';
  size_t k = 0;
  while (text[k] == ' ') ++k;
  if (k > 0) std::memmove(text, text + k, std::strlen(text + k) + 1);
}

void SortCharacters(char* text) {
  size_t n = std::strlen(text);
  if (n < 2) return;
  bool exchanged = true;
  while (exchanged) {
    exchanged = false;
    for (size_t i = 0; i + 1 < n; ++i) {
      signed char a = static_cast<signed char>(text[i]);
      signed char b = static_cast<signed char>(text[i + 1]);
      if (a > b) {
        text[i] = static_cast<char>(b);
        text[i + 1] = static_cast<char>(a);
        exchanged = true;
      }
    }
  }
}

int EditDistance(const char* first, const char* second) {
  int m = BoundedLength(first);
  int n = BoundedLength(second);
  if (m == 0) return n;
  if (n == 0) return m;
  int (*d)[COMPARE_BUFFER_SIZE] = g_distance_table;
  for (int i = 0; i <= m; ++i) d[i][0] = i;
  for (int j = 0; j <= n; ++j) d[0][j] = j;
  for (int i = 1; i <= m; ++i) {
    for (int j = 1; j <= n; ++j) {
      int cost = first[i - 1] == second[j - 1] ? 0 : 1;
      d[i][j] = Smallest(d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost);
    }
  }
  return d[m][n];
}

int ContainmentTest(char* first, char* second) {
  size_t m = std::strlen(first);
  size_t n = std::strlen(second);
  int sign = 1;
  if (n < m) {
    // Both buffers have the same capacity and each text fits its own, so
    // each fits the other's.
    char held[COMPARE_BUFFER_SIZE];
    size_t shorter = n < COMPARE_TEXT_MAX ? n : COMPARE_TEXT_MAX;
    std::memcpy(held, second, shorter);
    held[shorter] = '\0';
    std::memmove(second, first, m + 1);
    std::memcpy(first, held, shorter + 1);
    sign = -1;
  }
  const char* shorter_text = first;
  const char* longer_text = second;
  if (shorter_text[0] == '\0') return CONTAINS_EMPTY * sign;
  return std::strstr(longer_text, shorter_text) != nullptr ? CONTAINS_WHOLE * sign
                                                           : CONTAINS_NOTHING;
}

int CountWords(const char* text) {
  int separators = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '!') {
      // The escape hides the next byte; a final '!' ends the walk without
      // stepping over the terminator.
      if (p[1] == '\0') break;
      ++p;
      continue;
    }
    if (*p == '\'' || *p == ' ' || *p == '-') ++separators;
  }
  return separators + 1;
}
