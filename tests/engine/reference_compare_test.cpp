// Two groups of tests around the second implementation of the engine in reference_renderer.cpp.
//
// ReferenceRenderer: that implementation against the worked examples of the behaviour, each
// value reasoned out in a comment, so the yardstick itself is checked.
//
// ReferenceCompare: the real engine and the reference draw the same frames (and compute the same
// intermediate values) side by side; every difference is reported with the first differing
// pixel or value and the case that produced it. While the engine's sources are still empty the
// comparisons are skipped: the real CreateBoxObject then leaves the pool untouched.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "data/data.h"
#include "engine/engine.h"
#include "frame/frame.h"
#include "overlay/overlay.h"
#include "platform/headless/headless.h"
#include "shell/runtime.h"
#include "shell/shell.h"
#include "tests/engine/reference_renderer.h"

namespace {

namespace R = Reference;

constexpr uint32_t BrickSlot = 597;

// A square test picture whose texels differ from row to row and column to column, so a wrong
// row or column shows up as a wrong colour.
std::vector<uint8_t> MakeTexture(uint32_t size) {
  std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * 3);
  for (uint32_t r = 0; r < size; ++r) {
    for (uint32_t c = 0; c < size; ++c) {
      uint8_t* texel = &pixels[3 * (static_cast<size_t>(r) * size + c)];
      texel[0] = static_cast<uint8_t>(r * 7 + c * 13 + 20);
      texel[1] = static_cast<uint8_t>((r * 29) ^ (c * 3));
      texel[2] = static_cast<uint8_t>(r + c * c + 1);
    }
  }
  return pixels;
}

// The reference's state before each of its own tests: empty scene, cleared buffers, the
// start-up constants, all switches on, a 64 x 64 picture in slot 597.
class ReferenceRenderer : public ::testing::Test {
 protected:
  void SetUp() override {
    R::ResetScene();
    R::ClearFrame();
    R::ClearDepth();
    R::ClearMask();
    R::ViewDistance = -360.0f;
    R::NearPlaneZ = -50.0;
    R::ScreenCentreX = 160;
    R::ScreenCentreY = 120;
    R::LightingEnabled = R::TexturingEnabled = R::CoarseFillEnabled = R::WireframeEnabled = 1;
    texture_ = MakeTexture(64);
    R::TextureSlotTable[BrickSlot] = TextureSlot{texture_.data(), 64, 64, 3};
  }
  void TearDown() override { R::TextureSlotTable[BrickSlot] = TextureSlot{}; }

  const uint8_t* Pixel(int x, int y) const { return R::FrameBuffer + 4 * (y * R::FrameWidth + x); }
  const uint8_t* Texel(int row, int col) const { return &texture_[3 * (row * 64 + col)]; }

  std::vector<uint8_t> texture_;
};

// ---- The reference against the worked examples ----------------------------------------------

TEST_F(ReferenceRenderer, HalfTurnsOfTheMouseOriginCancelAndProjectTheBoxCorners) {
  // Mouse (0, 0) at scale 3 gives the angles 180, -180, -180; the half turns cancel, so corner
  // (50, 50, 50) (slot 6 after the box's own turn) gets camZ 50 - 360 - 50 = -360 and
  // screenX = trunc(50 * 3 / (360 / 140)) = trunc(58.33) = 58; corner (-50, -50, -50) (slot 0)
  // gets camZ -460 and trunc(-150 / (460 / 140)) = trunc(-45.65) = -45.
  R::CreateBoxObject(1, 0, 0, 0, BrickSlot, 50.0f);
  R::ViewAngles angles = R::ViewAnglesFor(0, 0, 3.0f);
  EXPECT_EQ(angles.a, 180.0f);
  EXPECT_EQ(angles.b, -180.0f);
  EXPECT_EQ(angles.c, -180.0f);
  R::TransformObject(1, angles.a, angles.b, angles.c, false, false);
  const SceneVertex& near = R::VertexPool[14 + 6];
  const SceneVertex& far = R::VertexPool[14 + 0];
  EXPECT_NEAR(near.camX, 50.0f, 1e-3);
  EXPECT_NEAR(near.camY, 50.0f, 1e-3);
  EXPECT_NEAR(near.camZ, -360.0f, 1e-3);
  EXPECT_EQ(near.screenX, 58);
  EXPECT_EQ(near.screenY, 58);
  EXPECT_NEAR(far.camZ, -460.0f, 1e-3);
  EXPECT_EQ(far.screenX, -45);
  EXPECT_EQ(far.screenY, -45);
}

TEST_F(ReferenceRenderer, TurnsMoveFromThePlusVAxisTowardsPlusUWithTheShortPiResidue) {
  // First plane by +90: (10, 0, 0) has bearing 90, so sin(180) ~ 0 and cos(180) = -1 give
  // (0, -10, 0). Third plane by +90: (0, 0, 10) has bearing 0 and becomes (10 sin 90, 10 cos 90).
  RotatedPoint p = R::RotatePoint(10, 0, 0, 0, 0, 90);
  EXPECT_NEAR(p.x, 0.0, 1e-6);
  EXPECT_NEAR(p.y, -10.0, 1e-6);
  p = R::RotatePoint(0, 0, 10, 0, 90, 0);
  EXPECT_NEAR(p.y, 10.0, 1e-6);
  // 90 * 0.017453292516666667 = 1.5707963265, short of pi/2 = 1.5707963267949 by 2.949e-10, so
  // cos leaves 2.949e-10 (rounded to float) times the radius 1 in z.
  p = R::RotatePoint(0, 0, 1, 0, 90, 0);
  EXPECT_EQ(p.x, 0.0);
  EXPECT_EQ(p.y, 1.0);
  EXPECT_NEAR(p.z, 2.949e-10, 0.002e-10);
}

TEST_F(ReferenceRenderer, TinyCoordinatesLoseTheirBearingButKeepTheirRadius) {
  // 1000 + 1e-5 rounds to 1000 in single precision (spacing 2^-14 there), so the bearing is 0.
  EXPECT_EQ(R::BearingDegrees(1000.0f, 1000.0f, 1000.0f + 1e-5f, 1000.0f), 0.0f);
  // A turn by 0 then sends the offset along +V in every plane: (1e-5, 0, 0) goes to (0, r, 0)
  // in the first plane, stays 0 in the second, and (Y, Z) = (r, 0) goes to (0, r) in the third.
  RotatedPoint p = R::RotatePoint(1e-5, 0, 0, 0, 0, 0);
  EXPECT_EQ(p.x, 0.0);
  EXPECT_EQ(p.y, 0.0);
  EXPECT_NEAR(p.z, 1e-5, 1e-11);
  // Bearings of the four quadrants, measured from +V towards +U.
  EXPECT_NEAR(R::BearingDegrees(1000, 1000, 1010, 1010), 45.0f, 1e-3);
  EXPECT_NEAR(R::BearingDegrees(1000, 1000, 1010, 990), 135.0f, 1e-3);
  EXPECT_NEAR(R::BearingDegrees(1000, 1000, 990, 990), 225.0f, 1e-3);
  EXPECT_NEAR(R::BearingDegrees(1000, 1000, 990, 1010), 315.0f, 1e-3);
  EXPECT_EQ(R::BearingDegrees(1000, 1000, NAN, 1000), -1.0f);
}

