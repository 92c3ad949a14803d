// The first-person world view in a real window (Xvfb with Mesa); skips without a display.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "frame/frame.h"
#include "game/game_data.h"
#include "game/world_view.h"
#include "input/input.h"
#include "shell/shell.h"
#include "tests/gl/gl_test_window.h"
#include "textures/textures.h"

namespace {

// Slot 1201, uploaded as the texture the rock is drawn with, and the slots beside it (which a
// wrong base slot would use instead) in plain colours, so that a textured pixel says which.
constexpr uint8_t Texel[3] = {10, 200, 30};

class WorldViewGl : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ReadyForTheProgramWindow()) GTEST_SKIP() << "no display to open a window on";
    ResizeTextureSlots(3100);
    for (int slotNumber = 1200; slotNumber <= 1202; ++slotNumber) {
      TextureSlot& slot = TextureSlotTable[slotNumber];
      slot.width = slot.height = 64;
      slot.bytesPerPixel = 3;
      slot.pixels = static_cast<uint8_t*>(std::malloc(64 * 64 * 3));
      for (int i = 0; i < 64 * 64 * 3; ++i)
        slot.pixels[i] = slotNumber == 1201 ? Texel[i % 3] : static_cast<uint8_t>(slotNumber);
    }
    WorldGrid =
        static_cast<uint8_t*>(std::calloc(static_cast<size_t>(CellsPerLevel) * MapLevels, 1));
    UnitTable = static_cast<UnitRecord*>(std::calloc(UnitCapacity, sizeof(UnitRecord)));
    UnitRecord& unit = UnitTable[1];
    unit.x = unit.y = 100;
    unit.level = 10;
    unit.fx = unit.fy = unit.fz = 0.5f;
    ViewYaw = ViewPitch = 0;
    ASSERT_EQ(OpenMainWindow(), 1);
    ClearFrame();
    // The clear colour that reads back as exactly 229 on every driver, as the walking loop sets
    // it (0.9 of 255 is 229.5: drivers round either way).
    glClearColor(1.0f, 0.0f, 229.0f / 255.0f, 0.0f);
  }
  void TearDown() override {
    if (WindowHandle) DestroyRenderWindow();
    ResizeTextureSlots(3100);
    std::free(WorldGrid);
    std::free(UnitTable);
    WorldGrid = nullptr;
    UnitTable = nullptr;
  }
  static const uint8_t* Frame(int x, int y) { return FrameBuffer + 4 * (y * 320 + x); }
};

// With yaw and pitch 0 the viewer looks towards the deeper levels: a rock cell two levels down
// fills the middle of the view (some 36 of the 45 degrees), textured; the key colour leaves the
// frame as it was.
TEST_F(WorldViewGl, ARockCellInFrontComesBackTexturedAndTheRestLeavesTheFrame) {
  WorldGrid[100 + 100 * 256 + 12 * 65536] = 61;
  WorldViewStep();
  glFinish();
  const uint8_t* corner = ReadbackBuffer + 3 * (2 * 320 + 2);
  EXPECT_TRUE(corner[0] == 255 && corner[1] == 0 && corner[2] == 229);
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(ReadbackBuffer[3 * (120 * 320 + 160) + c % 3], Texel[c % 3]) << c;
    EXPECT_EQ(Frame(160, 120)[c], c < 3 ? Texel[c] : 255) << c;
    EXPECT_EQ(Frame(2, 2)[c], 0) << c;
  }
}

TEST_F(WorldViewGl, WithoutRockThereIsNothingToDraw) {
  WorldViewStep();
  glFinish();
  for (int y = 0; y < 240; y += 17)
    for (int x = 0; x < 320; x += 13) ASSERT_EQ(Frame(x, y)[3], 0) << x << ", " << y;
}

}  // namespace
