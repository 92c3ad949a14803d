// The span rasterizer: walking, the per-pixel tests, the coarse cross, the run clipping,
// texturing and shading.
#include <cmath>
#include <limits>
#include <random>

#include "tests/engine/engine_fixture.h"

namespace {

using Spans = EngineTest;

// One light of colour (0, 255, 0), range 60, at a Manhattan distance of 120 from the point:
// k = 2, q = (0, 127.5, 0). Texel (200, 100, 50): red 0 + 200 div 18 = 11, green 127.5 * 17 / 18
// + 100 div 18 = 120.4167 + 5 = 125.4167, blue 0 + 50 div 18 = 2: written (11, 125, 2).
TEST_F(Spans, ShadePointOfTheWorkedExample) {
  LightCount = 1;
  PlaceLight(1, 0, 0, 0, 60, 0, 255, 0);
  ShadeColour c = ShadePoint(100, -15, 5, 200, 100, 50);
  EXPECT_EQ(c.red, 11.0f);
  EXPECT_NEAR(c.green, 125.4167f, 1e-3);
  EXPECT_EQ(c.blue, 2.0f);
}

// The blend is formed in double and rounded once, when stored. Light green 255, range 60, at
// distance 555.769287109375: k = 9.2628212 (float), q = 255 / k = 27.529409408569336 (float),
// just below 468 / 17. Surface green 234 adds 234 div 18 = 13: q * 17 / 18 + 13 = 38.9999977 in
// double, stored as the float 38.999996, so the pixel's green is 38. Worked in single precision
// step by step instead, q * 17 rounds to 467.99997, / 18 to 25.999998, and + 13 lands halfway
// between 38.999996 and 39, which rounds to even: 39. The span, which keeps the shades of one
// light by distance, must write the same 38.
TEST_F(Spans, BlendRoundsOnceFromDouble) {
  LightCount = 1;
  CoarseFillEnabled = 0;
  PlaceLight(1, 555.769287109375f, 0, -100, 60, 0, 255, 0);
  ShadeColour c = ShadePoint(0, 0, -100, 0, 234, 0);
  EXPECT_EQ(c.green, 38.999996185302734f);
  const uint8_t surface[3] = {0, 234, 0};
  std::vector<uint8_t>& image = images.emplace_back(surface, surface + 3);
  slots[9] = TextureSlot{image.data(), 1, 1, 3};
  DrawQuadSpan(100.5, 100.5, 0, 0, -100, 100.5, 101.0, 0, 0, -100, 0, 9);
  EXPECT_EQ(PixelAt(100, 100)[1], 38);
}

// Surface (36, 36, 36) adds 36 div 18 = 2 per light. Light A: colour (0, 255, 0) at distance 120
// (q = 0, 127.5, 0); light B: colour (90, 0, 0) at distance 60 (q = 90, 0, 0).
// A then B: after A (2, 122.4167, 2); B lifts red to 90; blend: (90 * 17/18 + 2,
//   122.4167 * 17/18 + 2, 2 * 17/18 + 2) = (87, 117.616, 3.889).
// B then A: after B (87, 2, 2); A lifts green to 127.5; blend: (87 * 17/18 + 2, 127.5 * 17/18 + 2,
//   3.889) = (84.167, 122.417, 3.889).
// A single blend after taking the brightest of both would give (87, 122.42, 2) either way.
TEST_F(Spans, SeveralLightsBlendAndClampOncePerLightInOrder) {
  LightCount = 2;
  PlaceLight(1, 120, 0, 0, 60, 0, 255, 0);
  PlaceLight(2, 0, 60, 0, 60, 90, 0, 0);
  ShadeColour ab = ShadePoint(0, 0, 0, 36, 36, 36);
  EXPECT_EQ(static_cast<int>(ab.red), 87);
  EXPECT_EQ(static_cast<int>(ab.green), 117);
  EXPECT_EQ(static_cast<int>(ab.blue), 3);
  PlaceLight(1, 0, 60, 0, 60, 90, 0, 0);
  PlaceLight(2, 120, 0, 0, 60, 0, 255, 0);
  ShadeColour ba = ShadePoint(0, 0, 0, 36, 36, 36);
  EXPECT_EQ(static_cast<int>(ba.red), 84);
  EXPECT_EQ(static_cast<int>(ba.green), 122);
  EXPECT_EQ(static_cast<int>(ba.blue), 3);
}

// A light at a tenth of its range: k = 0.1, q = 2550, far above 255 after the blend: clamped.
// No light at all: black, whatever the surface.
TEST_F(Spans, ShadeClampsAndIsBlackWithoutLights) {
  LightCount = 1;
  PlaceLight(1, 6, 0, 0, 60, 255, 255, 255);
  ShadeColour c = ShadePoint(0, 0, 0, 255, 0, 0);
  EXPECT_EQ(c.red, 255.0f);
  EXPECT_EQ(c.blue, 255.0f);
  LightCount = 0;
  ShadeColour black = ShadePoint(0, 0, 0, 255, 255, 255);
  EXPECT_EQ(black.red, 0.0f);
  EXPECT_EQ(black.green, 0.0f);
  EXPECT_EQ(black.blue, 0.0f);
}

// With one light the span rasterizer keeps the shades it has worked out by distance from the
// light; its bytes must be the truncated ShadePoint everywhere, and the places where a one-unit
// rounding difference would show are the shades lying within a hair of a whole number. Those are
// hunted for among many random lights and positions, then drawn as single-pixel spans whose
// camera-space position truncates to exactly that point, on a 1 x 1 texture of the surface
// colour, in the fine and in the coarse fill.
TEST_F(Spans, SingleLightShadingMatchesShadePointWhereRoundingShows) {
  LightCount = 1;
  CoarseFillEnabled = 0;
  std::mt19937 random(5);
  std::uniform_real_distribution<float> unit(0, 1);
  int checked = 0;
  for (int attempt = 0; attempt < 4000000 && checked < 3000; ++attempt) {
    if (attempt % 2000 == 0) {
      PlaceLight(1, 300 * unit(random) - 150, 300 * unit(random) - 150, -400 * unit(random) - 60,
                 1 + 150 * unit(random), 255 * unit(random), 255 * unit(random),
                 255 * unit(random));
      CoarseFillEnabled = !CoarseFillEnabled;
    }
    int32_t px = static_cast<int32_t>(random() % 400) - 200;
    int32_t py = static_cast<int32_t>(random() % 400) - 200;
    int32_t pz = -51 - static_cast<int32_t>(random() % 500);
    uint8_t surface[3] = {static_cast<uint8_t>(random()), static_cast<uint8_t>(random()),
                          static_cast<uint8_t>(random())};
    ShadeColour c = ShadePoint(px, py, pz, surface[0], surface[1], surface[2]);
    bool nearWhole = false;
    for (float v : {c.red, c.green, c.blue}) {
      float fraction = v - std::floor(v);
      nearWhole = nearWhole || (v > 0 && v < 255 && (fraction < 1e-4f || fraction > 1 - 1e-4f));
    }
    if (!nearWhole) continue;
    std::vector<uint8_t>& image = images.emplace_back(surface, surface + 3);
    slots[9] = TextureSlot{image.data(), 1, 1, 3};
    depth[100 * 320 + 100] = DepthClearValue;
    DrawQuadSpan(100.5, 100.5, px, py, pz, 100.5, 101.0, px, py, pz, 0, 9);
    auto pixel = PixelAt(100, 100);
    ASSERT_EQ(pixel[0], static_cast<int>(c.red)) << px << " " << py << " " << pz;
    ASSERT_EQ(pixel[1], static_cast<int>(c.green)) << px << " " << py << " " << pz;
    ASSERT_EQ(pixel[2], static_cast<int>(c.blue)) << px << " " << py << " " << pz;
    ++checked;
  }
  EXPECT_GT(checked, 1000);
}

// The kept shades belong to the light's range and colour: a change of either between two spans
// shows at once, at the very same distance (50 here).
TEST_F(Spans, KeptShadesFollowTheLightsRangeAndColour) {
  LightCount = 1;
  CoarseFillEnabled = 0;
  const uint8_t surface[3] = {200, 100, 50};
  slots[9] = TextureSlot{images.emplace_back(surface, surface + 3).data(), 1, 1, 3};
  const float lights[][4] = {{60, 0, 255, 0},
                             {45, 0, 255, 0},
                             {45, 200, 255, 0},
                             {45, 200, 90, 255},
                             {60, 0, 255, 0}};  // range, red, green, blue
  for (const auto& l : lights) {
    PlaceLight(1, 20, -30, -100, l[0], l[1], l[2], l[3]);
    depth[100 * 320 + 100] = DepthClearValue;
    DrawQuadSpan(100.5, 100.5, 0, 0, -100, 100.5, 101.0, 0, 0, -100, 0, 9);
    ShadeColour c = ShadePoint(0, 0, -100, 200, 100, 50);
    EXPECT_EQ(PixelAt(100, 100),
              (std::array<uint8_t, 4>{static_cast<uint8_t>(c.red), static_cast<uint8_t>(c.green),
                                      static_cast<uint8_t>(c.blue), 255}))
        << "range " << l[0] << " colour " << l[1] << " " << l[2] << " " << l[3];
  }
}

// A span 2.5 pixels long draws the points at s = 0, 1 and 2: x = 100.2, 101.2, 102.2. With a
// texture of width 4 the column advances by 1 / (2.5 / 4) = 1.6: columns 0, 1 (1.6) and 3 (3.2).
TEST_F(Spans, SpanOfLengthTwoAndAHalf) {
  LightingEnabled = 0;
  CoarseFillEnabled = 0;
  MakeTexture(5, 4, 4);
  DrawQuadSpan(100.2, 50.5, 0, 0, -100, 102.7, 50.5, 0, 0, -100, 2, 5);
  EXPECT_EQ(DrawnCount(), 3);
  EXPECT_EQ(PixelAt(100, 50)[0], 0);
  EXPECT_EQ(PixelAt(101, 50)[0], 1);
  EXPECT_EQ(PixelAt(102, 50)[0], 3);
  EXPECT_EQ(PixelAt(102, 50)[1], 2);  // the row
  EXPECT_EQ(DepthAt(101, 50), -100.0);
  DrawQuadSpan(100.5, 60.5, 0, 0, -100, 100.5, 60.5, 0, 0, -100, 0, 5);  // length 0: nothing
  EXPECT_EQ(DrawnCount(), 3);
}

// Depth: greater or equal wins, so a span at the stored depth draws again; the near plane is
// strict, so z = -50 itself is not drawn.
TEST_F(Spans, DepthTestAtEqualDepthAndNearPlane) {
  LightingEnabled = TexturingEnabled = CoarseFillEnabled = 0;
  depth[50 * 320 + 100] = -100.0;
  depth[50 * 320 + 101] = -99.0;
  DrawQuadSpan(100.5, 50.5, 0, 0, -100, 102.0, 50.5, 0, 0, -100, 0, 0);
  EXPECT_TRUE(Drawn(100, 50));
  EXPECT_FALSE(Drawn(101, 50));
  EXPECT_EQ(DepthAt(101, 50), -99.0);

  DrawQuadSpan(10.5, 60.5, 0, 0, -50, 11.0, 60.5, 0, 0, -50, 0, 0);
  EXPECT_FALSE(Drawn(10, 60));
  DrawQuadSpan(10.5, 61.5, 0, 0, std::nextafter(-50.0, -51.0), 11.0, 61.5, 0, 0, -50, 0, 0);
  EXPECT_TRUE(Drawn(10, 61));
  // A fresh depth buffer passes everything between -1,000,000 and the near plane.
  DrawQuadSpan(20.5, 61.5, 0, 0, -999999.0, 21.0, 61.5, 0, 0, -999999.0, 0, 0);
  EXPECT_TRUE(Drawn(20, 61));
}

// The coarse cross: a point at (1.5, 1.5) draws (1, 1) and its four neighbours, reaching row 0
// and column 0, which no span's own pixel can; a point at x = 0.5 draws nothing at all. The
// neighbours are tried even when the centre is masked.
TEST_F(Spans, CoarseCrossReachesTheFrameEdge) {
  LightingEnabled = TexturingEnabled = 0;
  DrawQuadSpan(1.5, 1.5, 0, 0, -100, 1.5, 2.0, 0, 0, -100, 0, 0);
  EXPECT_EQ(DrawnCount(), 5);
  for (auto [x, y] : {std::pair{1, 1}, {1, 2}, {1, 0}, {2, 1}, {0, 1}}) EXPECT_TRUE(Drawn(x, y));
  DrawQuadSpan(0.5, 100.5, 0, 0, -100, 0.5, 101.0, 0, 0, -100, 0, 0);
  EXPECT_EQ(DrawnCount(), 5);

  mask[100 * 320 + 318] = 1;
  DrawQuadSpan(318.5, 100.5, 0, 0, -100, 318.5, 101.0, 0, 0, -100, 0, 0);
  EXPECT_FALSE(Drawn(318, 100));
  EXPECT_TRUE(Drawn(319, 100));
  EXPECT_TRUE(Drawn(317, 100));
  EXPECT_TRUE(Drawn(318, 101));
  EXPECT_TRUE(Drawn(318, 99));
}

// Run clipping. The camera depth falls by exactly 1 per pixel of length (cz1 = cz0 - length),
// so the depth stored at the first drawn pixel tells at which distance s the walk sampled it.
// Starting beyond an edge, the walk begins at the crossing d and samples d + 1, d + 2, ...;
// without the cut it would sample 1, 2, 3, ... from the start point.
struct ClipCase {
  double x0, y0, x1, y1;
  int px, py;        // the first pixel drawn
  double expectedS;  // the distance at which it is sampled
};

TEST_F(Spans, RunStartingBeyondAnEdgeBeginsAtTheCrossing) {
  LightingEnabled = TexturingEnabled = CoarseFillEnabled = 0;
  const ClipCase cases[] = {
      // case 3: above the top (y > 239): crossing with y = 239 at d = 11.25; y = 239 itself fails
      // the test (y < 239), so the first pixel is row 238 at s = 12.25.
      {50.5, 250.25, 50.5, 100.25, 50, 238, 12.25},
      // case 4: below the bottom: crossing with y = 0 at 10.25; y = 0 fails (y >= 1): row 1 at
      // s = 11.25.
      {50.5, -10.25, 50.5, 139.75, 50, 1, 11.25},
      // case 7: right of the frame: crossing with x = 319 at 11.25; column 318 at s = 12.25.
      {330.25, 50.5, 180.25, 50.5, 318, 50, 12.25},
      // case 8: left of the frame: crossing with x = 0 at 10.25; column 1 at s = 11.25.
      {-10.25, 50.5, 139.75, 50.5, 1, 50, 11.25},
      // starting left and ending right of the frame: no case applies, nothing is cut; column 1
      // is first sampled at s = 12 (x = 1.75).
      {-10.25, 60.5, 330.25, 60.5, 1, 60, 12.0},
  };
  for (const ClipCase& c : cases) {
    double length = std::hypot(c.x1 - c.x0, c.y1 - c.y0);
    DrawQuadSpan(c.x0, c.y0, 0, 0, -100, c.x1, c.y1, 0, 0, -100 - length, 0, 0);
    EXPECT_TRUE(Drawn(c.px, c.py)) << c.x0 << " " << c.y0;
    EXPECT_EQ(DepthAt(c.px, c.py), -100 - c.expectedS) << c.x0 << " " << c.y0;
  }
}

// The y cases come first. Start (-10.5, 250.25) lies left of and above the frame, the end
// (100.5, 139.25) inside, on a 45-degree line: the y crossing (case 3) wins over the x crossing
// (case 8). The crossing with y = 239 is at x = 0.75, distance d = sqrt(2 * 11.25^2) computed in
// single precision; the first drawn pixel, (1, 238), is sampled at d + 1. Had the x crossing
// been taken (x = 0 at distance 10.5 * sqrt 2 = 14.85), that pixel would be sampled at 16.85.
TEST_F(Spans, VerticalClippingTakesPrecedence) {
  LightingEnabled = TexturingEnabled = CoarseFillEnabled = 0;
  double length = static_cast<float>(std::sqrt(111.0 * 111.0 * 2));
  DrawQuadSpan(-10.5, 250.25, 0, 0, -100, 100.5, 139.25, 0, 0, -100 - length, 0, 0);
  float leg = 11.25f;
  double d = std::sqrt(leg * leg + leg * leg);
  ASSERT_TRUE(Drawn(1, 238));
  EXPECT_EQ(DepthAt(1, 238), -100 - (d + 1));
}

// The column of a span that starts at a crossing is advanced to match: d * colStep. A triangle
// span with baseLength equal to the texture width steps one column per pixel, so the first
// drawn pixel of case 8 (s = 11.25) shows column 11.
TEST_F(Spans, ClippedStartAdvancesTheColumn) {
  LightingEnabled = CoarseFillEnabled = 0;
  MakeTexture(9, 64, 64);
  DrawTriangleSpan(-10.25, 50.5, 0, 0, -100, 39.75, 50.5, 0, 0, -100, 3, 9, 64.0f);
  EXPECT_EQ(PixelAt(1, 50)[0], 11);
  EXPECT_EQ(PixelAt(2, 50)[0], 12);
  EXPECT_EQ(PixelAt(1, 50)[1], 3);
}

TEST_F(Spans, SwitchesOffDrawOpaqueBlack) {
  LightingEnabled = TexturingEnabled = CoarseFillEnabled = 0;
  MakeTexture(597, 4, 4);
  DrawQuadSpan(10.5, 10.5, 0, 0, -100, 20.5, 10.5, 0, 0, -100, 0, 597);
  EXPECT_EQ(PixelAt(15, 10), (std::array<uint8_t, 4>{0, 0, 0, 255}));
  // Lighting on with no light is black as well.
  LightingEnabled = TexturingEnabled = 1;
  DrawQuadSpan(10.5, 20.5, 0, 0, -100, 20.5, 20.5, 0, 0, -100, 0, 597);
  EXPECT_EQ(PixelAt(15, 20), (std::array<uint8_t, 4>{0, 0, 0, 255}));
}

// A slot without an image, or a slot number beyond the table, is drawn in the grey that stands
// in for a missing picture; with lighting on it is shaded like a texel of that grey:
// 128 div 18 = 7 per channel under a light of colour (0, 0, 0).
TEST_F(Spans, MissingPictureIsDrawnInGrey) {
  LightingEnabled = CoarseFillEnabled = 0;
  DrawQuadSpan(10.5, 10.5, 0, 0, -100, 20.5, 10.5, 0, 0, -100, 0, 597);
  EXPECT_EQ(PixelAt(12, 10), (std::array<uint8_t, 4>{128, 128, 128, 255}));
  DrawQuadSpan(10.5, 11.5, 0, 0, -100, 20.5, 11.5, 0, 0, -100, 0, 5000);
  EXPECT_EQ(PixelAt(12, 11), (std::array<uint8_t, 4>{128, 128, 128, 255}));
  slots[597] = TextureSlot{nullptr, 64, 64, 3};  // a failed pixel read keeps the sizes
  DrawQuadSpan(10.5, 12.5, 0, 0, -100, 20.5, 12.5, 0, 0, -100, 5, 597);
  EXPECT_EQ(PixelAt(12, 12), (std::array<uint8_t, 4>{128, 128, 128, 255}));
  LightingEnabled = 1;
  LightCount = 1;
  PlaceLight(1, 0, 0, 0, 60, 0, 0, 0);
  DrawQuadSpan(10.5, 13.5, 0, 0, -100, 20.5, 13.5, 0, 0, -100, 5, 597);
  EXPECT_EQ(PixelAt(12, 13), (std::array<uint8_t, 4>{7, 7, 7, 255}));
}

// An image shorter than it is wide (4 x 2) is never read past its end: rows 2 and 3 repeat the
// top stored row, 1. The image holds exactly 24 bytes, so a read beyond them is caught by the
// address sanitizer.
TEST_F(Spans, ShortPictureRepeatsItsLastRow) {
  LightingEnabled = CoarseFillEnabled = 0;
  MakeTexture(9, 4, 2);
  DrawQuadSpan(10.5, 10.5, 0, 0, -100, 14.5, 10.5, 0, 0, -100, 3, 9);
  EXPECT_EQ(PixelAt(13, 10)[0], 3);
  EXPECT_EQ(PixelAt(13, 10)[1], 1);
  DrawQuadSpan(10.5, 11.5, 0, 0, -100, 14.5, 11.5, 0, 0, -100, 1, 9);
  EXPECT_EQ(PixelAt(13, 11)[1], 1);
}

// A triangle span longer than the triangle's base runs its column past the row: the texel
// offset (row * W + col) then names the next row's texels, as long as that stays inside the
// image; past the image's end the last pixel is read. baseLength 2 on a width of 4 steps two
// columns per pixel: 0, 2, 4, 6. On row 1 the columns 4 and 6 are row 2's columns 0 and 2; on
// the last row, 3, both lie past the end and read pixel (3, 3).
TEST_F(Spans, ColumnsPastTheRowReadOnButNeverPastTheImage) {
  LightingEnabled = CoarseFillEnabled = 0;
  MakeTexture(9, 4, 4);
  DrawTriangleSpan(10.5, 10.5, 0, 0, -100, 14.5, 10.5, 0, 0, -100, 1, 9, 2.0f);
  EXPECT_EQ(PixelAt(11, 10)[0], 2);
  EXPECT_EQ(PixelAt(12, 10)[0], 0);
  EXPECT_EQ(PixelAt(12, 10)[1], 2);
  EXPECT_EQ(PixelAt(13, 10)[0], 2);
  EXPECT_EQ(PixelAt(13, 10)[1], 2);
  DrawTriangleSpan(10.5, 11.5, 0, 0, -100, 14.5, 11.5, 0, 0, -100, 3, 9, 2.0f);
  EXPECT_EQ(PixelAt(12, 11)[0], 3);
  EXPECT_EQ(PixelAt(12, 11)[1], 3);
  EXPECT_EQ(PixelAt(13, 11)[0], 3);
}

// A triangle whose first two corners share a pixel has baseLength 0 and so no finite column
// rate: its columns stay at 0.
TEST_F(Spans, ZeroBaseKeepsTheFirstColumn) {
  LightingEnabled = CoarseFillEnabled = 0;
  MakeTexture(9, 8, 8);
  DrawTriangleSpan(10.5, 10.5, 0, 0, -100, 16.5, 10.5, 0, 0, -100, 2, 9, 0.0f);
  for (int x = 10; x < 16; ++x) {
    ASSERT_TRUE(Drawn(x, 10));
    EXPECT_EQ(PixelAt(x, 10)[0], 0);
    EXPECT_EQ(PixelAt(x, 10)[1], 2);
  }
}

// End points that no projection can produce are handled without undefined behaviour: not a
// number, infinite, or so far apart that the walk would not end draw nothing. Camera-space
// values that are not finite only reach the shading, whose integer conversions are defined for
// them: the last span draws its ten pixels.
TEST_F(Spans, NonFiniteOrEnormousEndsAreHandled) {
  CoarseFillEnabled = 0;
  LightCount = 1;
  PlaceLight(1, 0, 0, -100, 60, 0, 255, 0);
  double inf = std::numeric_limits<double>::infinity();
  double nan = std::numeric_limits<double>::quiet_NaN();
  DrawQuadSpan(nan, 10, 0, 0, -100, 20, 10, 0, 0, -100, 0, 597);
  DrawQuadSpan(10, 10, 0, 0, -100, inf, 10, 0, 0, -100, 0, 597);
  DrawQuadSpan(-inf, 10, 0, 0, -100, 20, 10, 0, 0, -100, 0, 597);
  DrawQuadSpan(-1e300, 10, 0, 0, -100, 1e300, 10, 0, 0, -100, 0, 597);
  DrawQuadSpan(-1e7, 10.5, 0, 0, -100, 1e7, 10.5, 0, 0, -100, 0, 597);
  DrawTriangleSpan(10.5, 10.5, nan, inf, -100, 20.5, 10.5, -inf, 1e300, -100, 0, 597, 5.0f);
  EXPECT_EQ(DrawnCount(), 10);
}

}  // namespace
