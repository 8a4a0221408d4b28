#include "evaluation/verdict.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct VerdictCase {
  const char* expected;
  const char* typed;
  const char* want;
};

TEST(Verdict, TextsAreExactBytes) {
  EXPECT_STREQ(VERDICT_BRAVO, "BRAVO");
  EXPECT_STREQ(VERDICT_WRONG, "FAUX");
  EXPECT_STREQ(VERDICT_EMPTY, "?");
  EXPECT_STREQ(VERDICT_ALMOST, "Quasiment");
  EXPECT_STREQ(VERDICT_NEARLY, "Presque");
  EXPECT_STREQ(VERDICT_ANAGRAM, "Anagramme");
  EXPECT_STREQ(VERDICT_TOO_LONG, "Trop long");
  EXPECT_STREQ(VERDICT_TOO_SHORT, "Trop court");
  EXPECT_STREQ(VERDICT_NOT_FAR, "Pas loin");
  EXPECT_EQ(std::string(VERDICT_GOOD_IDEA), std::string("y a de l'id\xE9" "e"));
}

TEST(Verdict, ChooseVerdict) {
  const VerdictCase cases[] = {
      // Short answers: equality or nothing.
      {"Oui", "oui", VERDICT_BRAVO},
      {"Oui", "  oui ", VERDICT_BRAVO},
      {"Oui", "ouii", VERDICT_WRONG},
      {"Oui", "   ", VERDICT_EMPTY},
      {"Oui", "", VERDICT_EMPTY},
      {"Oui", "iuo", VERDICT_WRONG},   // no anagram for short answers
      {"", "", VERDICT_EMPTY},
      {"", "x", VERDICT_WRONG},
      {"\xE9t\xE9", "\xC9T\xC9", VERDICT_BRAVO},  // été / ÉTÉ
      {"\xE9t\xE9", "ete", VERDICT_WRONG},
      // Exact, empty, distance.
      {"Tour Eiffel", "  tour eiffel ", VERDICT_BRAVO},
      {"Tour Eiffel", "", VERDICT_EMPTY},
      {"Tour Eiffel", "    ", VERDICT_EMPTY},
      {"Tour Eiffel", "Tour Eifel", VERDICT_ALMOST},
      {"Tour Eiffel", "Tour Eifell", VERDICT_NEARLY},
      {"Tour Eiffel", "Tuor Eiffel", VERDICT_ANAGRAM},  // anagram before distance 2
      {"Tour Eiffel", "TOUR  EIFFEL", VERDICT_ALMOST},
      {"Tour Eiffel", "La Tour Eiffel", VERDICT_TOO_LONG},
      {"Tour Eiffel", "Tour", VERDICT_WRONG},
      {"Chat", "Chats", VERDICT_ALMOST},   // one more letter is a distance of 1 first
      {"Chat", "Tach", VERDICT_ANAGRAM},
      {"Napoleon Bonaparte", "Napoleon Bonapa", VERDICT_TOO_SHORT},
      {"Napoleon Bonaparte", "Napoleon Bonap", VERDICT_NOT_FAR},
      {"Napoleon Bonaparte", "Napoleon Bona", VERDICT_WRONG},
      {"Napoleon Bonaparte", "Napol\xE9on Bonaparte", VERDICT_ALMOST},
      {"Marseille", "Marsei", VERDICT_WRONG},
      {"Le Petit Prince", "Le Petit Princes du desert", VERDICT_NOT_FAR},
      {"Le Petit Prince", "Le Petit Princes du desert du Sahara", VERDICT_WRONG},
      {"Paris", "Parisiennes", VERDICT_TOO_LONG},
      {"Christophe Colomb", "Christof Colomb", VERDICT_GOOD_IDEA},
      {"Christophe Colomb", "Kristof Colomb", VERDICT_WRONG},
      {"AAAB ok", "XYZAAAAB ok", VERDICT_TOO_LONG},
      {"Lyon ", "Lyon", VERDICT_ALMOST},   // the expected answer is not trimmed
      {"Lyon ", "Lyon ", VERDICT_ALMOST},  // nor matched by a typed trailing space
  };
  for (const VerdictCase& c : cases) {
    SCOPED_TRACE(std::string(c.expected) + " / " + c.typed);
    EXPECT_STREQ(ChooseVerdict(c.expected, c.typed), c.want);
  }
}

