// Span rasterizer and depth test.
//
// The innermost loop of the renderer. A span steps one pixel of length at a time from a sample
// of a face's left edge to one of its right edge; every pixel is tested against the outline
// mask, the near plane and the depth buffer before any texel is read or light evaluated.
//
// The loop below produces exactly the pixels of the plain walk (every step recomputed as
// start + s * step, the column accumulated by addition, the colour worked out per written
// pixel); what it saves is work whose outcome is already known:
// - a span whose points all lie beyond one side of the drawable area is not walked at all, and
//   one whose points all lie on it, in front of the near plane, is walked without those tests;
// - the near test and the colour are shared by the five pixels of a coarse cross, whose mask
//   and depth tests run side by side;
// - the switches, the texture row and the light are read once per span instead of per pixel;
// - with one light, the finished shades are kept per distance, since a frame meets few
//   distinct distances.
// The tests compare frames of random scenes with two plain implementations, byte for byte.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include "engine/engine.h"
#include "engine/shade_blend.h"
#include "frame/frame.h"
#include "textures/textures.h"

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
  const uint8_t* pixels;
  int64_t rowStart;   // pixel index of column 0 of the row
  int64_t lastPixel;  // pixel index of the image's last pixel
  double room;        // columns from the row start to the end of the image
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

// A slot without an image reads as a one-pixel image of the substitute colour with no room, so
// that every column falls on its last (and only) pixel.
TextureRow RowOf(const SlotImage& image, int32_t row) {
  if (!image.pixels) return TextureRow{MissingTextureColour, 0, 0, 0};
  int64_t r = row;
  if (r >= image.height) r = image.height - 1;
  if (r < 0) r = 0;
  int64_t pixelCount = int64_t{image.width} * image.height;
  int64_t rowStart = r * image.width;
  return TextureRow{image.pixels, rowStart, pixelCount - 1,
                    static_cast<double>(pixelCount - rowStart)};
}

inline const uint8_t* TexelAt(const TextureRow& row, double col) {
  int64_t p = col >= 0 && col < row.room ? row.rowStart + static_cast<int64_t>(col) : row.lastPixel;
  return row.pixels + 3 * p;
}

// ---- Shading -------------------------------------------------------------------------------

// A pixel's red, green, blue and alpha 255 as the four bytes of the frame buffer, in memory
// order, in one word.
inline uint32_t PackRgba(uint8_t red, uint8_t green, uint8_t blue) {
  if constexpr (std::endian::native == std::endian::little)
    return uint32_t{red} | uint32_t{green} << 8 | uint32_t{blue} << 16 | 0xFF000000u;
  const uint8_t rgba[4] = {red, green, blue, 255};
  uint32_t packed;
  std::memcpy(&packed, rgba, sizeof packed);
  return packed;
}

// With one light the shade of a pixel is clamp(base + surface div 18) per channel, where base =
// max(q, 0) * 17 / 18 and q = colour / k, k = d / range. The base terms depend on the point only
// through its Manhattan distance d from the light, and d takes few distinct values in a frame
// (whole distances plus a few fractions from the light's position), so the shades of recently
// met distances are kept in a small table, valid while the light's range and colour are the
// ones they were computed from; the light's position enters only through d, which is the key,
// so a light that moves back to where it was finds its distances again. A surface byte enters only
// through its quotient by 18, 0 to 14, so an entry holds the finished byte for each quotient: a
// pixel costs three look-ups.
struct alignas(64) ShadeCacheEntry {
  uint64_t distanceBits;
  uint32_t generation;
  uint8_t shade[3][16];  // [channel][surface / 18]; the sixteenth column is never read
};

constexpr int ShadeCacheSize = 4096;
ShadeCacheEntry ShadeCache[ShadeCacheSize];
uint32_t ShadeCacheGeneration = 1;
// The fields of light 1 that the shades depend on, as they were when the cached shades were made.
struct ShadeLight {
  float range, red, green, blue;
};
ShadeLight ShadeCacheLight;

