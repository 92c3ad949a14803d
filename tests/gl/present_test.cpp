// The real window through the shell and the sdl backend, read back with OpenGL: where it is,
// how large, and where a frame pixel lands. Needs a display (run under Xvfb with Mesa); skips
// without one.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "frame/frame.h"
#include "input/input.h"
#include "shell/shell.h"
#include "tests/gl/gl_test_window.h"

namespace {

struct Rgb {
  uint8_t red, green, blue;
  bool operator==(const Rgb& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
  return out << "(" << int(colour.red) << ", " << int(colour.green) << ", " << int(colour.blue)
             << ")";
}

const Rgb Black = {0, 0, 0};
const Rgb Green = {10, 200, 30};
const Rgb Purple = {200, 40, 90};

class PresentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ReadyForTheProgramWindow()) GTEST_SKIP() << "no display to open a window on";
    ASSERT_EQ(OpenMainWindow(), 1);
  }
  void TearDown() override {
    if (WindowHandle) DestroyRenderWindow();
  }

  static void PutFramePixel(int x, int y, Rgb colour) {
    uint8_t* pixel = FrameBuffer + 4 * (y * RenderWidth + x);
    pixel[0] = colour.red;
    pixel[1] = colour.green;
    pixel[2] = colour.blue;
    pixel[3] = 255;
  }

  // A frame that is black but for its bottom-left and top-right pixels, presented.
  static void PresentMarkedFrame() {
    ClearFrame();
    PutFramePixel(0, 0, Green);
    PutFramePixel(319, 239, Purple);
    PresentFrame();
    glFinish();
  }

  // What the window shows now, bottom row first (as OpenGL counts rows).
  struct Shown {
    int width, height;
    std::vector<uint8_t> bytes;
    Rgb At(int x, int y) const {
      const uint8_t* p = &bytes[3 * (static_cast<size_t>(y) * width + x)];
      return Rgb{p[0], p[1], p[2]};
    }
  };
  static Shown ReadWindow(int width, int height) {
    Shown shown{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
    // Mesa's software swap copies the back buffer into the window and keeps it, so after the
    // swap the back buffer holds what the window shows. (The front buffer of an X window does
    // not read back through GL there.) A driver that exchanged the buffers would give the
    // previous frame and fail the checks, never pass them wrongly.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, shown.bytes.data());
    return shown;
  }

  static void ExpectWindowAt(int left, int top, int width, int height) {
    PlatformRect rect;
    ASSERT_TRUE(PlatformGetWindowRect(WindowHandle, &rect));
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right - rect.left, width);
    EXPECT_EQ(rect.bottom - rect.top, height);
  }
};

TEST_F(PresentTest, MainWindowIs640By480AtTheScreensTopLeftCorner) {
  ExpectWindowAt(0, 0, 640, 480);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 0);
  EXPECT_EQ(viewport[2], 320);
  EXPECT_EQ(viewport[3], 240);
}

// At scale s frame pixel (0, 0) is the s x s square at the window's bottom-left corner and
// frame pixel (319, 239) the one at its top-right; the black rest of the frame covers the whole
// window, so the GL clear colour shows nowhere. The window opens at scale 2; F1 to F4 rebuild it
// at scales 1 to 4.
TEST_F(PresentTest, FramePixelsBecomeSquaresOfTheScaleFromTheBottomLeftCorner) {
  for (int scale : {2, 1, 4, 3}) {
    SCOPED_TRACE(scale);
    if (scale != 2) RebuildWindow(scale);
    int w = 320 * scale, h = 240 * scale, s = scale;
    ExpectWindowAt(0, 0, w, h);
    PresentMarkedFrame();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    Shown shown = ReadWindow(w, h);
    EXPECT_EQ(shown.At(0, 0), Green);
    EXPECT_EQ(shown.At(s - 1, s - 1), Green);
    EXPECT_EQ(shown.At(s, 0), Black);
    EXPECT_EQ(shown.At(0, s), Black);
    EXPECT_EQ(shown.At(w - s, h - s), Purple);
    EXPECT_EQ(shown.At(w - 1, h - 1), Purple);
    EXPECT_EQ(shown.At(w - s - 1, h - s - 1), Black);
    EXPECT_EQ(shown.At(w / 2, h / 2), Black);
  }
}

// Each rebuild makes a new context in which the GL state is set up again.
TEST_F(PresentTest, RebuiltContextGetsTheGlStateAgain) {
  RebuildWindow(3);
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[0], 1.0f);
  EXPECT_EQ(clear[1], 0.0f);
  EXPECT_EQ(clear[2], 0.9f);
  EXPECT_EQ(clear[3], 0.0f);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
  GLint depthFunction = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
  EXPECT_EQ(depthFunction, GL_LEQUAL);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 320);  // whatever the window's size
  EXPECT_EQ(viewport[3], 240);
}

}  // namespace
