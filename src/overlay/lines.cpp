// Lines, rectangle outlines and the drawn mouse cursor.
#include <algorithm>
#include <cstdint>

#include "frame/frame.h"
#include "input/input.h"
#include "overlay/overlay.h"

namespace {

// A pixel of a line, in 64 bits because a line's far end may lie anywhere in the 32-bit range.
void PutLinePixel(bool xMajor, int64_t major, int64_t minor, uint8_t red, uint8_t green,
                  uint8_t blue) {
  int64_t x = xMajor ? major : minor;
  int64_t y = xMajor ? minor : major;
  if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) return;
  PutPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), red, green, blue);
}

// The walk of DrawLine along its longer (major) axis. Step i stands at major0 + i * majorStep;
// the error term starts at the minor extent and grows by it every step, and each time it
// exceeds the major extent it drops by that extent and the minor coordinate moves one pixel.
//
// Only the steps whose major coordinate lies on the frame are walked: the others could only be
// clipped by PutPixel, and skipping them keeps a line with far-off ends as cheap as one across
// the frame. The walk is entered at its first visible step with the state the full walk would
// have there: after `first` steps the term has grown to (first + 1) * minorExtent less one
// major extent per move, and it stays within 1 .. majorExtent, so the number of moves is
// ((first + 1) * minorExtent - 1) / majorExtent. Extents are below 2^32, so the products fit
// 64 bits unsigned.
void WalkLine(int64_t major0, int64_t minor0, int64_t majorStep, int64_t minorStep,
              uint64_t majorExtent, uint64_t minorExtent, int64_t majorLimit, bool xMajor,
              uint8_t red, uint8_t green, uint8_t blue) {
  int64_t first = 0, last = static_cast<int64_t>(majorExtent);
  if (majorStep > 0) {
    first = std::max(first, -major0);
    last = std::min(last, majorLimit - 1 - major0);
  } else if (majorStep < 0) {
    first = std::max(first, major0 - (majorLimit - 1));
    last = std::min(last, major0);
  } else if (major0 < 0 || major0 >= majorLimit) {
    return;  // a single point, off the frame
  }
  if (first > last) return;

  uint64_t error = 0, moves = 0;
  if (minorExtent > 0) {
    uint64_t grown = static_cast<uint64_t>(first + 1) * minorExtent;
    moves = (grown - 1) / majorExtent;
    error = grown - moves * majorExtent;
  }
  int64_t major = major0 + first * majorStep;
  int64_t minor = minor0 + static_cast<int64_t>(moves) * minorStep;
  PutLinePixel(xMajor, major, minor, red, green, blue);
  for (int64_t step = first; step < last; ++step) {
    error += minorExtent;
    if (error > majorExtent) {
      error -= majorExtent;
      minor += minorStep;
    }
    major += majorStep;
    PutLinePixel(xMajor, major, minor, red, green, blue);
  }
}

int64_t Sign(int64_t value) { return value > 0 ? 1 : value < 0 ? -1 : 0; }

uint64_t Extent(int64_t from, int64_t to) {
  return static_cast<uint64_t>(to > from ? to - from : from - to);
}

}  // namespace

// Integer only; the error term starts at the minor extent rather than half the major one and
// the comparison is strict, so (0, 0)-(10, 5) steps up at x = 2, 4, 6, 8, 10. Equal extents
// take the y-major walk. The line draws every pixel from (x0, y0) to (x1, y1) inclusive.
void DrawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t red, uint8_t green,
              uint8_t blue) {
  uint64_t dx = Extent(x0, x1), dy = Extent(y0, y1);
  int64_t sx = Sign(int64_t{x1} - x0), sy = Sign(int64_t{y1} - y0);
  if (dx > dy)
    WalkLine(x0, y0, sx, sy, dx, dy, RenderWidth, true, red, green, blue);
  else
    WalkLine(y0, x0, sy, sx, dy, dx, RenderHeight, false, red, green, blue);
}

// Corners are drawn more than once; the colour is the same, so nothing shows it.
void DrawRectOutline(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t red, uint8_t green,
                     uint8_t blue) {
  DrawLine(x0, y0, x1, y0, red, green, blue);
  DrawLine(x1, y0, x1, y1, red, green, blue);
  DrawLine(x0, y0, x0, y1, red, green, blue);
  DrawLine(x0, y1, x1, y1, red, green, blue);
}

// The program's own cursor: a white cross of four 5-pixel arms around the mouse, 11 x 11
// pixels, clipped at the frame's edges like any line.
void DrawMouseCursor() {
  int32_t x = GetMouseX(WindowHandle);
  int32_t y = GetMouseY(WindowHandle);
  DrawLine(x, y, x + 5, y, 255, 255, 255);
  DrawLine(x, y, x, y + 5, 255, 255, 255);
  DrawLine(x, y, x - 5, y, 255, 255, 255);
  DrawLine(x, y, x, y - 5, 255, 255, 255);
}
