#include "content/lzw.h"

#include <cstdlib>
#include <cstring>

namespace {

// A byte buffer of the codec: owned heap block, capacity and length.
struct ByteString {
  uint8_t* bytes;
  uint16_t capacity;
  uint16_t length;
};

// The unpacker's working state, module-level and rebuilt by every call.
struct LzwState {
  ByteString* dictionary;
  uint16_t next_free;
  uint8_t width;
  ByteString pending;
  ByteString work;
  ByteString input;
  uint16_t read_position;
  bool input_copied;
  const uint8_t* source;
  int32_t source_length;
  uint8_t held_bits;  // unused low bits of the last input byte, left-aligned
  uint8_t held_count;
  uint8_t* output;
  int32_t output_count;
};

LzwState g_lzw;
LzwAlertFn g_alert = nullptr;

bool AllocString(ByteString* s, uint16_t capacity) {
  s->bytes = static_cast<uint8_t*>(std::malloc(capacity ? capacity : 1));
  s->capacity = capacity;
  s->length = 0;
  return s->bytes != nullptr;
}

void FreeString(ByteString* s) {
  std::free(s->bytes);
  s->bytes = nullptr;
  s->capacity = 0;
  s->length = 0;
}

// The one place that reads input: refills the input buffer once with the
// whole packed input; a second refill means the input has ended.
bool FetchByte(uint8_t* byte) {
  LzwState& s = g_lzw;
  if (s.read_position == s.input.length) {
    if (s.input_copied || s.source_length <= 0) return false;
    std::memcpy(s.input.bytes, s.source, static_cast<size_t>(s.source_length));
    s.input.length = static_cast<uint16_t>(s.source_length);
    s.read_position = 0;
    s.input_copied = true;
  }
  *byte = s.input.bytes[s.read_position++];
  return true;
}

// Reads a code of the given width. Returns false when the input ended
// during the read; *value then holds the bits gathered so far.
bool ReadCode(unsigned width, uint64_t* value) {
  LzwState& s = g_lzw;
  uint64_t v = s.held_count ? static_cast<uint64_t>(s.held_bits >> (8 - s.held_count)) : 0;
  unsigned need = width - s.held_count;
  s.held_bits = 0;
  s.held_count = 0;
  uint8_t b = 0;
  while (need >= 8) {
    if (!FetchByte(&b)) {
      *value = v;
      return false;
    }
    v = (v << 8) | b;
    need -= 8;
  }
  if (need > 0) {
    if (!FetchByte(&b)) {
      *value = v;
      return false;
    }
    v = (v << need) | (b >> (8 - need));
    s.held_bits = static_cast<uint8_t>(b << need);
    s.held_count = static_cast<uint8_t>(8 - need);
  }
  *value = v;
  return true;
}

// The one place that writes output; refuses to pass the buffer's end.
bool EmitPending() {
  LzwState& s = g_lzw;
  if (s.output_count + s.pending.length > LZW_MAX_OUTPUT) return false;
  std::memcpy(s.output + s.output_count, s.pending.bytes, s.pending.length);
  s.output_count += s.pending.length;
  return true;
}

bool CopyEntry(ByteString* dst, const ByteString& src) {
  std::memcpy(dst->bytes, src.bytes, src.length);
  dst->length = src.length;
  return true;
}

// Teaches the next free code the work string. Returns UNPACK_OK or a failure.
int32_t TeachWork() {
  LzwState& s = g_lzw;
  ByteString& entry = s.dictionary[s.next_free];
  FreeString(&entry);
  if (!AllocString(&entry, s.work.length)) return UNPACK_NO_MEMORY;
  std::memcpy(entry.bytes, s.work.bytes, s.work.length);
  entry.length = s.work.length;
  ++s.next_free;
  return UNPACK_OK;
}

int32_t SetUp() {
  LzwState& s = g_lzw;
  std::memset(&s, 0, sizeof s);
  if (!AllocString(&s.input, static_cast<uint16_t>(LZW_MAX_INPUT))) return UNPACK_NO_MEMORY;
  s.dictionary = static_cast<ByteString*>(std::calloc(LZW_DICTIONARY_SIZE, sizeof(ByteString)));
  if (!s.dictionary) return UNPACK_NO_MEMORY;
  for (int i = 0; i < 256; ++i) {
    if (!AllocString(&s.dictionary[i], 1)) return UNPACK_NO_MEMORY;
    s.dictionary[i].bytes[0] = static_cast<uint8_t>(i);
    s.dictionary[i].length = 1;
  }
  s.next_free = FIRST_FREE_CODE;
  if (!AllocString(&s.pending, LZW_MAX_STRING) || !AllocString(&s.work, LZW_MAX_STRING))
    return UNPACK_NO_MEMORY;
  s.output = static_cast<uint8_t*>(std::malloc(LZW_MAX_OUTPUT));
  if (!s.output) {
    if (g_alert) g_alert("Impossible d'allouer la memoire", "information");
    return UNPACK_NO_MEMORY;
  }
  return UNPACK_OK;
}

int32_t Decode() {
  LzwState& s = g_lzw;
  if (s.source_length < 0 || s.source_length > LZW_MAX_INPUT) return UNPACK_BAD_STREAM;
  uint64_t code = 0;
  if (!ReadCode(LZW_FIRST_WIDTH, &code)) return UNPACK_NO_INPUT;
  s.pending.bytes[0] = static_cast<uint8_t>(code & 0xFF);
  s.pending.length = 1;
  s.width = LZW_FIRST_WIDTH;
  for (;;) {
    if (s.width > LZW_MAX_WIDTH) return UNPACK_BAD_STREAM;
    bool complete = ReadCode(s.width, &code);
    if (!complete && code != CODE_END) return UNPACK_BAD_STREAM;
    if (code == CODE_END) return EmitPending() ? UNPACK_OK : UNPACK_BAD_STREAM;
    if (code == CODE_RESET) {
      s.next_free = FIRST_FREE_CODE;
      s.width = LZW_FIRST_WIDTH;
      continue;
    }
    if (code == CODE_WIDEN) {
      ++s.width;
      continue;
    }
    if (code > s.next_free) return UNPACK_BAD_STREAM;
    // The stream must reset before the table would overflow.
    if (s.next_free >= LZW_DICTIONARY_SIZE) return UNPACK_BAD_STREAM;
    // A learned string longer than the work buffer cannot be held.
    if (s.pending.length >= LZW_MAX_STRING) return UNPACK_BAD_STREAM;
    const uint8_t first =
        code == s.next_free ? s.pending.bytes[0] : s.dictionary[code].bytes[0];
    CopyEntry(&s.work, s.pending);
    s.work.bytes[s.work.length++] = first;
    int32_t taught = TeachWork();
    if (taught != UNPACK_OK) return taught;
    if (!EmitPending()) return UNPACK_BAD_STREAM;
    CopyEntry(&s.pending, s.dictionary[code]);
  }
}

}  // namespace

void LzwSetAlert(LzwAlertFn alert) { g_alert = alert; }

void LzwRelease() {
  LzwState& s = g_lzw;
  if (s.dictionary) {
    for (int i = 0; i < LZW_DICTIONARY_SIZE; ++i) FreeString(&s.dictionary[i]);
    std::free(s.dictionary);
    s.dictionary = nullptr;
  }
  FreeString(&s.pending);
  FreeString(&s.work);
  FreeString(&s.input);
}

int32_t LzwUnpack(const uint8_t* input, int32_t inputLength, uint8_t** output,
                  int32_t* outputLength) {
  int32_t result = SetUp();
  if (result != UNPACK_OK) {
    std::free(g_lzw.output);
    g_lzw.output = nullptr;
    LzwRelease();
    return result;
  }
  g_lzw.source = input;
  g_lzw.source_length = input ? inputLength : 0;
  result = Decode();
  *output = g_lzw.output;
  *outputLength = g_lzw.output_count + 2;
  g_lzw.output = nullptr;
  LzwRelease();
  return result;
}
