#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "overlay/overlay.h"
#include "tests/overlay/guarded_frame.h"

namespace {

void SetText(const std::string& text) {
  ASSERT_LT(text.size(), sizeof(TextBuffer));
  std::memcpy(TextBuffer, text.c_str(), text.size() + 1);
}

enum class Drawer { Small, Fixed, Big, BigString };
const Drawer AllDrawers[] = {Drawer::Small, Drawer::Fixed, Drawer::Big, Drawer::BigString};

// Draws `text` with one of the four drawers (DrawBigString gets the text itself, the others
// find it in TextBuffer) and returns the pixels it lit on a cleared frame.
PixelSet Draw(GuardedFrame& frame, Drawer drawer, const std::string& text, int32_t x, int32_t y) {
  frame.Clear();
  SetText(text);
  switch (drawer) {
    case Drawer::Small:
      DrawSmallText(x, y, 255, 255, 0);
      break;
    case Drawer::Fixed:
      DrawFixedText(x, y, 255, 255, 0);
      break;
    case Drawer::Big:
      DrawBigText(x, y, 255, 255, 0);
      break;
    case Drawer::BigString:
      DrawBigString(text.c_str(), x, y, 255, 255, 0);
      break;
  }
  return frame.Lit();
}

// The advance of the space in each font: the small font's blank glyph is 2 wide, the fixed
// font's space 3 wide, each followed by one blank column; big glyphs are 8 wide with no gap.
int SpaceAdvance(Drawer drawer) {
  switch (drawer) {
    case Drawer::Small:
      return 3;
    case Drawer::Fixed:
      return 4;
    default:
      return 8;
  }
}

}  // namespace

// The last write wins (no blending), alpha is opaque, element y * width + x: (3, 2) is the 20th
// pixel of an 8-wide frame. Every point off the frame is ignored.
TEST(PutPixel, WritesOpaqueOverwritesAndIgnoresPointsOffTheFrame) {
  GuardedFrame frame(8, 6);
  PutPixel(3, 2, 10, 20, 30);
  PutPixel(3, 2, 40, 50, 60);
  EXPECT_EQ(std::memcmp(FrameBuffer + 4 * 19, "\x28\x32\x3c\xff", 4), 0);
  EXPECT_EQ(frame.Lit(), (PixelSet{{3, 2}}));
  frame.Clear();
  for (int32_t x : {INT32_MIN, -1, 0, 7, 8, INT32_MAX})
    for (int32_t y : {INT32_MIN, -1, 0, 5, 6, INT32_MAX}) PutPixel(x, y, 1, 2, 3);
  EXPECT_EQ(frame.Lit(), (PixelSet{{0, 0}, {7, 0}, {0, 5}, {7, 5}}));
  EXPECT_TRUE(frame.GuardsIntact());
}

TEST(PutBackPixel, WritesTheReadbackBufferOnly) {
  GuardedFrame frame(8, 6);
  std::vector<uint8_t> readback(8 * 6 * 4, 0);
  uint8_t* saved = ReadbackBuffer;
  ReadbackBuffer = readback.data();
  PutBackPixel(2, 1, 7, 8, 9);
  PutBackPixel(8, 1, 7, 8, 9);
  PutBackPixel(2, -1, 7, 8, 9);
  ReadbackBuffer = saved;
  size_t at = 4 * (1 * 8 + 2);
  EXPECT_EQ(readback[at], 7);
  EXPECT_EQ(readback[at + 1], 8);
  EXPECT_EQ(readback[at + 2], 9);
  EXPECT_EQ(readback[at + 3], 255);
  int touched = 0;
  for (uint8_t byte : readback) touched += byte != 0;
  EXPECT_EQ(touched, 4);
  EXPECT_TRUE(frame.Lit().empty());
}

