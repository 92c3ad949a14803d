// The real window read back with OpenGL (Xvfb with Mesa, 1600 x 1200 for scale 5; skips without).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "frame/frame.h"
#include "input/input.h"
#include "shell/shell.h"
#include "tests/gl/gl_test_window.h"

namespace {

class PresentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ReadyForTheProgramWindow()) GTEST_SKIP() << "no display to open a window on";
    ASSERT_EQ(OpenMainWindow(), 1);
  }
  void TearDown() override {
    if (WindowHandle) DestroyRenderWindow();
  }
};

// At scale s frame pixel (0, 0) is the s x s square at the bottom-left corner, (319, 239) the one
// at the top-right, and the black frame covers the whole window (no clear colour shows).
TEST_F(PresentTest, FramePixelsBecomeSquaresOfTheScaleFromTheBottomLeftCorner) {
  const uint32_t Black = 0, Green = 0x1EC80A, Purple = 0x5A28C8;  // 0xBBGGRR
  for (int s : {2, 1, 4, 3, 5}) {
    SCOPED_TRACE(s);
    if (s != 2) RebuildWindow(s);
    int w = 320 * s, h = 240 * s;
    PlatformRect rect;
    ASSERT_TRUE(PlatformGetWindowRect(WindowHandle, &rect));
    EXPECT_TRUE(rect.left == 0 && rect.top == 0 && rect.right == w && rect.bottom == h);
    ClearFrame();
    uint32_t* frame = reinterpret_cast<uint32_t*>(FrameBuffer);
    frame[0] = Green | 0xFF000000u;
    frame[320 * 240 - 1] = Purple | 0xFF000000u;
    PresentFrame();
    glFinish();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // Mesa's software swap copies the back buffer into the window and keeps it, so after the
    // swap the back buffer holds what the window shows; a driver that exchanged the buffers
    // would give the previous frame and fail, never pass wrongly.
    std::vector<uint8_t> shown(static_cast<size_t>(w) * h * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, shown.data());
    auto at = [&](int x, int y) {
      const uint8_t* p = &shown[3 * (static_cast<size_t>(y) * w + x)];
      return static_cast<uint32_t>(p[0] | p[1] << 8 | p[2] << 16);
    };
    EXPECT_EQ(at(0, 0), Green);
    EXPECT_EQ(at(s - 1, s - 1), Green);
    EXPECT_EQ(at(s, 0), Black);
    EXPECT_EQ(at(0, s), Black);
    EXPECT_EQ(at(w - s, h - s), Purple);
    EXPECT_EQ(at(w - 1, h - 1), Purple);
    EXPECT_EQ(at(w - s - 1, h - s - 1), Black);
    EXPECT_EQ(at(w / 2, h / 2), Black);
  }
}

// A rebuilt context gets the state again, with the world view's projection: 45 degrees high at
// 4:3 from 0.1 to 100 (cot 22.5 degrees = 1 + sqrt(2); depth -(f + n) / (f - n), -2fn / (f - n)).
TEST_F(PresentTest, EveryContextGetsTheGlStateTheWorldViewNeeds) {
  RebuildWindow(3);
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_TRUE(clear[0] == 1.0f && clear[1] == 0.0f && clear[2] == 0.9f && clear[3] == 0.0f);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D) && glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_CULL_FACE));
  GLint depthFunction = 0, viewport[4];
  glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
  EXPECT_EQ(depthFunction, GL_LEQUAL);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_TRUE(viewport[0] == 0 && viewport[1] == 0 && viewport[2] == 320 && viewport[3] == 240);
  GLdouble m[16];
  glGetDoublev(GL_PROJECTION_MATRIX, m);
  const double cot = 1 + std::sqrt(2.0), n = 0.1, f = 100;
  const double expected[16] = {
      cot * 3 / 4,          0, 0, 0, 0, cot, 0, 0, 0, 0, -(f + n) / (f - n), -1, 0, 0,
      -2 * f * n / (f - n), 0};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], 1e-5) << i;
}

}  // namespace