// surface / 18 for every surface byte.
struct SurfaceStepTable {
  uint8_t step[256];
  constexpr SurfaceStepTable() : step() {
    for (int v = 0; v < 256; ++v) step[v] = static_cast<uint8_t>(v / 18);
  }
};
constexpr SurfaceStepTable SurfaceSteps;

// Called once per span: a light whose range or colour changed makes every cached shade stale.
// The fields are compared bit for bit, so even a change of sign of a zero counts.
void RefreshShadeCache() {
  const SceneLight& l = LightTable[1];
  ShadeLight now{l.range, l.red, l.green, l.blue};
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

// The shades of every surface quotient at distance d, each worked out by the blend itself,
// stored in the entry; returns the colour of the surface quotients that asked, worked out from
// the base rather than read back from the bytes just stored (a read of a byte of a wider write
// that is still on its way to the cache waits for it). Kept out of the pixel loop: it runs once
// per distance, not per pixel. A channel the light has no colour in has a zero base, whose
// blend is the quotient itself (a whole number below 16 converts to single precision and back
// unchanged); a base of 255 or more gives 255 throughout.
[[gnu::noinline]] uint32_t FillShadeEntry(double d, uint64_t distanceBits, uint32_t generation,
                                          ShadeCacheEntry& entry, uint32_t redStep,
                                          uint32_t greenStep, uint32_t blueStep) {
  static constexpr uint8_t Quotients[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  double base[3];
  ComputeSingleLightBase(d, base);
  for (int c = 0; c < 3; ++c) {
    if (base[c] == 0) {
      std::memcpy(entry.shade[c], Quotients, 16);
    } else if (base[c] >= 255) {
      std::memset(entry.shade[c], 255, 16);
    } else {
      BlendQuotients(base[c], entry.shade[c]);
    }
  }
  entry.distanceBits = distanceBits;
  entry.generation = generation;
  return PackRgba(BlendByte(base[0], static_cast<int32_t>(18 * redStep)),
                  BlendByte(base[1], static_cast<int32_t>(18 * greenStep)),
                  BlendByte(base[2], static_cast<int32_t>(18 * blueStep)));
}

// What the walk reads to colour its pixels, copied out of the globals once per span: the pixel
// writes go through byte pointers, which could alias any global, so values kept in globals
// would be read again after every write.
struct SpanShading {
  float lightX, lightY, lightZ;  // with exactly one light, which shades through the cache above
  uint32_t generation;           // of the cache entries that belong to this light
  int32_t flat[3];               // FlatColour
  // FlatColour / 18 when every channel is a byte, so that the cached shades apply; other
  // values (which nothing in the program sets) are blended per pixel.
  bool flatIsBytes;
  uint8_t flatStep[3];
  TextureRow row;
};

SpanShading ShadingOfSpan(const TextureRow& row) {
  SpanShading shading{};
  if (LightingEnabled && LightCount == 1) {
    RefreshShadeCache();
    shading.lightX = LightTable[1].camX;
    shading.lightY = LightTable[1].camY;
    shading.lightZ = LightTable[1].camZ;
    shading.generation = ShadeCacheGeneration;
  }
  shading.flatIsBytes = true;
  for (int c = 0; c < 3; ++c) {
    shading.flat[c] = FlatColour[c];
    if (FlatColour[c] < 0 || FlatColour[c] > 255) shading.flatIsBytes = false;
    shading.flatStep[c] = static_cast<uint8_t>(shading.flatIsBytes ? FlatColour[c] / 18 : 0);
  }
  shading.row = row;
  return shading;
}

// The colour at distance d of a surface with the given quotients.
inline uint32_t SingleLightColour(const SpanShading& shading, double d, uint32_t redStep,
                                  uint32_t greenStep, uint32_t blueStep) {
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  uint64_t hash = bits * 0x9E3779B97F4A7C15ull;
  ShadeCacheEntry& entry = ShadeCache[hash >> (64 - 12)];
  if (entry.generation != shading.generation || entry.distanceBits != bits)
    return FillShadeEntry(d, bits, shading.generation, entry, redStep, greenStep, blueStep);
  return PackRgba(entry.shade[0][redStep], entry.shade[1][greenStep], entry.shade[2][blueStep]);
}

inline uint8_t ShadeByte(float value) { return static_cast<uint8_t>(Trunc(value)); }

// The flat colour blended per pixel, for flat channels outside the cached quotients.
[[gnu::noinline]] uint32_t SingleLightFlatColour(const SpanShading& shading, double d) {
  double base[3];
  ComputeSingleLightBase(d, base);
  return PackRgba(BlendByte(base[0], shading.flat[0]), BlendByte(base[1], shading.flat[1]),
                  BlendByte(base[2], shading.flat[2]));
}

// Any other number of lights goes through ShadePoint.
[[gnu::noinline]] uint32_t ManyLightColour(const SpanShading& shading, int32_t px, int32_t py,
                                           int32_t pz, const uint8_t* texel) {
  ShadeColour shade =
      texel ? ShadePoint(px, py, pz, texel[0], texel[1], texel[2])
            : ShadePoint(px, py, pz, shading.flat[0], shading.flat[1], shading.flat[2]);
  return PackRgba(ShadeByte(shade.red), ShadeByte(shade.green), ShadeByte(shade.blue));
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

// ---- Points along a span --------------------------------------------------------------------

// Two quantities that move together along a span, start + s * step each, worked out side by side
// with exactly the operations of the plain per-quantity expression.
#if defined(__SSE2__) || defined(_M_X64)
struct StepPair {
  __m128d start, step;
};

inline StepPair MakeStepPair(double startA, double startB, double stepA, double stepB) {
  return StepPair{_mm_set_pd(startB, startA), _mm_set_pd(stepB, stepA)};
}

// The pair at s, truncated toward zero (0x80000000 outside the 32-bit range, as Trunc).
inline __m128i TruncatedAt(const StepPair& pair, double s) {
  return _mm_cvttpd_epi32(_mm_add_pd(pair.start, _mm_mul_pd(_mm_set1_pd(s), pair.step)));
}

// The pixel index of the point at s of a pair of screen coordinates known to lie on the frame.
inline int32_t PixelAt(const StepPair& xy, double s, int32_t width) {
  __m128i t = TruncatedAt(xy, s);
  return _mm_cvtsi128_si32(_mm_shuffle_epi32(t, 1)) * width + _mm_cvtsi128_si32(t);
}

// The light's position, one lane per axis.
struct LightPoint {
  __m128 position;
};

inline LightPoint MakeLightPoint(float x, float y, float z) {
  return LightPoint{_mm_set_ps(0.0f, z, y, x)};
}

// Manhattan distance from the light to the truncated point (cx, cy, z) at s: each difference in
// single precision, the sum in double, x and y first.
inline double LightDistanceAt(const LightPoint& light, const StepPair& cxy, double s, double z) {
  __m128i point = _mm_unpacklo_epi64(TruncatedAt(cxy, s), _mm_cvtsi32_si128(Trunc(z)));
  __m128 difference = _mm_sub_ps(light.position, _mm_cvtepi32_ps(point));
  __m128 absolute = _mm_and_ps(difference, _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF)));
  __m128d xy = _mm_cvtps_pd(absolute);
  __m128d zz = _mm_cvtps_pd(_mm_movehl_ps(absolute, absolute));
  return _mm_cvtsd_f64(_mm_add_sd(_mm_add_sd(xy, _mm_unpackhi_pd(xy, xy)), zz));
}

inline void PointAt(const StepPair& cxy, double s, double z, int32_t* px, int32_t* py,
                    int32_t* pz) {
  __m128i t = TruncatedAt(cxy, s);
  *px = _mm_cvtsi128_si32(t);
  *py = _mm_cvtsi128_si32(_mm_shuffle_epi32(t, 1));
  *pz = Trunc(z);
}
#else
struct StepPair {
  double startA, startB, stepA, stepB;
};

inline StepPair MakeStepPair(double startA, double startB, double stepA, double stepB) {
  return StepPair{startA, startB, stepA, stepB};
}

inline int32_t PixelAt(const StepPair& xy, double s, int32_t width) {
  return Trunc(xy.startB + s * xy.stepB) * width + Trunc(xy.startA + s * xy.stepA);
}

struct LightPoint {
  float x, y, z;
};

inline LightPoint MakeLightPoint(float x, float y, float z) { return LightPoint{x, y, z}; }

inline double LightDistanceAt(const LightPoint& light, const StepPair& cxy, double s, double z) {
  int32_t px = Trunc(cxy.startA + s * cxy.stepA), py = Trunc(cxy.startB + s * cxy.stepB);
  int32_t pz = Trunc(z);
  return static_cast<double>(std::fabs(light.x - static_cast<float>(px))) +
         static_cast<double>(std::fabs(light.y - static_cast<float>(py))) +
         static_cast<double>(std::fabs(light.z - static_cast<float>(pz)));
}

inline void PointAt(const StepPair& cxy, double s, double z, int32_t* px, int32_t* py,
                    int32_t* pz) {
  *px = Trunc(cxy.startA + s * cxy.stepA);
  *py = Trunc(cxy.startB + s * cxy.stepB);
  *pz = Trunc(z);
}
#endif

// ---- Depth test and pixel writes -----------------------------------------------------------

// The pixels of a coarse cross, as bits: 0 left, 1 centre, 2 right, 3 below, 4 above (rows
// count up the frame). The five are distinct, and a write to one never changes another's test,
// so all are tested before any is written.
constexpr unsigned CrossLeft = 1, CrossCentre = 2, CrossRight = 4, CrossBelow = 8, CrossAbove = 16;

#if defined(__SSE2__) || defined(_M_X64)
// Two depths side by side, each read on its own into a whole register and then paired. The
// previous steps of the walk have usually just written them; a read that merges into half a
// register (which the compiler would otherwise make of the pairing), or one that spans two such
// writes, waits until the writes reach the cache instead of taking their values on the way,
// which on current processors costs more than the rest of the step.
inline __m128d LoadDepthPair(const double* low, const double* high) {
  __m128d a = _mm_load_sd(low), b = _mm_load_sd(high);
#if defined(__GNUC__)
  __asm__("" : "+x"(a), "+x"(b));  // keep both reads whole
#endif
  return _mm_unpacklo_pd(a, b);
}
#endif

// The cross around pixel p whose pixels pass the mask and the depth test at depth z.
inline unsigned CrossPassed(const uint32_t* mask, const double* depth, int32_t p, int32_t width,
                            double z) {
  const uint32_t* m = mask + p;
  const double* d = depth + p;
  // The pixel above on its own; the other four side by side.
  unsigned passed = static_cast<unsigned>((m[width] == 0) & (z >= d[width])) << 4;
#if defined(__SSE2__) || defined(_M_X64)
  // depth <= z is z >= depth, false for a depth that is not a number as the plain test is.
  __m128d zz = _mm_set1_pd(z);
  __m128d nearerLeftCentre = _mm_cmple_pd(LoadDepthPair(d - 1, d), zz);
  __m128d nearerRightBelow = _mm_cmple_pd(LoadDepthPair(d + 1, d - width), zz);
  __m128 nearer = _mm_shuffle_ps(_mm_castpd_ps(nearerLeftCentre), _mm_castpd_ps(nearerRightBelow),
                                 _MM_SHUFFLE(2, 0, 2, 0));
  __m128i rightBelow = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(m[1])),
                                          _mm_cvtsi32_si128(static_cast<int>(m[-width])));
  __m128i marks =
      _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(m - 1)), rightBelow);
  __m128 free = _mm_castsi128_ps(_mm_cmpeq_epi32(marks, _mm_setzero_si128()));
  return passed | static_cast<unsigned>(_mm_movemask_ps(_mm_and_ps(nearer, free)));
