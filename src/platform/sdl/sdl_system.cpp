// SDL backend: the module handle, pauses, the calendar clock and message boxes.
//
// Platform: Linux and other systems with SDL2. Limitations: a message box needs a display, and
// on X11 a font of the server's (Debian's xfonts-base); without them (or with
// VAULTRUN_MESSAGE_BOXES=stderr in the environment, for scripts and tests that drive the
// program) the box is written to standard error as "CAPTION: text" and answered with its default
// button, so nothing ever waits on a box nobody can see. Dependencies: SDL2 (message boxes,
// SDL_Delay), the C library's time().
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/sdl/sdl_backend.h"

void PlatformSleep(uint32_t milliseconds) { SDL_Delay(milliseconds); }

int64_t PlatformCalendarTime() { return static_cast<int64_t>(std::time(nullptr)); }

namespace {

bool BoxesGoToStandardError() {
  const char* setting = std::getenv("VAULTRUN_MESSAGE_BOXES");
  return setting && std::strcmp(setting, "stderr") == 0;
}

Uint32 IconFlagsOf(uint32_t style) {
  switch (style & 0xF0) {
    case MbIconStop:
      return SDL_MESSAGEBOX_ERROR;
    case MbIconExclamation:
      return SDL_MESSAGEBOX_WARNING;
    case MbIconInformation:
      return SDL_MESSAGEBOX_INFORMATION;
  }
  return 0;
}

}  // namespace

int PlatformMessageBox(PlatformHandle owner, const char* text, const char* caption,
                       uint32_t style) {
  if (!text) text = "";
  if (!caption) caption = "";
  bool yesNo = (style & 0xF) == MbYesNo;
  int defaultButton = yesNo ? IdYes : IdOk;  // the first button, as Windows has it

  if (!BoxesGoToStandardError()) {
    const SDL_MessageBoxButtonData okButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IdOk,
         "OK"}};
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IdYes, "Yes"}, {0, IdNo, "No"}};
    SDL_MessageBoxData box = {};
    box.flags = IconFlagsOf(style);
#ifdef SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT
    box.flags |= SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
#endif
    box.window = owner == &SdlWindow ? SdlWindow.window : nullptr;
    box.title = caption;
    box.message = text;
    box.numbuttons = yesNo ? 2 : 1;
    box.buttons = yesNo ? yesNoButtons : okButtons;
    int pressed = -1;
    SdlBeginModalBox();
    // Fails at once when there is no display to show it on (or no font to draw it with).
    int shown = SDL_ShowMessageBox(&box, &pressed);
    SdlEndModalBox();
    if (shown == 0) return pressed < 0 ? defaultButton : pressed;  // closed without a button
  }
  std::fprintf(stderr, "%s: %s\n", caption, text);
  std::fflush(stderr);
  return defaultButton;
}
