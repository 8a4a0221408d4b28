// The picture loader under Wine: "IMG" pictures through the system's OLE
// loader, RCDATA PNG files through our own decoder, fitting, and the
// messages of the failures. The pictures are in picture_fixtures.py.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "media/picture_win.h"
#include "tests/win/picture_ids.h"

namespace {

struct ShownMessage {
  std::string text;
  std::string caption;
  UINT flags;
};
std::vector<ShownMessage> g_messages;

int WINAPI RecordMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  EXPECT_EQ(owner, nullptr);
  g_messages.push_back({text, caption, flags});
  return IDOK;
}

// Every test runs with the message boxes recorded instead of shown.
class PictureLoader : public testing::Test {
 protected:
  void SetUp() override {
    g_messages.clear();
    g_picture_message_box = RecordMessage;
  }
  void TearDown() override { g_picture_message_box = MessageBoxA; }
};

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

HBITMAP Load(int id, int width = 260, int height = 260) {
  return LoadPictureResource(Module(), MAKEINTRESOURCEA(id), "IMG", width, height);
}

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB, top row first
  uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

Pixels Read(HBITMAP bitmap) {
  Pixels p;
  BITMAP info = {};
  if (!GetObjectA(bitmap, sizeof info, &info)) return p;
  p.width = info.bmWidth;
  p.height = info.bmHeight;
  p.rgb.resize(static_cast<size_t>(p.width) * p.height);
  BITMAPINFO request = {};
  request.bmiHeader.biSize = sizeof request.bmiHeader;
  request.bmiHeader.biWidth = p.width;
  request.bmiHeader.biHeight = -p.height;
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, p.height, p.rgb.data(), &request, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (uint32_t& c : p.rgb) c &= 0xFFFFFF;
  return p;
}

// Channel by channel within tolerance (JPEG and half-tone stretching blur).
bool Near(uint32_t have, uint32_t want, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    int a = (have >> shift) & 0xFF, b = (want >> shift) & 0xFF;
    if (a - b > tolerance || b - a > tolerance) return false;
  }
  return true;
}

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;

std::vector<uint8_t> ResourceBytes(int id, LPCSTR type) {
  HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(id), type);
  if (!found) return {};
  const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(Module(), found)));
  return std::vector<uint8_t>(bytes, bytes + SizeofResource(Module(), found));
}

TEST_F(PictureLoader, ImgPicturesAreDecodedAndFittedToTheBox) {
  struct Case {
    int id;
    int box_w, box_h;
    int want_w, want_h;
  };
  const Case cases[] = {
      {PIC_JPEG, 260, 260, 260, 195},  // 52 x 39, enlarged
      {PIC_GIF, 260, 260, 260, 130},   // 130 x 65, enlarged
      {PIC_BMP, 260, 260, 260, 185},   // 70 x 50: 50 x 260 / 70 = 185.7
      {PIC_BMP, 35, 260, 35, 25},      // shrunk, width limits
      {PIC_GIF, 130, 65, 130, 65},     // exactly the box
      {PIC_ICON, 260, 260, 260, 260},  // 16 x 16: an icon is drawn, not copied
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "picture " << c.id << " in " << c.box_w << " x " << c.box_h);
    HBITMAP bitmap = Load(c.id, c.box_w, c.box_h);
    ASSERT_NE(bitmap, nullptr);
    Pixels p = Read(bitmap);
    EXPECT_EQ(p.width, c.want_w);
    EXPECT_EQ(p.height, c.want_h);
    DeleteObject(bitmap);
  }
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(PictureLoader, ImgPicturesShowTheirOwnPixels) {
  for (int id : {PIC_GIF, PIC_BMP, PIC_ICON}) {
    SCOPED_TRACE(testing::Message() << "picture " << id);
    HBITMAP bitmap = Load(id);
    Pixels p = Read(bitmap);
    ASSERT_GT(p.height, 10);
    EXPECT_TRUE(Near(p.At(p.width / 4, p.height / 2), kRed, 8)) << std::hex << p.At(p.width / 4, p.height / 2);
    EXPECT_TRUE(Near(p.At(3 * p.width / 4, p.height / 2), kBlue, 8));
    DeleteObject(bitmap);
  }
  HBITMAP disc = Load(PIC_JPEG);
  Pixels p = Read(disc);
  ASSERT_EQ(p.width, 260);
  EXPECT_TRUE(Near(p.At(130, 97), 0xF0D020, 40)) << std::hex << p.At(130, 97);  // the disc
  EXPECT_TRUE(Near(p.At(5, 5), 0x2060C0, 40)) << std::hex << p.At(5, 5);        // around it
  DeleteObject(disc);
}

