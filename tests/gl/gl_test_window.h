// Getting ready to open the program's window in a gl test.
#pragma once

#include <cstdlib>

#include "frame/frame.h"
#include "platform/platform.h"
#include "shell/shell.h"

// Message boxes go to standard error, so a failing step never waits on a box nobody answers,
// and the render size and zoom are the program's. False when there is no display to open a
// window on: the caller skips.
inline bool ReadyForTheProgramWindow() {
  setenv("VAULTRUN_MESSAGE_BOXES", "stderr", 1);
  if (!PlatformRegisterWindowClass(PlatformModuleHandle())) return false;
  PlatformUnregisterWindowClass(PlatformModuleHandle());
  SetRenderSize(320, 240);
  DisplayScale = 2;
  return true;
}
