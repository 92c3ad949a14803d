// Command console.
#include "game/console.h"

int32_t ConsoleVisible = 0;
int32_t CommandReady = 0;
char ConsoleLine[256];
int32_t ConsoleLineLength = 0;
char** ConsoleTokens = nullptr;
int32_t ScreenSaverFlag = 0;

void InitConsole() {}
void LineEditor(int32_t, int32_t, int32_t, const char*) {}
void CommandConsole() {}
