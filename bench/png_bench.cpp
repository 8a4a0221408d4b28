// png_bench FILE...: times our PNG decoder and inflater against libpng, zlib,
// libdeflate and stb_image on the same files, after checking that every
// file decodes to the same pixels as libpng gives. Files are grouped into
// classes by the part of their name before the first '-' or '.'.
//   png_bench --once-ours FILE | --once-libpng FILE | --once-zlib FILE |
//             --once-libdeflate FILE
// decodes FILE once, for counting instructions with callgrind (the work is
// in the functions bench_*_once).
#include <libdeflate.h>
#include <png.h>
#include <zlib.h>

#include <stb/stb_image.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#undef PNG_EMPTY  // libpng's empty macro; ours names a state
#include "media/inflate.h"
#include "media/png.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

uint32_t BE32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// The concatenated IDAT data, as zlib and libdeflate take it.
Bytes IdatStream(const Bytes& file) {
  Bytes z;
  size_t at = 8;
  while (at + 12 <= file.size()) {
    const uint32_t length = BE32(&file[at]);
    if (length > file.size() - at - 12) break;
    if (std::memcmp(&file[at + 4], "IDAT", 4) == 0) {
      z.insert(z.end(), file.begin() + long(at) + 8, file.begin() + long(at) + 8 + long(length));
    }
    at += 12 + size_t(length);
  }
  return z;
}

// ---- The contenders, each decoding one file once -------------------------

struct Ours {
  PngBitmapInfo info;
  Bytes bits;
};

bool DecodeOurs(const Bytes& file, Ours* out) {
  PngImage image;
  PngInit(&image);
  bool ok = PngAttach(&image, file.data(), uint32_t(file.size()), PNG_SOURCE_MEMORY) &&
            PngDecode(&image) && PngBitmapHeader(&image, &out->info);
  if (ok) {
    out->bits.resize(out->info.size_image);  // kept between runs by the timing loop
    ok = PngUnfilterAndConvert(&image, &out->info, out->bits.data(), out->bits.size());
  }
  PngRelease(&image);
  return ok;
}

struct Cursor {
  const Bytes* file;
  size_t at;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  Cursor* c = static_cast<Cursor*>(png_get_io_ptr(png));
  if (c->file->size() - c->at < count) png_error(png, "short file");
  std::memcpy(out, c->file->data() + c->at, count);
  c->at += count;
}

struct LibpngImage {
  uint32_t width = 0, height = 0;
  int colour_type = 0, bit_depth = 0;
  size_t row_bytes = 0;
  Bytes pixels;
};

// libpng to its own natural output: samples as stored, interlacing undone.
bool DecodeLibpng(const Bytes& file, LibpngImage* out) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  Cursor cursor{&file, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &cursor, ReadFromMemory);
  png_read_info(png, info);
  out->width = png_get_image_width(png, info);
  out->height = png_get_image_height(png, info);
  out->colour_type = png_get_color_type(png, info);
  out->bit_depth = png_get_bit_depth(png, info);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  out->row_bytes = png_get_rowbytes(png, info);
  out->pixels.resize(out->row_bytes * out->height);  // kept between runs by the timing loop
  std::vector<png_bytep> rows(out->height);
  for (uint32_t y = 0; y < out->height; ++y) rows[y] = out->pixels.data() + y * out->row_bytes;
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

// ---- Agreement with libpng in the bitmap's terms ---------------------------

uint32_t LibpngPixel(const LibpngImage& ref, uint32_t x, uint32_t y) {
  const uint8_t* row = ref.pixels.data() + y * ref.row_bytes;
  const int depth = ref.bit_depth;
  if (depth < 8) {
    const uint32_t bit = x * uint32_t(depth);
    return (row[bit / 8] >> (8 - depth - int(bit % 8))) & ((1u << depth) - 1);
  }
  const int channels = ref.colour_type == 2 ? 3 : ref.colour_type == 6 ? 4
                       : ref.colour_type == 4 ? 2 : 1;
  const int bytes = depth / 8;
  auto sample = [&](int c) { return uint32_t(row[(x * uint32_t(channels) + uint32_t(c)) * uint32_t(bytes)]); };
  if (ref.colour_type == 2) return (sample(0) << 16) | (sample(1) << 8) | sample(2);
  if (ref.colour_type == 6) return (sample(3) << 24) | (sample(0) << 16) | (sample(1) << 8) | sample(2);
  return sample(0);
}

