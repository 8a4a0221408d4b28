#include "content/lzw.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

struct Unpacked {
  int32_t result;
  int32_t output_length;
  std::vector<uint8_t> bytes;
};

Unpacked Unpack(const std::vector<uint8_t>& stream) {
  uint8_t* out = nullptr;
  int32_t length = -1;
  Unpacked u;
  u.result = LzwUnpack(stream.data(), static_cast<int32_t>(stream.size()), &out, &length);
  u.output_length = length;
  if (out && length >= 2) u.bytes.assign(out, out + (length - 2));
  std::free(out);
  return u;
}

// Writes codes MSB first, each at its own width, as a hand-made stream.
std::vector<uint8_t> Codes(const std::vector<std::pair<uint32_t, int>>& codes) {
  std::vector<uint8_t> out;
  uint64_t acc = 0;
  int bits = 0;
  for (auto [code, width] : codes) {
    acc = (acc << width) | code;
    bits += width;
    while (bits >= 8) {
      out.push_back(static_cast<uint8_t>(acc >> (bits - 8)));
      bits -= 8;
    }
  }
  if (bits > 0) out.push_back(static_cast<uint8_t>(acc << (8 - bits)));
  return out;
}

std::vector<std::pair<uint32_t, int>> Nine(std::initializer_list<uint32_t> codes) {
  std::vector<std::pair<uint32_t, int>> v;
  for (uint32_t c : codes) v.push_back({c, 9});
  return v;
}

std::string Text(const Unpacked& u) { return std::string(u.bytes.begin(), u.bytes.end()); }

TEST(LzwUnpack, WorkedExampleAbababa) {
  std::vector<uint8_t> stream = {0x20, 0x90, 0xA0, 0x70, 0x58, 0x00};
  EXPECT_EQ(Codes(Nine({65, 66, 259, 261, 256})), stream);
  Unpacked u = Unpack(stream);
  EXPECT_EQ(u.result, UNPACK_OK);
  EXPECT_EQ(u.output_length, 9);
  EXPECT_EQ(Text(u), "ABABABA");
}

