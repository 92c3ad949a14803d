// The sdl backend's own behaviour: close signals, message boxes without a display, and keys
// and the pointer as the X server reports them (driven with xdotool under Xvfb).
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

// A second signal before the pump has seen the first ends the process, as without a handler.
TEST(SdlCloseSignals, SecondSignalBeforeThePumpEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::raise(SIGTERM);
        std::raise(SIGTERM);
        std::exit(0);
      },
      testing::KilledBySignal(SIGTERM), "");
}

// Without a display the box goes to standard error as "CAPTION: text" and takes its default
// button. Run in a fresh process, so that no display connection from another test is open.
TEST(SdlMessageBoxes, WithoutADisplayTheBoxIsWrittenToStandardError) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("VAULTRUN_MESSAGE_BOXES");
        int answer = PlatformMessageBox(nullptr, "Activated 0 channel for Audio System.",
                                        "Audio Initialization.", MbOk);
        std::exit(answer);
      },
      testing::ExitedWithCode(IdOk),
      "Audio Initialization\\.: Activated 0 channel for Audio System\\.");
  EXPECT_EXIT(
      {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("VAULTRUN_MESSAGE_BOXES");
        std::exit(PlatformMessageBox(nullptr, "Use Windowed Mode Instead?", "Kelo GL",
                                     MbYesNo | MbIconExclamation));
      },
      testing::ExitedWithCode(IdYes), "Kelo GL: Use Windowed Mode Instead\\?");
}

// Whether a top-level window of that name is on the screen.
bool TopLevelWindowShown(Display* display, const char* name) {
  ::Window root, parent, *children = nullptr;
  unsigned int count = 0;
  bool shown = false;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
    return false;
  for (unsigned int i = 0; i < count && !shown; ++i) {
    // SDL stores a box's name as UTF-8, which XFetchName (and xdotool) pass over.
    XTextProperty title;
    if (XGetWMName(display, children[i], &title) && title.value) {
      shown = std::strcmp(reinterpret_cast<char*>(title.value), name) == 0;
      XFree(title.value);
    }
  }
  if (children) XFree(children);
  return shown;
}

template <typename Done>
bool WaitUntil(Done done) {
  for (int attempt = 0; attempt < 500; ++attempt) {
    if (done()) return true;
    usleep(10000);
  }
  return false;
}

// A box is modal: no pump runs while it waits, so a close signal ends the process at once,
// killed by that signal, and the box (shown by a process of SDL's own) goes with it.
TEST(SdlMessageBoxes, CloseSignalWhileABoxWaitsEndsTheProgramAndItsBox) {
  if (SignalIsIgnored(SIGTERM)) GTEST_SKIP() << "started with SIGTERM ignored";
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
  kill(program, SIGTERM);
  int status = 0;
  EXPECT_TRUE(WaitUntil([&] { return waitpid(program, &status, WNOHANG) == program; }));
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "status " << status;
  EXPECT_TRUE(WaitUntil([&] { return !TopLevelWindowShown(display, caption); }));
  kill(program, SIGKILL);  // nothing left to kill when all went well
  waitpid(program, &status, WNOHANG);
  XCloseDisplay(display);
}

TEST(SdlMessageBoxes, ScriptsCanSendBoxesToStandardError) {
  setenv("VAULTRUN_MESSAGE_BOXES", "stderr", 1);
  testing::internal::CaptureStderr();
  int answer =
      PlatformMessageBox(nullptr, "Window Creation Error.", "ERROR", MbOk | MbIconExclamation);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERROR: Window Creation Error.\n");
  EXPECT_EQ(answer, IdOk);
}

// ---- Keys and the pointer, driven through the X server ----------------------------------------

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

TEST_F(SdlInputTest, KeysTheProgramNamesReadAsTheirWindowsVirtualKeys) {
  struct Case {
    const char* keysym;
    int virtualKey;
  };
  const Case cases[] = {
      {"a", 'A'},
      {"z", 'Z'},
      {"0", '0'},
      {"1", '1'},
      {"9", '9'},
      {"F1", VkF1},
      {"F4", VkF4},
      {"Left", VkLeft},
      {"Up", VkUp},
      {"Right", VkRight},
      {"Down", VkDown},
      {"KP_Add", VkAdd},
      {"KP_Subtract", VkSubtract},
      {"Escape", VkEscape},
      {"space", VkSpace},
      {"Tab", VkTab},
      {"Return", VkReturn},
      {"BackSpace", VkBack},
      {"Shift_L", VkShift},
      {"Shift_R", VkShift},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keysym);
    Xdotool(std::string("keydown ") + c.keysym);
    EXPECT_TRUE(WaitForKey(c.virtualKey, 1));
    Xdotool(std::string("keyup ") + c.keysym);
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
  std::printf("%d rebuilds in %d passes\n", rebuilds, passes);
  EXPECT_GT(passes, 1);
  EXPECT_EQ(rebuilds, passes);
}

TEST_F(SdlInputTest, MouseButtonsAreVirtualKeysOneTwoAndFour) {
  const int buttons[] = {1, 3, 2};  // X's left, right, middle
  const int virtualKeys[] = {VkLButton, VkRButton, VkMButton};
  Xdotool("mousemove 300 200");
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(virtualKeys[i]);
    Xdotool("mousedown " + std::to_string(buttons[i]));
    EXPECT_TRUE(WaitForKey(virtualKeys[i], 1));
    Xdotool("mouseup " + std::to_string(buttons[i]));
    EXPECT_TRUE(WaitForKey(virtualKeys[i], 0));
  }
}

// The pointer is read from the server wherever it is, inside the window or not.
TEST_F(SdlInputTest, CursorPositionIsTheDesktopPositionAndMapsIntoTheFrame) {
  Xdotool("mousemove 123 45");
  int x = -1, y = -1;
  ASSERT_TRUE(PlatformGetCursorPos(&x, &y));
  EXPECT_EQ(x, 123);
  EXPECT_EQ(y, 45);
  // 640 x 480 at (0, 0): 320 / 640 * 320 = 160 across, (480 - 360) / 480 * 240 = 60 up.
  Xdotool("mousemove 320 360");
  EXPECT_EQ(GetMouseX(WindowHandle), 160);
  EXPECT_EQ(GetMouseY(WindowHandle), 60);
  Xdotool("mousemove 1000 900");  // right of and below the window
  EXPECT_EQ(GetMouseX(WindowHandle), 319);
  EXPECT_EQ(GetMouseY(WindowHandle), 0);
}

TEST_F(SdlInputTest, MMovesTheWindowToThePointer) {
  Xdotool("mousemove 210 130");
  Xdotool("keydown m");
  ASSERT_TRUE(WaitForKey('M', 1));
  HandleWindowKeys();
  Xdotool("keyup m");
  PlatformRect rect;
  ASSERT_TRUE(PlatformGetWindowRect(WindowHandle, &rect));
  EXPECT_EQ(rect.left, 210);
  EXPECT_EQ(rect.top, 130);
  EXPECT_EQ(rect.right, 210 + 640);
  EXPECT_EQ(rect.bottom, 130 + 480);
}

}  // namespace
