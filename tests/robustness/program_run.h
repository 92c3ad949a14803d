// The whole program, start-up to exit, several times in one test process: the globals a fresh
// process starts with.
#pragma once

#include "engine/engine.h"
#include "frame/frame.h"
#include "game/map_view.h"
#include "input/input.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

namespace robustness {

// What a new process holds before start-up, for the globals start-up does not set itself.
inline void ResetProgramGlobals() {
  HeadlessReset();
  QuitRequested = 0;
  FrameCounter = 0;
  MouseScale = 3.0f;
  TexturingEnabled = LightingEnabled = CoarseFillEnabled = WireframeEnabled = 1;
  MapViewColumn = MapViewRow = MapViewLevel = 0;
  Fullscreen = 0;
  WindowHandle = DeviceContext = RenderingContext = InstanceHandle = nullptr;
}

}  // namespace robustness
