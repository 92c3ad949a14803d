#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "base/fnv1a.h"
#include "input/input.h"
#include "overlay/overlay.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "tests/overlay/guarded_frame.h"

namespace {

// The pixels (x0, y0), (x1, y1), ... of a flat list.
PixelSet Points(std::initializer_list<int> xy) {
  PixelSet set;
  for (auto it = xy.begin(); it != xy.end(); it += 2) set.insert({it[0], it[1]});
  return set;
}

PixelSet Line(GuardedFrame& frame, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  frame.Clear();
  DrawLine(x0, y0, x1, y1, 255, 255, 255);
  return frame.Lit();
}

// The stepping of the line drawer written out as plainly as it is described: every step, on or
// off the frame, in 64 bits. The drawer itself starts its walk at the first step on the frame;
// this is what it must agree with.
PixelSet StepByStep(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int width, int height) {
  int64_t dx = std::llabs(x1 - x0), dy = std::llabs(y1 - y0);
  int64_t sx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
  int64_t sy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
  int64_t x = x0, y = y0;
  PixelSet all{};
  auto draw = [&] {
    if (x >= 0 && x < width && y >= 0 && y < height)
      all.insert({static_cast<int>(x), static_cast<int>(y)});
  };
  draw();
  if (dx > dy) {
    int64_t e = dy;
    for (int64_t i = 0; i < dx; ++i) {
      e += dy;
      if (e > dx) {
        e -= dx;
        y += sy;
      }
      x += sx;
      draw();
    }
  } else {
    int64_t e = dx;
    for (int64_t i = 0; i < dy; ++i) {
      e += dx;
      if (e > dy) {
        e -= dy;
        x += sx;
      }
      y += sy;
      draw();
    }
  }
  return all;
}

}  // namespace

TEST(DrawLine, DrawsTheWorkedExample) {
  GuardedFrame frame;
  EXPECT_EQ(Line(frame, 0, 0, 10, 5),
            (Points({0, 0, 1, 0, 2, 1, 3, 1, 4, 2, 5, 2, 6, 3, 7, 3, 8, 4, 9, 4, 10, 5})));
}

// Worked by hand. y-major (0,0)-(5,10): e starts at 5, reaches 10 (not above 10: x stays) and
// 15 (x moves, e back to 5), so x steps on every second row from row 2.
// Reversed (10,5)-(0,0): e starts at 5; the first step reaches only 10, so y keeps 5 at x = 9:
// not the forward line's pixels run backwards.
// Falling (0,10)-(10,5): the worked example mirrored in y.
TEST(DrawLine, TakesTheMajorAxisAndDirectionFromTheEnds) {
  GuardedFrame frame;
  EXPECT_EQ(Line(frame, 0, 0, 5, 10),
            (Points({0, 0, 0, 1, 1, 2, 1, 3, 2, 4, 2, 5, 3, 6, 3, 7, 4, 8, 4, 9, 5, 10})));
  EXPECT_EQ(Line(frame, 10, 5, 0, 0),
            (Points({10, 5, 9, 5, 8, 4, 7, 4, 6, 3, 5, 3, 4, 2, 3, 2, 2, 1, 1, 1, 0, 0})));
  EXPECT_EQ(Line(frame, 0, 10, 10, 5),
            (Points({0, 10, 1, 10, 2, 9, 3, 9, 4, 8, 5, 8, 6, 7, 7, 7, 8, 6, 9, 6, 10, 5})));
}

// Equal extents take the y-major walk: e starts at dx = dy, every step exceeds it, so x moves
// every time and the line is the exact diagonal, both ways.
TEST(DrawLine, DrawsEqualExtentsAsTheDiagonal) {
  GuardedFrame frame;
  PixelSet diagonal;
  for (int k = 0; k <= 5; ++k) diagonal.insert({k, k});
  EXPECT_EQ(Line(frame, 5, 5, 0, 0), diagonal);
  EXPECT_EQ(Line(frame, 0, 0, 5, 5), diagonal);
  PixelSet antiDiagonal;
  for (int k = 0; k <= 4; ++k) antiDiagonal.insert({20 + k, 30 - k});
  EXPECT_EQ(Line(frame, 20, 30, 24, 26), antiDiagonal);
}

