// Polled keyboard and mouse, and the map view keys.
#include "data/data.h"
#include "frame/frame.h"
#include "shell/shell.h"

int32_t MapViewColumn = 0;
int32_t MapViewRow = 0;
int32_t MapViewLevel = 0;

int IsKeyDown(int virtualKey) { return PlatformGetAsyncKeyState(virtualKey) < 0 ? 1 : 0; }

int IsKeyUp(int virtualKey) { return IsKeyDown(virtualKey) ? 0 : 1; }

// Without a window there is no rectangle to measure against: the cursor then reads as the
// bottom-left render pixel.
int GetMouseX(PlatformHandle window) {
  int px = 0, py = 0;
  PlatformRect rect;
  if (!PlatformGetWindowRect(window, &rect) || rect.right == rect.left) return 0;
  PlatformGetCursorPos(&px, &py);
  float f = static_cast<float>(px - rect.left) / static_cast<float>(rect.right - rect.left) *
            static_cast<float>(RenderWidth);
  if (f < 0) return 0;
  if (f > static_cast<float>(RenderWidth - 1)) return RenderWidth - 1;
  return static_cast<int>(f);
}

int GetMouseY(PlatformHandle window) {
  int px = 0, py = 0;
  PlatformRect rect;
  if (!PlatformGetWindowRect(window, &rect) || rect.bottom == rect.top) return 0;
  PlatformGetCursorPos(&px, &py);
  float f = static_cast<float>(rect.bottom - py) / static_cast<float>(rect.bottom - rect.top) *
            static_cast<float>(RenderHeight);
  if (f < 0) return 0;
  if (f > static_cast<float>(RenderHeight - 1)) return RenderHeight - 1;
  return static_cast<int>(f);
}

namespace {

// Mode 1: the level may step only where the cell above or below the player (unit 1) is empty.
bool PlayerLevelFree(int step) {
  const UnitRecord& player = UnitTable[1];
  int x = player.x, y = player.y, p = player.level;
  bool inRange = step > 0 ? (p > 0 && p < 138) : (p > 1 && p <= 139);
  return inRange && WorldGrid[WorldCellIndex(x, y, p + step)] == 0;
}

}  // namespace

void UpdateMapViewKeys(int mode) {
  if (IsKeyDown(VkUp)) MapViewRow += 1;
  if (IsKeyDown(VkDown)) MapViewRow -= 1;
  if (IsKeyDown(VkRight)) MapViewColumn += 1;
  if (IsKeyDown(VkLeft)) MapViewColumn -= 1;

  if (IsKeyDown(VkAdd) && (mode == 1 || mode == 2)) {
    if (mode == 2 || PlayerLevelFree(+1)) MapViewLevel += 1;
    PlatformSleep(380);
  }
  if (IsKeyDown(VkSubtract) && (mode == 1 || mode == 2)) {
    if (mode == 2 || PlayerLevelFree(-1)) MapViewLevel -= 1;
    PlatformSleep(380);
  }

  if (MapViewRow > MapSide - RenderHeight / 16) MapViewRow = MapSide - RenderHeight / 16;
  if (MapViewRow < 0) MapViewRow = 0;
  if (MapViewColumn > MapSide - RenderWidth / 16) MapViewColumn = MapSide - RenderWidth / 16;
  if (MapViewColumn < 0) MapViewColumn = 0;
  if (MapViewLevel > MapLevels - 1) MapViewLevel = MapLevels - 1;
  if (MapViewLevel < 0) MapViewLevel = 0;
}
