// Any byte string given to the unpacker: no read or write out of bounds,
// and the reported length always describes the buffer handed over.
#include <cstdint>
#include <cstdlib>

#include "content/lzw.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint8_t* out = nullptr;
  int32_t length = 0;
  int32_t result = LzwUnpack(data, static_cast<int32_t>(size > 40000 ? 40000 : size), &out, &length);
  if (out) {
    if (length < 2 || length - 2 > LZW_MAX_OUTPUT) std::abort();
    volatile uint8_t sink = 0;
    for (int32_t i = 0; i < length - 2; ++i) sink = static_cast<uint8_t>(sink ^ out[i]);
    (void)sink;
  }
  if (result != UNPACK_OK && result != UNPACK_NO_INPUT && result != UNPACK_BAD_STREAM &&
      result != UNPACK_NO_MEMORY)
    std::abort();
  std::free(out);
  return 0;
}