// The thresholds, each on both sides of its boundary.
TEST(Verdict, Boundaries) {
  const std::string twenty = "ABCDEFGHIJKLMNOPQRST";  // 20
  const VerdictCase cases[] = {
      // A part of a 20-character answer: 17 (85 %) and 16 (80 %, not above).
      {twenty.c_str(), "ABCDEFGHIJKLMNOPQ", VERDICT_TOO_SHORT},
      {twenty.c_str(), "ABCDEFGHIJKLMNOP", VERDICT_NOT_FAR},
      // 15 is 75 %, not above: nothing.
      {twenty.c_str(), "ABCDEFGHIJKLMNO", VERDICT_WRONG},
      // A part is at least 3 shorter (else a distance rule decides), so
      // "Pas loin" needs 13 characters and "Trop court" 16.
      {"ABCDEFGHIJKLM", "ABCDEFGHIJ", VERDICT_NOT_FAR},    // 10/13
      {"ABCDEFGHIJKL", "ABCDEFGHI", VERDICT_WRONG},        // 9/12 = 75 %
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLM", VERDICT_TOO_SHORT},  // 13/16
      {"ABCDEFGHIJKLMNO", "ABCDEFGHIJKL", VERDICT_NOT_FAR},      // 12/15 = 80 %
      {"ABCDEFGHIJKLMNO", "DEFGHIJKLMNO", VERDICT_NOT_FAR},      // a part at the end
      // Extra characters around the answer: 10 and 11, 20 and 21.
      {"PARIS", "PARIS0123456789", VERDICT_TOO_LONG},
      {"PARIS", "PARIS0123456789A", VERDICT_NOT_FAR},
      {"PARIS", "PARIS0123456789ABCDEFGHIJ", VERDICT_NOT_FAR},
      {"PARIS", "PARIS0123456789ABCDEFGHIJK", VERDICT_WRONG},
      {"PARIS", "0PARIS12", VERDICT_TOO_LONG},
      // y a de l'idée: 5 x d1 < m. m = 15, d1 = 3 is 80 %, not above.
      {"ABCDEFGHIJKLMNO", "XBCDEXGHIJKLMNX", VERDICT_WRONG},
      {"ABCDEFGHIJKLMNOP", "XBCDEXGHIJKLMNOX", VERDICT_GOOD_IDEA},
  };
  for (const VerdictCase& c : cases) {
    SCOPED_TRACE(std::string(c.expected) + " / " + c.typed);
    EXPECT_STREQ(ChooseVerdict(c.expected, c.typed), c.want);
  }
}

TEST(Verdict, ArgumentsUnchanged) {
  char expected[] = "tour eiffel";
  char typed[] = "  la tour eiffel ";
  EXPECT_STREQ(ChooseVerdict(expected, typed), VERDICT_TOO_LONG);
  EXPECT_STREQ(expected, "tour eiffel");
  EXPECT_STREQ(typed, "  la tour eiffel ");
}

TEST(Verdict, LongTextsAreJudgedOnTheirFirst259Bytes) {
  const std::string full(259, 'A');
  const std::string longer = full + std::string(300, 'B');
  EXPECT_STREQ(ChooseVerdict(full.c_str(), longer.c_str()), VERDICT_BRAVO);
  EXPECT_STREQ(ChooseVerdict(longer.c_str(), full.c_str()), VERDICT_BRAVO);
}

TEST(Verdict, ColourOfVerdict) {
  EXPECT_EQ(ColourOfVerdict("BRAVO"), VC_BRAVO);
  EXPECT_EQ(ColourOfVerdict("FAUX"), VC_WRONG);
  EXPECT_EQ(ColourOfVerdict("Anagramme"), VC_ANAGRAM);
  EXPECT_EQ(ColourOfVerdict("?"), VC_DEFAULT);
  const char* near_misses[] = {VERDICT_ALMOST, VERDICT_NEARLY, VERDICT_TOO_LONG,
                               VERDICT_TOO_SHORT, VERDICT_NOT_FAR, VERDICT_GOOD_IDEA};
  for (const char* text : near_misses) EXPECT_EQ(ColourOfVerdict(text), VC_NEAR_MISS) << text;
  EXPECT_EQ(ColourOfVerdict("bravo"), VC_NEAR_MISS);  // exact bytes only
}

TEST(Verdict, FormatWordCountHint) {
  const VerdictCase cases[] = {
      {"Paris", nullptr, "en 1 mot"},
      {"La Tour Eiffel", nullptr, "en 3 mots"},
      {"aujourd'hui", nullptr, "en 2 mots"},
      {"aujourd!'hui", nullptr, "en 1 mot"},
      {"", nullptr, "en 1 mot"},
  };
  for (const VerdictCase& c : cases) {
    char hint[64];
    FormatWordCountHint(c.expected, hint, sizeof hint);
    EXPECT_STREQ(hint, c.want) << c.expected;
  }
  char small[5];
  std::memset(small, 'x', sizeof small);
  FormatWordCountHint("a b", small, sizeof small);
  EXPECT_STREQ(small, "en 2");
}

}  // namespace
