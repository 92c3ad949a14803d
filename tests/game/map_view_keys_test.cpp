#include <gtest/gtest.h>

#include "game/map_view.h"
#include "tests/game/game_pools.h"

namespace {

// One call with the key held (0 for none); returns the milliseconds it paused.
uint64_t Press(int key, int mode) {
  HeadlessReset();
  if (key) HeadlessKeys[key] = true;
  UpdateMapViewKeys(mode);
  return HeadlessClockMs;
}

}  // namespace

// The arrows move the view cell in every mode without a pause; columns stay in 0 .. 256 - 320 / 16,
// rows in 0 .. 256 - 240 / 16, levels in 0 .. 179. In free mode (2) the level keys step the level
// and pause 380 ms each, even where it cannot move; modes other than 1 and 2 ignore them.
TEST(UpdateMapViewKeys, ArrowsAndLevelKeysMoveTheViewCellInsideTheMap) {
  GamePools pools;
  const struct {
    int key, mode, column, row, level;
    int wantColumn, wantRow, wantLevel;
  } cases[] = {{VkUp, 0, 10, 20, 5, 10, 21, 5},       {VkDown, 3, 10, 20, 5, 10, 19, 5},
               {VkRight, 2, 236, 10, 5, 236, 10, 5},  {VkLeft, 2, 0, 10, 5, 0, 10, 5},
               {VkUp, 2, 10, 241, 5, 10, 241, 5},     {0, 2, 1000, 1000, 400, 236, 241, 179},
               {0, 2, -7, -7, -7, 0, 0, 0},           {VkAdd, 2, 10, 10, 179, 10, 10, 179},
               {VkSubtract, 2, 10, 10, 5, 10, 10, 4}, {VkAdd, 0, 10, 10, 5, 10, 10, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.key << " mode " << c.mode << ": " << c.column << " "
                                    << c.row << " " << c.level);
    MapViewColumn = c.column;
    MapViewRow = c.row;
    MapViewLevel = c.level;
    bool levelKey = (c.key == VkAdd || c.key == VkSubtract) && (c.mode == 1 || c.mode == 2);
    EXPECT_EQ(Press(c.key, c.mode), levelKey ? 380u : 0u);
    EXPECT_EQ(MapViewColumn, c.wantColumn);
    EXPECT_EQ(MapViewRow, c.wantRow);
    EXPECT_EQ(MapViewLevel, c.wantLevel);
  }
}

// Mode 1 steps the view level only where the cell above (or below) the player is empty, with up
// needing 0 < level < 138 and down 1 < level <= 139; the player's level decides, not the view's.
// It pauses whether the level moved or not.
TEST(UpdateMapViewKeys, PlayerModeStepsOnlyIntoAnEmptyCellAboveOrBelowThePlayer) {
  GamePools pools;
  const struct {
    int key, playerLevel, step;
  } cases[] = {{VkAdd, 0, 0},       {VkAdd, 1, +1},        {VkAdd, 137, +1},
               {VkAdd, 138, 0},     {VkAdd, 179, 0},       {VkSubtract, 1, 0},
               {VkSubtract, 2, -1}, {VkSubtract, 139, -1}, {VkSubtract, 140, 0},
               {VkSubtract, 179, 0}};
  UnitRecord& player = UnitTable[1];
  player.x = 3;
  player.y = 7;
  for (const auto& c : cases) {
    MapViewLevel = 50;
    player.level = static_cast<uint16_t>(c.playerLevel);
    EXPECT_EQ(Press(c.key, 1), 380u);
    EXPECT_EQ(MapViewLevel, 50 + c.step) << c.key << " " << c.playerLevel;
  }
  GridCell(7, 3, 6) = GridCell(4, 7, 6) = '=';  // x and y swapped, and the neighbour
  player.level = 5;
  Press(VkAdd, 1);
  EXPECT_EQ(MapViewLevel, 51);
  GridCell(3, 7, 6) = GridCell(3, 7, 4) = '=';  // the cells above and below
  Press(VkAdd, 1);
  Press(VkSubtract, 1);
  EXPECT_EQ(MapViewLevel, 51);
}
