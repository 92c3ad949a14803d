// A straightforward renderer kept beside the engine's own: every step written once, in order,
// with no hoisting, caching or early-outs. The engine's frames must match it byte for byte; the
// tests render random scenes with both and compare the frame, depth and mask buffers.
#pragma once

#include <cstdint>

namespace reference {

void RenderBoxObject(uint32_t objectId);
void RenderTriangleObject(uint32_t objectId);
void DrawSceneObjects(float angleA, float angleB, float angleC);
void DrawQuadSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1, double y1,
                  double cx1, double cy1, double cz1, int32_t row, uint32_t slot);
void DrawTriangleSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1,
                      double y1, double cx1, double cy1, double cz1, int32_t row, uint32_t slot,
                      float baseLength);
void DrawDepthLine(double x0, double y0, double z0, double x1, double y1, double z1,
                   uint32_t maskValue);

}  // namespace reference
