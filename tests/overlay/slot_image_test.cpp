// Slot pictures blitted into the frame, with and without the key colour.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "frame/frame.h"
#include "overlay/overlay.h"
#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"

namespace {

class SlotImage : public bmp_test::PictureDrawingTest {
 protected:
  // Row 0: key colour, black, (10, 20, 30). Row 1: (1, 2, 3), (4, 5, 6), (7, 8, 9).
  void SetUp() override {
    PictureDrawingTest::SetUp();
    const uint8_t rgb[18] = {255, 0, 246, 0, 0, 0, 10, 20, 30, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    TextureSlotTable[5] = TextureSlot{static_cast<uint8_t*>(std::malloc(18)), 3, 2, 3};
    std::memcpy(TextureSlotTable[5].pixels, rgb, 18);
  }
  const uint8_t* At(int x, int y) { return FrameBuffer + 4 * (y * 320 + x); }
  bool Written(int x, int y) { return At(x, y)[3] == 255; }
};

// Row 0 goes on line y, every colour; taken as square, but only the two stored rows exist.
TEST_F(SlotImage, CopiesRowZeroOntoLineYWithEveryColour) {
  DrawSlotImage(100, 50, 5);
  EXPECT_EQ(std::memcmp(At(100, 50), "\xff\x00\xf6\xff", 4), 0);
  EXPECT_TRUE(Written(101, 50));  // black is drawn too
  EXPECT_EQ(std::memcmp(At(102, 51), "\x07\x08\x09\xff", 4), 0);
  EXPECT_FALSE(Written(100, 52));
  EXPECT_FALSE(Written(103, 50));
}

// A slot never loaded or beyond the table draws nothing.
TEST_F(SlotImage, KeyedDrawingSkipsTheKeyColourAndBlack) {
  DrawSlotImage(0, 0, 9);
  DrawSlotImageKeyed(0, 0, 5000);
  EXPECT_FALSE(Written(0, 0));
  DrawSlotImageKeyed(10, 20, 5);
  EXPECT_FALSE(Written(10, 20));
  EXPECT_FALSE(Written(11, 20));
  EXPECT_TRUE(Written(12, 20));
  EXPECT_EQ(At(11, 21)[1], 5);
}

}  // namespace
