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

// A quotient outside the 32-bit range (a zero depth, 4.2e12, not a number) converts to
// 0x80000000 as on x86, which the sign correction leaves, so the point lands on the low edge.
TEST(ProjectPoint, QuotientsOutsideTheIntegerRangeLandOnTheLowEdge) {
  EXPECT_EQ(ProjectPoint(100, 50, 0).x, -480);
  EXPECT_EQ(ProjectPoint(100, 50, 0).y, -440);
  EXPECT_EQ(ProjectPoint(1000, 0, -1e-7f).x, -480);
  EXPECT_EQ(ProjectPoint(0, std::nanf(""), -100).y, -440);
}

// The left mouse button (virtual key 1) freezes the objects, the right one (2) the lights: a box
// corner and a light at the same point turn alike until one of them is frozen.
TEST_F(Transform, MouseButtonsFreezeObjectsAndLights) {
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  LightCount = 1;
  LightTable[1].x = LightTable[1].y = LightTable[1].z = 50.0f;  // corner slot 6
  TransformObject(1, 180, -180, -180);
  const float turned = VertexPool[14 + 6].camX;
  EXPECT_EQ(LightTable[1].camX, turned);
  HeadlessKeys[1] = true;
  TransformObject(1, 180, 0, 90);
  EXPECT_EQ(VertexPool[14 + 6].camX, turned);
  EXPECT_NE(LightTable[1].camX, turned);
  HeadlessKeys[1] = false;
  HeadlessKeys[2] = true;
  TransformObject(1, 180, -180, -180);
  EXPECT_EQ(VertexPool[14 + 6].camX, turned);
  EXPECT_NE(LightTable[1].camX, turned);
}

}  // namespace