TEST_F(ReferenceRenderer, ProjectionKeepsTheSideOfPointsBehindTheViewerAndClamps) {
  // 100 * 3 / (420 / 140) = 100; behind the viewer the quotient is -100 and is turned back to
  // the side of camX; 1000 * 3 / (100 / 140) = 4200 is clamped to 480.
  EXPECT_EQ(R::ProjectPoint(100, 0, -420).x, 100);
  EXPECT_EQ(R::ProjectPoint(100, 0, 420).x, 100);
  EXPECT_EQ(R::ProjectPoint(1000, 0, -100).x, 480);
  EXPECT_EQ(R::ProjectPoint(0, -1000, -100).y, -440);
  // Depth 0: the quotient is infinite or not a number and converts to 0x80000000, which the
  // sign correction cannot negate; both end on the low edge of the clamp range.
  EXPECT_EQ(R::ProjectPoint(5, -5, 0).x, -480);
  EXPECT_EQ(R::ProjectPoint(5, -5, 0).y, -440);
  EXPECT_EQ(R::ProjectPoint(0, 0, 0).x, -480);
  // 250 * 3 / (2.3e-5 / 140) = 4.6e9 lies beyond 32 bits as well.
  EXPECT_EQ(R::ProjectPoint(250, 0, -2.3e-5f).x, -480);
}

TEST_F(ReferenceRenderer, BoxAndTriangleRecordsFollowTheFaceTables) {
  R::CreateBoxObject(2, 100, 0, 0, BrickSlot, 50.0f);
  const uint32_t b = 28;
  // After the turn (x, y, z) -> (x, z, -y) and the move by (100, 0, 0).
  const float corners[8][3] = {{50, -50, -50}, {150, -50, -50}, {150, -50, 50}, {50, -50, 50},
                               {50, 50, -50},  {150, 50, -50},  {150, 50, 50},  {50, 50, 50}};
  const uint32_t tags[8] = {5, 4, 4, 5, 5, 4, 4, 5};
  for (int k = 0; k < 8; ++k) {
    EXPECT_NEAR(R::VertexPool[b + k].x, corners[k][0], 1e-4) << k;
    EXPECT_NEAR(R::VertexPool[b + k].y, corners[k][1], 1e-4) << k;
    EXPECT_NEAR(R::VertexPool[b + k].z, corners[k][2], 1e-4) << k;
    EXPECT_EQ(R::VertexPool[b + k].faceTag, tags[k]) << k;
  }
  const float normals[6][3] = {{0, 1, 0}, {0, -1, 0}, {0, 0, -1}, {0, 0, 1}, {1, 0, 0}, {-1, 0, 0}};
  for (int f = 0; f < 6; ++f) {
    const SceneVertex& n = R::VertexPool[b + 8 + f];
    EXPECT_NEAR(n.x, normals[f][0], 1e-6) << f;
    EXPECT_NEAR(n.y, normals[f][1], 1e-6) << f;
    EXPECT_NEAR(n.z, normals[f][2], 1e-6) << f;
    EXPECT_EQ(n.faceTag, static_cast<uint32_t>(f));
    const SceneFace& face = R::ObjectPool[2].faces[f];
    EXPECT_EQ(face.normal, b + 8 + f);
    EXPECT_EQ(face.texture, BrickSlot);
    EXPECT_EQ(face.visible, 1);
    EXPECT_EQ(face.reservedFlag, 0);
  }
  EXPECT_EQ(R::ObjectPool[2].faces[0].kind, ObjectKindBox);
  EXPECT_EQ(R::ObjectPool[2].faces[4].corners[0], b + 5);

  // Anticlockwise seen from +z: (P3 - P1) x (P2 - P1) = (0, 1, 0) x (1, 0, 0) = (0, 0, -1).
  R::CreateTriangleObject(3, 0, 0, 0, 1, 0, 0, 0, 1, 0, BrickSlot);
  EXPECT_EQ(R::VertexPool[42 + 8].z, -1.0f);
  EXPECT_EQ(R::VertexPool[42 + 9].z, 1.0f);
  EXPECT_EQ(R::ObjectPool[3].faces[0].kind, ObjectKindTriangle);
  EXPECT_EQ(R::ObjectPool[3].faces[0].corners[3], 42u + 3u);
  EXPECT_EQ(R::ObjectPool[3].faces[1].normal, 42u + 9u);
}

TEST_F(ReferenceRenderer, ShadePointMatchesTheWorkedExampleAndBlendsPerLight) {
  // Light (0, 255, 0), range 60, Manhattan distance 120: k = 2, q = (0, 127.5, 0). Then
  // red 0 + 200 div 18 = 11, green 127.5 * 17 / 18 + 100 div 18 = 125.42, blue 50 div 18 = 2.
  R::LightCount = 1;
  R::LightTable[1] = SceneLight{1, 0, 0, 0, 60.0f, 120.0f, 0, 0, 0, 0, 0.0f, 255.0f, 0.0f};
  ShadeColour c = R::ShadePoint(0, 0, 0, 200, 100, 50);
  EXPECT_EQ(static_cast<int>(c.red), 11);
  EXPECT_EQ(static_cast<int>(c.green), 125);
  EXPECT_EQ(static_cast<int>(c.blue), 2);
  // A second, red light at distance 60 (k = 1, q = (255, 0, 0)) over a black surface: after
  // light 1 green is 127.5 * 17 / 18 = 120.42; light 2 raises red to 255, leaves green; the
  // second blend gives red 255 * 17 / 18 = 240.83 and green 120.42 * 17 / 18 = 113.73.
  R::LightCount = 2;
  R::LightTable[2] = SceneLight{2, 0, 0, 0, 60.0f, 0.0f, 60.0f, 0, 0, 0, 255.0f, 0.0f, 0.0f};
  c = R::ShadePoint(0, 0, 0, 0, 0, 0);
  EXPECT_EQ(static_cast<int>(c.red), 240);
  EXPECT_EQ(static_cast<int>(c.green), 113);
  EXPECT_EQ(c.blue, 0.0f);
  // A light nearer than its range: distance 6, k = 0.1, q = 2550 for green, so the blend
  // 2550 * 17 / 18 + 255 div 18 is clamped to 255; red and blue get only the surface's 14.
  R::LightCount = 1;
  R::LightTable[1].camX = 6.0f;
  c = R::ShadePoint(0, 0, 0, 255, 255, 255);
  EXPECT_EQ(c.red, 14.0f);
  EXPECT_EQ(c.green, 255.0f);
  EXPECT_EQ(c.blue, 14.0f);
  // The blend is rasterizer arithmetic: formed in double and rounded once, when stored. Light
  // green 255, range 60, at distance 555.769287109375 (a float): k = 9.2628212 (float),
  // q = 255 / k = 27.529409408569336 (float), just below 468 / 17. With the surface green 234
  // (234 div 18 = 13): q * 17 / 18 + 13 = 38.9999977 in double, stored as the float 38.999996,
  // so the pixel's green is 38. Worked in single precision step by step instead, q * 17 rounds
  // to 467.99997, / 18 to 25.999998092651367, and + 13 lands exactly halfway between
  // 38.999996185 and 39, which rounds to even: 39.
  R::LightTable[1] = SceneLight{1, 0, 0, 0, 60.0f, 555.769287109375f, 0, 0, 0, 0, 0, 255.0f, 0};
  c = R::ShadePoint(0, 0, 0, 0, 234, 0);
  EXPECT_EQ(static_cast<int>(c.green), 38);
  EXPECT_EQ(c.green, 38.999996185302734f);
  R::LightCount = 0;
  c = R::ShadePoint(0, 0, 0, 255, 255, 255);
  EXPECT_EQ(c.red + c.green + c.blue, 0.0f);
}

