// Font sheets: every byte from 1 to 255 drawn by each of the four text drawers, sixteen to a
// line with a "1" after them (so the advance of every byte shows), fourteen rows apart on a
// cleared 320 x 240 frame, as FNV-1a 64-bit hashes of the frame.
//
// How the values were obtained: recorded on 2026-12-06 (parent commit bd5b143) while, in the
// same run, the glyph table test that held a separate hexadecimal transcription of all three
// fonts (one byte per glyph row, typed apart from the tables) and the drawer tests worked by
// hand (glyph placement per drawer, the advance of a space, bytes without a glyph drawing as a
// space) all passed.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/fnv1a.h"
#include "overlay/overlay.h"
#include "tests/overlay/guarded_frame.h"

namespace {

// Drawer 0: DrawSmallText, 1: DrawFixedText, 2: DrawBigText, 3: DrawBigString.
uint64_t SheetHash(int drawer) {
  GuardedFrame frame;
  for (int line = 0; line < 16; ++line) {
    std::string text;
    for (int code = 16 * line; code < 16 * line + 16; ++code)
      if (code > 0) text += static_cast<char>(code);
    text += '1';
    FormatText(TextBuffer, "%s", text.c_str());
    int32_t y = 14 + 14 * line;
    if (drawer == 0) DrawSmallText(4, y, 255, 255, 255);
    if (drawer == 1) DrawFixedText(4, y, 255, 255, 255);
    if (drawer == 2) DrawBigText(4, y, 255, 255, 255);
    if (drawer == 3) DrawBigString(text.c_str(), 4, y - 13, 255, 255, 255);
  }
  EXPECT_TRUE(frame.GuardsIntact());
  return Fnv1a64(FrameBuffer, 320 * 240 * 4);
}

TEST(FontSheets, EachDrawerDrawsEveryByteAsRecorded) {
  EXPECT_EQ(SheetHash(0), 0xb98704e407ff4d19ull);
  EXPECT_EQ(SheetHash(1), 0x4a25bb753301f03dull);
  EXPECT_EQ(SheetHash(2), 0x883cb07ef954286dull);
  EXPECT_EQ(SheetHash(3), 0xc15e66b2b9a1806dull);
}

}  // namespace
