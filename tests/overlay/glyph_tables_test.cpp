// The glyph tables against a second transcription of the fonts, typed separately as two
// hexadecimal digits per row (bit 7 = column 0), in code order. A wrong bit in either shows up
// as a mismatch naming the character, row and column.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "overlay/overlay.h"

namespace {

struct SmallHex {
  char character;
  int width;
  const char* rows;  // rows 1..9
};

struct BigHex {
  char character;
  const char* rows;  // rows 1..12
};

const SmallHex SmallGlyphsHex[] = {
    {'!', 2, "00 40 40 40 40 00 40 00 00"},  {'"', 3, "00 00 A0 A0 00 00 00 00 00"},
    {'#', 5, "00 00 50 F8 50 F8 50 00 00"},  {'$', 3, "00 40 60 80 40 20 C0 40 00"},
    {'%', 3, "00 00 80 20 40 80 20 00 00"},  {'&', 4, "00 00 40 A0 50 A0 50 00 00"},
    {'\'', 2, "00 00 00 40 40 00 00 00 00"}, {'(', 2, "00 00 40 80 80 80 80 40 00"},
    {')', 2, "00 00 80 40 40 40 40 80 00"},  {'*', 5, "00 00 00 A8 70 D8 70 A8 00"},
    {'+', 3, "00 00 00 40 E0 40 00 00 00"},  {',', 2, "00 00 00 00 00 00 40 80 00"},
    {'-', 3, "00 00 00 00 E0 00 00 00 00"},  {'.', 3, "00 00 00 00 00 00 40 00 00"},
    {'/', 4, "00 00 00 10 20 40 80 00 00"},  {'0', 3, "00 00 40 A0 A0 A0 40 00 00"},
    {'1', 3, "00 00 40 C0 40 40 E0 00 00"},  {'2', 3, "00 00 40 A0 20 40 E0 00 00"},
    {'3', 3, "00 00 C0 20 E0 20 C0 00 00"},  {'4', 3, "00 00 A0 A0 60 20 20 00 00"},
    {'5', 3, "00 00 E0 80 C0 20 E0 00 00"},  {'6', 3, "00 00 60 80 E0 A0 E0 00 00"},
    {'7', 3, "00 00 E0 20 20 40 40 00 00"},  {'8', 3, "00 00 40 A0 40 A0 40 00 00"},
    {'9', 3, "00 00 40 A0 60 20 20 00 00"},  {':', 1, "00 00 00 00 80 00 80 00 00"},
    {';', 2, "00 00 00 40 00 00 40 80 00"},  {'<', 3, "00 00 00 20 40 80 40 20 00"},
    {'=', 2, "00 00 00 C0 00 C0 00 00 00"},  {'>', 3, "00 00 00 80 40 20 40 80 00"},
    {'?', 3, "00 40 A0 20 40 00 40 00 00"},  {'@', 7, "00 00 38 44 9A AA 94 40 38"},
    {'A', 3, "00 00 40 A0 E0 A0 A0 00 00"},  {'B', 3, "00 00 C0 A0 C0 A0 C0 00 00"},
    {'C', 3, "00 00 60 80 80 80 60 00 00"},  {'D', 3, "00 00 C0 A0 A0 A0 C0 00 00"},
    {'E', 3, "00 00 E0 80 E0 80 E0 00 00"},  {'F', 3, "00 00 E0 80 E0 80 80 00 00"},
    {'G', 3, "00 00 60 80 A0 A0 60 00 00"},  {'H', 3, "00 00 A0 A0 E0 A0 A0 00 00"},
    {'I', 3, "00 00 E0 40 40 40 E0 00 00"},  {'J', 4, "00 00 70 20 20 A0 40 00 00"},
    {'K', 3, "00 00 A0 A0 C0 A0 A0 00 00"},  {'L', 3, "00 00 80 80 80 80 E0 00 00"},
    {'M', 5, "00 00 50 F8 A8 A8 A8 00 00"},  {'N', 4, "00 00 90 D0 B0 90 90 00 00"},
    {'O', 4, "00 00 60 90 90 90 60 00 00"},  {'P', 3, "00 00 E0 A0 E0 80 80 00 00"},
    {'Q', 4, "00 00 60 90 90 B0 70 00 00"},  {'R', 4, "00 00 E0 90 E0 A0 90 00 00"},
    {'S', 3, "00 00 60 80 E0 20 E0 00 00"},  {'T', 3, "00 00 E0 40 40 40 40 00 00"},
    {'U', 3, "00 00 A0 A0 A0 A0 E0 00 00"},  {'V', 3, "00 00 A0 A0 A0 40 40 00 00"},
    {'W', 5, "00 00 A8 A8 A8 F8 50 00 00"},  {'X', 5, "00 00 88 50 20 50 88 00 00"},
    {'Y', 3, "00 00 A0 A0 E0 40 40 00 00"},  {'Z', 4, "00 00 F0 10 20 C0 F0 00 00"},
    {'[', 2, "00 00 C0 80 80 80 80 C0 00"},  {'\\', 4, "00 00 00 80 40 20 10 00 00"},
    {']', 2, "00 00 C0 40 40 40 40 C0 00"},  {'^', 3, "00 00 00 40 A0 00 00 00 00"},
    {'_', 3, "00 00 00 00 00 00 E0 00 00"},  {'a', 4, "00 00 00 00 60 A0 50 00 00"},
    {'b', 3, "00 00 00 80 C0 A0 C0 00 00"},  {'c', 3, "00 00 00 00 60 80 60 00 00"},
    {'d', 3, "00 00 00 20 60 A0 60 00 00"},  {'e', 3, "00 00 00 00 40 80 60 00 00"},
    {'f', 2, "00 00 00 40 80 C0 80 80 00"},  {'g', 3, "00 00 00 00 40 A0 60 20 40"},
    {'h', 3, "00 00 80 80 C0 A0 A0 00 00"},  {'i', 1, "00 00 80 00 80 80 80 00 00"},
    {'j', 2, "00 00 40 00 40 40 40 80 00"},  {'k', 3, "00 00 00 00 A0 C0 A0 00 00"},
    {'l', 1, "00 00 80 80 80 80 80 00 00"},  {'m', 5, "00 00 00 00 D8 A8 A8 00 00"},
    {'n', 3, "00 00 00 00 C0 A0 A0 00 00"},  {'o', 3, "00 00 00 00 40 A0 40 00 00"},
    {'p', 3, "00 00 00 00 C0 A0 C0 80 00"},  {'q', 3, "00 00 00 00 60 A0 60 20 00"},
    {'r', 2, "00 00 00 00 40 80 80 00 00"},  {'s', 3, "00 00 00 00 60 40 C0 00 00"},
    {'t', 3, "00 00 40 E0 40 40 40 00 00"},  {'u', 3, "00 00 00 00 A0 A0 E0 00 00"},
    {'v', 3, "00 00 00 00 A0 A0 40 00 00"},  {'w', 5, "00 00 00 00 A8 A8 50 00 00"},
    {'x', 3, "00 00 00 00 A0 40 A0 00 00"},  {'y', 3, "00 00 00 00 A0 A0 40 40 00"},
    {'z', 3, "00 00 00 00 C0 40 60 00 00"},
};

const BigHex BigGlyphsHex[] = {
    {' ', "00 00 00 00 00 00 00 00 00 00 00 00"},  {'!', "00 30 78 78 78 30 30 00 30 30 00 00"},
    {'"', "00 CC CC CC 48 00 00 00 00 00 00 00"},  {'#', "00 6C 6C FE 6C 6C 6C FE 6C 6C 00 00"},
    {'$', "30 30 7C C0 C0 78 0C 0C F8 30 30 00"},  {'%', "00 00 00 C4 CC 18 30 60 CC 8C 00 00"},
    {'&', "00 70 D8 D8 70 FA DE CC DC 76 00 00"},  {'\'', "00 60 60 60 C0 00 00 00 00 00 00 00"},
    {'(', "00 18 30 60 C0 C0 C0 60 30 18 00 00"},  {')', "00 C0 60 30 18 18 18 30 60 C0 00 00"},
    {'*', "00 00 00 66 3C FF 3C 66 00 00 00 00"},  {'+', "00 00 00 30 30 FC 30 30 00 00 00 00"},
    {',', "00 00 00 00 00 00 00 00 70 70 C0 00"},  {'-', "00 00 00 00 00 FE 00 00 00 00 00 00"},
    {'.', "00 00 00 00 00 00 00 00 38 38 00 00"},  {'/', "00 01 03 06 0C 18 30 60 C0 80 00 00"},
    {'0', "00 7C C6 CE DE D6 F6 E6 C6 7C 00 00"},  {'1', "00 10 30 F0 30 30 30 30 30 FC 00 00"},
    {'2', "00 78 CC CC 0C 18 30 60 CC FC 00 00"},  {'3', "00 78 CC 0C 0C 38 0C 0C CC 78 00 00"},
    {'4', "00 0C 1C 3C 6C CC FE 0C 0C 1E 00 00"},  {'5', "00 FC C0 C0 C0 F8 0C 0C CC 78 00 00"},
    {'6', "00 38 60 C0 C0 F8 CC CC CC 78 00 00"},  {'7', "00 FE C6 C6 06 0C 18 30 30 30 00 00"},
    {'8', "00 78 CC CC CC 78 DC CC CC 78 00 00"},  {'9', "00 78 CC CC CC 7C 18 18 30 70 00 00"},
    {':', "00 00 00 E0 E0 00 00 E0 E0 00 00 00"},  {';', "00 00 00 E0 E0 00 00 E0 E0 60 C0 00"},
    {'<', "00 0C 18 30 60 C0 60 30 18 0C 00 00"},  {'=', "00 00 00 00 FC 00 FC 00 00 00 00 00"},
    {'>', "00 C0 60 30 18 0C 18 30 60 C0 00 00"},  {'?', "00 78 CC 0C 18 30 30 00 30 30 00 00"},
    {'@', "00 00 7C C6 C6 DE DE C0 C0 7C 00 00"},  {'A', "00 30 78 CC CC CC FC CC CC CC 00 00"},
    {'B', "00 FC 66 66 66 7C 66 66 66 FC 00 00"},  {'C', "00 3C 66 C6 C0 C0 C0 C6 66 3C 00 00"},
    {'D', "00 F8 6C 66 66 66 66 66 6C F8 00 00"},  {'E', "00 FE 62 60 64 7C 64 60 62 FE 00 00"},
    {'F', "00 FE 66 62 64 7C 64 60 60 F0 00 00"},  {'G', "00 3C 66 C6 C0 C0 CE C6 66 3E 00 00"},
    {'H', "00 CC CC CC CC FC CC CC CC CC 00 00"},  {'I', "00 3C 18 18 18 18 18 18 18 3C 00 00"},
    {'J', "00 1E 0C 0C 0C 0C CC CC 4C 78 00 00"},  {'K', "00 E6 66 6C 6C 78 6C 6C 66 E6 00 00"},
    {'L', "00 F0 60 60 60 60 62 66 66 FE 00 00"},  {'M', "00 C6 EE FE FE D6 C6 C6 C6 C6 00 00"},
    {'N', "00 C6 C6 E6 F6 FE DE CE C6 C6 00 00"},  {'O', "00 38 6C C6 C6 C6 C6 C6 6C 38 00 00"},
    {'P', "00 FC 66 66 66 7C 60 60 60 F0 00 00"},  {'Q', "00 38 6C C6 C6 C6 CE DE 7C 0C 1E 00"},
    {'R', "00 F8 66 66 66 7C 6C 66 66 E6 00 00"},  {'S', "00 78 CC CC C0 70 18 CC CC 78 00 00"},
    {'T', "00 FC B4 30 30 30 30 30 30 78 00 00"},  {'U', "00 CC CC CC CC CC CC CC CC 78 00 00"},
    {'V', "00 CC CC CC CC CC CC CC 78 30 00 00"},  {'W', "00 C6 C6 C6 C6 D6 D6 6C 6C 6C 00 00"},
    {'X', "00 CC CC CC 78 30 78 CC CC CC 00 00"},  {'Y', "00 CC CC CC 4C 78 30 30 30 78 00 00"},
    {'Z', "00 FE CE 98 18 30 60 62 C6 FE 00 00"},  {'[', "3C 30 30 30 30 30 30 30 30 3C 00 00"},
    {'\\', "00 80 C0 60 30 18 0C 06 03 01 00 00"}, {']', "78 18 18 18 18 18 18 18 18 78 00 00"},
    {'^', "10 38 6C C6 00 00 00 00 00 00 00 00"},  {'_', "00 00 00 00 00 00 00 00 00 00 FF 00"},
    {'`', "00 C0 C0 60 00 00 00 00 00 00 00 00"},  {'a', "00 00 00 00 78 0C 7C CC CC 76 00 00"},
    {'b', "E0 60 60 60 7C 66 66 66 66 DC 00 00"},  {'c', "00 00 00 00 78 CC C0 C0 CC 78 00 00"},
    {'d', "1C 0C 0C 0C 7C CC CC CC CC 76 00 00"},  {'e', "00 00 00 00 78 CC FC C0 CC 78 00 00"},
    {'f', "00 38 6C 60 60 F8 60 60 60 F0 00 00"},  {'g', "00 00 00 00 76 CC CC CC 7C 0C CC 78"},
    {'h', "00 E0 60 60 6C 76 66 66 66 E6 00 00"},  {'i', "00 30 30 00 F0 30 30 30 30 FC 00 00"},
    {'j', "00 0C 0C 00 3C 0C 0C 0C 0C CC CC 78"},  {'k', "00 E0 60 60 66 6C 78 6C 66 E6 00 00"},
    {'l', "00 F0 30 30 30 30 30 30 30 FC 00 00"},  {'m', "00 00 00 00 FC D6 D6 D6 D6 C6 00 00"},
    {'n', "00 00 00 00 F8 CC CC CC CC CC 00 00"},  {'o', "00 00 00 00 38 C6 C6 C6 C6 38 00 00"},
    {'p', "00 00 00 00 DC 66 66 66 66 7C 60 F0"},  {'q', "00 00 00 00 76 CC CC CC CC 7C 0C 1E"},
    {'r', "00 00 00 00 EC 6E 76 60 60 F0 00 00"},  {'s', "00 00 00 00 78 CC 60 18 CC 78 00 00"},
    {'t', "00 20 60 FC 60 60 60 60 6C 38 00 00"},  {'u', "00 00 00 00 CC CC CC CC CC 76 00 00"},
    {'v', "00 00 00 00 CC CC CC CC 78 30 00 00"},  {'w', "00 00 00 00 C6 C6 D6 D6 6C 6C 00 00"},
    {'x', "00 00 00 00 C6 6C 38 38 6C C6 00 00"},  {'y', "00 00 00 00 66 66 66 66 3C 0C 18 F0"},
    {'z', "00 00 00 00 FC 8C 18 60 C4 FC 00 00"},  {'{', "00 1C 30 30 60 C0 60 30 30 1C 00 00"},
    {'|', "00 C0 C0 C0 C0 00 C0 C0 C0 C0 00 00"},  {'}', "00 E0 30 30 18 0C 18 30 30 E0 00 00"},
    {'~', "73 DA CE 00 00 00 00 00 00 00 00 00"},
};

// Row `row` (counted from 0) of a "hh hh ..." string as a byte.
int HexRow(const char* rows, int row) {
  std::string pair(rows + 3 * row, 2);
  return static_cast<int>(std::stoul(pair, nullptr, 16));
}

bool IsDigitString(const char* text, char low, char high) {
  for (const char* c = text; *c; ++c)
    if (*c < low || *c > high) return false;
  return true;
}

// Compares the ink of an 8-pixel row of a glyph string with a byte of the hex transcription.
void ExpectRow(const char* glyph, int start, int expected, const std::string& where) {
  for (int c = 0; c < 8; ++c) {
    bool ink = glyph[start + c] != '0';
    bool want = (expected >> (7 - c)) & 1;
    EXPECT_EQ(ink, want) << where << " column " << c;
  }
}

bool IsFixedFontsOwn(char character) {
  return std::strchr(" !#$&'()*,/:;<=>@[\\]{}|afijlmrw", character) != nullptr;
}

}  // namespace

