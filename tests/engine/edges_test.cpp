// The depth-tested outlines where the frame catalog does not reach.
#include <cmath>
#include <limits>

#include "tests/engine/engine_fixture.h"

namespace {

using Edges = EngineTest;

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