TEST_F(PictureLoader, PngWithoutImgIsDecodedByOurDecoder) {
  // Made so that only our decoder reads it (picture_fixtures.py): the
  // system's picture loader refuses it (Wine's reads PNG, Windows' reads
  // none), so a picture here can only come from our decoder.
  std::vector<uint8_t> file = ResourceBytes(PIC_PNG, MAKEINTRESOURCEA(10));
  ASSERT_FALSE(file.empty());
  EXPECT_EQ(BitmapFromImageBytes(file.data(), static_cast<DWORD>(file.size())), nullptr);

  HBITMAP bitmap = Load(PIC_PNG);
  ASSERT_NE(bitmap, nullptr);
  Pixels p = Read(bitmap);
  EXPECT_EQ(p.width, 260);  // 40 x 20
  EXPECT_EQ(p.height, 130);
  EXPECT_TRUE(Near(p.At(60, 65), kRed, 8)) << std::hex << p.At(60, 65);
  EXPECT_TRUE(Near(p.At(200, 65), kBlue, 8)) << std::hex << p.At(200, 65);
  DeleteObject(bitmap);

  HBITMAP small = BitmapFromPngResource(Module(), MAKEINTRESOURCEA(PIC_PNG), "IMG", 20, 20);
  EXPECT_EQ(Read(small).width, 20);
  EXPECT_EQ(Read(small).height, 10);
  DeleteObject(small);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(PictureLoader, ImgTakesPrecedenceOverRcdataOfTheSameId) {
  HBITMAP bitmap = Load(PIC_BOTH);
  Pixels p = Read(bitmap);
  EXPECT_EQ(p.width, 260);  // the 30 x 10 BMP, not the 10 x 30 PNG
  EXPECT_EQ(p.height, 86);
  DeleteObject(bitmap);
}

TEST_F(PictureLoader, NothingToShowGivesNullAndNoMessage) {
  EXPECT_EQ(Load(PIC_MISSING), nullptr);   // neither resource
  EXPECT_EQ(Load(PIC_GARBAGE), nullptr);   // not an image
  EXPECT_EQ(BitmapFromPngResource(Module(), MAKEINTRESOURCEA(PIC_MISSING), "IMG", 260, 260),
            nullptr);
  EXPECT_EQ(BitmapFromImageBytes(reinterpret_cast<const BYTE*>("GIF89a"), 6), nullptr);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(PictureLoader, BrokenPngShowsItsMessage) {
  struct Case {
    int id;
    const char* text;
  };
  const Case cases[] = {
      {PIC_PNG_BAD_DATA, "Error: couldn't decode PNG resource"},
      {PIC_PNG_BAD_FILTER, "Error: couldn't create bitmap"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    g_messages.clear();
    EXPECT_EQ(Load(c.id), nullptr);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, c.text);
    EXPECT_EQ(g_messages[0].caption, "Information");
    EXPECT_EQ(g_messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  }
}

TEST_F(PictureLoader, LoadingAnIdAgainGivesTheSamePicture) {
  const std::vector<uint8_t> stored = ResourceBytes(PIC_JPEG, "IMG");
  HBITMAP first = Load(PIC_JPEG);
  HBITMAP second = Load(PIC_JPEG);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(Read(first).rgb, Read(second).rgb);
  // The stored form is untouched: still exchanged (a JPEG starts FF D8).
  EXPECT_EQ(ResourceBytes(PIC_JPEG, "IMG"), stored);
  EXPECT_EQ(stored[1], 0x8D);
  DeleteObject(first);
  DeleteObject(second);
}

TEST_F(PictureLoader, ScaleBitmapToBoxFitsInExtendedPrecisionAndConsumesItsInput) {
  struct Case {
    int w, h, box_w, box_h, want_w, want_h;
  };
  const Case cases[] = {
      {520, 390, 260, 260, 260, 195}, {130, 65, 260, 260, 260, 130},
      {700, 500, 260, 260, 260, 185}, {49, 49, 1, 1, 1, 1},  // 0 x 0 in double precision
      {260, 260, 260, 260, 260, 260},
  };
  HDC screen = GetDC(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " in " << c.box_w << " x " << c.box_h);
    HBITMAP source = CreateCompatibleBitmap(screen, c.w, c.h);
    HBITMAP scaled = ScaleBitmapToBox(source, c.box_w, c.box_h);
    BITMAP info = {};
    ASSERT_TRUE(GetObjectA(scaled, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, c.want_w);
    EXPECT_EQ(info.bmHeight, c.want_h);
    EXPECT_EQ(GetObjectA(source, sizeof info, &info), 0) << "the source bitmap is deleted";
    DeleteObject(scaled);
  }
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(ScaleBitmapToBox(nullptr, 260, 260), nullptr);
}

}  // namespace
