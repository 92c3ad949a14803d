// Span rasterizer and depth test.
//
// The innermost loop of the renderer. A span steps one pixel of length at a time from a sample
// of a face's left edge to one of its right edge; every pixel is tested against the outline
// mask, the near plane and the depth buffer before any texel is read or light evaluated.
//
// The loop below produces exactly the pixels of the plain walk (every step recomputed as
// start + s * step, the column accumulated by addition, the colour worked out per written
// pixel); what it saves is work whose outcome is already known:
// - a span whose points all lie beyond one side of the drawable area is not walked at all;
// - the near test and the colour are shared by the five pixels of a coarse cross;
// - the switches, the texture row and the light are read once per span instead of per pixel;
// - with one light, the light's terms are kept per distance, since a frame meets few distinct
//   distances.
// The tests compare frames of random scenes with a plain implementation, byte for byte.
#include <cmath>
#include <cstring>
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include "data/data.h"
#include "engine/engine.h"
#include "frame/frame.h"

int32_t FlatColour[3] = {0, 0, 0};
uint64_t* SpanStepCounter = nullptr;

namespace {

// A face whose slot holds no image is drawn in this grey, standing in for the texel: lighting
// treats it as it would treat a texel, and with texturing off the face uses FlatColour as usual.
constexpr uint8_t MissingTextureColour[3] = {128, 128, 128};

// The projection bounds every span end to -320..640 by -320..560, so no span is longer than
// about 1400 pixels. A longer one (or one whose length is not a number) can only come from a
// caller that broke that rule; it is dropped rather than walked for ever.
constexpr double SpanLengthLimit = 65536.0;

// Truncation toward zero with the x86 rule for values outside the 32-bit range (0x80000000),
// as DoubleToInt32 does; kept here so the compiler can inline it into the pixel loop. On x86 the
// conversion instruction itself follows that rule, and the intrinsic, unlike a cast, is defined
// for every input.
inline int32_t Trunc(double value) {
#if defined(__SSE2__) || defined(_M_X64)
  return _mm_cvttsd_si32(_mm_set_sd(value));
#else
  if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(value);
#endif
}

// ---- Texture -------------------------------------------------------------------------------

// The texture row of one span. The texel of column c is at (row * W + c) * 3 as long as that
// lies inside the image; an offset past the image's last pixel (a column that ran past the end
// of the last row, or a non-finite column) reads the last pixel instead, and an image shorter
// than it is wide repeats its top stored row for the rows it lacks. Neither happens with a square
// image and columns inside the row, so those read exactly the texel the formula names.
struct TextureRow {
  const uint8_t* pixels;  // null: the slot holds no image
  int64_t rowStart;       // pixel index of column 0 of the row
  int64_t lastPixel;      // pixel index of the image's last pixel
  double room;            // columns from the row start to the end of the image
};

struct SlotImage {
  const uint8_t* pixels;
  uint32_t width, height;
};

SlotImage ImageOf(uint32_t slot) {
  if (!TextureSlotTable || slot >= TextureSlotCount) return SlotImage{nullptr, 0, 0};
  const TextureSlot& s = TextureSlotTable[slot];
  if (!s.pixels || s.width == 0 || s.height == 0) return SlotImage{nullptr, s.width, 0};
  return SlotImage{s.pixels, s.width, s.height};
}

TextureRow RowOf(const SlotImage& image, int32_t row) {
  if (!image.pixels) return TextureRow{nullptr, 0, 0, 0};
  int64_t r = row;
  if (r >= image.height) r = image.height - 1;
  if (r < 0) r = 0;
  int64_t pixelCount = int64_t{image.width} * image.height;
  int64_t rowStart = r * image.width;
  return TextureRow{image.pixels, rowStart, pixelCount - 1,
                    static_cast<double>(pixelCount - rowStart)};
}

inline const uint8_t* TexelAt(const TextureRow& row, double col) {
  if (!row.pixels) return MissingTextureColour;
  int64_t p = col >= 0 && col < row.room ? row.rowStart + static_cast<int64_t>(col) : row.lastPixel;
  return row.pixels + 3 * p;
}

// ---- Shading -------------------------------------------------------------------------------

// With one light the shade of a pixel is clamp(base + surface div 18) per channel, where base =
// max(q, 0) * 17 / 18 and q = colour / k, k = d / range. The base terms depend on the point only
// through its Manhattan distance d from the light, and d takes few distinct values in a frame
// (whole distances plus a few fractions from the light's position), so the terms of recently
// met distances are kept in a small table, valid while the light's fields are the ones they
// were computed from.
struct ShadeCacheEntry {
  uint64_t distanceBits;
  uint32_t generation;
  double base[3];
};

constexpr int ShadeCacheSize = 4096;
ShadeCacheEntry ShadeCache[ShadeCacheSize];
uint32_t ShadeCacheGeneration = 1;
// The fields of light 1 that the shading reads, as they were when the cached terms were made.
struct ShadeLight {
  float camX, camY, camZ, range, red, green, blue;
};
ShadeLight ShadeCacheLight;

// Called once per span: a light that moved or changed makes every cached term stale. The fields
// are compared bit for bit, so even a change of sign of a zero counts.
void RefreshShadeCache() {
  const SceneLight& l = LightTable[1];
  ShadeLight now{l.camX, l.camY, l.camZ, l.range, l.red, l.green, l.blue};
  if (std::memcmp(&now, &ShadeCacheLight, sizeof(ShadeLight)) == 0) return;
  ShadeCacheLight = now;
  ShadeCacheGeneration += 1;
  if (ShadeCacheGeneration == 0) {  // wrapped: no entry may look valid by accident
    for (ShadeCacheEntry& entry : ShadeCache) entry.generation = 0;
    ShadeCacheGeneration = 1;
  }
}

// The base terms at distance d. A channel in which the light has no colour contributes nothing
// wherever the point is: 0 / k is 0 or not a number, and neither is above the running 0.
void ComputeSingleLightBase(double d, double base[3]) {
  const ShadeLight& light = ShadeCacheLight;
  float k = static_cast<float>(d / light.range);
  const float colour[3] = {light.red, light.green, light.blue};
  for (int c = 0; c < 3; ++c) {
    if (colour[c] == 0) {
      base[c] = 0;
      continue;
    }
    float q = colour[c] / k;
    float acc = q > 0.0f ? q : 0.0f;
    base[c] = static_cast<double>(acc) * 17 / 18;
  }
}

// What the walk reads to colour its pixels, copied out of the globals once per span: the pixel
// writes go through byte pointers, which could alias any global, so values kept in globals
// would be read again after every write.
struct SpanShading {
  bool singleLight;  // exactly one light: shade through the cache below
  float lightX, lightY, lightZ;
  uint32_t generation;  // of the cache entries that belong to this light
  int32_t flat[3];      // FlatColour
  TextureRow row;
};

SpanShading ShadingOfSpan(const TextureRow& row) {
  SpanShading shading{};
  shading.singleLight = LightingEnabled && LightCount == 1;
  if (shading.singleLight) {
    RefreshShadeCache();
    shading.lightX = ShadeCacheLight.camX;
    shading.lightY = ShadeCacheLight.camY;
    shading.lightZ = ShadeCacheLight.camZ;
    shading.generation = ShadeCacheGeneration;
  }
  for (int c = 0; c < 3; ++c) shading.flat[c] = FlatColour[c];
  shading.row = row;
  return shading;
}

inline const double* SingleLightBase(const SpanShading& shading, int32_t px, int32_t py,
                                    int32_t pz) {
  // Manhattan distance: each difference in single precision, the sum in double.
  double d = static_cast<double>(std::fabs(shading.lightX - static_cast<float>(px))) +
             static_cast<double>(std::fabs(shading.lightY - static_cast<float>(py))) +
             static_cast<double>(std::fabs(shading.lightZ - static_cast<float>(pz)));
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  uint64_t hash = bits * 0x9E3779B97F4A7C15ull;
  ShadeCacheEntry& entry = ShadeCache[hash >> (64 - 12)];
  if (entry.generation != shading.generation || entry.distanceBits != bits) {
    ComputeSingleLightBase(d, entry.base);
    entry.distanceBits = bits;
    entry.generation = shading.generation;
  }
  return entry.base;
}

inline uint8_t ShadeByte(float value) { return static_cast<uint8_t>(Trunc(value)); }

// The base is 0, positive or infinite, never not-a-number (it comes from q only where q > 0),
// so the clamped value lies in 0 .. 255 and converts without a range test. The blend is worked
// in double and rounded once, when it is stored as the running single-precision colour.
inline uint8_t BlendByte(double base, int32_t surface) {
  float value = static_cast<float>(base + (surface / 18));
  if (value > 255) value = 255;
  if (value < 0) value = 0;
  return static_cast<uint8_t>(static_cast<int32_t>(value));
}

// The colour of a drawn pixel, red, green, blue and alpha 255.
inline void LitColour(const SpanShading& shading, double cx, double cy, double z,
                      const int32_t surface[3], uint8_t rgba[4]) {
  int32_t px = Trunc(cx), py = Trunc(cy), pz = Trunc(z);
  if (shading.singleLight) {
    const double* base = SingleLightBase(shading, px, py, pz);
    for (int c = 0; c < 3; ++c) rgba[c] = BlendByte(base[c], surface[c]);
  } else {
    ShadeColour shade = ShadePoint(px, py, pz, surface[0], surface[1], surface[2]);
    rgba[0] = ShadeByte(shade.red);
    rgba[1] = ShadeByte(shade.green);
    rgba[2] = ShadeByte(shade.blue);
  }
  rgba[3] = 255;
}

// ---- Spans ---------------------------------------------------------------------------------

struct SpanEnds {
  double x0, y0, cx0, cy0, cz0, x1, y1, cx1, cy1, cz1;
};

// True when every point of the span lies beyond one side of the drawable area, so that no pixel
// can pass the frame test. A point is start + s * step with 0 <= s below the span's length (or
// the crossing distance, which exceeds the length by no more than the single-precision rounding
// of the coordinates); so it lies within the box of the two ends widened by that rounding. The
// margin covers it many times over: 0.01 pixel plus 1e-5 of the coordinates' size.
inline bool WhollyOutside(const SpanEnds& e) {
  double margin =
      0.01 + 1e-5 * (std::fabs(e.x0) + std::fabs(e.x1) + std::fabs(e.y0) + std::fabs(e.y1));
  double left = e.x0 < e.x1 ? e.x0 : e.x1, right = e.x0 < e.x1 ? e.x1 : e.x0;
  double bottom = e.y0 < e.y1 ? e.y0 : e.y1, top = e.y0 < e.y1 ? e.y1 : e.y0;
  return right + margin < 1 || left - margin >= RenderWidth - 1 || top + margin < 1 ||
         bottom - margin >= RenderHeight - 1;
}

int OutCode(double value, double high) { return value > high ? 1 : value < 0 ? -1 : 0; }

// Distance from the start point to a crossing, in single precision throughout: both points
// rounded to single precision, then the differences, squares, sum and root.
float DistanceToCrossing(double x0, double y0, double crossX, double crossY) {
  float dx = static_cast<float>(crossX) - static_cast<float>(x0);
  float dy = static_cast<float>(crossY) - static_cast<float>(y0);
  return std::sqrt(dx * dx + dy * dy);
}

// Everything about a span that does not change along it.
struct SpanWalk {
  double s, sEnd, col, colStep;
  double ux, uy, ucx, ucy, ucz;
};

// Steps, length, column rate and the run clipping: of the eight cases the first that holds cuts
// the run at the crossing with the frame's edge. The cut only saves work; every pixel is still
// tested in the walk.
bool SetUpSpan(const SpanEnds& e, double W, bool triangle, float baseLength, SpanWalk* walk) {
  double dx = e.x1 - e.x0, dy = e.y1 - e.y0;
  double len = static_cast<float>(std::sqrt(dx * dx + dy * dy));
  if (!(len <= SpanLengthLimit)) return false;
  walk->ux = dx / len;
  walk->uy = dy / len;
  walk->ucx = (e.cx1 - e.cx0) / len;
  walk->ucy = (e.cy1 - e.cy0) / len;
  walk->ucz = (e.cz1 - e.cz0) / len;
  // A triangle whose first two corners share a pixel has a zero base and an infinite column
  // rate; its columns then stay at 0, so each span takes the first texel of its row.
  double colStep = triangle ? 1 / (baseLength / W) : 1 / (len / W);
  if (!std::isfinite(colStep)) colStep = 0;
  walk->colStep = colStep;
  double s = 0, col = 0, sEnd = len;

  double right = RenderWidth - 1, top = RenderHeight - 1;
  int sx = OutCode(e.x0, right), ex = OutCode(e.x1, right);
  int sy = OutCode(e.y0, top), ey = OutCode(e.y1, top);
  auto yCrossing = [&](double Y) {
    return DistanceToCrossing(e.x0, e.y0, (Y - e.y0) / (dy / dx) + e.x0, Y);
  };
  auto xCrossing = [&](double X) {
    return DistanceToCrossing(e.x0, e.y0, X, (X - e.x0) / (dx / dy) + e.y0);
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
  walk->s = s;
  walk->sEnd = sEnd;
  walk->col = col;
  return true;
}

// The steps of a set-up span, for the benchmarks' count of span pixels visited.
uint64_t StepCount(const SpanWalk& walk) {
  uint64_t steps = 0;
  for (double s = walk.s; walk.sEnd > s; s += 1) ++steps;
  return steps;
}

template <bool Lighting, bool Texturing, bool Coarse>
void WalkSpan(const SpanEnds& ends, const SpanWalk& walk, const SpanShading& shading) {
  const double x0 = ends.x0, y0 = ends.y0, cx0 = ends.cx0, cy0 = ends.cy0, cz0 = ends.cz0;
  const double ux = walk.ux, uy = walk.uy, ucx = walk.ucx, ucy = walk.ucy, ucz = walk.ucz;
  const double colStep = walk.colStep, sEnd = walk.sEnd;
  const int32_t width = RenderWidth;
  const double xLimit = RenderWidth - 1, yLimit = RenderHeight - 1;
  const double nearZ = NearPlaneZ;
  double* const depth = DepthBuffer;
  const uint32_t* const mask = LineMaskBuffer;
  uint8_t* const frame = FrameBuffer;
  const SpanShading sh = shading;
  double s = walk.s, col = walk.col;
  while (sEnd > s) {
    double x = x0 + s * ux, y = y0 + s * uy;
    if (x >= 1 && y >= 1 && x < xLimit && y < yLimit) {
      double z = cz0 + s * ucz;
      // The near test is the same for the whole cross. The five pixels are distinct and a
      // write to one never changes another's test, so all are tested first; the colour is then
      // worked out once for those that pass.
      if (z < nearZ) {
        int32_t p = static_cast<int32_t>(y) * width + static_cast<int32_t>(x);
        constexpr int Pixels = Coarse ? 5 : 1;
        const int32_t cross[5] = {p, p + width, p - width, p + 1, p - 1};
        unsigned passed = 0;
        for (int k = 0; k < Pixels; ++k)
          if (mask[cross[k]] == 0 && z >= depth[cross[k]]) passed |= 1u << k;
        if (passed) {
          uint8_t rgba[4];
          if (Lighting) {
            double cx = cx0 + s * ucx, cy = cy0 + s * ucy;
            if (Texturing) {
              const uint8_t* texel = TexelAt(sh.row, col);
              const int32_t surface[3] = {texel[0], texel[1], texel[2]};
              LitColour(sh, cx, cy, z, surface, rgba);
            } else {
              LitColour(sh, cx, cy, z, sh.flat, rgba);
            }
          } else if (Texturing) {
            const uint8_t* texel = TexelAt(sh.row, col);
            rgba[0] = texel[0];
            rgba[1] = texel[1];
            rgba[2] = texel[2];
            rgba[3] = 255;
          } else {
            for (int c = 0; c < 3; ++c) rgba[c] = static_cast<uint8_t>(sh.flat[c]);
            rgba[3] = 255;
          }
          for (int k = 0; k < Pixels; ++k) {
            if (!(passed & (1u << k))) continue;
            std::memcpy(frame + 4 * static_cast<size_t>(cross[k]), rgba, 4);
            depth[cross[k]] = z;
          }
        }
      }
    }
    col = col + colStep;
    s = s + 1;
  }
}

using SpanWalker = void (*)(const SpanEnds&, const SpanWalk&, const SpanShading&);

SpanWalker ChooseWalker() {
  static constexpr SpanWalker Walkers[8] = {
      WalkSpan<false, false, false>, WalkSpan<false, false, true>, WalkSpan<false, true, false>,
      WalkSpan<false, true, true>,   WalkSpan<true, false, false>, WalkSpan<true, false, true>,
      WalkSpan<true, true, false>,   WalkSpan<true, true, true>,
  };
  int index = (LightingEnabled ? 4 : 0) + (TexturingEnabled ? 2 : 0) + (CoarseFillEnabled ? 1 : 0);
  return Walkers[index];
}

void DrawSpan(const SpanEnds& e, int32_t row, uint32_t slot, bool triangle, float baseLength) {
  if (!SpanStepCounter && WhollyOutside(e)) return;
  SlotImage image = ImageOf(slot);
  SpanWalk walk;
  if (!SetUpSpan(e, static_cast<int32_t>(image.width), triangle, baseLength, &walk)) return;
  if (SpanStepCounter) {
    *SpanStepCounter += StepCount(walk);
    if (WhollyOutside(e)) return;
  }
  ChooseWalker()(e, walk, ShadingOfSpan(RowOf(image, row)));
}

}  // namespace

void DrawQuadSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1, double y1,
                  double cx1, double cy1, double cz1, int32_t row, uint32_t slot) {
  DrawSpan(SpanEnds{x0, y0, cx0, cy0, cz0, x1, y1, cx1, cy1, cz1}, row, slot, false, 0);
}

