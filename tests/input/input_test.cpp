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

// Down is the held bit alone: a key pressed and let go since the last query is not down.
TEST_F(InputTest, KeyIsDownOnlyWhileHeld) {
  HeadlessKeysPressedSinceQuery['T'] = true;
  EXPECT_EQ(IsKeyDown('T'), 0);
  HeadlessKeys['T'] = true;
  EXPECT_EQ(IsKeyDown('T'), 1);
  EXPECT_EQ(IsKeyDown('T'), 1);  // and stays down while held, query after query
}

// Window 640 x 480 at (100, 50): render x = (px - 100) / 640 * 320, y = (530 - py) / 480 * 240,
// clamped and truncated (exact binary fractions, so exact in single precision too).
TEST_F(InputTest, MousePositionIsMeasuredAgainstTheWholeWindowWithRowsCountedUpward) {
  PlatformHandle window = PlaceWindow(100, 50, 640, 480);
  const int cases[][4] = {
      {260, 410, 80, 60},   // a quarter across, a quarter up (from the top it would be 180)
      {100, 530, 0, 0},     // the left edge; just below the last row: the bottom edge
      {101, 529, 0, 0},     // 1 / 640 * 320 and 1 / 480 * 240 are 0.5: truncated to 0
      {90, 600, 0, 0},      // left of and below the window: clamped rather than truncated
      {740, 50, 319, 239},  // one past the last column; the top screen row: f = 320, 240
      {5000, -70, 319, 239},
  };
  for (const auto& c : cases) {
    HeadlessCursorX = c[0];
    HeadlessCursorY = c[1];
    EXPECT_EQ(GetMouseX(window), c[2]) << c[0];
    EXPECT_EQ(GetMouseY(window), c[3]) << c[1];
  }
  EXPECT_TRUE(GetMouseX(nullptr) == 0 && GetMouseY(nullptr) == 0);  // no window: bottom left
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
    EXPECT_TRUE(GetMouseX(window) == 319 && GetMouseY(window) == 239);
  }
}

}  // namespace
