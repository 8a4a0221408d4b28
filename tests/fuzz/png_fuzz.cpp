// Attach, decode, bitmap header and conversion of arbitrary bytes: whatever
// the input, nothing may read or write out of bounds.
#include <cstdlib>
#include <vector>

#include "media/png.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1u << 20) return 0;
  PngImage image;
  PngInit(&image);
  if (!PngAttach(&image, data, uint32_t(size), PNG_SOURCE_MEMORY)) return 0;
  // Big images only cost time here; the size checks are tested directly.
  if (PngImageDataSize(&image) > (8u << 20)) {
    PngRelease(&image);
    return 0;
  }
  if (PngDecode(&image)) {
    PngBitmapInfo info;
    if (PngBitmapHeader(&image, &info)) {
      std::vector<uint8_t> bits(info.size_image);
      PngUnfilterAndConvert(&image, &info, bits.data(), bits.size());
    }
  }
  PngRelease(&image);
  return 0;
}
