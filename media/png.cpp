#include "media/png.h"

#include <cstring>

int PngInit(PngImage* image) {
  std::memset(image, 0, sizeof *image);
  return 1;
}
int PngAttach(PngImage* image, const uint8_t*, uint32_t, uint32_t) {
  image->error = PNG_ERR_NOT_PNG;
  return 0;
}
uint32_t PngImageDataSize(const PngImage*) { return 0; }
int PngDecode(PngImage* image) {
  image->error = PNG_ERR_STATE;
  return 0;
}
int PngBitmapHeader(const PngImage*, PngBitmapInfo*) { return 0; }
int PngUnfilterAndConvert(PngImage*, const PngBitmapInfo*, uint8_t*, size_t) { return 0; }
int PngRelease(PngImage* image) { return PngInit(image); }
