// The Win32 half of the PNG decoder (media/png.h): PNG files held in the
// program's RCDATA resources, and DIB sections made from decoded images.
#pragma once

#include <windows.h>

#include "media/png.h"

// Finds the RCDATA resource name in the module instance, attaches its bytes
// (which stay valid for the whole run) and walks its chunks. Requires an
// empty record (PNG_ERR_IN_USE). PNG_ERR_NO_RESOURCE when there is no such
// resource, PNG_ERR_RESOURCE when it cannot be loaded or is empty; leaves
// PNG_LOADED on success, PNG_EMPTY with no source on failure.
int PngLoadResource(PngImage* image, HINSTANCE instance, LPCSTR name);

// A top-down DIB section holding a decoded image in its natural format
// (PngBitmapHeader), or null: PNG_ERR_STATE before PngDecode, PNG_ERR_BITMAP
// when the section cannot be created; a bad filter type gives null without a
// new error code. The caller owns the bitmap; it outlives the record.
HBITMAP PngCreateBitmap(PngImage* image);
