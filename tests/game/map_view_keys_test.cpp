// The map view keys on the headless backend.
#include <gtest/gtest.h>

#include <cstdlib>

#include "frame/frame.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "platform/headless/headless.h"
#include "tests/support/saved_globals.h"

namespace {

class MapViewKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessReset();
    SetRenderSize(320, 240);
    saved.Save(WorldGrid, UnitTable, MapViewColumn, MapViewRow, MapViewLevel);
    WorldGrid =
        static_cast<uint8_t*>(std::calloc(static_cast<size_t>(CellsPerLevel) * MapLevels, 1));
    UnitTable = static_cast<UnitRecord*>(std::calloc(UnitCapacity, sizeof(UnitRecord)));
    MapViewColumn = MapViewRow = MapViewLevel = 0;
  }
  void TearDown() override {
    std::free(WorldGrid);
    std::free(UnitTable);
    saved.Restore();
    HeadlessReset();
  }
  // One call with the key held (0 for none); returns the milliseconds it paused.
  static uint64_t Press(int key, int mode) {
    HeadlessReset();
    if (key) HeadlessKeys[key] = true;
    UpdateMapViewKeys(mode);
    return HeadlessClockMs;
  }
  static void PutPlayer(int x, int y, int level) {
    UnitTable[1].x = static_cast<uint16_t>(x);
    UnitTable[1].y = static_cast<uint16_t>(y);
    UnitTable[1].level = static_cast<uint16_t>(level);
  }
  SavedGlobals saved;
};

TEST_F(MapViewKeysTest, ArrowsMoveTheViewCellInEveryModeWithoutPausing) {
  MapViewColumn = 10;
  MapViewRow = 20;
  HeadlessKeys[VkUp] = HeadlessKeys[VkRight] = true;
  UpdateMapViewKeys(2);
  EXPECT_EQ(MapViewRow, 21);
  EXPECT_EQ(MapViewColumn, 11);
  HeadlessKeys[VkUp] = HeadlessKeys[VkRight] = false;
  HeadlessKeys[VkDown] = HeadlessKeys[VkLeft] = true;
  UpdateMapViewKeys(0);
  EXPECT_EQ(MapViewRow, 20);
  EXPECT_EQ(MapViewColumn, 10);
  EXPECT_EQ(HeadlessClockMs, 0u);
}

// Columns stay in 0 .. 256 - 320 / 16 = 236, rows in 0 .. 256 - 240 / 16 = 241, levels in
// 0 .. 179, whatever brought them outside; values inside are kept. The level keys pause 380 ms
// even where the level cannot move.
TEST_F(MapViewKeysTest, ViewCellIsClampedIntoTheMap) {
  const struct {
    int key, column, row, level;
    int wantColumn, wantRow, wantLevel;
  } cases[] = {
      {0, 236, 241, 179, 236, 241, 179}, {0, 235, 240, 178, 235, 240, 178},
      {0, 237, 242, 180, 236, 241, 179}, {0, 1000, 238, 400, 236, 238, 179},
      {0, 100, 1000, 5, 100, 241, 5},    {0, -7, -7, -7, 0, 0, 0},
      {VkUp, 10, 241, 5, 10, 241, 5},    {VkDown, 10, 0, 5, 10, 0, 5},
      {VkRight, 236, 10, 5, 236, 10, 5}, {VkLeft, 0, 10, 5, 0, 10, 5},
      {VkAdd, 10, 10, 179, 10, 10, 179}, {VkSubtract, 10, 10, 0, 10, 10, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.key << ": " << c.column << " " << c.row << " " << c.level);
    MapViewColumn = c.column;
    MapViewRow = c.row;
    MapViewLevel = c.level;
    uint64_t paused = Press(c.key, 2);
    EXPECT_EQ(MapViewColumn, c.wantColumn);
    EXPECT_EQ(MapViewRow, c.wantRow);
    EXPECT_EQ(MapViewLevel, c.wantLevel);
    EXPECT_EQ(paused, c.key == VkAdd || c.key == VkSubtract ? 380u : 0u);
  }
}

TEST_F(MapViewKeysTest, FreeModeAloneStepsTheLevelAndPausesForEachKey) {
  MapViewLevel = 5;
  EXPECT_EQ(Press(VkAdd, 2), 380u);
  EXPECT_EQ(MapViewLevel, 6);
  EXPECT_EQ(Press(VkSubtract, 2), 380u);
  EXPECT_EQ(MapViewLevel, 5);
  HeadlessReset();
  HeadlessKeys[VkAdd] = HeadlessKeys[VkSubtract] = true;
  UpdateMapViewKeys(2);  // up and down in one call
  EXPECT_EQ(MapViewLevel, 5);
  EXPECT_EQ(HeadlessClockMs, 760u);
  // Modes other than 1 and 2 ignore the level keys and do not pause.
  EXPECT_EQ(Press(VkAdd, 0), 0u);
  EXPECT_EQ(Press(VkSubtract, 3), 0u);
  EXPECT_EQ(MapViewLevel, 5);
}

// Mode 1 steps the view level only where the cell above (or below) the player is empty, with up
// needing 0 < level < 138 and down 1 < level <= 139; the player's level decides, not the view's.
// It pauses whether the level moved or not.
TEST_F(MapViewKeysTest, PlayerModeStepsOnlyIntoAnEmptyCellAboveOrBelowThePlayer) {
  const struct {
    int key, playerLevel, step;
  } cases[] = {
      {VkAdd, 0, 0},        {VkAdd, 1, +1},       {VkAdd, 137, +1},    {VkAdd, 138, 0},
      {VkAdd, 179, 0},      {VkSubtract, 1, 0},   {VkSubtract, 2, -1}, {VkSubtract, 139, -1},
      {VkSubtract, 140, 0}, {VkSubtract, 179, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " player level " << c.playerLevel);
    MapViewLevel = 50;
    PutPlayer(12, 34, c.playerLevel);
    EXPECT_EQ(Press(c.key, 1), 380u);
    EXPECT_EQ(MapViewLevel, 50 + c.step);
  }

  MapViewLevel = 40;
  PutPlayer(3, 7, 5);
  WorldGrid[WorldCellIndex(7, 3, 6)] = '=';  // x and y swapped: not the player's cell
  WorldGrid[WorldCellIndex(4, 7, 6)] = '=';  // the neighbour
  Press(VkAdd, 1);
  EXPECT_EQ(MapViewLevel, 41);
  WorldGrid[WorldCellIndex(3, 7, 6)] = '=';
  Press(VkAdd, 1);
  EXPECT_EQ(MapViewLevel, 41);
  WorldGrid[WorldCellIndex(3, 7, 4)] = 1;
  Press(VkSubtract, 1);
  EXPECT_EQ(MapViewLevel, 41);
}

}  // namespace