TEST_F(ReferenceRenderer, ASpanOfLengthTwoAndAHalfDrawsThreePixelsAcrossTheTexture) {
  R::LightingEnabled = 0;
  R::CoarseFillEnabled = 0;
  // len 2.5 over W = 64: colStep = 25.6, so s = 0, 1, 2 take columns 0, 25, 51 of row 5.
  R::DrawQuadSpan(10, 10, 0, 0, -100, 12.5, 10, 0, 0, -100, 5, BrickSlot);
  const int columns[3] = {0, 25, 51};
  for (int s = 0; s < 3; ++s) {
    EXPECT_EQ(0, std::memcmp(Pixel(10 + s, 10), Texel(5, columns[s]), 3)) << s;
    EXPECT_EQ(Pixel(10 + s, 10)[3], 255);
    EXPECT_EQ(R::DepthBuffer[10 * 320 + 10 + s], -100.0);
  }
  EXPECT_EQ(Pixel(13, 10)[3], 0);
  // A span of length 0 draws nothing.
  R::DrawQuadSpan(40, 40, 0, 0, -100, 40, 40, 0, 0, -100, 0, BrickSlot);
  EXPECT_EQ(Pixel(40, 40)[3], 0);
}

TEST_F(ReferenceRenderer, DepthTestDrawsEqualDepthAgainButNothingAtTheNearPlane) {
  R::LightingEnabled = 0;
  R::CoarseFillEnabled = 0;
  R::DepthBuffer[20 * 320 + 20] = -100.0;
  R::DrawQuadSpan(20, 20, 0, 0, -100, 21, 20, 0, 0, -100, 0, BrickSlot);
  EXPECT_EQ(Pixel(20, 20)[3], 255);
  R::DrawQuadSpan(20, 30, 0, 0, -50, 21, 30, 0, 0, -50, 0, BrickSlot);
  EXPECT_EQ(Pixel(20, 30)[3], 0);
  R::LineMaskBuffer[40 * 320 + 20] = 1;
  R::DrawQuadSpan(20, 40, 0, 0, -100, 21, 40, 0, 0, -100, 0, BrickSlot);
  EXPECT_EQ(Pixel(20, 40)[3], 0);
}

TEST_F(ReferenceRenderer, CoarseCrossReachesTheOutermostRowAndColumn) {
  R::LightingEnabled = 0;
  R::TexturingEnabled = 0;
  // One pixel at (1, 1): the cross adds (1, 2), (1, 0), (2, 1), (0, 1), black with alpha 255.
  R::DrawQuadSpan(1.5, 1.5, 0, 0, -100, 2.5, 1.5, 0, 0, -100, 0, BrickSlot);
  std::set<std::pair<int, int>> lit;
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x)
      if (Pixel(x, y)[3] != 0) lit.insert({x, y});
  std::set<std::pair<int, int>> expected = {{1, 1}, {1, 2}, {1, 0}, {2, 1}, {0, 1}};
  EXPECT_EQ(lit, expected);
  EXPECT_EQ(Pixel(0, 1)[0] + Pixel(0, 1)[1] + Pixel(0, 1)[2], 0);
}

TEST_F(ReferenceRenderer, RunClippingStartsAtTheFrameEdgeWithTheColumnAdvanced) {
  R::LightingEnabled = 0;
  R::CoarseFillEnabled = 0;
  // From (-10.5, 50) to (20, 50): case 8, d = 10.5. len 30.5, colStep 64 / 30.5 = 2.0984; the
  // point s = 10.5 lies at x = 0 (outside the drawable 1 .. 318), s = 11.5 at x = 1 with the
  // column 10.5 * 2.0984 + 2.0984 = 24.13, so pixel (1, 50) shows column 24; the last point,
  // s = 29.5, is pixel 19.
  R::DrawQuadSpan(-10.5, 50, 0, 0, -100, 20, 50, 0, 0, -100, 3, BrickSlot);
  EXPECT_EQ(0, std::memcmp(Pixel(1, 50), Texel(3, 24), 3));
  EXPECT_EQ(Pixel(0, 50)[3], 0);
  EXPECT_EQ(Pixel(19, 50)[3], 255);
  EXPECT_EQ(Pixel(20, 50)[3], 0);
  // From (-10, 60) to (400, 60) neither case applies: the column runs from the start,
  // colStep = 64 / 410, and pixel 1 (s = 11) shows column trunc(11 * 0.1561) = 1.
  R::DrawQuadSpan(-10, 60, 0, 0, -100, 400, 60, 0, 0, -100, 3, BrickSlot);
  EXPECT_EQ(0, std::memcmp(Pixel(1, 60), Texel(3, 1), 3));
  EXPECT_EQ(Pixel(318, 60)[3], 255);
  EXPECT_EQ(Pixel(319, 60)[3], 0);
  // From (50, 250) down to (50, 200): case 3, the run starts at the crossing with y = 239,
  // d = 11; pixel (50, 238) is s = 12 with column trunc(12 * 64 / 50) = 15.
  R::DrawQuadSpan(50, 250, 0, 0, -100, 50, 200, 0, 0, -100, 7, BrickSlot);
  EXPECT_EQ(0, std::memcmp(Pixel(50, 238), Texel(7, 15), 3));
  EXPECT_EQ(Pixel(50, 239)[3], 0);
}

TEST_F(ReferenceRenderer, EdgeWalksGiveNineSamplesPerPixelFineAndOneCoarse) {
  // A 100-pixel square with vertical left edge: the fine walk has 9 * 100 samples (give or take
  // one from the accumulated 1/3 steps) plus the two corners, the coarse walk 100 + 2.
  R::SetCornerA(50, 50, 0, 0, -100);
  R::SetCornerB(150, 50, 0, 0, -100);
  R::SetCornerC(50, 150, 0, 0, -200);
  R::SetCornerD(150, 150, 0, 0, -200);
  R::WalkLeftEdgeFine();
  EXPECT_GE(R::LeftEdge.count, 902);
  EXPECT_LE(R::LeftEdge.count, 903);
  EXPECT_EQ(R::LeftEdge.py[0], 50.0);
  EXPECT_EQ(R::LeftEdge.py[1], 50.0);
  EXPECT_NEAR(R::LeftEdge.py[10], 50.0 + 9.0 / 9.0, 1e-9);  // entry k at (k - 1) / 9 pixel
  EXPECT_NEAR(R::LeftEdge.camZ[10], -101.0, 1e-9);
  int last = static_cast<int>(R::LeftEdge.count) - 1;
  EXPECT_EQ(R::LeftEdge.py[last], 150.0);
  EXPECT_EQ(R::LeftEdge.camZ[last], -200.0);
  R::WalkLeftEdgeCoarse();
  EXPECT_EQ(R::LeftEdge.count, 102);
  EXPECT_EQ(R::LeftEdge.py[50], 99.0);
  // A zero-length edge: start and end only.
  R::SetCornerC(50, 50, 0, 0, -100);
  R::WalkLeftEdgeFine();
  EXPECT_EQ(R::LeftEdge.count, 2);

  // The fill draws one span per entry of the longer list.
  R::SetCornerC(50, 150, 0, 0, -200);
  R::CoarseFillEnabled = 0;
  R::SpansDrawn = 0;
  R::FillQuadFace(BrickSlot);
  EXPECT_EQ(static_cast<double>(R::SpansDrawn), std::max(R::LeftEdge.count, R::RightEdge.count));
  R::CoarseFillEnabled = 1;
  R::SpansDrawn = 0;
  R::FillQuadFace(BrickSlot);
  EXPECT_EQ(R::SpansDrawn, 102u);
}

