#include "media/inflate.h"

#include <cstring>

namespace {

// Limits named after the format.
constexpr int MAX_CODE_BITS = 15;
constexpr int MAX_LITLEN_SYMBOLS = 288;  // 286 usable, 2 more in the fixed code
constexpr int MAX_DIST_SYMBOLS = 32;     // 30 usable
constexpr int MAX_PRECODE_SYMBOLS = 19;
constexpr int MAX_MATCH = 258;

constexpr int LITLEN_ROOT_BITS = 11;
constexpr int DIST_ROOT_BITS = 8;
constexpr int PRECODE_ROOT_BITS = 7;  // the longest code-length code
// Largest tables a complete code can need with these root sizes (counted
// with zlib's "enough" method for 288 symbols / 11 bits and 32 / 8 bits).
constexpr int LITLEN_TABLE_SIZE = 2342;
constexpr int DIST_TABLE_SIZE = 402;
constexpr int PRECODE_TABLE_SIZE = 1 << PRECODE_ROOT_BITS;

// A table entry, 32 bits:
//   bits 0-7    bits consumed by the entry: code bits (past the root for a
//               sub-table entry) plus extra bits
//   bits 8-11   code bits of the entry, where its extra bits start; for a
//               sub-table pointer, the sub-table's index bits
//   bits 12-15  flags
//   bits 16-31  value: literal byte, length or distance base, code-length
//               symbol, or the sub-table's start in the table
constexpr uint32_t ENTRY_LITERAL = 0x8000;
constexpr uint32_t ENTRY_SUBTABLE = 0x4000;
constexpr uint32_t ENTRY_END = 0x2000;
constexpr uint32_t ENTRY_INVALID = 0x1000;
constexpr uint32_t ENTRY_SPECIAL = ENTRY_END | ENTRY_INVALID;

const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                1025, 1537, 2049, 3073, 4097, 6145,  8193,  12289, 16385, 24577};
const uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
const uint8_t kPrecodeOrder[MAX_PRECODE_SYMBOLS] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                    11, 4,  12, 3, 13, 2, 14, 1, 15};

enum CodeKind { KIND_PRECODE, KIND_LITLEN, KIND_DIST };

uint32_t SymbolEntry(CodeKind kind, int symbol, unsigned code_bits) {
  uint32_t bits = code_bits | (code_bits << 8);
  switch (kind) {
    case KIND_PRECODE:
      return bits | (uint32_t(symbol) << 16);
    case KIND_LITLEN:
      if (symbol < 256) return bits | ENTRY_LITERAL | (uint32_t(symbol) << 16);
      if (symbol == 256) return bits | ENTRY_END;
      if (symbol > 285) return bits | ENTRY_INVALID;
      return (bits + kLengthExtra[symbol - 257]) | (uint32_t(kLengthBase[symbol - 257]) << 16);
    case KIND_DIST:
      if (symbol > 29) return bits | ENTRY_INVALID;
      return (bits + kDistExtra[symbol]) | (uint32_t(kDistBase[symbol]) << 16);
  }
  return ENTRY_INVALID;
}

unsigned ReverseBits(unsigned code, unsigned length) {
  unsigned reversed = 0;
  for (unsigned i = 0; i < length; ++i) {
    reversed = (reversed << 1) | (code & 1);
    code >>= 1;
  }
  return reversed;
}

