// The straightforward renderer: see engine_reference_renderer.h.
#include "tests/engine/engine_reference_renderer.h"

#include <cmath>
#include <initializer_list>

#include "data/data.h"
#include "engine/engine.h"
#include "frame/frame.h"
#include "overlay/overlay.h"
#include "shell/runtime.h"

namespace reference {
namespace {

struct Corner {
  double px, py, camX, camY, camZ;
};

struct Edge {
  double px[EdgeListCapacity], py[EdgeListCapacity], camX[EdgeListCapacity], camY[EdgeListCapacity],
      camZ[EdgeListCapacity];
  double count;
};

Corner A, B, C, D;
Edge Left, Right;
const uint8_t Missing[3] = {128, 128, 128};

// ---- spans

struct Texture {
  const uint8_t* pixels;
  uint32_t width, height;
};

Texture TextureOf(uint32_t slot) {
  if (!TextureSlotTable || slot >= TextureSlotCount) return Texture{nullptr, 0, 0};
  const TextureSlot& s = TextureSlotTable[slot];
  if (!s.pixels || s.width == 0 || s.height == 0) return Texture{nullptr, s.width, 0};
  return Texture{s.pixels, s.width, s.height};
}

const uint8_t* TexelAt(const Texture& t, int32_t row, double col) {
  if (!t.pixels) return Missing;
  int64_t r = row;
  if (r >= t.height) r = t.height - 1;
  if (r < 0) r = 0;
  int64_t count = int64_t{t.width} * t.height;
  int64_t start = r * t.width;
  int64_t p = col >= 0 && col < static_cast<double>(count - start)
                  ? start + static_cast<int64_t>(col)
                  : count - 1;
  return t.pixels + 3 * p;
}

ShadeColour Shade(int32_t px, int32_t py, int32_t pz, int32_t sr, int32_t sg, int32_t sb) {
  float acc[3] = {0, 0, 0};
  int32_t surface[3] = {sr, sg, sb};
  for (int32_t j = 1; j <= LightCount; ++j) {
    const SceneLight& l = LightTable[j];
    double d = static_cast<double>(std::fabs(l.camX - static_cast<float>(px))) +
               static_cast<double>(std::fabs(l.camY - static_cast<float>(py))) +
               static_cast<double>(std::fabs(l.camZ - static_cast<float>(pz)));
    float k = static_cast<float>(d / l.range);
    float colour[3] = {l.red, l.green, l.blue};
    for (int c = 0; c < 3; ++c) {
      float q = colour[c] / k;
      if (q > acc[c]) acc[c] = q;
    }
    for (int c = 0; c < 3; ++c) {
      acc[c] = static_cast<float>(static_cast<double>(acc[c]) * 17 / 18 + (surface[c] / 18));
      if (acc[c] > 255) acc[c] = 255;
      if (acc[c] < 0) acc[c] = 0;
    }
  }
  return ShadeColour{acc[0], acc[1], acc[2]};
}

uint8_t Byte(float v) { return static_cast<uint8_t>(DoubleToInt32(v)); }

void Pixel(int32_t px, int32_t py, double cx, double cy, double z, const Texture& t, int32_t row,
           double col) {
  int32_t p = py * RenderWidth + px;
  if (LineMaskBuffer[p] != 0 || !(z < NearPlaneZ) || !(z >= DepthBuffer[p])) return;
  uint8_t r, g, b;
  if (LightingEnabled) {
    ShadeColour c;
    if (TexturingEnabled) {
      const uint8_t* texel = TexelAt(t, row, col);
      c = Shade(DoubleToInt32(cx), DoubleToInt32(cy), DoubleToInt32(z), texel[0], texel[1],
                texel[2]);
    } else {
      c = Shade(DoubleToInt32(cx), DoubleToInt32(cy), DoubleToInt32(z), FlatColour[0],
                FlatColour[1], FlatColour[2]);
    }
    r = Byte(c.red);
    g = Byte(c.green);
    b = Byte(c.blue);
  } else if (TexturingEnabled) {
    const uint8_t* texel = TexelAt(t, row, col);
    r = texel[0];
    g = texel[1];
    b = texel[2];
  } else {
    r = static_cast<uint8_t>(FlatColour[0]);
    g = static_cast<uint8_t>(FlatColour[1]);
    b = static_cast<uint8_t>(FlatColour[2]);
  }
  uint8_t* out = FrameBuffer + 4 * static_cast<size_t>(p);
  out[0] = r;
  out[1] = g;
  out[2] = b;
  out[3] = 255;
  DepthBuffer[p] = z;
}

int Code(double v, double high) { return v > high ? 1 : v < 0 ? -1 : 0; }

float Distance(double x0, double y0, double x, double y) {
  float dx = static_cast<float>(x) - static_cast<float>(x0);
  float dy = static_cast<float>(y) - static_cast<float>(y0);
  return std::sqrt(dx * dx + dy * dy);
}

void Span(double x0, double y0, double cx0, double cy0, double cz0, double x1, double y1,
          double cx1, double cy1, double cz1, int32_t row, uint32_t slot, bool triangle,
          float baseLength) {
  Texture t = TextureOf(slot);
  double W = static_cast<int32_t>(t.width);
  double dx = x1 - x0, dy = y1 - y0;
  double len = static_cast<float>(std::sqrt(dx * dx + dy * dy));
  if (!(len <= 65536.0)) return;
  double ux = dx / len, uy = dy / len;
  double ucx = (cx1 - cx0) / len, ucy = (cy1 - cy0) / len, ucz = (cz1 - cz0) / len;
  double colStep = triangle ? 1 / (baseLength / W) : 1 / (len / W);
  if (!std::isfinite(colStep)) colStep = 0;
  double s = 0, col = 0, sEnd = len;
  double right = RenderWidth - 1, top = RenderHeight - 1;
  int sx = Code(x0, right), ex = Code(x1, right), sy = Code(y0, top), ey = Code(y1, top);
  if (sy == 0 && ey == 1) {
    sEnd = Distance(x0, y0, (top - y0) / (dy / dx) + x0, top);
  } else if (sy == 0 && ey == -1) {
    sEnd = Distance(x0, y0, (0 - y0) / (dy / dx) + x0, 0);
  } else if (sy == 1 && ey == 0) {
    s = Distance(x0, y0, (top - y0) / (dy / dx) + x0, top);
    col = s * colStep;
  } else if (sy == -1 && ey == 0) {
    s = Distance(x0, y0, (0 - y0) / (dy / dx) + x0, 0);
    col = s * colStep;
  } else if (sx == 0 && ex == 1) {
    sEnd = Distance(x0, y0, right, (right - x0) / (dx / dy) + y0);
  } else if (sx == 0 && ex == -1) {
    sEnd = Distance(x0, y0, 0, (0 - x0) / (dx / dy) + y0);
  } else if (sx == 1 && ex == 0) {
    s = Distance(x0, y0, right, (right - x0) / (dx / dy) + y0);
    col = s * colStep;
  } else if (sx == -1 && ex == 0) {
    s = Distance(x0, y0, 0, (0 - x0) / (dx / dy) + y0);
    col = s * colStep;
  }
  while (sEnd > s) {
    double x = x0 + s * ux, y = y0 + s * uy;
    double cx = cx0 + s * ucx, cy = cy0 + s * ucy, z = cz0 + s * ucz;
    if (x >= 1 && y >= 1 && x < RenderWidth - 1 && y < RenderHeight - 1) {
      int32_t px = static_cast<int32_t>(x), py = static_cast<int32_t>(y);
      Pixel(px, py, cx, cy, z, t, row, col);
      if (CoarseFillEnabled) {
        Pixel(px, py + 1, cx, cy, z, t, row, col);
        Pixel(px, py - 1, cx, cy, z, t, row, col);
        Pixel(px + 1, py, cx, cy, z, t, row, col);
        Pixel(px - 1, py, cx, cy, z, t, row, col);
      }
    }
    col = col + colStep;
    s = s + 1;
  }
}

// ---- edges

void Store(Edge& e, int k, double px, double py, double cx, double cy, double cz) {
  e.px[k] = px;
  e.py[k] = py;
  e.camX[k] = cx;
  e.camY[k] = cy;
  e.camZ[k] = cz;
}

void Walk(const Corner& s, const Corner& e, Edge& list, bool fine) {
  Store(list, 0, s.px, s.py, s.camX, s.camY, s.camZ);
  double d[5] = {e.px - s.px, e.py - s.py, e.camX - s.camX, e.camY - s.camY, e.camZ - s.camZ};
  double ax = std::fabs(d[0]), ay = std::fabs(d[1]);
  double m = ax > ay ? ax : ay;
  double inc[5], h, limit;
  for (int v = 0; v < 5; ++v) inc[v] = fine ? d[v] / m / 3 : d[v] / m;
  if (fine)
    h = std::fabs(ax > ay ? d[0] / m / 3 : d[1] / m / 3);
  else
    h = std::fabs(ax > ay ? d[0] / m : d[1] / m);
  limit = fine ? 3 * m : m;
  double t = 0;
  int k = 1;
  while (t < limit && k < EdgeListCapacity - 1) {
    Store(list, k, s.px + t * inc[0], s.py + t * inc[1], s.camX + t * inc[2], s.camY + t * inc[3],
          s.camZ + t * inc[4]);
    k += 1;
    t += h;
  }
  Store(list, k, e.px, e.py, e.camX, e.camY, e.camZ);
  list.count = k + 1;
}

void Fill(uint32_t slot, bool triangle, float baseLength) {
  bool fine = !CoarseFillEnabled;
  Walk(A, C, Left, fine);
  Walk(B, D, Right, fine);
  double nL = Left.count, nR = Right.count;
  double W = 0;
  if (TextureSlotTable && slot < TextureSlotCount)
    W = static_cast<int32_t>(TextureSlotTable[slot].width);
  auto draw = [&](int i, int j, int32_t row) {
    Span(Left.px[i], Left.py[i], Left.camX[i], Left.camY[i], Left.camZ[i], Right.px[j], Right.py[j],
         Right.camX[j], Right.camY[j], Right.camZ[j], row, slot, triangle, baseLength);
  };
  double a = 0;
  if (nL > nR) {
    for (int i = 0; i < nL; ++i) {
      draw(i, static_cast<int>(a), static_cast<int32_t>(W / nL * i));
      a += nR / nL;
    }
  } else {
    for (int j = 0; j < nR; ++j) {
      draw(static_cast<int>(a), j, static_cast<int32_t>(W / nR * j));
      a += nL / nR;
    }
  }
}

void Plot(double x, double y, double z, double stored, uint32_t mask) {
  if (!(x >= 2 && x < RenderWidth - 2 && y >= 2 && y < RenderHeight - 2)) return;
  if (!(z < NearPlaneZ)) return;
  int32_t p = static_cast<int32_t>(y) * RenderWidth + static_cast<int32_t>(x);
  if (!(z + static_cast<double>(LineDepthBias) >= DepthBuffer[p])) return;
  PutPixel(static_cast<int32_t>(x), static_cast<int32_t>(y), 255, 255, 255);
  DepthBuffer[p] = stored;
  LineMaskBuffer[p] = mask;
}

// ---- renderers

Corner CornerOf(uint32_t slot) {
  const SceneVertex& v = VertexPool[slot];
  return Corner{static_cast<double>(int64_t{ScreenCentreX} + v.screenX),
                static_cast<double>(int64_t{ScreenCentreY} + v.screenY), v.camX, v.camY, v.camZ};
}

void Line(const Corner& a, const Corner& b, uint32_t mask) {
  DrawDepthLine(a.px, a.py, a.camZ, b.px, b.py, b.camZ, mask);
}

}  // namespace

void DrawQuadSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1, double y1,
                  double cx1, double cy1, double cz1, int32_t row, uint32_t slot) {
  Span(x0, y0, cx0, cy0, cz0, x1, y1, cx1, cy1, cz1, row, slot, false, 0);
}

void DrawTriangleSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1,
                      double y1, double cx1, double cy1, double cz1, int32_t row, uint32_t slot,
                      float baseLength) {
  Span(x0, y0, cx0, cy0, cz0, x1, y1, cx1, cy1, cz1, row, slot, true, baseLength);
}

void DrawDepthLine(double x0, double y0, double z0, double x1, double y1, double z1,
                   uint32_t mask) {
  double ax = std::fabs(x1 - x0), ay = std::fabs(y1 - y0), dz = z1 - z0;
  if (!(ax <= 65536.0 && ay <= 65536.0)) return;
  double bias = LineDepthBias;
  double x = x0, y = y0, z = z0;
  if (ax >= ay) {
    double xs = x0 > x1 ? -1 : 1, ys = y0 > y1 ? -(ay / ax) : ay / ax, zs = dz / ax;
    while (xs > 0 ? x <= x1 : x >= x1) {
      Plot(x, y, z, z + bias, mask);
      x += xs;
      y += ys;
      z += zs;
    }
  } else {
    double ys = y0 > y1 ? -1 : 1, xs = x0 > x1 ? -(ax / ay) : ax / ay, zs = dz / ay;
    while (ys > 0 ? y <= y1 : y >= y1) {
      Plot(x, y, z, z + bias, mask);
      x += xs;
      y += ys;
      z += zs;
    }
  }
  Plot(x1, y1, z1, z1, mask);
}