TEST_F(ReferenceRenderer, OutlineMarksItsPixelsAgainstTheFillAndTheSecondPassUnmarks) {
  R::LightingEnabled = 0;
  R::CoarseFillEnabled = 0;
  // A line with both ends on one pixel: drawn with the biased depth, then as its end point
  // with the plain depth.
  R::DrawDepthLine(30, 30, -100, 30, 30, -100, 1);
  EXPECT_EQ(R::DepthBuffer[30 * 320 + 30], -100.0);
  EXPECT_EQ(R::LineMaskBuffer[30 * 320 + 30], 1u);
  EXPECT_EQ(Pixel(30, 30)[0], 255);
  // A span over the marked pixel leaves it white; the repeat with mask 0 unmarks it.
  R::DrawQuadSpan(25, 30, 0, 0, -90, 35, 30, 0, 0, -90, 0, BrickSlot);
  EXPECT_EQ(Pixel(30, 30)[1], 255);
  EXPECT_NE(Pixel(29, 30)[1], 255);
  R::DrawDepthLine(30, 30, -100, 30, 30, -100, 0);
  EXPECT_EQ(R::LineMaskBuffer[30 * 320 + 30], 0u);
  // Lines keep off the two outermost pixels: x = 1 is not drawn.
  R::DrawDepthLine(1, 100, -100, 1, 110, -100, 1);
  EXPECT_EQ(Pixel(1, 105)[3], 0);

  // A whole box with outlines: the first pass marks, the second clears every mark.
  R::CreateBoxObject(1, 0, 0, 0, BrickSlot, 50.0f);
  R::ClearFrame();
  R::ClearDepth();
  R::TransformObject(1, 180, -150, -170, false, false);
  R::RenderBoxObject(1);
  int white = 0;
  for (int i = 0; i < R::FramePixels; ++i) {
    EXPECT_EQ(R::LineMaskBuffer[i], 0u);
    white += R::FrameBuffer[4 * i] == 255 && R::FrameBuffer[4 * i + 1] == 255;
  }
  EXPECT_GT(white, 100);
}

TEST_F(ReferenceRenderer, StartUpFrameLabelsTheLightAtItsProjection) {
  R::BuildDemoScene(1);
  R::FrameSettings settings;  // mouse (0, 0), scale 3, object 1, one light
  R::DrawFrame(settings);
  // The light at (50, 50, 50) is unturned by the cancelling half turns: camZ -360, the label
  // shows the depth without the offsets, at the projection (58, 58) plus the centre.
  EXPECT_STREQ(TextBuffer, "light  50  50  50");
  EXPECT_EQ(R::LightTable[1].screenX, 58);
  EXPECT_EQ(R::LightTable[1].screenY, 58);
  // Every ink pixel of that text drawn alone at (218, 178) is green in the frame.
  std::vector<uint8_t> alone(R::FramePixels * 4, 0);
  uint8_t* savedFrame = FrameBuffer;
  int32_t savedWidth = RenderWidth, savedHeight = RenderHeight;
  FrameBuffer = alone.data();
  RenderWidth = 320;
  RenderHeight = 240;
  DrawBigText(218, 178, 0, 255, 0);
  FrameBuffer = savedFrame;
  RenderWidth = savedWidth;
  RenderHeight = savedHeight;
  int ink = 0;
  for (int i = 0; i < R::FramePixels; ++i) {
    if (alone[4 * i + 3] == 0) continue;
    ++ink;
    EXPECT_EQ(R::FrameBuffer[4 * i], 0);
    EXPECT_EQ(R::FrameBuffer[4 * i + 1], 255);
    EXPECT_EQ(R::FrameBuffer[4 * i + 2], 0);
  }
  EXPECT_GT(ink, 100);
  // The box itself is drawn: lit pixels outside the label.
  int lit = 0;
  for (int i = 0; i < R::FramePixels; ++i) lit += R::FrameBuffer[4 * i + 3] != 0;
  EXPECT_GT(lit - ink, 2000);
}

// ---- The real engine beside the reference ---------------------------------------------------

constexpr uint32_t PoolObjects = R::MaxObjects;

// Points the engine's globals at buffers and pools owned by the test, all zeroed, and puts the
// previous ones back afterwards.
class RealEngine {
 public:
  RealEngine()
      : frame_(R::FramePixels * 4, 0),
        depth_(R::FramePixels, DepthClearValue),
        mask_(R::FramePixels, 0),
        vertices_(PoolObjects * VerticesPerObject),
        objects_(PoolObjects),
        lights_(R::MaxLights),
        slots_(TextureSlotCount) {
    saved_ = {FrameBuffer, DepthBuffer,      LineMaskBuffer, VertexPool,  ObjectPool,
              LightTable,  TextureSlotTable, RenderWidth,    RenderHeight};
    savedSettings_ = {TexturingEnabled, LightingEnabled, CoarseFillEnabled, WireframeEnabled,
                      ::LightCount,     ::NextObjectId,  ::LastObjectId,    ::ScreenCentreX,
                      ::ScreenCentreY,  ::ViewDistance,  ::NearPlaneZ,      ViewAngleA,
                      ViewAngleB,       ViewAngleC,      RandState};
    FrameBuffer = frame_.data();
    DepthBuffer = depth_.data();
    LineMaskBuffer = mask_.data();
    VertexPool = vertices_.data();
    ObjectPool = objects_.data();
    LightTable = lights_.data();
    TextureSlotTable = slots_.data();
    RenderWidth = R::FrameWidth;
    RenderHeight = R::FrameHeight;
    HeadlessReset();
  }
  ~RealEngine() {
    FrameBuffer = saved_.frame;
    DepthBuffer = saved_.depth;
    LineMaskBuffer = saved_.mask;
    VertexPool = saved_.vertices;
    ObjectPool = saved_.objects;
    LightTable = saved_.lights;
    TextureSlotTable = saved_.slots;
    RenderWidth = saved_.width;
    RenderHeight = saved_.height;
    const Settings& k = savedSettings_;
    TexturingEnabled = k.texturing;
    LightingEnabled = k.lighting;
    CoarseFillEnabled = k.coarseFill;
    WireframeEnabled = k.wireframe;
    ::LightCount = k.lightCount;
    ::NextObjectId = k.nextObjectId;
    ::LastObjectId = k.lastObjectId;
    ::ScreenCentreX = k.centreX;
    ::ScreenCentreY = k.centreY;
    ::ViewDistance = k.viewDistance;
    ::NearPlaneZ = k.nearPlaneZ;
    ViewAngleA = k.angleA;
    ViewAngleB = k.angleB;
    ViewAngleC = k.angleC;
    RandState = k.randState;
    HeadlessReset();
  }
  RealEngine(const RealEngine&) = delete;
  RealEngine& operator=(const RealEngine&) = delete;

