// The packer mirrors the unpacker step by step: it learns each entry at the
// moment the unpacker will (one code late, from the pending string and the
// first byte of the code being sent), so both tables always agree, across
// resets too.
#include <algorithm>
#include <cstring>
#include <vector>

#include "content/lzw.h"

namespace {

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>* out) : out_(out) {}
  void Put(uint32_t code, unsigned width) {
    for (unsigned i = width; i-- > 0;) {
      current_ = static_cast<uint8_t>(current_ | (((code >> i) & 1u) << (7 - used_)));
      if (++used_ == 8) Flush();
    }
  }
  void Finish() {
    if (used_ > 0) Flush();  // padding bits stay zero
  }

 private:
  void Flush() {
    out_->push_back(current_);
    current_ = 0;
    used_ = 0;
  }
  std::vector<uint8_t>* out_;
  uint8_t current_ = 0;
  unsigned used_ = 0;
};

constexpr uint16_t kNoChild = 0;

struct Packer {
  const uint8_t* data;
  size_t size;
  BitWriter writer;
  unsigned width = LZW_FIRST_WIDTH;
  uint32_t next_free = FIRST_FREE_CODE;
  // child[code * 256 + byte] is the code of (string of code) + byte, or 0.
  std::vector<uint16_t> child;
  // The pending string, as the unpacker holds it: a run of the data.
  size_t pending_start = 0;
  size_t pending_length = 0;
  uint32_t pending_code = 0;

  void Send(uint32_t code) {
    while (code >= (1u << width)) {
      writer.Put(CODE_WIDEN, width);
      ++width;
    }
    writer.Put(code, width);
  }

  void Reset() {
    writer.Put(CODE_RESET, width);
    width = LZW_FIRST_WIDTH;
    next_free = FIRST_FREE_CODE;
    std::fill(child.begin(), child.end(), kNoChild);
  }

  // Longest string at pos that the unpacker can decode right now: a known
  // entry, or the next free code itself (pending string + its first byte).
  void Match(size_t pos, uint32_t* code, size_t* length) const {
    uint32_t c = data[pos];
    size_t n = 1;
    // A string of LZW_MAX_STRING bytes could not be extended by the unpacker.
    while (pos + n < size && n + 1 < static_cast<size_t>(LZW_MAX_STRING)) {
      uint16_t next = child[c * 256 + data[pos + n]];
      if (next == kNoChild) break;
      c = next;
      ++n;
    }
    size_t special = pending_length + 1;
    if (special > n && special < static_cast<size_t>(LZW_MAX_STRING) && pos + special <= size &&
        std::memcmp(data + pos, data + pending_start, pending_length) == 0 &&
        data[pos + pending_length] == data[pending_start]) {
      c = next_free;
      n = special;
    }
    *code = c;
    *length = n;
  }
};

}  // namespace

std::vector<uint8_t> LzwPack(const uint8_t* data, size_t size) {
  std::vector<uint8_t> out;
  if (size == 0) return out;
  Packer p{data, size, BitWriter(&out), LZW_FIRST_WIDTH, FIRST_FREE_CODE, {}, 0, 0, 0};
  p.child.assign(static_cast<size_t>(LZW_DICTIONARY_SIZE) * 256, kNoChild);
  p.Send(data[0]);  // the first code is always a literal
  p.pending_start = 0;
  p.pending_length = 1;
  p.pending_code = data[0];
  size_t pos = 1;
  while (pos < size) {
    bool stale_pending = false;
    if (p.next_free >= static_cast<uint32_t>(LZW_DICTIONARY_SIZE)) {
      p.Reset();
      // The pending string's code belongs to the table just dropped: the
      // entry learned from it is real but cannot be reached through the trie.
      stale_pending = p.pending_code >= 256;
    }
    uint32_t code = 0;
    size_t length = 0;
    p.Match(pos, &code, &length);
    p.Send(code);
    // The unpacker now learns pending + first byte of this code's string.
    uint32_t learned = p.next_free++;
    if (!stale_pending) {
      uint16_t& slot = p.child[p.pending_code * 256 + data[pos]];
      if (slot == kNoChild) slot = static_cast<uint16_t>(learned);
    }
    p.pending_start = pos;
    p.pending_length = length;
    p.pending_code = code;
    pos += length;
  }
  p.Send(CODE_END);
  p.writer.Finish();
  return out;
}
