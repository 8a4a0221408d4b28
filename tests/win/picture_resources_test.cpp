// The resources every player carries (resources/player.rc): the two dialog
// templates byte for byte, the Play and Stop icons as drawn, the link cursor.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "resources/resource_ids.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

const uint8_t* Resource(int id, LPCSTR type, DWORD* size) {
  HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(id), type);
  if (!found) return nullptr;
  *size = SizeofResource(Module(), found);
  return static_cast<const uint8_t*>(LockResource(LoadResource(Module(), found)));
}

uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Dword(const uint8_t* p) { return Word(p) | static_cast<uint32_t>(Word(p + 2)) << 16; }

TEST(PlayerResources, DialogTemplatesAreEmptyAndAsDrawn) {
  struct Case {
    int id;
    DWORD style;
  };
  const Case cases[] = {
      {IDD_QUESTION_PANEL, WS_CHILD | WS_VSCROLL | WS_HSCROLL | WS_BORDER | DS_SETFONT},
      {IDD_HEADER_BAR, WS_CHILD | WS_BORDER | DS_SETFONT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    DWORD size = 0;
    const uint8_t* t = Resource(c.id, MAKEINTRESOURCEA(5), &size);  // RT_DIALOG
    ASSERT_NE(t, nullptr);
    ASSERT_GE(size, 18u + 6u + 2u + 28u);
    // DLGTEMPLATE: style, extended style, control count, x, y, cx, cy; then
    // menu, class and title (each 0: none), then the font.
    EXPECT_EQ(Dword(t), c.style);
    EXPECT_EQ(Dword(t + 4), 0u);
    EXPECT_EQ(Word(t + 8), 0) << "no controls";
    EXPECT_EQ(Word(t + 14), 86);
    EXPECT_EQ(Word(t + 16), 100);
    EXPECT_EQ(Word(t + 18), 0);
    EXPECT_EQ(Word(t + 20), 0);
    EXPECT_EQ(Word(t + 22), 0);
    EXPECT_EQ(Word(t + 24), 8) << "point size";
    std::string face;
    for (const uint8_t* p = t + 26; p + 1 < t + size && Word(p); p += 2) face += static_cast<char>(Word(p));
    EXPECT_EQ(face, "MS Sans Serif");
  }
}

INT_PTR CALLBACK EmptyDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

TEST(PlayerResources, DialogsOpenAsHiddenChildren) {
  HWND parent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                Module(), nullptr);
  for (int id : {IDD_QUESTION_PANEL, IDD_HEADER_BAR}) {
    HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(id), parent, EmptyDialog, 0);
    ASSERT_NE(dialog, nullptr) << id;
    EXPECT_EQ(GetParent(dialog), parent);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(GetWindow(dialog, GW_CHILD), nullptr);
    DestroyWindow(dialog);
  }
  DestroyWindow(parent);
}

// The colour of each pixel of an icon drawn onto white, 0x00RRGGBB.
struct Drawn {
  uint32_t pixels[32 * 32];
  uint32_t At(int x, int y) const { return pixels[y * 32 + x] & 0xFFFFFF; }
};

Drawn Draw(HICON icon) {
  Drawn drawn = {};
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 32;
  info.bmiHeader.biHeight = -32;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, section);
  PatBlt(dc, 0, 0, 32, 32, WHITENESS);
  DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
  GdiFlush();
  std::memcpy(drawn.pixels, bits, sizeof drawn.pixels);
  SelectObject(dc, old);
  DeleteObject(section);
  DeleteDC(dc);
  return drawn;
}

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kLightGrey = 0xC0C0C0;
constexpr uint32_t kWhite = 0xFFFFFF;

TEST(PlayerResources, IconsAre32By32AtOneBitPerPixel) {
  for (int id : {IDI_PLAY, IDI_STOP}) {
    DWORD size = 0;
    const uint8_t* group = Resource(id, MAKEINTRESOURCEA(14), &size);  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr) << id;
    ASSERT_GE(size, 6u + 14u);
    EXPECT_EQ(Word(group + 4), 1) << "one image";
    EXPECT_EQ(group[6], 32);            // width
    EXPECT_EQ(group[7], 32);            // height
    EXPECT_EQ(Word(group + 12), 1) << "bits per pixel";
  }
}

TEST(PlayerResources, PlayIsABlackTrianglePointingRightOnLightGrey) {
  HICON play = LoadIconA(Module(), MAKEINTRESOURCEA(IDI_PLAY));
  ASSERT_NE(play, nullptr);
  Drawn d = Draw(play);
  EXPECT_EQ(d.At(0, 0), kLightGrey);
  EXPECT_EQ(d.At(31, 31), kLightGrey);
  EXPECT_EQ(d.At(10, 7), kBlack);    // the left edge, tall
  EXPECT_EQ(d.At(10, 24), kBlack);
  EXPECT_EQ(d.At(22, 15), kBlack);   // near the point, short
  EXPECT_EQ(d.At(22, 9), kLightGrey);
  EXPECT_EQ(d.At(22, 22), kLightGrey);
  EXPECT_EQ(d.At(27, 15), kLightGrey);
}

TEST(PlayerResources, StopIsABlackSquareOnLightGrey) {
  HICON stop = LoadIconA(Module(), MAKEINTRESOURCEA(IDI_STOP));
  ASSERT_NE(stop, nullptr);
  Drawn d = Draw(stop);
  for (int xy : {8, 16, 23}) EXPECT_EQ(d.At(xy, xy), kBlack) << xy;
  for (int xy : {0, 7, 24, 31}) EXPECT_EQ(d.At(xy, xy), kLightGrey) << xy;
  EXPECT_EQ(d.At(8, 23), kBlack);
  EXPECT_EQ(d.At(23, 8), kBlack);
}

TEST(PlayerResources, LinkCursorIsAHandPointingWithItsFingertip) {
  HCURSOR hand = LoadCursorA(Module(), MAKEINTRESOURCEA(IDC_LINK_CURSOR));
  ASSERT_NE(hand, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(hand, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 13u);
  EXPECT_EQ(info.yHotspot, 6u);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  Drawn d = Draw(hand);
  EXPECT_EQ(d.At(13, 6), kBlack);   // the fingertip's outline
  EXPECT_EQ(d.At(13, 8), kWhite);   // inside the finger
  EXPECT_EQ(d.At(15, 8), kBlack);
  EXPECT_EQ(d.At(18, 20), kWhite);  // the palm
  EXPECT_EQ(d.At(2, 2), kWhite) << "transparent around the hand";
  EXPECT_EQ(d.At(30, 30), kWhite);
}

}  // namespace
