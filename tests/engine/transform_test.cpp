// Bearings, radii, the rotation routine, the transform and the projection.
#include <cmath>
#include <limits>

#include "tests/engine/engine_fixture.h"

namespace {

using Transform = EngineTest;

// Bearings of offsets from (0, 0), measured from +y towards +x; dx = x0 - x1, dy = y0 - y1:
//   (0, 1): first case, ax <= ay: asin(0) = 0;     (1, 0): first case, ax > ay: 90 - acos(1);
//   (0, -1): second case: 180 - asin(0) = 180;     (-1, 0): fourth case: acos(1) + 270 = 270.
// Diagonals take the arc sine (ax <= ay) of 1/sqrt(2): 45, 180 - 45, 45 + 180, 360 - 45; (2, 1)
// takes the arc cosine branch: 90 - acos(2/sqrt(5)) = 63.43. Not a number gives -1.
TEST(BearingDegrees, EachQuadrantAndBranch) {
  EXPECT_EQ(BearingDegrees(0, 0, 0, 1), 0.0f);
  EXPECT_EQ(BearingDegrees(0, 0, 1, 0), 90.0f);
  EXPECT_EQ(BearingDegrees(0, 0, 0, -1), 180.0f);
  EXPECT_EQ(BearingDegrees(0, 0, -1, 0), 270.0f);
  EXPECT_EQ(BearingDegrees(3, 3, 3, 3), 0.0f);
  EXPECT_NEAR(BearingDegrees(0, 0, 1, 1), 45.0f, 1e-4);
  EXPECT_NEAR(BearingDegrees(0, 0, 1, -1), 135.0f, 1e-4);
  EXPECT_NEAR(BearingDegrees(0, 0, -1, -1), 225.0f, 1e-4);
  EXPECT_NEAR(BearingDegrees(0, 0, -1, 1), 315.0f, 1e-4);
  EXPECT_NEAR(BearingDegrees(0, 0, 2, 1), 63.4349f, 1e-3);
  EXPECT_NEAR(BearingDegrees(0, 0, -2, -1), 243.4349f, 1e-3);
  float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(BearingDegrees(0, 0, nan, 1), -1.0f);
  EXPECT_EQ(BearingDegrees(nan, nan, nan, nan), -1.0f);
}

// sqrt(sqrt(3^2 + 4^2)^2 + 12^2) = sqrt(25 + 144) = 13, every step exact.
TEST(PlaneRadius, NestsTheTwoRoots) {
  EXPECT_EQ(PlaneRadius(3, 4, 12), 13.0f);
  EXPECT_EQ(PlaneRadius(0, 0, 0), 0.0f);
}

// 90 degrees in radians is 90 * 0.017453292516666667 = 1.5707963265, short of pi/2 by
// 2.949e-10, so cos of it is 2.949e-10: turning (0, 0, 1) by angleB = 90 leaves that residue in
// z, while sin rounds to exactly 1.
TEST(RotatePoint, QuarterTurnLeavesTheResidueOfTheShortPi) {
  RotatedPoint p = RotatePoint(0, 0, 1, 0, 90, 0);
  EXPECT_EQ(p.x, 0.0);
  EXPECT_EQ(p.y, 1.0);
  EXPECT_NEAR(p.z, 2.95e-10, 0.01e-10);
  EXPECT_EQ(p.z, static_cast<double>(static_cast<float>(std::cos(90 * DegreesToRadians))));
}

// A turn by +90 in the first plane takes (10, 0, 0) to (0, -10, 0): the bearing of (10, 0) is
// 90, plus 90 is 180, and sin(180 deg) * 10 is a residue of 5.9e-9 in x. That residue is below
// the spacing of single-precision numbers near 1000 (2^-14), so in the second plane it has
// bearing 0 and comes out along +z; the third plane then turns (y, z) = (-10, 5.9e-9) by 0 from
// bearing 270, leaving z at about -8.8e-9.
TEST(RotatePoint, FirstPlaneTurnsTowardsMinusY) {
  RotatedPoint p = RotatePoint(10, 0, 0, 0, 0, 90);
  EXPECT_EQ(p.x, 0.0);
  EXPECT_NEAR(p.y, -10.0, 1e-6);
  EXPECT_NEAR(p.z, 0.0, 1e-7);
  RotatedPoint q = RotatePoint(0, 0, 10, 0, 90, 0);
  EXPECT_NEAR(q.y, 10.0, 1e-6);
  EXPECT_NEAR(q.z, 0.0, 1e-7);
}

// 2e-5 + 1000 rounds to 1000 in single precision, so the bearing of a tiny offset along +U is
// 0 (as if it lay along +V) while its radius stays exact: turned by 0 in every plane, (2e-5,
// 0, 0) first moves to y (plane 1), then from y to z (plane 3). An offset of 1e-3 survives the
// addition and keeps its bearing of 90.
TEST(RotatePoint, CoordinatesBelowThreeHundredThousandthsLoseTheirBearing) {
  EXPECT_EQ(BearingDegrees(1000, 1000, 2e-5f + 1000.0f, 1000), 0.0f);
  EXPECT_NEAR(BearingDegrees(1000, 1000, 1e-3f + 1000.0f, 1000), 90.0f, 1e-3);
  RotatedPoint p = RotatePoint(2e-5, 0, 0, 0, 0, 0);
  EXPECT_EQ(p.x, 0.0);
  EXPECT_EQ(p.y, 0.0);
  EXPECT_FLOAT_EQ(static_cast<float>(p.z), 2e-5f);
}

TEST(RotatePoint, ZeroAnglesKeepThePointUpToRounding) {
  RotatedPoint p = RotatePoint(12.5, -40.25, 77.0, 0, 0, 0);
  EXPECT_NEAR(p.x, 12.5, 1e-4);
  EXPECT_NEAR(p.y, -40.25, 1e-4);
  EXPECT_NEAR(p.z, 77.0, 1e-4);
  RotatedPoint o = RotatePoint(0, 0, 0, 30, 60, 90);
  EXPECT_EQ(o.x, 0.0);
  EXPECT_EQ(o.y, 0.0);
  EXPECT_EQ(o.z, 0.0);
}

// Mouse at (0, 0): angles 180, -180, -180, three half turns that cancel. The box corner slot 6
// sits at (50, 50, 50): camZ = 50 - 360 - 50 = -360, and 50 * 3 / (360 / 140) = 58.33 truncates
// to 58. Slot 0 at (-50, -50, -50): camZ = -460, -150 / (460 / 140) = -45.65 truncates to -45.
TEST_F(Transform, HalfTurnsCancelAndTheCornersProject) {
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  TransformObject(1, 180, -180, -180);
  const SceneVertex& near = VertexPool[14 + 6];
  EXPECT_NEAR(near.camX, 50, 1e-3);
  EXPECT_NEAR(near.camY, 50, 1e-3);
  EXPECT_NEAR(near.camZ, -360, 1e-3);
  EXPECT_EQ(near.screenX, 58);
  EXPECT_EQ(near.screenY, 58);
  const SceneVertex& far = VertexPool[14 + 0];
  EXPECT_NEAR(far.camZ, -460, 1e-3);
  EXPECT_EQ(far.screenX, -45);
  EXPECT_EQ(far.screenY, -45);
  // Normal slots are turned without the depth offsets: face 0's (0, 1, 0) stays (0, 1, 0).
  EXPECT_NEAR(VertexPool[14 + 8].camY, 1, 1e-6);
  EXPECT_NEAR(VertexPool[14 + 8].camZ, 0, 1e-6);
}

// camZ = (turned z in single precision + ViewDistance) + NearPlaneZ in single precision, in that
// order. With z = 1, ViewDistance = 1 and NearPlaneZ = 2^24: (1 + 1) + 16777216 = 16777218,
// whereas 1 + (1 + 16777216) would lose both ones to rounding and give 16777216.
TEST_F(Transform, DepthOffsetsAreSummedInOrder) {
  CreateTriangleObject(1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 597);
  ViewDistance = 1.0f;
  NearPlaneZ = 16777216.0;
  TransformObject(1, 0, 0, 0);
  EXPECT_EQ(VertexPool[14].camZ, 16777218.0f);
}

// 100 * 3 / (420 / 140) = 100. Behind the viewer the quotient is -100, and the sign correction
// puts it back on the side where the point lies. 1000 * 3 / (100 / 140) = 4200, clamped to 480;
// likewise 440 for y.
TEST(ProjectPoint, FocalLengthSignCorrectionAndClamp) {
  EXPECT_EQ(ProjectPoint(100, 0, -420).x, 100);
  EXPECT_EQ(ProjectPoint(100, 0, 420).x, 100);
  EXPECT_EQ(ProjectPoint(-100, 0, 420).x, -100);
  EXPECT_EQ(ProjectPoint(100, 0, -100).x, 420);
  EXPECT_EQ(ProjectPoint(1000, 0, -100).x, 480);
  EXPECT_EQ(ProjectPoint(-1000, 0, -100).x, -480);
  EXPECT_EQ(ProjectPoint(0, 1000, -100).y, 440);
  EXPECT_EQ(ProjectPoint(0, -1000, -100).y, -440);
  EXPECT_EQ(ProjectPoint(0, 0, -100).x, 0);
}

// A quotient outside the 32-bit range converts to 0x80000000 as on x86; negating that in two's
// complement leaves it, so the clamp puts the point on the low edge. 100 * 3 / (-0 / 140) is
// -infinity (then negated for a positive camX, which changes nothing), 0 / -0 is not a number,
// and 1000 * 3 / (1e-7 / 140) = 4.2e12 overflows. Every result lies inside the clamp range.
TEST(ProjectPoint, QuotientsOutsideTheIntegerRangeLandOnTheLowEdge) {
  ScreenPoint a = ProjectPoint(100, 50, 0);
  EXPECT_EQ(a.x, -480);
  EXPECT_EQ(a.y, -440);
  ScreenPoint b = ProjectPoint(0, -100, 0);
  EXPECT_EQ(b.x, -480);
  EXPECT_EQ(b.y, -440);
  ScreenPoint c = ProjectPoint(1000, 0, -1e-7f);
  EXPECT_EQ(c.x, -480);
  EXPECT_EQ(c.y, 0);
  float nan = std::numeric_limits<float>::quiet_NaN();
  ScreenPoint d = ProjectPoint(nan, nan, nan);
  EXPECT_EQ(d.x, -480);
  EXPECT_EQ(d.y, -440);
}

// The left mouse button (virtual key 1) freezes the objects, the right one (2) the lights.
TEST_F(Transform, MouseButtonsFreezeObjectsAndLights) {
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  LightCount = 1;
  LightTable[1].x = LightTable[1].y = LightTable[1].z = 50.0f;
  TransformObject(1, 180, -180, -180);
  int32_t cornerX = VertexPool[14 + 6].screenX;
  float lightX = LightTable[1].camX;

  HeadlessKeys[1] = true;
  TransformObject(1, 180, 0, 90);
  EXPECT_EQ(VertexPool[14 + 6].screenX, cornerX);
  EXPECT_NE(LightTable[1].camX, lightX);

  HeadlessKeys[1] = false;
  HeadlessKeys[2] = true;
  TransformObject(1, 180, -180, -180);
  EXPECT_EQ(VertexPool[14 + 6].screenX, cornerX);
  EXPECT_NE(LightTable[1].camX, lightX);  // still the frozen value of the turned view
  HeadlessKeys[2] = false;
  TransformObject(1, 180, -180, -180);
  EXPECT_EQ(LightTable[1].camX, lightX);
  EXPECT_EQ(LightTable[1].screenX, 58);
}

}  // namespace
