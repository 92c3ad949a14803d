// The sdl backend: close signals, boxes without a display, keys and pointer (xdotool, Xvfb).
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "frame/frame.h"
#include "input/input.h"
#include "shell/shell.h"
#include "tests/gl/gl_test_window.h"

// Last: Xlib's macros (None, Bool, Status) must not reach the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

bool SignalIsIgnored(int signal) {
  struct sigaction current;
  return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

void DrainMessages() {
  while (PumpMessage() != 0) {
  }
}

template <typename Done>
bool WaitUntil(Done done) {
  for (int attempt = 0; attempt < 500; ++attempt, usleep(10000))
    if (done()) return true;
  return false;
}

// Whether a top-level window of that name is on the screen (SDL names a box in UTF-8, which
// XFetchName passes over).
bool TopLevelWindowShown(Display* display, const char* name) {
  ::Window root, parent, *children = nullptr;
  unsigned int count = 0;
  bool shown = false;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
    return false;
  for (unsigned int i = 0; i < count && !shown; ++i) {
    XTextProperty title;
    if (XGetWMName(display, children[i], &title) && title.value) {
      shown = std::strcmp(reinterpret_cast<char*>(title.value), name) == 0;
      XFree(title.value);
    }
  }
  if (children) XFree(children);
  return shown;
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

// A box is modal: no pump runs while it waits, so Ctrl+C or SIGTERM ends the process at once,
// killed by that signal, and the box (a process of SDL's own) goes with it.
TEST(SdlMessageBoxes, CloseSignalWhileABoxWaitsEndsTheProgramAndItsBox) {
  if (SignalIsIgnored(SIGINT)) GTEST_SKIP() << "started with SIGINT ignored";
  Display* display = XOpenDisplay(nullptr);
  if (!display) GTEST_SKIP() << "no display";
  int fonts = 0;
  XFreeFontNames(XListFonts(display, "-*-*-medium-r-normal--*-120-*-*-*-*-*-*", 1, &fonts));
  if (fonts == 0) {
    XCloseDisplay(display);
    GTEST_SKIP() << "the X server has no font for SDL's message box (apt-get install xfonts-base)";
  }
  const char* caption = "Audio Initialization.";
  pid_t program = fork();
  if (program == 0) {
    unsetenv("VAULTRUN_MESSAGE_BOXES");
    PlatformMessageBox(nullptr, "Activated 16 channel for Audio System.", caption, MbOk);
    _exit(0);  // answered: the signal did not end it
  }
  ASSERT_GT(program, 0);
  EXPECT_TRUE(WaitUntil([&] { return TopLevelWindowShown(display, caption); }));
  kill(program, SIGINT);
  int status = 0;
  EXPECT_TRUE(WaitUntil([&] { return waitpid(program, &status, WNOHANG) == program; }));
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << "status " << status;
  EXPECT_TRUE(WaitUntil([&] { return !TopLevelWindowShown(display, caption); }));
  kill(program, SIGKILL);  // nothing left to kill when all went well
  waitpid(program, &status, WNOHANG);
  XCloseDisplay(display);
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

// Keys are the X server's, as GetAsyncKeyState's are the desktop's: they are seen while another
// client's window has the keyboard focus.
TEST_F(SdlInputTest, KeysAreSeenWhileAnotherClientsWindowHasTheFocus) {
  Display* other = XOpenDisplay(nullptr);
  ASSERT_NE(other, nullptr);
  ::Window window = XCreateSimpleWindow(other, DefaultRootWindow(other), 700, 0, 100, 100, 0, 0, 0);
  XMapWindow(other, window);
  ASSERT_TRUE(WaitUntil([&] {
    XWindowAttributes attributes;
    return XGetWindowAttributes(other, window, &attributes) && attributes.map_state == IsViewable;
  }));
  XSetInputFocus(other, window, RevertToParent, CurrentTime);
  XSync(other, False);
  Xdotool("keydown Escape");
  EXPECT_TRUE(WaitForKey(VkEscape, 1));
  ::Window focus = 0;
  int revert = 0;
  XGetInputFocus(other, &focus, &revert);
  EXPECT_EQ(focus, window);
  Xdotool("keyup Escape");
  EXPECT_TRUE(WaitForKey(VkEscape, 0));
  XCloseDisplay(other);
}

// A key held through a rebuild stays held: F2 held for a second rebuilds the window on every
// pass, as on Windows.
TEST_F(SdlInputTest, HeldF2RebuildsTheWindowOnEveryPass) {
  Xdotool("keydown F2");
  ASSERT_TRUE(WaitForKey(VkF2, 1));
  int passes = 0, rebuilds = 0;
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (std::chrono::steady_clock::now() < end) {
    Uint32 window = SDL_GetWindowID(SDL_GL_GetCurrentWindow());
    HandleWindowKeys();
    ClearFrame();
    PresentFrame();
    DrainMessages();
    ++passes;
    if (SDL_GetWindowID(SDL_GL_GetCurrentWindow()) != window) ++rebuilds;
  }
  Xdotool("keyup F2");
  EXPECT_GT(passes, 1);
  EXPECT_EQ(rebuilds, passes);
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
