// The headless cursor placed over the program's window so that it reads as a given render
// pixel, for the tools and benchmarks that draw frames with the mouse at a chosen place.
#pragma once

// Places the headless cursor on a screen pixel that GetMouseX and GetMouseY turn into exactly
// (x, y) over the main window; false when no screen pixel does (then the cursor is left on the
// nearest one tried). Without a window only (0, 0) can be read.
bool PlaceCursorOnRenderPixel(int x, int y);
