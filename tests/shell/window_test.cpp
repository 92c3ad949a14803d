// The window and its GL context on the headless backend: the order of the creation and release
// steps, what a failing step leaves behind and says, the window procedure, the pump and the
// window keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/frame.h"
#include "input/input.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"

namespace {

using Log = std::vector<std::string>;

const Log CreationSteps = {"RegisterClass",     "CreateWindow",   "GetDC",
                           "ChoosePixelFormat", "SetPixelFormat", "wglCreateContext",
                           "wglMakeCurrent",    "ShowWindow"};
const Log ReleaseSteps = {"wglMakeCurrent(NULL)", "wglDeleteContext", "ReleaseDC", "DestroyWindow",
                          "UnregisterClass"};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessReset();
    InstanceHandle = WindowHandle = DeviceContext = RenderingContext = nullptr;
    Fullscreen = 0;
    QuitRequested = 0;
    SetRenderSize(320, 240);
    DisplayScale = 2;
  }
  void TearDown() override {
    HeadlessReset();
    InstanceHandle = WindowHandle = DeviceContext = RenderingContext = nullptr;
    Fullscreen = 0;
    QuitRequested = 0;
  }

  static void ExpectNoHandles() {
    EXPECT_EQ(InstanceHandle, nullptr);
    EXPECT_EQ(WindowHandle, nullptr);
    EXPECT_EQ(DeviceContext, nullptr);
    EXPECT_EQ(RenderingContext, nullptr);
  }

  static void ExpectOneBox(const char* text, const char* caption, uint32_t style) {
    ASSERT_EQ(HeadlessMessageBoxes.size(), 1u);
    EXPECT_EQ(HeadlessMessageBoxes[0].text, text);
    EXPECT_EQ(HeadlessMessageBoxes[0].caption, caption);
    EXPECT_EQ(HeadlessMessageBoxes[0].style, style);
  }

  static int CountInLog(const std::string& step) {
    int count = 0;
    for (const std::string& entry : HeadlessCallLog) count += entry == step;
    return count;
  }

  static void ExpectWindowRect(int left, int top, int right, int bottom) {
    PlatformRect rect;
    ASSERT_TRUE(PlatformGetWindowRect(WindowHandle, &rect));
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
  }
};

TEST_F(WindowTest, CreationRunsEveryStepInOrderAndHoldsAllFourHandles) {
  EXPECT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 0), 1);
  EXPECT_EQ(HeadlessCallLog, CreationSteps);
  EXPECT_TRUE(HeadlessMessageBoxes.empty());
  EXPECT_NE(InstanceHandle, nullptr);
  EXPECT_NE(WindowHandle, nullptr);
  EXPECT_NE(DeviceContext, nullptr);
  EXPECT_NE(RenderingContext, nullptr);
  ExpectWindowRect(0, 0, 640, 480);
  EXPECT_EQ(HeadlessCursorCounter, 0);  // only the fullscreen path hides the cursor here
}

TEST_F(WindowTest, PixelFormatRequestIsDoubleBufferedRgbaWithSixteenBitColourAndDepth) {
  ASSERT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 0), 1);
  // A later creation with other bits reuses the request that the first one completed.
  DestroyRenderWindow();
  ASSERT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 32, 0), 1);
  EXPECT_EQ(PixelFormat.nSize, 40);
  EXPECT_EQ(PixelFormat.nVersion, 1);
  EXPECT_EQ(PixelFormat.dwFlags, 0x4u | 0x20u | 0x1u);
  EXPECT_EQ(PixelFormat.iPixelType, 0);
  EXPECT_EQ(PixelFormat.cColorBits, 16);
  EXPECT_EQ(PixelFormat.cDepthBits, 16);
  EXPECT_EQ(PixelFormat.cAlphaBits, 0);
  EXPECT_EQ(PixelFormat.cAccumBits, 0);
  EXPECT_EQ(PixelFormat.cStencilBits, 0);
  EXPECT_EQ(PixelFormat.cAuxBuffers, 0);
  EXPECT_EQ(PixelFormat.iLayerType, 0);
}

