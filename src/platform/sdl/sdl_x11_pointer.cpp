// SDL backend: where the pointer is on the desktop, and its buttons.
//
// Platform: X11 through SDL2, any other SDL video driver as a fallback. Limitations: without a
// window, or off X11, the answer is SDL_GetGlobalMouseState's, which SDL refreshes only when
// raw input events arrive: synthetic input (xdotool) on Xvfb sends none, so it stays where the
// pointer was first seen. Dependencies: SDL2, Xlib when built with VAULTRUN_HAVE_X11.
//
// On X11 the server is asked directly (XQueryPointer) through the window's display connection,
// so the M key and the mouse queries see the pointer wherever it is and however it got there.
// Kept in a file of its own: Xlib's headers define macros (None, Bool, Status) that would leak
// into the rest of the backend.
#include "platform/sdl/sdl_backend.h"

#if VAULTRUN_HAVE_X11
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#endif

Uint32 SdlQueryPointer(int* x, int* y) {
#if VAULTRUN_HAVE_X11 && defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SdlWindow.window && SDL_GetWindowWMInfo(SdlWindow.window, &info) &&
      info.subsystem == SDL_SYSWM_X11) {
    ::Window root, child;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    if (XQueryPointer(info.info.x11.display, info.info.x11.window, &root, &child, &rootX, &rootY,
                      &windowX, &windowY, &mask)) {
      *x = rootX;
      *y = rootY;
      return ((mask & Button1Mask) ? SDL_BUTTON_LMASK : 0) |
             ((mask & Button2Mask) ? SDL_BUTTON_MMASK : 0) |
             ((mask & Button3Mask) ? SDL_BUTTON_RMASK : 0);
    }
  }
#endif
  return SDL_GetGlobalMouseState(x, y);
}
