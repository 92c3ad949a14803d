// The span rasterizer where the frame catalog does not reach: rounding in the shading, texture
// reads at the edges of a picture, missing pictures, and ends no projection produces.
#include <cmath>
#include <limits>

#include "tests/engine/engine_fixture.h"

namespace {

using Spans = EngineTest;

// Rounded once, from double: light green 255, range 60, at distance 555.769287109375 gives
// q = 27.529409 (float), just below 468 / 17, and q * 17 / 18 + 234 div 18 = 38.9999977 in
// double, stored as 38.999996: the pixel's green is 38. Worked in single precision step by
// step, + 13 lands halfway and rounds to even: 39. The span, which keeps the shades of one light
// by distance, must write the same 38.
TEST_F(Spans, BlendRoundsOnceFromDouble) {
  LightCount = 1;
  CoarseFillEnabled = 0;
  PlaceLight(1, 555.769287109375f, 0, -100, 60, 0, 255, 0);
  EXPECT_EQ(ShadePoint(0, 0, -100, 0, 234, 0).green, 38.999996185302734f);
  const uint8_t surface[3] = {0, 234, 0};
  slots[9] = TextureSlot{images.emplace_back(surface, surface + 3).data(), 1, 1, 3};
  DrawQuadSpan(100.5, 100.5, 0, 0, -100, 100.5, 101.0, 0, 0, -100, 0, 9);
  EXPECT_EQ(PixelAt(100, 100)[1], 38);
}

// A triangle whose first two corners share a pixel has a base of 0 and no finite column rate:
// its columns stay at 0.
TEST_F(Spans, ZeroBaseKeepsTheFirstColumn) {
  LightingEnabled = CoarseFillEnabled = 0;
  MakeTexture(9, 64, 64);
  DrawTriangleSpan(10.5, 10.5, 0, 0, -100, 16.5, 10.5, 0, 0, -100, 2, 9, 0.0f);
  for (int x = 10; x < 16; ++x) EXPECT_EQ(PixelAt(x, 10), (std::array<uint8_t, 4>{0, 2, 7, 255}));
}

// An image 4 x 2 is never read past its end: rows 2 and 3 repeat its top stored row, 1. A
// triangle span longer than its base (2 on a width of 4: columns 0, 2, 4, 6) reads on into the
// next row's texels (row 1, columns 4 and 6 are row 2's 0 and 2) and, past the image, its last.
TEST_F(Spans, ReadsStayInsideThePicture) {
  LightingEnabled = CoarseFillEnabled = 0;
  MakeTexture(9, 4, 2);
  for (int32_t row : {2, 3}) {
    DrawQuadSpan(10.5, 10.5 + row, 0, 0, -100, 14.5, 10.5 + row, 0, 0, -100, row, 9);
    EXPECT_EQ(PixelAt(11, 10 + row), (std::array<uint8_t, 4>{1, 1, 7, 255})) << row;
  }
  MakeTexture(8, 4, 4);
  DrawTriangleSpan(10.5, 20.5, 0, 0, -100, 14.5, 20.5, 0, 0, -100, 1, 8, 2.0f);
  DrawTriangleSpan(10.5, 21.5, 0, 0, -100, 14.5, 21.5, 0, 0, -100, 3, 8, 2.0f);
  EXPECT_EQ(PixelAt(12, 20), (std::array<uint8_t, 4>{0, 2, 7, 255}));
  EXPECT_EQ(PixelAt(13, 20), (std::array<uint8_t, 4>{2, 2, 7, 255}));
  EXPECT_EQ(PixelAt(12, 21), (std::array<uint8_t, 4>{3, 3, 7, 255}));
}

// Ends no projection can produce (not a number, infinite, absurdly far apart) draw nothing;
// non-finite camera-space values only reach the shading, whose conversions are defined for
// them: the last span draws its ten pixels.
TEST_F(Spans, NonFiniteOrEnormousEndsAreHandled) {
  CoarseFillEnabled = 0;
  LightCount = 1;
  PlaceLight(1, 0, 0, -100, 60, 0, 255, 0);
  double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
  DrawQuadSpan(nan, 10, 0, 0, -100, 20, 10, 0, 0, -100, 0, 597);
  DrawQuadSpan(10, 10, 0, 0, -100, inf, 10, 0, 0, -100, 0, 597);
  DrawQuadSpan(-1e300, 10, 0, 0, -100, 1e300, 10, 0, 0, -100, 0, 597);
  DrawQuadSpan(-1e7, 10.5, 0, 0, -100, 1e7, 10.5, 0, 0, -100, 0, 597);
  DrawTriangleSpan(10.5, 10.5, nan, inf, -100, 20.5, 10.5, -inf, 1e300, -100, 0, 597, 5.0f);
  EXPECT_EQ(DrawnCount(), 10);
}

}  // namespace
