// Edge walks, face fills and the depth-tested outlines.
#include <cmath>

#include "tests/engine/engine_fixture.h"

namespace {

using Edges = EngineTest;

void SetVerticalEdges(double x, double y0, double y1, double width) {
  SetCornerA(x, y0, 0, 0, -100);
  SetCornerB(x + width, y0, 0, 0, -100);
  SetCornerC(x, y1, 0, 0, -100);
  SetCornerD(x + width, y1, 0, 0, -100);
}

// A vertical edge of 100 pixels: m = 100, the fine walk steps t by h = 1/3 (rounded) while
// t < 300. The running sum passes 300 at its 900th addition, so the loop writes 900 samples
// (entries 1..900, entry 1 repeating the start), and the end corner makes 902 entries. The
// coarse walk steps by 1 while t < 100: 100 samples, 102 entries.
TEST_F(Edges, WalkCountsOfAHundredPixelEdge) {
  SetVerticalEdges(50, 20, 120, 100);
  WalkLeftEdgeFine();
  EXPECT_EQ(LeftEdge.count, 902.0);
  EXPECT_EQ(LeftEdge.py[0], 20.0);
  EXPECT_EQ(LeftEdge.py[1], 20.0);
  // Entry 10 lies nine samples (t = 9 * h = 3, three increments of a third of a pixel) further:
  // one pixel.
  EXPECT_NEAR(LeftEdge.py[10], 21.0, 1e-12);
  EXPECT_EQ(LeftEdge.py[901], 120.0);
  EXPECT_EQ(LeftEdge.px[500], 50.0);
  WalkRightEdgeCoarse();
  EXPECT_EQ(RightEdge.count, 102.0);
  EXPECT_EQ(RightEdge.py[1], 20.0);
  EXPECT_EQ(RightEdge.py[2], 21.0);
  EXPECT_EQ(RightEdge.px[50], 150.0);
  EXPECT_EQ(RightEdge.py[101], 120.0);
}

// An x-major edge walks along x; the camera-space values are interpolated with it.
TEST_F(Edges, XMajorWalkInterpolatesEveryValue) {
  SetCornerA(10, 10, 0, 100, -100);
  SetCornerC(30, 15, 20, 200, -120);
  WalkLeftEdgeCoarse();
  EXPECT_EQ(LeftEdge.count, 22.0);
  EXPECT_EQ(LeftEdge.px[11], 20.0);  // t = 10 of 20
  EXPECT_EQ(LeftEdge.py[11], 12.5);
  EXPECT_EQ(LeftEdge.camX[11], 10.0);
  EXPECT_EQ(LeftEdge.camY[11], 150.0);
  EXPECT_EQ(LeftEdge.camZ[11], -110.0);
  EXPECT_EQ(LeftEdge.camZ[21], -120.0);
}

TEST_F(Edges, ZeroLengthEdgeHoldsItsTwoCorners) {
  SetCornerB(40, 40, 1, 2, -100);
  SetCornerD(40, 40, 3, 4, -200);
  WalkRightEdgeFine();
  EXPECT_EQ(RightEdge.count, 2.0);
  EXPECT_EQ(RightEdge.camX[0], 1.0);
  EXPECT_EQ(RightEdge.camX[1], 3.0);
  EXPECT_EQ(RightEdge.camZ[1], -200.0);
}

// A square face 100 pixels wide and high: every pixel of it is drawn, in the fine and in the
// coarse fill. In the fine fill the rows climb from 0 at the start corners (W / 902 * i stays
// below 1 for the first spans) to trunc(64 / 902 * 900) = 63 for the last samples of row 159,
// and the columns run 0 .. trunc(99 * 64 / 100) = 63 across. In the coarse fill the last
// writer of a pixel can be a later span's cross, at equal depth: row 60 takes row 1 from the
// span at y = 61 (trunc(64 / 102 * 2)).
TEST_F(Edges, SquareFaceIsCoveredWithRowsClimbing) {
  LightingEnabled = 0;
  MakeTexture(9, 64, 64);
  for (int coarse : {0, 1}) {
    std::memset(FrameBuffer, 0, 320 * 240 * 4);
    std::fill(depth.begin(), depth.end(), DepthClearValue);
    CoarseFillEnabled = coarse;
    SetVerticalEdges(100, 60, 160, 100);
    FillQuadFace(9);
    for (int y = 60; y < 160; ++y)
      for (int x = 100; x < 200; ++x) ASSERT_TRUE(Drawn(x, y)) << x << " " << y << " " << coarse;
    EXPECT_EQ(PixelAt(150, 60)[1], coarse ? 1 : 0);
    EXPECT_EQ(PixelAt(150, 159)[1], 63);
    EXPECT_EQ(PixelAt(199, 100)[0], 63);
  }
  CoarseFillEnabled = 0;
  FillQuadFace(9);
  EXPECT_EQ(PixelAt(100, 100)[0], 0);
}

// A triangle (C = D): both edges end in the same corner and the spans shrink towards it. The
// base is 64 pixels on a texture 64 wide, so the column advances one per pixel on every span:
// the texture is cut to the triangle, not squeezed into it. Halfway up, the span runs from
// x = 100 to 132 and pixel 130 shows column 30.
TEST_F(Edges, TriangleFillCutsTheTextureToItsShape) {
  LightingEnabled = CoarseFillEnabled = 0;
  MakeTexture(9, 64, 64);
  SetCornerA(100, 50, 0, 0, -100);
  SetCornerB(164, 50, 0, 0, -100);
  SetCornerC(100, 114, 0, 0, -100);
  SetCornerD(100, 114, 0, 0, -100);
  FillTriangleFace(9, 64.0f);
  EXPECT_TRUE(Drawn(101, 51));
  EXPECT_TRUE(Drawn(162, 51));
  EXPECT_FALSE(Drawn(150, 100));
  EXPECT_EQ(PixelAt(130, 82)[0], 30);
}

// The walk stores z + 0.800000011920929 (the single-precision bias widened); the end point is
// plotted again with its plain depth, so a line with both ends on one pixel stores the end depth.
TEST_F(Edges, LineDepthCarriesTheBiasButNotAtItsEnd) {
  DrawDepthLine(100.2, 100.7, -100, 100.2, 100.7, -100, 1);
  EXPECT_EQ(PixelAt(100, 100), (std::array<uint8_t, 4>{255, 255, 255, 255}));
  EXPECT_EQ(DepthAt(100, 100), -100.0);
  EXPECT_EQ(mask[100 * 320 + 100], 1u);
  EXPECT_EQ(DrawnCount(), 1);
  DrawDepthLine(10, 50, -100, 20, 50, -110, 0);
  EXPECT_EQ(DepthAt(15, 50), -105.0 + static_cast<double>(0.8f));
  EXPECT_EQ(DepthAt(20, 50), -110.0);
  // Behind a nearer surface a line point is not drawn; within the bias it is.
  depth[60 * 320 + 30] = -99.5;
  depth[60 * 320 + 31] = -99.0;
  DrawDepthLine(30, 60, -100, 31, 60, -100, 0);
  EXPECT_TRUE(Drawn(30, 60));
  EXPECT_FALSE(Drawn(31, 60));
}

// Lines keep two pixels off every edge of the frame: x = 1 and y = RenderHeight - 2 (238) are
// not drawn, x = 2 and y = 237 are.
TEST_F(Edges, LinesStayTwoPixelsInsideTheFrame) {
  DrawDepthLine(0, 100, -100, 5, 100, -100, 0);
  EXPECT_FALSE(Drawn(1, 100));
  EXPECT_TRUE(Drawn(2, 100));
  DrawDepthLine(50, 235, -100, 50, 239, -100, 0);
  EXPECT_TRUE(Drawn(50, 237));
  EXPECT_FALSE(Drawn(50, 238));
  // Beyond the near plane a line is not drawn.
  DrawDepthLine(60, 60, -50, 70, 60, -40, 0);
  EXPECT_FALSE(Drawn(65, 60));
}

// A y-major line steps one row at a time and moves x by ax / ay per row.
TEST_F(Edges, YMajorLineStepsRows) {
  DrawDepthLine(10, 10, -100, 12, 14, -100, 0);
  // rows 10..14, x = 10, 10.5, 11, 11.5, 12
  EXPECT_TRUE(Drawn(10, 10));
  EXPECT_TRUE(Drawn(10, 11));
  EXPECT_TRUE(Drawn(11, 12));
  EXPECT_TRUE(Drawn(11, 13));
  EXPECT_TRUE(Drawn(12, 14));
  EXPECT_EQ(DrawnCount(), 5);
}

// The outline's mask: the first pass (mask 1) keeps the fill off its pixels even where the fill
// is nearer; the second pass (mask 0) lifts the marks, and a later fill draws there again.
TEST_F(Edges, OutlineMaskBlocksTheFillUntilTheSecondPass) {
  LightingEnabled = TexturingEnabled = CoarseFillEnabled = 0;
  DrawDepthLine(50, 80, -500, 150, 80, -500, 1);
  DrawQuadSpan(50.5, 80.5, 0, 0, -100, 150.5, 80.5, 0, 0, -100, 0, 0);
  EXPECT_EQ(PixelAt(100, 80), (std::array<uint8_t, 4>{255, 255, 255, 255}));
  EXPECT_EQ(mask[80 * 320 + 100], 1u);
  DrawDepthLine(50, 80, -500, 150, 80, -500, 0);
  EXPECT_EQ(mask[80 * 320 + 100], 0u);
  DrawQuadSpan(50.5, 80.5, 0, 0, -100, 150.5, 80.5, 0, 0, -100, 0, 0);
  EXPECT_EQ(PixelAt(100, 80), (std::array<uint8_t, 4>{0, 0, 0, 255}));
}

TEST_F(Edges, NonFiniteOrEnormousLinesAreDropped) {
  double inf = std::numeric_limits<double>::infinity();
  DrawDepthLine(10, 10, -100, inf, 10, -100, 1);
  DrawDepthLine(std::nan(""), 10, -100, 20, 10, -100, 1);
  DrawDepthLine(-1e9, 10, -100, 1e9, 10, -100, 1);
  EXPECT_EQ(DrawnCount(), 0);
}

}  // namespace