  // Whether the engine's constructors do anything yet.
  static bool Present() {
    RealEngine probe;
    CreateBoxObject(1, 0, 0, 0, BrickSlot, 50.0f);
    return ObjectPool[1].faces[0].kind == ObjectKindBox;
  }

  void ResetPools() {
    std::fill(vertices_.begin(), vertices_.end(), SceneVertex{});
    std::fill(objects_.begin(), objects_.end(), SceneObject{});
    std::fill(lights_.begin(), lights_.end(), SceneLight{});
    std::fill(mask_.begin(), mask_.end(), 0u);
  }

 private:
  struct Saved {
    uint8_t* frame;
    double* depth;
    uint32_t* mask;
    SceneVertex* vertices;
    SceneObject* objects;
    SceneLight* lights;
    TextureSlot* slots;
    int32_t width, height;
  };
  // The engine's settings that the comparisons change, put back as they were.
  struct Settings {
    int32_t texturing, lighting, coarseFill, wireframe;
    int32_t lightCount, nextObjectId, lastObjectId, centreX, centreY;
    float viewDistance;
    double nearPlaneZ;
    float angleA, angleB, angleC;
    uint32_t randState;
  };
  std::vector<uint8_t> frame_;
  std::vector<double> depth_;
  std::vector<uint32_t> mask_;
  std::vector<SceneVertex> vertices_;
  std::vector<SceneObject> objects_;
  std::vector<SceneLight> lights_;
  std::vector<TextureSlot> slots_;
  Saved saved_;
  Settings savedSettings_;
};

bool EnginePresent() {
  static const bool present = RealEngine::Present();
  return present;
}

#define SKIP_WITHOUT_ENGINE()                                                            \
  do {                                                                                   \
    if (!EnginePresent()) {                                                              \
      GTEST_SKIP() << "the engine's constructors leave the pools untouched: nothing to " \
                      "compare yet";                                                     \
    }                                                                                    \
  } while (0)