// Like printf, counting the characters; an overlong text in the shared buffer is cut at 255.
TEST(FormatText, FormatsLikePrintfAndCutsTheSharedBufferAt255Characters) {
  EXPECT_EQ(FormatText(TextBuffer, "mx=%d my=%d %s|%3.0f", 12, -7, "ok", 7.6), 18);
  EXPECT_STREQ(TextBuffer, "mx=12 my=-7 ok|  8");
  std::string longText(300, 'x');
  EXPECT_EQ(FormatText(TextBuffer, "%s", longText.c_str()), 300);
  EXPECT_EQ(std::string(TextBuffer), std::string(255, 'x'));
}

// The worked example of the small font: the digit one (rows 3..7 = 40 C0 40 40 E0, width 3)
// lands row r on frame row 70 - r + 2. Row 0, whose width digit and '8' are non-'0' digits in
// columns 0 and 1, would add (12, 72) and (13, 72) if it were drawn.
TEST(DrawSmallText, DrawsTheDigitOneAsTheEightPixelsOfTheExample) {
  GuardedFrame frame;
  PixelSet expected{{13, 69}, {12, 68}, {13, 68}, {13, 67}, {13, 66}, {12, 65}, {13, 65}, {14, 65}};
  EXPECT_EQ(Draw(frame, Drawer::Small, "1", 12, 70), expected);
  const uint8_t* pixel = frame.At(13, 69);
  EXPECT_EQ(pixel[0], 255);
  EXPECT_EQ(pixel[1], 255);
  EXPECT_EQ(pixel[2], 0);
  EXPECT_EQ(pixel[3], 255);
}

// After "1" at x = 12 the pen stands at 16 (width 3 plus one blank column): a second one is
// the first moved right by 4.
TEST(DrawSmallText, EndsThePenAfterTheWidthAndOneBlankColumn) {
  GuardedFrame frame;
  PixelSet one = Draw(frame, Drawer::Small, "1", 12, 70);
  PixelSet two = one;
  for (const Pixel& p : MovedOntoFrame(one, 4, 0, 320, 240)) two.insert(p);
  EXPECT_EQ(Draw(frame, Drawer::Small, "11", 12, 70), two);
  EXPECT_EQ(Draw(frame, Drawer::Small, "1", 16, 70), MovedOntoFrame(one, 4, 0, 320, 240));
}

// A space is blank and moves the pen: 3 in the small font, 8 in the big one (4 in the fixed
// font, whose space is 3 wide).
TEST(TextDrawers, AdvanceThePenBySpaceWidth) {
  GuardedFrame frame;
  for (Drawer drawer : AllDrawers) {
    PixelSet alone = Draw(frame, drawer, "1", 100, 100);
    ASSERT_FALSE(alone.empty());
    EXPECT_EQ(Draw(frame, drawer, " 1", 100, 100),
              MovedOntoFrame(alone, SpaceAdvance(drawer), 0, 320, 240))
        << "drawer " << static_cast<int>(drawer);
  }
}

// The big digit one, rows 1..12 = 00 10 30 F0 30 30 30 30 30 FC 00 00, worked pixel by pixel.
// DrawBigText puts row r on y - r, DrawBigString on y + r; columns on x + c in both.
TEST(BigText, PlacesRowsDownForTheBufferAndUpForAGivenString) {
  GuardedFrame frame;
  auto bigOne = [](int x, int y, int direction) {
    PixelSet pixels;
    auto row = [&](int r, std::initializer_list<int> columns) {
      for (int c : columns) pixels.insert({x + c, y + direction * r});
    };
    row(2, {3});
    row(3, {2, 3});
    row(4, {0, 1, 2, 3});
    for (int r = 5; r <= 9; ++r) row(r, {2, 3});
    row(10, {0, 1, 2, 3, 4, 5});
    return pixels;
  };
  PixelSet down = Draw(frame, Drawer::Big, "1", 100, 100);
  EXPECT_EQ(down.size(), 23u);
  EXPECT_EQ(down, bigOne(100, 100, -1));
  EXPECT_EQ(Draw(frame, Drawer::BigString, "1", 100, 100), bigOne(100, 100, +1));
}

