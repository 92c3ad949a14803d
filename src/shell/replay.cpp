// Replays of the main loop.
#include "shell/replay.h"

#include "base/fnv1a.h"
#include "engine/engine.h"
#include "frame/frame.h"
#include "game/map_view.h"
#include "input/input.h"
#include "shell/shell.h"

void ResetLoopState() {
  QuitRequested = 0;
  FrameCounter = 0;
  MouseScale = 3.0f;
  TexturingEnabled = LightingEnabled = CoarseFillEnabled = WireframeEnabled = 1;
  MapViewColumn = MapViewRow = MapViewLevel = 0;
  Fullscreen = 0;
  WindowHandle = DeviceContext = RenderingContext = InstanceHandle = nullptr;
}

uint64_t FrameBufferHash() {
  return Fnv1a64(FrameBuffer, static_cast<size_t>(RenderWidth) * RenderHeight * 4);
}

void EndJournalPass() { JournalEndPass(QuitRequested != 0, FrameBufferHash); }

void StartLoopReplay(const Replay& replay, bool verify) {
  ResetLoopState();
  JournalStartPlayback(replay, verify);
  StartUp();
  EndJournalPass();
}

bool PlayLoopReplayPass() {
  if (JournalPlaybackState.over || QuitRequested != 0) return false;
  RunLoopPass();
  EndJournalPass();
  return true;
}

void EndLoopReplay() {
  ShutDown();
  JournalFinish();
  ResetLoopState();
}
