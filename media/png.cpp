#include "media/png.h"

#include <cstdlib>
#include <cstring>

#include "media/inflate.h"

namespace {

enum ChunkKind {
  CHUNK_ANCILLARY = 0,
  CHUNK_IHDR = 1,
  CHUNK_PLTE = 2,
  CHUNK_IDAT = 3,
  CHUNK_IEND = 4,
  CHUNK_CRITICAL = 5,
};

const uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr uint32_t CHUNK_OVERHEAD = 12;  // length, name, CRC
constexpr uint32_t IHDR_SIZE = 13;
constexpr uint32_t MAX_PALETTE = 256;

struct Pass {
  uint8_t x0, dx, y0, dy;
};
const Pass kAdam7[7] = {{0, 8, 0, 8}, {4, 8, 0, 8}, {0, 4, 4, 8}, {2, 4, 0, 4},
                        {0, 2, 2, 4}, {1, 2, 0, 2}, {0, 1, 1, 2}};
const Pass kWholeImage = {0, 1, 0, 1};

uint32_t ReadBE32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// The one place that checks size arithmetic: every product and sum that
// sizes a buffer goes through these, in 32 bits.
bool Mul32(uint32_t a, uint32_t b, uint32_t* result) {
  return !__builtin_mul_overflow(a, b, result);
}
bool Add32(uint32_t a, uint32_t b, uint32_t* result) {
  return !__builtin_add_overflow(a, b, result);
}

struct Chunk {
  int kind;
  uint32_t length;
  const uint8_t* name;
  const uint8_t* body;
};

// The chunk starting at offset, or false when the data ends there, holds
// fewer than 12 bytes or cuts the chunk (its CRC included) short.
bool ReadChunkHeader(const PngImage* image, uint32_t offset, Chunk* chunk) {
  if (offset >= image->data_size || image->data_size - offset < CHUNK_OVERHEAD) return false;
  const uint8_t* p = image->data + offset;
  const uint32_t length = ReadBE32(p);
  if (length > image->data_size - offset - CHUNK_OVERHEAD) return false;
  chunk->length = length;
  chunk->name = p + 4;
  chunk->body = p + 8;
  // The first letter's case bit marks an ancillary chunk and is ignored
  // when comparing with the known names.
  const uint8_t first = p[4] & 0xDF;
  if (first == 'I' && p[5] == 'H' && p[6] == 'D' && p[7] == 'R') {
    chunk->kind = CHUNK_IHDR;
  } else if (first == 'P' && p[5] == 'L' && p[6] == 'T' && p[7] == 'E') {
    chunk->kind = CHUNK_PLTE;
  } else if (first == 'I' && p[5] == 'D' && p[6] == 'A' && p[7] == 'T') {
    chunk->kind = CHUNK_IDAT;
  } else if (first == 'I' && p[5] == 'E' && p[6] == 'N' && p[7] == 'D') {
    chunk->kind = CHUNK_IEND;
  } else {
    chunk->kind = (p[4] & 0x20) ? CHUNK_ANCILLARY : CHUNK_CRITICAL;
  }
  return true;
}

uint32_t Offset(const PngImage* image, const uint8_t* p) { return uint32_t(p - image->data); }

bool AcceptedDepth(uint8_t colour_type, uint8_t bit_depth) {
  switch (colour_type) {
    case 0:
      return bit_depth == 1 || bit_depth == 2 || bit_depth == 4 || bit_depth == 8 ||
             bit_depth == 16;
    case 3:
      return bit_depth == 1 || bit_depth == 2 || bit_depth == 4 || bit_depth == 8;
    case 2:
    case 4:
    case 6:
      return bit_depth == 8 || bit_depth == 16;
    default:
      return false;
  }
}

uint32_t SamplesPerPixel(uint8_t colour_type) {
  static const uint8_t samples[7] = {1, 0, 3, 1, 2, 0, 4};
  return colour_type < 7 ? samples[colour_type] : 0;
}

int Fail(PngImage* image, uint32_t error) {
  image->error = error;
  return 0;
}

int ScanChunks(PngImage* image) {
  image->cursor = nullptr;
  image->header = nullptr;
  image->palette = nullptr;
  image->image_data = nullptr;
  image->palette_count = 0;
  image->error = 0;
  if (image->data_size < 16 || std::memcmp(image->data, kSignature, 8) != 0) {
    return Fail(image, PNG_ERR_NOT_PNG);
  }
  image->cursor = image->data + 8;
  Chunk chunk;
  // An IHDR shorter than its 13 bytes is refused rather than read past.
  if (!ReadChunkHeader(image, 8, &chunk) || chunk.kind != CHUNK_IHDR ||
      chunk.length < IHDR_SIZE) {
    return Fail(image, PNG_ERR_NOT_PNG);
  }
  image->width = ReadBE32(chunk.body);
  image->height = ReadBE32(chunk.body + 4);
  if (image->width == 0 || image->height == 0) return Fail(image, PNG_ERR_NOT_PNG);
  image->header = chunk.body;
  for (;;) {
    const uint32_t next = Offset(image, image->cursor) + CHUNK_OVERHEAD + chunk.length;
    if (!ReadChunkHeader(image, next, &chunk)) break;
    image->cursor = image->data + next;
    if (chunk.kind == CHUNK_CRITICAL) return Fail(image, PNG_ERR_UNSUPPORTED);
    if (chunk.kind == CHUNK_PLTE && !image->palette) {
      image->palette = chunk.body;
      image->palette_count = chunk.length / 3;
    } else if (chunk.kind == CHUNK_IDAT && !image->image_data) {
      image->image_data = image->cursor;
    }
  }
  const uint8_t* h = image->header;
  image->bit_depth = h[8];
  image->colour_type = h[9];
  image->interlace = h[12];
  if (!AcceptedDepth(image->colour_type, image->bit_depth) || h[10] != 0 || h[11] != 0 ||
      image->interlace > 1) {
    return Fail(image, PNG_ERR_UNSUPPORTED);
  }
  // A palette image needs its palette; the colour table is built from it.
  if (image->colour_type == 3 && image->palette_count == 0) return Fail(image, PNG_ERR_NOT_PNG);
  return 1;
}

// Bytes of a row of `pixels` pixels at `bits` bits each, rounded up.
bool RowBytes(uint32_t pixels, uint32_t bits, uint32_t* bytes) {
  uint32_t total;
  if (!Mul32(pixels, bits, &total)) return false;
  *bytes = (total >> 3) + ((total & 7) != 0);
  return true;
}

uint32_t PassWidth(const PngImage* image, const Pass& pass) {
  if (image->width <= pass.x0) return 0;
  return (image->width - pass.x0 - 1) / pass.dx + 1;
}
uint32_t PassHeight(const PngImage* image, const Pass& pass) {
  if (image->height <= pass.y0) return 0;
  return (image->height - pass.y0 - 1) / pass.dy + 1;
}

uint32_t PassCount(const PngImage* image) { return image->interlace ? 7 : 1; }
const Pass& PassAt(const PngImage* image, uint32_t i) {
  return image->interlace ? kAdam7[i] : kWholeImage;
}

uint32_t BitsPerPixel(const PngImage* image) {
  return SamplesPerPixel(image->colour_type) * image->bit_depth;
}

// How the unfiltered samples become bitmap pixels.
enum Conversion {
  CONV_COPY,      // grey 1/4/8 and palette 1/4/8: the row as it is
  CONV_WIDEN2,    // 2-bit grey or palette to 4-bit indices
  CONV_FIRST_OF,  // one byte out of every `step`: 16-bit grey, grey + alpha
  CONV_BGR,       // RGB 8/16 to blue, green, red
  CONV_BGRA,      // RGBA 8/16 to blue, green, red, alpha
};

struct Layout {
  uint32_t bits_per_pixel;  // of the PNG samples
  uint32_t step;            // filter step: bytes per complete pixel, at least 1
  uint16_t bit_count;       // of the bitmap
  int conversion;
  uint32_t stride;
  uint32_t size_image;
};

bool ComputeLayout(const PngImage* image, Layout* layout) {
  const uint8_t type = image->colour_type;
  const uint8_t depth = image->bit_depth;
  layout->bits_per_pixel = BitsPerPixel(image);
  layout->step = layout->bits_per_pixel >= 8 ? layout->bits_per_pixel / 8 : 1;
  if (type == 0 || type == 3) {
    if (depth == 2) {
      layout->bit_count = 4;
      layout->conversion = CONV_WIDEN2;
    } else if (depth == 16) {
      layout->bit_count = 8;
      layout->conversion = CONV_FIRST_OF;
    } else {
      layout->bit_count = depth;
      layout->conversion = CONV_COPY;
    }
  } else if (type == 4) {
    layout->bit_count = 8;
    layout->conversion = CONV_FIRST_OF;
  } else if (type == 2) {
    layout->bit_count = 24;
    layout->conversion = CONV_BGR;
  } else {
    layout->bit_count = 32;
    layout->conversion = CONV_BGRA;
  }
  uint32_t row_bits, words;
  if (!Mul32(image->width, layout->bit_count, &row_bits)) return false;
  words = row_bits / 32 + (row_bits % 32 != 0);
  if (!Mul32(words, 4, &layout->stride)) return false;
  if (!Mul32(layout->stride, image->height, &layout->size_image)) return false;
  return layout->size_image <= PNG_MAX_IMAGE_BYTES;
}

uint32_t DataSize(const PngImage* image) {
  const uint32_t bits = BitsPerPixel(image);
  uint32_t total = 0;
  for (uint32_t i = 0; i < PassCount(image); ++i) {
    const Pass& pass = PassAt(image, i);
    const uint32_t w = PassWidth(image, pass);
    const uint32_t h = PassHeight(image, pass);
    if (w == 0 || h == 0) continue;
    uint32_t row, pass_bytes;
    if (!RowBytes(w, bits, &row) || !Add32(row, 1, &row) || !Mul32(row, h, &pass_bytes) ||
        !Add32(total, pass_bytes, &total)) {
      return 0;
    }
  }
  return total;
}

// The compressed stream: the data of the first IDAT chunk and of the IDAT
// chunks right after it. Points into the file when one chunk holds it all;
// otherwise *owned receives a malloc'ed copy.
bool GatherImageData(const PngImage* image, const uint8_t** stream, uint32_t* size,
                     uint8_t** owned) {
  *stream = nullptr;
  *size = 0;
  *owned = nullptr;
  if (!image->image_data) return false;
  uint32_t total = 0;
  uint32_t non_empty = 0;
  uint32_t offset = Offset(image, image->image_data);
  Chunk chunk;
  const uint8_t* first = nullptr;
  // Later chunks continue the stream when named IDAT, the last letter's case
  // bit ignored.
  for (bool at_first = true; ReadChunkHeader(image, offset, &chunk); at_first = false) {
    const uint8_t* n = chunk.name;
    if (!at_first && !(n[0] == 'I' && n[1] == 'D' && n[2] == 'A' && (n[3] & 0xDF) == 'T')) break;
    if (chunk.length) {
      if (!first) first = chunk.body;
      non_empty++;
      total += chunk.length;  // bounded by the file size
    }
    offset += CHUNK_OVERHEAD + chunk.length;
  }
  if (non_empty <= 1) {
    *stream = first;
    *size = total;
    return true;
  }
  uint8_t* copy = static_cast<uint8_t*>(std::malloc(total));
  if (!copy) return false;
  uint32_t at = 0;
  offset = Offset(image, image->image_data);
  for (bool at_first = true; ReadChunkHeader(image, offset, &chunk); at_first = false) {
    const uint8_t* n = chunk.name;
    if (!at_first && !(n[0] == 'I' && n[1] == 'D' && n[2] == 'A' && (n[3] & 0xDF) == 'T')) break;
    std::memcpy(copy + at, chunk.body, chunk.length);
    at += chunk.length;
    offset += CHUNK_OVERHEAD + chunk.length;
  }
  *stream = copy;
  *size = total;
  *owned = copy;
  return true;
}

// ---- Unfiltering ---------------------------------------------------------
//
// Sub, Average and Paeth depend on the unfiltered byte one pixel to the
// left, so each byte of a pixel forms its own chain. The chains are kept in
// registers (left[k], corner[k]) rather than read back from the row just
// written, and the STEP chains of a pixel are independent, so the processor
// runs them side by side.

// cur = src + prev, byte by byte, eight bytes at a time: the low seven bits
// of each byte are added without crossing into the next byte, the top bit
// is the exclusive or of the two top bits and that carry.
inline void AddRows(const uint8_t* src, const uint8_t* prev, uint8_t* cur, uint32_t n) {
  constexpr uint64_t LOW7 = 0x7F7F7F7F7F7F7F7Full;
  constexpr uint64_t HIGH = 0x8080808080808080ull;
  uint32_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, src + i, 8);
    std::memcpy(&y, prev + i, 8);
    const uint64_t sum = ((x & LOW7) + (y & LOW7)) ^ ((x ^ y) & HIGH);
    std::memcpy(cur + i, &sum, 8);
  }
  for (; i < n; ++i) cur[i] = uint8_t(src[i] + prev[i]);
}

