// The PNG decoder against libpng on PngSuite, its documented failures, and a
// damage loop that only checks that nothing crashes (run under ASan/UBSan).
#include <dirent.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// libpng's headers define PNG_EMPTY as an empty macro; ours names a state.
#undef PNG_EMPTY
#include "media/png.h"

namespace {

using Bytes = std::vector<uint8_t>;

const std::string kSuiteDir = std::string(LUMBO_TESTDATA_DIR) + "/pngsuite";

Bytes ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

std::vector<std::string> PngFiles(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      std::string name = e->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) names.push_back(name);
    }
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct Decoded {
  int stage = 0;  // 0 attach failed, 1 decode failed, 2 header failed, 3 convert failed, 4 ok
  uint32_t error = 0;
  PngImage image{};
  PngBitmapInfo info{};
  Bytes bits;
};

Decoded Decode(const Bytes& file) {
  Decoded d;
  PngInit(&d.image);
  if (!PngAttach(&d.image, file.data(), uint32_t(file.size()), PNG_SOURCE_MEMORY)) {
    d.error = d.image.error;
    return d;
  }
  d.stage = 1;
  if (PngDecode(&d.image)) {
    d.stage = 2;
    if (PngBitmapHeader(&d.image, &d.info)) {
      d.stage = 3;
      d.bits.assign(d.info.size_image, 0xAA);
      if (PngUnfilterAndConvert(&d.image, &d.info, d.bits.data(), d.bits.size())) d.stage = 4;
    }
  }
  d.error = d.image.error;
  PngRelease(&d.image);
  return d;
}

// libpng's view of the file: samples as stored, interlacing undone, CRCs
// ignored like ours.
struct Reference {
  bool ok = false;
  uint32_t width = 0, height = 0;
  int colour_type = 0, bit_depth = 0;
  std::vector<Bytes> rows;
  std::vector<png_color> palette;
};

struct ReadCursor {
  const Bytes* file;
  size_t at;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  ReadCursor* c = static_cast<ReadCursor*>(png_get_io_ptr(png));
  if (c->file->size() - c->at < count) png_error(png, "read past the end");
  std::memcpy(out, c->file->data() + c->at, count);
  c->at += count;
}

void Quiet(png_structp, png_const_charp) {}

Reference DecodeWithLibpng(const Bytes& file) {
  Reference ref;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, Quiet);
  png_infop info = png_create_info_struct(png);
  ReadCursor cursor{&file, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    ref.ok = false;
    return ref;
  }
  png_set_read_fn(png, &cursor, ReadFromMemory);
  png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
  png_read_info(png, info);
  ref.width = png_get_image_width(png, info);
  ref.height = png_get_image_height(png, info);
  ref.colour_type = png_get_color_type(png, info);
  ref.bit_depth = png_get_bit_depth(png, info);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  png_colorp palette = nullptr;
  int palette_count = 0;
  if (png_get_PLTE(png, info, &palette, &palette_count)) {
    ref.palette.assign(palette, palette + palette_count);
  }
  const size_t row_bytes = png_get_rowbytes(png, info);
  ref.rows.assign(ref.height, Bytes(row_bytes));
  std::vector<png_bytep> pointers;
  for (Bytes& r : ref.rows) pointers.push_back(r.data());
  png_read_image(png, pointers.data());
  png_destroy_read_struct(&png, &info, nullptr);
  ref.ok = true;
  return ref;
}

