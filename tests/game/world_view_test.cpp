#include "game/world_view.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "frame/frame.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "platform/headless/headless.h"

namespace {

class WorldView : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessReset();
    WorldGrid =
        static_cast<uint8_t*>(std::calloc(static_cast<size_t>(CellsPerLevel) * MapLevels, 1));
    UnitTable = static_cast<UnitRecord*>(std::calloc(UnitCapacity, sizeof(UnitRecord)));
    Unit().x = 50;
    Unit().y = 60;
    Unit().level = 10;
    Unit().fx = Unit().fy = Unit().fz = 0.5f;
  }
  void TearDown() override {
    std::free(WorldGrid);
    std::free(UnitTable);
    WorldGrid = nullptr;
    UnitTable = nullptr;
  }
  static UnitRecord& Unit() { return UnitTable[1]; }
  static uint8_t& Cell(int x, int y, int z) { return WorldGrid[x + y * 256 + z * 65536]; }
};

TEST_F(WorldView, CellAtReadsAroundThePlayerAndNothingOutsideTheGrid) {
  Cell(51, 59, 11) = 61;
  EXPECT_EQ(CellAt(1.2f, -0.5f, 1.9f), 61);  // floor(1.2) = 1, floor(-0.5) = -1, floor(1.9) = 1
  EXPECT_EQ(CellAt(1.0f, -1.0f, 1.0f), 61);
  EXPECT_EQ(CellAt(0.99f, -1.0f, 1.0f), 0);
  Unit().x = 0;
  Unit().y = 255;
  Unit().level = 179;
  Cell(0, 255, 179) = 7;
  EXPECT_EQ(CellAt(0, 0, 0), 7);
  EXPECT_EQ(CellAt(-0.1f, 0, 0), 0);  // x = -1
  EXPECT_EQ(CellAt(0, 1, 0), 0);      // y = 256
  EXPECT_EQ(CellAt(0, 0, 1), 0);      // level 180
  EXPECT_EQ(CellAt(1e30f, 0, 0), 0);
}

// PushOutOfWalls looks at cells around (a, b, c) in cell units relative to the player's cell:
// an offset crossing 0 or 1 reaches the neighbour. Side walls are also met by the diagonal
// corner tests when b (or a) stays inside the cell, so a wall beside the walker pushes three
// times: margin, fixed step, and corner.
TEST_F(WorldView, PushOutOfWallsAgainstTheXWalls) {
  Cell(51, 60, 10) = 61;  // the +x neighbour
  Unit().fx = Unit().fy = 0.5f;
  // a = 0.8: test 3 (a + 0.3 = 1.1 solid, inside): fx += 0.8 + 0.3 - 1; test 4 (a + 0.2 = 1.0):
  // fx += 0.2; the first corner (0.6, 0.3) is the own cell, the second (1.0, 0.7) is the wall:
  // fx += 0.2, fy -= 0.2, and the call reports the corner.
  EXPECT_EQ(PushOutOfWalls(0.8f, 0.5f, 0.5f), 1);
  EXPECT_FLOAT_EQ(Unit().fx, 0.5f + (0.8f + 0.3f - 1) + 0.2f + 0.2f);
  EXPECT_FLOAT_EQ(Unit().fy, 0.5f - 0.2f);

  Cell(51, 60, 10) = 0;
  Cell(49, 60, 10) = 61;  // the -x neighbour
  Unit().fx = Unit().fy = 0.5f;
  // a = 0.1: test 1 (a - 0.3 < 0): fx -= 0.3 - 0.1; test 2: fx -= 0.2; first corner (-0.1, 0.3)
  // is the wall: fx -= 0.2, fy += 0.2.
  EXPECT_EQ(PushOutOfWalls(0.1f, 0.5f, 0.5f), 1);
  EXPECT_FLOAT_EQ(Unit().fx, 0.5f - (0.3f - 0.1f) - 0.2f - 0.2f);
  EXPECT_FLOAT_EQ(Unit().fy, 0.5f + 0.2f);
}

TEST_F(WorldView, PushOutOfWallsAgainstTheYAndLevelWalls) {
  Cell(50, 59, 10) = 61;  // the -y neighbour
  Unit().fx = Unit().fy = 0.5f;
  // b = 0.15: test 5: fy += 0.3 - 0.15; test 6: fy += 0.2; first corner (0.3, -0.05) is the
  // wall: fx -= 0.2, fy += 0.2.
  EXPECT_EQ(PushOutOfWalls(0.5f, 0.15f, 0.5f), 1);
  EXPECT_FLOAT_EQ(Unit().fy, 0.5f + (0.3f - 0.15f) + 0.2f + 0.2f);
  EXPECT_FLOAT_EQ(Unit().fx, 0.5f - 0.2f);

  Cell(50, 59, 10) = 0;
  Cell(50, 60, 11) = 61;  // the next level
  Unit().fx = Unit().fy = Unit().fz = 0.5f;
  // c = 0.9: test 11: fz += 0.9 + 0.3 - 1; test 12: fz += 0.2; the corner tests stay on the
  // walker's level and find nothing.
  EXPECT_EQ(PushOutOfWalls(0.5f, 0.5f, 0.9f), 0);
  EXPECT_FLOAT_EQ(Unit().fz, 0.5f + (0.9f + 0.3f - 1) + 0.2f);
  EXPECT_FLOAT_EQ(Unit().fx, 0.5f);
}

