// The inflater of the PNG decoder: a zlib stream (RFC 1950) of DEFLATE
// blocks (RFC 1951) decoded into one caller-sized buffer, which is also the
// window (no preset dictionary, distances reach back to the buffer's start).
//
// Stream layout:
//   CMF: method (low 4 bits) must be 8, window size (high 4 bits) at most 7
//   FLG: preset-dictionary flag (bit 5) must be clear; the check bits are
//        not tested
//   blocks, least significant bit first, each:
//     BFINAL (1 bit) | BTYPE (2 bits): 0 stored, 1 fixed Huffman,
//                                      2 dynamic Huffman, 3 is an error
//     stored: to the next byte boundary, LEN (2 bytes LE), NLEN = ~LEN, LEN bytes
//     dynamic: HLIT-257 (5) | HDIST-1 (5) | HCLEN-4 (4) | code-length code
//              lengths (3 bits each, in the order 16 17 18 0 8 7 9 6 10 5
//              11 4 12 3 13 2 14 1 15) | literal/length and distance code
//              lengths coded with it (16: repeat previous 3-6 times,
//              17: 3-10 zeros, 18: 11-138 zeros)
//   after the final block: to the next byte boundary, Adler-32 (4 bytes),
//   neither required nor checked.
//
// Codes follow zlib's acceptance rules, so that a stream decodes here
// exactly when libpng would decode it: an over-subscribed code set is an
// error; an incomplete one is an error except a single code of length 1 in
// the literal/length or distance code; a distance code with no codes at all
// is accepted (a block of literals only); the literal/length code must give
// the end-of-block symbol a length; length symbols 286 and 287 and distance
// symbols 30 and 31 are invalid.
//
// Decoding is table driven: a root table indexed by the next 11 bits
// (literal/length) or 8 bits (distance), with sub-tables for longer codes;
// each entry carries the symbol's value, its code length and its extra bits,
// so one lookup and one shift consume a whole length or distance.
#pragma once

#include <cstddef>
#include <cstdint>

enum InflateResult {
  INFLATE_OK = 0,
  INFLATE_BAD_HEADER = 1,         // zlib header: method, window size or preset dictionary
  INFLATE_BAD_BLOCK_TYPE = 2,     // block type 3
  INFLATE_BAD_STORED_LENGTH = 3,  // NLEN is not the complement of LEN
  INFLATE_OVERSUBSCRIBED = 4,     // more codes than the code lengths allow
  INFLATE_INCOMPLETE = 5,         // a code set with unused codes (beyond the allowed case)
  INFLATE_BAD_CODE_LENGTHS = 6,   // too many symbols, repeat of nothing or past the end,
                                  // no end-of-block code
  INFLATE_BAD_SYMBOL = 7,         // an invalid symbol or a code no table entry matches
  INFLATE_BAD_DISTANCE = 8,       // a distance reaching before the start of the output
  INFLATE_TRUNCATED = 9,          // the input ends before the final block does
  INFLATE_OUTPUT_FULL = 10,       // the output would go past out_size
};

// Inflates the zlib stream in[0..in_size) into out[0..out_size). Never reads
// outside the input nor writes outside the output. *produced receives the
// number of bytes written before the stream ended or the failure was found
// (the bytes after them are unspecified). Returns an InflateResult.
int InflateZlib(const uint8_t* in, size_t in_size, uint8_t* out, size_t out_size,
                size_t* produced);

// The same for raw DEFLATE blocks without the zlib header and trailer.
int InflateRaw(const uint8_t* in, size_t in_size, uint8_t* out, size_t out_size,
               size_t* produced);
