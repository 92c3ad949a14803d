// Command console: the line editor and the commands that edit the grid at the player.
#include "game/console.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "base/base.h"
#include "frame/frame.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "input/input.h"
#include "overlay/overlay.h"

int32_t ConsoleVisible = 0;
int32_t CommandReady = 0;
char ConsoleLine[256];
int32_t ConsoleLineLength = 0;
char** ConsoleTokens = nullptr;
int32_t ScreenSaverFlag = 0;

namespace {

constexpr int TokenBufferSize = 256;

// atoi as the Windows runtime gives it: digits after optional blanks and sign, saturated at the
// 32-bit limits instead of overflowing.
int32_t ParseCommandNumber(const char* text) {
  errno = 0;
  long long value = std::strtoll(text, nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

int32_t Clamp(int32_t value, int32_t low, int32_t high) {
  return value < low ? low : value > high ? high : value;
}

// Every command writes within the grid: a cell beyond its last byte (the level above the
// deepest one) is left alone.
void SetPlayerCell(int dx, int dy, int dz, uint8_t code) {
  const UnitRecord& player = UnitTable[1];
  int64_t index = WorldCellIndex(player.x + dx, player.y + dy, player.level + dz);
  int64_t cells = static_cast<int64_t>(MapSide) * MapSide * MapLevels;
  if (index >= 0 && index < cells) WorldGrid[index] = code;
}

void AddCharacter(int32_t limit, char character) {
  if (ConsoleLineLength >= limit) return;
  ConsoleLine[ConsoleLineLength] = character;
  ConsoleLine[ConsoleLineLength + 1] = 0;
  ConsoleLineLength += 1;
  PlatformSleep(120);
}

int SplitCommand() {
  for (int i = 0; i < ConsoleTokenCount; ++i) ConsoleTokens[i][0] = 0;
  char copy[256];
  std::memcpy(copy, ConsoleLine, sizeof copy);
  copy[255] = 0;
  int count = 0;
  for (char* token = std::strtok(copy, " -,\t\n"); token; token = std::strtok(nullptr, " -,\t\n")) {
    if (count == ConsoleTokenCount) break;  // tokens beyond the twentieth are dropped
    std::strncpy(ConsoleTokens[count], token, TokenBufferSize - 1);
    ConsoleTokens[count][TokenBufferSize - 1] = 0;
    count += 1;
  }
  return count;
}

void Teleport() {
  int32_t x = Clamp(ParseCommandNumber(ConsoleTokens[1]), 1, MapSide - 2);
  int32_t y = Clamp(ParseCommandNumber(ConsoleTokens[2]), 1, MapSide - 2);
  int32_t z = Clamp(ParseCommandNumber(ConsoleTokens[3]), 2, MapLevels - 2);
  if (WorldGrid[WorldCellIndex(x, y, z)] == 61) return;  // rock
  UnitRecord& player = UnitTable[1];
  player.x = static_cast<uint16_t>(x);
  player.y = static_cast<uint16_t>(y);
  player.level = static_cast<uint16_t>(z);
  MapViewColumn = Clamp(player.x, 1, MapSide - 2);
  MapViewRow = Clamp(player.y, 1, MapSide - 2);
  MapViewLevel = Clamp(player.level, 2, MapLevels - 2);
}

void RunCommand(int tokenCount) {
  const char* name = ConsoleTokens[0];
  if (StringCompareNoCase(name, "corner1") == 0) {
    SetPlayerCell(0, 0, 0, 4);
    SetPlayerCell(0, 0, 1, 4);
  } else if (StringCompareNoCase(name, "env4block") == 0) {
    SetPlayerCell(0, 0, 0, 1);
  } else if (StringCompareNoCase(name, "env4grass") == 0) {
    SetPlayerCell(0, 0, 0, 2);
  } else if (StringCompareNoCase(name, "env4dirt") == 0) {
    SetPlayerCell(0, 0, 0, 3);
  } else if (StringCompareNoCase(name, "env4emptyx1") == 0) {
    SetPlayerCell(1, 0, 0, 0);
  } else if (StringCompareNoCase(name, "env4emptyy1") == 0) {
    SetPlayerCell(0, 1, 0, 0);
  } else if (StringCompareNoCase(name, "screensavertoggle") == 0) {
    ScreenSaverFlag = ScreenSaverFlag == 0 ? 1 : 0;
    PlatformSleep(400);
  } else if (StringCompareNoCase(name, "env4teleport") == 0 && tokenCount == 4) {
    Teleport();
  }
}

}  // namespace

void InitConsole() {
  ConsoleLineLength = 0;
  ConsoleLine[0] = 0;
  ConsoleLine[1] = 0;
  if (ConsoleTokens) {  // built once; a second call keeps the buffers it has
    for (int i = 0; i < ConsoleTokenCount; ++i) ConsoleTokens[i][0] = 0;
    return;
  }
  ConsoleTokens = static_cast<char**>(std::malloc(sizeof(char*) * ConsoleTokenCount));
  for (int i = 0; i < ConsoleTokenCount; ++i) {
    ConsoleTokens[i] = static_cast<char*>(std::malloc(TokenBufferSize));
    ConsoleTokens[i][0] = 0;
  }
}

void ReleaseConsoleTokens() {
  if (!ConsoleTokens) return;
  for (int token = 0; token < ConsoleTokenCount; ++token) ReleaseBlock(ConsoleTokens[token]);
  ReleaseBlock(ConsoleTokens);
}

void LineEditor(int32_t x, int32_t y, int32_t maxLength, const char* prompt) {
  int32_t limit = maxLength > 255 ? 255 : maxLength;
  if (limit < 0) limit = 0;
  if (ConsoleLineLength > limit) {  // a smaller limit than the line: cut the line to it
    ConsoleLineLength = limit;
    ConsoleLine[limit] = 0;
  }
  if (IsKeyDown(VkReturn)) {
    ConsoleLine[ConsoleLineLength] = 0;
    PlatformSleep(500);
    CommandReady = 1;
    return;
  }
  if (IsKeyDown(VkBack) && ConsoleLineLength >= 1) {
    ConsoleLine[ConsoleLineLength] = 0;
    ConsoleLine[ConsoleLineLength - 1] = 0;
    ConsoleLineLength -= 1;
    PlatformSleep(120);
  }
  if (IsKeyDown(VkSpace)) AddCharacter(limit, ' ');
  bool shift = IsKeyDown(VkShift);
  for (int key = 'A'; key <= 'Z'; ++key)
    if (!shift && IsKeyDown(key)) AddCharacter(limit, static_cast<char>(key - 'A' + 'a'));
  for (int key = 'A'; key <= 'Z'; ++key)
    if (shift && IsKeyDown(key)) AddCharacter(limit, static_cast<char>(key));
  for (int key = '0'; key <= '9'; ++key)
    if (IsKeyDown(key)) AddCharacter(limit, static_cast<char>(key));

  if (FrameCounter % 20 < 10)
    FormatText(TextBuffer, "%s%s_", prompt, ConsoleLine);
  else
    FormatText(TextBuffer, "%s%s", prompt, ConsoleLine);
  DrawBigText(x, y, 255, 255, 255);
}

void CommandConsole() {
  if (IsKeyDown(VkTab)) {
    ConsoleVisible = ConsoleVisible == 0 ? 1 : 0;
    PlatformSleep(400);
  }
  if (ConsoleVisible) LineEditor(14, 73, 30, "CMD:");
  if (CommandReady) {
    CommandReady = 0;
    if (!ConsoleTokens) InitConsole();
    RunCommand(SplitCommand());
  }
}