uint32_t OurPixel(const Ours& d, uint32_t x, uint32_t y) {
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

bool SamePixels(const Bytes& file) {
  Ours ours;
  LibpngImage ref;
  if (!DecodeOurs(file, &ours) || !DecodeLibpng(file, &ref)) return false;
  for (uint32_t y = 0; y < ref.height; ++y) {
    for (uint32_t x = 0; x < ref.width; ++x) {
      if (OurPixel(ours, x, y) != LibpngPixel(ref, x, y)) return false;
    }
  }
  return true;
}

// ---- Timing -------------------------------------------------------------------

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Best time of several runs of f, running for at least min_seconds.
template <typename F>
double BestTime(F f, double min_seconds = 0.3) {
  double best = 1e30, total = 0;
  int runs = 0;
  while (runs < 3 || (total < min_seconds && runs < 1000)) {
    const double t0 = Now();
    f();
    const double t = Now() - t0;
    best = std::min(best, t);
    total += t;
    runs++;
  }
  return best;
}

struct Times {
  double bytes = 0;  // inflated image data (what the inflaters produce)
  double zlib = 0, libdeflate = 0, ours_inflate = 0;
  double libpng = 0, stb = 0, ours_decode = 0;
  void Add(const Times& t) {
    bytes += t.bytes;
    zlib += t.zlib;
    libdeflate += t.libdeflate;
    ours_inflate += t.ours_inflate;
    libpng += t.libpng;
    stb += t.stb;
    ours_decode += t.ours_decode;
  }
};

libdeflate_decompressor* g_deflate = nullptr;

Times Measure(const Bytes& file) {
  Times t;
  PngImage image;
  PngInit(&image);
  PngAttach(&image, file.data(), uint32_t(file.size()), PNG_SOURCE_MEMORY);
  const size_t raw_size = PngImageDataSize(&image);
  PngRelease(&image);
  const Bytes z = IdatStream(file);
  Bytes raw(raw_size);
  t.bytes = double(raw_size);
  t.zlib = BestTime([&] {
    uLongf size = uLongf(raw.size());
    uncompress(raw.data(), &size, z.data(), uLong(z.size()));
  });
  t.libdeflate = BestTime([&] {
    size_t actual;
    libdeflate_zlib_decompress(g_deflate, z.data(), z.size(), raw.data(), raw.size(), &actual);
  });
  t.ours_inflate = BestTime([&] {
    size_t produced;
    InflateZlib(z.data(), z.size(), raw.data(), raw.size(), &produced);
  });
  // Both decoders write their output into memory kept from run to run: the
  // player's bitmap memory comes from the system, and fresh pages would
  // time the machine's page faults rather than the decoders.
  LibpngImage ref;
  t.libpng = BestTime([&] { DecodeLibpng(file, &ref); });
  t.stb = BestTime([&] {
    int w, h, n;
    stbi_uc* p = stbi_load_from_memory(file.data(), int(file.size()), &w, &h, &n, 0);
    stbi_image_free(p);
  });
  Ours ours;
  t.ours_decode = BestTime([&] { DecodeOurs(file, &ours); });
  return t;
}

std::string ClassOf(const std::string& path) {
  std::string name = path.substr(path.find_last_of('/') + 1);
  return name.substr(0, name.find_first_of("-."));
}

void PrintRow(const char* label, const Times& t) {
  const double mb = t.bytes / 1e6;
  std::printf("%-22s %7.1f | %6.0f %6.0f %6.0f | %5.2f %5.2f | %6.0f %6.0f %6.0f | %5.2f %5.2f\n",
              label, mb, mb / t.zlib, mb / t.libdeflate, mb / t.ours_inflate,
              t.zlib / t.ours_inflate, t.libdeflate / t.ours_inflate, mb / t.libpng, mb / t.stb,
              mb / t.ours_decode, t.libpng / t.ours_decode, t.stb / t.ours_decode);
}

}  // namespace

