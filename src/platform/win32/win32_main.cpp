// Entry point of the program on Windows: the same program start as main elsewhere.
#include <windows.h>

#include "platform/platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return ProgramMain(); }
