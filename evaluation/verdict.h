// The verdict rules: which of ten texts the player shows beside an answer.
// The verdict text in a verdict control is the only record of whether an
// answer is right, so every later comparison (score, colours, hints, F1)
// uses these constants and compares their exact bytes.
#pragma once

#include <cstddef>

extern const char VERDICT_BRAVO[];      // "BRAVO": exact
extern const char VERDICT_WRONG[];      // "FAUX": nothing close
extern const char VERDICT_EMPTY[];      // "?": nothing typed
extern const char VERDICT_ALMOST[];     // "Quasiment": one edit away
extern const char VERDICT_NEARLY[];     // "Presque": two edits away
extern const char VERDICT_ANAGRAM[];    // "Anagramme": same letters, other order
extern const char VERDICT_TOO_LONG[];   // "Trop long": contains the answer, 3..10 more
extern const char VERDICT_TOO_SHORT[];  // "Trop court": a part of more than 80 %
extern const char VERDICT_NOT_FAR[];    // "Pas loin"
extern const char VERDICT_GOOD_IDEA[];  // "y a de l'idée"

// Judges typed against expected (each at most 259 characters; longer texts
// are judged on their first 259). Neither argument is changed. Returns one
// of the ten constants above (the pointer itself, so callers may compare
// pointers or bytes).
const char* ChooseVerdict(const char* expected, const char* typed);

// The background a verdict control is painted with, chosen from its text.
enum VerdictColour {
  VC_DEFAULT,    // "?": the system's colours
  VC_BRAVO,      // green
  VC_WRONG,      // red
  VC_ANAGRAM,    // orange
  VC_NEAR_MISS,  // yellow: every other text
};
VerdictColour ColourOfVerdict(const char* verdict_text);

// The word-count hint: "en N mot", with "s" when N is not 1, N counted by
// CountWords on answer. Always NUL-terminates out when size > 0.
void FormatWordCountHint(const char* answer, char* out, size_t size);