// One decode each, for callgrind --toggle-collect.
extern "C" __attribute__((noinline)) void bench_ours_once(const Bytes* file) {
  Ours ours;
  DecodeOurs(*file, &ours);
}
extern "C" __attribute__((noinline)) void bench_libpng_once(const Bytes* file) {
  LibpngImage ref;
  DecodeLibpng(*file, &ref);
}
extern "C" __attribute__((noinline)) void bench_zlib_once(const Bytes* z, Bytes* raw) {
  uLongf size = uLongf(raw->size());
  uncompress(raw->data(), &size, z->data(), uLong(z->size()));
}
extern "C" __attribute__((noinline)) void bench_libdeflate_once(const Bytes* z, Bytes* raw) {
  size_t actual;
  libdeflate_zlib_decompress(g_deflate, z->data(), z->size(), raw->data(), raw->size(), &actual);
}
extern "C" __attribute__((noinline)) void bench_inflate_once(const Bytes* z, Bytes* raw) {
  size_t produced;
  InflateZlib(z->data(), z->size(), raw->data(), raw->size(), &produced);
}

int main(int argc, char** argv) {
  g_deflate = libdeflate_alloc_decompressor();
  if (argc == 3 && std::strncmp(argv[1], "--once-", 7) == 0) {
    const Bytes file = ReadFile(argv[2]);
    const std::string what = argv[1] + 7;
    PngImage image;
    PngInit(&image);
    PngAttach(&image, file.data(), uint32_t(file.size()), PNG_SOURCE_MEMORY);
    Bytes raw(PngImageDataSize(&image));
    PngRelease(&image);
    const Bytes z = IdatStream(file);
    if (what == "ours") bench_ours_once(&file);
    else if (what == "libpng") bench_libpng_once(&file);
    else if (what == "zlib") bench_zlib_once(&z, &raw);
    else if (what == "libdeflate") bench_libdeflate_once(&z, &raw);
    else if (what == "inflate") bench_inflate_once(&z, &raw);
    std::printf("output bytes %zu\n", raw.size());
    return 0;
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: png_bench FILE...\n");
    return 2;
  }
  std::map<std::string, Times> classes;
  Times all;
  int mismatches = 0;
  std::printf("MB/s of inflated image data (filter bytes and filtered rows); best of several runs\n");
  std::printf("%-22s %7s | %6s %6s %6s | %5s %5s | %6s %6s %6s | %5s %5s\n", "file", "MB",
              "zlib", "ldefl", "ours", "x zl", "x ld", "libpng", "stb", "ours", "x png", "x stb");
  for (int i = 1; i < argc; ++i) {
    const Bytes file = ReadFile(argv[i]);
    const std::string name = std::string(argv[i]).substr(std::string(argv[i]).find_last_of('/') + 1);
    if (!SamePixels(file)) {
      std::printf("%-22s DIFFERS FROM LIBPNG\n", name.c_str());
      mismatches++;
      continue;
    }
    const Times t = Measure(file);
    PrintRow(name.c_str(), t);
    classes[ClassOf(argv[i])].Add(t);
    all.Add(t);
  }
  std::printf("\nper class (time-weighted):\n");
  for (const auto& c : classes) PrintRow(c.first.c_str(), c.second);
  PrintRow("ALL", all);
  std::printf("\ncolumns: x zl = zlib time / ours, x ld = libdeflate time / ours (inflate only);\n"
              "x png = libpng whole decode / ours, x stb = stb_image / ours (whole decode)\n");
  std::printf("files differing from libpng: %d\n", mismatches);
  libdeflate_free_decompressor(g_deflate);
  return mismatches ? 1 : 0;
}
