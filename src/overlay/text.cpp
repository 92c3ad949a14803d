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

void PutBackPixel(int32_t, int32_t, uint8_t, uint8_t, uint8_t) {}
void DrawSmallText(int32_t, int32_t, uint8_t, uint8_t, uint8_t) {}
void DrawBigText(int32_t, int32_t, uint8_t, uint8_t, uint8_t) {}
void DrawBigString(const char*, int32_t, int32_t, uint8_t, uint8_t, uint8_t) {}
void DrawFixedText(int32_t, int32_t, uint8_t, uint8_t, uint8_t) {}