// The byte at index k of a pixel goes to output index Swapped(k): red and
// blue exchanged for 8-bit RGB and RGBA rows.
template <unsigned STEP, bool SWAP>
constexpr unsigned Swapped(unsigned k) {
  return SWAP && k < 3 ? 2 - k : k;
}

// Unfilters one row of n bytes (a whole number of STEP-byte pixels) from src
// into cur; prev is the unfiltered row above (zeros for the first row of an
// image or pass). With SWAP the pixels also go, red and blue exchanged, to
// out. A filter type above 4 fails.
template <unsigned STEP, bool SWAP>
bool UnfilterRow(unsigned type, const uint8_t* src, const uint8_t* prev, uint8_t* cur,
                 uint8_t* out, uint32_t n) {
  unsigned left[STEP] = {};
  unsigned corner[STEP] = {};
  switch (type) {
    case 0:
      std::memcpy(cur, src, n);
      break;
    case 1:
      for (uint32_t i = 0; i < n; i += STEP) {
#pragma GCC unroll 8
        for (unsigned k = 0; k < STEP; ++k) {
          left[k] = (src[i + k] + left[k]) & 0xFF;
          cur[i + k] = uint8_t(left[k]);
          if (SWAP) out[i + Swapped<STEP, SWAP>(k)] = uint8_t(left[k]);
        }
      }
      return true;
    case 2:
      AddRows(src, prev, cur, n);
      break;
    case 3:
      for (uint32_t i = 0; i < n; i += STEP) {
#pragma GCC unroll 8
        for (unsigned k = 0; k < STEP; ++k) {
          left[k] = (src[i + k] + ((left[k] + prev[i + k]) >> 1)) & 0xFF;
          cur[i + k] = uint8_t(left[k]);
          if (SWAP) out[i + Swapped<STEP, SWAP>(k)] = uint8_t(left[k]);
        }
      }
      return true;
    case 4:
      for (uint32_t i = 0; i < n; i += STEP) {
#pragma GCC unroll 8
        for (unsigned k = 0; k < STEP; ++k) {
          // Paeth: the neighbour nearest to left + above - corner, ties
          // going to left, then above.
          const int a = int(left[k]), b = prev[i + k], c = int(corner[k]);
          int pa = b - c, pb = a - c;
          int pc = pa + pb;
          pa = pa < 0 ? -pa : pa;
          pb = pb < 0 ? -pb : pb;
          pc = pc < 0 ? -pc : pc;
          // Without branches: the choice follows the picture, which no
          // predictor guesses well.
          const int take_b = -int(pb < pa);
          int predictor = (a & ~take_b) | (b & take_b);
          pa = pa < pb ? pa : pb;
          const int take_c = -int(pc < pa);
          predictor = (predictor & ~take_c) | (c & take_c);
          left[k] = (src[i + k] + unsigned(predictor)) & 0xFF;
          corner[k] = unsigned(b);
          cur[i + k] = uint8_t(left[k]);
          if (SWAP) out[i + Swapped<STEP, SWAP>(k)] = uint8_t(left[k]);
        }
      }
      return true;
    default:
      return false;
  }
  if (SWAP) {
    for (uint32_t i = 0; i < n; i += STEP) {
#pragma GCC unroll 8
      for (unsigned k = 0; k < STEP; ++k) out[i + Swapped<STEP, SWAP>(k)] = cur[i + k];
    }
  }
  return true;
}

