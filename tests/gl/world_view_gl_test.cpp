// The first-person world view in a real window (Xvfb with Mesa): a rock cell in front of the
// viewer comes back from OpenGL textured, and everything else as the transparent key colour
// that the read-back leaves out of the frame. Skips without a display.
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

// The texture of slot 1201 (GL texture name 1): a plain colour, so a textured pixel is known.
constexpr uint8_t Texel[3] = {10, 200, 30};

class WorldViewGl : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ReadyForTheProgramWindow()) GTEST_SKIP() << "no display to open a window on";
    ResizeTextureSlots(3100);
    TextureSlot& slot = TextureSlotTable[1201];
    slot.width = slot.height = 64;
    slot.bytesPerPixel = 3;
    slot.pixels = static_cast<uint8_t*>(std::malloc(64 * 64 * 3));
    for (int i = 0; i < 64 * 64; ++i)
      for (int c = 0; c < 3; ++c) slot.pixels[3 * i + c] = Texel[c];
    WorldGrid =
        static_cast<uint8_t*>(std::calloc(static_cast<size_t>(CellsPerLevel) * MapLevels, 1));
    UnitTable = static_cast<UnitRecord*>(std::calloc(UnitCapacity, sizeof(UnitRecord)));
    UnitRecord& unit = UnitTable[1];
    unit.x = 100;
    unit.y = 100;
    unit.level = 10;
    unit.fx = unit.fy = unit.fz = 0.5f;
    ViewYaw = ViewPitch = 0;
    ASSERT_EQ(OpenMainWindow(), 1);
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
  static const uint8_t* Readback(int x, int y) { return ReadbackBuffer + 3 * (y * 320 + x); }
};

// With yaw and pitch 0 the view turns by 180 degrees about z and about x: eye space is
// (-dx, dy, -dz) of the cell offset (x - ux, uy - y, z - level), so the viewer looks along +dz,
// towards the deeper levels. A rock cell two levels down, under the viewer, fills the middle of
// the view; the cube's half-size is 0.5, about 1.5 units away: it spans some 36 degrees of the
// 45-degree field, so the centre pixel and its surroundings are cube, the corners are not.
TEST_F(WorldViewGl, ARockCellInFrontComesBackTexturedAndTheRestAsTheKey) {
  WorldGrid[100 + 100 * 256 + 12 * 65536] = 61;
  ClearFrame();
  WorldViewStep();
  glFinish();

  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(Readback(160, 120)[c], Texel[c]) << "channel " << c;
    EXPECT_EQ(Frame(160, 120)[c], Texel[c]) << "channel " << c;
  }
  EXPECT_EQ(Frame(160, 120)[3], 255);
  // The clear colour (1, 0, 0.9) reads back as red 255, green 0 and a blue of 229 or 230 (0.9
  // of 255 is 229.5: drivers round either way).
  const uint8_t* corner = Readback(2, 2);
  EXPECT_EQ(corner[0], 255);
  EXPECT_EQ(corner[1], 0);
  EXPECT_TRUE(corner[2] == 229 || corner[2] == 230) << int(corner[2]);
}

TEST_F(WorldViewGl, TheKeyColourLeavesTheFrameAsItWas) {
  WorldGrid[100 + 100 * 256 + 12 * 65536] = 61;
  ClearFrame();
  // The clear colour that reads back as exactly 229 on every driver, as the walking loop sets it.
  glClearColor(1.0f, 0.0f, 229.0f / 255.0f, 0.0f);
  WorldViewStep();
  glFinish();
  const uint8_t* corner = Readback(2, 2);
  ASSERT_EQ(corner[2], 229);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(Frame(2, 2)[c], 0) << "channel " << c;
  EXPECT_EQ(Frame(160, 120)[1], Texel[1]);
}

TEST_F(WorldViewGl, WithoutRockThereIsNothingToDraw) {
  ClearFrame();
  glClearColor(1.0f, 0.0f, 229.0f / 255.0f, 0.0f);
  WorldViewStep();
  glFinish();
  for (int y = 0; y < 240; y += 17)
    for (int x = 0; x < 320; x += 13) ASSERT_EQ(Frame(x, y)[3], 0) << x << ", " << y;
}

}  // namespace
