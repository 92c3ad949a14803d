// Polled keys, the mouse queries and the map view keys on the headless backend.
#include <gtest/gtest.h>

#include <cstdlib>

#include "data/data.h"
#include "frame/frame.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "tests/support/saved_globals.h"

namespace {

// A window of the given client size placed at (left, top), made directly through the seam.
PlatformHandle PlaceWindow(int left, int top, int width, int height) {
  PlatformRegisterWindowClass(PlatformModuleHandle());
  PlatformHandle window =
      PlatformCreateWindow(PlatformModuleHandle(), "test", width, height, false);
  PlatformMoveWindow(window, left, top, width, height, true);
  return window;
}

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessReset();
    SetRenderSize(320, 240);
  }
  void TearDown() override { HeadlessReset(); }
};

TEST_F(InputTest, KeyIsDownOnlyWhileHeld) {
  EXPECT_EQ(IsKeyDown('T'), 0);
  EXPECT_EQ(IsKeyUp('T'), 1);
  HeadlessKeys['T'] = true;
  EXPECT_EQ(IsKeyDown('T'), 1);
  EXPECT_EQ(IsKeyUp('T'), 0);
  EXPECT_EQ(IsKeyDown('I'), 0);
}

// Window 640 x 480 at (100, 50): render x = (px - 100) / 640 * 320, render y = (530 - py) / 480
// * 240. The positions below give exact binary fractions, so the single-precision results are
// exact too.
TEST_F(InputTest, MousePositionIsMeasuredAgainstTheWholeWindowWithRowsCountedUpward) {
  PlatformHandle window = PlaceWindow(100, 50, 640, 480);
  HeadlessCursorX = 260;  // 160 / 640 = 0.25 -> 80
  HeadlessCursorY = 410;  // (530 - 410) / 480 = 0.25 -> 60; counted from the top it would be 180
  EXPECT_EQ(GetMouseX(window), 80);
  EXPECT_EQ(GetMouseY(window), 60);
  HeadlessCursorX = 100;  // the window's left edge
  HeadlessCursorY = 530;  // just below the window's last row: the bottom edge
  EXPECT_EQ(GetMouseX(window), 0);
  EXPECT_EQ(GetMouseY(window), 0);
  HeadlessCursorY = 529;  // the bottom screen row: 1 / 480 * 240 = 0.5 -> 0
  EXPECT_EQ(GetMouseY(window), 0);
}

TEST_F(InputTest, MousePositionOutsideTheWindowIsClampedToTheNearestEdge) {
  PlatformHandle window = PlaceWindow(100, 50, 640, 480);
  HeadlessCursorY = 290;
  HeadlessCursorX = 90;  // left of the window: f = -5, clamped rather than truncated
  EXPECT_EQ(GetMouseX(window), 0);
  HeadlessCursorX = 740;  // one past the last column: f = 320
  EXPECT_EQ(GetMouseX(window), 319);
  HeadlessCursorX = 5000;
  EXPECT_EQ(GetMouseX(window), 319);
  HeadlessCursorX = 420;
  HeadlessCursorY = 600;  // below the window: f = -35
  EXPECT_EQ(GetMouseY(window), 0);
  HeadlessCursorY = 50;  // the top screen row: f = 240
  EXPECT_EQ(GetMouseY(window), 239);
  HeadlessCursorY = -70;  // above the screen itself
  EXPECT_EQ(GetMouseY(window), 239);
}

// The last screen column is (320s - 1) / 320s * 320 = 320 - 1/s render pixels in: 319 at every
// scale once truncated (at scale 1 the single-precision quotient rounds up to exactly 319).
TEST_F(InputTest, LastScreenColumnIsTheLastRenderColumnAtEveryScale) {
  for (int scale = 1; scale <= 4; ++scale) {
    SCOPED_TRACE(scale);
    HeadlessReset();
    PlatformHandle window = PlaceWindow(37, 11, 320 * scale, 240 * scale);
    HeadlessCursorY = 11;
    HeadlessCursorX = 37 + 320 * scale - 1;
    EXPECT_EQ(GetMouseX(window), 319);
    HeadlessCursorX = 37;
    EXPECT_EQ(GetMouseX(window), 0);
    EXPECT_EQ(GetMouseY(window), 239);  // the top screen row
  }
}

TEST_F(InputTest, MousePositionWithoutAWindowIsTheBottomLeftPixel) {
  HeadlessCursorX = 300;
  HeadlessCursorY = 200;
  EXPECT_EQ(GetMouseX(nullptr), 0);
  EXPECT_EQ(GetMouseY(nullptr), 0);
}

// ---- Map view keys ---------------------------------------------------------------------------

class MapViewKeysTest : public InputTest {
 protected:
  void SetUp() override {
    InputTest::SetUp();
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
    InputTest::TearDown();
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