// Unfilters with the filter step of the image: 1 (every image of less than
// 8 bits per pixel, 8-bit grey and palette), 2, 3, 4, 6 or 8 bytes.
bool Unfilter(unsigned type, const uint8_t* src, const uint8_t* prev, uint8_t* cur, uint32_t n,
              uint32_t step) {
  switch (step) {
    case 1: return UnfilterRow<1, false>(type, src, prev, cur, nullptr, n);
    case 2: return UnfilterRow<2, false>(type, src, prev, cur, nullptr, n);
    case 3: return UnfilterRow<3, false>(type, src, prev, cur, nullptr, n);
    case 4: return UnfilterRow<4, false>(type, src, prev, cur, nullptr, n);
    case 6: return UnfilterRow<6, false>(type, src, prev, cur, nullptr, n);
    default: return UnfilterRow<8, false>(type, src, prev, cur, nullptr, n);
  }
}

// The same for 8-bit RGB (step 3) and RGBA (step 4) rows, also writing the
// bitmap row.
bool UnfilterSwapped(unsigned type, const uint8_t* src, const uint8_t* prev, uint8_t* cur,
                     uint8_t* out, uint32_t n, uint32_t step) {
  if (step == 3) return UnfilterRow<3, true>(type, src, prev, cur, out, n);
  return UnfilterRow<4, true>(type, src, prev, cur, out, n);
}

