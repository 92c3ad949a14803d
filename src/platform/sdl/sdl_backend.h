// State that the files of the sdl backend share; nothing outside src/platform/sdl/ includes it.
//
// Platform: Linux and other systems with SDL2. Limitations: one window at a time. Dependencies:
// SDL2 (video, events), OpenGL through SDL's GL context.
#pragma once

#include <SDL.h>

#include "platform/platform.h"

// The one window of the program. Its address is the window handle the shell holds, so a handle
// stays valid across SDL's own objects being destroyed and made anew.
struct SdlWindowRecord {
  SDL_Window* window;           // null when there is none
  bool deviceContextHandedOut;  // GetDC gave the device context and ReleaseDC has not taken it
  int pixelFormat;              // 0 until SetPixelFormat; a window takes one format only
  SDL_GLContext glContext;      // the one context, current or not; null when there is none
};

extern SdlWindowRecord SdlWindow;

// Brings SDL's video up on first use; false when there is no display to show a window on.
bool SdlEnsureVideo();
// The window handle of the shell when a window exists, else null.
PlatformHandle SdlWindowHandle();
// Called by the default window procedure when a screen-saver request reached it.
void SdlNoteScreenSaverPassedOn();
// The pointer's desktop position and its buttons as an SDL button mask (sdl_x11_input.cpp).
Uint32 SdlQueryPointer(int* x, int* y);
// Whether the X server holds the key of virtualKey down now, in *held; false when SDL does not
// run on X11 and SDL's keyboard state must answer (sdl_x11_input.cpp).
bool SdlX11KeyHeld(int virtualKey, bool* held);
// Bracket a message box that waits for its answer (sdl_events.cpp): a close signal while it
// waits, or one still pending when it opens, ends the process at once.
void SdlBeginModalBox();
void SdlEndModalBox();
// Applies the ShowCursor counter to SDL's cursor (hidden while the counter is below 0).
void SdlApplyCursorVisibility();