// Builds the decoding table of a canonical code from its code lengths.
int BuildTable(const uint8_t* lengths, int symbol_count, CodeKind kind, unsigned root_bits,
               uint32_t* table, int table_size) {
  unsigned count[MAX_CODE_BITS + 1] = {};
  for (int s = 0; s < symbol_count; ++s) count[lengths[s]]++;
  count[0] = 0;
  int max_length = 0;
  int total = 0;
  int left = 1;
  for (int len = 1; len <= MAX_CODE_BITS; ++len) {
    left = (left << 1) - int(count[len]);
    if (left < 0) return INFLATE_OVERSUBSCRIBED;
    if (count[len]) max_length = len;
    total += int(count[len]);
  }
  if (left > 0) {
    // zlib accepts a distance code with no codes (a block of literals) and a
    // single code of length 1 in either Huffman code; nothing else.
    bool allowed = kind != KIND_PRECODE && (total == 0 ? kind == KIND_DIST : max_length == 1);
    if (!allowed) return INFLATE_INCOMPLETE;
  }
  const int root_size = 1 << root_bits;
  if (left > 0) {
    for (int i = 0; i < root_size; ++i) table[i] = ENTRY_INVALID | 1u;
  }
  // Symbols in canonical order: by code length, then by symbol.
  uint16_t sorted[MAX_LITLEN_SYMBOLS];
  unsigned offset[MAX_CODE_BITS + 2];
  offset[1] = 0;
  for (int len = 1; len <= MAX_CODE_BITS; ++len) offset[len + 1] = offset[len] + count[len];
  for (int s = 0; s < symbol_count; ++s) {
    if (lengths[s]) sorted[offset[lengths[s]]++] = uint16_t(s);
  }
  unsigned code = 0;  // the canonical code, most significant bit first
  int next_free = root_size;
  unsigned sub_prefix = ~0u;
  unsigned sub_start = 0;
  unsigned remaining[MAX_CODE_BITS + 1];
  std::memcpy(remaining, count, sizeof remaining);
  int i = 0;
  for (int len = 1; len <= max_length; ++len) {
    for (unsigned n = 0; n < count[len]; ++n, ++i) {
      const int symbol = sorted[i];
      const unsigned reversed = ReverseBits(code, unsigned(len));
      if (unsigned(len) <= root_bits) {
        const uint32_t entry = SymbolEntry(kind, symbol, unsigned(len));
        for (unsigned at = reversed; at < unsigned(root_size); at += 1u << len) table[at] = entry;
      } else {
        const unsigned prefix = reversed & unsigned(root_size - 1);
        if (prefix != sub_prefix) {
          // A new sub-table: as many index bits as the codes sharing this
          // prefix need (they follow one another in canonical order).
          unsigned sub_bits = unsigned(len) - root_bits;
          int room = 1 << sub_bits;
          while (sub_bits + root_bits < unsigned(max_length)) {
            room -= int(remaining[sub_bits + root_bits]);
            if (room <= 0) break;
            sub_bits++;
            room <<= 1;
          }
          if (next_free + (1 << sub_bits) > table_size) return INFLATE_OVERSUBSCRIBED;
          sub_prefix = prefix;
          sub_start = unsigned(next_free);
          next_free += 1 << sub_bits;
          table[prefix] = ENTRY_SUBTABLE | (sub_bits << 8) | root_bits | (sub_start << 16);
        }
        const unsigned sub_len = unsigned(len) - root_bits;
        const unsigned sub_size = 1u << ((table[prefix] >> 8) & 0xF);
        const uint32_t entry = SymbolEntry(kind, symbol, sub_len);
        for (unsigned at = reversed >> root_bits; at < sub_size; at += 1u << sub_len) {
          table[sub_start + at] = entry;
        }
      }
      code++;
      remaining[len]--;
    }
    code <<= 1;
  }
  return INFLATE_OK;
}

struct FixedTables {
  uint32_t litlen[LITLEN_TABLE_SIZE];
  uint32_t dist[DIST_TABLE_SIZE];
  FixedTables() {
    uint8_t lengths[MAX_LITLEN_SYMBOLS];
    std::memset(lengths, 8, 144);
    std::memset(lengths + 144, 9, 112);
    std::memset(lengths + 256, 7, 24);
    std::memset(lengths + 280, 8, 8);
    BuildTable(lengths, MAX_LITLEN_SYMBOLS, KIND_LITLEN, LITLEN_ROOT_BITS, litlen,
               LITLEN_TABLE_SIZE);
    std::memset(lengths, 5, MAX_DIST_SYMBOLS);
    BuildTable(lengths, MAX_DIST_SYMBOLS, KIND_DIST, DIST_ROOT_BITS, dist, DIST_TABLE_SIZE);
  }
};

