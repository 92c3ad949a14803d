// The main loop on the headless backend: the key table with its pauses on the virtual clock,
// the camera angles, one pass from clearing to counting, how the loop ends, and the whole
// program from start-up to exit.
//
// The loop's other subsystems (engine, overlay, audio) are set up so that their work does not
// matter here: no object and no light is drawn, and nothing below looks at the pixels.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/audio.h"
#include "base/base.h"
#include "engine/engine.h"
#include "frame/frame.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "input/input.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "textures/textures.h"
#include "tests/support/scratch_folder.h"

namespace {

// The engine pools at full size for the length of one test (untouched pages cost nothing).
struct ScopedEnginePools {
  ScopedEnginePools() { AllocateEnginePools(); }
  ~ScopedEnginePools() { ReleaseEnginePools(); }
};

// Opening the audio shows its box (recorded by the headless backend) and makes the sound slots;
// closing it afterwards leaves the audio as a fresh process has it.
class ScopedAudio {
 public:
  ScopedAudio() { OpenAudio(); }
  ~ScopedAudio() {
    CloseAudio();
    ChannelCount = 0;
    for (SoundSlot& slot : SoundSlots) slot = SoundSlot{nullptr, 0};
  }
};

void ResetLoopState() {
  HeadlessReset();
  InstanceHandle = WindowHandle = DeviceContext = RenderingContext = nullptr;
  Fullscreen = 0;
  QuitRequested = 0;
  FrameCounter = 0;
  MouseScale = 3.0f;
  TexturingEnabled = LightingEnabled = CoarseFillEnabled = WireframeEnabled = 1;
  ViewDistance = -360.0f;
  MapViewColumn = MapViewRow = MapViewLevel = 0;
  LastObjectId = 0;
  LightCount = 0;
  SetRenderSize(320, 240);
  DisplayScale = 2;
}

class LoopKeysTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetLoopState(); }
  void TearDown() override { ResetLoopState(); }
};

