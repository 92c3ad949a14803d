// The main loop on the headless backend: the keys, the angles, what a pass presents, how it ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "audio/audio.h"
#include "base/base.h"
#include "engine/engine.h"
#include "frame/frame.h"
#include "game/map_view.h"
#include "input/input.h"
#include "overlay/overlay.h"
#include "platform/headless/headless.h"
#include "shell/replay.h"
#include "shell/shell.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/windows_rand.h"
#include "textures/textures.h"

namespace {

void FreshLoop() {
  ResetLoopState();
  HeadlessReset();
  ViewDistance = -360.0f;
  LastObjectId = LightCount = 0;
  SetRenderSize(320, 240);
  DisplayScale = 2;
}

class LoopTest : public ::testing::Test {
 protected:
  void SetUp() override { FreshLoop(); }
  void TearDown() override { FreshLoop(); }
};

// Each key alone, then all at once: the pauses add up, of 1, 2 and 3 the last wins; a toggle
// makes 0 of anything but 0, and 1 of 0.
TEST_F(LoopTest, EachKeyActsAndTakesItsPause) {
  struct Case {
    int key;
    uint64_t pause;
    float viewDistance, mouseScale;
    int32_t* toggled;
    int slot;  // the sound slot started, -1 for none
  };
  // clang-format off
  const Case cases[] = {
      {VkAdd, 0, -324, 9, nullptr, -1}, {VkSubtract, 0, -396, 9, nullptr, -1},
      {'T', 600, -360, 9, &TexturingEnabled, -1}, {'I', 600, -360, 9, &LightingEnabled, -1},
      {'B', 600, -360, 9, &CoarseFillEnabled, -1}, {'N', 600, -360, 9, &WireframeEnabled, -1},
      {'S', 300, -360, 9, nullptr, 0}, {'D', 100, -360, 9, nullptr, 1},
      {'F', 100, -360, 9, nullptr, 2}, {'E', 0, -360, 9, nullptr, -1},
      {VkSpace, 1000, -360, 9, nullptr, -1}, {'1', 0, -360, 1, nullptr, -1},
      {'2', 0, -360, 2, nullptr, -1}, {'3', 0, -360, 3, nullptr, -1}};
  // clang-format on
  OpenAudio();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    HeadlessClockMs = 0;
    std::fill(std::begin(HeadlessKeys), std::end(HeadlessKeys), false);
    std::fill(std::begin(ChannelSlot), std::end(ChannelSlot), -1);
    HeadlessKeys[c.key] = true;
    FrameCounter = 77;
    MouseScale = 9.0f;
    ViewDistance = -360.0f;
    TexturingEnabled = LightingEnabled = CoarseFillEnabled = WireframeEnabled = 2;
    HandleLoopKeys();
    EXPECT_EQ(HeadlessClockMs, c.pause);
    EXPECT_TRUE(ViewDistance == c.viewDistance && MouseScale == c.mouseScale);
    EXPECT_EQ(FrameCounter, c.key == VkSpace ? 0 : 77);
    for (int32_t* flag :
         {&TexturingEnabled, &LightingEnabled, &CoarseFillEnabled, &WireframeEnabled})
      EXPECT_EQ(*flag, flag == c.toggled ? 0 : 2);
    EXPECT_EQ(std::count(ChannelSlot, ChannelSlot + ChannelCount, c.slot),
              c.slot < 0 ? ChannelCount : 1);
  }
  HeadlessClockMs = 0;
  TexturingEnabled = 0;
  for (const Case& c : cases) HeadlessKeys[c.key] = true;
  HandleLoopKeys();
  EXPECT_EQ(HeadlessClockMs, 3900u);
  EXPECT_TRUE(ViewDistance == -360.0f && MouseScale == 3.0f && TexturingEnabled == 1);
  CloseAudio();
}

std::vector<uint8_t> Presented;  // the frame buffer as the last swap found it

class LoopPassTest : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    AllocateEnginePools();
    ResizeTextureSlots(3100);  // empty: boxes are drawn in the grey of a missing picture
    ASSERT_EQ(OpenMainWindow(), 1);
    HeadlessOnSwap = [] { Presented.assign(FrameBuffer, FrameBuffer + 320 * 240 * 4); };
  }
  void TearDown() override {
    ReleaseEnginePools();
    ReleaseTextureSlots();
    LoopTest::TearDown();
  }

  // Whether every pixel that `draw` lights on a cleared frame was presented in its colour.
  static bool PresentedHolds(const std::function<void()>& draw) {
    ClearFrame();
    draw();
    int lit = 0;
    for (size_t i = 0; i < 320 * 240; ++i) {
      if (FrameBuffer[4 * i + 3] == 0) continue;
      ++lit;
      if (Presented.size() != 320 * 240 * 4 ||
          !std::equal(FrameBuffer + 4 * i, FrameBuffer + 4 * i + 4, &Presented[4 * i]))
        return false;
    }
    return lit > 0;
  }
};

// The frame presented with keypad + and 1 held is the one drawn with what they set.
TEST_F(LoopPassTest, KeysActBeforeTheSceneIsDrawn) {
  CreateBoxObject(1, 0, 0, 0, 597, 50.0f);
  LastObjectId = 1;
  HeadlessCursorY = 300;
  RunLoopPass();
  std::vector<uint8_t> unchanged = Presented;
  ViewDistance = -324.0f;
  MouseScale = 1.0f;
  RunLoopPass();
  std::vector<uint8_t> changed = Presented;
  ASSERT_NE(changed, unchanged);
  ViewDistance = -360.0f;
  MouseScale = 3.0f;
  HeadlessKeys[VkAdd] = HeadlessKeys['1'] = true;
  RunLoopPass();
  EXPECT_TRUE(Presented == changed);
}