#else
  passed |= static_cast<unsigned>((m[-1] == 0) & (z >= d[-1]));
  passed |= static_cast<unsigned>((m[0] == 0) & (z >= d[0])) << 1;
  passed |= static_cast<unsigned>((m[1] == 0) & (z >= d[1])) << 2;
  passed |= static_cast<unsigned>((m[-width] == 0) & (z >= d[-width])) << 3;
  return passed;
#endif
}

inline void WritePixel(uint8_t* frame, double* depth, int32_t q, uint32_t colour, double z) {
  std::memcpy(frame + 4 * static_cast<size_t>(q), &colour, sizeof colour);
  depth[q] = z;
}

inline void WriteCross(uint8_t* frame, double* depth, int32_t p, int32_t width, unsigned passed,
                       uint32_t colour, double z) {
  uint8_t* f = frame + 4 * static_cast<ptrdiff_t>(p);
  double* d = depth + p;
  const ptrdiff_t row = 4 * static_cast<ptrdiff_t>(width);
  // Most crosses pass whole; those go without a test per pixel.
  constexpr unsigned Whole = CrossLeft | CrossCentre | CrossRight | CrossBelow | CrossAbove;
  if (passed == Whole) {
    std::memcpy(f - 4, &colour, 4);
    std::memcpy(f, &colour, 4);
    std::memcpy(f + 4, &colour, 4);
    std::memcpy(f - row, &colour, 4);
    std::memcpy(f + row, &colour, 4);
    d[-1] = z;
    d[0] = z;
    d[1] = z;
    d[-width] = z;
    d[width] = z;
    return;
  }
  if (passed & CrossLeft) {
    std::memcpy(f - 4, &colour, 4);
    d[-1] = z;
  }
  if (passed & CrossCentre) {
    std::memcpy(f, &colour, 4);
    d[0] = z;
  }
  if (passed & CrossRight) {
    std::memcpy(f + 4, &colour, 4);
    d[1] = z;
  }
  if (passed & CrossBelow) {
    std::memcpy(f - row, &colour, 4);
    d[-width] = z;
  }
  if (passed & CrossAbove) {
    std::memcpy(f + row, &colour, 4);
    d[width] = z;
  }
}

