// Frame buffers and presentation: setting the render size, the screen-sized colour, depth and
// mask buffers with their per-frame clearing and their release, presenting a frame through
// OpenGL.
#pragma once

#include <cstdint>

#include "base/base.h"
#include "platform/platform.h"

extern uint8_t* FrameBuffer;  // RGBA per pixel; pixel (x, y) at y * RenderWidth + x, row 0 bottom
extern uint8_t* ReadbackBuffer;   // RenderWidth * RenderHeight * 4 bytes
extern double* DepthBuffer;       // camZ of the nearest surface; larger is nearer
extern uint32_t* LineMaskBuffer;  // non-zero keeps face filling off the pixel
constexpr double DepthClearValue = -1000000.0;

// Presentation: the window's device context, which the shell's window code sets and clears, and
// the display scale, the pixel zoom (and window size factor) that the shell sets at start-up
// (2) and with the window keys.
extern PlatformHandle DeviceContext;  // null
extern int32_t DisplayScale;          // 1; start-up sets 2
// Frames drawn: the main loop adds 1 at the end of every pass and Space sets it to 0; the world
// view paces its steps and the console its cursor by it.
extern int32_t FrameCounter;  // 0

// Sets RenderWidth and RenderHeight and allocates the frame and read-back buffers at that size.
void SetRenderSize(int width, int height);
// The depth and line-mask buffers at the render size, the mask cleared (part of the engine
// pools, AllocateEnginePools).
void AllocateDepthAndMaskBuffers();
void ClearFrame();
void ClearDepth();
void PresentFrame();
void FillFrameColour(uint8_t red, uint8_t green, uint8_t blue);
void CompositeGLFrame();

// Release at exit: each pointer is cleared once its block is freed.
void ReleaseDepthAndMaskBuffers();
void ReleaseScreenBuffers();  // the frame and read-back buffers
