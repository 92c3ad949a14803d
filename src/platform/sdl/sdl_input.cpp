// SDL backend: polled keys in Windows virtual-key codes, the cursor, and cursor visibility.
//
// Platform: Linux and other systems with SDL2. Limitations: SDL's keyboard state only knows the
// keys its window received, so keys are seen while the window has the keyboard focus (Windows'
// GetAsyncKeyState sees them always), and a press and release between two message pumps is
// missed; the state is cleared when the window loses the focus. Mouse buttons and the cursor
// come from the desktop (SDL_GetGlobalMouseState) and work anywhere on the screen.
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

constexpr SDL_Scancode None = SDL_SCANCODE_UNKNOWN;

// Letters, digits and F1 .. F12 run in the same order in both numberings and are mapped by
// arithmetic; these are the rest.
// clang-format off
const KeyMapping KeyTable[] = {
    {VkBack, {SDL_SCANCODE_BACKSPACE, None}},
    {VkTab, {SDL_SCANCODE_TAB, None}},
    {VkReturn, {SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER}},
    {VkShift, {SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT}},
    {17, {SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL}},  // VK_CONTROL
    {18, {SDL_SCANCODE_LALT, SDL_SCANCODE_RALT}},    // VK_MENU
    {19, {SDL_SCANCODE_PAUSE, None}},
    {20, {SDL_SCANCODE_CAPSLOCK, None}},
    {VkEscape, {SDL_SCANCODE_ESCAPE, None}},
    {VkSpace, {SDL_SCANCODE_SPACE, None}},
    {33, {SDL_SCANCODE_PAGEUP, None}},
    {34, {SDL_SCANCODE_PAGEDOWN, None}},
    {35, {SDL_SCANCODE_END, None}},
    {36, {SDL_SCANCODE_HOME, None}},
    {VkLeft, {SDL_SCANCODE_LEFT, None}},
    {VkUp, {SDL_SCANCODE_UP, None}},
    {VkRight, {SDL_SCANCODE_RIGHT, None}},
    {VkDown, {SDL_SCANCODE_DOWN, None}},
    {45, {SDL_SCANCODE_INSERT, None}},
    {46, {SDL_SCANCODE_DELETE, None}},
    {'0', {SDL_SCANCODE_0, None}},  // after '9' in SDL's numbering, before '1' in Windows'
    {96, {SDL_SCANCODE_KP_0, None}},
    {106, {SDL_SCANCODE_KP_MULTIPLY, None}},
    {VkAdd, {SDL_SCANCODE_KP_PLUS, None}},
    {VkSubtract, {SDL_SCANCODE_KP_MINUS, None}},
    {110, {SDL_SCANCODE_KP_PERIOD, None}},
    {111, {SDL_SCANCODE_KP_DIVIDE, None}},
    {160, {SDL_SCANCODE_LSHIFT, None}},  // VK_LSHIFT
    {161, {SDL_SCANCODE_RSHIFT, None}},
    {162, {SDL_SCANCODE_LCTRL, None}},
    {163, {SDL_SCANCODE_RCTRL, None}},
    {164, {SDL_SCANCODE_LALT, None}},
    {165, {SDL_SCANCODE_RALT, None}},
};
// clang-format on

SDL_Scancode Offset(SDL_Scancode first, int steps) {
  return static_cast<SDL_Scancode>(first + steps);
}

KeyScancodes ScancodesOf(int virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z')
    return {Offset(SDL_SCANCODE_A, virtualKey - 'A'), None};
  if (virtualKey >= '1' && virtualKey <= '9')
    return {Offset(SDL_SCANCODE_1, virtualKey - '1'), None};
  if (virtualKey >= 97 && virtualKey <= 105)  // keypad 1 .. 9
    return {Offset(SDL_SCANCODE_KP_1, virtualKey - 97), None};
  if (virtualKey >= 112 && virtualKey <= 123)  // F1 .. F12
    return {Offset(SDL_SCANCODE_F1, virtualKey - 112), None};
  for (const KeyMapping& mapping : KeyTable)
    if (mapping.virtualKey == virtualKey) return mapping.scancodes;
  return {None, None};
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
    return (SDL_GetGlobalMouseState(nullptr, nullptr) & mask) ? held : 0;
  }
  KeyScancodes codes = ScancodesOf(virtualKey);
  if (codes.first == None) return 0;
  const Uint8* keys = SDL_GetKeyboardState(nullptr);
  if (keys[codes.first]) return held;
  if (codes.second != None && keys[codes.second]) return held;
  return 0;
}

bool PlatformGetCursorPos(int* x, int* y) {
  *x = 0;
  *y = 0;
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;  // no display to have a cursor on
  SDL_GetGlobalMouseState(x, y);
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
