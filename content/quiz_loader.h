// The loader's portable half: turns the three packed blocks of a quiz into
// the fields of the record. The Win32 half (LoadQuiz) finds the blocks in the
// program's resources, shows the messages and makes the background brush.
//
// Header block, unpacked: bytes 0-1 unused; the link text, "|"; the status
// text, "|"; the rest unused.
// Definition, unpacked:
//   byte 0 unused; byte 1 kind + 1; byte 2 question count; byte 3 answers per
//   question; texts title, author, explanation, answer label, second answer
//   label; per question: answer, [second answer when byte 3 is 2], question
//   text; one byte hint mode; per question: hint (modes 1, 2, 4), or hint
//   and one skipped text (modes 3, 6); three bytes red, green, blue.
//   Every text ends with the separator "|" (0x7C), which it cannot contain.
// Codes block, unpacked: one line per score, each ended by "\r\n".
// Any block may also be scrambled: every byte but the first XORed with the
// cyclic key "Aucune solution lue !". The key position runs on from the
// header block into the definition and starts again at 0 for the codes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "content/quiz_record.h"

constexpr size_t HEADER_BLOCK_SIZE = 70;
constexpr char SCRAMBLE_KEY[] = "Aucune solution lue !";
constexpr int SCRAMBLE_KEY_LENGTH = 21;
constexpr char TEXT_SEPARATOR = '|';

// Messages shown by the loader (Windows-1252).
constexpr char MSG_HEADER_ERROR[] = "Erreur dans le d\xE9" "cryptage";
constexpr char MSG_NO_DEFINITION[] = "Aucune solution lue !";
constexpr char MSG_DEFINITION_ERROR[] = "Erreur dans le d\xE9" "cryptage des reponses";
constexpr char MSG_CODES_ERROR[] = "Erreur dans le d\xE9" "cryptage des codes";

// Hint texts stored per question for a hint mode: one for 1, 2 and 4; two
// for 3 and 6 (the second is skipped); none for any other mode.
int HintTextsPerQuestion(int hint_mode);

// XORs bytes 1..length-1 with the key from *key_position on, advancing it
// (and wrapping after the key's last character). Byte 0 is never changed.
// Scrambling is the same operation.
void DescrambleBlock(uint8_t* bytes, size_t length, int* key_position);

// One block as the program holds it. present is false for a missing resource.
struct PackedBlock {
  const uint8_t* bytes;
  size_t size;
  bool present;
};

struct QuizBlocks {
  PackedBlock header;      // the 70 bytes of the program's constant data
  PackedBlock definition;  // "PATCH" 104
  PackedBlock codes;       // "PATCH" 105
};

enum LoadOutcome {
  LOAD_OK,
  LOAD_NO_DEFINITION,    // demonstration quiz
  LOAD_HEADER_ERROR,     // construction defaults, no questions
  LOAD_DEFINITION_ERROR, // link and status only, no questions
  LOAD_CODES_ERROR,      // everything but the codes
};

using LoadMessageFn = void (*)(void* context, const char* text);

// Fills quiz (which must hold its construction defaults) from the blocks,
// reporting each message through message (may be null). The colour fields are
// set whenever the outcome is LOAD_OK, LOAD_CODES_ERROR or LOAD_NO_DEFINITION;
// the caller then makes the background brush from them.
// A definition that ends early, has a text without its "|", a text longer
// than its field or more than MAX_QUESTIONS questions is a definition error;
// answers per question other than 2 are stored as 1.
LoadOutcome LoadQuizFromBlocks(QuizRecord* quiz, const QuizBlocks& blocks,
                               LoadMessageFn message, void* context);

// Unpacks one block: as stored first, then descrambled from *key_position
// (which then advances) when that fails. On success *out is a malloc'ed
// buffer of *out_size bytes that the caller frees. Returns the LzwUnpack
// result of the last attempt.
int32_t UnpackBlock(const PackedBlock& block, int* key_position, uint8_t** out,
                    size_t* out_size);
