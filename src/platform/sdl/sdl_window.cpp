// SDL backend: the window, its device context, pixel format and OpenGL context, the buffer swap.
//
// Platform: Linux and other systems with SDL2 and OpenGL. Limitations: one window at a time;
// the pixel format is fixed when the window is made (X11 picks the visual then), so choosing and
// setting it only check that the request fits: RGBA, double-buffered, at least 16 depth bits;
// the fullscreen path accepts a display mode of the asked size whatever its colour depth.
// Dependencies: SDL2 (video), the system's libGL.
//
// Each step the shell reports on is one call here that succeeds or fails on its own, so the
// shell's failure messages and handle bookkeeping work as on Windows. The "device context" has
// no SDL counterpart: it is a tag that the window hands out and takes back.
#include "platform/sdl/sdl_backend.h"

SdlWindowRecord SdlWindow = {nullptr, false, 0, nullptr};

namespace {

int ModuleTag;
int DeviceContextTag;
bool ClassRegistered = false;
bool FullscreenModeChosen = false;
SDL_DisplayMode FullscreenMode;
bool ScreenSaverPassedOn = false;

bool IsOurDeviceContext(PlatformHandle deviceContext) {
  return deviceContext == &DeviceContextTag && SdlWindow.window && SdlWindow.deviceContextHandedOut;
}

// Windows asks the window procedure before it starts the screen saver; SDL only lets a program
// allow or forbid it. So the window procedure is asked once, when the window is made: if it
// swallows the request the screen saver (and the monitor power-off) stays off while it runs.
void ApplyScreenSaverChoice() {
  ScreenSaverPassedOn = false;
  MainWindowProc(&SdlWindow, WindowMessageSysCommand, SysCommandScreenSave, 0);
  if (ScreenSaverPassedOn)
    SDL_EnableScreenSaver();
  else
    SDL_DisableScreenSaver();
}

}  // namespace

bool SdlEnsureVideo() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  // The close signals are the backend's own (sdl_events.cpp); SDL must not take them over.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The window procedure decides about the screen saver, not SDL's default.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
#ifdef SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE
  // A rebuild destroys the only window before making the next: that is no reason to quit, and a
  // close box must give one close request, not two.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
#endif
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  // With no display SDL falls back to its offscreen driver: a window that nobody can see or
  // type into. Unless that driver was asked for by name, there is no display.
  const char* driver = SDL_GetCurrentVideoDriver();
  bool invisible =
      driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
  if (invisible && !SDL_getenv("SDL_VIDEODRIVER")) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  SdlApplyCursorVisibility();
  return true;
}

PlatformHandle SdlWindowHandle() { return SdlWindow.window ? &SdlWindow : nullptr; }

// Called by PlatformDefaultWindowProc: the window procedure did not swallow the request.
void SdlNoteScreenSaverPassedOn() { ScreenSaverPassedOn = true; }

PlatformHandle PlatformModuleHandle() { return &ModuleTag; }

// Registering the class is the first window step: video starts here, so a program that never
// opens a window never needs a display.
bool PlatformRegisterWindowClass(PlatformHandle) {
  if (!SdlEnsureVideo()) return false;
  ClassRegistered = true;
  return true;
}

bool PlatformUnregisterWindowClass(PlatformHandle) {
  // As on Windows: a class that is not registered, or still has a window, stays as it is.
  if (!ClassRegistered || SdlWindow.window) return false;
  ClassRegistered = false;
  return true;
}

bool PlatformSetFullscreenMode(int width, int height, int) {
  if (!SdlEnsureVideo()) return false;
  int count = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height) {
      FullscreenMode = mode;
      FullscreenModeChosen = true;
      return true;
    }
  }
  return false;
}

void PlatformRestoreDisplayMode() {
  FullscreenModeChosen = false;
  if (SdlWindow.window) SDL_SetWindowFullscreen(SdlWindow.window, 0);
}

PlatformHandle PlatformCreateWindow(PlatformHandle, const char* title, int width, int height,
                                    bool fullscreen) {
  if (!ClassRegistered || SdlWindow.window) return nullptr;
  // Never a core profile: the frame is presented with glDrawPixels, which a core context lacks.
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  // Hidden until the show step, as a Windows window is until ShowWindow.
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
  SDL_Window* window = SDL_CreateWindow(title ? title : "", 0, 0, width, height, flags);
  if (!window) return nullptr;
  if (fullscreen && FullscreenModeChosen) SDL_SetWindowDisplayMode(window, &FullscreenMode);
  SdlWindow.window = window;
  SdlWindow.deviceContextHandedOut = false;
  SdlWindow.pixelFormat = 0;
  ApplyScreenSaverChoice();
  return &SdlWindow;
}