const FixedTables& Fixed() {
  static const FixedTables tables;
  return tables;
}

inline uint64_t Load64(const uint8_t* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  v = __builtin_bswap64(v);
#endif
  return v;
}

inline void Copy8(uint8_t* dst, const uint8_t* src) { std::memcpy(dst, src, 8); }

// Input near its end is moved into a small zero-padded buffer, so that the
// bit reader may always load 8 bytes at once: every refill first checks the
// cursor against in_limit, which keeps 32 readable bytes ahead of it.
constexpr int TAIL_REAL = 32;
constexpr int TAIL_SIZE = 128;

struct Inflater {
  const uint8_t* in;
  const uint8_t* in_end;    // end of the real bytes (in the tail once moved there)
  const uint8_t* in_limit;  // a refill past this moves to the tail or fails
  bool in_tail;
  uint8_t tail[TAIL_SIZE];
  uint64_t bitbuf;
  unsigned bitsleft;
  uint8_t* out_start;
  uint8_t* out;
  uint8_t* out_end;
  uint32_t litlen[LITLEN_TABLE_SIZE];
  uint32_t dist[DIST_TABLE_SIZE];
};

// Moves the unread bytes (including whole bytes still held in the bit
// buffer) into the tail. Fails when already there: the cursor has run past
// every real byte by more than the refills can have loaded.
bool MoveToTail(const uint8_t*& in, uint64_t& bitbuf, unsigned& bitsleft, Inflater* s) {
  if (s->in_tail) return false;
  in -= bitsleft >> 3;
  bitsleft &= 7;
  bitbuf &= (uint64_t(1) << bitsleft) - 1;
  const size_t rest = size_t(s->in_end - in);
  std::memset(s->tail, 0, sizeof s->tail);
  if (rest) std::memcpy(s->tail, in, rest);
  in = s->tail;
  s->in_end = s->tail + rest;
  s->in_limit = s->tail + (TAIL_SIZE - 2 * TAIL_REAL);
  s->in_tail = true;
  return true;
}

void StartInput(Inflater* s, const uint8_t* in, size_t size) {
  s->in = in;
  s->in_end = in + size;
  s->in_limit = size >= TAIL_REAL ? s->in_end - TAIL_REAL : in;
  s->in_tail = false;
  s->bitbuf = 0;
  s->bitsleft = 0;
  if (size < TAIL_REAL) {
    unsigned none = 0;
    uint64_t empty = 0;
    MoveToTail(s->in, empty, none, s);
  }
}

// True when the decoder has consumed bits that came from the tail's padding.
bool Overread(const Inflater* s, const uint8_t* in, unsigned bitsleft) {
  return s->in_tail && (in - s->in_end) * 8 > ptrdiff_t(bitsleft);
}

// After a refill at least 56 bits are held.
#define REFILL()                                                              \
  do {                                                                        \
    if (__builtin_expect(in > s->in_limit, 0)) {                              \
      if (!MoveToTail(in, bitbuf, bitsleft, s)) return INFLATE_TRUNCATED;     \
    }                                                                         \
    bitbuf |= Load64(in) << bitsleft;                                         \
    in += (63 - bitsleft) >> 3;                                               \
    bitsleft |= 56;                                                           \
  } while (0)

#define TAKE(n) (unsigned(bitbuf) & ((1u << (n)) - 1))
#define DROP(n)          \
  do {                   \
    bitbuf >>= (n);      \
    bitsleft -= (n);     \
  } while (0)

// An error found while decoding garbage read from the padding is reported as
// what it really is: input that ended too early.
#define FAIL(code)                                                              \
  do {                                                                          \
    s->in = in;                                                                 \
    s->out = out;                                                               \
    return Overread(s, in, bitsleft) ? INFLATE_TRUNCATED : (code);              \
  } while (0)