TEST(GlyphTables, SmallFontMatchesTheHexTranscriptionBitForBit) {
  ASSERT_EQ(std::size(SmallGlyphsHex), 89u);
  for (const SmallHex& hex : SmallGlyphsHex) {
    const char* glyph = SmallFont[static_cast<int>(hex.character)];
    std::string where = std::string("small '") + hex.character + "'";
    ASSERT_EQ(std::strlen(glyph), 88u) << where;
    ASSERT_TRUE(IsDigitString(glyph, '0', '9')) << where;
    EXPECT_EQ(glyph[0], '0' + hex.width) << where;
    EXPECT_EQ(glyph[1], hex.character == '_' ? '7' : '8') << where;
    EXPECT_EQ(std::string(glyph + 2, 6), "000000") << where;
    for (int r = 1; r <= 9; ++r)
      ExpectRow(glyph, 8 * r, HexRow(hex.rows, r - 1), where + " row " + std::to_string(r));
    // Row 10 is blank except for the one pixel the y carries in column 0.
    ExpectRow(glyph, 80, hex.character == 'y' ? 0x80 : 0x00, where + " row 10");
  }
}

TEST(GlyphTables, BigFontMatchesTheHexTranscriptionBitForBit) {
  ASSERT_EQ(std::size(BigGlyphsHex), 95u);
  for (const BigHex& hex : BigGlyphsHex) {
    const char* glyph = BigFont[static_cast<int>(hex.character)];
    std::string where = std::string("big '") + hex.character + "'";
    ASSERT_EQ(std::strlen(glyph), 130u) << where;
    ASSERT_TRUE(IsDigitString(glyph, '0', '1')) << where;
    EXPECT_EQ(std::string(glyph, 10), "0000000000") << where;
    for (int r = 1; r <= 12; ++r) {
      ExpectRow(glyph, 10 * r, HexRow(hex.rows, r - 1), where + " row " + std::to_string(r));
      EXPECT_EQ(std::string(glyph + 10 * r + 8, 2), "00") << where << " row " << r;
    }
  }
}

