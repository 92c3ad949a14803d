// The whole program on a machine without a display: start-up reports what failed and goes on,
// the loop runs every key to Escape, and exit releases everything. (Without a sound device the
// channel tests show every sound call harmless, the loop tests the sound keys' pauses.)
#include <gtest/gtest.h>

#include "frame/frame.h"
#include "input/input.h"
#include "tests/robustness/program_run.h"

namespace {

using robustness::ProgramData;
using robustness::ResetProgramGlobals;

// A display that refuses a GL context: start-up reports it and goes on without a window; the
// frame is still drawn; the mouse reads as the bottom-left pixel; F3 tries the window again,
// which reports the release of a class that is not there and the same failure again. (The
// shell's window tests report every step that can fail.)
TEST(MissingDevices, WithoutADisplayTheLoopRunsAndEveryWindowAttemptIsReported) {
  ProgramData data;
  WorkingDirectory inData(data.path());
  ResetProgramGlobals();
  HeadlessFailSteps[HeadlessCreateGlContext] = true;
  StartUp();
  EXPECT_EQ(WindowHandle, nullptr);
  HeadlessMessageBoxes.clear();
  HeadlessKeys[VkF3] = true;
  HeadlessCursorX = 5000;
  HeadlessCursorY = -5000;
  RunLoopPass();
  HeadlessKeys[VkF3] = false;
  EXPECT_EQ(WindowHandle, nullptr);
  ASSERT_EQ(HeadlessMessageBoxes.size(), 2u);
  EXPECT_EQ(HeadlessMessageBoxes[0].text, "Could Not Unregister Class.");
  EXPECT_EQ(HeadlessMessageBoxes[1].text, "Can't Create A GL Rendering Context.");
  bool yellow = false;
  for (int i = 0; i < RenderWidth * RenderHeight; ++i)
    yellow = yellow || (FrameBuffer[4 * i] == 255 && FrameBuffer[4 * i + 1] == 255 &&
                        FrameBuffer[4 * i + 2] == 0);
  EXPECT_TRUE(yellow);
  EXPECT_EQ(GetMouseX(WindowHandle) * 1000 + GetMouseY(WindowHandle), 0);
  robustness::RunScriptPasses(0, 60, 60);  // every key once, the mouse far and wide, Escape
  EXPECT_EQ(QuitRequested, 1);
  ShutDown();
}

}  // namespace