TEST(DrawLine, DrawsStraightAndZeroLengthLines) {
  GuardedFrame frame;
  EXPECT_EQ(Line(frame, 7, 9, 7, 9), (Points({7, 9})));
  EXPECT_EQ(Line(frame, 3, 8, 3, 2), (Points({3, 2, 3, 3, 3, 4, 3, 5, 3, 6, 3, 7, 3, 8})));
  EXPECT_EQ(Line(frame, 2, 3, 6, 3), (Points({2, 3, 3, 3, 4, 3, 5, 3, 6, 3})));
}

// Lines anywhere around the frame, ends on and off it, against the plain step-by-step walk.
TEST(DrawLine, AgreesWithTheFullWalkForLinesCrossingTheFrame) {
  GuardedFrame frame;
  std::mt19937 random(12345);
  std::uniform_int_distribution<int32_t> xs(-700, 1000), ys(-600, 800);
  for (int i = 0; i < 3000; ++i) {
    int32_t x0 = xs(random), y0 = ys(random), x1 = xs(random), y1 = ys(random);
    if (i % 4 == 1) x1 = x0;              // vertical
    if (i % 4 == 2) y1 = y0 + (x1 - x0);  // diagonal
    ASSERT_EQ(Line(frame, x0, y0, x1, y1), StepByStep(x0, y0, x1, y1, 320, 240))
        << x0 << "," << y0 << " - " << x1 << "," << y1;
  }
  EXPECT_TRUE(frame.GuardsIntact());
}

// The long shallow line below and the same sweep as FNV-1a 64-bit of every line's pixels in
// order (x, y as 32-bit words), recorded on 2026-12-06 (parent commit 753b12a) while both
// comparisons with the step-by-step walk passed.
TEST(DrawLine, SweepMatchesItsRecordedHash) {
  GuardedFrame frame;
  std::mt19937 random(12345);
  std::uniform_int_distribution<int32_t> xs(-700, 1000), ys(-600, 800);
  uint64_t hash = Fnv1a64Basis;
  for (const auto& [x, y] : Line(frame, -1000000, -499900, 1000000, 500100)) {
    const int32_t at[2] = {x, y};
    hash = Fnv1a64(at, sizeof at, hash);
  }
  for (int i = 0; i < 3000; ++i) {
    int32_t x0 = xs(random), y0 = ys(random), x1 = xs(random), y1 = ys(random);
    if (i % 4 == 1) x1 = x0;
    if (i % 4 == 2) y1 = y0 + (x1 - x0);
    for (const auto& [x, y] : Line(frame, x0, y0, x1, y1)) {
      const int32_t at[2] = {x, y};
      hash = Fnv1a64(at, sizeof at, hash);
    }
  }
  EXPECT_EQ(hash, 0x3fe66d71e149b678ull);
}

// Ends far outside: a long shallow line against the full walk (two million steps), and lines
// across the whole 32-bit range, whose extents do not fit 32 bits: the row, the column and the
// diagonal through the origin.
TEST(DrawLine, HandlesEndsAnywhereInTheCoordinateRange) {
  GuardedFrame frame;
  EXPECT_EQ(Line(frame, -1000000, -499900, 1000000, 500100),
            StepByStep(-1000000, -499900, 1000000, 500100, 320, 240));
  PixelSet row, column, diagonal;
  for (int x = 0; x < 320; ++x) row.insert({x, 0});
  for (int y = 0; y < 240; ++y) column.insert({0, y});
  for (int k = 0; k < 240; ++k) diagonal.insert({k, k});
  EXPECT_EQ(Line(frame, INT32_MIN, 0, INT32_MAX, 0), row);
  EXPECT_EQ(Line(frame, INT32_MAX, 0, INT32_MIN, 0), row);
  EXPECT_EQ(Line(frame, 0, INT32_MAX, 0, INT32_MIN), column);
  EXPECT_EQ(Line(frame, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), diagonal);
  EXPECT_TRUE(Line(frame, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN).empty());
  EXPECT_TRUE(frame.GuardsIntact());
}

