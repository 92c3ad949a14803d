// Lines. The drawn cursor, four of them, is guarded by the frame catalog (mouse at the corners).
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "base/fnv1a.h"
#include "overlay/overlay.h"
#include "tests/overlay/guarded_frame.h"

namespace {

PixelSet Line(GuardedFrame& frame, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  frame.Clear();
  DrawLine(x0, y0, x1, y1, 255, 255, 255);
  return frame.Lit();
}

}  // namespace

// Worked by hand. The error term starts at the minor extent and the test is strict, so
// (0,0)-(10,5) steps up at x = 2, 4, 6, 8, 10; run backwards it is not the same line (y keeps 5
// at x = 9); y-major lines step x every second row; equal extents give the exact diagonal.
TEST(DrawLine, DrawsTheWorkedLines) {
  GuardedFrame frame;
  const struct {
    int32_t x0, y0, x1, y1;
    std::vector<int> minor;  // the minor coordinate at each step from the start
  } lines[] = {
      {0, 0, 10, 5, {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5}},
      {10, 5, 0, 0, {5, 5, 4, 4, 3, 3, 2, 2, 1, 1, 0}},
      {0, 0, 5, 10, {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5}},
      {5, 5, 0, 0, {5, 4, 3, 2, 1, 0}},
  };
  for (const auto& l : lines) {
    bool xMajor = std::abs(l.x1 - l.x0) > std::abs(l.y1 - l.y0);
    int major0 = xMajor ? l.x0 : l.y0, step = (xMajor ? l.x1 > l.x0 : l.y1 > l.y0) ? 1 : -1;
    PixelSet expected;
    for (int i = 0; i < static_cast<int>(l.minor.size()); ++i)
      expected.insert(xMajor ? Pixel{major0 + step * i, l.minor[i]}
                             : Pixel{l.minor[i], major0 + step * i});
    EXPECT_EQ(Line(frame, l.x0, l.y0, l.x1, l.y1), expected) << l.x0 << "," << l.y0;
  }
}

// A line of two million steps and a sweep of lines anywhere around the frame as FNV-1a 64-bit
// of every line's pixels in order (x, y as 32-bit words), recorded on 2026-12-06 at commit
// 2bfda5f, where both matched a separate step-by-step walk of every step, on or off the frame,
// in 64 bits; that walk was removed in the next commit.
TEST(DrawLine, SweepMatchesItsRecordedHash) {
  GuardedFrame frame;
  uint64_t hash = Fnv1a64Basis;
  auto add = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    for (const auto& [x, y] : Line(frame, x0, y0, x1, y1)) {
      const int32_t at[2] = {x, y};
      hash = Fnv1a64(at, sizeof at, hash);
    }
  };
  add(-1000000, -499900, 1000000, 500100);
  std::mt19937 random(12345);
  std::uniform_int_distribution<int32_t> xs(-700, 1000), ys(-600, 800);
  for (int i = 0; i < 3000; ++i) {
    int32_t x0 = xs(random), y0 = ys(random), x1 = xs(random), y1 = ys(random);
    if (i % 4 == 1) x1 = x0;
    if (i % 4 == 2) y1 = y0 + (x1 - x0);
    add(x0, y0, x1, y1);
  }
  EXPECT_EQ(hash, 0x3fe66d71e149b678ull);
  EXPECT_TRUE(frame.GuardsIntact());
}

// Lines across the whole 32-bit range, whose extents do not fit 32 bits.
TEST(DrawLine, HandlesEndsAnywhereInTheCoordinateRange) {
  GuardedFrame frame;
  PixelSet row, column, diagonal;
  for (int x = 0; x < 320; ++x) row.insert({x, 0});
  for (int y = 0; y < 240; ++y) column.insert({0, y});
  for (int k = 0; k < 240; ++k) diagonal.insert({k, k});
  EXPECT_EQ(Line(frame, INT32_MAX, 0, INT32_MIN, 0), row);
  EXPECT_EQ(Line(frame, 0, INT32_MAX, 0, INT32_MIN), column);
  EXPECT_EQ(Line(frame, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), diagonal);
  EXPECT_TRUE(Line(frame, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN).empty());
  EXPECT_TRUE(frame.GuardsIntact());
}
