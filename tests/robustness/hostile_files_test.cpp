// Pictures of no pixels: a header that asks for 0 x 16, 16 x 0 or 0 x 0 pixels passes every
// check and needs no pixel byte. The slot holds an image of no pixels (a block, never null, so
// "loaded" stays "has an image"), and drawing it draws nothing and reads nothing.
#include <gtest/gtest.h>

#include "overlay/overlay.h"
#include "tests/support/scratch_folder.h"
#include "tests/textures/bmp_test_files.h"

namespace {

using bmp_test::PictureDrawingTest;

TEST_F(PictureDrawingTest, PictureOfNoPixelsLoadsAndDrawsNothing) {
  ScratchFolder folder;
  const uint32_t sizes[][2] = {{0, 16}, {16, 0}, {0, 0}};
  for (const auto& size : sizes) {
    std::string path = folder / "empty.bmp";
    // Pixels behind the header that must not be taken: the image has room for none of them.
    WriteFileBytes(path, bmp_test::Bmp24(size[0], size[1], bmp_test::PatternBytes(30)));
    ASSERT_TRUE(LoadBmpIntoSlot(path.c_str(), 21)) << size[0] << " x " << size[1];
    const TextureSlot& slot = TextureSlotTable[21];
    EXPECT_EQ(slot.width * 1000 + slot.height, size[0] * 1000 + size[1]);
    EXPECT_NE(slot.pixels, nullptr);
    DrawSlotImage(10, 10, 21);
    DrawSlotImageKeyed(10, 10, 21);
    int drawn = 0;
    for (int i = 0; i < 320 * 240 * 4; ++i) drawn += FrameBuffer[i] != 0;
    EXPECT_EQ(drawn, 0) << size[0] << " x " << size[1];
  }
}

}  // namespace