// DrawFixedText sets glyph row r on y + r - 2 and column c on pen + c + 1. Its own l (rows
// 3..7 = C0 40 40 40 E0) and the small font's digit one it shares (40 C0 40 40 E0), at (20, 30):
TEST(DrawFixedText, PlacesRowsUpAndOneColumnRight) {
  GuardedFrame frame;
  PixelSet l{{21, 31}, {22, 31}, {22, 32}, {22, 33}, {22, 34}, {21, 35}, {22, 35}, {23, 35}};
  EXPECT_EQ(Draw(frame, Drawer::Fixed, "l", 20, 30), l);
  PixelSet one{{22, 31}, {21, 32}, {22, 32}, {22, 33}, {22, 34}, {21, 35}, {22, 35}, {23, 35}};
  EXPECT_EQ(Draw(frame, Drawer::Fixed, "1", 20, 30), one);
  // The fixed l is 3 wide: the one after it starts 4 columns on.
  PixelSet both = l;
  for (const Pixel& p : MovedOntoFrame(one, 4, 0, 320, 240)) both.insert(p);
  EXPECT_EQ(Draw(frame, Drawer::Fixed, "l1", 20, 30), both);
}

// The y carries an ink pixel in row 10, column 0, which must never show: rows 5..8 are
// A0 A0 40 40, so the glyph is exactly six pixels, in the small font and in the fixed one that
// shares it. Row 10 would land on (50, 42) and (51, 58).
TEST(SmallLayout, NeverDrawsRowTenOfTheY) {
  GuardedFrame frame;
  EXPECT_EQ(Draw(frame, Drawer::Small, "y", 50, 50),
            (PixelSet{{50, 47}, {52, 47}, {50, 46}, {52, 46}, {51, 45}, {51, 44}}));
  EXPECT_EQ(Draw(frame, Drawer::Fixed, "y", 50, 50),
            (PixelSet{{51, 53}, {53, 53}, {51, 54}, {53, 54}, {52, 55}, {52, 56}}));
}

namespace {

// A table of `entries` entries whose every code draws `glyph`.
struct TestFont {
  std::string glyph;
  std::vector<const char*> table;
  TestFont(std::string g, int entries) : glyph(std::move(g)), table(entries, nullptr) {
    for (const char*& entry : table) entry = glyph.c_str();
  }
};

}  // namespace

// No glyph of the real tables has ink past its width or in row 0 of the big layout, so a test
// font does: ink everywhere, width 2. Only columns 0..1 of rows 1..9 may show: 18 pixels.
TEST(SmallLayout, DrawsOnlyTheColumnsBelowTheWidthAndRowsOneToNine) {
  GuardedFrame frame;
  TestFont font("21111111" + std::string(80, '1'), 128);
  DrawSmallLayoutText(font.table.data(), 128, "a", 1, 10, 20, -1, 255, 255, 255);
  PixelSet expected;
  for (int r = 1; r <= 9; ++r)
    for (int c = 0; c < 2; ++c) expected.insert({10 + c, 20 - r + 2});
  EXPECT_EQ(frame.Lit(), expected);
}

// Big layout: ink in row 0 and in the two digits after each row's eight pixels must not show.
TEST(BigLayout, NeverDrawsRowZeroOrTheTwoDigitsAfterEachRow) {
  GuardedFrame frame;
  std::string glyph = "1111111111";
  for (int r = 1; r <= 12; ++r) glyph += "1000000011";
  TestFont font(glyph, 143);
  DrawBigLayoutText(font.table.data(), 143, "a", 1, 10, 50, -1, 255, 255, 255);
  PixelSet expected;
  for (int r = 1; r <= 12; ++r) expected.insert({10, 50 - r});
  EXPECT_EQ(frame.Lit(), expected);
}

