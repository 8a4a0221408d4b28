// How long the player takes to open its window, and how much of that is
// turning the quiz's pictures into bitmaps. Linked with the resources of one
// quiz (see bench/startup.cmake); scripts/bench-startup.sh runs it and prints
// the figures. Two modes, each in a fresh process so that nothing is warm:
//
//   startup_bench window    start-up as the player does it, up to the shown
//                           and painted window; then the process ends
//   startup_bench pictures  the picture requests of the question panel
//                           (LoadPictureResource of ids 401.. in 260 x 260,
//                           as many as the grid asks for), first as start-up
//                           meets them, then again split into decoding and
//                           fitting
//
// Output: one "name value" line per figure, times in milliseconds.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "media/picture_fit.h"
#include "media/picture_win.h"
#include "media/png_win.h"
#include "ui/player_win.h"

namespace {

double g_ticks_per_ms = 0;

double NowMs() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / g_ticks_per_ms;
}

// Milliseconds from the creation of this process to now.
double SinceProcessCreationMs() {
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimePreciseAsFileTime(&now);
  ULARGE_INTEGER a, b;
  a.LowPart = created.dwLowDateTime;
  a.HighPart = created.dwHighDateTime;
  b.LowPart = now.dwLowDateTime;
  b.HighPart = now.dwHighDateTime;
  return static_cast<double>(b.QuadPart - a.QuadPart) / 10000.0;  // 100 ns units
}

// Dispatches what the shown windows have queued (their first paint).
void DrainMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (TranslatePlayerMessage(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

int Window(HINSTANCE instance) {
  const double process_ms = SinceProcessCreationMs();
  const double start = NowMs();
  if (!StartPlayer(instance)) return 1;
  const double loaded = NowMs();
  HWND frame = OpenPlayerWindows(instance);
  const double built = NowMs();
  DrainMessages();
  const double painted = NowMs();
  std::printf("process_to_main_ms %.2f\n", process_ms);
  std::printf("start_player_ms %.2f\n", loaded - start);
  std::printf("open_windows_ms %.2f\n", built - loaded);
  std::printf("first_paint_ms %.2f\n", painted - built);
  std::printf("main_to_window_ms %.2f\n", painted - start);
  std::printf("process_to_window_ms %.2f\n", SinceProcessCreationMs());
  std::printf("picture_quiz %d\n", g_quiz->kind == 1 && IsWindow(frame));
  std::fflush(stdout);
  // No shut-down: it would write an answers file, and the figures are out.
  ExitProcess(0);
}

// The ids the question panel asks for: every row loads three, and the rows
// cover the questions present (here: every picture resource from 401 on).
int PictureRequests(HINSTANCE instance) {
  int questions = 0;
  while (questions < 96 &&
         (FindResourceA(instance, MAKEINTRESOURCEA(401 + questions), "IMG") ||
          FindResourceA(instance, MAKEINTRESOURCEA(401 + questions), MAKEINTRESOURCEA(10))))
    ++questions;
  return (questions + 2) / 3 * 3;
}

// One picture decoded into a bitmap of its own size, as the loader does it,
// without the fit.
HBITMAP DecodeOnly(HINSTANCE instance, int id) {
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), "IMG");
  if (!found) {
    PngImage png;
    PngInit(&png);
    HBITMAP bitmap = nullptr;
    if (PngLoadResource(&png, instance, MAKEINTRESOURCEA(id)) && PngDecode(&png))
      bitmap = PngCreateBitmap(&png);
    PngRelease(&png);
    return bitmap;
  }
  HGLOBAL loaded = LoadResource(instance, found);
  const DWORD size = SizeofResource(instance, found);
  BYTE* bytes = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, size));
  std::memcpy(bytes, LockResource(loaded), size);
  SwapNibbles(bytes, size);
  HBITMAP bitmap = BitmapFromImageBytes(bytes, size);
  HeapFree(GetProcessHeap(), 0, bytes);
  return bitmap;
}

int Pictures(HINSTANCE instance) {
  const int requests = PictureRequests(instance);
  int loaded = 0;
  const double start = NowMs();
  for (int i = 0; i < requests; ++i) {
    HBITMAP bitmap = LoadPictureResource(instance, MAKEINTRESOURCEA(401 + i), "IMG", 260, 260);
    if (bitmap) ++loaded;
    DeleteObject(bitmap);
  }
  const double first_pass = NowMs() - start;

  double decode = 0, fit = 0;
  for (int i = 0; i < requests; ++i) {
    const double t0 = NowMs();
    HBITMAP bitmap = DecodeOnly(instance, 401 + i);
    const double t1 = NowMs();
    DeleteObject(ScaleBitmapToBox(bitmap, 260, 260));
    decode += t1 - t0;
    fit += NowMs() - t1;
  }
  std::printf("picture_requests %d\n", requests);
  std::printf("pictures_loaded %d\n", loaded);
  std::printf("load_pictures_ms %.2f\n", first_pass);
  std::printf("warm_decode_ms %.2f\n", decode);
  std::printf("warm_fit_ms %.2f\n", fit);
  std::fflush(stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  g_ticks_per_ms = static_cast<double>(frequency.QuadPart) / 1000.0;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (argc == 2 && std::strcmp(argv[1], "window") == 0) return Window(instance);
  if (argc == 2 && std::strcmp(argv[1], "pictures") == 0) return Pictures(instance);
  std::fprintf(stderr, "usage: startup_bench window|pictures\n");
  return 2;
}
