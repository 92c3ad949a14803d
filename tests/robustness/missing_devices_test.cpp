// The whole program on a machine without a display or without a sound device: start-up reports
// what failed and goes on, the loop runs every key to Escape, and exit releases everything.
#include <gtest/gtest.h>

#include <string>

#include "audio/audio.h"
#include "frame/frame.h"
#include "input/input.h"
#include "tests/robustness/program_run.h"

namespace {

using robustness::ProgramData;
using robustness::ResetProgramGlobals;
using robustness::RunScriptPasses;

bool FrameHasYellow() {
  for (int i = 0; i < RenderWidth * RenderHeight; ++i)
    if (FrameBuffer[4 * i] == 255 && FrameBuffer[4 * i + 1] == 255 && FrameBuffer[4 * i + 2] == 0)
      return true;
  return false;
}

void ExpectBox(size_t index, const char* text, const char* caption) {
  ASSERT_LT(index, HeadlessMessageBoxes.size());
  EXPECT_EQ(HeadlessMessageBoxes[index].text, text);
  EXPECT_EQ(HeadlessMessageBoxes[index].caption, caption);
}

// No display: the sdl backend cannot start its video and the class step fails; a display that
// refuses a window, a device context or a GL context fails later steps. Each time start-up
// reports the step and goes on without a window; the frame is still drawn; the mouse reads as
// the bottom-left pixel; every F key tries the window again, which reports the release of a
// class that is not there and the same failure again; M moves nothing.
TEST(MissingDevices, WithoutADisplayTheLoopRunsAndEveryWindowAttemptIsReported) {
  const std::pair<HeadlessStep, const char*> failures[] = {
      {HeadlessRegisterClass, "Failed To Register The Window Class."},
      {HeadlessCreateWindow, "Window Creation Error."},
      {HeadlessGetDeviceContext, "Can't Create A GL Device Context."},
      {HeadlessCreateGlContext, "Can't Create A GL Rendering Context."}};
  ProgramData data;
  WorkingDirectory inData(data.path());
  for (const auto& [step, report] : failures) {
    SCOPED_TRACE(report);
    ResetProgramGlobals();
    HeadlessFailSteps[step] = true;
    StartUp();
    EXPECT_EQ(WindowHandle, nullptr);
    ASSERT_EQ(HeadlessMessageBoxes.size(), 2u);
    ExpectBox(1, report, "ERROR");

    HeadlessMessageBoxes.clear();
    HeadlessKeys[VkF3] = true;
    HeadlessCursorX = 5000;
    HeadlessCursorY = -5000;
    RunLoopPass();
    HeadlessKeys[VkF3] = false;
    EXPECT_EQ(WindowHandle, nullptr);
    EXPECT_EQ(DisplayScale, 3);
    ASSERT_EQ(HeadlessMessageBoxes.size(), 2u);
    ExpectBox(0, "Could Not Unregister Class.", "SHUTDOWN ERROR");
    ExpectBox(1, report, "ERROR");
    EXPECT_TRUE(FrameHasYellow());
    EXPECT_EQ(GetMouseX(WindowHandle), 0);
    EXPECT_EQ(GetMouseY(WindowHandle), 0);

    RunScriptPasses(0, 60, 60);  // every key once, the mouse far and wide, then Escape
    EXPECT_EQ(QuitRequested, 1);
    EXPECT_EQ(WindowHandle, nullptr);
    ShutDown();
  }
}

// No sound device: no channel opens and start-up says so; the sounds load all the same, and the
// sound keys generate, play and stop without a stream ever opening, each with its pause.
TEST(MissingDevices, WithoutASoundDeviceTheSoundKeysPlayNothing) {
  ProgramData data;
  WorkingDirectory inData(data.path());
  ResetProgramGlobals();
  HeadlessWaveOutOpenLimit = 0;
  StartUp();
  ExpectBox(0, "Activated 0 channel for Audio System.", "Audio Initialization.");
  EXPECT_EQ(ChannelCount, 0);
  EXPECT_EQ(SoundSlots[1].length, 8820u);
  EXPECT_EQ(SoundSlots[2].length, 8820u);

  const struct {
    int key;
    uint64_t pauseMs;
  } keys[] = {{'S', 300}, {'D', 100}, {'F', 100}, {'E', 0}};
  for (const auto& press : keys) {
    uint64_t before = HeadlessClockMs;
    HeadlessKeys[press.key] = true;
    RunLoopPass();
    HeadlessKeys[press.key] = false;
    EXPECT_EQ(HeadlessClockMs - before, press.pauseMs) << static_cast<char>(press.key);
    EXPECT_EQ(HeadlessWaveOutOpenStreams(), 0);
  }
  EXPECT_EQ(SoundSlots[0].length, 200000u);  // the tone was written, though nothing plays it
  HeadlessKeys[VkEscape] = true;
  RunLoopPass();
  EXPECT_EQ(QuitRequested, 1);
  ShutDown();
  EXPECT_EQ(SoundSlots[0].samples, nullptr);
}

}  // namespace
