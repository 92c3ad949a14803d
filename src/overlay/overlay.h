// Text and 2D overlay: formatting into the shared text buffer, bitmap fonts, the pixel write,
// lines, the drawn mouse cursor and slot pictures.
#pragma once

#include <cstddef>
#include <cstdint>

extern char TextBuffer[256];  // the shared text that the drawers draw

// The fonts: constant digit strings indexed by character code, in the layouts fonts.cpp
// describes. Entries of codes without a glyph hold the code's decimal number instead.
extern const char* const SmallFont[128];
extern const char* const FixedFont[143];
extern const char* const BigFont[143];

int FormatText(char* destination, const char* format, ...) __attribute__((format(printf, 2, 3)));
void PutPixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue);
void PutBackPixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue);
void DrawSmallText(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue);
void DrawBigText(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue);
void DrawBigString(const char* text, int32_t x, int32_t y, uint8_t red, uint8_t green,
                   uint8_t blue);
void DrawFixedText(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue);

// The steps those drawers share, for any table in the small or the big layout and any text, read
// up to its terminator or maxLength characters. Small layout: rowDirection -1 (or any negative)
// puts glyph row r, column c on (pen + c, y - r + 2) as DrawSmallText does, +1 (otherwise) on (pen
// + c + 1, y + r - 2) as DrawFixedText does. Big layout: row r on y + rowDirection * r, column c on
// pen + c. The font must hold a glyph for the space (entries > 32): a character without a glyph
// draws as one.
void DrawSmallLayoutText(const char* const* font, int entries, const char* text, size_t maxLength,
                         int32_t x, int32_t y, int rowDirection, uint8_t red, uint8_t green,
                         uint8_t blue);
void DrawBigLayoutText(const char* const* font, int entries, const char* text, size_t maxLength,
                       int32_t x, int32_t y, int rowDirection, uint8_t red, uint8_t green,
                       uint8_t blue);

void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t red, uint8_t green,
              uint8_t blue);
void DrawRectOutline(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t red, uint8_t green,
                     uint8_t blue);
void DrawMouseCursor();

// A slot's picture with its first row on line y (slot_images.cpp), every pixel, or without the
// pixels of the key colour (255, 0, 246) and black; an empty or unknown slot draws nothing.
void DrawSlotImage(int32_t x, int32_t y, uint32_t slot);
void DrawSlotImageKeyed(int32_t x, int32_t y, uint32_t slot);
