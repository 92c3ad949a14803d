// Text formatting, the pixel writes and the text drawers.
#include <cstdarg>
#include <cstdio>

#include "frame/frame.h"
#include "overlay/overlay.h"

char TextBuffer[256];

int FormatText(char* destination, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int written = std::vsprintf(destination, format, arguments);
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

// The glyph of a character. Codes without a glyph, and every code from 128 up (the tables are
// indexed with the character as a signed byte), draw the blank glyph of the small font.
const char* SmallGlyph(const char* const* font, int entries, unsigned char code) {
  if (code >= entries) return SmallFont[32];
  return font[code];
}

int GlyphWidth(const char* glyph) {
  int width = glyph[0] - '0';
  return width >= 1 && width <= 7 ? width : 0;
}

void DrawSmallLayout(const char* const* font, int entries, const char* text, int32_t x, int32_t y,
                     int rowSign, int rowOffset, int columnOffset, uint8_t red, uint8_t green,
                     uint8_t blue) {
  int32_t pen = x;
  for (const char* c = text; *c; ++c) {
    const char* glyph = SmallGlyph(font, entries, static_cast<unsigned char>(*c));
    int width = GlyphWidth(glyph);
    for (int r = 1; r <= 9; ++r)
      for (int col = 0; col < width; ++col)
        if (glyph[8 * r + col] != '0')
          PutPixel(pen + col + columnOffset, y + rowSign * r + rowOffset, red, green, blue);
    pen += width + 1;
  }
}

void DrawBigLayout(const char* text, int32_t x, int32_t y, int rowSign, uint8_t red,
                   uint8_t green, uint8_t blue) {
  int32_t pen = x;
  for (const char* c = text; *c; ++c) {
    unsigned char code = static_cast<unsigned char>(*c);
    if (code >= 32 && code <= 126) {
      const char* glyph = BigFont[code];
      for (int r = 1; r <= 12; ++r)
        for (int col = 0; col < 8; ++col)
          if (glyph[10 * r + col] != '0') PutPixel(pen + col, y + rowSign * r, red, green, blue);
    }
    pen += 8;
  }
}

}  // namespace

void DrawSmallText(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  DrawSmallLayout(SmallFont, 128, TextBuffer, x, y, -1, 2, 0, red, green, blue);
}

void DrawFixedText(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  DrawSmallLayout(FixedFont, 143, TextBuffer, x, y, +1, -2, 1, red, green, blue);
}

void DrawBigText(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  DrawBigLayout(TextBuffer, x, y, -1, red, green, blue);
}

void DrawBigString(const char* text, int32_t x, int32_t y, uint8_t red, uint8_t green,
                   uint8_t blue) {
  DrawBigLayout(text, x, y, +1, red, green, blue);
}
