// The map view keys: the arrows move the map view cell, keypad + and - step its level.
#include "base/base.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "input/input.h"
#include "platform/platform.h"

int32_t MapViewColumn = 0;
int32_t MapViewRow = 0;
int32_t MapViewLevel = 0;

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
