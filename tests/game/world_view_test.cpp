#include "game/world_view.h"

#include <gtest/gtest.h>

#include "tests/game/game_pools.h"

namespace {

class WorldView : public ::testing::Test {
 protected:
  void SetUp() override {
    saved.Save(ViewYaw, ViewPitch, FrameCounter, LastSafeCell);
    Place(0.5f, 0.5f);
    // The map view cell stands on rock, so steps keep it.
    MapViewColumn = 50;
    MapViewRow = 60;
    MapViewLevel = 10;
    Cell(50, 60, 11) = 61;
    ViewYaw = ViewPitch = 0;
    FrameCounter = 0;
  }
  GamePools pools;
  SavedGlobals saved;
  static UnitRecord& Unit() { return UnitTable[1]; }
  static uint8_t& Cell(int x, int y, int z) { return GridCell(x, y, z); }
  static void Place(float fx, float fy) {
    Unit() = UnitRecord{};
    Unit().x = 50;
    Unit().y = 60;
    Unit().level = 10;
    Unit().fx = fx;
    Unit().fy = fy;
    Unit().fz = 0.5f;
  }
  // One frame with the given key held, looking along yaw 30 and pitch -90.
  static void Frame(int key, int32_t frame) {
    ViewYaw = 30;
    ViewPitch = -90;
    FrameCounter = frame;
    HeadlessKeys[key] = true;
    WorldViewStep();
    HeadlessKeys[key] = false;
  }
};

// PushOutOfWalls(a, b, c) looks at the cells around offset (a, b, c) of the player's cell. A wall
// beside the walker pushes up to three times: the 0.3 margin (only while the walker's own cell
// is open), the fixed 0.2 step, and the first diagonal corner that finds rock, tried in the
// order (-, -), (+, +), (+, -), (-, +); no corner looks up or down.
TEST_F(WorldView, PushOutOfWallsKeepsTheWalkerOffRockOnEverySide) {
  struct Case {  // the rock relative to the player's cell, the offset, the fine place after
    int wallX, wallY, wallZ;
    float a, b, c, fx, fy, fz;
    int corner;
  } cases[] = {
      {1, 0, 0, 0.8f, 0.5f, 0.5f, 0.5f + (0.8f + 0.3f - 1) + 0.2f + 0.2f, 0.5f - 0.2f, 0.5f, 1},
      {-1, 0, 0, 0.1f, 0.5f, 0.5f, 0.5f - (0.3f - 0.1f) - 0.2f - 0.2f, 0.5f + 0.2f, 0.5f, 1},
      {0, 1, 0, 0.5f, 0.8f, 0.5f, 0.5f + 0.2f, 0.5f - (0.8f + 0.3f - 1) - 0.2f - 0.2f, 0.5f, 1},
      {0, -1, 0, 0.5f, 0.15f, 0.5f, 0.5f - 0.2f, 0.5f + (0.3f - 0.15f) + 0.2f + 0.2f, 0.5f, 1},
      {0, 0, 1, 0.5f, 0.5f, 0.9f, 0.5f, 0.5f, 0.5f + (0.9f + 0.3f - 1) + 0.2f, 0},
      {0, 0, -1, 0.5f, 0.5f, 0.1f, 0.5f, 0.5f, 0.5f - (0.3f - 0.1f) - 0.2f, 0},
      {1, -1, 0, 0.9f, 0.1f, 0.5f, 0.7f, 0.7f, 0.5f, 1},
      {-1, 1, 0, 0.1f, 0.9f, 0.5f, 0.3f, 0.3f, 0.5f, 1}};
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.wallX << " " << k.wallY << " " << k.wallZ);
    WorldGrid[WorldCellIndex(50 + k.wallX, 60 + k.wallY, 10 + k.wallZ)] = 61;
    Place(0.5f, 0.5f);
    EXPECT_EQ(PushOutOfWalls(k.a, k.b, k.c), k.corner);
    EXPECT_FLOAT_EQ(Unit().fx, k.fx);
    EXPECT_FLOAT_EQ(Unit().fy, k.fy);
    EXPECT_FLOAT_EQ(Unit().fz, k.fz);
    WorldGrid[WorldCellIndex(50 + k.wallX, 60 + k.wallY, 10 + k.wallZ)] = 0;
  }

  // Inside rock only the fixed steps act: a = 0.9 in rock beside rock at +x. Test 2 (0.7, own
  // cell) fx -= 0.2, test 4 (1.1) fx += 0.2, the y and z pairs cancel, the first corner (0.7,
  // 0.3) is the own cell: fx -= 0.2, fy += 0.2.
  Cell(50, 60, 10) = Cell(51, 60, 10) = 61;
  Place(0.5f, 0.5f);
  EXPECT_EQ(PushOutOfWalls(0.9f, 0.5f, 0.5f), 1);
  EXPECT_FLOAT_EQ(Unit().fx, 0.5f - 0.2f + 0.2f - 0.2f);
  EXPECT_FLOAT_EQ(Unit().fy, 0.5f + 0.2f - 0.2f + 0.2f);
  Cell(50, 60, 10) = Cell(51, 60, 10) = 0;
  Cell(49, 59, 10) = Cell(51, 61, 10) = 61;  // the first and second corners: the first acts
  Place(0.5f, 0.5f);
  EXPECT_EQ(PushOutOfWalls(0.1f, 0.1f, 0.5f), 1);
  EXPECT_FLOAT_EQ(Unit().fx, 0.5f - 0.2f);
  EXPECT_FLOAT_EQ(Unit().fy, 0.5f + 0.2f);
}

