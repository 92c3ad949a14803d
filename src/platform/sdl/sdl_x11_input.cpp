// SDL backend: the pointer and the keyboard as the X server knows them.
//
// Platform: X11 through SDL2, any other SDL video driver as a fallback. Limitations: off X11 the
// pointer is SDL_GetGlobalMouseState's, which SDL refreshes only when raw input events arrive
// (synthetic input from xdotool on Xvfb sends none), and keys are SDL's keyboard state, which
// follows the focused window only. Under XWayland the X server itself learns of keys only while
// one of its windows has the focus. Dependencies: SDL2, Xlib when built with VAULTRUN_HAVE_X11.
//
// Windows answers GetAsyncKeyState and GetCursorPos from the whole desktop's input, whatever
// window has the focus and whether the program has a window at all. On X11 the server is asked
// the same way: XQueryKeymap gives every key held now, XQueryPointer the pointer and its
// buttons. The questions go through a display connection of the backend's own, opened once SDL
// runs on X11, so no window is needed and a window being destroyed and made anew (F1 to F4)
// changes nothing: a key held through a rebuild stays held. Kept in a file of its own: Xlib's
// headers define macros (None, Bool, Status) that would leak into the rest of the backend.
#include "platform/sdl/sdl_backend.h"

#if VAULTRUN_HAVE_X11 && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <chrono>

namespace {

Display* Connection = nullptr;
bool ConnectionTried = false;

// The backend's own connection to SDL's X server; null when SDL does not run on X11.
Display* X11Connection() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;
  if (!ConnectionTried) {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && SDL_strcmp(driver, "x11") == 0) Connection = XOpenDisplay(nullptr);
    ConnectionTried = true;  // once: a display that refused stays refused
  }
  return Connection;
}

struct KeySymbols {
  KeySym first, second;  // a key Windows does not tell apart (Shift) has two
};

struct KeyMapping {
  int virtualKey;
  KeySymbols symbols;
};

// Digits, letters, keypad digits and F1 .. F24 run in the same order in both numberings and are
// mapped by arithmetic; these are the rest.
// clang-format off
const KeyMapping KeyTable[] = {
    {VkBack, {XK_BackSpace, NoSymbol}},
    {VkTab, {XK_Tab, NoSymbol}},
    {VkReturn, {XK_Return, XK_KP_Enter}},
    {VkShift, {XK_Shift_L, XK_Shift_R}},
    {17, {XK_Control_L, XK_Control_R}},  // VK_CONTROL
    {18, {XK_Alt_L, XK_Alt_R}},          // VK_MENU
    {19, {XK_Pause, NoSymbol}},
    {20, {XK_Caps_Lock, NoSymbol}},
    {VkEscape, {XK_Escape, NoSymbol}},
    {VkSpace, {XK_space, NoSymbol}},
    {33, {XK_Prior, NoSymbol}},
    {34, {XK_Next, NoSymbol}},
    {35, {XK_End, NoSymbol}},
    {36, {XK_Home, NoSymbol}},
    {VkLeft, {XK_Left, NoSymbol}},
    {VkUp, {XK_Up, NoSymbol}},
    {VkRight, {XK_Right, NoSymbol}},
    {VkDown, {XK_Down, NoSymbol}},
    {45, {XK_Insert, NoSymbol}},
    {46, {XK_Delete, NoSymbol}},
    {106, {XK_KP_Multiply, NoSymbol}},
    {VkAdd, {XK_KP_Add, NoSymbol}},
    {VkSubtract, {XK_KP_Subtract, NoSymbol}},
    {110, {XK_KP_Decimal, NoSymbol}},
    {111, {XK_KP_Divide, NoSymbol}},
    {160, {XK_Shift_L, NoSymbol}},  // VK_LSHIFT
    {161, {XK_Shift_R, NoSymbol}},
    {162, {XK_Control_L, NoSymbol}},
    {163, {XK_Control_R, NoSymbol}},
    {164, {XK_Alt_L, NoSymbol}},
    {165, {XK_Alt_R, NoSymbol}},
};
// clang-format on

KeySymbols Offset(KeySym first, int steps) {
  return {first + static_cast<KeySym>(steps), NoSymbol};
}

KeySymbols SymbolsOf(int virtualKey) {
  if (virtualKey >= '0' && virtualKey <= '9') return Offset(XK_0, virtualKey - '0');
  if (virtualKey >= 'A' && virtualKey <= 'Z') return Offset(XK_a, virtualKey - 'A');
  if (virtualKey >= 96 && virtualKey <= 105) return Offset(XK_KP_0, virtualKey - 96);
  if (virtualKey >= 112 && virtualKey <= 135) return Offset(XK_F1, virtualKey - 112);  // F1..F24
  for (const KeyMapping& mapping : KeyTable)
    if (mapping.virtualKey == virtualKey) return mapping.symbols;
  return {NoSymbol, NoSymbol};
}

// Whether the key that carries symbol is down in the server's keymap (32 bytes, a bit per
// keycode). A symbol no key of the layout carries is never held.
bool SymbolHeld(Display* display, const char keymap[32], KeySym symbol) {
  if (symbol == NoSymbol) return false;
  KeyCode code = XKeysymToKeycode(display, symbol);
  return code != 0 && (keymap[code / 8] >> (code % 8)) & 1;
}

// The server's keymap, asked again when the last answer is older than a millisecond. Each
// question is a round trip to the server (80 us on a loaded machine), and a pass of the main
// loop asks for some thirty keys within a millisecond or two; one answer serves them all.
const char* CurrentKeymap(Display* display) {
  using Clock = std::chrono::steady_clock;
  static char keymap[32];
  static Clock::time_point taken;
  static bool valid = false;
  Clock::time_point now = Clock::now();
  if (!valid || now - taken >= std::chrono::milliseconds(1)) {
    XQueryKeymap(display, keymap);
    taken = now;
    valid = true;
  }
  return keymap;
}

}  // namespace

bool SdlX11KeyHeld(int virtualKey, bool* held) {
  Display* display = X11Connection();
  if (!display) return false;
  KeySymbols symbols = SymbolsOf(virtualKey);
  const char* keymap = CurrentKeymap(display);
  *held = SymbolHeld(display, keymap, symbols.first) || SymbolHeld(display, keymap, symbols.second);
  return true;
}

Uint32 SdlQueryPointer(int* x, int* y) {
  if (Display* display = X11Connection()) {
    ::Window root, child;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    if (XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                      &windowY, &mask)) {
      *x = rootX;
      *y = rootY;
      return ((mask & Button1Mask) ? SDL_BUTTON_LMASK : 0) |
             ((mask & Button2Mask) ? SDL_BUTTON_MMASK : 0) |
             ((mask & Button3Mask) ? SDL_BUTTON_RMASK : 0);
    }
  }
  return SDL_GetGlobalMouseState(x, y);
}

#else

bool SdlX11KeyHeld(int, bool*) { return false; }

Uint32 SdlQueryPointer(int* x, int* y) { return SDL_GetGlobalMouseState(x, y); }

#endif