int DecodeHuffmanBlock(Inflater* s, const uint32_t* litlen, const uint32_t* dist) {
  const uint8_t* in = s->in;
  uint64_t bitbuf = s->bitbuf;
  unsigned bitsleft = s->bitsleft;
  uint8_t* out = s->out;
  uint8_t* const out_start = s->out_start;
  uint8_t* const out_end = s->out_end;
  // With this much room a match may be copied 8 bytes at a time.
  constexpr ptrdiff_t FAST_ROOM = MAX_MATCH + 16;
  constexpr uint64_t LITLEN_MASK = (1u << LITLEN_ROOT_BITS) - 1;
  constexpr uint64_t DIST_MASK = (1u << DIST_ROOT_BITS) - 1;

  for (;;) {
    REFILL();
    uint32_t entry = litlen[bitbuf & LITLEN_MASK];
    if (entry & ENTRY_LITERAL) {
      // Up to three literals per refill: 56 bits hold three 15-bit codes.
      DROP(entry & 0xFF);
      if (__builtin_expect(out >= out_end, 0)) FAIL(INFLATE_OUTPUT_FULL);
      *out++ = uint8_t(entry >> 16);
      entry = litlen[bitbuf & LITLEN_MASK];
      if (entry & ENTRY_LITERAL) {
        DROP(entry & 0xFF);
        if (__builtin_expect(out >= out_end, 0)) FAIL(INFLATE_OUTPUT_FULL);
        *out++ = uint8_t(entry >> 16);
        entry = litlen[bitbuf & LITLEN_MASK];
        if (entry & ENTRY_LITERAL) {
          DROP(entry & 0xFF);
          if (__builtin_expect(out >= out_end, 0)) FAIL(INFLATE_OUTPUT_FULL);
          *out++ = uint8_t(entry >> 16);
          continue;
        }
      }
      // A length and a distance take at most 48 bits.
      if (bitsleft < 48) REFILL();
    }
    if (entry & ENTRY_SUBTABLE) {
      DROP(LITLEN_ROOT_BITS);
      entry = litlen[(entry >> 16) + TAKE((entry >> 8) & 0xF)];
      if (entry & ENTRY_LITERAL) {
        DROP(entry & 0xFF);
        if (__builtin_expect(out >= out_end, 0)) FAIL(INFLATE_OUTPUT_FULL);
        *out++ = uint8_t(entry >> 16);
        continue;
      }
    }
    uint64_t saved = bitbuf;
    DROP(entry & 0xFF);
    if (__builtin_expect(entry & ENTRY_SPECIAL, 0)) {
      if (entry & ENTRY_END) break;
      FAIL(INFLATE_BAD_SYMBOL);
    }
    const unsigned length =
        (entry >> 16) + unsigned((saved & ((uint64_t(1) << (entry & 0xFF)) - 1)) >> ((entry >> 8) & 0xF));

    entry = dist[bitbuf & DIST_MASK];
    if (entry & ENTRY_SUBTABLE) {
      DROP(DIST_ROOT_BITS);
      entry = dist[(entry >> 16) + TAKE((entry >> 8) & 0xF)];
    }
    saved = bitbuf;
    DROP(entry & 0xFF);
    if (__builtin_expect(entry & ENTRY_INVALID, 0)) FAIL(INFLATE_BAD_SYMBOL);
    const size_t distance =
        (entry >> 16) + size_t((saved & ((uint64_t(1) << (entry & 0xFF)) - 1)) >> ((entry >> 8) & 0xF));
    if (__builtin_expect(distance > size_t(out - out_start), 0)) FAIL(INFLATE_BAD_DISTANCE);

    const uint8_t* src = out - distance;
    if (__builtin_expect(out_end - out >= FAST_ROOM, 1)) {
      uint8_t* const end = out + length;
      if (distance >= 8) {
        // Each 8-byte step reads bytes written at least 8 bytes earlier.
        Copy8(out, src);
        Copy8(out + 8, src + 8);
        out += 16;
        src += 16;
        while (out < end) {
          Copy8(out, src);
          Copy8(out + 8, src + 8);
          out += 16;
          src += 16;
        }
      } else if (distance == 1) {
        const uint64_t v = uint64_t(*src) * 0x0101010101010101ull;
        std::memcpy(out, &v, 8);
        std::memcpy(out + 8, &v, 8);
        out += 16;
        while (out < end) {
          std::memcpy(out, &v, 8);
          std::memcpy(out + 8, &v, 8);
          out += 16;
        }
      } else {
        while (out < end) *out++ = *src++;
      }
      out = end;
    } else {
      if (size_t(out_end - out) < length) FAIL(INFLATE_OUTPUT_FULL);
      for (unsigned n = 0; n < length; ++n) out[n] = src[n];
      out += length;
    }
  }
  s->in = in;
  s->bitbuf = bitbuf;
  s->bitsleft = bitsleft;
  s->out = out;
  if (Overread(s, in, bitsleft)) return INFLATE_TRUNCATED;
  return INFLATE_OK;
}

