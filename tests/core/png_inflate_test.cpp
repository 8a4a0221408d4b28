// The inflater: one hand-made stream per failure with its exact result and
// output count, and round trips against zlib's deflate.
#include <zlib.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/inflate.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Writes DEFLATE bits: fields least significant bit first, Huffman codes
// most significant bit first.
struct BitWriter {
  Bytes bytes;
  int used = 8;
  void Bit(unsigned b) {
    if (used == 8) {
      bytes.push_back(0);
      used = 0;
    }
    bytes.back() |= uint8_t((b & 1) << used++);
  }
  BitWriter& Field(uint32_t value, int n) {
    for (int i = 0; i < n; ++i) Bit(value >> i);
    return *this;
  }
  BitWriter& Code(uint32_t code, int n) {
    for (int i = n - 1; i >= 0; --i) Bit(code >> i);
    return *this;
  }
  // Fixed-code symbols.
  BitWriter& Literal(unsigned c) { return c < 144 ? Code(0x30 + c, 8) : Code(0x190 + c - 144, 9); }
  BitWriter& Symbol(unsigned s) { return s < 280 ? Code(s - 256, 7) : Code(0xC0 + s - 280, 8); }
  BitWriter& Distance(unsigned code) { return Code(code, 5); }
};

struct Outcome {
  int result;
  size_t produced;
  std::string text;
};

Outcome RunRaw(const Bytes& in, size_t out_size) {
  std::string out(out_size, '\0');
  size_t produced = 99;
  const int result = InflateRaw(in.data(), in.size(), reinterpret_cast<uint8_t*>(&out[0]),
                                out.size(), &produced);
  return {result, produced, out.substr(0, produced)};
}

// A final dynamic block's header for literal/length code lengths `lit` and
// distance code lengths `dist`. The code-length code gives symbols 0-15 four
// bits each (complete), so the code of length l is l itself.
BitWriter DynamicHeader(const std::vector<uint8_t>& lit, const std::vector<uint8_t>& dist) {
  BitWriter w;
  w.Field(1, 1).Field(2, 2);
  w.Field(uint32_t(lit.size() - 257), 5).Field(uint32_t(dist.size() - 1), 5).Field(19 - 4, 4);
  const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  for (int i = 0; i < 19; ++i) w.Field(order[i] < 16 ? 4 : 0, 3);
  for (uint8_t l : lit) w.Code(l, 4);
  for (uint8_t l : dist) w.Code(l, 4);
  return w;
}

