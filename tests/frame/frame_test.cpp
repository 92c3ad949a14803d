// The screen-sized buffers: what each clear touches and the read-back compositing step. Without
// a GL context the GL calls do nothing, so the read-back buffer holds what the test put there.
#include "frame/frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/support/saved_globals.h"

namespace {

constexpr size_t Pixels = 320 * 240;

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetRenderSize(320, 240);
    saved.Save(DepthBuffer, LineMaskBuffer);
    DepthBuffer = depth.data();
    LineMaskBuffer = mask.data();
  }
  std::vector<double> depth = std::vector<double>(Pixels, 5.0);
  std::vector<uint32_t> mask = std::vector<uint32_t>(Pixels, 7);
  SavedGlobals saved;
};

// The depth clear sets every depth to exactly -1,000,000 and leaves the outline mask; the frame
// clear zeroes every byte, alpha included.
TEST_F(FrameTest, ClearsTouchWhatTheyOwn) {
  ClearDepth();
  EXPECT_EQ(std::vector<double>(Pixels, -1000000.0), depth);
  EXPECT_EQ(std::vector<uint32_t>(Pixels, 7), mask);
  std::memset(FrameBuffer, 3, Pixels * 4);
  ClearFrame();
  EXPECT_EQ(std::vector<uint8_t>(FrameBuffer, FrameBuffer + Pixels * 4),
            std::vector<uint8_t>(Pixels * 4, 0));
}

// The read-back holds three bytes a pixel; (255, 0, 229), the GL clear colour, is the
// transparent key and leaves the frame's pixel; anything else is copied opaque.
TEST_F(FrameTest, CompositeCopiesEveryReadBackPixelButTheKeyColour) {
  std::memset(FrameBuffer, 9, Pixels * 4);
  const uint8_t readBack[5][3] = {
      {255, 0, 229}, {254, 0, 229}, {255, 1, 229}, {255, 0, 228}, {0, 0, 0}};
  std::memcpy(ReadbackBuffer, readBack, sizeof readBack);
  CompositeGLFrame();
  EXPECT_EQ(std::memcmp(FrameBuffer, "\x09\x09\x09\x09", 4), 0);
  for (int i = 1; i < 5; ++i) {
    EXPECT_EQ(std::memcmp(FrameBuffer + 4 * i, readBack[i], 3), 0) << i;
    EXPECT_EQ(FrameBuffer[4 * i + 3], 255) << i;
  }
}

}  // namespace
