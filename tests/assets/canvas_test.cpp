// The asset writer's file encoding: rows bottom-up, pixels blue-green-red, right behind the
// header, as the program's loader reads them.
#include "tools/assets/canvas.h"

#include <gtest/gtest.h>

#include <string>

using assets::Canvas;
using assets::Rgb;

TEST(AssetBmp, StoresTheBottomRowFirstInBlueGreenRedRightBehindTheHeader) {
  // 4 x 2: rows of 12 bytes, no padding. The picture's bottom-left pixel (0, 1) is red, its
  // top-right pixel (3, 0) blue. Stored bottom row first, the file starts its pixels with the
  // red one as bytes 0, 0, 255 at offset 54 and ends with the blue one as 255, 0, 0.
  Canvas canvas = assets::MakeCanvas(4, 2, Rgb{10, 20, 30});
  assets::Plot(canvas, 0, 1, Rgb{255, 0, 0});
  assets::Plot(canvas, 3, 0, Rgb{0, 0, 255});
  std::vector<uint8_t> file = assets::EncodeBmp(canvas);
  ASSERT_EQ(file.size(), 54u + 4 * 2 * 3);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(file[2], 78);  // file size 78, little-endian
  EXPECT_EQ(file[10], 54);
  EXPECT_EQ(file[18], 4);  // width
  EXPECT_EQ(file[22], 2);  // height, positive: bottom-up
  EXPECT_EQ(file[26], 1);  // planes
  EXPECT_EQ(file[28], 24);
  EXPECT_EQ(file[30], 0);  // uncompressed
  EXPECT_EQ(file[54], 0);
  EXPECT_EQ(file[55], 0);
  EXPECT_EQ(file[56], 255);
  EXPECT_EQ(file[57], 30);  // (1, 1) is the fill: blue 30 first
  EXPECT_EQ(file[75], 255);
  EXPECT_EQ(file[76], 0);
  EXPECT_EQ(file[77], 0);
}
