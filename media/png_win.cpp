#include "media/png_win.h"

#include <cstring>

int PngLoadResource(PngImage* image, HINSTANCE instance, LPCSTR name) {
  if (image->state != PNG_EMPTY || image->source != PNG_SOURCE_NONE) {
    image->error = PNG_ERR_IN_USE;
    return 0;
  }
  image->error = PNG_ERR_NONE;
  HRSRC found = FindResourceA(instance, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) {
    image->error = PNG_ERR_NO_RESOURCE;
    return 0;
  }
  HGLOBAL loaded = LoadResource(instance, found);
  const DWORD size = SizeofResource(instance, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) {
    image->error = PNG_ERR_RESOURCE;
    return 0;
  }
  // Resource memory is mapped with the module and never freed, so the
  // record may point into it for the whole run.
  return PngAttach(image, static_cast<const uint8_t*>(bytes), size, PNG_SOURCE_RESOURCE);
}

namespace {

// BITMAPINFO with room for the largest colour table (256 entries).
struct BitmapInfo256 {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

void FillBitmapInfo(const PngBitmapInfo& info, BitmapInfo256* out) {
  std::memset(out, 0, sizeof *out);
  out->header.biSize = sizeof(BITMAPINFOHEADER);
  out->header.biWidth = info.width;
  out->header.biHeight = info.height;
  out->header.biPlanes = 1;
  out->header.biBitCount = info.bit_count;
  out->header.biCompression = BI_RGB;
  out->header.biSizeImage = info.size_image;
  out->header.biClrUsed = info.colours_used;
  // colours[] holds 0x00RRGGBB, which is RGBQUAD's byte order (blue, green,
  // red, reserved) on a little-endian machine.
  static_assert(sizeof(RGBQUAD) == sizeof(uint32_t), "RGBQUAD is four bytes");
  std::memcpy(out->colours, info.colours, info.colour_count * sizeof(uint32_t));
}

}  // namespace

HBITMAP PngCreateBitmap(PngImage* image) {
  if (image->state != PNG_DECODED) {
    image->error = PNG_ERR_STATE;
    return nullptr;
  }
  PngBitmapInfo info;
  if (!PngBitmapHeader(image, &info)) return nullptr;
  BitmapInfo256 bitmap_info;
  FillBitmapInfo(info, &bitmap_info);

  HDC screen = GetDC(nullptr);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bitmap_info),
                                     DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section || !bits) {
    if (section) DeleteObject(section);
    ReleaseDC(nullptr, screen);
    image->error = PNG_ERR_BITMAP;
    return nullptr;
  }
  if (!PngUnfilterAndConvert(image, &info, static_cast<uint8_t*>(bits), info.size_image)) {
    DeleteObject(section);
    ReleaseDC(nullptr, screen);
    return nullptr;
  }
  ReleaseDC(nullptr, screen);
  return section;
}