// ---- The walk ------------------------------------------------------------------------------

// True when every point of the span lies on the drawable area and in front of the near plane,
// so that the frame and near tests pass at every step. The run is not clipped then (both ends
// lie inside the frame), so the points lie within the box of the two ends widened by rounding,
// as in WhollyOutside; the same margin, applied to the depth as well, covers it. Not-a-number or
// infinite ends fail every comparison and leave the span to the tested walk.
inline bool WhollyDrawable(const SpanEnds& e) {
  double margin =
      0.01 + 1e-5 * (std::fabs(e.x0) + std::fabs(e.x1) + std::fabs(e.y0) + std::fabs(e.y1));
  double left = e.x0 < e.x1 ? e.x0 : e.x1, right = e.x0 < e.x1 ? e.x1 : e.x0;
  double bottom = e.y0 < e.y1 ? e.y0 : e.y1, top = e.y0 < e.y1 ? e.y1 : e.y0;
  double nearest = e.cz0 < e.cz1 ? e.cz1 : e.cz0;
  double depthMargin = 0.01 + 1e-5 * (std::fabs(e.cz0) + std::fabs(e.cz1));
  return left - margin >= 1 && right + margin < RenderWidth - 1 && bottom - margin >= 1 &&
         top + margin < RenderHeight - 1 && nearest + depthMargin < NearPlaneZ;
}

