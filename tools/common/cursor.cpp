#include "tools/common/cursor.h"

#include "base/base.h"
#include "input/input.h"
#include "platform/headless/headless.h"

// The window is 640 x 480 at (0, 0) after start-up, two screen pixels per render pixel: the
// second screen column of render column x, 2x + 1, converts to (2x + 1) / 640 * 320 = x + 0.5
// up to single-precision rounding and truncates to x; rows count up from the window's bottom
// edge, so render row y is screen row 480 - (2y + 1). The candidate is checked through the real
// conversion, and any other window size falls back to a search along the axis.
bool PlaceCursorOnRenderPixel(int x, int y) {
  PlatformRect rect;
  if (!HeadlessWindowRect(&rect)) return x == 0 && y == 0;
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HeadlessCursorX = rect.left + (2 * x + 1) * width / (2 * RenderWidth);
  HeadlessCursorY = rect.bottom - (2 * y + 1) * height / (2 * RenderHeight);
  for (int column = rect.left; GetMouseX(WindowHandle) != x && column < rect.right; ++column)
    HeadlessCursorX = column;
  for (int row = rect.top; GetMouseY(WindowHandle) != y && row < rect.bottom; ++row)
    HeadlessCursorY = row;
  return GetMouseX(WindowHandle) == x && GetMouseY(WindowHandle) == y;
}