// Converts one unfiltered row of `pixels` pixels (row_bytes bytes) into
// bitmap pixels at dst.
void ConvertRow(const Layout& layout, const PngImage* image, const uint8_t* src, uint8_t* dst,
                uint32_t pixels, uint32_t row_bytes) {
  const uint32_t sample = image->bit_depth / 8;  // bytes per sample for 8/16 bits
  switch (layout.conversion) {
    case CONV_COPY:
      std::memcpy(dst, src, row_bytes);
      break;
    case CONV_WIDEN2:
      for (uint32_t i = 0; i < row_bytes; ++i) {
        const unsigned b = src[i];
        dst[2 * i] = uint8_t(((b >> 2) & 0x30) | ((b >> 4) & 0x03));
        dst[2 * i + 1] = uint8_t(((b << 2) & 0x30) | (b & 0x03));
      }
      break;
    case CONV_FIRST_OF: {
      const uint32_t step = layout.step;
      for (uint32_t i = 0; i < pixels; ++i) dst[i] = src[i * step];
      break;
    }
    case CONV_BGR:
      if (sample == 1) {
        for (uint32_t i = 0; i < pixels; ++i, src += 3, dst += 3) {
          dst[0] = src[2];
          dst[1] = src[1];
          dst[2] = src[0];
        }
      } else {
        for (uint32_t i = 0; i < pixels; ++i, src += 6, dst += 3) {
          dst[0] = src[4];
          dst[1] = src[2];
          dst[2] = src[0];
        }
      }
      break;
    case CONV_BGRA:
      if (sample == 1) {
        for (uint32_t i = 0; i < pixels; ++i, src += 4, dst += 4) {
          uint32_t v;
          std::memcpy(&v, src, 4);
          // Exchange the first and third bytes (red and blue).
          v = (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16);
          std::memcpy(dst, &v, 4);
        }
      } else {
        for (uint32_t i = 0; i < pixels; ++i, src += 8, dst += 4) {
          dst[0] = src[4];
          dst[1] = src[2];
          dst[2] = src[0];
          dst[3] = src[6];
        }
      }
      break;
  }
}