// Reads the code lengths of a dynamic block and builds its two tables.
int ReadDynamicTables(Inflater* s) {
  const uint8_t* in = s->in;
  uint64_t bitbuf = s->bitbuf;
  unsigned bitsleft = s->bitsleft;
  uint8_t* out = s->out;

  REFILL();
  const int litlen_count = int(TAKE(5)) + 257;
  DROP(5);
  const int dist_count = int(TAKE(5)) + 1;
  DROP(5);
  const int precode_count = int(TAKE(4)) + 4;
  DROP(4);
  if (litlen_count > 286 || dist_count > 30) FAIL(INFLATE_BAD_CODE_LENGTHS);

  uint8_t precode_lengths[MAX_PRECODE_SYMBOLS] = {};
  for (int i = 0; i < precode_count; ++i) {
    if (bitsleft < 3) REFILL();
    precode_lengths[kPrecodeOrder[i]] = uint8_t(TAKE(3));
    DROP(3);
  }
  uint32_t precode[PRECODE_TABLE_SIZE];
  int result = BuildTable(precode_lengths, MAX_PRECODE_SYMBOLS, KIND_PRECODE, PRECODE_ROOT_BITS,
                          precode, PRECODE_TABLE_SIZE);
  if (result != INFLATE_OK) FAIL(result);

  uint8_t lengths[MAX_LITLEN_SYMBOLS + MAX_DIST_SYMBOLS];
  const int total = litlen_count + dist_count;
  int i = 0;
  while (i < total) {
    if (bitsleft < 14) REFILL();  // a 7-bit code and 7 extra bits
    const uint32_t entry = precode[TAKE(PRECODE_ROOT_BITS)];
    DROP(entry & 0xFF);
    const unsigned symbol = entry >> 16;
    if (symbol < 16) {
      lengths[i++] = uint8_t(symbol);
      continue;
    }
    uint8_t value = 0;
    unsigned repeat;
    if (symbol == 16) {
      if (i == 0) FAIL(INFLATE_BAD_CODE_LENGTHS);
      value = lengths[i - 1];
      repeat = 3 + TAKE(2);
      DROP(2);
    } else if (symbol == 17) {
      repeat = 3 + TAKE(3);
      DROP(3);
    } else {
      repeat = 11 + TAKE(7);
      DROP(7);
    }
    if (repeat > unsigned(total - i)) FAIL(INFLATE_BAD_CODE_LENGTHS);
    std::memset(lengths + i, value, repeat);
    i += int(repeat);
  }
  if (lengths[256] == 0) FAIL(INFLATE_BAD_CODE_LENGTHS);

  result = BuildTable(lengths, litlen_count, KIND_LITLEN, LITLEN_ROOT_BITS, s->litlen,
                      LITLEN_TABLE_SIZE);
  if (result != INFLATE_OK) FAIL(result);
  result = BuildTable(lengths + litlen_count, dist_count, KIND_DIST, DIST_ROOT_BITS, s->dist,
                      DIST_TABLE_SIZE);
  if (result != INFLATE_OK) FAIL(result);

  s->in = in;
  s->bitbuf = bitbuf;
  s->bitsleft = bitsleft;
  return INFLATE_OK;
}

