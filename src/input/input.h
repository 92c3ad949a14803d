// Input: keys and mouse buttons polled when asked, never taken from window messages, and the
// cursor in render pixels.
#pragma once

#include "platform/platform.h"

// The main window, which the cursor is measured against; the shell's window code opens and
// closes it.
extern PlatformHandle WindowHandle;

int IsKeyDown(int virtualKey);  // 1 while the key (or mouse button 1, 2, 4) is held, else 0
int IsKeyUp(int virtualKey);    // the exact negation of IsKeyDown
// The cursor over the window as a render pixel: 0 .. RenderWidth - 1 from the left edge,
// 0 .. RenderHeight - 1 from the bottom edge up; a cursor outside the window is clamped.
int GetMouseX(PlatformHandle window);
int GetMouseY(PlatformHandle window);