// The overlay lines, every light's label and the cursor are drawn before the frame is presented.
TEST_F(LoopPassTest, PresentedFrameHoldsTheOverlayEveryLightLabelAndTheCursor) {
  LightCount = 3;
  for (int i = 1; i <= 3; ++i) {
    LightTable[i] = SceneLight{};
    LightTable[i].screenX = -120;
    LightTable[i].screenY = i == 3 ? -80 : 90 - 45 * i;  // rows 165, 120 and 40, clear of the lines
    LightTable[i].green = 255.0f;
  }
  HeadlessCursorX = 500;  // render (250, 150)
  HeadlessCursorY = 180;
  RunLoopPass();
  const char* lines[] = {"WIN32VAULTRUN0012D3DVR001UC004", "VAULTRUN 1.0",
                         "hand made motor with sinuses and z buffering verification. mx=250 my=150",
                         "hand made audio system."};
  const int rows[] = {226, 14, 85, 70};
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(PresentedHolds([&] {
      FormatText(TextBuffer, "%s", lines[i]);
      DrawSmallText(12, rows[i], 255, 255, 0);
    })) << lines[i];
  }
  for (uint32_t i = 1; i <= 3; ++i) EXPECT_TRUE(PresentedHolds([&] { DrawLightLabel(i); })) << i;
  EXPECT_TRUE(PresentedHolds(DrawMouseCursor));
}

// Escape and a close end the loop after the pass is pumped and counted; Space resets first.
TEST_F(LoopPassTest, EscapeAndCloseEndTheLoopAfterTheCountedPassAndSpaceResetsFirst) {
  FrameCounter = 41;
  HeadlessKeys[VkEscape] = true;
  HeadlessPostMessage(WindowMessageActivate, 1, 0);
  RunLoopPass();
  EXPECT_EQ(QuitRequested, 1);
  EXPECT_EQ(FrameCounter, 42);
  PlatformMessage left;
  EXPECT_FALSE(PlatformPeekMessage(&left));

  HeadlessKeys[VkEscape] = false;
  QuitRequested = 0;
  HeadlessPostMessage(WindowMessageClose, 0, 0);
  RunLoopPass();
  EXPECT_EQ(QuitRequested, 1);
  EXPECT_NE(HeadlessWindow(), nullptr);

  FrameCounter = 500;
  HeadlessKeys[VkSpace] = true;
  RunLoopPass();
  EXPECT_EQ(FrameCounter, 1);

  // Window and map view keys act too; keypad + moves view and map level, with one pause.
  HeadlessKeys[VkSpace] = false;
  HeadlessClockMs = 0;
  HeadlessKeys[VkF4] = HeadlessKeys[VkUp] = HeadlessKeys[VkAdd] = true;
  RunLoopPass();
  EXPECT_TRUE(DisplayScale == 4 && MapViewRow == 1 && MapViewLevel == 1);
  EXPECT_TRUE(ViewDistance == -324.0f && HeadlessClockMs == 380u);
}

TEST_F(LoopPassTest, RebuildThatFailsLeavesNoWindowAndTheNextFrameGoesOn) {
  HeadlessFailSteps[HeadlessGetDeviceContext] = true;
  HeadlessKeys[VkF4] = true;
  RunLoopPass();
  EXPECT_TRUE(DisplayScale == 4 && WindowHandle == nullptr && DeviceContext == nullptr);
  HeadlessKeys[VkF4] = false;
  RunLoopPass();
  EXPECT_TRUE(FrameCounter == 2 &&
              std::any_of(FrameBuffer, FrameBuffer + 320 * 240 * 4, [](uint8_t b) { return b; }));
}

// Seeded from the clock (the scene draws 12 numbers for each of 10 triangles), one pass, status
// 0, the window left for the process to end.
TEST_F(LoopTest, ProgramWithEscapeHeldRunsOnePassAndEndsWithStatusZero) {
  HeadlessKeys[VkEscape] = true;
  HeadlessCalendarSeconds = 1234;
  EXPECT_EQ(ProgramMain(), 0);
  EXPECT_EQ(RandState, StateAfter(1234, 120));
  EXPECT_TRUE(FrameCounter == 1 && QuitRequested == 1 && NextObjectId == 1 && LastObjectId == 1);
  EXPECT_NE(HeadlessWindow(), nullptr);
  HeadlessCalendarSeconds = 1;
}

// Started where none of the picture folders is, the program says so; one folder, any case, will do.
TEST_F(LoopTest, ProgramStartedAwayFromItsDataSaysSoOnce) {
  ScratchFolder scratch;
  WorkingDirectory inScratch(scratch.path());
  for (bool withFolder : {false, true}) {
    if (withFolder) std::filesystem::create_directory("Bmp_Scr");
    FreshLoop();
    HeadlessKeys[VkEscape] = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              withFolder ? ""
                         : "vaultrun: started in " + std::filesystem::current_path().string() +
                               ", which holds none of the picture folders (bmp_cube, bmp_land, "
                               "...), so no picture will load; the build writes the pictures and "
                               "sounds into build/ (cd build && ./vaultrun)\n");
    EXPECT_EQ(FrameCounter, 1);
  }
}

}  // namespace
