// Polled keys and the cursor in render pixels.
#include "input/input.h"

#include "base/base.h"
#include "input/journal.h"

PlatformHandle WindowHandle = nullptr;

int IsKeyDown(int virtualKey) { return JournalGetAsyncKeyState(virtualKey) < 0 ? 1 : 0; }

int IsKeyUp(int virtualKey) { return IsKeyDown(virtualKey) ? 0 : 1; }

namespace {

// One axis of the cursor: its offset from the window's left edge, or from the bottom edge for
// rows (frame rows count upward), as a share of the window's extent times the render pixels of
// the axis, in single precision; clamped to the axis and truncated. The whole window rectangle
// is the reference. Without a window there is no rectangle to measure against: the cursor then
// reads as the bottom-left render pixel.
int CursorPixel(PlatformHandle window, bool rows, int32_t pixels) {
  PlatformRect rect;
  if (!JournalGetWindowRect(window, &rect)) return 0;
  int low = rows ? rect.top : rect.left, high = rows ? rect.bottom : rect.right;
  if (high == low) return 0;
  int px = 0, py = 0;
  JournalGetCursorPos(&px, &py);
  int offset = rows ? high - py : px - low;
  float f =
      static_cast<float>(offset) / static_cast<float>(high - low) * static_cast<float>(pixels);
  if (f < 0) return 0;
  if (f > static_cast<float>(pixels - 1)) return pixels - 1;
  return static_cast<int>(f);
}

}  // namespace

int GetMouseX(PlatformHandle window) { return CursorPixel(window, false, RenderWidth); }

int GetMouseY(PlatformHandle window) { return CursorPixel(window, true, RenderHeight); }
