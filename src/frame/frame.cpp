// Screen and depth buffers: allocation, per-frame clearing, presentation through OpenGL.
#include "frame/frame.h"

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>

uint8_t* FrameBuffer = nullptr;
uint8_t* ReadbackBuffer = nullptr;
double* DepthBuffer = nullptr;
uint32_t* LineMaskBuffer = nullptr;
PlatformHandle DeviceContext = nullptr;
int32_t DisplayScale = 1;
int32_t FrameCounter = 0;

void SetRenderSize(int width, int height) {
  RenderWidth = width;
  RenderHeight = height;
  std::free(FrameBuffer);
  std::free(ReadbackBuffer);
  size_t bytes = static_cast<size_t>(RenderWidth) * RenderHeight * 4;
  FrameBuffer = static_cast<uint8_t*>(std::malloc(bytes));
  ReadbackBuffer = static_cast<uint8_t*>(std::malloc(bytes));
}

void AllocateDepthAndMaskBuffers() {
  size_t pixels = static_cast<size_t>(RenderWidth) * RenderHeight;
  DepthBuffer = static_cast<double*>(std::malloc(pixels * sizeof(double)));
  LineMaskBuffer = static_cast<uint32_t*>(std::malloc(pixels * sizeof(uint32_t)));
  std::memset(LineMaskBuffer, 0, pixels * sizeof(uint32_t));
}

void ReleaseDepthAndMaskBuffers() {
  ReleaseBlock(DepthBuffer);
  ReleaseBlock(LineMaskBuffer);
}

void ReleaseScreenBuffers() {
  ReleaseBlock(FrameBuffer);
  ReleaseBlock(ReadbackBuffer);
}

void ClearFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  std::memset(FrameBuffer, 0, static_cast<size_t>(RenderWidth) * RenderHeight * 4);
}

namespace {

// A block of cleared depths. Copying it moves a cache line or more per instruction, where a
// loop storing the value moves two depths at a time: the clear takes less than half as long.
struct ClearedDepthBlock {
  static constexpr size_t Count = 2048;
  double depth[Count];
  constexpr ClearedDepthBlock() : depth() {
    for (double& d : depth) d = DepthClearValue;
  }
};
constexpr ClearedDepthBlock ClearedDepths;

}  // namespace

void ClearDepth() {
  size_t pixels = static_cast<size_t>(RenderWidth) * RenderHeight;
  for (size_t i = 0; i < pixels; i += ClearedDepthBlock::Count) {
    size_t count = pixels - i < ClearedDepthBlock::Count ? pixels - i : ClearedDepthBlock::Count;
    std::memcpy(DepthBuffer + i, ClearedDepths.depth, count * sizeof(double));
  }
}

void PresentFrame() {
  glDisable(GL_TEXTURE_2D);
  if (DisplayScale >= 1 && DisplayScale <= 5)
    glPixelZoom(static_cast<float>(DisplayScale), static_cast<float>(DisplayScale));
  glDrawPixels(RenderWidth, RenderHeight, GL_RGBA, GL_UNSIGNED_BYTE, FrameBuffer);
  PlatformSwapBuffers(DeviceContext);
  glEnable(GL_TEXTURE_2D);
}

void FillFrameColour(uint8_t red, uint8_t green, uint8_t blue) {
  size_t pixels = static_cast<size_t>(RenderWidth) * RenderHeight;
  for (size_t i = 0; i < pixels; ++i) {
    FrameBuffer[4 * i] = red;
    FrameBuffer[4 * i + 1] = green;
    FrameBuffer[4 * i + 2] = blue;
  }
}

void CompositeGLFrame() {
  glLoadIdentity();
  // The read-back is always 320 x 240 x 3 bytes; a smaller render size has a smaller buffer.
  if (static_cast<size_t>(RenderWidth) * RenderHeight * 4 >= 320 * 240 * 3)
    glReadPixels(0, 0, 320, 240, GL_RGB, GL_UNSIGNED_BYTE, ReadbackBuffer);
  if (RenderWidth != 320 || RenderHeight != 240) return;
  for (int i = 0; i < 320 * 240; ++i) {
    uint8_t r = ReadbackBuffer[3 * i], g = ReadbackBuffer[3 * i + 1], b = ReadbackBuffer[3 * i + 2];
    if (r > 254 && g == 0 && b == 229) continue;  // the GL clear colour is the transparent key
    FrameBuffer[4 * i] = r;
    FrameBuffer[4 * i + 1] = g;
    FrameBuffer[4 * i + 2] = b;
    FrameBuffer[4 * i + 3] = 255;
  }
}
