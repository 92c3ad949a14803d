// SDL backend: polled keys in Windows virtual-key codes, the cursor, and cursor visibility.
//
// Platform: Linux and other systems with SDL2. On X11 keys, mouse buttons and the cursor come
// from the X server (sdl_x11_input.cpp): held keys are seen whatever window has the focus, as
// Windows' GetAsyncKeyState sees them. Limitations: on other video drivers keys come from SDL's
// keyboard state, which only knows the keys its window received: keys are seen while the window
// has the keyboard focus, the state is cleared when the window loses it (and so at every
// rebuild), and a press and release between two message pumps is missed.
// Dependencies: SDL2 (video, keyboard, mouse).
#include "platform/sdl/sdl_backend.h"

namespace {

int CursorCounter = 0;  // ShowCursor's display counter: the cursor shows while it is 0 or more

struct KeyScancodes {
  SDL_Scancode first, second;  // a key Windows does not tell apart (Shift) has two
};

struct KeyMapping {
  int virtualKey;
  KeyScancodes scancodes;
};

constexpr SDL_Scancode NoKey = SDL_SCANCODE_UNKNOWN;

// Letters, digits and F1 .. F12 run in the same order in both numberings and are mapped by
// arithmetic; these are the rest.
// clang-format off
const KeyMapping KeyTable[] = {
    {VkBack, {SDL_SCANCODE_BACKSPACE, NoKey}},
    {VkTab, {SDL_SCANCODE_TAB, NoKey}},
    {VkReturn, {SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER}},
    {VkShift, {SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT}},
    {17, {SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL}},  // VK_CONTROL
    {18, {SDL_SCANCODE_LALT, SDL_SCANCODE_RALT}},    // VK_MENU
    {19, {SDL_SCANCODE_PAUSE, NoKey}},
    {20, {SDL_SCANCODE_CAPSLOCK, NoKey}},
    {VkEscape, {SDL_SCANCODE_ESCAPE, NoKey}},
    {VkSpace, {SDL_SCANCODE_SPACE, NoKey}},
    {33, {SDL_SCANCODE_PAGEUP, NoKey}},
    {34, {SDL_SCANCODE_PAGEDOWN, NoKey}},
    {35, {SDL_SCANCODE_END, NoKey}},
    {36, {SDL_SCANCODE_HOME, NoKey}},
    {VkLeft, {SDL_SCANCODE_LEFT, NoKey}},
    {VkUp, {SDL_SCANCODE_UP, NoKey}},
    {VkRight, {SDL_SCANCODE_RIGHT, NoKey}},
    {VkDown, {SDL_SCANCODE_DOWN, NoKey}},
    {45, {SDL_SCANCODE_INSERT, NoKey}},
    {46, {SDL_SCANCODE_DELETE, NoKey}},
    {'0', {SDL_SCANCODE_0, NoKey}},  // after '9' in SDL's numbering, before '1' in Windows'
    {96, {SDL_SCANCODE_KP_0, NoKey}},
    {106, {SDL_SCANCODE_KP_MULTIPLY, NoKey}},
    {VkAdd, {SDL_SCANCODE_KP_PLUS, NoKey}},
    {VkSubtract, {SDL_SCANCODE_KP_MINUS, NoKey}},
    {110, {SDL_SCANCODE_KP_PERIOD, NoKey}},
    {111, {SDL_SCANCODE_KP_DIVIDE, NoKey}},
    {160, {SDL_SCANCODE_LSHIFT, NoKey}},  // VK_LSHIFT
    {161, {SDL_SCANCODE_RSHIFT, NoKey}},
    {162, {SDL_SCANCODE_LCTRL, NoKey}},
    {163, {SDL_SCANCODE_RCTRL, NoKey}},
    {164, {SDL_SCANCODE_LALT, NoKey}},
    {165, {SDL_SCANCODE_RALT, NoKey}},
};
// clang-format on

SDL_Scancode Offset(SDL_Scancode first, int steps) {
  return static_cast<SDL_Scancode>(first + steps);
}

KeyScancodes ScancodesOf(int virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z')
    return {Offset(SDL_SCANCODE_A, virtualKey - 'A'), NoKey};
  if (virtualKey >= '1' && virtualKey <= '9')
    return {Offset(SDL_SCANCODE_1, virtualKey - '1'), NoKey};
  if (virtualKey >= 97 && virtualKey <= 105)  // keypad 1 .. 9
    return {Offset(SDL_SCANCODE_KP_1, virtualKey - 97), NoKey};
  if (virtualKey >= 112 && virtualKey <= 123)  // F1 .. F12
    return {Offset(SDL_SCANCODE_F1, virtualKey - 112), NoKey};
  for (const KeyMapping& mapping : KeyTable)
    if (mapping.virtualKey == virtualKey) return mapping.scancodes;
  return {NoKey, NoKey};
}

// Virtual keys 1, 2, 4, 5, 6: left, right, middle and the two extra mouse buttons.
Uint32 MouseButtonMaskOf(int virtualKey) {
  switch (virtualKey) {
    case VkLButton:
      return SDL_BUTTON_LMASK;
    case VkRButton:
      return SDL_BUTTON_RMASK;
    case VkMButton:
      return SDL_BUTTON_MMASK;
    case 5:
      return SDL_BUTTON_X1MASK;
    case 6:
      return SDL_BUTTON_X2MASK;
  }
  return 0;
}

}  // namespace

int16_t PlatformGetAsyncKeyState(int virtualKey) {
  const int16_t held = static_cast<int16_t>(0x8000);
  if (Uint32 mask = MouseButtonMaskOf(virtualKey)) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return 0;
    int x = 0, y = 0;
    return (SdlQueryPointer(&x, &y) & mask) ? held : 0;
  }
  bool x11Held = false;
  if (SdlX11KeyHeld(virtualKey, &x11Held)) return x11Held ? held : 0;
  KeyScancodes codes = ScancodesOf(virtualKey);
  if (codes.first == NoKey) return 0;
  const Uint8* keys = SDL_GetKeyboardState(nullptr);
  if (keys[codes.first]) return held;
  if (codes.second != NoKey && keys[codes.second]) return held;
  return 0;
}

bool PlatformGetCursorPos(int* x, int* y) {
  *x = 0;
  *y = 0;
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;  // no display to have a cursor on
  SdlQueryPointer(x, y);
  return true;
}

int PlatformShowCursor(bool show) {
  CursorCounter += show ? 1 : -1;
  SdlApplyCursorVisibility();
  return CursorCounter;
}

void SdlApplyCursorVisibility() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(CursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
}