int CopyStoredBlock(Inflater* s) {
  const uint8_t* in = s->in;
  uint64_t bitbuf = s->bitbuf;
  unsigned bitsleft = s->bitsleft;
  uint8_t* out = s->out;
  // To the byte boundary, then hand the whole bytes held back to the input.
  DROP(bitsleft & 7);
  in -= bitsleft >> 3;
  bitsleft = 0;
  bitbuf = 0;
  const ptrdiff_t available = s->in_end - in;
  if (available < 4) FAIL(INFLATE_TRUNCATED);
  const unsigned length = unsigned(in[0]) | (unsigned(in[1]) << 8);
  const unsigned complement = unsigned(in[2]) | (unsigned(in[3]) << 8);
  in += 4;
  if ((length ^ 0xFFFFu) != complement) FAIL(INFLATE_BAD_STORED_LENGTH);
  if (available - 4 < ptrdiff_t(length)) FAIL(INFLATE_TRUNCATED);
  if (size_t(s->out_end - out) < length) FAIL(INFLATE_OUTPUT_FULL);
  if (length) std::memcpy(out, in, length);
  in += length;
  out += length;
  s->in = in;
  s->bitbuf = bitbuf;
  s->bitsleft = bitsleft;
  s->out = out;
  return INFLATE_OK;
}

int ReadBlockHeader(Inflater* s, unsigned* final_block, unsigned* type) {
  const uint8_t* in = s->in;
  uint64_t bitbuf = s->bitbuf;
  unsigned bitsleft = s->bitsleft;
  uint8_t* out = s->out;
  REFILL();
  *final_block = TAKE(1);
  *type = (unsigned(bitbuf) >> 1) & 3;
  DROP(3);
  s->in = in;
  s->bitbuf = bitbuf;
  s->bitsleft = bitsleft;
  if (*type == 3) FAIL(INFLATE_BAD_BLOCK_TYPE);
  return INFLATE_OK;
}

int InflateBlocks(Inflater* s) {
  unsigned final_block = 0;
  while (!final_block) {
    unsigned type = 0;
    int result = ReadBlockHeader(s, &final_block, &type);
    if (result == INFLATE_OK) {
      if (type == 0) {
        result = CopyStoredBlock(s);
      } else if (type == 1) {
        const FixedTables& fixed = Fixed();
        result = DecodeHuffmanBlock(s, fixed.litlen, fixed.dist);
      } else {
        result = ReadDynamicTables(s);
        if (result == INFLATE_OK) result = DecodeHuffmanBlock(s, s->litlen, s->dist);
      }
    }
    if (result != INFLATE_OK) return result;
  }
  return INFLATE_OK;
}

int Run(const uint8_t* in, size_t in_size, uint8_t* out, size_t out_size, size_t* produced,
        bool zlib) {
  *produced = 0;
  if (zlib) {
    if (in_size < 2) return INFLATE_TRUNCATED;
    const unsigned method = in[0] & 0x0F;
    const unsigned window = in[0] >> 4;
    const bool dictionary = (in[1] & 0x20) != 0;
    if (method != 8 || window > 7 || dictionary) return INFLATE_BAD_HEADER;
    in += 2;
    in_size -= 2;
  }
  Inflater state;  // about 11 KB: fine on any stack this runs on
  Inflater* s = &state;
  StartInput(s, in, in_size);
  s->out_start = s->out = out;
  s->out_end = out + out_size;
  const int result = InflateBlocks(s);
  *produced = size_t(s->out - out);
  // The Adler-32 value that follows is neither required nor checked.
  return result;
}

}  // namespace

int InflateZlib(const uint8_t* in, size_t in_size, uint8_t* out, size_t out_size,
                size_t* produced) {
  return Run(in, in_size, out, out_size, produced, true);
}

int InflateRaw(const uint8_t* in, size_t in_size, uint8_t* out, size_t out_size,
               size_t* produced) {
  return Run(in, in_size, out, out_size, produced, false);
}