// Each failing creation step releases exactly what exists by then, in release order (nothing
// after a failed registration), shows its own message and leaves no handle behind.
TEST_F(WindowTest, FailingCreationStepReleasesWhatExistsAndReports) {
  struct Case {
    HeadlessStep step;
    const char* message;
    Log expectedLog;
  };
  const Case cases[] = {
      {HeadlessRegisterClass, "Failed To Register The Window Class.", {"RegisterClass"}},
      {HeadlessCreateWindow,
       "Window Creation Error.",
       {"RegisterClass", "CreateWindow", "UnregisterClass"}},
      {HeadlessGetDeviceContext,
       "Can't Create A GL Device Context.",
       {"RegisterClass", "CreateWindow", "GetDC", "DestroyWindow", "UnregisterClass"}},
      {HeadlessChoosePixelFormat,
       "Can't Find A Suitable PixelFormat.",
       {"RegisterClass", "CreateWindow", "GetDC", "ChoosePixelFormat", "ReleaseDC", "DestroyWindow",
        "UnregisterClass"}},
      {HeadlessSetPixelFormat,
       "Can't Set The PixelFormat.",
       {"RegisterClass", "CreateWindow", "GetDC", "ChoosePixelFormat", "SetPixelFormat",
        "ReleaseDC", "DestroyWindow", "UnregisterClass"}},
      {HeadlessCreateGlContext,
       "Can't Create A GL Rendering Context.",
       {"RegisterClass", "CreateWindow", "GetDC", "ChoosePixelFormat", "SetPixelFormat",
        "wglCreateContext", "ReleaseDC", "DestroyWindow", "UnregisterClass"}},
      {HeadlessMakeCurrent,
       "Can't Activate The GL Rendering Context.",
       {"RegisterClass", "CreateWindow", "GetDC", "ChoosePixelFormat", "SetPixelFormat",
        "wglCreateContext", "wglMakeCurrent", "wglMakeCurrent(NULL)", "wglDeleteContext",
        "ReleaseDC", "DestroyWindow", "UnregisterClass"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    SetUp();
    HeadlessFailSteps[c.step] = true;
    EXPECT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 0), 0);
    EXPECT_EQ(HeadlessCallLog, c.expectedLog);
    ExpectOneBox(c.message, "ERROR", MbOk | MbIconExclamation);
    EXPECT_TRUE(WindowHandle == nullptr && DeviceContext == nullptr && RenderingContext == nullptr);
    if (c.step != HeadlessRegisterClass) {
      EXPECT_EQ(InstanceHandle, nullptr);
    }
    EXPECT_EQ(HeadlessWindow(), nullptr);
  }
}

// A failing release step is reported and the shutdown goes on with every later step.
TEST_F(WindowTest, FailingReleaseStepReportsAndTheShutdownGoesOn) {
  struct Case {
    HeadlessStep step;
    const char* message;
  };
  const Case cases[] = {
      {HeadlessReleaseCurrent, "Release Of DC And RC Failed."},
      {HeadlessDeleteGlContext, "Release Rendering Context Failed."},
      {HeadlessReleaseDeviceContext, "Release Device Context Failed."},
      {HeadlessDestroyWindow, "Could Not Release hWnd."},
      {HeadlessUnregisterClass, "Could Not Unregister Class."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    SetUp();
    ASSERT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 0), 1);
    HeadlessCallLog.clear();
    HeadlessFailSteps[c.step] = true;
    DestroyRenderWindow();
    EXPECT_EQ(HeadlessCallLog, ReleaseSteps);
    ExpectOneBox(c.message, "SHUTDOWN ERROR", MbOk | MbIconInformation);
    ExpectNoHandles();
  }
}

TEST_F(WindowTest, ReleasingWithNothingOpenStillTriesToUnregisterTheClass) {
  DestroyRenderWindow();
  EXPECT_EQ(HeadlessCallLog, Log{"UnregisterClass"});
  // The class was never registered, so the attempt fails and says so.
  ExpectOneBox("Could Not Unregister Class.", "SHUTDOWN ERROR", MbOk | MbIconInformation);
  ExpectNoHandles();
}

