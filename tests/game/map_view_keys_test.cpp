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

  static void PutPlayer(int x, int y, int level) {
    UnitTable[1].x = static_cast<uint16_t>(x);
    UnitTable[1].y = static_cast<uint16_t>(y);
    UnitTable[1].level = static_cast<uint16_t>(level);
  }
  static uint8_t& Cell(int x, int y, int level) { return WorldGrid[WorldCellIndex(x, y, level)]; }

  SavedGlobals saved;
};

TEST_F(MapViewKeysTest, ArrowsMoveTheViewCellWithoutPausing) {
  MapViewColumn = 10;
  MapViewRow = 20;
  HeadlessKeys[VkUp] = HeadlessKeys[VkRight] = true;
  UpdateMapViewKeys(2);
  EXPECT_EQ(MapViewRow, 21);
  EXPECT_EQ(MapViewColumn, 11);
  HeadlessKeys[VkUp] = HeadlessKeys[VkRight] = false;
  HeadlessKeys[VkDown] = HeadlessKeys[VkLeft] = true;
  UpdateMapViewKeys(0);  // arrows work in every mode
  EXPECT_EQ(MapViewRow, 20);
  EXPECT_EQ(MapViewColumn, 10);
  EXPECT_EQ(HeadlessClockMs, 0u);
}

// Bounds: columns up to 256 - 320/16 = 236, rows up to 256 - 240/16 = 241, levels up to 179.
TEST_F(MapViewKeysTest, ViewCellStaysWithinTheMap) {
  MapViewColumn = 236;
  MapViewRow = 241;
  MapViewLevel = 179;
  HeadlessKeys[VkUp] = HeadlessKeys[VkRight] = HeadlessKeys[VkAdd] = true;
  UpdateMapViewKeys(2);
  EXPECT_EQ(MapViewColumn, 236);
  EXPECT_EQ(MapViewRow, 241);
  EXPECT_EQ(MapViewLevel, 179);

  HeadlessReset();
  MapViewColumn = MapViewRow = MapViewLevel = 0;
  HeadlessKeys[VkDown] = HeadlessKeys[VkLeft] = HeadlessKeys[VkSubtract] = true;
  UpdateMapViewKeys(2);
  EXPECT_EQ(MapViewColumn, 0);
  EXPECT_EQ(MapViewRow, 0);
  EXPECT_EQ(MapViewLevel, 0);
  EXPECT_EQ(HeadlessClockMs, 380u);  // the pause is taken though the level could not move

  MapViewColumn = 1000;  // values beyond the bounds are brought back
  MapViewRow = -7;
  MapViewLevel = 400;
  HeadlessReset();
  UpdateMapViewKeys(2);
  EXPECT_EQ(MapViewColumn, 236);
  EXPECT_EQ(MapViewRow, 0);
  EXPECT_EQ(MapViewLevel, 179);
}

TEST_F(MapViewKeysTest, FreeModeAloneStepsTheLevelAndPausesForEachKey) {
  MapViewLevel = 5;
  HeadlessKeys[VkAdd] = true;
  UpdateMapViewKeys(2);
  EXPECT_EQ(MapViewLevel, 6);
  EXPECT_EQ(HeadlessClockMs, 380u);
  HeadlessKeys[VkSubtract] = true;
  UpdateMapViewKeys(2);
  EXPECT_EQ(MapViewLevel, 6);  // up and down in one call
  EXPECT_EQ(HeadlessClockMs, 380u + 760u);
  // Modes other than 1 and 2 ignore the level keys and do not pause.
  UpdateMapViewKeys(0);
  UpdateMapViewKeys(3);
  EXPECT_EQ(MapViewLevel, 6);
  EXPECT_EQ(HeadlessClockMs, 380u + 760u);
}

// Mode 1 steps the view level only where the cell above (or below) the player is empty; the
// player's own level decides, not the view's.
TEST_F(MapViewKeysTest, PlayerModeStepsOnlyIntoAnEmptyCellAboveOrBelowThePlayer) {
  MapViewLevel = 40;
  PutPlayer(3, 7, 5);
  Cell(7, 3, 6) = '=';  // the same x and y swapped: not the player's cell
  Cell(4, 7, 6) = '=';  // the neighbour
  HeadlessKeys[VkAdd] = true;
  UpdateMapViewKeys(1);
  EXPECT_EQ(MapViewLevel, 41);
  EXPECT_EQ(HeadlessClockMs, 380u);

  Cell(3, 7, 6) = '=';
  UpdateMapViewKeys(1);
  EXPECT_EQ(MapViewLevel, 41);
  EXPECT_EQ(HeadlessClockMs, 760u);  // paused though nothing changed

  HeadlessReset();
  PutPlayer(200, 100, 9);
  HeadlessKeys[VkSubtract] = true;
  UpdateMapViewKeys(1);
  EXPECT_EQ(MapViewLevel, 40);
  Cell(200, 100, 8) = 1;
  UpdateMapViewKeys(1);
  EXPECT_EQ(MapViewLevel, 40);
}

// Up needs 0 < p < 138; down needs 1 < p <= 139. The grid around is empty.
TEST_F(MapViewKeysTest, PlayerModeLevelRangesAreExact) {
  struct Case {
    int key;
    int playerLevel;
    int expectedStep;
  };
  const Case cases[] = {
      {VkAdd, 0, 0},        {VkAdd, 1, +1},       {VkAdd, 137, +1},    {VkAdd, 138, 0},
      {VkAdd, 179, 0},      {VkSubtract, 1, 0},   {VkSubtract, 2, -1}, {VkSubtract, 139, -1},
      {VkSubtract, 140, 0}, {VkSubtract, 179, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " player level " << c.playerLevel);
    HeadlessReset();
    MapViewLevel = 50;
    PutPlayer(12, 34, c.playerLevel);
    HeadlessKeys[c.key] = true;
    UpdateMapViewKeys(1);
    EXPECT_EQ(MapViewLevel, 50 + c.expectedStep);
    EXPECT_EQ(HeadlessClockMs, 380u);
  }
}

}  // namespace