// Codes 0..32 and 123..127 share one blank glyph of width 2, 80 characters long; 96 has none.
TEST(GlyphTables, SmallFontHasOneBlankGlyphAndNoBacktick) {
  const char* blank = SmallFont[0];
  EXPECT_EQ(std::string(blank), "28" + std::string(78, '0'));
  for (int code = 0; code <= 127; ++code)
    if (code <= 32 || code >= 123) {
      EXPECT_EQ(SmallFont[code], blank) << code;
    }
  EXPECT_STREQ(SmallFont[96], "96");
}

TEST(GlyphTables, BigFontHoldsDecimalTextsOutsideItsGlyphs) {
  for (int code = 0; code <= 141; ++code)
    if (code < 32 || code > 126) {
      EXPECT_EQ(std::string(BigFont[code]), std::to_string(code));
    }
  // Entry 142 is a small-layout glyph: the fixed font's closing brace (125).
  EXPECT_EQ(BigFont[142], FixedFont[125]);
  EXPECT_EQ(std::strlen(BigFont[142]), 88u);
}

// The fixed font keeps the small font's glyph (the same string) wherever it has none of its
// own, so M, N and W keep their small widths; its own glyphs are 3 wide in the small layout
// and draw nothing past column 2 or in row 10.
TEST(GlyphTables, FixedFontSharesTheSmallGlyphsAndAddsItsOwn) {
  for (int code = 0; code <= 141; ++code) {
    if (code < 32 || code == 96 || code > 125) {
      EXPECT_EQ(std::string(FixedFont[code]), std::to_string(code));
      continue;
    }
    const char* glyph = FixedFont[code];
    if (!IsFixedFontsOwn(static_cast<char>(code))) {
      EXPECT_EQ(glyph, SmallFont[code]) << static_cast<char>(code);
      continue;
    }
    std::string where = std::string("fixed '") + static_cast<char>(code) + "'";
    EXPECT_NE(glyph, SmallFont[code]) << where;
    ASSERT_EQ(std::strlen(glyph), 88u) << where;
    ASSERT_TRUE(IsDigitString(glyph, '0', '9')) << where;
    EXPECT_EQ(std::string(glyph, 8), "38000000") << where;
    for (int r = 1; r <= 10; ++r)
      EXPECT_EQ(std::string(glyph + 8 * r + 3, 5), "00000") << where << " row " << r;
    EXPECT_EQ(std::string(glyph + 80, 8), "00000000") << where;
  }
  EXPECT_EQ(FixedFont[142], FixedFont[125]);
  EXPECT_EQ(std::strchr(FixedFont[32] + 8, '1'), nullptr);  // the fixed space is blank
}
