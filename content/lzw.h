// The packed data codec: a variant of LZW shared by the unpacker, which the
// player runs on its header block, definition and codes, and the packer,
// which the authoring tool runs to build them.
//
// Stream layout. Codes are packed most significant bit first, with no gaps:
// the first code starts at bit 7 of byte 0, a code crossing a byte boundary
// continues at bit 7 of the next byte.
//   width    starts at 9 bits; only CODE_WIDEN (+1) and CODE_RESET (back to 9)
//            change it, never the dictionary's fill level.
//   code 0-255      a literal byte
//   CODE_END 256    end: the pending string is emitted
//   CODE_WIDEN 257  every later code is one bit wider
//   CODE_RESET 258  next free code back to 259, width back to 9; the pending
//                   string survives, so the next code still teaches an entry
//   259-4095        a learned string
// The very first code (9 bits) is always a literal, even when it reads 256,
// 257 or 258. Every later literal or learned code first teaches the entry at
// the next free code (pending string + first byte of the code's string, or of
// the pending string when the code is the next free code itself), then emits
// the pending string: the output runs one code behind the input. Bits after
// CODE_END are padding (written as zero) and ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum UnpackResult {
  UNPACK_OK = 0,
  UNPACK_NO_MEMORY = -4,
  UNPACK_NO_INPUT = -5,
  UNPACK_BAD_STREAM = -7,
};

enum LzwCode {
  CODE_END = 256,
  CODE_WIDEN = 257,
  CODE_RESET = 258,
  FIRST_FREE_CODE = 259,
};

constexpr int LZW_DICTIONARY_SIZE = 4096;
constexpr int LZW_FIRST_WIDTH = 9;
constexpr int LZW_MAX_WIDTH = 32;
constexpr int32_t LZW_MAX_INPUT = 32768;
constexpr int32_t LZW_MAX_OUTPUT = 30000;
constexpr int LZW_MAX_STRING = 4096;

// Unpacks inputLength bytes. On every return made once the output buffer
// exists, *output receives that malloc'ed buffer (the caller frees it) and
// *outputLength the number of bytes produced plus two, also on failure.
// Input over LZW_MAX_INPUT bytes, output over LZW_MAX_OUTPUT bytes and a code
// that would teach entry 4096 are UNPACK_BAD_STREAM.
int32_t LzwUnpack(const uint8_t* input, int32_t inputLength, uint8_t** output,
                  int32_t* outputLength);

// Releases the unpacker's working blocks (dictionary, strings, input copy);
// never the output buffer. LzwUnpack calls it on every return.
void LzwRelease();

// Called when the unpacker's output buffer cannot be allocated, with the
// text "Impossible d'allouer la memoire" and the caption "information". The
// Win32 layer points it at a message box; by default nothing is shown.
using LzwAlertFn = void (*)(const char* text, const char* caption);
void LzwSetAlert(LzwAlertFn alert);

// Packs size bytes into a stream that LzwUnpack turns back into them (for
// sizes up to LZW_MAX_OUTPUT). The format has no way to say "nothing": the
// first code is always a byte, so empty data packs to an empty stream, which
// unpacks as UNPACK_NO_INPUT with nothing produced.
std::vector<uint8_t> LzwPack(const uint8_t* data, size_t size);
