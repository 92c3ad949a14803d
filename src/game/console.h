// Command console: a typed command line that edits the WorldGrid at the player and teleports.
#pragma once

#include <cstdint>

constexpr int ConsoleTokenCount = 20;

extern int32_t ConsoleVisible;
extern int32_t CommandReady;
extern char ConsoleLine[256];
extern int32_t ConsoleLineLength;
extern char** ConsoleTokens;  // ConsoleTokenCount buffers of 256 bytes
extern int32_t ScreenSaverFlag;

void InitConsole();
void ReleaseConsoleTokens();  // the token buffers, then their table
void LineEditor(int32_t x, int32_t y, int32_t maxLength, const char* prompt);
void CommandConsole();
