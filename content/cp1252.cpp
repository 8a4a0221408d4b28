#include "content/cp1252.h"

#include <cstdint>
#include <utility>

namespace {

// Code points of the bytes 0x80..0x9F. The five bytes Windows-1252 leaves
// undefined map to the C1 control of the same value, as Windows maps them,
// so that every byte survives a round trip.
const uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

uint32_t CodePointOfByte(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

// The byte for a code point, or -1 when Windows-1252 cannot hold it.
int ByteOfCodePoint(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == cp) return 0x80 + i;
  }
  return -1;
}

// Decodes one UTF-8 sequence at utf8[pos]. Returns its length, or 0 when it
// is malformed: a stray continuation byte, a truncated sequence, an overlong
// form, a surrogate or a value above U+10FFFF.
size_t DecodeOne(std::string_view utf8, size_t pos, uint32_t* cp) {
  const unsigned char lead = static_cast<unsigned char>(utf8[pos]);
  size_t length;
  uint32_t value;
  uint32_t smallest;
  if (lead < 0x80) {
    *cp = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, smallest = 0x10000;
  } else {
    return 0;  // 0x80..0xC1 (continuation or overlong lead) and 0xF5..0xFF
  }
  if (utf8.size() - pos < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(utf8[pos + i]);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  *cp = value;
  return length;
}

void AppendUtf8(std::string* out, uint32_t cp) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    // Every code point of Windows-1252 is below U+10000.
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

bool Utf8ToCp1252(std::string_view utf8, std::string* out, size_t* bad_offset) {
  std::string result;
  result.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    uint32_t cp = 0;
    const size_t length = DecodeOne(utf8, pos, &cp);
    const int byte = length == 0 ? -1 : ByteOfCodePoint(cp);
    if (byte < 0) {
      if (bad_offset != nullptr) *bad_offset = pos;
      return false;
    }
    result.push_back(static_cast<char>(byte));
    pos += length;
  }
  *out = std::move(result);
  return true;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) AppendUtf8(&out, CodePointOfByte(static_cast<unsigned char>(c)));
  return out;
}