// Puts the converted pixels of one Adam7 pass row at their columns.
void ScatterRow(const Layout& layout, const Pass& pass, const uint8_t* scratch, uint8_t* row,
                uint32_t pixels) {
  const uint32_t bits = layout.bit_count;
  if (bits >= 8) {
    const uint32_t bytes = bits / 8;
    uint8_t* dst = row + pass.x0 * bytes;
    const uint32_t jump = pass.dx * bytes;
    for (uint32_t i = 0; i < pixels; ++i, scratch += bytes, dst += jump) {
      std::memcpy(dst, scratch, bytes);
    }
    return;
  }
  // 1 or 4 bits: pixels are packed most significant first; OR into place.
  const uint32_t per_byte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (uint32_t i = 0; i < pixels; ++i) {
    const unsigned shift_in = (per_byte - 1 - i % per_byte) * bits;
    const unsigned value = (scratch[i / per_byte] >> shift_in) & mask;
    const uint32_t x = pass.x0 + i * pass.dx;
    const unsigned shift_out = (per_byte - 1 - x % per_byte) * bits;
    row[x / per_byte] |= uint8_t(value << shift_out);
  }
}

}  // namespace

int PngInit(PngImage* image) {
  std::memset(image, 0, sizeof *image);
  return 1;
}

