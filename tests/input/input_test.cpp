// Polled keys and the mouse queries on the headless backend.
#include "input/input.h"

#include <gtest/gtest.h>

#include "frame/frame.h"
#include "platform/headless/headless.h"

namespace {

// A window of the given client size placed at (left, top), made directly through the seam.
PlatformHandle PlaceWindow(int left, int top, int width, int height) {
  PlatformRegisterWindowClass(PlatformModuleHandle());
  PlatformHandle window =
      PlatformCreateWindow(PlatformModuleHandle(), "test", width, height, false);
  PlatformMoveWindow(window, left, top, width, height, true);
  return window;
}

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessReset();
    SetRenderSize(320, 240);
  }
  void TearDown() override { HeadlessReset(); }
};

TEST_F(InputTest, KeyIsDownOnlyWhileHeld) {
  EXPECT_EQ(IsKeyDown('T'), 0);
  EXPECT_EQ(IsKeyUp('T'), 1);
  HeadlessKeys['T'] = true;
  EXPECT_EQ(IsKeyDown('T'), 1);
  EXPECT_EQ(IsKeyUp('T'), 0);
  EXPECT_EQ(IsKeyDown('I'), 0);
}

// Window 640 x 480 at (100, 50): render x = (px - 100) / 640 * 320, render y = (530 - py) / 480
// * 240. The positions below give exact binary fractions, so the single-precision results are
// exact too.
TEST_F(InputTest, MousePositionIsMeasuredAgainstTheWholeWindowWithRowsCountedUpward) {
  PlatformHandle window = PlaceWindow(100, 50, 640, 480);
  HeadlessCursorX = 260;  // 160 / 640 = 0.25 -> 80
  HeadlessCursorY = 410;  // (530 - 410) / 480 = 0.25 -> 60; counted from the top it would be 180
  EXPECT_EQ(GetMouseX(window), 80);
  EXPECT_EQ(GetMouseY(window), 60);
  HeadlessCursorX = 100;  // the window's left edge
  HeadlessCursorY = 530;  // just below the window's last row: the bottom edge
  EXPECT_EQ(GetMouseX(window), 0);
  EXPECT_EQ(GetMouseY(window), 0);
  HeadlessCursorY = 529;  // the bottom screen row: 1 / 480 * 240 = 0.5 -> 0
  EXPECT_EQ(GetMouseY(window), 0);
}

TEST_F(InputTest, MousePositionOutsideTheWindowIsClampedToTheNearestEdge) {
  PlatformHandle window = PlaceWindow(100, 50, 640, 480);
  HeadlessCursorY = 290;
  HeadlessCursorX = 90;  // left of the window: f = -5, clamped rather than truncated
  EXPECT_EQ(GetMouseX(window), 0);
  HeadlessCursorX = 740;  // one past the last column: f = 320
  EXPECT_EQ(GetMouseX(window), 319);
  HeadlessCursorX = 5000;
  EXPECT_EQ(GetMouseX(window), 319);
  HeadlessCursorX = 420;
  HeadlessCursorY = 600;  // below the window: f = -35
  EXPECT_EQ(GetMouseY(window), 0);
  HeadlessCursorY = 50;  // the top screen row: f = 240
  EXPECT_EQ(GetMouseY(window), 239);
  HeadlessCursorY = -70;  // above the screen itself
  EXPECT_EQ(GetMouseY(window), 239);
}

// The last screen column is (320s - 1) / 320s * 320 = 320 - 1/s render pixels in: 319 at every
// scale once truncated (at scale 1 the single-precision quotient rounds up to exactly 319).
TEST_F(InputTest, LastScreenColumnIsTheLastRenderColumnAtEveryScale) {
  for (int scale = 1; scale <= 4; ++scale) {
    SCOPED_TRACE(scale);
    HeadlessReset();
    PlatformHandle window = PlaceWindow(37, 11, 320 * scale, 240 * scale);
    HeadlessCursorY = 11;
    HeadlessCursorX = 37 + 320 * scale - 1;
    EXPECT_EQ(GetMouseX(window), 319);
    HeadlessCursorX = 37;
    EXPECT_EQ(GetMouseX(window), 0);
    EXPECT_EQ(GetMouseY(window), 239);  // the top screen row
  }
}

TEST_F(InputTest, MousePositionWithoutAWindowIsTheBottomLeftPixel) {
  HeadlessCursorX = 300;
  HeadlessCursorY = 200;
  EXPECT_EQ(GetMouseX(nullptr), 0);
  EXPECT_EQ(GetMouseY(nullptr), 0);
}

}  // namespace
