// The transform where the frame catalog does not reach: rounding of tiny coordinates and of
// the depth offsets, quotients outside the integer range, the frozen objects and lights.
#include <cmath>
#include <limits>

#include "tests/engine/engine_fixture.h"

namespace {

using Transform = EngineTest;

// 2e-5 + 1000 rounds to 1000 in single precision, so a tiny offset along +x has bearing 0 (as if
// along +y) while its radius stays exact: turned by 0 in every plane, (2e-5, 0, 0) moves to y
// (plane 1), then from y to z (plane 3). An offset of 1e-3 survives the addition.
TEST(RotatePoint, CoordinatesBelowThreeHundredThousandthsLoseTheirBearing) {
  EXPECT_EQ(BearingDegrees(0, 0, std::nanf(""), 1), -1.0f);  // not a number: -1
  EXPECT_NEAR(BearingDegrees(1000, 1000, 1e-3f + 1000.0f, 1000), 90.0f, 1e-3);
  RotatedPoint p = RotatePoint(2e-5, 0, 0, 0, 0, 0);
  EXPECT_EQ(p.x, 0.0);
  EXPECT_EQ(p.y, 0.0);
  EXPECT_FLOAT_EQ(static_cast<float>(p.z), 2e-5f);
}

// camZ = (turned z + ViewDistance) + NearPlaneZ in single precision, in that order: with z = 1,
// ViewDistance = 1 and NearPlaneZ = 2^24, (1 + 1) + 16777216 = 16777218, whereas
// 1 + (1 + 16777216) loses both ones to rounding.
TEST_F(Transform, DepthOffsetsAreSummedInOrder) {
  CreateTriangleObject(1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 597);
  ViewDistance = 1.0f;
  NearPlaneZ = 16777216.0;
  TransformObject(1, 0, 0, 0);
  EXPECT_EQ(VertexPool[14].camZ, 16777218.0f);
}

// 100 * 3 / (420 / 140) = 100; behind the viewer the sign is put back on the point's side;
// larger quotients clamp to 480 and 440. A quotient outside the 32-bit range (a zero depth, not
// a number, 4.2e12) converts to 0x80000000 as on x86 and lands on the low edge.
TEST(ProjectPoint, FocalLengthSignCorrectionAndClamp) {
  const float cases[][5] = {{100, 0, -420, 100, 0},         {-100, 0, 420, -100, 0},
                            {100, 0, -100, 420, 0},         {1000, -1000, -100, 480, -440},
                            {-1000, 1000, -100, -480, 440}, {100, 50, 0, -480, -440},
                            {1000, 0, -1e-7f, -480, 0}};
  for (const auto& c : cases) {
    ScreenPoint p = ProjectPoint(c[0], c[1], c[2]);
    EXPECT_EQ(p.x, c[3]) << c[0] << " " << c[1] << " " << c[2];
    EXPECT_EQ(p.y, c[4]) << c[0] << " " << c[1] << " " << c[2];
  }
  float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(ProjectPoint(nan, nan, nan).y, -440);
}

// The left mouse button (virtual key 1) freezes the objects, the right one (2) the lights. With
// the half turns of the mouse at (0, 0) the start-up box's corner (50, 50, 50) projects to 58.
TEST_F(Transform, MouseButtonsFreezeObjectsAndLights) {
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  LightCount = 1;
  LightTable[1].x = LightTable[1].y = LightTable[1].z = 50.0f;
  TransformObject(1, 180, -180, -180);
  EXPECT_EQ(VertexPool[14 + 6].screenX, 58);
  EXPECT_EQ(LightTable[1].screenX, 58);
  float lightX = LightTable[1].camX;

  HeadlessKeys[1] = true;
  TransformObject(1, 180, 0, 90);
  EXPECT_EQ(VertexPool[14 + 6].screenX, 58);
  EXPECT_NE(LightTable[1].camX, lightX);

  HeadlessKeys[1] = false;
  HeadlessKeys[2] = true;
  TransformObject(1, 180, -180, -180);
  EXPECT_EQ(VertexPool[14 + 6].screenX, 58);
  EXPECT_NE(LightTable[1].camX, lightX);  // still the frozen value of the turned view
}

}  // namespace