int PngAttach(PngImage* image, const uint8_t* data, uint32_t size, uint32_t source) {
  if (image->state != PNG_EMPTY || image->source != PNG_SOURCE_NONE) {
    return Fail(image, PNG_ERR_IN_USE);
  }
  image->error = 0;
  if (!data) size = 0;
  image->data = data;
  image->cursor = data;
  image->data_size = size;
  image->source = source;
  if (!ScanChunks(image)) {
    const uint32_t error = image->error;
    PngInit(image);
    image->error = error;
    return 0;
  }
  image->state = PNG_LOADED;
  return 1;
}

uint32_t PngImageDataSize(const PngImage* image) {
  if (image->state == PNG_EMPTY) return 0;
  return DataSize(image);
}

int PngDecode(PngImage* image) {
  if (image->state != PNG_LOADED) return Fail(image, PNG_ERR_STATE);
  const uint32_t size = PngImageDataSize(image);
  Layout layout;
  if (size == 0 || size > PNG_MAX_IMAGE_BYTES || !ComputeLayout(image, &layout)) {
    return Fail(image, PNG_ERR_TOO_LARGE);
  }
  const uint8_t* stream;
  uint32_t stream_size;
  uint8_t* owned;
  if (!image->image_data) return Fail(image, PNG_ERR_NOT_PNG);
  if (!GatherImageData(image, &stream, &stream_size, &owned)) {
    return Fail(image, PNG_ERR_NO_MEMORY);
  }
  uint8_t* pixels = static_cast<uint8_t*>(std::malloc(size));
  if (!pixels) {
    std::free(owned);
    return Fail(image, PNG_ERR_NO_MEMORY);
  }
  size_t produced = 0;
  const int result = stream ? InflateZlib(stream, stream_size, pixels, size, &produced)
                            : INFLATE_TRUNCATED;
  std::free(owned);
  if (result != INFLATE_OK) {
    std::free(pixels);
    return Fail(image, PNG_ERR_NOT_PNG);
  }
  // A stream that ends early leaves rows of filter type 0 and zero samples
  // rather than whatever the allocation held.
  if (produced < size) std::memset(pixels + produced, 0, size - produced);
  image->pixels = pixels;
  image->pixels_size = size;
  image->error = 0;
  image->state = PNG_DECODED;
  return 1;
}

