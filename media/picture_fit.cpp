#include "media/picture_fit.h"

void SwapNibbles(uint8_t* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i)
    bytes[i] = static_cast<uint8_t>((bytes[i] << 4) | (bytes[i] >> 4));
}

namespace {

// long double -> int, truncating, clamped to what an int holds.
int TruncateToInt(long double value) {
  if (!(value > 0.0L)) return 0;
  if (value >= 2147483647.0L) return 2147483647;
  return static_cast<int>(value);
}

}  // namespace

void FitToBox(int w, int h, int box_w, int box_h, int* out_w, int* out_h) {
  if (w <= 0 || h <= 0) {
    *out_w = 0;
    *out_h = 0;
    return;
  }
  // long double is the x87 80-bit format with GCC on x86 (i686 and x86_64,
  // Linux and MinGW alike); the x87 unit must run at its full 64-bit
  // precision, which is the MinGW runtime's and Linux's default.
  const long double scale_w = static_cast<long double>(box_w) / static_cast<long double>(w);
  const long double scale_h = static_cast<long double>(box_h) / static_cast<long double>(h);
  const long double scale = scale_w < scale_h ? scale_w : scale_h;
  const long double fitted_w = static_cast<long double>(w) * scale;
  const long double fitted_h = static_cast<long double>(h) * scale;
  *out_w = TruncateToInt(fitted_w);
  *out_h = TruncateToInt(fitted_h);
}