TEST_F(WindowTest, FullscreenWindowHidesTheCursorAndItsReleaseRestoresTheDisplay) {
  ASSERT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 1), 1);
  EXPECT_EQ(Fullscreen, 1);
  EXPECT_EQ(CountInLog("ChangeDisplaySettings"), 1);
  EXPECT_EQ(HeadlessCursorCounter, -1);
  HeadlessCallLog.clear();
  DestroyRenderWindow();
  ASSERT_FALSE(HeadlessCallLog.empty());
  EXPECT_EQ(HeadlessCallLog.front(), "RestoreDisplayMode");
  EXPECT_EQ(HeadlessCursorCounter, 0);
}

// An unsupported fullscreen mode asks; Yes (the default button) goes on windowed, No gives up
// before any window exists.
TEST_F(WindowTest, UnsupportedFullscreenModeAsksWhetherToGoOnWindowed) {
  HeadlessFailSteps[HeadlessFullscreenMode] = true;
  EXPECT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 1), 1);
  ExpectOneBox(
      "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
      "Instead?",
      "Kelo GL", MbYesNo | MbIconExclamation);
  EXPECT_EQ(Fullscreen, 0);
  EXPECT_EQ(HeadlessCursorCounter, 0);
  EXPECT_NE(WindowHandle, nullptr);

  SetUp();
  HeadlessFailSteps[HeadlessFullscreenMode] = true;
  HeadlessMessageBoxAnswer = IdNo;
  EXPECT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 1), 0);
  ASSERT_EQ(HeadlessMessageBoxes.size(), 2u);
  EXPECT_EQ(HeadlessMessageBoxes[1].text, "Program Will Now Close.");
  EXPECT_EQ(HeadlessMessageBoxes[1].caption, "ERROR");
  EXPECT_EQ(HeadlessMessageBoxes[1].style, MbOk | MbIconStop);
  EXPECT_EQ(CountInLog("CreateWindow"), 0);
  EXPECT_EQ(WindowHandle, nullptr);
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
  ExpectNoHandles();
}

// ---- The window procedure and the pump -------------------------------------------------------

TEST_F(WindowTest, CloseRequestSetsTheQuitFlagAndDestroysNothing) {
  ASSERT_EQ(CreateRenderWindow("VAULTRUN", 640, 480, 16, 0), 1);
  HeadlessCallLog.clear();
  PlatformHandle window = WindowHandle;
  EXPECT_EQ(MainWindowProc(window, WindowMessageClose, 0, 0), 0);
  EXPECT_EQ(QuitRequested, 1);
  EXPECT_EQ(WindowHandle, window);
  EXPECT_EQ(HeadlessWindow(), window);
  EXPECT_TRUE(HeadlessCallLog.empty());
  EXPECT_TRUE(HeadlessDefaultProcMessages.empty());
}

TEST_F(WindowTest, ActivationAndScreenSaverCommandsAreSwallowed) {
  EXPECT_EQ(MainWindowProc(nullptr, WindowMessageActivate, 1, 0), 0);
  EXPECT_EQ(MainWindowProc(nullptr, WindowMessageSysCommand, SysCommandScreenSave, 0), 0);
  EXPECT_EQ(MainWindowProc(nullptr, WindowMessageSysCommand, SysCommandMonitorPower, 2), 0);
  EXPECT_TRUE(HeadlessDefaultProcMessages.empty());
  EXPECT_EQ(QuitRequested, 0);
}