// One pixel of the reference in the bitmap's terms: an index for 1-, 4- and
// 8-bit bitmaps, 0xRRGGBB for 24 bits, 0xAARRGGBB for 32.
uint32_t ExpectedPixel(const Reference& ref, uint32_t x, uint32_t y) {
  const Bytes& row = ref.rows[y];
  const int depth = ref.bit_depth;
  if (depth < 8) {
    const uint32_t bit = x * depth;
    return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
  }
  const int channels = ref.colour_type == 2 ? 3 : ref.colour_type == 6 ? 4
                       : ref.colour_type == 4 ? 2 : 1;
  const int bytes = depth / 8;
  auto sample = [&](int c) { return uint32_t(row[(x * channels + c) * bytes]); };  // high byte
  switch (ref.colour_type) {
    case 2: return (sample(0) << 16) | (sample(1) << 8) | sample(2);
    case 6: return (sample(3) << 24) | (sample(0) << 16) | (sample(1) << 8) | sample(2);
    default: return sample(0);
  }
}

uint32_t BitmapPixel(const Decoded& d, uint32_t x, uint32_t y) {
  const uint8_t* row = d.bits.data() + size_t(y) * d.info.stride;
  switch (d.info.bit_count) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
    case 8: return row[x];
    case 24: return (uint32_t(row[3 * x + 2]) << 16) | (uint32_t(row[3 * x + 1]) << 8) | row[3 * x];
    default:
      return (uint32_t(row[4 * x + 3]) << 24) | (uint32_t(row[4 * x + 2]) << 16) |
             (uint32_t(row[4 * x + 1]) << 8) | row[4 * x];
  }
}

// Compares the whole bitmap with libpng's reading; returns the first
// difference as a message, or "" when they agree.
std::string CompareWithLibpng(const Bytes& file) {
  const Reference ref = DecodeWithLibpng(file);
  const Decoded d = Decode(file);
  if (!ref.ok) return "libpng fails";
  if (d.stage != 4) return "decoder fails at stage " + std::to_string(d.stage);
  if (uint32_t(d.info.width) != ref.width || uint32_t(-d.info.height) != ref.height) {
    return "size differs";
  }
  const int type = ref.colour_type;
  if (type == 3) {
    for (size_t i = 0; i < ref.palette.size() && i < d.info.colour_count; ++i) {
      const png_color& c = ref.palette[i];
      const uint32_t want = (uint32_t(c.red) << 16) | (uint32_t(c.green) << 8) | c.blue;
      if (d.info.colours[i] != want) return "palette entry " + std::to_string(i);
    }
  } else if (type == 0 || type == 4) {
    const uint32_t n = d.info.colour_count;
    if (n != (ref.bit_depth >= 8 ? 256u : 1u << ref.bit_depth) || d.info.colours_used != n) {
      return "grey ramp size";
    }
    for (uint32_t i = 0; i < n; ++i) {
      const uint32_t g = i * 255 / (n - 1);
      if (d.info.colours[i] != ((g << 16) | (g << 8) | g)) return "grey ramp entry";
    }
  }
  for (uint32_t y = 0; y < ref.height; ++y) {
    for (uint32_t x = 0; x < ref.width; ++x) {
      const uint32_t have = BitmapPixel(d, x, y), want = ExpectedPixel(ref, x, y);
      if (have != want) {
        char text[120];
        std::snprintf(text, sizeof text, "pixel (%u, %u): have %08x, want %08x", x, y, have, want);
        return text;
      }
    }
  }
  return "";
}

TEST(PngSuite, EveryValidImageMatchesLibpng) {
  const std::vector<std::string> names = PngFiles(kSuiteDir);
  ASSERT_GT(names.size(), 150u) << kSuiteDir;
  for (const std::string& name : names) {
    if (name[0] == 'x') continue;
    SCOPED_TRACE(name);
    EXPECT_EQ(CompareWithLibpng(ReadFile(kSuiteDir + "/" + name)), "");
  }
}

// Files made by other encoders, kept outside the project (the benchmark
// script writes a set and points LUMBO_PNG_EXTRA_DIR at it).
TEST(PngSuite, ExtraImagesMatchLibpng) {
  const char* dir = std::getenv("LUMBO_PNG_EXTRA_DIR");
  if (!dir) GTEST_SKIP() << "LUMBO_PNG_EXTRA_DIR not set";
  const std::vector<std::string> names = PngFiles(dir);
  ASSERT_FALSE(names.empty());
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    EXPECT_EQ(CompareWithLibpng(ReadFile(std::string(dir) + "/" + name)), "");
  }
}