template <typename T>
bool SameBits(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Both sides with the same picture in slot 597 (the real side reads it from its slot table).
void InstallTexture(std::vector<uint8_t>& pixels, uint32_t size) {
  TextureSlot slot{pixels.data(), size, size, 3};
  R::TextureSlotTable[BrickSlot] = slot;
  TextureSlotTable[BrickSlot] = slot;
}

// The engine's constants as start-up leaves them, on both sides, then the scene of one seed.
void BuildBothScenes(RealEngine& engine, uint32_t seed) {
  engine.ResetPools();
  R::ClearMask();
  CameraOffset[0] = CameraOffset[1] = CameraOffset[2] = 0.0f;
  ProjectionScale = 3.0;
  ProjectionDivisor = 140.0;
  FlatColour[0] = FlatColour[1] = FlatColour[2] = 0;
  R::BuildDemoScene(seed);
  Srand(seed);
  ::BuildDemoScene();
}

void DrawRealFrame(const R::FrameSettings& s) {
  TexturingEnabled = s.texturing;
  LightingEnabled = s.lighting;
  CoarseFillEnabled = s.coarseFill;
  WireframeEnabled = s.wireframe;
  ::LightCount = s.lightCount;
  ::ViewDistance = s.viewDistance;
  ::LastObjectId = s.lastObjectId;
  HeadlessKeys[VkLButton] = s.leftButtonHeld;
  HeadlessKeys[VkRButton] = s.rightButtonHeld;
  ClearFrame();
  ClearDepth();
  R::ViewAngles angles = R::ViewAnglesFor(s.mouseX, s.mouseY, s.mouseScale);
  ViewAngleA = angles.a;
  ViewAngleB = angles.b;
  ViewAngleC = angles.c;
  DrawSceneObjects();
  for (int32_t i = 1; i <= ::LightCount; ++i) DrawLightLabel(i);
  HeadlessKeys[VkLButton] = HeadlessKeys[VkRButton] = false;
}

// Empty when the frame, depth and mask buffers of both sides agree; otherwise the first
// difference, both values and how many pixels differ.
std::string FrameDifference() {
  int first = -1, differing = 0;
  for (int i = 0; i < R::FramePixels; ++i) {
    bool same = std::memcmp(&R::FrameBuffer[4 * i], &FrameBuffer[4 * i], 4) == 0 &&
                SameBits(R::DepthBuffer[i], DepthBuffer[i]) &&
                R::LineMaskBuffer[i] == LineMaskBuffer[i];
    if (same) continue;
    if (first < 0) first = i;
    ++differing;
  }
  if (first < 0) return "";
  const uint8_t* ref = &R::FrameBuffer[4 * first];
  const uint8_t* eng = &FrameBuffer[4 * first];
  char text[512];
  std::snprintf(text, sizeof(text),
                "%d pixels differ; first at (%d, %d): reference rgba (%d, %d, %d, %d) depth "
                "%.17g mask %u, engine rgba (%d, %d, %d, %d) depth %.17g mask %u",
                differing, first % R::FrameWidth, first / R::FrameWidth, ref[0], ref[1], ref[2],
                ref[3], R::DepthBuffer[first], R::LineMaskBuffer[first], eng[0], eng[1], eng[2],
                eng[3], DepthBuffer[first], LineMaskBuffer[first]);
  return text;
}

struct FrameCase {
  uint32_t seed;
  uint32_t textureSize;
  std::vector<R::FrameSettings> passes;  // drawn in order; the mask carries over
};

std::string DescribeCase(const FrameCase& c) {
  std::string text =
      "seed " + std::to_string(c.seed) + ", texture " + std::to_string(c.textureSize) + ":";
  for (size_t p = 0; p < c.passes.size(); ++p)
    text += " [pass " + std::to_string(p + 1) + ": " + R::Describe(c.passes[p]) + "]";
  return text;
}

// Draws every case on both sides and reports the cases whose buffers differ (at most ten in
// detail).
void CompareFrames(const std::vector<FrameCase>& cases) {
  RealEngine engine;
  std::vector<uint8_t> textures[3] = {MakeTexture(16), MakeTexture(64), MakeTexture(128)};
  int failures = 0;
  for (const FrameCase& c : cases) {
    std::vector<uint8_t>& pixels = textures[c.textureSize == 16 ? 0 : c.textureSize == 64 ? 1 : 2];
    InstallTexture(pixels, c.textureSize);
    BuildBothScenes(engine, c.seed);
    for (const R::FrameSettings& pass : c.passes) {
      R::DrawFrame(pass);
      DrawRealFrame(pass);
    }
    std::string difference = FrameDifference();
    if (difference.empty()) continue;
    if (++failures <= 10) ADD_FAILURE() << DescribeCase(c) << "\n  " << difference;
  }
  EXPECT_EQ(failures, 0) << "of " << cases.size() << " cases";
  R::TextureSlotTable[BrickSlot] = TextureSlot{};
}

const std::pair<int, int> MousePositions[] = {
    {0, 0},    {319, 239}, {160, 120}, {0, 239}, {319, 0}, {80, 60},  {240, 180}, {37, 201},
    {293, 17}, {123, 45},  {211, 133}, {160, 0}, {0, 120}, {60, 200}, {275, 95},  {150, 230}};
const int32_t LightCounts[] = {0, 1, 5};
const float ViewDistances[] = {-360.0f, -36.0f, 0.0f, 360.0f, -2000.0f};
const float MouseScales[] = {3.0f, 1.0f, 2.0f};
const uint32_t Seeds[] = {1, 2, 12345};
const uint32_t TextureSizes[] = {64, 16, 128};

// Case n of a sweep: the switches from the low four bits of `switches`, every other setting
// cycled with its own period so that the values meet in many combinations.
FrameCase SweepCase(int n, int switches, int32_t lastObjectId, std::pair<int, int> mouse) {
  R::FrameSettings s;
  s.mouseX = mouse.first;
  s.mouseY = mouse.second;
  s.mouseScale = MouseScales[n % 3];
  s.lastObjectId = lastObjectId;
  s.lightCount = LightCounts[(n / 3) % 3];
  s.viewDistance = ViewDistances[(n / 2) % 5];
  s.texturing = (switches >> 3) & 1;
  s.lighting = (switches >> 2) & 1;
  s.coarseFill = (switches >> 1) & 1;
  s.wireframe = switches & 1;
  FrameCase c{Seeds[(n / 7) % 3], TextureSizes[(n / 5) % 3], {s}};
  // Every fourth case draws a second pass from another mouse position, so the outline mask
  // and the frozen transforms carry over between passes; some hold a mouse button then.
  if (n % 4 == 3) {
    R::FrameSettings second = s;
    second.mouseX = (mouse.first + 97) % 320;
    second.mouseY = (mouse.second + 61) % 240;
    second.leftButtonHeld = n % 8 == 3;
    second.rightButtonHeld = n % 12 == 7;
    c.passes.push_back(second);
  }
  return c;
}

TEST(ReferenceCompare, FramesOfTheStartUpObjectForEverySwitchMouseAndSetting) {
  SKIP_WITHOUT_ENGINE();
  std::vector<FrameCase> cases;
  int n = 0;
  for (int switches = 0; switches < 16; ++switches)
    for (const auto& mouse : MousePositions) cases.push_back(SweepCase(n++, switches, 1, mouse));
  CompareFrames(cases);
}

TEST(ReferenceCompare, FramesOfTheFirstSevenBoxes) {
  SKIP_WITHOUT_ENGINE();
  std::vector<FrameCase> cases;
  int n = 0;
  for (int switches = 0; switches < 16; ++switches)
    for (int m = 0; m < 3; ++m)
      cases.push_back(SweepCase(n++, switches, 7, MousePositions[(switches * 3 + m) % 16]));
  CompareFrames(cases);
}

TEST(ReferenceCompare, FramesOfAllObjects) {
  SKIP_WITHOUT_ENGINE();
  std::vector<FrameCase> cases;
  int n = 0;
  for (int switches = 0; switches < 16; ++switches)
    cases.push_back(SweepCase(n++, switches, 117, MousePositions[(switches * 5) % 16]));
  // The start-up frame and the fine fill of the whole scene at the two benchmark positions.
  for (auto mouse : {std::pair<int, int>{0, 0}, std::pair<int, int>{160, 120}}) {
    for (int switches : {0b1111, 0b1101}) {
      FrameCase c = SweepCase(0, switches, 117, mouse);
      c.passes[0].lightCount = 1;
      c.passes[0].viewDistance = -360.0f;
      c.passes[0].mouseScale = 3.0f;
      c.seed = 1;
      c.textureSize = 64;
      cases.push_back(c);
    }
  }
  CompareFrames(cases);
}

// ---- Intermediate values --------------------------------------------------------------------

TEST(ReferenceCompare, ConstructedRecordsOfTheWholeScene) {
  SKIP_WITHOUT_ENGINE();
  RealEngine engine;
  for (uint32_t seed : Seeds) {
    BuildBothScenes(engine, seed);
    EXPECT_EQ(R::LastObjectId, ::LastObjectId);
    EXPECT_EQ(R::LightCount, ::LightCount);
    for (uint32_t id = 1; id <= 117; ++id) {
      bool triangle = R::ObjectPool[id].faces[0].kind == ObjectKindTriangle;
      for (uint32_t k = 0; k < VerticesPerObject; ++k) {
        const SceneVertex& a = R::VertexPool[14 * id + k];
        const SceneVertex& b = VertexPool[14 * id + k];
        EXPECT_TRUE(SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z))
            << "seed " << seed << " object " << id << " slot " << k << ": reference (" << a.x
            << ", " << a.y << ", " << a.z << ") engine (" << b.x << ", " << b.y << ", " << b.z
            << ")";
        // A triangle's slots 4 .. 7 and 10 .. 13 carry no meaning; their tags are a choice.
        bool meaningful = !triangle || k < 4 || k == 8 || k == 9;
        if (meaningful) {
          EXPECT_EQ(a.faceTag, b.faceTag) << "seed " << seed << " object " << id << " slot " << k;
        }
      }
      for (uint32_t f = 0; f < 6; ++f) {
        const SceneFace& a = R::ObjectPool[id].faces[f];
        const SceneFace& b = ObjectPool[id].faces[f];
        std::string where = "object " + std::to_string(id) + " face " + std::to_string(f);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(a.corners[k], b.corners[k]) << where;
        EXPECT_EQ(a.normal, b.normal) << where;
        EXPECT_EQ(a.texture, b.texture) << where;
        EXPECT_EQ(a.visible, b.visible) << where;
        EXPECT_EQ(a.reservedFlag, b.reservedFlag) << where;
        if (f == 0) {
          EXPECT_EQ(a.kind, b.kind) << where;
        }
      }
    }
    for (int i = 1; i <= 5; ++i) {
      const SceneLight& a = R::LightTable[i];
      const SceneLight& b = LightTable[i];
      EXPECT_TRUE(a.index == b.index && SameBits(a.x, b.x) && SameBits(a.y, b.y) &&
                  SameBits(a.z, b.z) && SameBits(a.range, b.range) && SameBits(a.red, b.red) &&
                  SameBits(a.green, b.green) && SameBits(a.blue, b.blue))
          << "light " << i;
    }
  }
}

