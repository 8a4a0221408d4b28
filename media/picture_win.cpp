#include "media/picture_win.h"

#include <ole2.h>
#include <olectl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "media/picture_fit.h"
#include "media/png_win.h"

PictureMessageBoxFn g_picture_message_box = MessageBoxA;

namespace {

void ShowPngError(const char* text) {
  g_picture_message_box(nullptr, text, "Information", MB_OK | MB_ICONERROR);
}

// Icons and metafiles carry no bitmap to copy: they are drawn, on white,
// into a screen-compatible bitmap of their own size in pixels.
HBITMAP DrawPicture(IPicture* picture) {
  OLE_XSIZE_HIMETRIC himetric_w = 0;
  OLE_YSIZE_HIMETRIC himetric_h = 0;
  picture->get_Width(&himetric_w);
  picture->get_Height(&himetric_h);
  HDC screen = GetDC(nullptr);
  // HIMETRIC is hundredths of a millimetre: 2540 to the inch.
  const int w = MulDiv(himetric_w, GetDeviceCaps(screen, LOGPIXELSX), 2540);
  const int h = MulDiv(himetric_h, GetDeviceCaps(screen, LOGPIXELSY), 2540);
  HBITMAP bitmap = w > 0 && h > 0 ? CreateCompatibleBitmap(screen, w, h) : nullptr;
  if (bitmap) {
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, w, h, WHITENESS);
    // The source rectangle runs upwards from the bottom in HIMETRIC.
    const bool drawn = SUCCEEDED(
        picture->Render(dc, 0, 0, w, h, 0, himetric_h, himetric_w, -himetric_h, nullptr));
    SelectObject(dc, old);
    DeleteDC(dc);
    if (!drawn) {
      DeleteObject(bitmap);
      bitmap = nullptr;
    }
  }
  ReleaseDC(nullptr, screen);
  return bitmap;
}

HBITMAP CopyPictureBitmap(IPicture* picture) {
  OLE_HANDLE handle = 0;
  picture->get_Handle(&handle);
  // OLE_HANDLE is 32 bits wide; GDI handles fit in it on 64-bit Windows.
  HBITMAP copy = static_cast<HBITMAP>(
      CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0));
  if (!copy) {
    char text[64];
    std::snprintf(text, sizeof text, "%s plante avec l'erreur : %d\n", "CopyImage",
                  static_cast<int>(GetLastError()));
    g_picture_message_box(nullptr, text, "Information", MB_OK | MB_ICONINFORMATION);
  }
  return copy;
}

}  // namespace

HBITMAP ScaleBitmapToBox(HBITMAP bitmap, int width, int height) {
  if (!bitmap) return nullptr;
  BITMAP source = {};
  if (!GetObjectA(bitmap, sizeof source, &source)) {
    DeleteObject(bitmap);
    return nullptr;
  }
  // A top-down DIB section may report its height negative.
  const int source_w = source.bmWidth;
  const int source_h = std::abs(source.bmHeight);
  int fitted_w = 0;
  int fitted_h = 0;
  FitToBox(source_w, source_h, width, height, &fitted_w, &fitted_h);

  HDC screen = GetDC(nullptr);
  HDC source_dc = CreateCompatibleDC(screen);
  HDC target_dc = CreateCompatibleDC(screen);
  HGDIOBJ old_source = SelectObject(source_dc, bitmap);
  HBITMAP scaled = CreateCompatibleBitmap(screen, fitted_w, fitted_h);
  if (scaled) {
    HGDIOBJ old_target = SelectObject(target_dc, scaled);
    SetStretchBltMode(target_dc, HALFTONE);
    // Half-tone stretching wants the brush origin set after the mode.
    SetBrushOrgEx(target_dc, 0, 0, nullptr);
    StretchBlt(target_dc, 0, 0, fitted_w, fitted_h, source_dc, 0, 0, source_w, source_h,
               SRCCOPY);
    SelectObject(target_dc, old_target);
  }
  SelectObject(source_dc, old_source);
  DeleteDC(source_dc);
  DeleteDC(target_dc);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return scaled;
}

HBITMAP BitmapFromImageBytes(const BYTE* bytes, DWORD count) {
  // Each load brackets its own COM use; S_FALSE (already initialised on this
  // thread) still has to be balanced, a failure must not be.
  const bool com = SUCCEEDED(CoInitialize(nullptr));
  HBITMAP copy = nullptr;
  IStream* stream = nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_FIXED, count);
  if (memory) {
    std::memcpy(reinterpret_cast<void*>(memory), bytes, count);
    // The stream owns the block from here and frees it on its last release.
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream)) || !stream) {
      if (stream) stream->Release();
      else GlobalFree(memory);
      stream = nullptr;
    }
  }
  if (stream) {
    IPicture* picture = nullptr;
    if (SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(count), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(&picture))) &&
        picture) {
      SHORT type = PICTYPE_UNINITIALIZED;
      picture->get_Type(&type);
      copy = type == PICTYPE_BITMAP ? CopyPictureBitmap(picture) : DrawPicture(picture);
      picture->Release();
    }
    stream->Release();
  }
  if (com) CoUninitialize();
  return copy;
}

HBITMAP BitmapFromPngResource(HINSTANCE instance, LPCSTR name, LPCSTR /*type*/, int width,
                              int height) {
  PngImage png;
  PngInit(&png);
  if (!PngLoadResource(&png, instance, name)) return nullptr;
  if (!PngDecode(&png)) {
    PngRelease(&png);
    ShowPngError("Error: couldn't decode PNG resource");
    return nullptr;
  }
  HBITMAP bitmap = PngCreateBitmap(&png);
  PngRelease(&png);
  if (!bitmap) {
    ShowPngError("Error: couldn't create bitmap");
    return nullptr;
  }
  return ScaleBitmapToBox(bitmap, width, height);
}

HBITMAP LoadPictureResource(HINSTANCE instance, LPCSTR name, LPCSTR type, int width, int height) {
  HRSRC found = FindResourceA(instance, name, type);
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  if (!loaded) {
    // The PNG path has fitted its bitmap already; both sources still leave
    // through the same last step, which keeps a fitted size as it is (one
    // side already touches the box) save for a pixel lost to rounding.
    return ScaleBitmapToBox(BitmapFromPngResource(instance, name, type, width, height), width,
                            height);
  }
  const BYTE* stored = static_cast<const BYTE*>(LockResource(loaded));
  const DWORD size = SizeofResource(instance, found);
  HBITMAP bitmap = nullptr;
  // Resource memory is read-only: the halves are exchanged in a copy.
  BYTE* image = stored && size ? static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, size)) : nullptr;
  if (image) {
    std::memcpy(image, stored, size);
    SwapNibbles(image, size);
    bitmap = BitmapFromImageBytes(image, size);
    HeapFree(GetProcessHeap(), 0, image);
  }
  FreeResource(loaded);
  return ScaleBitmapToBox(bitmap, width, height);
}