TEST_F(WorldView, APushFromInsideRockSkipsTheMarginTests) {
  Cell(50, 60, 10) = 61;  // the walker's own cell is rock: not inside
  Cell(51, 60, 10) = 61;
  Unit().fx = Unit().fy = 0.5f;
  // a = 0.9. Only the fixed steps act: test 2 (0.7, own cell) fx -= 0.2; test 4 (1.1) fx += 0.2;
  // tests 6 and 8 (own cell) cancel on fy, tests 10 and 12 on fz; then the first corner
  // (0.7, 0.3), the own cell: fx -= 0.2, fy += 0.2. The margin tests 1 and 3 would have added
  // their own terms had the walker been inside.
  EXPECT_EQ(PushOutOfWalls(0.9f, 0.5f, 0.5f), 1);
  EXPECT_FLOAT_EQ(Unit().fx, 0.5f - 0.2f + 0.2f - 0.2f);
  EXPECT_FLOAT_EQ(Unit().fy, 0.5f + 0.2f - 0.2f + 0.2f);
}

TEST_F(WorldView, OnlyTheFirstMatchingCornerActs) {
  Cell(49, 59, 10) = 61;  // (a - 0.2, b - 0.2)
  Cell(51, 61, 10) = 61;  // (a + 0.2, b + 0.2), would match second
  Unit().fx = Unit().fy = 0.5f;
  EXPECT_EQ(PushOutOfWalls(0.1f, 0.1f, 0.5f), 1);
  // Neither side test fires (a - 0.2 alone lands on (49, 60)), the first corner does.
  EXPECT_FLOAT_EQ(Unit().fx, 0.5f - 0.2f);
  EXPECT_FLOAT_EQ(Unit().fy, 0.5f + 0.2f);
}

TEST_F(WorldView, AStepOverEmptySpaceReturnsToTheLastSafeCell) {
  MapViewColumn = 50;
  MapViewRow = 60;
  MapViewLevel = 10;
  FrameCounter = 3;
  HeadlessKeys[VkLButton] = true;
  Unit().fx = 0.3f;
  WorldViewStep();
  EXPECT_EQ(MapViewColumn, 1);
  EXPECT_EQ(MapViewRow, 1);
  EXPECT_EQ(MapViewLevel, 28);
  EXPECT_FLOAT_EQ(Unit().fx, 0.5f);
}

TEST_F(WorldView, AStepOverRockRemembersTheCellAsSafe) {
  MapViewColumn = 50;
  MapViewRow = 60;
  MapViewLevel = 10;
  Cell(50, 60, 11) = 61;
  FrameCounter = 4;          // not a multiple of 3: the forward step waits
  HeadlessKeys['Z'] = true;  // the backward step acts every frame
  WorldViewStep();
  EXPECT_EQ(LastSafeCell[0], 50);
  EXPECT_EQ(LastSafeCell[1], 60);
  EXPECT_EQ(LastSafeCell[2], 10);
  EXPECT_FLOAT_EQ(Unit().walkPhase, -1.0f);
  LastSafeCell[0] = 1;
  LastSafeCell[1] = 1;
  LastSafeCell[2] = 28;
}

TEST_F(WorldView, TheFinePositionCarriesIntoTheCell) {
  // x and level run against their fine coordinates, y with it.
  Unit().fx = 1.25f;
  Unit().fy = -0.25f;
  Unit().walkPhase = 0;
  WorldViewStep();
  EXPECT_EQ(Unit().x, 49);
  EXPECT_FLOAT_EQ(Unit().fx, 0.25f);
  EXPECT_EQ(Unit().y, 59);
  EXPECT_FLOAT_EQ(Unit().fy, 0.75f);
  // The head bob sets fz to sin(0) * 0.024 + 0.54 before the carry: no level change.
  EXPECT_EQ(Unit().level, 10);
  EXPECT_FLOAT_EQ(Unit().fz, 0.54f);
  EXPECT_FLOAT_EQ(Unit().previousFx, 1.25f);
}

TEST_F(WorldView, LookingNeedsAMouseButton) {
  ViewYaw = 12;
  ViewPitch = 34;
  WorldViewStep();
  EXPECT_FLOAT_EQ(ViewYaw, 12);
  EXPECT_FLOAT_EQ(ViewPitch, 34);
  HeadlessKeys[VkRButton] = true;
  WorldViewStep();               // no window: the mouse reads (0, 0)
  EXPECT_FLOAT_EQ(ViewYaw, 20);  // -0 * 2 + 180 - 160
  EXPECT_FLOAT_EQ(ViewPitch, 0);
  ViewYaw = ViewPitch = 0;
}

}  // namespace