int PngBitmapHeader(PngImage* image, PngBitmapInfo* info) {
  std::memset(info, 0, sizeof *info);
  if (image->state != PNG_DECODED) return Fail(image, PNG_ERR_STATE);
  Layout layout;
  if (!ComputeLayout(image, &layout)) return Fail(image, PNG_ERR_TOO_LARGE);
  info->width = int32_t(image->width);
  info->height = -int32_t(image->height);
  info->bit_count = layout.bit_count;
  info->size_image = layout.size_image;
  info->stride = layout.stride;
  if (image->colour_type == 0 || image->colour_type == 4) {
    const uint32_t n = image->bit_depth == 1 ? 2 : image->bit_depth == 2 ? 4
                       : image->bit_depth == 4 ? 16 : 256;
    for (uint32_t i = 0; i < n; ++i) {
      const uint32_t g = i * 255 / (n - 1);
      info->colours[i] = (g << 16) | (g << 8) | g;
    }
    info->colour_count = n;
    info->colours_used = n;
  } else if (image->colour_type == 3) {
    const uint32_t n = 1u << layout.bit_count;
    uint32_t copy = image->palette_count < n ? image->palette_count : n;
    if (copy > MAX_PALETTE) copy = MAX_PALETTE;
    for (uint32_t i = 0; i < copy; ++i) {
      const uint8_t* rgb = image->palette + 3 * i;
      info->colours[i] = (uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | rgb[2];
    }
    info->colour_count = n;
  }
  return 1;
}

int PngUnfilterAndConvert(PngImage* image, const PngBitmapInfo* info, uint8_t* bits,
                          size_t bits_size) {
  if (image->state != PNG_DECODED) return Fail(image, PNG_ERR_STATE);
  Layout layout;
  if (!ComputeLayout(image, &layout) || info->stride != layout.stride ||
      info->size_image != layout.size_image || bits_size < layout.size_image) {
    return Fail(image, PNG_ERR_BITMAP);
  }
  uint32_t full_row = 0;
  RowBytes(image->width, layout.bits_per_pixel, &full_row);  // fits: the data size did
  // Three rows: zeros (the row above the first), and two that alternate as
  // current and previous; a fourth holds a converted Adam7 row.
  const size_t row_room = size_t(full_row) + 16;
  const size_t scratch_room = size_t(layout.stride) + 16;
  uint8_t* rows = static_cast<uint8_t*>(std::calloc(3 * row_room + scratch_room, 1));
  if (!rows) return Fail(image, PNG_ERR_NO_MEMORY);
  const uint8_t* const zeros = rows;
  uint8_t* const buffers[2] = {rows + row_room, rows + 2 * row_room};
  uint8_t* const scratch = rows + 3 * row_room;

  const bool direct = layout.conversion == CONV_COPY && !image->interlace;
  if (image->interlace) std::memset(bits, 0, layout.size_image);
  const uint8_t* src = image->pixels;
  const uint8_t* const src_end = image->pixels + image->pixels_size;
  bool ok = true;
  for (uint32_t p = 0; ok && p < PassCount(image); ++p) {
    const Pass& pass = PassAt(image, p);
    const uint32_t w = PassWidth(image, pass);
    const uint32_t h = PassHeight(image, pass);
    if (w == 0 || h == 0) continue;
    uint32_t n = 0;
    RowBytes(w, layout.bits_per_pixel, &n);
    const uint8_t* prev = zeros;
    for (uint32_t y = 0; y < h; ++y) {
      if (src_end - src < ptrdiff_t(n) + 1) {  // cannot happen: the buffer was sized for it
        ok = false;
        break;
      }
      const unsigned type = src[0];
      const uint8_t* filtered = src + 1;
      src += n + 1;
      uint8_t* out_row = bits + size_t(pass.y0 + y * pass.dy) * layout.stride;
      const uint8_t* cur;
      if (direct) {
        // Unfiltered straight into the bitmap; the row above is the
        // previous bitmap row.
        if (!Unfilter(type, filtered, prev, out_row, n, layout.step)) {
          ok = false;
          break;
        }
        std::memset(out_row + n, 0, layout.stride - n);
        prev = out_row;
        continue;
      }
      const bool swap = (layout.conversion == CONV_BGR || layout.conversion == CONV_BGRA) &&
                        image->bit_depth == 8 && !image->interlace;
      if (swap && type != 0) {
        // Unfiltered and converted in one pass.
        uint8_t* target = prev == buffers[0] ? buffers[1] : buffers[0];
        if (layout.stride >= 4) std::memset(out_row + layout.stride - 4, 0, 4);
        if (!UnfilterSwapped(type, filtered, prev, target, out_row, n, layout.step)) {
          ok = false;
          break;
        }
        prev = target;
        continue;
      }
      if (type == 0) {
        cur = filtered;  // used where it lies
      } else {
        uint8_t* target = prev == buffers[0] ? buffers[1] : buffers[0];
        if (!Unfilter(type, filtered, prev, target, n, layout.step)) {
          ok = false;
          break;
        }
        cur = target;
      }
      if (image->interlace) {
        ConvertRow(layout, image, cur, scratch, w, n);
        ScatterRow(layout, pass, scratch, out_row, w);
      } else {
        // The padding (under 4 bytes) is zeroed first; the row may then
        // overwrite part of it.
        if (layout.stride >= 4) std::memset(out_row + layout.stride - 4, 0, 4);
        ConvertRow(layout, image, cur, out_row, w, n);
      }
      prev = cur;
    }
  }
  std::free(rows);
  return ok ? 1 : 0;
}

int PngRelease(PngImage* image) {
  if (image->state == PNG_DECODED) std::free(image->pixels);
  return PngInit(image);
}