// Every key of the table that needs no sound device: its action and the pause it takes.
TEST_F(LoopKeysTest, EachKeyActsAndTakesItsPause) {
  struct Case {
    int key;
    uint64_t pause;
  };
  const Case cases[] = {{VkAdd, 0}, {VkSubtract, 0}, {'T', 600}, {'I', 600}, {'B', 600}, {'N', 600},
                        {'E', 0},   {VkSpace, 1000}, {'1', 0},   {'2', 0},   {'3', 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    ResetLoopState();
    FrameCounter = 77;
    MouseScale = 9.0f;
    HeadlessKeys[c.key] = true;
    HandleLoopKeys();
    EXPECT_EQ(HeadlessClockMs, c.pause);
    EXPECT_EQ(ViewDistance, c.key == VkAdd ? -324.0f : c.key == VkSubtract ? -396.0f : -360.0f);
    EXPECT_EQ(TexturingEnabled, c.key == 'T' ? 0 : 1);
    EXPECT_EQ(LightingEnabled, c.key == 'I' ? 0 : 1);
    EXPECT_EQ(CoarseFillEnabled, c.key == 'B' ? 0 : 1);
    EXPECT_EQ(WireframeEnabled, c.key == 'N' ? 0 : 1);
    EXPECT_EQ(FrameCounter, c.key == VkSpace ? 0 : 77);
    float expectedScale = c.key == '1' ? 1.0f : c.key == '2' ? 2.0f : c.key == '3' ? 3.0f : 9.0f;
    EXPECT_EQ(MouseScale, expectedScale);
  }
}

// A flag that is 0 becomes 1; any other value becomes 0.
TEST_F(LoopKeysTest, ToggleTurnsZeroIntoOneAndAnythingElseIntoZero) {
  struct Case {
    int key;
    int32_t* flag;
  };
  const Case cases[] = {{'T', &TexturingEnabled},
                        {'I', &LightingEnabled},
                        {'B', &CoarseFillEnabled},
                        {'N', &WireframeEnabled}};
  const int32_t before[] = {0, 1, 2, -1, 0x7FFFFFFF};
  const int32_t after[] = {1, 0, 0, 0, 0};
  for (const Case& c : cases) {
    for (int i = 0; i < 5; ++i) {
      SCOPED_TRACE(testing::Message() << "key " << c.key << " from " << before[i]);
      HeadlessReset();
      *c.flag = before[i];
      HeadlessKeys[c.key] = true;
      HandleLoopKeys();
      EXPECT_EQ(*c.flag, after[i]);
    }
  }
  // A held key acts again on every pass: 1 -> 0 -> 1 -> 0.
  HeadlessReset();
  TexturingEnabled = 1;
  HeadlessKeys['T'] = true;
  for (int pass = 1; pass <= 3; ++pass) HandleLoopKeys();
  EXPECT_EQ(TexturingEnabled, 0);
  EXPECT_EQ(HeadlessClockMs, 1800u);
}

// The sound keys' pauses; then every key at once: 4 toggles x 600 + S 300 + D 100 + F 100 +
// Space 1000 = 3,900 ms, and of 1, 2 and 3 the last in the table wins.
TEST_F(LoopKeysTest, SoundKeysTakeTheirPausesAndAllKeysTogetherSumThem) {
  ScopedAudio audio;
  const int keys[] = {'S', 'D', 'F', 'E'};
  const uint64_t pauses[] = {300, 100, 100, 0};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(keys[i]);
    HeadlessClockMs = 0;
    for (bool& key : HeadlessKeys) key = false;
    HeadlessKeys[keys[i]] = true;
    HandleLoopKeys();
    EXPECT_EQ(HeadlessClockMs, pauses[i]);
  }
  HeadlessClockMs = 0;
  const int all[] = {VkAdd, VkSubtract, 'T', 'I',     'B', 'N', 'S',
                     'D',   'F',        'E', VkSpace, '1', '2', '3'};
  for (int key : all) HeadlessKeys[key] = true;
  HandleLoopKeys();
  EXPECT_EQ(HeadlessClockMs, 3900u);
  EXPECT_EQ(ViewDistance, -360.0f);
  EXPECT_EQ(MouseScale, 3.0f);
}

// ---- Camera angles ---------------------------------------------------------------------------

// angleC = mouse x * trunc(MouseScale) - 180, angleB likewise from y, angleA always 180.
TEST_F(LoopKeysTest, ViewAnglesFollowTheMouseInWholeScaleSteps) {
  ASSERT_EQ(OpenMainWindow(), 1);  // 640 x 480 at (0, 0)
  HeadlessCursorX = 0;
  HeadlessCursorY = 480;  // render (0, 0)
  ComputeViewAngles();
  EXPECT_EQ(ViewAngleA, 180.0f);
  EXPECT_EQ(ViewAngleC, -180.0f);
  EXPECT_EQ(ViewAngleB, -180.0f);

  HeadlessCursorX = 639;  // render x 319: 319 * 3 - 180 = 777
  HeadlessCursorY = 0;    // render y 239: 239 * 3 - 180 = 537
  ComputeViewAngles();
  EXPECT_EQ(ViewAngleC, 777.0f);
  EXPECT_EQ(ViewAngleB, 537.0f);

  MouseScale = 2.9f;  // truncated to 2: 319 * 2 - 180 = 458, 239 * 2 - 180 = 298
  ComputeViewAngles();
  EXPECT_EQ(ViewAngleC, 458.0f);
  EXPECT_EQ(ViewAngleB, 298.0f);
}

// ---- Loop passes -----------------------------------------------------------------------------

class LoopPassTest : public LoopKeysTest {
 protected:
  void SetUp() override {
    LoopKeysTest::SetUp();
    pools = new ScopedEnginePools();
    ASSERT_EQ(OpenMainWindow(), 1);
  }
  void TearDown() override {
    delete pools;
    LoopKeysTest::TearDown();
  }
  ScopedEnginePools* pools = nullptr;
};