TEST(PngSuite, CorruptFilesFailAsDocumented) {
  struct Case {
    const char* name;
    int stage;  // where it stops (4: decodes, CRCs being unchecked)
    uint32_t error;
  };
  const Case cases[] = {
      {"xc1n0g08.png", 0, PNG_ERR_UNSUPPORTED},  // colour type 1
      {"xc9n2c08.png", 0, PNG_ERR_UNSUPPORTED},  // colour type 9
      {"xcrn0g04.png", 0, PNG_ERR_NOT_PNG},      // signature with CR added
      {"xcsn0g01.png", 4, 0},                    // IDAT CRC wrong
      {"xd0n2c08.png", 0, PNG_ERR_UNSUPPORTED},  // bit depth 0
      {"xd3n2c08.png", 0, PNG_ERR_UNSUPPORTED},  // bit depth 3
      {"xd9n2c08.png", 0, PNG_ERR_UNSUPPORTED},  // bit depth 99
      {"xdtn0g01.png", 1, PNG_ERR_NOT_PNG},      // no IDAT
      {"xhdn0g08.png", 4, 0},                    // IHDR CRC wrong
      {"xlfn0g04.png", 0, PNG_ERR_NOT_PNG},      // signature with LF added
      {"xs1n0g01.png", 0, PNG_ERR_NOT_PNG},      // signature byte 1
      {"xs2n0g01.png", 0, PNG_ERR_NOT_PNG},
      {"xs4n0g01.png", 0, PNG_ERR_NOT_PNG},
      {"xs7n0g01.png", 0, PNG_ERR_NOT_PNG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes file = ReadFile(kSuiteDir + "/" + c.name);
    ASSERT_FALSE(file.empty());
    const Decoded d = Decode(file);
    EXPECT_EQ(d.stage, c.stage);
    EXPECT_EQ(d.error, c.error);
    if (c.stage == 4) {
      EXPECT_EQ(CompareWithLibpng(file), "");
    }
  }
}

// ---- Hand-built files ------------------------------------------------------

void PutBE32(Bytes& b, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(uint8_t(v >> s));
}

void AddChunk(Bytes& file, const char* name, const Bytes& body) {
  PutBE32(file, uint32_t(body.size()));
  const size_t start = file.size();
  file.insert(file.end(), name, name + 4);
  file.insert(file.end(), body.begin(), body.end());
  PutBE32(file, uint32_t(crc32(0, file.data() + start, uInt(file.size() - start))));
}

Bytes Ihdr(uint32_t w, uint32_t h, uint8_t depth, uint8_t type, uint8_t interlace = 0) {
  Bytes b;
  PutBE32(b, w);
  PutBE32(b, h);
  b.insert(b.end(), {depth, type, 0, 0, interlace});
  return b;
}

Bytes Compress(const Bytes& raw) {
  uLongf size = compressBound(uLong(raw.size()));
  Bytes out(size);
  compress2(out.data(), &size, raw.data(), uLong(raw.size()), 9);
  out.resize(size);
  return out;
}

Bytes Signature() { return Bytes{137, 80, 78, 71, 13, 10, 26, 10}; }

// A whole file: IHDR, the optional chunks in `middle`, one IDAT of the
// compressed raw rows, IEND.
Bytes MakePng(const Bytes& ihdr, const Bytes& raw, const Bytes& plte = {}) {
  Bytes f = Signature();
  AddChunk(f, "IHDR", ihdr);
  if (!plte.empty()) AddChunk(f, "PLTE", plte);
  AddChunk(f, "IDAT", Compress(raw));
  AddChunk(f, "IEND", {});
  return f;
}

TEST(PngDecoder, DataSizeOfSmallAndInterlacedImages) {
  struct Case {
    uint32_t w, h;
    uint8_t depth, type, interlace;
    uint32_t size;
  };
  // 5 x 5 Adam7: passes of (w, h) (1,1) (1,1) (2,1) (1,2) (3,1) (2,3) (5,2),
  // so 2 + 2 + 3 + 2*2 + 4 + 3*3 + 2*6 bytes; 3 x 3: passes 1, 4, 5, 6, 7.
  const Case cases[] = {
      {1, 1, 8, 0, 0, 2},  {1, 1, 8, 0, 1, 2}, {3, 3, 8, 0, 0, 12}, {3, 3, 8, 0, 1, 15},
      {5, 5, 8, 0, 1, 36}, {7, 2, 1, 0, 0, 4}, {9, 1, 2, 3, 0, 4},   {2, 1, 16, 6, 0, 17},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " depth " << int(c.depth));
    const Bytes f = MakePng(Ihdr(c.w, c.h, c.depth, c.type, c.interlace), Bytes(1),
                            c.type == 3 ? Bytes(6) : Bytes());
    PngImage image;
    PngInit(&image);
    ASSERT_TRUE(PngAttach(&image, f.data(), uint32_t(f.size()), PNG_SOURCE_MEMORY));
    EXPECT_EQ(PngImageDataSize(&image), c.size);
    PngRelease(&image);
  }
}

