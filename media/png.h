// The PNG decoder: turns a PNG file held in memory (a resource of the
// program, or bytes handed in by a test or a tool) into a device-independent
// bitmap in the image's natural format.
//
// File layout: the 8-byte signature 137 80 78 71 13 10 26 10, then chunks:
//   length (4 bytes, big-endian) | name (4 letters) | data (length bytes) | CRC (4)
// The first chunk must be IHDR:
//   width (4, BE) | height (4, BE) | bit depth | colour type | compression |
//   filter method | interlace method
// The image data is the concatenated data of consecutive IDAT chunks, a zlib
// stream (see inflate.h) of filtered scanlines: one filter-type byte, then
// ceil(bits per pixel x width / 8) bytes, for every row of the image (or of
// each Adam7 pass). CRCs and the Adler-32 value are never checked.
//
// Calling order: PngInit, PngAttach (PngLoadResource on Windows), PngDecode,
// PngBitmapHeader + PngUnfilterAndConvert (PngCreateBitmap on Windows, any
// number of times), PngRelease. Every operation returns 1 on success and 0 on
// failure, with the reason in the record's error field.
#pragma once

#include <cstddef>
#include <cstdint>

enum PngState {
  PNG_EMPTY = 0,
  PNG_LOADED = 1,   // chunks walked, header valid
  PNG_DECODED = 2,  // pixel buffer filled
};

enum PngError {
  PNG_ERR_NONE = 0,
  PNG_ERR_IN_USE = 0x1002,       // attaching to a record that is not empty
  PNG_ERR_NOT_PNG = 0x2000,      // not a PNG, malformed header, any inflate failure
  PNG_ERR_UNSUPPORTED = 0x2001,  // unknown critical chunk, undefined depth/type, methods
  PNG_ERR_STATE = 0x2003,        // operation called in the wrong state
  PNG_ERR_TOO_LARGE = 0x2004,    // image over PNG_MAX_IMAGE_BYTES (see below)
  PNG_ERR_NO_MEMORY = 0x2005,    // an allocation failed
  PNG_ERR_BITMAP = 0x2006,       // the bitmap cannot be created or is too small
  PNG_ERR_NO_RESOURCE = 0x3001,  // no RCDATA resource of that name
  PNG_ERR_RESOURCE = 0x3002,     // the resource cannot be loaded or has size 0
};

enum PngSource {
  PNG_SOURCE_NONE = 0,
  PNG_SOURCE_MEMORY = 1,    // bytes handed in by the caller, not owned
  PNG_SOURCE_RESOURCE = 2,  // a resource of the program, not owned
};

// The largest inflated image data and the largest bitmap accepted, each.
// Quiz pictures are shown in 260 x 260 boxes; 64 MiB still holds a 16-bit
// RGBA image of 2896 x 2896 or an 8-bit RGBA one of 4096 x 4096, and keeps a
// damaged header from asking a 32-bit process for gigabytes.
constexpr uint32_t PNG_MAX_IMAGE_BYTES = 64u << 20;

struct PngImage {
  uint32_t width;
  uint32_t height;
  uint32_t error;
  uint32_t palette_count;  // entries of the first PLTE chunk (length / 3)
  uint8_t colour_type;
  uint8_t bit_depth;
  uint8_t interlace;  // 0 none, 1 Adam7
  const uint8_t* data;  // the PNG file, from its signature
  uint32_t data_size;
  const uint8_t* cursor;  // the chunk looked at during the walk
  uint8_t* pixels;        // inflated image data, owned by the record
  uint32_t pixels_size;
  const uint8_t* palette;     // data of the first PLTE chunk, or null
  uint32_t source;            // PngSource
  const uint8_t* header;      // data of the IHDR chunk
  const uint8_t* image_data;  // start (length field) of the first IDAT chunk, or null
  uint32_t state;             // PngState
};

// What the platform needs to create the bitmap: the fields of its header, its
// colour table and the layout of its rows (top-down, each padded to 4 bytes).
struct PngBitmapInfo {
  int32_t width;
  int32_t height;  // negative: the rows run top to bottom
  uint16_t bit_count;  // 1, 4, 8, 24 or 32
  uint32_t size_image;    // stride x rows
  uint32_t colours_used;  // grey ramp entries for grey images, else 0
  uint32_t colour_count;  // entries of colours[] in use: 0, 2, 16 or 256
  uint32_t colours[256];  // 0x00RRGGBB, i.e. the bytes blue, green, red, 0
  uint32_t stride;        // bytes from one row to the next
};

// Clears the record. Returns 1.
int PngInit(PngImage* image);

// Attaches size bytes of a PNG file held in memory (not copied: they must
// outlive the record) and walks its chunks. source says who holds the bytes
// (PNG_SOURCE_MEMORY or PNG_SOURCE_RESOURCE). Requires an empty record
// (PNG_ERR_IN_USE otherwise); leaves PNG_LOADED on success, PNG_EMPTY with no
// source on failure.
int PngAttach(PngImage* image, const uint8_t* data, uint32_t size, uint32_t source);

// Size in bytes of the inflated image data (filter bytes included) of a
// loaded image, or 0 when it would not fit in 32 bits or when nothing is
// loaded.
uint32_t PngImageDataSize(const PngImage* image);

// Allocates the pixel buffer and inflates the image data into it. Requires
// PNG_LOADED; leaves PNG_DECODED, or PNG_LOADED with no buffer on failure.
int PngDecode(PngImage* image);

// Fills *info for a decoded image (PNG_ERR_STATE otherwise, PNG_ERR_TOO_LARGE
// for a bitmap over PNG_MAX_IMAGE_BYTES).
int PngBitmapHeader(PngImage* image, PngBitmapInfo* info);

// Unfilters the pixel buffer and writes the rows described by *info (from
// PngBitmapHeader on the same image) into bits, which holds bits_size bytes
// (PNG_ERR_BITMAP when fewer than info->size_image). Padding bytes are zero.
// A filter type above 4 fails and leaves the error field unchanged. The pixel
// buffer is not changed, so this may run any number of times.
int PngUnfilterAndConvert(PngImage* image, const PngBitmapInfo* info, uint8_t* bits,
                          size_t bits_size);

// Frees the pixel buffer of a decoded image and clears the record, in any
// state. Returns 1.
int PngRelease(PngImage* image);
