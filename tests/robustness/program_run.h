// The whole program, start-up to exit, several times in one test process: the globals a fresh
// process starts with, a folder of data files, and passes of the soak script.
#pragma once

#include <cstdint>

#include "audio/audio.h"
#include "engine/engine.h"
#include "frame/frame.h"
#include "game/map_view.h"
#include "input/input.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "tests/soak/soak_data.h"
#include "tests/soak/soak_script.h"
#include "tests/support/scratch_folder.h"

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

// A folder holding every data file the program reads.
class ProgramData {
 public:
  ProgramData() { soak::WriteProgramData(folder_.path()); }
  const std::filesystem::path& path() const { return folder_.path(); }

 private:
  ScratchFolder folder_;
};

// Passes first .. first + count - 1 of a soak of passCount passes (the last of which holds
// Escape); the backend's records are kept, for the test to read.
inline void RunScriptPasses(uint64_t first, uint64_t count, uint64_t passCount) {
  for (uint64_t pass = first; pass < first + count; ++pass) {
    soak::SetPassInput(pass, passCount);
    RunLoopPass();
  }
}

}  // namespace robustness
