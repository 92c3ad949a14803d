#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "frame/frame.h"
#include "overlay/overlay.h"
#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"

using namespace bmp_test;

namespace {

class SlotImage : public PictureDrawingTest {
 protected:
  // Puts a picture straight into the slot, red-green-blue per pixel as the loader leaves it.
  void Place(uint32_t slot, uint32_t width, uint32_t height, const std::vector<uint8_t>& rgb) {
    TextureSlot& image = TextureSlotTable[slot];
    image.pixels = static_cast<uint8_t*>(std::malloc(rgb.size()));
    std::memcpy(image.pixels, rgb.data(), rgb.size());
    image.width = width;
    image.height = height;
    image.bytesPerPixel = 3;
  }

  const uint8_t* At(int x, int y) { return FrameBuffer + 4 * (y * 320 + x); }
  bool Written(int x, int y) { return At(x, y)[3] == 255; }
};

// Row 0, left to right: key colour, black, (10, 20, 30). Row 1: (1, 2, 3), (4, 5, 6), (7, 8, 9).
const std::vector<uint8_t> Picture = {255, 0, 246, 0, 0, 0, 10, 20, 30,  //
                                      1,   2, 3,   4, 5, 6, 7,  8,  9};

TEST_F(SlotImage, CopiesRowZeroOntoLineYWithEveryColour) {
  Place(5, 3, 2, Picture);
  DrawSlotImage(100, 50, 5);
  EXPECT_EQ(At(100, 50)[0], 255);
  EXPECT_EQ(At(100, 50)[2], 246);
  EXPECT_TRUE(Written(101, 50));  // black is drawn too
  EXPECT_EQ(At(102, 50)[1], 20);
  EXPECT_EQ(At(102, 51)[0], 7);
  EXPECT_EQ(At(102, 51)[2], 9);
  // Taken as square, but only the two stored rows exist: nothing is read or drawn beyond them.
  EXPECT_FALSE(Written(100, 52));
  EXPECT_FALSE(Written(103, 50));
}

TEST_F(SlotImage, KeyedDrawingSkipsTheKeyColourAndBlack) {
  Place(5, 3, 2, Picture);
  DrawSlotImageKeyed(10, 20, 5);
  EXPECT_FALSE(Written(10, 20));
  EXPECT_FALSE(Written(11, 20));
  EXPECT_TRUE(Written(12, 20));
  EXPECT_EQ(At(10, 21)[0], 1);
  EXPECT_EQ(At(11, 21)[1], 5);
}

TEST_F(SlotImage, EmptySlotsAndTheScreenEdgeAreSafe) {
  DrawSlotImage(0, 0, 9);  // never loaded
  DrawSlotImageKeyed(0, 0, 5000);
  Place(5, 3, 2, Picture);
  DrawSlotImage(318, 239, 5);     // clipped by the pixel write
  EXPECT_EQ(At(319, 239)[1], 0);  // the black pixel (column 1, row 0)
  EXPECT_TRUE(Written(319, 239));
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 318; ++x) ASSERT_FALSE(Written(x, y)) << x << "," << y;
}

}  // namespace
