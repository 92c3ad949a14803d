// Span rasterizer and depth test.
#include <cmath>

#include "data/data.h"
#include "engine/engine.h"
#include "frame/frame.h"
#include "shell/runtime.h"

int32_t FlatColour[3] = {0, 0, 0};

namespace {

constexpr uint8_t MissingTextureColour[3] = {128, 128, 128};
constexpr double SpanLengthLimit = 65536.0;

struct SpanTexture {
  const uint8_t* pixels;
  uint32_t width, height;
};

SpanTexture TextureOf(uint32_t slot) {
  if (!TextureSlotTable || slot >= TextureSlotCount) return SpanTexture{nullptr, 0, 0};
  const TextureSlot& s = TextureSlotTable[slot];
  if (!s.pixels || s.width == 0 || s.height == 0) return SpanTexture{nullptr, s.width, 0};
  return SpanTexture{s.pixels, s.width, s.height};
}

const uint8_t* TexelAt(const SpanTexture& texture, int32_t row, double col) {
  if (!texture.pixels) return MissingTextureColour;
  int64_t r = row;
  if (r >= texture.height) r = texture.height - 1;
  if (r < 0) r = 0;
  int64_t pixelCount = int64_t{texture.width} * texture.height;
  int64_t rowStart = r * texture.width;
  double room = static_cast<double>(pixelCount - rowStart);
  int64_t p = col >= 0 && col < room ? rowStart + static_cast<int64_t>(col) : pixelCount - 1;
  return texture.pixels + 3 * p;
}

int32_t Trunc(double value) { return DoubleToInt32(value); }

uint8_t ShadeByte(float value) { return static_cast<uint8_t>(Trunc(value)); }

void DrawPixelIfVisible(int32_t px, int32_t py, double cx, double cy, double z,
                        const SpanTexture& texture, int32_t row, double col) {
  int32_t p = py * RenderWidth + px;
  if (LineMaskBuffer[p] != 0 || !(z < NearPlaneZ) || !(z >= DepthBuffer[p])) return;
  uint8_t r, g, b;
  if (LightingEnabled) {
    ShadeColour c;
    if (TexturingEnabled) {
      const uint8_t* texel = TexelAt(texture, row, col);
      c = ShadePoint(Trunc(cx), Trunc(cy), Trunc(z), texel[0], texel[1], texel[2]);
    } else {
      c = ShadePoint(Trunc(cx), Trunc(cy), Trunc(z), FlatColour[0], FlatColour[1], FlatColour[2]);
    }
    r = ShadeByte(c.red);
    g = ShadeByte(c.green);
    b = ShadeByte(c.blue);
  } else if (TexturingEnabled) {
    const uint8_t* texel = TexelAt(texture, row, col);
    r = texel[0];
    g = texel[1];
    b = texel[2];
  } else {
    r = static_cast<uint8_t>(FlatColour[0]);
    g = static_cast<uint8_t>(FlatColour[1]);
    b = static_cast<uint8_t>(FlatColour[2]);
  }
  PutPixelRgb(px, py, r, g, b);
  DepthBuffer[p] = z;
}

int OutCode(double value, double high) { return value > high ? 1 : value < 0 ? -1 : 0; }

float DistanceToCrossing(double x0, double y0, double crossX, double crossY) {
  float dx = static_cast<float>(crossX) - static_cast<float>(x0);
  float dy = static_cast<float>(crossY) - static_cast<float>(y0);
  return std::sqrt(dx * dx + dy * dy);
}

void DrawSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1, double y1,
              double cx1, double cy1, double cz1, int32_t row, uint32_t slot, bool triangle,
              float baseLength) {
  SpanTexture texture = TextureOf(slot);
  double W = static_cast<int32_t>(texture.width);
  double dx = x1 - x0, dy = y1 - y0;
  double len = static_cast<float>(std::sqrt(dx * dx + dy * dy));
  if (!(len <= SpanLengthLimit)) return;
  double ux = dx / len, uy = dy / len;
  double ucx = (cx1 - cx0) / len, ucy = (cy1 - cy0) / len, ucz = (cz1 - cz0) / len;
  double colStep = triangle ? 1 / (baseLength / W) : 1 / (len / W);
  if (!std::isfinite(colStep)) colStep = 0;
  double s = 0, col = 0, sEnd = len;

  double right = RenderWidth - 1, top = RenderHeight - 1;
  int sx = OutCode(x0, right), ex = OutCode(x1, right);
  int sy = OutCode(y0, top), ey = OutCode(y1, top);
  auto yCrossing = [&](double Y) {
    return DistanceToCrossing(x0, y0, (Y - y0) / (dy / dx) + x0, Y);
  };
  auto xCrossing = [&](double X) {
    return DistanceToCrossing(x0, y0, X, (X - x0) / (dx / dy) + y0);
  };
  if (sy == 0 && ey == 1) {
    sEnd = yCrossing(top);
  } else if (sy == 0 && ey == -1) {
    sEnd = yCrossing(0);
  } else if (sy == 1 && ey == 0) {
    s = yCrossing(top);
    col = s * colStep;
  } else if (sy == -1 && ey == 0) {
    s = yCrossing(0);
    col = s * colStep;
  } else if (sx == 0 && ex == 1) {
    sEnd = xCrossing(right);
  } else if (sx == 0 && ex == -1) {
    sEnd = xCrossing(0);
  } else if (sx == 1 && ex == 0) {
    s = xCrossing(right);
    col = s * colStep;
  } else if (sx == -1 && ex == 0) {
    s = xCrossing(0);
    col = s * colStep;
  }

  while (sEnd > s) {
    double x = x0 + s * ux, y = y0 + s * uy;
    double cx = cx0 + s * ucx, cy = cy0 + s * ucy, z = cz0 + s * ucz;
    if (x >= 1 && y >= 1 && x < RenderWidth - 1 && y < RenderHeight - 1) {
      int32_t px = static_cast<int32_t>(x), py = static_cast<int32_t>(y);
      DrawPixelIfVisible(px, py, cx, cy, z, texture, row, col);
      if (CoarseFillEnabled) {
        DrawPixelIfVisible(px, py + 1, cx, cy, z, texture, row, col);
        DrawPixelIfVisible(px, py - 1, cx, cy, z, texture, row, col);
        DrawPixelIfVisible(px + 1, py, cx, cy, z, texture, row, col);
        DrawPixelIfVisible(px - 1, py, cx, cy, z, texture, row, col);
      }
    }
    col = col + colStep;
    s = s + 1;
  }
}

}  // namespace

void DrawQuadSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1, double y1,
                  double cx1, double cy1, double cz1, int32_t row, uint32_t slot) {
  DrawSpan(x0, y0, cx0, cy0, cz0, x1, y1, cx1, cy1, cz1, row, slot, false, 0);
}

void DrawTriangleSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1,
                      double y1, double cx1, double cy1, double cz1, int32_t row, uint32_t slot,
                      float baseLength) {
  DrawSpan(x0, y0, cx0, cy0, cz0, x1, y1, cx1, cy1, cz1, row, slot, true, baseLength);
}

ShadeColour ShadePoint(int32_t px, int32_t py, int32_t pz, int32_t sr, int32_t sg, int32_t sb) {
  float acc[3] = {0, 0, 0};
  int32_t surface[3] = {sr, sg, sb};
  for (int32_t j = 1; j <= LightCount; ++j) {
    const SceneLight& light = LightTable[j];
    double d = static_cast<double>(std::fabs(light.camX - static_cast<float>(px))) +
               static_cast<double>(std::fabs(light.camY - static_cast<float>(py))) +
               static_cast<double>(std::fabs(light.camZ - static_cast<float>(pz)));
    float k = static_cast<float>(d / light.range);
    float colour[3] = {light.red, light.green, light.blue};
    for (int c = 0; c < 3; ++c) {
      float q = colour[c] / k;
      if (q > acc[c]) acc[c] = q;
    }
    for (int c = 0; c < 3; ++c) {
      acc[c] = acc[c] * 17 / 18 + static_cast<float>(surface[c] / 18);
      if (acc[c] > 255) acc[c] = 255;
      if (acc[c] < 0) acc[c] = 0;
    }
  }
  return ShadeColour{acc[0], acc[1], acc[2]};
}

void PutPixelRgb(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  uint8_t* pixel = FrameBuffer + 4 * (static_cast<size_t>(y) * RenderWidth + x);
  pixel[0] = red;
  pixel[1] = green;
  pixel[2] = blue;
  pixel[3] = 255;
}
