// Frame buffers and presentation: the render size, the screen-sized colour, depth and mask
// buffers, their per-frame clearing, presenting a frame through OpenGL, and release at exit.
#pragma once

#include <cstdint>

#include "base/base.h"

extern uint8_t* FrameBuffer;  // RGBA per pixel; pixel (x, y) at y * RenderWidth + x, row 0 bottom
extern uint8_t* ReadbackBuffer;   // RenderWidth * RenderHeight * 4 bytes
extern double* DepthBuffer;       // camZ of the nearest surface; larger is nearer
extern uint32_t* LineMaskBuffer;  // non-zero keeps face filling off the pixel
constexpr double DepthClearValue = -1000000.0;

// Sets RenderWidth and RenderHeight and allocates the frame and read-back buffers at that size.
void SetRenderSize(int width, int height);
void AllocateEnginePools();
void ClearFrame();
void ClearDepth();
void PresentFrame();
void FillFrameColour(uint8_t red, uint8_t green, uint8_t blue);
void CompositeGLFrame();

// Release at exit (release.cpp).
void ReleaseEnginePools();
void ReleaseGameData();