TEST_F(LoopPassTest, PassClearsTheBuffersPumpsEveryMessageAndCountsOnce) {
  for (size_t i = 0; i < 320 * 240; ++i) DepthBuffer[i] = 3.0;
  for (int i = 0; i < 3; ++i) HeadlessPostMessage(WindowMessageActivate, 1, 0);
  RunLoopPass();
  EXPECT_EQ(FrameCounter, 1);
  EXPECT_EQ(DepthBuffer[0], DepthClearValue);
  EXPECT_EQ(DepthBuffer[320 * 240 - 1], DepthClearValue);
  PlatformMessage left;
  EXPECT_FALSE(PlatformPeekMessage(&left));
  EXPECT_EQ(HeadlessClockMs, 0u);  // no key, no pause: the loop is not throttled
  EXPECT_EQ(QuitRequested, 0);
}

// Escape ends the loop after the pass is pumped and counted; a close request after the current
// pass, leaving the window for the process to end; Space resets the counter before the count.
TEST_F(LoopPassTest, EscapeAndCloseEndTheLoopAfterTheCountedPassAndSpaceResetsFirst) {
  FrameCounter = 41;
  HeadlessKeys[VkEscape] = true;
  HeadlessPostMessage(WindowMessageActivate, 1, 0);
  int passes = 0;
  for (; QuitRequested == 0 && passes < 5; ++passes) RunLoopPass();
  EXPECT_EQ(passes, 1);
  EXPECT_EQ(FrameCounter, 42);
  PlatformMessage left;
  EXPECT_FALSE(PlatformPeekMessage(&left));

  TearDown();  // a fresh loop, window and pools for the next case
  SetUp();
  HeadlessPostMessage(WindowMessageClose, 0, 0);
  RunLoopPass();
  EXPECT_EQ(QuitRequested, 1);
  EXPECT_EQ(FrameCounter, 1);
  EXPECT_NE(HeadlessWindow(), nullptr);

  TearDown();  // a fresh loop, window and pools for the next case
  SetUp();
  FrameCounter = 500;
  HeadlessKeys[VkSpace] = true;
  RunLoopPass();
  EXPECT_EQ(FrameCounter, 1);
  EXPECT_EQ(HeadlessClockMs, 1000u);
}

// Keypad + moves the view distance in the key table and the map level in the same pass; only
// the map view keys pause.
TEST_F(LoopPassTest, KeypadPlusActsTwiceInOnePassWithOnePause) {
  RunLoopPass();
  HeadlessKeys[VkAdd] = true;
  RunLoopPass();
  EXPECT_EQ(ViewDistance, -324.0f);
  EXPECT_EQ(MapViewLevel, 1);
  EXPECT_EQ(HeadlessClockMs, 380u);
}

TEST_F(LoopPassTest, WindowKeysAndArrowsActInThePass) {
  HeadlessKeys[VkF4] = true;
  HeadlessKeys[VkUp] = true;
  RunLoopPass();
  PlatformRect rect;
  ASSERT_TRUE(PlatformGetWindowRect(WindowHandle, &rect));
  EXPECT_EQ(rect.right - rect.left, 1280);
  EXPECT_EQ(rect.bottom - rect.top, 960);
  EXPECT_EQ(MapViewRow, 1);
}

TEST_F(LoopPassTest, LoopGoesOnWithoutAWindow) {
  HeadlessFailSteps[HeadlessCreateWindow] = true;
  HeadlessKeys[VkF2] = true;
  RunLoopPass();
  EXPECT_EQ(WindowHandle, nullptr);
  HeadlessKeys[VkF2] = false;
  RunLoopPass();
  EXPECT_EQ(FrameCounter, 2);
}

// ---- The demonstration scene and the whole program -------------------------------------------

