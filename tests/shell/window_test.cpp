// The window and its GL context on the headless backend, its procedure and its keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "frame/frame.h"
#include "input/input.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

namespace {

using Log = std::vector<std::string>;

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessReset();
    InstanceHandle = WindowHandle = DeviceContext = RenderingContext = nullptr;
    Fullscreen = QuitRequested = 0;
    SetRenderSize(320, 240);
    DisplayScale = 2;
  }
  void TearDown() override { SetUp(); }

  static bool NoHandles() {
    return !InstanceHandle && !WindowHandle && !DeviceContext && !RenderingContext;
  }
  static void ExpectOneBox(const char* text, const char* caption, uint32_t style) {
    ASSERT_EQ(HeadlessMessageBoxes.size(), 1u);
    EXPECT_EQ(HeadlessMessageBoxes[0].text, text);
    EXPECT_EQ(HeadlessMessageBoxes[0].caption, caption);
    EXPECT_EQ(HeadlessMessageBoxes[0].style, style);
  }
  static int CountInLog(const std::string& step) {
    return static_cast<int>(std::count(HeadlessCallLog.begin(), HeadlessCallLog.end(), step));
  }
  static void ExpectWindowRect(int left, int top, int right, int bottom) {
    PlatformRect rect;
    ASSERT_TRUE(PlatformGetWindowRect(WindowHandle, &rect));
    EXPECT_TRUE(rect.left == left && rect.top == top && rect.right == right &&
                rect.bottom == bottom)
        << rect.left << " " << rect.top << " " << rect.right << " " << rect.bottom;
  }
};

const Log Made = {"RegisterClass",  "CreateWindow",     "GetDC",         "ChoosePixelFormat",
                  "SetPixelFormat", "wglCreateContext", "wglMakeCurrent"};
const Log Released = {"wglMakeCurrent(NULL)", "wglDeleteContext", "ReleaseDC", "DestroyWindow",
                      "UnregisterClass"};

// Every step in order, all four handles; the pixel format asked for is double-buffered RGBA for a
// window with 16 colour and 16 depth bits, nothing else.
TEST_F(WindowTest, CreationRunsEveryStepInOrderAndAsksForSixteenBitColourAndDepth) {
  EXPECT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 0), 1);
  Log expected = Made;
  expected.push_back("ShowWindow");
  EXPECT_EQ(HeadlessCallLog, expected);
  EXPECT_TRUE(HeadlessMessageBoxes.empty());
  EXPECT_TRUE(InstanceHandle && WindowHandle && DeviceContext && RenderingContext);
  ExpectWindowRect(0, 0, 640, 480);
  EXPECT_EQ(HeadlessCursorCounter, 0);  // OpenMainWindow hides it
  PixelFormatRequest request{40, 1, 0x4u | 0x20u | 0x1u, 0, 16};
  request.cDepthBits = 16;
  EXPECT_EQ(std::memcmp(&PixelFormat, &request, sizeof request), 0);
}

// Each failing creation step releases exactly what exists by then, in release order (nothing
// after a failed registration), then shows its own message and leaves no handle behind.
TEST_F(WindowTest, FailingCreationStepReleasesWhatExistsThenReports) {
  const struct {
    HeadlessStep step;
    const char* message;
    size_t made, released;  // the first steps of Made, the last of Released
  } cases[] = {{HeadlessRegisterClass, "Failed To Register The Window Class.", 1, 0},
               {HeadlessCreateWindow, "Window Creation Error.", 2, 1},
               {HeadlessGetDeviceContext, "Can't Create A GL Device Context.", 3, 2},
               {HeadlessChoosePixelFormat, "Can't Find A Suitable PixelFormat.", 4, 3},
               {HeadlessSetPixelFormat, "Can't Set The PixelFormat.", 5, 3},
               {HeadlessCreateGlContext, "Can't Create A GL Rendering Context.", 6, 3},
               {HeadlessMakeCurrent, "Can't Activate The GL Rendering Context.", 7, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    SetUp();
    HeadlessFailSteps[c.step] = true;
    EXPECT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 0), 0);
    Log expected(Made.begin(), Made.begin() + c.made);
    expected.insert(expected.end(), Released.end() - c.released, Released.end());
    EXPECT_EQ(HeadlessCallLog, expected);
    ExpectOneBox(c.message, "ERROR", MbOk | MbIconExclamation);
    if (!HeadlessMessageBoxes.empty())
      EXPECT_EQ(HeadlessMessageBoxes[0].stepsBefore, expected.size());
    EXPECT_TRUE(NoHandles() || (c.step == HeadlessRegisterClass && !WindowHandle));
    EXPECT_EQ(HeadlessWindow(), nullptr);
  }
}

