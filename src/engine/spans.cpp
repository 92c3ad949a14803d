// Span rasterizer and depth test.
//
// The innermost loop of the renderer. A span runs from a sample of a face's left edge to one of
// its right edge. Per span (SetUpSpan): its length, the steps of screen position, camera-space
// position and depth per pixel of length, the texture column's step, and the cut of the run at
// the frame's edge. Per step (WalkSpan): the point at distance s, the frame test and the near
// plane, then for the pixel (in the coarse fill the cross of it and its four neighbours) the
// outline mask and the depth; only a step with a pixel that passes pays for a texel and
// ShadePoint, and each pixel that passes is written with PutPixelRgb and its depth.
//
// What the walk does beyond that only saves work whose outcome is known; each piece says what it
// saves, measured with bench-engine (best of 30 runs, on a shared 2-core machine where figures
// move by about 5%) on the start-up frame (object 1, coarse fill, mouse (0, 0)) and on all 117
// objects in the fine fill at mouse (160, 120), against the same code without it. With all of
// them the two frames take 0.28 and 2.7 ms.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

// SSE2 serves two functions, Trunc and CrossPassed; VAULTRUN_PORTABLE_SPANS builds their
// portable forms instead (the sanitizer pass does, so that the tests run them).
#if (defined(__SSE2__) || defined(_M_X64)) && !defined(VAULTRUN_PORTABLE_SPANS)
#define VAULTRUN_SSE2_SPANS 1
#include <emmintrin.h>
#else
#define VAULTRUN_SSE2_SPANS 0
#endif

#include "engine/engine.h"
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