// The colour of the pixels that pass at step s.
template <int Lighting, bool Texturing>
inline uint32_t StepColour(const SpanShading& sh, const LightPoint& light, const StepPair& cxy,
                           double s, double z, double col, uint32_t flat) {
  const uint8_t* texel = Texturing ? TexelAt(sh.row, col) : nullptr;
  if (Lighting == 1) {
    double d = LightDistanceAt(light, cxy, s, z);
    if (Texturing) {
      return SingleLightColour(sh, d, SurfaceSteps.step[texel[0]], SurfaceSteps.step[texel[1]],
                               SurfaceSteps.step[texel[2]]);
    }
    if (!sh.flatIsBytes) return SingleLightFlatColour(sh, d);
    return SingleLightColour(sh, d, sh.flatStep[0], sh.flatStep[1], sh.flatStep[2]);
  }
  if (Lighting == 2) {
    int32_t px, py, pz;
    PointAt(cxy, s, z, &px, &py, &pz);
    return ManyLightColour(sh, px, py, pz, texel);
  }
  if (Texturing) return PackRgba(texel[0], texel[1], texel[2]);
  return flat;
}

// Lighting is 0 (off), 1 (one light, through the shade cache) or 2 (any other number of lights).
// Tested: every step is put through the frame and near tests; otherwise the caller has shown
// that all steps pass them.
template <int Lighting, bool Texturing, bool Coarse, bool Tested>
void WalkSpan(const SpanEnds& ends, const SpanWalk& walk, const SpanShading& shading) {
  const StepPair xy = MakeStepPair(ends.x0, ends.y0, walk.ux, walk.uy);
  const StepPair cxy = MakeStepPair(ends.cx0, ends.cy0, walk.ucx, walk.ucy);
  const double x0 = ends.x0, y0 = ends.y0, ux = walk.ux, uy = walk.uy;
  const double cz0 = ends.cz0, ucz = walk.ucz;
  const double colStep = walk.colStep, sEnd = walk.sEnd;
  const int32_t width = RenderWidth;
  const double xLimit = RenderWidth - 1, yLimit = RenderHeight - 1;
  const double nearZ = NearPlaneZ;
  double* const depth = DepthBuffer;
  const uint32_t* const mask = LineMaskBuffer;
  uint8_t* const frame = FrameBuffer;
  const SpanShading sh = shading;
  const LightPoint light = MakeLightPoint(sh.lightX, sh.lightY, sh.lightZ);
  const uint32_t flat = PackRgba(static_cast<uint8_t>(sh.flat[0]), static_cast<uint8_t>(sh.flat[1]),
                                 static_cast<uint8_t>(sh.flat[2]));
  double s = walk.s, col = walk.col;
  for (; sEnd > s; col = col + colStep, s = s + 1) {
    if (Tested) {
      double x = x0 + s * ux, y = y0 + s * uy;
      if (!(x >= 1 && y >= 1 && x < xLimit && y < yLimit)) continue;
    }
    double z = cz0 + s * ucz;
    if (Tested && !(z < nearZ)) continue;
    // The near test is the same for the whole cross; the colour is worked out once for the
    // pixels that pass.
    int32_t p = PixelAt(xy, s, width);
    unsigned passed = Coarse ? CrossPassed(mask, depth, p, width, z)
                             : static_cast<unsigned>(mask[p] == 0 && z >= depth[p]);
    if (!passed) continue;
    uint32_t colour = StepColour<Lighting, Texturing>(sh, light, cxy, s, z, col, flat);
    if (Coarse)
      WriteCross(frame, depth, p, width, passed, colour, z);
    else
      WritePixel(frame, depth, p, colour, z);
  }
}

using SpanWalker = void (*)(const SpanEnds&, const SpanWalk&, const SpanShading&);

template <bool Tested>
SpanWalker ChooseWalker() {
  static constexpr SpanWalker Walkers[3][4] = {
      {WalkSpan<0, false, false, Tested>, WalkSpan<0, false, true, Tested>,
       WalkSpan<0, true, false, Tested>, WalkSpan<0, true, true, Tested>},
      {WalkSpan<1, false, false, Tested>, WalkSpan<1, false, true, Tested>,
       WalkSpan<1, true, false, Tested>, WalkSpan<1, true, true, Tested>},
      {WalkSpan<2, false, false, Tested>, WalkSpan<2, false, true, Tested>,
       WalkSpan<2, true, false, Tested>, WalkSpan<2, true, true, Tested>},
  };
  int lighting = !LightingEnabled ? 0 : LightCount == 1 ? 1 : 2;
  return Walkers[lighting][(TexturingEnabled ? 2 : 0) + (CoarseFillEnabled ? 1 : 0)];
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
  SpanWalker walker = WhollyDrawable(e) ? ChooseWalker<false>() : ChooseWalker<true>();
  walker(e, walk, ShadingOfSpan(RowOf(image, row)));
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