TEST(Inflate, EachFailureHasItsExactResult) {
  struct Case {
    const char* what;
    Bytes stream;
    size_t out_size;
    int result;
    size_t produced;
  };
  std::vector<Case> cases;
  cases.push_back({"block type 3", BitWriter().Field(1, 1).Field(3, 2).bytes, 10,
                   INFLATE_BAD_BLOCK_TYPE, 0});
  cases.push_back({"NLEN not the complement", Bytes{0x01, 0x05, 0x00, 0xFA, 0xFE, 'h', 'e', 'l',
                                                    'l', 'o'},
                   10, INFLATE_BAD_STORED_LENGTH, 0});
  cases.push_back({"stored block cut short", Bytes{0x01, 0x05, 0x00, 0xFA, 0xFF, 'h', 'e'}, 10,
                   INFLATE_TRUNCATED, 0});
  cases.push_back({"stored block past the output", Bytes{0x01, 0x05, 0x00, 0xFA, 0xFF, 'h', 'e',
                                                         'l', 'l', 'o'},
                   4, INFLATE_OUTPUT_FULL, 0});
  {
    // Four code-length codes of length 1: over-subscribed.
    BitWriter w;
    w.Field(1, 1).Field(2, 2).Field(0, 5).Field(0, 5).Field(0, 4);
    for (int i = 0; i < 4; ++i) w.Field(1, 3);
    cases.push_back({"over-subscribed code-length code", w.bytes, 10, INFLATE_OVERSUBSCRIBED, 0});
  }
  {
    // One code-length code of length 1: incomplete, never allowed there.
    BitWriter w;
    w.Field(1, 1).Field(2, 2).Field(0, 5).Field(0, 5).Field(0, 4);
    w.Field(1, 3).Field(0, 3).Field(0, 3).Field(0, 3);
    cases.push_back({"incomplete code-length code", w.bytes, 10, INFLATE_INCOMPLETE, 0});
  }
  {
    // Literal/length code: 'A' and end-of-block of length 2: incomplete.
    std::vector<uint8_t> lit(257, 0);
    lit['A'] = 2;
    lit[256] = 2;
    cases.push_back({"incomplete literal/length code", DynamicHeader(lit, {1}).bytes, 10,
                     INFLATE_INCOMPLETE, 0});
    // Three codes of length 1: over-subscribed.
    lit['B'] = 1;
    lit['A'] = 1;
    lit[256] = 1;
    cases.push_back({"over-subscribed literal/length code", DynamicHeader(lit, {1}).bytes, 10,
                     INFLATE_OVERSUBSCRIBED, 0});
    // Distances: two codes of length 2 are incomplete.
    lit['B'] = 0;
    cases.push_back({"incomplete distance code", DynamicHeader(lit, {2, 2}).bytes, 10,
                     INFLATE_INCOMPLETE, 0});
    lit[256] = 0;
    lit['B'] = 1;
    cases.push_back({"no end-of-block code", DynamicHeader(lit, {1}).bytes, 10,
                     INFLATE_BAD_CODE_LENGTHS, 0});
  }
  {
    // Repeat code 16 with no length before it. Code-length code: 16 and 0
    // of length 1.
    BitWriter w;
    w.Field(1, 1).Field(2, 2).Field(0, 5).Field(0, 5).Field(0, 4);
    w.Field(1, 3).Field(0, 3).Field(0, 3).Field(1, 3);  // 16, 17, 18, 0
    w.Code(1, 1).Field(0, 2);                           // 16 first
    cases.push_back({"repeat of nothing", w.bytes, 10, INFLATE_BAD_CODE_LENGTHS, 0});
  }
  {
    BitWriter w;
    w.Field(1, 1).Field(1, 2).Literal('a').Symbol(257).Distance(1);  // length 3, distance 2
    w.Symbol(256);
    cases.push_back({"distance too far back", w.bytes, 10, INFLATE_BAD_DISTANCE, 1});
  }
  {
    BitWriter w;
    w.Field(1, 1).Field(1, 2).Literal('a').Literal('b');  // then the input ends
    cases.push_back({"missing end of block", w.bytes, 10, INFLATE_TRUNCATED, 2});
  }
  {
    BitWriter w;
    w.Field(0, 1).Field(1, 2).Literal('a').Symbol(256);  // not final, nothing follows
    cases.push_back({"missing final block", w.bytes, 10, INFLATE_TRUNCATED, 1});
  }
  {
    BitWriter w;
    w.Field(1, 1).Field(1, 2).Literal('a').Symbol(264).Distance(0).Symbol(256);  // 10 x 'a'
    cases.push_back({"match past the output", w.bytes, 5, INFLATE_OUTPUT_FULL, 1});
    cases.push_back({"literal past the output", w.bytes, 0, INFLATE_OUTPUT_FULL, 0});
    cases.push_back({"output exactly full", w.bytes, 11, INFLATE_OK, 11});
  }
  {
    BitWriter w;
    w.Field(1, 1).Field(1, 2).Literal('a').Symbol(286);
    cases.push_back({"length symbol 286", w.bytes, 10, INFLATE_BAD_SYMBOL, 1});
  }
  {
    BitWriter w;
    w.Field(1, 1).Field(1, 2).Literal('a').Symbol(257).Distance(30).Symbol(256);
    cases.push_back({"distance symbol 30", w.bytes, 10, INFLATE_BAD_SYMBOL, 1});
  }
  {
    // A single distance code of length 1 is allowed; its unused half is not.
    std::vector<uint8_t> lit(258, 0);
    lit['A'] = 1;
    lit[256] = 2;
    lit[257] = 2;  // length 3
    BitWriter w = DynamicHeader(lit, {1});
    w.Code(0, 1).Code(3, 2).Code(0, 1).Code(2, 2);  // A, length 3 distance 1, end
    cases.push_back({"single distance code", w.bytes, 10, INFLATE_OK, 4});
    BitWriter bad = DynamicHeader(lit, {1});
    bad.Code(0, 1).Code(3, 2).Code(1, 1);
    cases.push_back({"unused half of a single code", bad.bytes, 10, INFLATE_BAD_SYMBOL, 1});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome o = RunRaw(c.stream, c.out_size);
    EXPECT_EQ(o.result, c.result);
    EXPECT_EQ(o.produced, c.produced);
  }
}

