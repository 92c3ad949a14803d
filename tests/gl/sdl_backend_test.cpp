// The sdl backend: close signals, boxes without a display, keys and pointer (xdotool, Xvfb).
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "frame/frame.h"
#include "input/input.h"
#include "shell/shell.h"
#include "tests/gl/gl_test_window.h"

namespace {

bool SignalIsIgnored(int signal) {
  struct sigaction current;
  return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

void DrainMessages() {
  while (PumpMessage() != 0) {
  }
}

// Ctrl+C and SIGTERM are close requests, delivered by the pump even when there is no window.
TEST(SdlCloseSignals, SignalBecomesACloseRequestWithoutAWindow) {
  for (int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    if (SignalIsIgnored(signal)) continue;  // started with it ignored (a background job)
    QuitRequested = 0;
    std::raise(signal);
    EXPECT_EQ(QuitRequested, 0);  // nothing happens inside the handler but a flag
    EXPECT_EQ(PumpMessage(), 1);
    EXPECT_EQ(QuitRequested, 1);
  }
  QuitRequested = 0;
}

// Without a display the box goes to standard error as "CAPTION: text" and takes its default
// button (run in a fresh process, so that no display connection of another test is open); a
// script asks for the same with VAULTRUN_MESSAGE_BOXES=stderr.
TEST(SdlMessageBoxes, WithoutADisplayTheBoxIsWrittenToStandardError) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (uint32_t style : {uint32_t{MbOk}, uint32_t{MbYesNo | MbIconExclamation}}) {
    EXPECT_EXIT(
        {
          unsetenv("DISPLAY");
          unsetenv("WAYLAND_DISPLAY");
          unsetenv("VAULTRUN_MESSAGE_BOXES");
          std::exit(PlatformMessageBox(nullptr, "Use Windowed Mode?", "Kelo GL", style));
        },
        testing::ExitedWithCode(style == MbOk ? IdOk : IdYes), "Kelo GL: Use Windowed Mode\\?");
  }
  setenv("VAULTRUN_MESSAGE_BOXES", "stderr", 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(PlatformMessageBox(nullptr, "Window Creation Error.", "ERROR", MbOk), IdOk);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: Window Creation Error.\n");
}

class SdlInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "xdotool is not installed";
    if (!ReadyForTheProgramWindow()) GTEST_SKIP() << "no display to open a window on";
    ASSERT_EQ(OpenMainWindow(), 1);
    DrainMessages();
  }
  void TearDown() override {
    std::system("xdotool keyup a 1 F2 F4 KP_Add Shift_R Escape >/dev/null 2>&1");
    std::system("xdotool mouseup 1 >/dev/null 2>&1");
    if (WindowHandle) DestroyRenderWindow();
  }

  static void Xdotool(const std::string& arguments) {
    ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
  }

  // Keys are polled: their state changes when the pump has read the server's events.
  static bool WaitForKey(int virtualKey, int wanted) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      DrainMessages();
      if (IsKeyDown(virtualKey) == wanted) return true;
      usleep(10000);
    }
    return false;
  }
};

// Keys as xdotool names them ("key"), and X's left, right and middle buttons ("mouse").
TEST_F(SdlInputTest, KeysAndButtonsReadAsTheirWindowsVirtualKeys) {
  const struct {
    const char *device, *name;
    int virtualKey;
  } cases[] = {
      // clang-format off
      {"key", "a", 'A'}, {"key", "z", 'Z'}, {"key", "0", '0'}, {"key", "1", '1'},
      {"key", "9", '9'}, {"key", "F1", VkF1}, {"key", "F4", VkF4}, {"key", "Left", VkLeft},
      {"key", "Up", VkUp}, {"key", "Right", VkRight}, {"key", "Down", VkDown},
      {"key", "KP_Add", VkAdd}, {"key", "KP_Subtract", VkSubtract}, {"key", "Escape", VkEscape},
      {"key", "space", VkSpace}, {"key", "Tab", VkTab}, {"key", "Return", VkReturn},
      {"key", "BackSpace", VkBack}, {"key", "Shift_L", VkShift}, {"key", "Shift_R", VkShift},
      {"mouse", "1", VkLButton}, {"mouse", "3", VkRButton}, {"mouse", "2", VkMButton},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Xdotool(std::string(c.device) + "down " + c.name);
    EXPECT_TRUE(WaitForKey(c.virtualKey, 1));
    Xdotool(std::string(c.device) + "up " + c.name);
    EXPECT_TRUE(WaitForKey(c.virtualKey, 0));
  }
}

// The pointer is read from the server wherever it is, inside the window or not.
TEST_F(SdlInputTest, CursorPositionIsTheDesktopPositionAndMapsIntoTheFrame) {
  Xdotool("mousemove 123 45");
  int x = -1, y = -1;
  ASSERT_TRUE(PlatformGetCursorPos(&x, &y));
  EXPECT_TRUE(x == 123 && y == 45) << x << ", " << y;
  Xdotool("mousemove 1000 900");  // right of and below the window
  EXPECT_TRUE(GetMouseX(WindowHandle) == 319 && GetMouseY(WindowHandle) == 0);
}

}  // namespace
