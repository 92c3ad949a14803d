// Lines, rectangle outlines and the drawn mouse cursor.
#include <cstdlib>

#include "overlay/overlay.h"
#include "shell/shell.h"

void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t red, uint8_t green,
              uint8_t blue) {
  int32_t dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
  int32_t sx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
  int32_t sy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
  int32_t x = x0, y = y0;
  PutPixel(x, y, red, green, blue);
  if (dx > dy) {
    int32_t e = dy;
    for (int32_t i = 0; i < dx; ++i) {
      e += dy;
      if (e > dx) {
        e -= dx;
        y += sy;
      }
      x += sx;
      PutPixel(x, y, red, green, blue);
    }
  } else {
    int32_t e = dx;
    for (int32_t i = 0; i < dy; ++i) {
      e += dx;
      if (e > dy) {
        e -= dy;
        x += sx;
      }
      y += sy;
      PutPixel(x, y, red, green, blue);
    }
  }
}

void DrawRectOutline(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t red, uint8_t green,
                     uint8_t blue) {
  DrawLine(x0, y0, x1, y0, red, green, blue);
  DrawLine(x1, y0, x1, y1, red, green, blue);
  DrawLine(x0, y0, x0, y1, red, green, blue);
  DrawLine(x0, y1, x1, y1, red, green, blue);
}

void DrawMouseCursor() {
  int32_t x = GetMouseX(WindowHandle);
  int32_t y = GetMouseY(WindowHandle);
  DrawLine(x, y, x + 5, y, 255, 255, 255);
  DrawLine(x, y, x, y + 5, 255, 255, 255);
  DrawLine(x, y, x - 5, y, 255, 255, 255);
  DrawLine(x, y, x, y - 5, 255, 255, 255);
}
