// The screen-sized buffers: their sizes, what each clear touches, the colour fill and the
// read-back compositing step. Without a GL context the GL calls do nothing, so the read-back
// buffer holds what the test put there.
#include "frame/frame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t Pixels = 320 * 240;

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetRenderSize(320, 240);
    savedDepth = DepthBuffer;
    savedMask = LineMaskBuffer;
    DepthBuffer = static_cast<double*>(std::malloc(Pixels * sizeof(double)));
    LineMaskBuffer = static_cast<uint32_t*>(std::malloc(Pixels * sizeof(uint32_t)));
  }
  void TearDown() override {
    std::free(DepthBuffer);
    std::free(LineMaskBuffer);
    DepthBuffer = savedDepth;
    LineMaskBuffer = savedMask;
    SetRenderSize(320, 240);
  }
  double* savedDepth = nullptr;
  uint32_t* savedMask = nullptr;
};

TEST_F(FrameTest, RenderSizeReallocatesBothScreenBuffersAtFourBytesAPixel) {
  SetRenderSize(64, 48);
  EXPECT_EQ(RenderWidth, 64);
  EXPECT_EQ(RenderHeight, 48);
  ASSERT_NE(FrameBuffer, nullptr);
  ASSERT_NE(ReadbackBuffer, nullptr);
  // Every byte is writable (a sanitizer build catches a short buffer).
  std::memset(FrameBuffer, 1, 64 * 48 * 4);
  std::memset(ReadbackBuffer, 1, 64 * 48 * 4);
  SetRenderSize(320, 240);
  std::memset(FrameBuffer, 2, Pixels * 4);
  std::memset(ReadbackBuffer, 2, Pixels * 4);
  EXPECT_EQ(FrameBuffer[Pixels * 4 - 1], 2);
}

TEST_F(FrameTest, ClearDepthSetsEveryDepthExactlyAndLeavesTheLineMask) {
  for (size_t i = 0; i < Pixels; ++i) {
    DepthBuffer[i] = 5.0;
    LineMaskBuffer[i] = static_cast<uint32_t>(i);
  }
  ClearDepth();
  for (size_t i = 0; i < Pixels; ++i) {
    ASSERT_EQ(DepthBuffer[i], -1000000.0) << "pixel " << i;
    ASSERT_EQ(LineMaskBuffer[i], static_cast<uint32_t>(i)) << "pixel " << i;
  }
}

// The fill keeps each pixel's alpha; the clear zeroes every byte, alpha included.
TEST_F(FrameTest, FillFrameColourKeepsEachPixelsAlphaAndClearFrameZeroesIt) {
  for (size_t i = 0; i < Pixels; ++i) FrameBuffer[4 * i + 3] = static_cast<uint8_t>(i * 7);
  FillFrameColour(10, 20, 30);
  for (size_t i = 0; i < Pixels; ++i) {
    ASSERT_EQ(FrameBuffer[4 * i], 10);
    ASSERT_EQ(FrameBuffer[4 * i + 1], 20);
    ASSERT_EQ(FrameBuffer[4 * i + 2], 30);
    ASSERT_EQ(FrameBuffer[4 * i + 3], static_cast<uint8_t>(i * 7));
  }
  ClearFrame();
  for (size_t i = 0; i < Pixels * 4; ++i) ASSERT_EQ(FrameBuffer[i], 0) << "byte " << i;
}

// The read-back holds three bytes a pixel; (255, 0, 229), the GL clear colour, is the
// transparent key. Red above 254 means exactly 255.
TEST_F(FrameTest, CompositeCopiesEveryReadBackPixelButTheKeyColourAtTheRenderSize) {
  std::memset(FrameBuffer, 9, Pixels * 4);
  const uint8_t readBack[5][3] = {
      {255, 0, 229},  // the key: left alone
      {254, 0, 229},  // red one below
      {255, 1, 229},  // green one above
      {255, 0, 228},  // blue one below
      {0, 0, 0},      // black is a colour like any other
  };
  for (int i = 0; i < 5; ++i) std::memcpy(ReadbackBuffer + 3 * i, readBack[i], 3);
  CompositeGLFrame();
  for (int c = 0; c < 4; ++c) EXPECT_EQ(FrameBuffer[c], 9) << "the keyed pixel, byte " << c;
  for (int i = 1; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(FrameBuffer[4 * i], readBack[i][0]);
    EXPECT_EQ(FrameBuffer[4 * i + 1], readBack[i][1]);
    EXPECT_EQ(FrameBuffer[4 * i + 2], readBack[i][2]);
    EXPECT_EQ(FrameBuffer[4 * i + 3], 255);
  }
  // At another render size nothing is copied.
  SetRenderSize(640, 480);
  std::memset(FrameBuffer, 9, 640 * 480 * 4);
  std::memset(ReadbackBuffer, 40, 640 * 480 * 4);
  CompositeGLFrame();
  for (size_t i = 0; i < 640 * 480 * 4; ++i) ASSERT_EQ(FrameBuffer[i], 9) << "byte " << i;
}

}  // namespace