// Truncation toward zero, 0x80000000 for values outside the 32-bit range or not a number (the
// x86 rule), defined for every input. (-2^31 - 0.5 truncates to 0x80000000 either way.) With
// SSE2 the conversion instruction follows that rule by itself: saves up to a tenth of the start-up
// frame (0.32 ms without) and up to 5% of the 117-object frame, depending on the run.
inline int32_t Trunc(double value) {
#if VAULTRUN_SSE2_SPANS
  return _mm_cvttsd_si32(_mm_set_sd(value));
#else
  if (!(std::fabs(value) < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(value);
#endif
}

// ---- Texture -------------------------------------------------------------------------------

// The texture row of one span. The texel of column c is at (row * W + c) * 3 as long as that
// lies inside the image; an offset past the image's last pixel (a column that ran past the end
// of the last row, or a non-finite column) reads the last pixel instead, and an image shorter
// than it is wide repeats its top stored row for the rows it lacks. Neither happens with a square
// image and columns inside the row, so those read exactly the texel the formula names. A slot
// without an image reads as a one-pixel image of the substitute grey with no room, so that every
// column falls on its last (and only) pixel.
struct TextureRow {
  const uint8_t* pixels;
  int64_t rowStart;   // pixel index of column 0 of the row
  int64_t lastPixel;  // pixel index of the image's last pixel
  double room;        // columns from the row start to the end of the image
  double width;       // W, the width the column step is worked from
};

TextureRow RowOf(uint32_t slot, int32_t row) {
  const TextureSlot* s =
      TextureSlotTable && slot < TextureSlotCount ? &TextureSlotTable[slot] : nullptr;
  double width = s ? static_cast<int32_t>(s->width) : 0;
  if (!s || !s->pixels || s->width == 0 || s->height == 0)
    return TextureRow{MissingTextureColour, 0, 0, 0, width};
  int64_t r = row;
  if (r >= s->height) r = s->height - 1;
  if (r < 0) r = 0;
  int64_t pixelCount = int64_t{s->width} * s->height;
  int64_t rowStart = r * s->width;
  return TextureRow{s->pixels, rowStart, pixelCount - 1, static_cast<double>(pixelCount - rowStart),
                    width};
}

inline const uint8_t* TexelAt(const TextureRow& row, double col) {
  int64_t p = col >= 0 && col < row.room ? row.rowStart + static_cast<int64_t>(col) : row.lastPixel;
  return row.pixels + 3 * p;
}

// ---- Span set-up --------------------------------------------------------------------------------

struct SpanEnds {
  double x0, y0, cx0, cy0, cz0, x1, y1, cx1, cy1, cz1;
};

// Everything about a span that does not change along it: the run from s to sEnd, the column at
// s and its step, and the steps per pixel of length.
struct SpanWalk {
  double s, sEnd, col, colStep;
  double ux, uy, ucx, ucy, ucz;
};

int OutCode(double value, double high) { return value > high ? 1 : value < 0 ? -1 : 0; }

// Distance from the start point to a crossing, in single precision throughout: both points
// rounded to single precision, then the differences, squares, sum and root.
float DistanceToCrossing(double x0, double y0, double crossX, double crossY) {
  float dx = static_cast<float>(crossX) - static_cast<float>(x0);
  float dy = static_cast<float>(crossY) - static_cast<float>(y0);
  return std::sqrt(dx * dx + dy * dy);
}

// Steps, length, column rate and the run clipping: of the eight cases the first that holds cuts
// the run at the crossing with the frame's edge. The cut only saves work; every pixel is still
// tested in the walk. A quad stretches the whole texture width over the span, a triangle steps
// the column at the rate its base gives.
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

// True when every point of the span lies on the drawable area and in front of the near plane, so
// that the frame and near tests pass at every step. The run is not cut then (both ends lie inside
// the frame), and a point, start + s * step with s below the length, lies within the box of the
// two ends widened by rounding; a margin of 0.01 plus 1e-5 of the coordinates' size covers that
// many times over. Ends that are not numbers or infinite fail every comparison.
bool WhollyDrawable(const SpanEnds& e) {
  double margin =
      0.01 + 1e-5 * (std::fabs(e.x0) + std::fabs(e.x1) + std::fabs(e.y0) + std::fabs(e.y1));
  double left = e.x0 < e.x1 ? e.x0 : e.x1, right = e.x0 < e.x1 ? e.x1 : e.x0;
  double bottom = e.y0 < e.y1 ? e.y0 : e.y1, top = e.y0 < e.y1 ? e.y1 : e.y0;
  double nearest = e.cz0 < e.cz1 ? e.cz1 : e.cz0;
  double depthMargin = 0.01 + 1e-5 * (std::fabs(e.cz0) + std::fabs(e.cz1));
  return left - margin >= 1 && right + margin < RenderWidth - 1 && bottom - margin >= 1 &&
         top + margin < RenderHeight - 1 && nearest + depthMargin < NearPlaneZ;
}

// ---- Shading -------------------------------------------------------------------------------

// A pixel's red, green, blue and 255 as the four bytes of the frame buffer, in memory order, in
// one word: made once per step, written to every pixel of it.
struct PixelColour {
  uint32_t rgba;
};

inline PixelColour Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  if constexpr (std::endian::native == std::endian::little)
    return PixelColour{uint32_t{red} | uint32_t{green} << 8 | uint32_t{blue} << 16 | 0xFF000000u};
  return PixelColour{uint32_t{red} << 24 | uint32_t{green} << 16 | uint32_t{blue} << 8 | 0xFFu};
}

// A shade's channels, each in 0 .. 255, truncated to bytes.
inline uint8_t ShadeByte(float channel) {
  return static_cast<uint8_t>(static_cast<int32_t>(channel));
}

// Manhattan distance from a light at (lx, ly, lz) to a point: each difference in single precision,
// the sum in double.
inline double LightDistance(float lx, float ly, float lz, int32_t px, int32_t py, int32_t pz) {
  return static_cast<double>(std::fabs(lx - static_cast<float>(px))) +
         static_cast<double>(std::fabs(ly - static_cast<float>(py))) +
         static_cast<double>(std::fabs(lz - static_cast<float>(pz)));
}

// A light's step on the running colour acc, in two halves. First each channel is lifted to the
// light's contribution at distance d where that is brighter, and 17 / 18 of it taken, in double.
void Lift(const SceneLight& light, double d, const float acc[3], double lifted[3]) {
  float k = static_cast<float>(d / light.range);
  const float colour[3] = {light.red, light.green, light.blue};
  for (int c = 0; c < 3; ++c) {
    float q = colour[c] / k;
    lifted[c] = static_cast<double>(q > acc[c] ? q : acc[c]) * 17 / 18;
  }
}

// Then the surface's share is added, still in double, and the sum rounded once, when it is stored
// back into the single-precision running colour, and clamped.
float Blend(double lifted, int32_t share) {
  float value = static_cast<float>(lifted + share);
  if (value > 255) value = 255;
  if (value < 0) value = 0;
  return value;
}

// Remembered shades. With one light, ShadePoint depends on the point only through its distance
// from the light, and on a surface byte only through its share, surface div 18 (0 to 14). A
// frame meets a few thousand distinct distances (whole numbers plus the fractions of the light's
// position), so the bytes of ShadePoint for every share at a recently met distance are kept: a
// pixel then costs its distance and three reads instead of ShadePoint's seven divisions and three
// blends. Saves about half of the start-up frame (0.54 ms without) and two fifths of the 117-object
// frame (4.5 ms). The entries belong to the light's range and colour of one generation; its
// position enters only through the distance, which is the key.
struct RememberedShade {
  uint64_t distanceBits;
  uint32_t generation;   // 0: never filled
  uint8_t bytes[3][16];  // [channel][share]
};
RememberedShade RememberedShades[4096];
uint32_t ShadeGeneration = 0;
float ShadeLight[4];  // range, red, green, blue of light 1 in this generation

// surface div 18 of every surface byte.
struct ShareTable {
  uint8_t of[256];
  constexpr ShareTable() : of() {
    for (int v = 0; v < 256; ++v) of[v] = static_cast<uint8_t>(v / 18);
  }
};
constexpr ShareTable Share;

// Once per span: a light whose range or colour changed makes every remembered shade stale. The
// fields are compared bit for bit.
uint32_t CurrentShadeGeneration() {
  const SceneLight& light = LightTable[1];
  const float now[4] = {light.range, light.red, light.green, light.blue};
  if (ShadeGeneration != 0 && std::memcmp(now, ShadeLight, sizeof now) == 0) return ShadeGeneration;
  std::memcpy(ShadeLight, now, sizeof now);
  if (++ShadeGeneration == 0) {  // wrapped: no entry may look valid by accident
    for (RememberedShade& entry : RememberedShades) entry.generation = 0;
    ShadeGeneration = 1;
  }
  return ShadeGeneration;
}

// The entry of distance d: ShadePoint's one step, lifted once and blended with every share.
[[gnu::noinline]] void Remember(RememberedShade& entry, uint64_t distanceBits, uint32_t generation,
                                double d) {
  const float none[3] = {0, 0, 0};
  double lifted[3];
  Lift(LightTable[1], d, none, lifted);
  for (int c = 0; c < 3; ++c)
    for (int32_t share = 0; share < 16; ++share)
      entry.bytes[c][share] = ShadeByte(Blend(lifted[c], share));
  entry.distanceBits = distanceBits;
  entry.generation = generation;
}

// ---- Pixels --------------------------------------------------------------------------------

// PutPixelRgb into a frame of the given width, which the walk reads once per span: its writes go
// through byte pointers, which may alias any global, so that every write would read FrameBuffer
// and RenderWidth again. Saves about a tenth of the start-up frame (0.32 ms without); nothing
// measurable in the fine fill.
inline void PutPixelRgb(uint8_t* frame, int32_t width, int32_t x, int32_t y, PixelColour colour) {
  std::memcpy(frame + 4 * (static_cast<size_t>(y) * width + x), &colour.rgba, 4);
}

// Pixel q passes the mask and the depth test at depth z.
inline unsigned Passes(const uint32_t* mask, const double* depth, size_t q, double z) {
  return static_cast<unsigned>((mask[q] == 0) & (z >= depth[q]));
}

// The coarse cross around pixel p: which of its five pixels pass the mask and the depth test at
// depth z, one bit each: 1 left, 2 centre, 4 right, 8 below, 16 above (rows count up the frame).
// The five are distinct, so a write to one never changes another's test.
constexpr unsigned CrossLeft = 1, CrossCentre = 2, CrossRight = 4, CrossBelow = 8, CrossAbove = 16;
constexpr unsigned WholeCross = 31;

// The vector path tests four of the five side by side: saves a fifth of the start-up frame (0.36 ms
// without).
inline unsigned CrossPassed(const uint32_t* mask, const double* depth, size_t p, size_t width,
                            double z) {
#if VAULTRUN_SSE2_SPANS
  // depth <= z is z >= depth, false for a depth that is not a number as the plain test is. Each
  // depth is read whole into its own register and then paired: the steps before have usually
  // just written it, and a read that merges into half a register waits for the write to reach
  // the cache instead of taking its value on the way.
  const uint32_t* m = mask + p;
  const double* d = depth + p;
  __m128d left = _mm_load_sd(d - 1), centre = _mm_load_sd(d), right = _mm_load_sd(d + 1),
          below = _mm_load_sd(d - width);
#if defined(__GNUC__)
  __asm__("" : "+x"(left), "+x"(centre), "+x"(right), "+x"(below));  // keep the reads whole
#endif
  __m128d zz = _mm_set1_pd(z);
  __m128d nearerLeftCentre = _mm_cmple_pd(_mm_unpacklo_pd(left, centre), zz);
  __m128d nearerRightBelow = _mm_cmple_pd(_mm_unpacklo_pd(right, below), zz);
  __m128 nearer = _mm_shuffle_ps(_mm_castpd_ps(nearerLeftCentre), _mm_castpd_ps(nearerRightBelow),
                                 _MM_SHUFFLE(2, 0, 2, 0));
  __m128i rightBelow = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(m[1])),
                                          _mm_cvtsi32_si128(static_cast<int>(*(m - width))));
  __m128i marks =
      _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(m - 1)), rightBelow);
  __m128 free = _mm_castsi128_ps(_mm_cmpeq_epi32(marks, _mm_setzero_si128()));
  return Passes(mask, depth, p + width, z) * CrossAbove |
         static_cast<unsigned>(_mm_movemask_ps(_mm_and_ps(nearer, free)));