// Every byte without a glyph draws nothing and moves the pen like a space: the control codes,
// the backtick (small and fixed), the ~ of the fixed font, DEL, and every byte from 128 up,
// which indexes the tables as a negative signed char. The small font draws its 2-wide blank
// glyph for the braces, the bar and the ~: nothing, and an advance of 3.
TEST(TextDrawers, DrawCodesWithoutAGlyphAsASpace) {
  GuardedFrame frame;
  std::vector<int> codes;
  for (int code = 1; code <= 31; ++code) codes.push_back(code);
  for (int code = 127; code <= 255; ++code) codes.push_back(code);
  codes.push_back('`');
  for (Drawer drawer : AllDrawers) {
    PixelSet reference =
        MovedOntoFrame(Draw(frame, drawer, "1", 100, 100), SpaceAdvance(drawer), 0, 320, 240);
    std::vector<int> all = codes;
    if (drawer == Drawer::Fixed) all.push_back('~');
    if (drawer == Drawer::Small) all.insert(all.end(), {'{', '|', '}', '~'});
    for (int code : all) {
      if (code == '`' && (drawer == Drawer::Big || drawer == Drawer::BigString)) continue;
      std::string text{static_cast<char>(code), '1'};
      EXPECT_EQ(Draw(frame, drawer, text, 100, 100), reference)
          << "drawer " << static_cast<int>(drawer) << " code " << code;
    }
    EXPECT_TRUE(frame.GuardsIntact());
  }
}

// Text crossing any edge keeps exactly the pixels that fall on the frame, and nothing is
// written outside it. The reference is the same text drawn in the middle of the frame, moved.
TEST(TextDrawers, ClipPixelByPixelAtEveryEdge) {
  GuardedFrame frame;
  const std::string text = "W@M#gjy_|Qq";
  for (Drawer drawer : AllDrawers) {
    PixelSet middle = Draw(frame, drawer, text, 120, 120);
    ASSERT_GT(middle.size(), 60u);
    for (int32_t x : {-90, -40, -7, -1, 0, 1, 260, 300, 315, 319, 320, 400})
      for (int32_t y : {-20, -12, -5, -1, 0, 3, 7, 12, 230, 235, 238, 239, 240, 245, 252, 260}) {
        EXPECT_EQ(Draw(frame, drawer, text, x, y),
                  MovedOntoFrame(middle, x - 120, y - 120, 320, 240))
            << "drawer " << static_cast<int>(drawer) << " at " << x << ", " << y;
        ASSERT_TRUE(frame.GuardsIntact());
      }
  }
}

// An empty text draws nothing; positions at the ends of the 32-bit range neither wrap onto the
// frame nor overflow.
TEST(TextDrawers, DrawNothingForAnEmptyTextOrFromTheEndsOfTheCoordinateRange) {
  GuardedFrame frame;
  std::string wide(255, 'W');
  for (Drawer drawer : AllDrawers) EXPECT_TRUE(Draw(frame, drawer, "", 100, 100).empty());
  for (Drawer drawer : AllDrawers)
    for (int32_t x : {INT32_MIN, INT32_MIN + 5, INT32_MAX - 5, INT32_MAX})
      for (int32_t y : {INT32_MIN, INT32_MIN + 3, INT32_MAX - 3, INT32_MAX}) {
        EXPECT_TRUE(Draw(frame, drawer, wide, x, y).empty());
        EXPECT_TRUE(frame.GuardsIntact());
      }
}

// A TextBuffer without a terminator is drawn to its end and no further: 256 small l's (each 5
// pixels, pen + 2) on a frame wide enough to hold them all.
TEST(DrawSmallText, StopsAtTheEndOfAnUnterminatedBuffer) {
  GuardedFrame frame(600, 20);
  std::memset(TextBuffer, 'l', sizeof(TextBuffer));
  DrawSmallText(0, 10, 255, 255, 255);
  TextBuffer[0] = '\0';
  PixelSet lit = frame.Lit();
  EXPECT_EQ(lit.size(), 256u * 5);
  EXPECT_EQ(lit.rbegin()->first, 510);
  EXPECT_TRUE(frame.GuardsIntact());
}
