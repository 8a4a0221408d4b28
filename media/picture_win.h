// Pictures of a picture quiz: resources of the program turned into
// screen-compatible bitmaps fitted into a box. Two sources: "IMG" resources
// (image files stored with their byte halves exchanged, decoded by the
// system's OLE picture loader) and, for an id without one, an RCDATA
// resource holding a PNG file, decoded by the program's own PNG decoder.
// Every bitmap returned belongs to the caller (DeleteObject); null means no
// picture, which callers treat as an empty picture, not as an error.
#pragma once

#include <windows.h>

// The picture name (an integer resource id) of type type ("IMG"), or, when
// the module has no such resource, the RCDATA PNG of the same id, fitted
// into width x height keeping its aspect ratio. The stored resource bytes
// are never changed, so loading an id again gives the same picture.
HBITMAP LoadPictureResource(HINSTANCE instance, LPCSTR name, LPCSTR type, int width, int height);

// A new screen-compatible bitmap: bitmap scaled with half-tone stretching
// until it touches the width x height box on its limiting side (FitToBox).
// Always deletes bitmap; null in, null out.
HBITMAP ScaleBitmapToBox(HBITMAP bitmap, int width, int height);

// Decodes an image file held in memory (any format the OLE picture loader
// reads) into a bitmap of its own size, or null.
HBITMAP BitmapFromImageBytes(const BYTE* bytes, DWORD count);

// Decodes the RCDATA PNG resource name with the program's PNG decoder and
// fits it into the box. type is accepted and not used. Null without a
// message when there is no such resource; null with a message box when the
// PNG does not decode or no bitmap can be made of it.
HBITMAP BitmapFromPngResource(HINSTANCE instance, LPCSTR name, LPCSTR type, int width,
                              int height);

// Where the picture loader's message boxes go: MessageBoxA, unless a test
// replaces it to see the messages without a window waiting for a click.
using PictureMessageBoxFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
extern PictureMessageBoxFn g_picture_message_box;