// A failing release step is reported and the shutdown goes on with every later step; with
// nothing open, the release still tries to unregister the class, fails and says so.
TEST_F(WindowTest, FailingReleaseStepReportsAndTheShutdownGoesOn) {
  const struct {
    HeadlessStep step;
    const char* message;
  } cases[] = {{HeadlessReleaseCurrent, "Release Of DC And RC Failed."},
               {HeadlessDeleteGlContext, "Release Rendering Context Failed."},
               {HeadlessReleaseDeviceContext, "Release Device Context Failed."},
               {HeadlessDestroyWindow, "Could Not Release hWnd."},
               {HeadlessUnregisterClass, "Could Not Unregister Class."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    SetUp();
    ASSERT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 0), 1);
    HeadlessCallLog.clear();
    HeadlessFailSteps[c.step] = true;
    DestroyRenderWindow();
    EXPECT_EQ(HeadlessCallLog, Released);
    ExpectOneBox(c.message, "SHUTDOWN ERROR", MbOk | MbIconInformation);
    EXPECT_TRUE(NoHandles());
  }
  SetUp();
  DestroyRenderWindow();
  EXPECT_EQ(HeadlessCallLog, Log{"UnregisterClass"});
  ExpectOneBox("Could Not Unregister Class.", "SHUTDOWN ERROR", MbOk | MbIconInformation);
}

// The main window is twice the render size and hides the cursor, which stays when it fails.
TEST_F(WindowTest, OpenMainWindowMakesTheWindowTwiceTheRenderSizeAndHidesTheCursor) {
  EXPECT_EQ(OpenMainWindow(), 1);
  ExpectWindowRect(0, 0, 640, 480);
  EXPECT_EQ(HeadlessCursorCounter, -1);
  SetUp();
  HeadlessFailSteps[HeadlessCreateWindow] = true;
  EXPECT_EQ(OpenMainWindow(), 0);
  EXPECT_EQ(HeadlessCursorCounter, 0);
  EXPECT_TRUE(NoHandles());
}

// A close request only sets the flag; activation and the screen saver's commands are swallowed;
// anything else goes to the default procedure, whose Alt+F4 posts a close that the pump delivers.
TEST_F(WindowTest, WindowProcedureSetsTheQuitFlagSwallowsAndPassesOn) {
  ASSERT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 0), 1);
  HeadlessCallLog.clear();
  PlatformHandle window = WindowHandle;
  EXPECT_EQ(MainWindowProc(nullptr, WindowMessageActivate, 1, 0), 0);
  EXPECT_EQ(MainWindowProc(nullptr, WindowMessageSysCommand, SysCommandScreenSave, 0), 0);
  EXPECT_EQ(MainWindowProc(nullptr, WindowMessageSysCommand, SysCommandMonitorPower, 2), 0);
  EXPECT_EQ(QuitRequested, 0);
  EXPECT_EQ(MainWindowProc(window, WindowMessageClose, 0, 0), 0);
  EXPECT_EQ(QuitRequested, 1);
  EXPECT_TRUE(HeadlessWindow() == window && HeadlessCallLog.empty());
  EXPECT_TRUE(HeadlessDefaultProcMessages.empty());

  QuitRequested = 0;
  const uint32_t WindowMessageSize = 0x0005;
  MainWindowProc(nullptr, WindowMessageSize, 7, 8);
  MainWindowProc(nullptr, WindowMessageSysCommand, SysCommandClose, 0);
  ASSERT_EQ(HeadlessDefaultProcMessages.size(), 2u);
  const PlatformMessage& size = HeadlessDefaultProcMessages[0];
  EXPECT_TRUE(size.message == WindowMessageSize && size.wParam == 7u && size.lParam == 8);
  EXPECT_EQ(HeadlessDefaultProcMessages[1].wParam, SysCommandClose);
  // The pump handles one message a call and says when the queue is empty.
  HeadlessPostMessage(WindowMessageActivate, 1, 0);
  EXPECT_EQ(QuitRequested, 0);
  EXPECT_EQ(PumpMessage(), 1);
  EXPECT_EQ(QuitRequested, 1);
  EXPECT_EQ(PumpMessage(), 1);
  EXPECT_EQ(PumpMessage(), 0);
}

// F1 to F4 rebuild the window at scales 1 to 4, each rebuild hiding the cursor again; of
// several keys, each rebuilds in key order and the last wins.
TEST_F(WindowTest, FunctionKeysRebuildTheWindowAtTheirScale) {
  const std::vector<int> held[] = {{VkF1}, {VkF2}, {VkF3}, {VkF4}, {VkF3, VkF1}};
  const int scales[] = {1, 2, 3, 4, 3};
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    SetUp();
    ASSERT_EQ(OpenMainWindow(), 1);
    HeadlessCallLog.clear();
    for (int key : held[i]) HeadlessKeys[key] = true;
    HandleWindowKeys();
    int rebuilds = static_cast<int>(held[i].size());
    EXPECT_EQ(DisplayScale, scales[i]);
    EXPECT_TRUE(CountInLog("DestroyWindow") == rebuilds && CountInLog("CreateWindow") == rebuilds);
    ExpectWindowRect(0, 0, 320 * scales[i], 240 * scales[i]);
    EXPECT_EQ(HeadlessCursorCounter, -1 - rebuilds);
  }
}

// M moves the window's top-left corner to the cursor, at the scale of a rebuild in the same call.
TEST_F(WindowTest, MMovesTheWindowsTopLeftCornerToTheCursor) {
  ASSERT_EQ(OpenMainWindow(), 1);
  HeadlessCursorX = 123;
  HeadlessCursorY = 45;
  HeadlessKeys['M'] = HeadlessKeys[VkF1] = true;
  HandleWindowKeys();
  ExpectWindowRect(123, 45, 123 + 320, 45 + 240);
  EXPECT_EQ(HeadlessCursorCounter, -3);  // hidden by the rebuild and again by the move
}

}  // namespace