#else
  return Passes(mask, depth, p - 1, z) * CrossLeft | Passes(mask, depth, p, z) * CrossCentre |
         Passes(mask, depth, p + 1, z) * CrossRight |
         Passes(mask, depth, p - width, z) * CrossBelow |
         Passes(mask, depth, p + width, z) * CrossAbove;
#endif
}

inline void DrawPixel(uint8_t* frame, double* depth, int32_t width, int32_t x, int32_t y,
                      PixelColour colour, double z) {
  PutPixelRgb(frame, width, x, y, colour);
  depth[static_cast<size_t>(y) * width + x] = z;
}

// ---- The walk ------------------------------------------------------------------------------

// What the pixels of a span are coloured from, read once per span: the surface is the texel of
// the span's row or FlatColour; with lighting on it is shaded by ShadePoint at the truncated
// camera-space point, remembered when there is exactly one light and the surface is bytes.
struct SpanColour {
  TextureRow texture;
  bool texturing, lighting;
  bool remembered;  // one light, and a surface of bytes (texels always are)
  int32_t flat[3];
  float lightX, lightY, lightZ;
  uint32_t generation;
};

SpanColour SpanColourOf(uint32_t slot, int32_t row) {
  const bool flatBytes = static_cast<uint32_t>(FlatColour[0]) < 256 &&
                         static_cast<uint32_t>(FlatColour[1]) < 256 &&
                         static_cast<uint32_t>(FlatColour[2]) < 256;
  SpanColour sc{};
  sc.texture = RowOf(slot, row);
  sc.texturing = TexturingEnabled != 0;
  sc.lighting = LightingEnabled != 0;
  sc.remembered = sc.lighting && LightCount == 1 && (sc.texturing || flatBytes);
  for (int c = 0; c < 3; ++c) sc.flat[c] = FlatColour[c];
  if (sc.remembered) {
    sc.lightX = LightTable[1].camX;
    sc.lightY = LightTable[1].camY;
    sc.lightZ = LightTable[1].camZ;
    sc.generation = CurrentShadeGeneration();
  }
  return sc;
}

