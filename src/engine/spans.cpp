// Span rasterizer and depth test.
#include "engine/engine.h"

int32_t FlatColour[3] = {0, 0, 0};

void DrawQuadSpan(double, double, double, double, double, double, double, double, double, double,
                  int32_t, uint32_t) {}
void DrawTriangleSpan(double, double, double, double, double, double, double, double, double,
                      double, int32_t, uint32_t, float) {}
ShadeColour ShadePoint(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {
  return ShadeColour{0, 0, 0};
}
void PutPixelRgb(int32_t, int32_t, uint8_t, uint8_t, uint8_t) {}
