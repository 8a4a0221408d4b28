// Portable pieces of the picture loader: the byte transform that stored
// pictures go through, and the arithmetic that fits a picture into a box.
#pragma once

#include <cstddef>
#include <cstdint>

// Exchanges the two 4-bit halves of every byte (0x12 <-> 0x21). Pictures of
// the "IMG" type are stored that way; the transform is its own inverse.
void SwapNibbles(uint8_t* bytes, size_t count);

// The size of a w x h picture scaled, keeping its aspect ratio, until it
// touches a box_w x box_h box on its limiting side (a smaller picture is
// enlarged). The scale is the smaller of box_w / w and box_h / h and each
// side is w x scale truncated toward zero, all in extended precision: a
// 49 x 49 picture in a 1 x 1 box has a scale just below 1/49, and 49 x that
// scale rounds back to 1 in the x87 80-bit format but truncates to 0 in
// double. A picture with a side of 0 or less gives 0 x 0.
void FitToBox(int w, int h, int box_w, int box_h, int* out_w, int* out_h);
