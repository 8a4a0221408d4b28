// The program's entry point, alone in its file: test programs link the same
// library with their own main() and never pull this one in.
#include <windows.h>

#include "ui/player_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunPlayer(instance); }
