// The depth-tested outlines where the frame catalog does not reach.
#include <cmath>
#include <limits>

#include "tests/engine/engine_fixture.h"

namespace {

using Edges = EngineTest;

// The walk stores z + 0.800000011920929 (the single-precision bias widened) and passes a point
// within the bias behind a surface; the end point is plotted again with its plain depth.
TEST_F(Edges, LineDepthCarriesTheBiasButNotAtItsEnd) {
  DrawDepthLine(10, 50, -100, 20, 50, -110, 1);
  EXPECT_EQ(DepthAt(15, 50), -105.0 + static_cast<double>(0.8f));
  EXPECT_EQ(DepthAt(20, 50), -110.0);
  EXPECT_EQ(PixelAt(15, 50), (std::array<uint8_t, 4>{255, 255, 255, 255}));
  EXPECT_EQ(mask[50 * 320 + 15], 1u);
  depth[60 * 320 + 30] = -99.5;
  depth[60 * 320 + 31] = -99.0;
  DrawDepthLine(30, 60, -100, 31, 60, -100, 0);
  EXPECT_TRUE(Drawn(30, 60));
  EXPECT_FALSE(Drawn(31, 60));
}

// Lines keep two pixels off every edge of the frame (x = 1 and y = 238 stay blank), stop at the
// near plane, and a line whose ends are not finite or absurdly far apart is dropped.
TEST_F(Edges, LinesStayInsideTheFrameAndBeyondTheNearPlane) {
  DrawDepthLine(0, 100, -100, 5, 100, -100, 0);
  EXPECT_FALSE(Drawn(1, 100));
  EXPECT_TRUE(Drawn(2, 100));
  DrawDepthLine(50, 235, -100, 50, 239, -100, 0);
  EXPECT_TRUE(Drawn(50, 237));
  EXPECT_FALSE(Drawn(50, 238));
  int drawn = DrawnCount();
  DrawDepthLine(60, 60, -50, 70, 60, -40, 0);
  DrawDepthLine(10, 10, -100, std::numeric_limits<double>::infinity(), 10, -100, 1);
  DrawDepthLine(std::nan(""), 10, -100, 20, 10, -100, 1);
  DrawDepthLine(-1e9, 10, -100, 1e9, 10, -100, 1);
  EXPECT_EQ(DrawnCount(), drawn);
}

}  // namespace