// ShadePoint of a surface of bytes under one light, through the remembered shades.
inline PixelColour RememberedShadePoint(const SpanColour& sc, int32_t px, int32_t py, int32_t pz,
                                        const int32_t surface[3]) {
  double d = LightDistance(sc.lightX, sc.lightY, sc.lightZ, px, py, pz);
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  RememberedShade& entry = RememberedShades[(bits * 0x9E3779B97F4A7C15ull) >> 52];
  if (entry.generation != sc.generation || entry.distanceBits != bits)
    Remember(entry, bits, sc.generation, d);
  return Rgb(entry.bytes[0][Share.of[surface[0]]], entry.bytes[1][Share.of[surface[1]]],
             entry.bytes[2][Share.of[surface[2]]]);
}

// The colour of a step whose pixels passed: the texel at column col (or FlatColour), lit at the
// camera-space point (cx, cy, z).
inline PixelColour ColourAt(const SpanColour& sc, double col, double cx, double cy, double z) {
  int32_t surface[3] = {sc.flat[0], sc.flat[1], sc.flat[2]};
  if (sc.texturing) {
    const uint8_t* texel = TexelAt(sc.texture, col);
    surface[0] = texel[0];
    surface[1] = texel[1];
    surface[2] = texel[2];
  }
  if (!sc.lighting) {
    return Rgb(static_cast<uint8_t>(surface[0]), static_cast<uint8_t>(surface[1]),
               static_cast<uint8_t>(surface[2]));
  }
  int32_t px = Trunc(cx), py = Trunc(cy), pz = Trunc(z);
  if (sc.remembered) return RememberedShadePoint(sc, px, py, pz, surface);
  ShadeColour shade = ShadePoint(px, py, pz, surface[0], surface[1], surface[2]);
  return Rgb(ShadeByte(shade.red), ShadeByte(shade.green), ShadeByte(shade.blue));
}

