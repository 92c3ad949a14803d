// The light label. Its text and place in the running program are guarded by the frame catalog.
#include "overlay/overlay.h"
#include "tests/engine/engine_fixture.h"

namespace {

using Lights = EngineTest;

// The view distance comes off in single precision, the near plane in double. With camZ = 2^24
// and ViewDistance = -1, the float sum 16777216 + 1 rounds back to 16777216; then + 0.5 in
// double prints as 16777216 with %3.0f (a half rounds to even). Both in double would print
// 16777218. The label's top-left corner is the centre plus the projection, in the light's colour.
TEST_F(Lights, LabelTakesTheDepthOffsetsOffInSingleThenDoublePrecision) {
  LightCount = 1;
  ViewDistance = -1.0f;
  NearPlaneZ = -0.5;
  PlaceLight(1, 1.4f, -2.6f, 16777216.0f, 60, 10.9f, 20.2f, 255.0f);
  LightTable[1].screenX = -150;
  LightTable[1].screenY = 100;
  DrawLightLabel(1);
  EXPECT_STREQ(TextBuffer, "light   1  -3 16777216");
  EXPECT_EQ(PixelAt(13, 218), (std::array<uint8_t, 4>{10, 20, 255, 255}));  // the top of the l
}

}  // namespace