TEST_F(WindowTest, OtherMessagesAndSystemCommandsGoToTheDefaultProcedure) {
  const uint32_t WindowMessageSize = 0x0005;
  MainWindowProc(nullptr, WindowMessageSize, 7, 8);
  MainWindowProc(nullptr, WindowMessageSysCommand, SysCommandClose, 0);
  ASSERT_EQ(HeadlessDefaultProcMessages.size(), 2u);
  EXPECT_EQ(HeadlessDefaultProcMessages[0].message, WindowMessageSize);
  EXPECT_EQ(HeadlessDefaultProcMessages[0].wParam, 7u);
  EXPECT_EQ(HeadlessDefaultProcMessages[0].lParam, 8);
  EXPECT_EQ(HeadlessDefaultProcMessages[1].message, WindowMessageSysCommand);
  EXPECT_EQ(HeadlessDefaultProcMessages[1].wParam, SysCommandClose);
  // The default handling of Alt+F4 posts a close request; only the pump delivers it.
  EXPECT_EQ(QuitRequested, 0);
  EXPECT_EQ(PumpMessage(), 1);
  EXPECT_EQ(QuitRequested, 1);
}

TEST_F(WindowTest, PumpHandlesOneMessagePerCallAndSaysWhenTheQueueIsEmpty) {
  EXPECT_EQ(PumpMessage(), 0);
  HeadlessPostMessage(WindowMessageActivate, 1, 0);
  HeadlessPostMessage(WindowMessageClose, 0, 0);
  EXPECT_EQ(PumpMessage(), 1);
  EXPECT_EQ(QuitRequested, 0);  // the activation came first
  EXPECT_EQ(PumpMessage(), 1);
  EXPECT_EQ(QuitRequested, 1);
  EXPECT_EQ(PumpMessage(), 0);
}

// ---- Window keys -----------------------------------------------------------------------------

TEST_F(WindowTest, FunctionKeysRebuildTheWindowAtTheirScale) {
  const int expectedWidth[] = {320, 640, 960, 1280};
  for (int n = 1; n <= 4; ++n) {
    SCOPED_TRACE(n);
    SetUp();
    ASSERT_EQ(OpenMainWindow(), 1);
    HeadlessCallLog.clear();
    HeadlessKeys[VkF1 + n - 1] = true;
    HandleWindowKeys();
    EXPECT_EQ(DisplayScale, n);
    EXPECT_EQ(CountInLog("DestroyWindow"), 1);
    EXPECT_EQ(CountInLog("CreateWindow"), 1);
    ExpectWindowRect(0, 0, expectedWidth[n - 1], expectedWidth[n - 1] * 3 / 4);
    EXPECT_EQ(HeadlessCursorCounter, -2);  // hidden again after the rebuild
  }
}

TEST_F(WindowTest, SeveralFunctionKeysRebuildInKeyOrderAndTheLastWins) {
  ASSERT_EQ(OpenMainWindow(), 1);
  HeadlessCallLog.clear();
  HeadlessKeys[VkF3] = true;
  HeadlessKeys[VkF1] = true;
  HandleWindowKeys();
  EXPECT_EQ(CountInLog("CreateWindow"), 2);
  EXPECT_EQ(DisplayScale, 3);
  ExpectWindowRect(0, 0, 960, 720);
}

TEST_F(WindowTest, RebuildThatFailsLeavesNoWindowAndTheNextFrameGoesOn) {
  ASSERT_EQ(OpenMainWindow(), 1);
  HeadlessFailSteps[HeadlessGetDeviceContext] = true;
  HeadlessKeys[VkF4] = true;
  HandleWindowKeys();
  EXPECT_EQ(DisplayScale, 4);
  ExpectNoHandles();
  EXPECT_EQ(HeadlessCursorCounter, -2);  // the cursor is hidden whether or not it worked
}

// M moves the window's top-left corner to the cursor, at the scale of a rebuild in the same
// call.
TEST_F(WindowTest, MMovesTheWindowsTopLeftCornerToTheCursor) {
  ASSERT_EQ(OpenMainWindow(), 1);
  HeadlessCursorX = 123;
  HeadlessCursorY = 45;
  HeadlessKeys['M'] = true;
  HandleWindowKeys();
  ExpectWindowRect(123, 45, 123 + 640, 45 + 480);
  EXPECT_EQ(HeadlessCursorCounter, -2);
  HeadlessKeys[VkF1] = true;
  HandleWindowKeys();
  ExpectWindowRect(123, 45, 123 + 320, 45 + 240);
}

}  // namespace