// The scene draws twelve random numbers per triangle, ten triangles: after it the generator
// has moved on by exactly 120 draws.
TEST_F(LoopKeysTest, DemoSceneDrawsOneHundredTwentyRandomNumbersAndSetsTheView) {
  ScopedEnginePools pools;
  Srand(12345);
  for (int i = 0; i < 120; ++i) Rand();
  int expectedNext = Rand();

  Srand(12345);
  BuildDemoScene();
  EXPECT_EQ(Rand(), expectedNext);
  EXPECT_EQ(NextObjectId, 118);
  EXPECT_EQ(LastObjectId, 117);
  EXPECT_EQ(LightCount, 1);
  for (uint32_t i = 1; i <= 5; ++i) {
    const SceneLight& l = LightTable[i];
    EXPECT_TRUE(l.index == i && l.x == 50.0f && l.y == 50.0f && l.z == 50.0f && l.range == 60.0f &&
                l.red == 0.0f && l.green == 255.0f && l.blue == 0.0f)
        << "light " << i;
  }
  EXPECT_EQ(ScreenCentreX, 160);
  EXPECT_EQ(ScreenCentreY, 120);
  EXPECT_EQ(ViewDistance, -360.0f);
  EXPECT_EQ(NearPlaneZ, -50.0);
}

// Exit released the audio, the pools and the game data: forget them, so that no later test in
// this process reaches memory that is gone.
void ForgetReleasedData() {
  ChannelCount = 0;
  for (SoundSlot& slot : SoundSlots) slot = SoundSlot{nullptr, 0};
  FrameBuffer = ReadbackBuffer = nullptr;
  DepthBuffer = nullptr;
  LineMaskBuffer = nullptr;
  VertexPool = nullptr;
  ObjectPool = nullptr;
  LightTable = nullptr;
  TextureSlotTable = nullptr;
  WorldGrid = nullptr;
  UnitTable = nullptr;
}

// The whole program with Escape held: start-up, exactly one pass, exit status 0.
TEST_F(LoopKeysTest, ProgramWithEscapeHeldRunsOnePassAndEndsWithStatusZero) {
  HeadlessKeys[VkEscape] = true;
  HeadlessCalendarSeconds = 1234;
  EXPECT_EQ(ProgramMain(), 0);
  EXPECT_EQ(FrameCounter, 1);
  EXPECT_EQ(QuitRequested, 1);
  EXPECT_EQ(DisplayScale, 2);
  EXPECT_EQ(RenderWidth, 320);
  EXPECT_EQ(RenderHeight, 240);
  EXPECT_EQ(NextObjectId, 1);
  EXPECT_EQ(LastObjectId, 1);
  // The window is left open for the process to end it: 640 x 480 at (0, 0), cursor hidden.
  PlatformRect rect;
  ASSERT_TRUE(HeadlessWindowRect(&rect));
  EXPECT_TRUE(rect.left == 0 && rect.top == 0 && rect.right == 640 && rect.bottom == 480);
  EXPECT_EQ(HeadlessCursorCounter, -1);
  ForgetReleasedData();
}

// Started where none of the picture folders is, the program says so in one line, then runs as
// it always does; one such folder, in any case, is enough to keep it quiet.
TEST_F(LoopKeysTest, ProgramStartedAwayFromItsDataSaysSoOnce) {
  ScratchFolder scratch;
  WorkingDirectory inScratch(scratch.path());
  HeadlessKeys[VkEscape] = true;
  testing::internal::CaptureStderr();
  EXPECT_EQ(ProgramMain(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vaultrun: started in " + std::filesystem::current_path().string() +
                ", which holds none of the picture folders (bmp_cube, bmp_land, ...), so no "
                "picture will load; the build writes the pictures and sounds into build/ (cd "
                "build && ./vaultrun)\n");
  EXPECT_EQ(FrameCounter, 1);
  EXPECT_EQ(HeadlessMessageBoxes.size(), 1u);  // the audio box, as ever
  ForgetReleasedData();

  std::filesystem::create_directory("Bmp_Scr");
  ResetLoopState();
  HeadlessKeys[VkEscape] = true;
  testing::internal::CaptureStderr();
  EXPECT_EQ(ProgramMain(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ForgetReleasedData();
}

}  // namespace