TEST(DrawRectOutline, DrawsTheFourSidesWhicheverCornersAreGiven) {
  GuardedFrame frame;
  PixelSet outline;
  for (int x = 2; x <= 6; ++x) outline.insert({x, 3}), outline.insert({x, 8});
  for (int y = 3; y <= 8; ++y) outline.insert({2, y}), outline.insert({6, y});
  EXPECT_EQ(outline.size(), 18u);
  DrawRectOutline(2, 3, 6, 8, 0, 255, 0);
  EXPECT_EQ(frame.Lit(), outline);
  EXPECT_EQ(frame.At(6, 8)[1], 255);
  frame.Clear();
  DrawRectOutline(6, 8, 2, 3, 0, 255, 0);
  EXPECT_EQ(frame.Lit(), outline);
}

namespace {

// A 640 x 480 headless window at the screen's origin: render pixel (x, y) is under the
// screen point (2x, 480 - 2y), the screen counting rows down from the top.
class CursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessReset();
    ASSERT_TRUE(PlatformRegisterWindowClass(PlatformModuleHandle()));
    WindowHandle = PlatformCreateWindow(PlatformModuleHandle(), "cursor", 640, 480, false);
    ASSERT_NE(WindowHandle, nullptr);
  }
  void TearDown() override {
    WindowHandle = nullptr;
    HeadlessReset();
  }

  PixelSet CursorAt(int screenX, int screenY) {
    frame.Clear();
    HeadlessCursorX = screenX;
    HeadlessCursorY = screenY;
    DrawMouseCursor();
    return frame.Lit();
  }

  static PixelSet Cross(int x, int y) {
    PixelSet cross;
    for (int k = -5; k <= 5; ++k) {
      int64_t ax = x + k, ay = y + k;
      if (ax >= 0 && ax < 320) cross.insert({static_cast<int>(ax), y});
      if (ay >= 0 && ay < 240) cross.insert({x, static_cast<int>(ay)});
    }
    return cross;
  }

  GuardedFrame frame;
};

}  // namespace

TEST_F(CursorTest, DrawsAWhiteElevenPixelCrossOnTheMouse) {
  PixelSet cross = CursorAt(200, 380);  // render (100, 50)
  EXPECT_EQ(cross.size(), 21u);
  EXPECT_EQ(cross, Cross(100, 50));
  for (const auto& [x, y] : cross) {
    const uint8_t* pixel = frame.At(x, y);
    EXPECT_EQ(pixel[0] & pixel[1] & pixel[2] & pixel[3], 255);
  }
}

// At a corner only the two arms pointing into the frame remain, six pixels each with the
// shared centre: 11 pixels. The top and right corners come from the clamped mouse position.
TEST_F(CursorTest, KeepsOnlyTheInwardArmsAtTheCorners) {
  PixelSet bottomLeft = CursorAt(0, 480);
  EXPECT_EQ(bottomLeft.size(), 11u);
  EXPECT_EQ(bottomLeft, Cross(0, 0));
  EXPECT_TRUE(bottomLeft.count({5, 0}) && bottomLeft.count({0, 5}));
  EXPECT_EQ(CursorAt(639, 480), Cross(319, 0));
  EXPECT_EQ(CursorAt(0, 0), Cross(0, 239));
  PixelSet topRight = CursorAt(639, 0);
  EXPECT_EQ(topRight.size(), 11u);
  EXPECT_EQ(topRight, Cross(319, 239));
  EXPECT_TRUE(topRight.count({314, 239}) && topRight.count({319, 234}));
  EXPECT_TRUE(frame.GuardsIntact());
}