TEST(PngDecoder, LayoutOfNaturalFormats) {
  // 3 x 2 images; each row of the bitmap padded to 4 bytes.
  struct Case {
    uint8_t depth, type;
    uint16_t bit_count;
    uint32_t stride, colours;
  };
  const Case cases[] = {{1, 0, 1, 4, 2},     {2, 0, 4, 4, 4},   {4, 0, 4, 4, 16},
                        {8, 0, 8, 4, 256},   {16, 0, 8, 4, 256}, {8, 2, 24, 12, 0},
                        {16, 2, 24, 12, 0},  {2, 3, 4, 4, 16},  {8, 3, 8, 4, 256},
                        {8, 4, 8, 4, 256},   {16, 4, 8, 4, 256}, {8, 6, 32, 12, 0},
                        {16, 6, 32, 12, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << int(c.type) << " depth " << int(c.depth));
    const uint32_t row = (3 * c.depth * (c.type == 2 ? 3 : c.type == 6 ? 4 : c.type == 4 ? 2 : 1) + 7) / 8;
    const Bytes raw(2 * (row + 1), 0);
    const Decoded d = Decode(MakePng(Ihdr(3, 2, c.depth, c.type), raw, Bytes(9, 7)));
    ASSERT_EQ(d.stage, 4);
    EXPECT_EQ(d.info.width, 3);
    EXPECT_EQ(d.info.height, -2);
    EXPECT_EQ(d.info.bit_count, c.bit_count);
    EXPECT_EQ(d.info.stride, c.stride);
    EXPECT_EQ(d.info.size_image, 2 * c.stride);
    EXPECT_EQ(d.info.colour_count, c.colours);
    EXPECT_EQ(d.info.colours_used, c.type == 3 ? 0u : c.colours);
  }
}