bool PlatformDestroyWindow(PlatformHandle window) {
  if (window != &SdlWindow || !SdlWindow.window) return false;
  SDL_DestroyWindow(SdlWindow.window);
  SdlWindow.window = nullptr;
  SdlWindow.deviceContextHandedOut = false;
  SdlWindow.pixelFormat = 0;
  return true;
}

void PlatformShowWindow(PlatformHandle window) {
  if (window != &SdlWindow || !SdlWindow.window) return;
  SDL_ShowWindow(SdlWindow.window);
  SDL_RaiseWindow(SdlWindow.window);
  // Without a window manager nobody else gives the new window the keyboard.
  SDL_SetWindowInputFocus(SdlWindow.window);
}

PlatformHandle PlatformGetDeviceContext(PlatformHandle window) {
  if (window != &SdlWindow || !SdlWindow.window) return nullptr;
  SdlWindow.deviceContextHandedOut = true;
  return &DeviceContextTag;
}

bool PlatformReleaseDeviceContext(PlatformHandle window, PlatformHandle deviceContext) {
  if (window != &SdlWindow || !IsOurDeviceContext(deviceContext)) return false;
  SdlWindow.deviceContextHandedOut = false;
  return true;
}

int PlatformChoosePixelFormat(PlatformHandle deviceContext, const PixelFormatRequest* request) {
  if (!IsOurDeviceContext(deviceContext) || !request) return 0;
  uint32_t needed = PfdDrawToWindow | PfdSupportOpenGl;
  if ((request->dwFlags & needed) != needed || request->iPixelType != PfdTypeRgba) return 0;
  return 1;  // the window's one format
}

bool PlatformSetPixelFormat(PlatformHandle deviceContext, int format, const PixelFormatRequest*) {
  // A window takes its pixel format once, as on Windows.
  if (!IsOurDeviceContext(deviceContext) || format != 1 || SdlWindow.pixelFormat != 0) return false;
  SdlWindow.pixelFormat = format;
  return true;
}

PlatformHandle PlatformCreateGlContext(PlatformHandle deviceContext) {
  if (!IsOurDeviceContext(deviceContext) || SdlWindow.pixelFormat == 0 || SdlWindow.glContext)
    return nullptr;
  SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
  SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
  SDL_GLContext context = SDL_GL_CreateContext(SdlWindow.window);
  if (!context) return nullptr;
  // SDL makes a new context current at once; on Windows creating and activating are two steps,
  // each with its own failure message, so the earlier binding comes back until the second.
  SDL_GL_MakeCurrent(previousWindow, previousContext);
  SdlWindow.glContext = context;
  return context;
}

bool PlatformMakeGlContextCurrent(PlatformHandle deviceContext, PlatformHandle glContext) {
  if (!glContext) {
    // wglMakeCurrent(NULL, NULL): nothing current afterwards, and nothing to undo without video.
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return true;
    return SDL_GL_MakeCurrent(nullptr, nullptr) == 0;
  }
  if (!IsOurDeviceContext(deviceContext) || glContext != SdlWindow.glContext) return false;
  if (SDL_GL_MakeCurrent(SdlWindow.window, SdlWindow.glContext) != 0) return false;
  // The loop has no frame-rate limit, and a driver that waits for the vertical blank on each
  // swap would give it one. The interval belongs to the current context (and, with GLX, to its
  // window), so it is set on each activation; a driver that cannot change it keeps its own.
  SDL_GL_SetSwapInterval(0);
  return true;
}

bool PlatformDeleteGlContext(PlatformHandle glContext) {
  if (!glContext || glContext != SdlWindow.glContext) return false;
  SDL_GL_DeleteContext(SdlWindow.glContext);
  SdlWindow.glContext = nullptr;
  return true;
}

bool PlatformSwapBuffers(PlatformHandle deviceContext) {
  if (!IsOurDeviceContext(deviceContext)) return false;
  SDL_GL_SwapWindow(SdlWindow.window);
  return true;
}

// The window's rectangle on the screen. Borderless, so it is the client area.
bool PlatformGetWindowRect(PlatformHandle window, PlatformRect* rect) {
  if (window != &SdlWindow || !SdlWindow.window || !rect) return false;
  int x = 0, y = 0, width = 0, height = 0;
  SDL_GetWindowPosition(SdlWindow.window, &x, &y);
  SDL_GetWindowSize(SdlWindow.window, &width, &height);
  *rect = PlatformRect{x, y, x + width, y + height};
  return true;
}

bool PlatformMoveWindow(PlatformHandle window, int x, int y, int width, int height, bool) {
  if (window != &SdlWindow || !SdlWindow.window) return false;
  SDL_SetWindowPosition(SdlWindow.window, x, y);
  SDL_SetWindowSize(SdlWindow.window, width, height);
  return true;
}