TEST(ReferenceCompare, CameraSpaceAndScreenPositionsOfEverySlotAndLight) {
  SKIP_WITHOUT_ENGINE();
  RealEngine engine;
  BuildBothScenes(engine, 12345);
  R::LightCount = ::LightCount = 5;
  int failures = 0;
  int n = 0;
  for (float viewDistance : ViewDistances) {
    R::ViewDistance = ::ViewDistance = viewDistance;
    for (const auto& mouse : MousePositions) {
      R::ViewAngles angles = R::ViewAnglesFor(mouse.first, mouse.second, MouseScales[n++ % 3]);
      for (uint32_t id = 1; id <= 117; ++id) {
        R::TransformObject(id, angles.a, angles.b, angles.c, false, false);
        TransformObject(id, angles.a, angles.b, angles.c);
        for (uint32_t k = 0; k < VerticesPerObject; ++k) {
          const SceneVertex& a = R::VertexPool[14 * id + k];
          const SceneVertex& b = VertexPool[14 * id + k];
          bool same = SameBits(a.camX, b.camX) && SameBits(a.camY, b.camY) &&
                      SameBits(a.camZ, b.camZ) &&
                      (k >= 8 || (a.screenX == b.screenX && a.screenY == b.screenY));
          if (!same && ++failures <= 10)
            ADD_FAILURE() << "angles (" << angles.a << ", " << angles.b << ", " << angles.c
                          << ") view distance " << viewDistance << " object " << id << " slot " << k
                          << ": reference cam (" << a.camX << ", " << a.camY << ", " << a.camZ
                          << ") screen (" << a.screenX << ", " << a.screenY << "), engine cam ("
                          << b.camX << ", " << b.camY << ", " << b.camZ << ") screen (" << b.screenX
                          << ", " << b.screenY << ")";
        }
      }
      for (int i = 1; i <= 5; ++i) {
        const SceneLight& a = R::LightTable[i];
        const SceneLight& b = LightTable[i];
        bool same = SameBits(a.camX, b.camX) && SameBits(a.camY, b.camY) &&
                    SameBits(a.camZ, b.camZ) && a.screenX == b.screenX && a.screenY == b.screenY;
        if (!same && ++failures <= 10) ADD_FAILURE() << "light " << i;
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST(ReferenceCompare, RotationBearingRadiusAndProjectionOfScatteredInputs) {
  SKIP_WITHOUT_ENGINE();
  Srand(777);
  auto random = [](double range) { return (Rand() / 32767.0 * 2.0 - 1.0) * range; };
  int failures = 0;
  for (int i = 0; i < 4000; ++i) {
    double range = i % 4 == 0 ? 1e-4 : i % 4 == 1 ? 10.0 : i % 4 == 2 ? 2000.0 : 1e6;
    double x = random(range), y = random(range), z = random(range);
    // Whole degrees as the loop gives them, and some fractions.
    double a = i % 2 ? std::floor(random(1000)) : random(1000);
    double b = i % 2 ? std::floor(random(1000)) : random(1000);
    double c = i % 2 ? std::floor(random(1000)) : random(1000);
    RotatedPoint p = R::RotatePoint(x, y, z, a, b, c);
    RotatedPoint q = RotatePoint(x, y, z, a, b, c);
    if (!(SameBits(p.x, q.x) && SameBits(p.y, q.y) && SameBits(p.z, q.z)) && ++failures <= 10)
      ADD_FAILURE() << "RotatePoint(" << x << ", " << y << ", " << z << ", " << a << ", " << b
                    << ", " << c << "): reference (" << p.x << ", " << p.y << ", " << p.z
                    << ") engine (" << q.x << ", " << q.y << ", " << q.z << ")";
    float fx = static_cast<float>(x), fy = static_cast<float>(y);
    float bearingR = R::BearingDegrees(1000.0f, 1000.0f, fx, fy);
    float bearingE = BearingDegrees(1000.0f, 1000.0f, fx, fy);
    if (!SameBits(bearingR, bearingE) && ++failures <= 10)
      ADD_FAILURE() << "BearingDegrees to (" << fx << ", " << fy << "): " << bearingR << " vs "
                    << bearingE;
    float ra = std::fabs(fx), rb = std::fabs(fy), rc = static_cast<float>(std::fabs(z));
    if (!SameBits(R::PlaneRadius(ra, rb, rc), PlaneRadius(ra, rb, rc)) && ++failures <= 10)
      ADD_FAILURE() << "PlaneRadius(" << ra << ", " << rb << ", " << rc << ")";
    // Projection: depths away from 0, where the quotient stays inside 32 bits.
    float camZ = static_cast<float>(random(3000));
    if (std::fabs(camZ) < 1e-3f) camZ = -1.0f;
    ScreenPoint sr = R::ProjectPoint(fx, fy, camZ);
    ScreenPoint se = ProjectPoint(fx, fy, camZ);
    if ((sr.x != se.x || sr.y != se.y) && ++failures <= 10)
      ADD_FAILURE() << "ProjectPoint(" << fx << ", " << fy << ", " << camZ << "): (" << sr.x << ", "
                    << sr.y << ") vs (" << se.x << ", " << se.y << ")";
  }
  EXPECT_EQ(failures, 0);
}

TEST(ReferenceCompare, ProjectionAtDepthZeroEndsInsideTheClampRange) {
  SKIP_WITHOUT_ENGINE();
  // How such a quotient becomes an integer is open; that it ends inside the clamp is not.
  const float values[] = {0.0f, -0.0f, 1e-30f, -1e-30f, 5.0f, -5.0f, 1e30f, -1e30f};
  for (float camX : values)
    for (float camZ : {0.0f, -0.0f, 1e-38f, -1e-38f, 1e-30f, -1e-30f}) {
      ScreenPoint p = ProjectPoint(camX, camX, camZ);
      EXPECT_TRUE(p.x >= -480 && p.x <= 480 && p.y >= -440 && p.y <= 440)
          << "(" << camX << ", " << camZ << ") -> (" << p.x << ", " << p.y << ")";
    }
}

// Corners scattered over the whole range the projection clamp allows.
FaceCorner RandomCorner() {
  auto pick = [](int low, int high) { return low + Rand() % (high - low + 1); };
  return {static_cast<double>(pick(-320, 640)), static_cast<double>(pick(-320, 560)),
          (Rand() - 16384) / 7.0, (Rand() - 16384) / 9.0, -(Rand() % 3000) - 1.5};
}

using CornerSetter = void (*)(double, double, double, double, double);
const CornerSetter ReferenceCornerSetters[4] = {R::SetCornerA, R::SetCornerB, R::SetCornerC,
                                                R::SetCornerD};
const CornerSetter EngineCornerSetters[4] = {SetCornerA, SetCornerB, SetCornerC, SetCornerD};

bool SameList(const EdgeList& a, const EdgeList& b, std::string& where) {
  if (!SameBits(a.count, b.count)) {
    where = "count " + std::to_string(a.count) + " vs " + std::to_string(b.count);
    return false;
  }
  for (int k = 0; k < static_cast<int>(a.count); ++k) {
    if (!(SameBits(a.px[k], b.px[k]) && SameBits(a.py[k], b.py[k]) &&
          SameBits(a.camX[k], b.camX[k]) && SameBits(a.camY[k], b.camY[k]) &&
          SameBits(a.camZ[k], b.camZ[k]))) {
      where = "entry " + std::to_string(k);
      return false;
    }
  }
  return true;
}

TEST(ReferenceCompare, EdgeListsOfScatteredFaces) {
  SKIP_WITHOUT_ENGINE();
  Srand(4242);
  int failures = 0;
  for (int i = 0; i < 300; ++i) {
    FaceCorner corners[4];
    for (FaceCorner& c : corners) c = RandomCorner();
    if (i % 10 == 0) corners[2] = corners[0];        // a zero-length left edge
    if (i % 10 == 1) corners[2].px = corners[0].px;  // a vertical left edge
    if (i % 10 == 2) corners[2].py = corners[0].py + (corners[2].px - corners[0].px);  // 45 deg
    for (int k = 0; k < 4; ++k) {
      const FaceCorner& c = corners[k];
      ReferenceCornerSetters[k](c.px, c.py, c.camX, c.camY, c.camZ);
      EngineCornerSetters[k](c.px, c.py, c.camX, c.camY, c.camZ);
    }
    std::string where;
    R::WalkLeftEdgeFine();
    WalkLeftEdgeFine();
    if (!SameList(R::LeftEdge, LeftEdge, where) && ++failures <= 10)
      ADD_FAILURE() << "fine left walk " << i << ": " << where;
    R::WalkRightEdgeFine();
    WalkRightEdgeFine();
    if (!SameList(R::RightEdge, RightEdge, where) && ++failures <= 10)
      ADD_FAILURE() << "fine right walk " << i << ": " << where;
    R::WalkLeftEdgeCoarse();
    WalkLeftEdgeCoarse();
    if (!SameList(R::LeftEdge, LeftEdge, where) && ++failures <= 10)
      ADD_FAILURE() << "coarse left walk " << i << ": " << where;
    R::WalkRightEdgeCoarse();
    WalkRightEdgeCoarse();
    if (!SameList(R::RightEdge, RightEdge, where) && ++failures <= 10)
      ADD_FAILURE() << "coarse right walk " << i << ": " << where;
  }
  EXPECT_EQ(failures, 0);
}

TEST(ReferenceCompare, ShadePointOverAGridOfPointsLightsAndSurfaces) {
  SKIP_WITHOUT_ENGINE();
  RealEngine engine;
  Srand(99);
  for (int i = 1; i <= 5; ++i) {
    SceneLight light{};
    light.index = i;
    light.camX = static_cast<float>((Rand() - 16384) / 37.0);
    light.camY = static_cast<float>((Rand() - 16384) / 41.0);
    light.camZ = static_cast<float>(-(Rand() % 900) - 60.25);
    light.range = static_cast<float>(20 + Rand() % 100);
    light.red = static_cast<float>(Rand() % 256);
    light.green = static_cast<float>(Rand() % 256);
    light.blue = static_cast<float>(Rand() % 256);
    R::LightTable[i] = light;
    LightTable[i] = light;
  }
  int failures = 0;
  for (int count = 0; count <= 5; ++count) {
    R::LightCount = ::LightCount = count;
    for (int px = -400; px <= 400; px += 23)
      for (int py = -300; py <= 300; py += 29)
        for (int pz = -1200; pz <= 100; pz += 71) {
          int sr = (px + 400) % 256, sg = (py + 300) % 256, sb = (pz + 1200) % 256;
          ShadeColour a = R::ShadePoint(px, py, pz, sr, sg, sb);
          ShadeColour b = ShadePoint(px, py, pz, sr, sg, sb);
          if (!(SameBits(a.red, b.red) && SameBits(a.green, b.green) && SameBits(a.blue, b.blue)) &&
              ++failures <= 10)
            ADD_FAILURE() << "ShadePoint(" << px << ", " << py << ", " << pz << ", " << sr << ", "
                          << sg << ", " << sb << ") with " << count << " lights: reference ("
                          << a.red << ", " << a.green << ", " << a.blue << ") engine (" << b.red
                          << ", " << b.green << ", " << b.blue << ")";
        }
  }
  EXPECT_EQ(failures, 0);
}

TEST(ReferenceCompare, SpansAndOutlinesDrawnDirectly) {
  SKIP_WITHOUT_ENGINE();
  RealEngine engine;
  std::vector<uint8_t> pixels = MakeTexture(64);
  InstallTexture(pixels, 64);
  R::NearPlaneZ = ::NearPlaneZ = -50.0;
  R::LightCount = ::LightCount = 1;
  SceneLight light{1, 50, 50, 50, 60, 20, -10, -300, 0, 0, 40, 255, 90};
  R::LightTable[1] = LightTable[1] = light;
  Srand(31337);
  int failures = 0;
  for (int switches = 0; switches < 16; ++switches) {
    R::TexturingEnabled = TexturingEnabled = (switches >> 3) & 1;
    R::LightingEnabled = LightingEnabled = (switches >> 2) & 1;
    R::CoarseFillEnabled = CoarseFillEnabled = (switches >> 1) & 1;
    R::ClearFrame();
    R::ClearDepth();
    R::ClearMask();
    ClearFrame();
    ClearDepth();
    std::fill(LineMaskBuffer, LineMaskBuffer + R::FramePixels, 0u);
    for (int i = 0; i < 400; ++i) {
      FaceCorner a = RandomCorner(), b = RandomCorner();
      if (i % 3 == 0) {  // short spans near and across the frame's edges
        b.px = a.px + Rand() % 41 - 20;
        b.py = a.py + Rand() % 41 - 20;
      }
      if (i % 7 == 0) b.camZ = a.camZ;
      a.px += (Rand() % 9) / 9.0;  // edge samples lie between pixels
      b.py += (Rand() % 9) / 9.0;
      int32_t row = Rand() % 64;
      if (i % 2 == 0) {
        R::DrawQuadSpan(a.px, a.py, a.camX, a.camY, a.camZ, b.px, b.py, b.camX, b.camY, b.camZ, row,
                        BrickSlot);
        DrawQuadSpan(a.px, a.py, a.camX, a.camY, a.camZ, b.px, b.py, b.camX, b.camY, b.camZ, row,
                     BrickSlot);
      } else {
        // A base at least as long as the span keeps every texel of the run inside the
        // picture; which texel lies beyond it is a separate question.
        double len = std::sqrt((b.px - a.px) * (b.px - a.px) + (b.py - a.py) * (b.py - a.py));
        float base = static_cast<float>(len * (1.0 + (Rand() % 200) / 100.0) + 0.5);
        R::DrawTriangleSpan(a.px, a.py, a.camX, a.camY, a.camZ, b.px, b.py, b.camX, b.camY, b.camZ,
                            row, BrickSlot, base);
        DrawTriangleSpan(a.px, a.py, a.camX, a.camY, a.camZ, b.px, b.py, b.camX, b.camY, b.camZ,
                         row, BrickSlot, base);
      }
      if (i % 5 == 0) {
        uint32_t mask = (i / 5) % 2;
        R::DrawDepthLine(a.px, a.py, a.camZ, b.px, b.py, b.camZ, mask);
        DrawDepthLine(a.px, a.py, a.camZ, b.px, b.py, b.camZ, mask);
      }
    }
    std::string difference = FrameDifference();
    if (!difference.empty() && ++failures <= 10)
      ADD_FAILURE() << "switches T" << ((switches >> 3) & 1) << " L" << ((switches >> 2) & 1)
                    << " B" << ((switches >> 1) & 1) << ": " << difference;
  }
  EXPECT_EQ(failures, 0);
  R::TextureSlotTable[BrickSlot] = TextureSlot{};
}

}  // namespace