TEST(Inflate, OverlappingCopiesRepeat) {
  BitWriter w;
  // "ab", then length 9 at distance 2, then length 3 at distance 1.
  w.Field(1, 1).Field(1, 2).Literal('a').Literal('b').Symbol(263).Distance(1);
  w.Symbol(257).Distance(0).Symbol(256);
  EXPECT_EQ(RunRaw(w.bytes, 100).text, "abababababaaaa");
  EXPECT_EQ(RunRaw(Bytes{0x01, 0x02, 0x00, 0xFD, 0xFF, 'o', 'k'}, 2).text, "ok");
}

TEST(Inflate, ZlibHeader) {
  struct Case {
    uint8_t cmf, flg;
    int result;
  };
  const Case cases[] = {{0x78, 0x01, INFLATE_OK},        {0x08, 0x00, INFLATE_OK},
                        {0x77, 0x01, INFLATE_BAD_HEADER}, {0x88, 0x01, INFLATE_BAD_HEADER},
                        {0x78, 0x20, INFLATE_BAD_HEADER}};
  for (const Case& c : cases) {
    // An empty final stored block; the Adler-32 value is left out.
    const Bytes stream{c.cmf, c.flg, 0x01, 0x00, 0x00, 0xFF, 0xFF};
    uint8_t out[1];
    size_t produced;
    EXPECT_EQ(InflateZlib(stream.data(), stream.size(), out, 0, &produced), c.result);
  }
  size_t produced;
  uint8_t out[1];
  EXPECT_EQ(InflateZlib(nullptr, 0, out, 1, &produced), INFLATE_TRUNCATED);
}

// Data with long and short codes, long and overlapping matches.
Bytes SampleData(size_t size, uint32_t seed) {
  Bytes data;
  data.reserve(size);
  while (data.size() < size) {
    seed = seed * 1664525u + 1013904223u;
    const unsigned r = seed >> 8;
    if (r % 5 == 0 && data.size() > 300) {
      const size_t dist = 1 + (r >> 4) % (data.size() < 40000 ? data.size() : 40000);
      const size_t len = 3 + (r >> 20) % 300;
      for (size_t i = 0; i < len && data.size() < size; ++i) data.push_back(data[data.size() - dist]);
    } else {
      // Geometric symbol frequencies give codes up to 15 bits.
      unsigned v = 0;
      while (v < 255 && ((seed >> (v % 24)) & 1)) v += 1 + (r & 3);
      data.push_back(uint8_t(v));
    }
  }
  return data;
}

TEST(Inflate, RoundTripsWithZlib) {
  const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED};
  for (size_t size : {size_t(0), size_t(1), size_t(37), size_t(70000), size_t(400000)}) {
    const Bytes data = SampleData(size, uint32_t(size));
    for (int level : {0, 1, 6, 9}) {
      for (int strategy : strategies) {
        for (int window : {9, 15}) {
          SCOPED_TRACE(testing::Message() << size << " bytes, level " << level << ", strategy "
                                          << strategy << ", window " << window);
          z_stream z{};
          ASSERT_EQ(deflateInit2(&z, level, Z_DEFLATED, window, 8, strategy), Z_OK);
          Bytes packed(deflateBound(&z, uLong(size)) + 16);
          z.next_in = const_cast<Bytef*>(data.data());
          z.avail_in = uInt(size);
          z.next_out = packed.data();
          z.avail_out = uInt(packed.size());
          ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
          packed.resize(z.total_out);
          deflateEnd(&z);
          Bytes out(size + 1);
          size_t produced = 0;
          ASSERT_EQ(InflateZlib(packed.data(), packed.size(), out.data(), size, &produced),
                    INFLATE_OK);
          ASSERT_EQ(produced, size);
          out.resize(size);
          ASSERT_TRUE(out == data);
          if (size > 1) {
            // One byte too few: the last write is refused.
            ASSERT_EQ(InflateZlib(packed.data(), packed.size(), out.data(), size - 1, &produced),
                      INFLATE_OUTPUT_FULL);
          }
        }
      }
    }
  }
}

}  // namespace
