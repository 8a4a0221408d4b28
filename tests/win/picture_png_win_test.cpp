// The Win32 half of the PNG decoder: RCDATA resources and DIB sections.
// A DIB section must hold exactly what the portable conversion writes, for
// every PngSuite image.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "media/png_win.h"
#include "tests/win/picture_ids.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

TEST(PngLoadResource, AttachesTheRcdataBytes) {
  PngImage png;
  PngInit(&png);
  ASSERT_EQ(PngLoadResource(&png, Module(), MAKEINTRESOURCEA(PIC_PNG)), 1);
  EXPECT_EQ(png.state, static_cast<uint32_t>(PNG_LOADED));
  EXPECT_EQ(png.source, static_cast<uint32_t>(PNG_SOURCE_RESOURCE));
  EXPECT_EQ(png.width, 40u);
  EXPECT_EQ(png.height, 20u);
  HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(PIC_PNG), MAKEINTRESOURCEA(10));
  EXPECT_EQ(png.data, LockResource(LoadResource(Module(), found)));
  EXPECT_EQ(png.data_size, SizeofResource(Module(), found));

  // A second load into the same record is refused and changes nothing.
  EXPECT_EQ(PngLoadResource(&png, Module(), MAKEINTRESOURCEA(PIC_BOTH)), 0);
  EXPECT_EQ(png.error, static_cast<uint32_t>(PNG_ERR_IN_USE));
  EXPECT_EQ(png.width, 40u);
  PngRelease(&png);
}

TEST(PngLoadResource, ReportsWhatIsMissing) {
  struct Case {
    int id;
    uint32_t error;
  };
  const Case cases[] = {
      {PIC_MISSING, PNG_ERR_NO_RESOURCE},  // nothing under that id
      {PIC_JPEG, PNG_ERR_NO_RESOURCE},     // only an "IMG" resource
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    PngImage png;
    PngInit(&png);
    EXPECT_EQ(PngLoadResource(&png, Module(), MAKEINTRESOURCEA(c.id)), 0);
    EXPECT_EQ(png.error, c.error);
    EXPECT_EQ(png.state, static_cast<uint32_t>(PNG_EMPTY));
    EXPECT_EQ(png.source, static_cast<uint32_t>(PNG_SOURCE_NONE));
  }
}

TEST(PngCreateBitmap, NeedsADecodedImage) {
  PngImage png;
  PngInit(&png);
  EXPECT_EQ(PngCreateBitmap(&png), nullptr);
  EXPECT_EQ(png.error, static_cast<uint32_t>(PNG_ERR_STATE));
  ASSERT_EQ(PngLoadResource(&png, Module(), MAKEINTRESOURCEA(PIC_PNG)), 1);
  EXPECT_EQ(PngCreateBitmap(&png), nullptr);
  EXPECT_EQ(png.error, static_cast<uint32_t>(PNG_ERR_STATE));
  PngRelease(&png);
}

TEST(PngCreateBitmap, BadFilterTypeGivesNoBitmapAndLeavesTheError) {
  PngImage png;
  PngInit(&png);
  ASSERT_EQ(PngLoadResource(&png, Module(), MAKEINTRESOURCEA(PIC_PNG_BAD_FILTER)), 1);
  ASSERT_EQ(PngDecode(&png), 1);
  EXPECT_EQ(PngCreateBitmap(&png), nullptr);
  EXPECT_EQ(png.error, static_cast<uint32_t>(PNG_ERR_NONE));
  PngRelease(&png);
}

std::string SuiteDir() {
  std::string dir = LUMBO_TESTDATA_DIR "/pngsuite";
  // A Linux path reaches Wine's file system through drive Z:.
  if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;
  return dir;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  uint8_t buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(f);
  return bytes;
}

// Compares the section made for a decoded image with the portable
// conversion of the same record: header fields, colour table and every byte
// of the bits. Returns false when the portable conversion itself refuses.
bool SectionMatchesPortableConversion(PngImage* png, const std::string& name) {
  PngBitmapInfo info;
  if (!PngBitmapHeader(png, &info)) {
    EXPECT_EQ(PngCreateBitmap(png), nullptr) << name;
    return false;
  }
  std::vector<uint8_t> want(info.size_image);
  const bool converts = PngUnfilterAndConvert(png, &info, want.data(), want.size()) == 1;
  HBITMAP section = PngCreateBitmap(png);
  if (!converts) {
    EXPECT_EQ(section, nullptr) << name;
    return false;
  }
  EXPECT_NE(section, nullptr) << name;
  if (!section) return false;
  DIBSECTION dib = {};
  EXPECT_EQ(GetObjectA(section, sizeof dib, &dib), static_cast<int>(sizeof dib)) << name;
  EXPECT_EQ(dib.dsBmih.biWidth, info.width) << name;
  EXPECT_EQ(dib.dsBm.bmHeight, info.height < 0 ? -info.height : info.height) << name;
  EXPECT_EQ(dib.dsBmih.biBitCount, info.bit_count) << name;
  EXPECT_EQ(dib.dsBm.bmWidthBytes, static_cast<LONG>(info.stride)) << name;
  // Top-down: the first row in memory is the top row of the image.
  EXPECT_EQ(std::memcmp(dib.dsBm.bmBits, want.data(), want.size()), 0) << name << ": bits differ";
  if (info.colour_count > 0) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    RGBQUAD table[256] = {};
    const UINT entries = GetDIBColorTable(dc, 0, 256, table);
    SelectObject(dc, old);
    DeleteDC(dc);
    const uint32_t want_entries = info.colours_used ? info.colours_used : info.colour_count;
    // Wine reports the whole table of the bit count whatever the used count.
    EXPECT_GE(entries, want_entries) << name;
    uint32_t count = want_entries;
    // Palette entries past the PLTE count are free to differ.
    if (png->colour_type == 3 && png->palette_count < count) count = png->palette_count;
    EXPECT_EQ(std::memcmp(table, info.colours, count * sizeof(uint32_t)), 0) << name << ": colours differ";
  }
  DeleteObject(section);
  return true;
}

TEST(PngCreateBitmap, SectionHoldsThePortableConversionOfEveryPngSuiteImage) {
  const std::string dir = SuiteDir();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "\\*.png").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE) << dir;
  int compared = 0;
  do {
    const std::string name = found.cFileName;
    std::vector<uint8_t> file = ReadFileBytes(dir + "\\" + name);
    ASSERT_FALSE(file.empty()) << name;
    PngImage png;
    PngInit(&png);
    if (PngAttach(&png, file.data(), static_cast<uint32_t>(file.size()), PNG_SOURCE_MEMORY) &&
        PngDecode(&png) && SectionMatchesPortableConversion(&png, name))
      ++compared;
    PngRelease(&png);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  // PngSuite has 160 valid images; the x*.png files are broken on purpose.
  EXPECT_GE(compared, 150);
}

}  // namespace
