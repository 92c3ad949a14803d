// The light label.
#include <string>

#include "overlay/overlay.h"
#include "tests/engine/engine_fixture.h"

namespace {

using Lights = EngineTest;

// With the start-up light at (50, 50, 50) and the cancelling half turns of the mouse at (0, 0),
// camX and camY are 50 and camZ is 50 - 360 - 50 = -360; the label takes the offsets off again
// and shows 50 three times, each right-aligned in three characters. The anchor is the light's
// projection (58, 58) plus the screen centre: (218, 178), the top-left corner of the text, so
// every glyph pixel lies in x 218 .. 218 + 8 * 17 - 1 and rows 178 - 12 .. 178 - 1.
TEST_F(Lights, LabelShowsTheTurnedPositionWithoutTheDepthOffsets) {
  LightCount = 1;
  SceneLight& light = LightTable[1];
  light.x = light.y = light.z = 50.0f;
  light.range = 60.0f;
  light.red = 0.0f;
  light.green = 255.0f;
  light.blue = 0.0f;
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  TransformObject(1, 180, -180, -180);
  EXPECT_EQ(light.screenX, 58);
  EXPECT_EQ(light.screenY, 58);

  DrawLightLabel(1);
  EXPECT_STREQ(TextBuffer, "light  50  50  50");
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x)
      if (Drawn(x, y)) {
        EXPECT_GE(x, 218);
        EXPECT_LT(x, 218 + 8 * 17);
        EXPECT_GE(y, 178 - 12);
        EXPECT_LE(y, 178 - 1);
        EXPECT_EQ(PixelAt(x, y)[0], 0);
        EXPECT_EQ(PixelAt(x, y)[1], 255);
      }
}

// The view distance comes off in single precision, the near plane in double. With camZ = 2^24
// and ViewDistance = -1, the float sum 16777216 + 1 rounds back to 16777216 (the spacing there
// is 2); then 16777216 + 0.5 in double prints as 16777216 with %3.0f (a half rounds to even).
// Both in double would give 16777217.5, printed 16777218.
TEST_F(Lights, DepthOffsetsComeOffInSingleThenDoublePrecision) {
  LightCount = 1;
  ViewDistance = -1.0f;
  NearPlaneZ = -0.5;
  PlaceLight(1, 1.4f, -2.6f, 16777216.0f, 60, 10.9f, 20.2f, 255.0f);
  DrawLightLabel(1);
  EXPECT_STREQ(TextBuffer, "light   1  -3 16777216");
}

// A light far off screen is labelled at the clamped projection, and the text is clipped.
TEST_F(Lights, FarLightIsLabelledAtTheClampedPosition) {
  LightCount = 1;
  PlaceLight(1, 5000, 0, -100, 60, 255, 255, 255);
  LightTable[1].screenX = 480;
  LightTable[1].screenY = -440;
  DrawLightLabel(1);
  EXPECT_EQ(DrawnCount(), 0);
}

}  // namespace