TEST(LzwUnpack, ResultsAndReportedLengths) {
  struct Case {
    const char* name;
    std::vector<uint8_t> stream;
    int32_t result;
    std::string output;
  };
  const Case cases[] = {
      {"empty input", {}, UNPACK_NO_INPUT, ""},
      {"one byte: first code incomplete", {0x41}, UNPACK_NO_INPUT, ""},
      {"one code and padding, no end", Codes(Nine({65})), UNPACK_BAD_STREAM, ""},
      {"first code 256 is the byte 0", Codes(Nine({256, 256})), UNPACK_OK, std::string(1, '\0')},
      {"first code 257 is the byte 1", Codes(Nine({257, 256})), UNPACK_OK, "\x01"},
      {"first code 258 is the byte 2", Codes(Nine({258, 256})), UNPACK_OK, "\x02"},
      {"code above next free", Codes(Nine({65, 66, 261, 256})), UNPACK_BAD_STREAM, "A"},
      {"code equal to next free", Codes(Nine({65, 259, 256})), UNPACK_OK, "AAA"},
      {"reset keeps the pending string", Codes(Nine({65, 66, 258, 67, 259, 256})), UNPACK_OK,
       "ABCBC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Unpacked u = Unpack(c.stream);
    EXPECT_EQ(u.result, c.result);
    EXPECT_EQ(Text(u), c.output);
    EXPECT_EQ(u.output_length, static_cast<int32_t>(c.output.size()) + 2);
  }
}

TEST(LzwUnpack, InputEndingInsideACodeThatReadsEndFinishes) {
  // At width 17 the input ends after 11 of the code's bits, which read 256.
  std::vector<std::pair<uint32_t, int>> codes = {{65, 9}};
  for (int w = 9; w <= 16; ++w) codes.push_back({CODE_WIDEN, w});
  codes.push_back({0b001, 3});
  codes.push_back({0x00, 8});
  Unpacked u = Unpack(Codes(codes));
  EXPECT_EQ(u.result, UNPACK_OK);
  EXPECT_EQ(Text(u), "A");
}

TEST(LzwUnpack, WidenTwiceMakesElevenBitCodesUntilReset) {
  auto codes = Nine({65, CODE_WIDEN});
  codes.push_back({CODE_WIDEN, 10});
  codes.push_back({66, 11});
  codes.push_back({259, 11});
  codes.push_back({CODE_RESET, 11});
  codes.push_back({67, 9});
  codes.push_back({CODE_END, 9});
  Unpacked u = Unpack(Codes(codes));
  EXPECT_EQ(u.result, UNPACK_OK);
  EXPECT_EQ(Text(u), "ABABC");
}

TEST(LzwUnpack, WidthAboveThirtyTwoBitsIsRefused) {
  std::vector<std::pair<uint32_t, int>> codes = {{65, 9}};
  for (int w = 9; w <= 32; ++w) codes.push_back({CODE_WIDEN, w});
  codes.push_back({0, 32});
  Unpacked u = Unpack(Codes(codes));
  EXPECT_EQ(u.result, UNPACK_BAD_STREAM);
}

TEST(LzwUnpack, LimitsAreRefusedWithoutOverrun) {
  // Input over 32768 bytes.
  std::vector<uint8_t> big = LzwPack(reinterpret_cast<const uint8_t*>("AB"), 2);
  big.resize(LZW_MAX_INPUT + 1, 0);
  EXPECT_EQ(Unpack(big).result, UNPACK_BAD_STREAM);
  // A code that would teach entry 4096: 3837 literals fill 259..4095.
  std::vector<std::pair<uint32_t, int>> codes = {{65, 9}, {CODE_WIDEN, 9}, {CODE_WIDEN, 10},
                                                 {CODE_WIDEN, 11}};
  for (int i = 0; i < LZW_DICTIONARY_SIZE - FIRST_FREE_CODE; ++i) codes.push_back({66, 12});
  codes.push_back({66, 12});
  codes.push_back({CODE_END, 12});
  Unpacked full = Unpack(Codes(codes));
  EXPECT_EQ(full.result, UNPACK_BAD_STREAM);
  EXPECT_EQ(full.output_length, 2 + (LZW_DICTIONARY_SIZE - FIRST_FREE_CODE));
  // Output over 30000 bytes: a run of one byte, packed, then unpacked.
  std::vector<uint8_t> run(LZW_MAX_OUTPUT + 1, 'x');
  Unpacked over = Unpack(LzwPack(run.data(), run.size()));
  EXPECT_EQ(over.result, UNPACK_BAD_STREAM);
  EXPECT_LE(over.bytes.size(), static_cast<size_t>(LZW_MAX_OUTPUT));
}

TEST(LzwUnpack, NegativeLengthIsRefused) {
  uint8_t* out = nullptr;
  int32_t length = 0;
  const uint8_t byte = 0;
  EXPECT_EQ(LzwUnpack(&byte, -1, &out, &length), UNPACK_BAD_STREAM);
  EXPECT_EQ(length, 2);
  std::free(out);
}

TEST(LzwPack, RoundTrips) {
  std::mt19937 rng(1234);
  auto random_bytes = [&](size_t n, int alphabet) {
    std::vector<uint8_t> v(n);
    for (auto& b : v) b = static_cast<uint8_t>(rng() % static_cast<unsigned>(alphabet));
    return v;
  };
  struct Case {
    const char* name;
    std::vector<uint8_t> data;
  };
  std::vector<uint8_t> repetitive;
  while (repetitive.size() < 20000) {
    const char* word = "Tour Eiffel|Paris|";
    repetitive.insert(repetitive.end(), word, word + 18);
  }
  const Case cases[] = {
      {"one byte", {'A'}},
      {"tiny", {'A', 'B', 'A', 'B', 'A', 'B', 'A'}},
      {"control-valued bytes first", {0, 1, 2, 0xFF}},
      {"repetitive", repetitive},
      // Random bytes barely pack: 20000 of them fill most of the input limit.
      {"random, full alphabet", random_bytes(20000, 256)},
      {"random, two letters (long strings, many resets)", random_bytes(LZW_MAX_OUTPUT, 2)},
      {"one byte repeated, maximum size", std::vector<uint8_t>(LZW_MAX_OUTPUT, 'z')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> stream = LzwPack(c.data.data(), c.data.size());
    Unpacked u = Unpack(stream);
    ASSERT_EQ(u.result, UNPACK_OK);
    EXPECT_EQ(u.bytes, c.data);
  }
}

TEST(LzwPack, EmptyDataPacksToAStreamThatProducesNothing) {
  std::vector<uint8_t> stream = LzwPack(nullptr, 0);
  EXPECT_TRUE(stream.empty());
  Unpacked u = Unpack(stream);
  EXPECT_EQ(u.result, UNPACK_NO_INPUT);
  EXPECT_TRUE(u.bytes.empty());
}

TEST(LzwPack, StreamShapeStartsWithALiteralAndEndsWithEnd) {
  const char* text = "ABABABA";
  std::vector<uint8_t> stream = LzwPack(reinterpret_cast<const uint8_t*>(text), 7);
  EXPECT_EQ(stream, Codes(Nine({65, 66, 259, 261, 256})));
}

}  // namespace
