// The box and triangle renderers.
#include <cmath>

#include "tests/engine/engine_fixture.h"

namespace {

class Renderers : public EngineTest {
 protected:
  bool AnyWhite() const {
    for (int y = 0; y < 240; ++y)
      for (int x = 0; x < 320; ++x)
        if (PixelAt(x, y) == std::array<uint8_t, 4>{255, 255, 255, 255}) return true;
    return false;
  }
};

// The start-up box seen with the mouse at (0, 0): the half turns cancel, so its near face
// (z = +50, camZ -360) projects to the square 102 .. 218 by 62 .. 178. Its top edge runs along
// row 178 and is outlined in white; the first outline pass's marks are all lifted by the second.
// The slot holds no picture, so the surface is the grey 128: red and blue are 128 div 18 = 7.
// At the middle of the face (camera-space (0, 0, -360)) the light at (50, 50, -360) is 100 away
// in Manhattan distance: k = 100 / 60, q = 153, green = 153 * 17 / 18 + 7 = 151.5, give or take
// the half unit by which the sampled position differs from the exact middle.
TEST_F(Renderers, StartUpBoxIsOutlinedLitAndLeavesNoMask) {
  LightCount = 1;
  SceneLight& light = LightTable[1];
  light.x = light.y = light.z = 50.0f;
  light.range = 60.0f;
  light.green = 255.0f;
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  TransformObject(1, 180, -180, -180);
  RenderBoxObject(1);
  EXPECT_EQ(PixelAt(160, 178), (std::array<uint8_t, 4>{255, 255, 255, 255}));
  EXPECT_EQ(PixelAt(102, 120), (std::array<uint8_t, 4>{255, 255, 255, 255}));
  auto middle = PixelAt(160, 120);
  EXPECT_EQ(middle[0], 7);
  EXPECT_EQ(middle[2], 7);
  EXPECT_NEAR(middle[1], 151, 2);
  EXPECT_FALSE(Drawn(100, 120));
  EXPECT_FALSE(Drawn(220, 120));
  for (uint32_t word : mask) ASSERT_EQ(word, 0u);
}

TEST_F(Renderers, WithoutOutlinesNoLineIsDrawnAndTheMaskIsUntouched) {
  WireframeEnabled = 0;
  mask[120 * 320 + 160] = 7;
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  TransformObject(1, 180, -180, -180);
  LightingEnabled = 0;
  RenderBoxObject(1);
  EXPECT_FALSE(AnyWhite());
  EXPECT_FALSE(Drawn(160, 120));  // the stale mark still keeps the fill off
  EXPECT_EQ(mask[120 * 320 + 160], 7u);
  EXPECT_TRUE(Drawn(161, 120));
}

// A face whose visible byte is not 1 draws neither outline nor fill; the others still draw.
TEST_F(Renderers, HiddenFacesAreSkipped) {
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  TransformObject(1, 180, -180, -180);
  for (int f = 0; f < 6; ++f) ObjectPool[1].faces[f].visible = 0;
  RenderBoxObject(1);
  EXPECT_EQ(DrawnCount(), 0);
  ObjectPool[1].faces[2].visible = 1;  // the far face, z = -50: x 115 .. 205 on screen
  RenderBoxObject(1);
  EXPECT_TRUE(Drawn(160, 120));
  EXPECT_FALSE(Drawn(104, 120));  // only the near face (from x = 102) would reach here
}

// A face is skipped only when all its corners are nearer than the plane (camZ > -50). With the
// view distance at +310 the near face's corners get camZ 50 + 310 - 50 = 310 and the far face's
// -50 + 310 - 50 = 210: every face is skipped. At -330 the near corners are at -30 (too near)
// and the far ones at -430: the near face is skipped, the side faces still have corners beyond
// the plane and are drawn, with their too-near pixels rejected one by one.
TEST_F(Renderers, NearTestSkipsOnlyFacesWhollyInFront) {
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  ViewDistance = 310.0f;
  TransformObject(1, 180, -180, -180);
  RenderBoxObject(1);
  EXPECT_EQ(DrawnCount(), 0);
  ViewDistance = -330.0f;
  TransformObject(1, 180, -180, -180);
  RenderBoxObject(1);
  EXPECT_GT(DrawnCount(), 0);
}

void SetScreenVertex(uint32_t slot, int32_t sx, int32_t sy, float camZ) {
  SceneVertex& v = VertexPool[slot];
  v.screenX = sx;
  v.screenY = sy;
  v.camX = static_cast<float>(sx);
  v.camY = static_cast<float>(sy);
  v.camZ = camZ;
}

// The base length is measured between corners 0 and 1 on screen: offsets (3, 4) give 5. The
// triangle is drawn whatever its visible byte holds.
TEST_F(Renderers, TriangleMeasuresItsBaseAndIgnoresVisible) {
  CreateTriangleObject(2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 597);
  ObjectPool[2].faces[0].visible = 0;
  SetScreenVertex(28, -20, -20, -100);
  SetScreenVertex(29, -17, -16, -100);
  SetScreenVertex(30, -20, 30, -100);
  RenderTriangleObject(2);
  EXPECT_EQ(ObjectPool[2].faces[0].edgeLength, 5.0f);
  EXPECT_TRUE(Drawn(141, 110));

  // Corners 0 and 1 on one pixel: edgeLength 0.
  SetScreenVertex(29, -20, -20, -100);
  RenderTriangleObject(2);
  EXPECT_EQ(ObjectPool[2].faces[0].edgeLength, 0.0f);

  // All three corners too near: nothing at all.
  std::memset(FrameBuffer, 0, 320 * 240 * 4);
  for (uint32_t k = 28; k < 31; ++k) VertexPool[k].camZ = -49.0f;
  RenderTriangleObject(2);
  EXPECT_EQ(DrawnCount(), 0);
}

}  // namespace