// The walk of one span. The fine fill draws the pixel a step lands on, the coarse fill the cross
// around it (each compiled on its own, so that neither pays for the other's tests: saves
// about 8% of both frames: 0.31 and 2.9 ms without); a wholly drawable span skips the frame and
// near tests (saves about 5% of both: 0.30 and 2.8 ms without).
template <bool Coarse, bool Tested>
void WalkSpan(const SpanEnds& e, const SpanWalk& w, const SpanColour& sc) {
  const int32_t width = RenderWidth, height = RenderHeight;
  const double nearZ = NearPlaneZ;
  const uint32_t* const mask = LineMaskBuffer;
  double* const depth = DepthBuffer;
  uint8_t* const frame = FrameBuffer;
  for (double s = w.s, col = w.col; w.sEnd > s; s += 1, col += w.colStep) {
    // The pixel the step lands on. Its column and row pass the frame test exactly when the point
    // does (1 <= x < width - 1, likewise y): truncation keeps both sides of each bound, and a
    // point off the 32-bit range or not a number truncates to the lowest integer. (Unsigned, a
    // column below 1 wraps to above width - 3.)
    int32_t px = Trunc(e.x0 + s * w.ux), py = Trunc(e.y0 + s * w.uy);
    if (Tested && !(static_cast<uint32_t>(px) - 1 < static_cast<uint32_t>(width) - 2 &&
                    static_cast<uint32_t>(py) - 1 < static_cast<uint32_t>(height) - 2))
      continue;
    double z = e.cz0 + s * w.ucz;
    if (Tested && !(z < nearZ)) continue;  // the same for every pixel of the step
    size_t p = static_cast<size_t>(py) * width + px;
    unsigned passed =
        Coarse ? CrossPassed(mask, depth, p, width, z) : Passes(mask, depth, p, z) * CrossCentre;
    if (!passed) continue;
    PixelColour colour = ColourAt(sc, col, e.cx0 + s * w.ucx, e.cy0 + s * w.ucy, z);
    // Most crosses pass whole and are written without a test per pixel: saves a tenth of the
    // start-up frame (0.31 ms without).
    if (Coarse && passed == WholeCross) {
      DrawPixel(frame, depth, width, px, py, colour, z);
      DrawPixel(frame, depth, width, px, py + 1, colour, z);
      DrawPixel(frame, depth, width, px, py - 1, colour, z);
      DrawPixel(frame, depth, width, px + 1, py, colour, z);
      DrawPixel(frame, depth, width, px - 1, py, colour, z);
      continue;
    }
    if (passed & CrossCentre) DrawPixel(frame, depth, width, px, py, colour, z);
    if (!Coarse) continue;
    if (passed & CrossAbove) DrawPixel(frame, depth, width, px, py + 1, colour, z);
    if (passed & CrossBelow) DrawPixel(frame, depth, width, px, py - 1, colour, z);
    if (passed & CrossRight) DrawPixel(frame, depth, width, px + 1, py, colour, z);
    if (passed & CrossLeft) DrawPixel(frame, depth, width, px - 1, py, colour, z);
  }
}

void DrawSpan(const SpanEnds& e, int32_t row, uint32_t slot, bool triangle, float baseLength) {
  const SpanColour sc = SpanColourOf(slot, row);
  SpanWalk w;
  if (!SetUpSpan(e, sc.texture.width, triangle, baseLength, &w)) return;
  if (SpanStepCounter) *SpanStepCounter += StepCount(w);
  bool tested = !WhollyDrawable(e);
  if (CoarseFillEnabled)
    tested ? WalkSpan<true, true>(e, w, sc) : WalkSpan<true, false>(e, w, sc);
  else
    tested ? WalkSpan<false, true>(e, w, sc) : WalkSpan<false, false>(e, w, sc);
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
// surface's share (surface div 18) is blended in and the result clamped, once per light: with
// several lights the order of the lights matters. With no light the result is black.
ShadeColour ShadePoint(int32_t px, int32_t py, int32_t pz, int32_t sr, int32_t sg, int32_t sb) {
  float acc[3] = {0, 0, 0};
  const int32_t share[3] = {sr / 18, sg / 18, sb / 18};
  for (int32_t j = 1; j <= LightCount; ++j) {
    const SceneLight& light = LightTable[j];
    double lifted[3];
    Lift(light, LightDistance(light.camX, light.camY, light.camZ, px, py, pz), acc, lifted);
    for (int c = 0; c < 3; ++c) acc[c] = Blend(lifted[c], share[c]);
  }
  return ShadeColour{acc[0], acc[1], acc[2]};
}

void PutPixelRgb(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  PutPixelRgb(FrameBuffer, RenderWidth, x, y, Rgb(red, green, blue));
}