TEST(PngDecoder, ConversionsOfOneRow) {
  // Rows with filter None, so the expected bitmap bytes read off directly.
  struct Case {
    const char* what;
    uint32_t w;
    uint8_t depth, type;
    Bytes row;
    Bytes bitmap_row;
  };
  const Case cases[] = {
      {"2-bit grey widened", 4, 2, 0, {0xE4}, {0x32, 0x10, 0, 0}},
      {"2-bit palette widened", 5, 2, 3, {0x1B, 0x80}, {0x01, 0x23, 0x20, 0}},
      {"16-bit grey to high byte", 2, 16, 0, {0x12, 0x34, 0xAB, 0xCD}, {0x12, 0xAB, 0, 0}},
      {"grey and alpha drop alpha", 2, 8, 4, {0x10, 0xFF, 0x20, 0x00}, {0x10, 0x20, 0, 0}},
      {"RGB to BGR", 1, 8, 2, {1, 2, 3}, {3, 2, 1, 0}},
      {"16-bit RGB to high bytes", 1, 16, 2, {1, 9, 2, 9, 3, 9}, {3, 2, 1, 0}},
      {"RGBA to BGRA", 1, 8, 6, {1, 2, 3, 4}, {3, 2, 1, 4}},
      {"16-bit RGBA", 1, 16, 6, {1, 0, 2, 0, 3, 0, 4, 0}, {3, 2, 1, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes raw{0};
    raw.insert(raw.end(), c.row.begin(), c.row.end());
    const Decoded d = Decode(MakePng(Ihdr(c.w, 1, c.depth, c.type), raw, Bytes(12, 1)));
    ASSERT_EQ(d.stage, 4);
    EXPECT_EQ(d.bits, c.bitmap_row);
  }
}

TEST(PngDecoder, PaletteBecomesBlueGreenRedZero) {
  const Bytes plte{10, 20, 30, 40, 50, 60};
  const Decoded d = Decode(MakePng(Ihdr(1, 1, 1, 3), Bytes{0, 0x80}, plte));
  ASSERT_EQ(d.stage, 4);
  EXPECT_EQ(d.info.colours[0], 0x000A141Eu);
  EXPECT_EQ(d.info.colours[1], 0x0028323Cu);
  EXPECT_EQ(d.info.colour_count, 2u);
}

TEST(PngDecoder, LongPaletteCopiesOnlyTheTable) {
  // 300 entries: the 8-bit table keeps 256 of them.
  Bytes plte(900);
  for (size_t i = 0; i < plte.size(); ++i) plte[i] = uint8_t(i / 3);
  const Decoded d = Decode(MakePng(Ihdr(1, 1, 8, 3), Bytes{0, 255}, plte));
  ASSERT_EQ(d.stage, 4);
  EXPECT_EQ(d.info.colour_count, 256u);
  EXPECT_EQ(d.info.colours[255], 0x00FFFFFFu);
}

TEST(PngDecoder, StructuralFailures) {
  const Bytes rows{0, 0};
  const Bytes good = MakePng(Ihdr(1, 1, 8, 0), rows);
  struct Case {
    const char* what;
    Bytes file;
    int stage;
    uint32_t error;
  };
  std::vector<Case> cases;
  cases.push_back({"good", good, 4, 0});
  cases.push_back({"fifteen bytes", Bytes(good.begin(), good.begin() + 15), 0, PNG_ERR_NOT_PNG});
  {
    Bytes f = Signature();
    AddChunk(f, "IHDR", Ihdr(0, 1, 8, 0));
    AddChunk(f, "IDAT", Compress(rows));
    cases.push_back({"zero width", f, 0, PNG_ERR_NOT_PNG});
  }
  {
    Bytes f = Signature();
    AddChunk(f, "tEXt", Bytes(4));
    AddChunk(f, "IHDR", Ihdr(1, 1, 8, 0));
    cases.push_back({"IHDR not first", f, 0, PNG_ERR_NOT_PNG});
  }
  {
    Bytes f = Signature();
    AddChunk(f, "IHDR", Bytes(12, 1));
    AddChunk(f, "IDAT", Compress(rows));
    cases.push_back({"short IHDR", f, 0, PNG_ERR_NOT_PNG});
  }
  {
    Bytes f = Signature();
    AddChunk(f, "iHDR", Ihdr(1, 1, 8, 0));
    AddChunk(f, "zzZz", Bytes(3));
    AddChunk(f, "IDAT", Compress(rows));
    AddChunk(f, "IEND", {});
    AddChunk(f, "tEXt", Bytes(2));  // walked after IEND
    f.insert(f.end(), {0, 0, 0, 9, 'a', 'b'});  // a truncated last chunk ends the walk
    cases.push_back({"iHDR, ancillary chunks, tail", f, 4, 0});
  }
  {
    Bytes f = Signature();
    AddChunk(f, "IHDR", Ihdr(1, 1, 8, 0));
    AddChunk(f, "IDAT", Compress(rows));
    AddChunk(f, "IEND", {});
    AddChunk(f, "ABCD", Bytes(2));  // even after IEND
    cases.push_back({"unknown critical chunk", f, 0, PNG_ERR_UNSUPPORTED});
  }
  {
    Bytes ihdr = Ihdr(1, 1, 8, 0);
    ihdr[10] = 1;
    cases.push_back({"compression method 1", MakePng(ihdr, rows), 0, PNG_ERR_UNSUPPORTED});
    ihdr[10] = 0;
    ihdr[11] = 1;
    cases.push_back({"filter method 1", MakePng(ihdr, rows), 0, PNG_ERR_UNSUPPORTED});
    ihdr[11] = 0;
    ihdr[12] = 2;
    cases.push_back({"interlace 2", MakePng(ihdr, rows), 0, PNG_ERR_UNSUPPORTED});
  }
  cases.push_back({"RGB depth 4", MakePng(Ihdr(1, 1, 4, 2), rows), 0, PNG_ERR_UNSUPPORTED});
  cases.push_back({"palette without PLTE", MakePng(Ihdr(1, 1, 8, 3), rows), 0, PNG_ERR_NOT_PNG});
  {
    Bytes f = Signature();
    AddChunk(f, "IHDR", Ihdr(1, 1, 8, 0));
    AddChunk(f, "IEND", {});
    cases.push_back({"no IDAT", f, 1, PNG_ERR_NOT_PNG});
  }
  {
    Bytes f = good;
    const size_t idat = 8 + 25 + 8;  // first byte of the IDAT data
    f[idat] = 0x79;                  // method 9
    cases.push_back({"zlib method 9", f, 1, PNG_ERR_NOT_PNG});
  }
  {
    // Huge but valid-looking: refused before any allocation.
    cases.push_back({"8192 x 8192 RGBA", MakePng(Ihdr(8192, 8192, 8, 6), rows), 1,
                     PNG_ERR_TOO_LARGE});
    cases.push_back({"size over 32 bits", MakePng(Ihdr(0x7FFFFFFF, 0x7FFFFFFF, 16, 6), rows), 1,
                     PNG_ERR_TOO_LARGE});
  }
  cases.push_back({"filter type 5", MakePng(Ihdr(1, 1, 8, 0), Bytes{5, 0}), 3, 0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Decoded d = Decode(c.file);
    EXPECT_EQ(d.stage, c.stage);
    EXPECT_EQ(d.error, c.error);
  }
}

TEST(PngDecoder, IdatSplitAcrossChunksAndShortStreams) {
  // 4 x 3 grey rows, compressed once and cut into IDAT pieces, an empty one
  // among them; the stream ends at the first other chunk.
  Bytes raw;
  for (int y = 0; y < 3; ++y) {
    raw.push_back(uint8_t(y + 1));  // Sub, Up, Average
    for (int x = 0; x < 4; ++x) raw.push_back(uint8_t(x * 7 + y));
  }
  const Bytes z = Compress(raw);
  Bytes f = Signature();
  AddChunk(f, "IHDR", Ihdr(4, 3, 8, 0));
  AddChunk(f, "IDAT", Bytes(z.begin(), z.begin() + 3));
  AddChunk(f, "IDAT", {});
  AddChunk(f, "IDAT", Bytes(z.begin() + 3, z.begin() + 5));
  AddChunk(f, "IDAT", Bytes(z.begin() + 5, z.end()));
  AddChunk(f, "tEXt", Bytes(3));
  AddChunk(f, "IDAT", Bytes{1, 2, 3});  // not part of the stream
  AddChunk(f, "IEND", {});
  const Bytes single = MakePng(Ihdr(4, 3, 8, 0), raw);
  EXPECT_EQ(CompareWithLibpng(single), "");
  const Decoded split = Decode(f);
  ASSERT_EQ(split.stage, 4);
  EXPECT_EQ(split.bits, Decode(single).bits);
  EXPECT_EQ(split.bits, (Bytes{0, 7, 21, 42, 1, 15, 36, 64, 2, 17, 42, 76}));

  // A stream that ends properly but short: the missing rows are zeros.
  const Decoded d = Decode(MakePng(Ihdr(4, 3, 8, 0), Bytes(raw.begin(), raw.begin() + 5)));
  ASSERT_EQ(d.stage, 4);
  EXPECT_EQ(d.bits[4], 0);
  EXPECT_EQ(d.bits[11], 0);
}

TEST(PngDecoder, StateAndReuse) {
  const Bytes f = MakePng(Ihdr(2, 2, 8, 2), Bytes{0, 1, 2, 3, 4, 5, 6, 2, 1, 1, 1, 1, 1, 1});
  PngImage image;
  PngInit(&image);
  EXPECT_EQ(PngDecode(&image), 0);
  EXPECT_EQ(image.error, uint32_t(PNG_ERR_STATE));
  ASSERT_EQ(PngAttach(&image, f.data(), uint32_t(f.size()), PNG_SOURCE_MEMORY), 1);
  EXPECT_EQ(image.state, uint32_t(PNG_LOADED));
  PngBitmapInfo info;
  EXPECT_EQ(PngBitmapHeader(&image, &info), 0);
  EXPECT_EQ(image.error, uint32_t(PNG_ERR_STATE));
  EXPECT_EQ(PngAttach(&image, f.data(), uint32_t(f.size()), PNG_SOURCE_MEMORY), 0);
  EXPECT_EQ(image.error, uint32_t(PNG_ERR_IN_USE));
  ASSERT_EQ(PngDecode(&image), 1);
  ASSERT_EQ(PngBitmapHeader(&image, &info), 1);
  // Converting twice gives the same bitmap: the pixel buffer is left as it is.
  Bytes first(info.size_image), second(info.size_image);
  ASSERT_EQ(PngUnfilterAndConvert(&image, &info, first.data(), first.size()), 1);
  ASSERT_EQ(PngUnfilterAndConvert(&image, &info, second.data(), second.size()), 1);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first, (Bytes{3, 2, 1, 6, 5, 4, 0, 0, 4, 3, 2, 7, 6, 5, 0, 0}));
  EXPECT_EQ(PngUnfilterAndConvert(&image, &info, first.data(), first.size() - 1), 0);
  EXPECT_EQ(image.error, uint32_t(PNG_ERR_BITMAP));
  PngRelease(&image);
  EXPECT_EQ(image.state, uint32_t(PNG_EMPTY));
  EXPECT_EQ(image.pixels, nullptr);
}

// Damaged copies of every PngSuite file: single bit flips, truncations and
// a length field made huge. Only checks that nothing crashes or reads out
// of bounds; the sanitizer build gives this test its teeth.
TEST(PngDecoder, DamagedFilesNeverCrash) {
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (const std::string& name : PngFiles(kSuiteDir)) {
    const Bytes file = ReadFile(kSuiteDir + "/" + name);
    for (int i = 0; i < 40; ++i) {
      Bytes damaged = file;
      const size_t at = next() % damaged.size();
      damaged[at] ^= uint8_t(1u << (next() % 8));
      Decode(damaged);
    }
    for (size_t cut = 0; cut < file.size(); cut += 1 + file.size() / 50) {
      // A copy of exactly `cut` bytes, so ASan sees any read past it.
      Decode(Bytes(file.begin(), file.begin() + cut));
    }
    Bytes huge = file;
    if (huge.size() > 40) {
      huge[33] = 0x7F;  // the second chunk's length
      Decode(huge);
    }
  }
}

}  // namespace
