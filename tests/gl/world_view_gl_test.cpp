// The first-person world view in a real window (Xvfb with Mesa); skips without a display.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

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

// With yaw and pitch 0 the viewer looks towards the deeper levels: a rock cell two levels down
// fills the middle of the view (some 36 of the 45 degrees), textured; the key colour leaves the
// frame as it was.
TEST(WorldViewGl, ARockCellInFrontComesBackTexturedAndTheRestLeavesTheFrame) {
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
  std::vector<uint8_t> grid(static_cast<size_t>(CellsPerLevel) * MapLevels);
  std::vector<UnitRecord> units(UnitCapacity);
  WorldGrid = grid.data();
  UnitTable = units.data();
  units[1].x = units[1].y = 100;
  units[1].level = 10;
  units[1].fx = units[1].fy = units[1].fz = 0.5f;
  ViewYaw = ViewPitch = 0;
  grid[100 + 100 * 256 + 12 * 65536] = 61;
  ASSERT_EQ(OpenMainWindow(), 1);
  ClearFrame();
  // The clear colour that reads back as exactly 229 on every driver, as the walking loop sets it
  // (0.9 of 255 is 229.5: drivers round either way).
  glClearColor(1.0f, 0.0f, 229.0f / 255.0f, 0.0f);
  WorldViewStep();
  glFinish();
  const uint8_t* corner = ReadbackBuffer + 3 * (2 * 320 + 2);
  EXPECT_TRUE(corner[0] == 255 && corner[1] == 0 && corner[2] == 229);
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(ReadbackBuffer[3 * (120 * 320 + 160) + c % 3], Texel[c % 3]) << c;
    EXPECT_EQ(FrameBuffer[4 * (120 * 320 + 160) + c], c < 3 ? Texel[c] : 255) << c;
    EXPECT_EQ(FrameBuffer[4 * (2 * 320 + 2) + c], 0) << c;
  }
  DestroyRenderWindow();
  ResizeTextureSlots(3100);
  WorldGrid = nullptr;
  UnitTable = nullptr;
}

}  // namespace
