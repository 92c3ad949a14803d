// Text formatting and the text drawers: a few glyphs worked by hand for each drawer's
// placement, and what no sheet shows (clipping, the ends of the coordinate range, the
// end of the shared buffer). Every glyph of every font is guarded by font_sheets_test.cpp.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "overlay/overlay.h"
#include "tests/overlay/guarded_frame.h"

namespace {

enum class Drawer { Small, Fixed, Big, BigString };

// The pixels `text` lights on a cleared frame with one of the four drawers (DrawBigString gets
// the text itself, the others find it in TextBuffer).
PixelSet Draw(GuardedFrame& frame, Drawer drawer, const std::string& text, int32_t x, int32_t y) {
  frame.Clear();
  FormatText(TextBuffer, "%s", text.c_str());
  if (drawer == Drawer::Small) DrawSmallText(x, y, 255, 255, 0);
  if (drawer == Drawer::Fixed) DrawFixedText(x, y, 255, 255, 0);
  if (drawer == Drawer::Big) DrawBigText(x, y, 255, 255, 0);
  if (drawer == Drawer::BigString) DrawBigString(text.c_str(), x, y, 255, 255, 0);
  return frame.Lit();
}

}  // namespace

// An overlong text in the shared buffer is cut at 255 characters; the count is the full length.
TEST(FormatText, CutsTheSharedBufferAt255Characters) {
  EXPECT_EQ(FormatText(TextBuffer, "%s", std::string(300, 'x').c_str()), 300);
  EXPECT_EQ(std::string(TextBuffer), std::string(255, 'x'));
}

// The small digit one (rows 3..7 = 40 C0 40 40 E0, width 3) puts row r on y - r + 2; row 0
// (its width digit and '8') is never drawn. The fixed font sets row r on y + r - 2, one column
// right: its own l (C0 40 40 40 E0).
TEST(SmallLayout, PlacesTheRowsOfTheWorkedGlyphs) {
  GuardedFrame frame;
  EXPECT_EQ(
      Draw(frame, Drawer::Small, "1", 12, 70),
      (PixelSet{{13, 69}, {12, 68}, {13, 68}, {13, 67}, {13, 66}, {12, 65}, {13, 65}, {14, 65}}));
  EXPECT_EQ(frame.At(13, 69)[2], 0);  // yellow
  EXPECT_EQ(
      Draw(frame, Drawer::Fixed, "l", 20, 30),
      (PixelSet{{21, 31}, {22, 31}, {22, 32}, {22, 33}, {22, 34}, {21, 35}, {22, 35}, {23, 35}}));
}

// The big one, rows 1..12 = 00 10 30 F0 30 30 30 30 30 FC 00 00: DrawBigText puts row r on
// y - r, DrawBigString on y + r; columns on x + c in both.
TEST(BigLayout, PlacesRowsDownForTheBufferAndUpForAGivenString) {
  GuardedFrame frame;
  for (int direction : {-1, +1}) {
    PixelSet one;
    auto row = [&](int r, std::initializer_list<int> columns) {
      for (int c : columns) one.insert({100 + c, 100 + direction * r});
    };
    row(2, {3});
    row(3, {2, 3});
    row(4, {0, 1, 2, 3});
    for (int r = 5; r <= 9; ++r) row(r, {2, 3});
    row(10, {0, 1, 2, 3, 4, 5});
    EXPECT_EQ(Draw(frame, direction < 0 ? Drawer::Big : Drawer::BigString, "1", 100, 100), one);
  }
}

// Text crossing any edge keeps exactly the pixels that fall on the frame and writes nothing
// outside it: the same text drawn in the middle of the frame, moved. Positions at the ends of
// the 32-bit range neither wrap onto the frame nor overflow.
TEST(TextDrawers, ClipPixelByPixelAtEveryEdge) {
  GuardedFrame frame;
  const std::string text = "W@M#gjy_|Qq";
  for (Drawer drawer : {Drawer::Small, Drawer::Fixed, Drawer::Big, Drawer::BigString}) {
    PixelSet middle = Draw(frame, drawer, text, 120, 120);
    for (int32_t x : {-90, -7, 0, 1, 260, 315, 319, 320})
      for (int32_t y : {-12, -5, -1, 0, 7, 12, 230, 235, 239, 240, 252}) {
        EXPECT_EQ(Draw(frame, drawer, text, x, y),
                  MovedOntoFrame(middle, x - 120, y - 120, 320, 240))
            << static_cast<int>(drawer) << " at " << x << ", " << y;
      }
    for (int32_t x : {INT32_MIN, INT32_MAX - 5})
      for (int32_t y : {INT32_MIN, INT32_MIN + 3, INT32_MAX - 3, INT32_MAX})
        EXPECT_TRUE(Draw(frame, drawer, std::string(255, 'W'), x, y).empty());
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