// Yaw 30 and pitch -90: a = 210 degrees, s = -0.5, c = -0.8660, and -sin(pitch) = 1, so a step
// moves fine x by 0.05 and fine y by 0.0866, against them forward and with them back. The walk
// phase then sets the head: fz = sin(phase * 1.5) * 0.024 + 0.54, 0.563940 after one step
// forward (sin 1.5 = 0.997495), 0.516060 after one back.
TEST_F(WorldView, WalkingStepsAlongTheViewEveryThirdFrameForwardAndEveryFrameBack) {
  Frame(VkLButton, 4);
  EXPECT_FLOAT_EQ(Unit().fx, 0.5f);
  EXPECT_FLOAT_EQ(Unit().fz, 0.54f);

  Frame(VkLButton, 6);
  EXPECT_NEAR(Unit().fx, 0.45f, 1e-6);
  EXPECT_NEAR(Unit().fy, 0.5f - 0.0866025f, 1e-6);
  EXPECT_FLOAT_EQ(Unit().walkPhase, 1.0f);
  EXPECT_NEAR(Unit().fz, 0.5639399f, 1e-6);

  Place(0.5f, 0.5f);
  EXPECT_FLOAT_EQ(ViewYaw, 20);  // the button looks too: no window, the mouse reads (0, 0)
  EXPECT_FLOAT_EQ(ViewPitch, 0);
  Frame('Z', 4);
  EXPECT_FLOAT_EQ(ViewYaw, 30);  // no mouse button, no look
  EXPECT_NEAR(Unit().fx, 0.55f, 1e-6);
  EXPECT_NEAR(Unit().fy, 0.5f + 0.0866025f, 1e-6);
  EXPECT_FLOAT_EQ(Unit().walkPhase, -1.0f);
  EXPECT_NEAR(Unit().fz, 0.5160601f, 1e-6);
  EXPECT_EQ(LastSafeCell[2], 10);  // the map view cell stands on rock: it is the safe cell
  Cell(50, 60, 11) = 0;            // a step over empty space returns to the last safe cell
  LastSafeCell[0] = LastSafeCell[1] = 1;
  LastSafeCell[2] = 28;
  Frame(VkLButton, 3);
  EXPECT_EQ(MapViewColumn * 1000000 + MapViewRow * 1000 + MapViewLevel, 1001028);
  EXPECT_FLOAT_EQ(Unit().fx, 0.5f);
}

// x runs against its fine coordinate, y with it.
TEST_F(WorldView, TheFinePositionCarriesIntoTheCell) {
  for (float fine : {1.25f, -0.25f}) {
    Place(fine, fine);
    WorldViewStep();
    EXPECT_EQ(Unit().x, fine > 1 ? 49 : 51);
    EXPECT_EQ(Unit().y, fine > 1 ? 61 : 59);
    EXPECT_FLOAT_EQ(Unit().fx + Unit().fy, fine > 1 ? 0.5f : 1.5f);
    EXPECT_FLOAT_EQ(Unit().previousFx, fine);
    EXPECT_EQ(Unit().level, 10);  // the head bob keeps fz inside the cell
  }
}

}  // namespace
