// Text formatting, the pixel writes and the text drawers.
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "frame/frame.h"
#include "overlay/overlay.h"

char TextBuffer[256];

// A caller formatting into TextBuffer gets at most 255 characters and the terminator, so an
// over-long text is cut instead of running over whatever lies after the buffer. The result is
// still the full length the text would have had. Other destinations are the caller's to size.
int FormatText(char* destination, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int written = destination == TextBuffer
                    ? std::vsnprintf(destination, sizeof(TextBuffer), format, arguments)
                    : std::vsprintf(destination, format, arguments);
  va_end(arguments);
  return written;
}

void PutPixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  if (x < 0 || x >= RenderWidth || y < 0 || y >= RenderHeight) return;
  uint8_t* pixel = FrameBuffer + 4 * (static_cast<size_t>(y) * RenderWidth + x);
  pixel[0] = red;
  pixel[1] = green;
  pixel[2] = blue;
  pixel[3] = 255;
}

void PutBackPixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  if (x < 0 || x >= RenderWidth || y < 0 || y >= RenderHeight) return;
  uint8_t* pixel = ReadbackBuffer + 4 * (static_cast<size_t>(y) * RenderWidth + x);
  pixel[0] = red;
  pixel[1] = green;
  pixel[2] = blue;
  pixel[3] = 255;
}

namespace {

constexpr int SmallGlyphLength = 80;  // rows 0 to 9 of 8 characters: all the drawer reads
constexpr int BigGlyphLength = 130;   // rows 0 to 12 of 10 characters
constexpr int SpaceCode = 32;

// Whether a table entry is a glyph of at least `length` characters rather than the short
// decimal text that stands in the entries of codes without one.
bool HoldsGlyph(const char* entry, int length) {
  for (int i = 0; i < length; ++i)
    if (entry[i] == '\0') return false;
  return true;
}

// The glyph a character draws with. The tables are indexed with the character as a signed
// byte, so codes 128 to 255 fall below the table and have no glyph, as do the codes whose entry
// is a decimal text. A character without a glyph is drawn as the font's space: no ink, and the
// pen moves on as for a space (3 pixels in the small font, 4 in the fixed one, 8 in the big
// one), so an unexpected byte leaves a gap rather than garbage or a read past a string.
const char* GlyphOf(const char* const* font, int entries, char character, int glyphLength) {
  int code = static_cast<signed char>(character);
  if (code >= 0 && code < entries && HoldsGlyph(font[code], glyphLength)) return font[code];
  return font[SpaceCode];
}

// The width digit of a small-layout glyph: '1' to '7'. Any other digit draws nothing and
// advances one blank column, so a damaged entry cannot send the column loop past its row.
int SmallGlyphWidth(const char* glyph) {
  int width = glyph[0] - '0';
  return width >= 1 && width <= 7 ? width : 0;
}

// Glyph pixels are placed in 64 bits: a pen or a row near the ends of the 32-bit range would
// otherwise overflow. Whatever does not fit 32 bits is far outside the frame anyway.
void PutGlyphPixel(int64_t x, int64_t y, uint8_t red, uint8_t green, uint8_t blue) {
  if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return;
  PutPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), red, green, blue);
}

constexpr size_t Unbounded = SIZE_MAX;  // a caller's own text: read up to its terminator

}  // namespace

// The glyph's columns stop at its width and its rows at 9: the width digit and '8' of row 0, the
// stray pixel of the y in row 10 and whatever lies past the width are never drawn.
void DrawSmallLayoutText(const char* const* font, int entries, const char* text, size_t maxLength,
                         int32_t x, int32_t y, int rowDirection, uint8_t red, uint8_t green,
                         uint8_t blue) {
  // Text whose rows go up the frame is also set one column to the right.
  int direction = rowDirection < 0 ? -1 : 1;
  int rowShift = direction < 0 ? 2 : -2;
  int columnShift = direction < 0 ? 0 : 1;
  int64_t pen = x;
  for (size_t i = 0; i < maxLength && text[i] != '\0'; ++i) {
    const char* glyph = GlyphOf(font, entries, text[i], SmallGlyphLength);
    int width = SmallGlyphWidth(glyph);
    for (int r = 1; r <= 9; ++r)
      for (int c = 0; c < width; ++c)
        if (glyph[8 * r + c] != '0')
          PutGlyphPixel(pen + c + columnShift, int64_t{y} + direction * r + rowShift, red, green,
                        blue);
    pen += width + 1;  // one blank column between glyphs
  }
}

// Every character takes eight columns; row 0 and the two trailing digits of each row are never
// drawn.
void DrawBigLayoutText(const char* const* font, int entries, const char* text, size_t maxLength,
                       int32_t x, int32_t y, int rowDirection, uint8_t red, uint8_t green,
                       uint8_t blue) {
  int direction = rowDirection < 0 ? -1 : 1;
  int64_t pen = x;
  for (size_t i = 0; i < maxLength && text[i] != '\0'; ++i) {
    const char* glyph = GlyphOf(font, entries, text[i], BigGlyphLength);
    for (int r = 1; r <= 12; ++r)
      for (int c = 0; c < 8; ++c)
        if (glyph[10 * r + c] != '0')
          PutGlyphPixel(pen + c, int64_t{y} + direction * r, red, green, blue);
    pen += 8;
  }
}

// The drawers of TextBuffer stop at the end of the buffer even without a terminator.
void DrawSmallText(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  DrawSmallLayoutText(SmallFont, 128, TextBuffer, sizeof(TextBuffer), x, y, -1, red, green, blue);
}

void DrawFixedText(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  DrawSmallLayoutText(FixedFont, 143, TextBuffer, sizeof(TextBuffer), x, y, +1, red, green, blue);
}

void DrawBigText(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  DrawBigLayoutText(BigFont, 143, TextBuffer, sizeof(TextBuffer), x, y, -1, red, green, blue);
}

void DrawBigString(const char* text, int32_t x, int32_t y, uint8_t red, uint8_t green,
                   uint8_t blue) {
  DrawBigLayoutText(BigFont, 143, text, Unbounded, x, y, +1, red, green, blue);
}
