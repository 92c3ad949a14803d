// The asset writer's drawing and file encoding: what the program's loader and blitters depend on.
#include "tools/assets/canvas.h"

#include <gtest/gtest.h>

#include <string>

using assets::Canvas;
using assets::KeyColour;
using assets::Rgb;

namespace {

bool Same(Rgb a, Rgb b) { return a == b; }

}  // namespace

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

TEST(AssetCanvas, HalfPixelCentresDrawSymmetricShapes) {
  // Centred on 16 half pixels, the ellipse is mirror-symmetric about the line between pixels
  // 7 and 8; the mirrored stamp is symmetric by construction.
  Canvas canvas = assets::MakeCanvas(16, 16, KeyColour);
  assets::FillEllipse2(canvas, 16, 16, 11, 7, Rgb{1, 2, 3});
  int filled = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      EXPECT_EQ(assets::IsKey(canvas, x, y), assets::IsKey(canvas, 15 - x, y)) << x << "," << y;
      EXPECT_EQ(assets::IsKey(canvas, x, y), assets::IsKey(canvas, x, 15 - y)) << x << "," << y;
      filled += !assets::IsKey(canvas, x, y);
    }
  // Radii 5.5 and 3.5 pixels: about pi * 5.5 * 3.5 = 60 pixels.
  EXPECT_GT(filled, 50);
  EXPECT_LT(filled, 72);

  Canvas stamp = assets::MakeCanvas(8, 1, KeyColour);
  assets::StampMirrored(stamp, 0, 0, {"ab.."}, {{'a', Rgb{1, 1, 1}}, {'b', Rgb{2, 2, 2}}});
  EXPECT_TRUE(Same(assets::PixelAt(stamp, 0, 0), Rgb{1, 1, 1}));
  EXPECT_TRUE(Same(assets::PixelAt(stamp, 7, 0), Rgb{1, 1, 1}));
  EXPECT_TRUE(Same(assets::PixelAt(stamp, 6, 0), Rgb{2, 2, 2}));
  EXPECT_TRUE(assets::IsKey(stamp, 3, 0) && assets::IsKey(stamp, 4, 0));
}

TEST(AssetCanvas, OutlineRingsTheFigureOnlyOnTheKeyColour) {
  Canvas canvas = assets::MakeCanvas(5, 5, KeyColour);
  assets::Plot(canvas, 2, 2, Rgb{200, 10, 10});
  assets::Outline(canvas, Rgb{9, 9, 9});
  EXPECT_TRUE(Same(assets::PixelAt(canvas, 2, 2), Rgb{200, 10, 10}));
  for (auto [x, y] : {std::pair{1, 2}, {3, 2}, {2, 1}, {2, 3}})
    EXPECT_TRUE(Same(assets::PixelAt(canvas, x, y), Rgb{9, 9, 9}));
  // Diagonal neighbours and everything further stay transparent.
  EXPECT_TRUE(assets::IsKey(canvas, 1, 1));
  EXPECT_TRUE(assets::IsKey(canvas, 0, 2));
}

TEST(AssetCanvas, DrawingOutsideTheCanvasIsIgnored) {
  Canvas canvas = assets::MakeCanvas(4, 4, KeyColour);
  assets::Line(canvas, -10, -10, 13, 13, Rgb{5, 5, 5});
  assets::FillCircle(canvas, 100, 100, 5, Rgb{5, 5, 5});
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(Same(assets::PixelAt(canvas, i, i), Rgb{5, 5, 5}));
  EXPECT_TRUE(assets::IsKey(canvas, 0, 3));
  EXPECT_TRUE(Same(assets::PixelAt(canvas, -1, 0), KeyColour));
}

TEST(AssetNoise, IsOurOwnFixedSequence) {
  // xorshift32 from 1: 1 ^ (1 << 13) = 8193; 8193 >> 17 = 0; 8193 ^ (8193 << 5) = 270369.
  assets::Rng rng(1);
  EXPECT_EQ(rng.Next(), 270369u);
  // FNV-1a: the empty text is the offset basis; "a" is (2166136261 ^ 97) * 16777619 mod 2^32.
  EXPECT_EQ(assets::HashName(""), 2166136261u);
  EXPECT_EQ(assets::HashName("a"), 0xE40C292Cu);
  // Pictures seeded by name draw different noise, the same every time.
  assets::Rng a(assets::HashName("bmp_land/plain")), b(assets::HashName("bmp_land/plain"));
  assets::Rng c(assets::HashName("bmp_land/water"));
  uint32_t first = a.Next();
  EXPECT_EQ(first, b.Next());
  EXPECT_NE(first, c.Next());
}
