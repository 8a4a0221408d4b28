// The header bar: score and code, title and explanation, "Cacher" and
// "Sauver", the link and the author. A modeless child dialog of the frame.
#pragma once

#include <windows.h>

extern HBRUSH g_header_brush;

INT_PTR CALLBACK HeaderBarProc(HWND bar, UINT message, WPARAM wparam, LPARAM lparam);
// Gives a static control the underlined font and the hand cursor of a link.
void SetLinkStyle(HWND control);
// A plain "Static" label in the stock GUI font.
HWND CreateLabel(HWND parent, const char* text, int x, int y, int width, int height, int id);