void RenderBoxObject(uint32_t id) {
  for (uint32_t f = 0; f < 6; ++f) {
    const SceneFace& face = ObjectPool[id].faces[f];
    Corner c[4];
    for (int k = 0; k < 4; ++k) c[k] = CornerOf(face.corners[k]);
    int nearer = 0;
    for (int k = 0; k < 4; ++k) nearer += c[k].camZ > NearPlaneZ;
    if (nearer == 4 || face.visible != 1) continue;
    A = c[0];
    B = c[1];
    C = c[3];
    D = c[2];
    for (uint32_t mask : {1u, 0u}) {
      if (WireframeEnabled) {
        Line(c[0], c[1], mask);
        Line(c[1], c[2], mask);
        Line(c[3], c[2], mask);
        Line(c[0], c[3], mask);
      }
      if (mask == 1) Fill(face.texture, false, 0);
    }
  }
}

void RenderTriangleObject(uint32_t id) {
  SceneFace& face = ObjectPool[id].faces[0];
  Corner c[3];
  for (int k = 0; k < 3; ++k) c[k] = CornerOf(face.corners[k]);
  if (c[0].camZ > NearPlaneZ && c[1].camZ > NearPlaneZ && c[2].camZ > NearPlaneZ) return;
  A = c[0];
  B = c[1];
  C = c[2];
  D = c[2];
  for (uint32_t mask : {1u, 0u}) {
    if (WireframeEnabled) {
      Line(c[0], c[1], mask);
      Line(c[1], c[2], mask);
      Line(c[2], c[0], mask);
    }
    if (mask == 1) {
      float dx = static_cast<float>(std::fabs(c[0].px - c[1].px));
      float dy = static_cast<float>(std::fabs(c[0].py - c[1].py));
      face.edgeLength = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
      Fill(face.texture, true, face.edgeLength);
    }
  }
}

void DrawSceneObjects(float angleA, float angleB, float angleC) {
  for (int32_t id = 1; id <= LastObjectId; ++id) {
    TransformObject(id, angleA, angleB, angleC);
    uint32_t kind = ObjectPool[id].faces[0].kind;
    if (kind == ObjectKindBox)
      RenderBoxObject(id);
    else if (kind == ObjectKindTriangle)
      RenderTriangleObject(id);
  }
}

}  // namespace reference