void DrawTriangleSpan(double x0, double y0, double cx0, double cy0, double cz0, double x1,
                      double y1, double cx1, double cy1, double cz1, int32_t row, uint32_t slot,
                      float baseLength) {
  DrawSpan(SpanEnds{x0, y0, cx0, cy0, cz0, x1, y1, cx1, cy1, cz1}, row, slot, true, baseLength);
}

// Each light lifts the running colour to its own contribution where that is brighter, then the
// surface is blended in and the result clamped, once per light: with several lights the order
// of the lights matters.
ShadeColour ShadePoint(int32_t px, int32_t py, int32_t pz, int32_t sr, int32_t sg, int32_t sb) {
  float acc[3] = {0, 0, 0};
  const int32_t surface[3] = {sr, sg, sb};
  for (int32_t j = 1; j <= LightCount; ++j) {
    const SceneLight& light = LightTable[j];
    // Manhattan distance: each difference in single precision, the sum in double.
    double d = static_cast<double>(std::fabs(light.camX - static_cast<float>(px))) +
               static_cast<double>(std::fabs(light.camY - static_cast<float>(py))) +
               static_cast<double>(std::fabs(light.camZ - static_cast<float>(pz)));
    float k = static_cast<float>(d / light.range);
    const float colour[3] = {light.red, light.green, light.blue};
    for (int c = 0; c < 3; ++c) {
      float q = colour[c] / k;
      if (q > acc[c]) acc[c] = q;
    }
    // The blend is worked in double, like the rest of the rasterizer's arithmetic, and rounded
    // once, when it is stored back into the single-precision running colour.
    for (int c = 0; c < 3; ++c) {
      acc[c] = static_cast<float>(static_cast<double>(acc[c]) * 17 / 18 + (surface[c] / 18));
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
