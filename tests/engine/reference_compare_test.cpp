// The real engine and the second implementation of reference_renderer.cpp draw the same frames
// (and compute the same intermediate values) side by side; every difference is reported with the
// first differing pixel or value and the case that produced it. The worked examples of the
// behaviour live in the engine's own tests, which this comparison carries over to the reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/base.h"
#include "engine/engine.h"
#include "frame/frame.h"
#include "platform/headless/headless.h"
#include "shell/shell.h"
#include "tests/engine/engine_fixture.h"
#include "tests/engine/reference_renderer.h"
#include "textures/textures.h"

namespace {

namespace R = Reference;

constexpr uint32_t BrickSlot = 597;

// A square test picture whose texels differ from row to row and column to column, so a wrong
// row or column shows up as a wrong colour.
std::vector<uint8_t> PatternTexture(uint32_t size) {
  std::vector<uint8_t> pixels(static_cast<size_t>(size) * size * 3);
  for (uint32_t r = 0; r < size; ++r) {
    for (uint32_t c = 0; c < size; ++c) {
      uint8_t* texel = &pixels[3 * (static_cast<size_t>(r) * size + c)];
      texel[0] = static_cast<uint8_t>(r * 7 + c * 13 + 20);
      texel[1] = static_cast<uint8_t>((r * 29) ^ (c * 3));
      texel[2] = static_cast<uint8_t>(r + c * c + 1);
    }
  }
  return pixels;
}

// ---- The real engine beside the reference ---------------------------------------------------

template <typename T>
bool SameBits(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Both sides with the same picture in a slot (the real side reads it from its slot table).
void InstallTexture(std::vector<uint8_t>& pixels, uint32_t size, uint32_t slot = BrickSlot) {
  R::TextureSlotTable[slot] = ::TextureSlotTable[slot] = TextureSlot{pixels.data(), size, size, 3};
}

void SetBothSwitches(int tlbn) {
  R::TexturingEnabled = TexturingEnabled = (tlbn >> 3) & 1;
  R::LightingEnabled = LightingEnabled = (tlbn >> 2) & 1;
  R::CoarseFillEnabled = CoarseFillEnabled = (tlbn >> 1) & 1;
  R::WireframeEnabled = WireframeEnabled = tlbn & 1;
}

void ClearBothFrames() {
  R::ClearFrame();
  R::ClearDepth();
  ClearFrame();
  ClearDepth();
}

// The outline marks are cleared once, at start-up; here whenever a test starts afresh.
void ClearBothMasks() {
  R::ClearMask();
  std::fill(LineMaskBuffer, LineMaskBuffer + R::FramePixels, 0u);
}

// Depths and outline marks as earlier faces leave them, the same on both sides; one depth in
// `nanEvery` (0: none) is not a number, which fails every depth test.
void MarkBothBuffers(std::mt19937& random, int nanEvery) {
  ClearBothMasks();
  std::uniform_real_distribution<double> depth(-900, -60);
  for (int i = 0; i < 2000; ++i) {
    size_t p = random() % R::FramePixels;
    R::LineMaskBuffer[p] = LineMaskBuffer[p] = random() % 4 == 0;
    R::DepthBuffer[p] = DepthBuffer[p] =
        nanEvery != 0 && random() % nanEvery == 0 ? std::nan("") : depth(random);
  }
}

// Lights 1 .. 5 anywhere, of any range and colour (a third of them the start-up green), the same
// on both sides, with the camera-space positions a transform leaves in front of the viewer;
// mostly one light on, otherwise 0 to 5.
void RandomLightsOnBothSides(std::mt19937& random) {
  std::uniform_real_distribution<float> position(-300, 300), colour(0, 255), range(1, 200);
  for (uint32_t i = 1; i <= 5; ++i) {
    SceneLight light{};
    light.index = i;
    light.x = position(random);
    light.y = position(random);
    light.z = position(random);
    light.range = range(random);
    light.camX = light.x;
    light.camY = light.y;
    light.camZ = light.z - 410;
    bool green = random() % 3 == 0;
    light.red = green ? 0.0f : colour(random);
    light.green = green ? 255.0f : colour(random);
    light.blue = green ? 0.0f : colour(random);
    R::LightTable[i] = LightTable[i] = light;
  }
  R::LightCount = ::LightCount = random() % 2 ? 1 : static_cast<int32_t>(random() % 6);
}

// Empty when the frame, depth and mask buffers of both sides agree; otherwise the first
// difference, both values and how many pixels differ.
std::string FrameDifference() {
  int first = -1, differing = 0;
  for (int i = 0; i < R::FramePixels; ++i) {
    bool same = std::memcmp(&R::FrameBuffer[4 * i], &FrameBuffer[4 * i], 4) == 0 &&
                SameBits(R::DepthBuffer[i], DepthBuffer[i]) &&
                R::LineMaskBuffer[i] == LineMaskBuffer[i];
    if (same) continue;
    if (first < 0) first = i;
    ++differing;
  }
  if (first < 0) return "";
  const uint8_t* ref = &R::FrameBuffer[4 * first];
  const uint8_t* eng = &FrameBuffer[4 * first];
  char text[512];
  std::snprintf(text, sizeof(text),
                "%d pixels differ; first at (%d, %d): reference rgba (%d, %d, %d, %d) depth "
                "%.17g mask %u, engine rgba (%d, %d, %d, %d) depth %.17g mask %u",
                differing, first % R::FrameWidth, first / R::FrameWidth, ref[0], ref[1], ref[2],
                ref[3], R::DepthBuffer[first], R::LineMaskBuffer[first], eng[0], eng[1], eng[2],
                eng[3], DepthBuffer[first], LineMaskBuffer[first]);
  return text;
}

void DrawRealFrame(const R::FrameSettings& s) {
  TexturingEnabled = s.texturing;
  LightingEnabled = s.lighting;
  CoarseFillEnabled = s.coarseFill;
  WireframeEnabled = s.wireframe;
  ::LightCount = s.lightCount;
  ::ViewDistance = s.viewDistance;
  ::LastObjectId = s.lastObjectId;
  HeadlessKeys[VkLButton] = s.leftButtonHeld;
  HeadlessKeys[VkRButton] = s.rightButtonHeld;
  ClearFrame();
  ClearDepth();
  R::ViewAngles angles = R::ViewAnglesFor(s.mouseX, s.mouseY, s.mouseScale);
  ViewAngleA = angles.a;
  ViewAngleB = angles.b;
  ViewAngleC = angles.c;
  DrawSceneObjects();
  for (int32_t i = 1; i <= ::LightCount; ++i) DrawLightLabel(i);
  HeadlessKeys[VkLButton] = HeadlessKeys[VkRButton] = false;
}

struct FrameCase {
  uint32_t seed;
  uint32_t textureSize;
  std::vector<R::FrameSettings> passes;  // drawn in order; the mask carries over
};

std::string DescribeCase(const FrameCase& c) {
  std::string text =
      "seed " + std::to_string(c.seed) + ", texture " + std::to_string(c.textureSize) + ":";
  for (size_t p = 0; p < c.passes.size(); ++p)
    text += " [pass " + std::to_string(p + 1) + ": " + R::Describe(c.passes[p]) + "]";
  return text;
}

// The engine's fixture (its own pools, buffers and texture table, put back afterwards) with the
// reference beside it.
class ReferenceCompare : public EngineTest {
 protected:
  void TearDown() override {
    for (uint32_t slot = BrickSlot; slot < BrickSlot + 3; ++slot)
      R::TextureSlotTable[slot] = TextureSlot{};
    R::FlatColour[0] = R::FlatColour[1] = R::FlatColour[2] = 0;
    EngineTest::TearDown();
  }

  // The engine's constants as start-up leaves them, on both sides, then the scene of one seed.
  void BuildBothScenes(uint32_t seed) {
    std::fill(vertices.begin(), vertices.end(), SceneVertex{});
    std::fill(objects.begin(), objects.end(), SceneObject{});
    std::fill(lights.begin(), lights.end(), SceneLight{});
    ClearBothMasks();
    ProjectionScale = 3.0;
    ProjectionDivisor = 140.0;
    R::BuildDemoScene(seed);
    Srand(seed);
    ::BuildDemoScene();
  }

  // Draws every case on both sides and reports the cases whose buffers differ (at most ten in
  // detail).
  void CompareFrames(const std::vector<FrameCase>& cases) {
    std::vector<uint8_t> textures[3] = {PatternTexture(16), PatternTexture(64),
                                        PatternTexture(128)};
    int failures = 0;
    for (const FrameCase& c : cases) {
      InstallTexture(textures[c.textureSize == 16   ? 0
                              : c.textureSize == 64 ? 1
                                                    : 2],
                     c.textureSize);
      BuildBothScenes(c.seed);
      for (const R::FrameSettings& pass : c.passes) {
        R::DrawFrame(pass);
        DrawRealFrame(pass);
      }
      std::string difference = FrameDifference();
      if (!difference.empty() && ++failures <= 10)
        ADD_FAILURE() << DescribeCase(c) << "\n  " << difference;
    }
    EXPECT_EQ(failures, 0) << "of " << cases.size() << " cases";
  }
};

const std::pair<int, int> MousePositions[] = {
    {0, 0},    {319, 239}, {160, 120}, {0, 239}, {319, 0}, {80, 60},  {240, 180}, {37, 201},
    {293, 17}, {123, 45},  {211, 133}, {160, 0}, {0, 120}, {60, 200}, {275, 95},  {150, 230}};
const int32_t LightCounts[] = {0, 1, 5};
const float ViewDistances[] = {-360.0f, -36.0f, 0.0f, 360.0f, -2000.0f};
const float MouseScales[] = {3.0f, 1.0f, 2.0f};
const uint32_t Seeds[] = {1, 2, 12345};
const uint32_t TextureSizes[] = {64, 16, 128};

// Case n of a sweep: the switches from the low four bits of `switches`, every other setting
// cycled with its own period so that the values meet in many combinations.
FrameCase SweepCase(int n, int switches, int32_t lastObjectId, std::pair<int, int> mouse) {
  R::FrameSettings s;
  s.mouseX = mouse.first;
  s.mouseY = mouse.second;
  s.mouseScale = MouseScales[n % 3];
  s.lastObjectId = lastObjectId;
  s.lightCount = LightCounts[(n / 3) % 3];
  s.viewDistance = ViewDistances[(n / 2) % 5];
  s.texturing = (switches >> 3) & 1;
  s.lighting = (switches >> 2) & 1;
  s.coarseFill = (switches >> 1) & 1;
  s.wireframe = switches & 1;
  FrameCase c{Seeds[(n / 7) % 3], TextureSizes[(n / 5) % 3], {s}};
  // Every fourth case draws a second pass from another mouse position, so the outline mask
  // and the frozen transforms carry over between passes; some hold a mouse button then.
  if (n % 4 == 3) {
    R::FrameSettings second = s;
    second.mouseX = (mouse.first + 97) % 320;
    second.mouseY = (mouse.second + 61) % 240;
    second.leftButtonHeld = n % 8 == 3;
    second.rightButtonHeld = n % 12 == 7;
    c.passes.push_back(second);
  }
  return c;
}

// The start-up object under every switch and mouse position, then all objects.
TEST_F(ReferenceCompare, FramesOfTheStartUpObjectAndOfAllObjects) {
  std::vector<FrameCase> cases;
  int n = 0;
  for (int switches = 0; switches < 16; ++switches) {
    for (const auto& mouse : MousePositions) cases.push_back(SweepCase(n++, switches, 1, mouse));
    cases.push_back(SweepCase(n++, switches, 117, MousePositions[(switches * 5) % 16]));
  }
  // The start-up frame and the fine fill of the whole scene at the two benchmark positions.
  for (auto mouse : {std::pair<int, int>{0, 0}, std::pair<int, int>{160, 120}}) {
    for (int switches : {0b1111, 0b1101}) {
      FrameCase c = SweepCase(0, switches, 117, mouse);
      c.passes[0].lightCount = 1;
      c.passes[0].viewDistance = -360.0f;
      c.passes[0].mouseScale = 3.0f;
      c.seed = 1;
      c.textureSize = 64;
      cases.push_back(c);
    }
  }
  CompareFrames(cases);
}

// The scene with some of its boxes moved and resized (mirrored by a negative size), textures of
// other sizes, lights anywhere and of any colour, any view distance, and angles that no mouse
// position gives (fractions, beyond a turn); two frames each, so the mask carries over.
TEST_F(ReferenceCompare, FramesOfMovedBoxesUnderAnyAnglesLightsAndTextures) {
  const uint32_t sizes[] = {1, 32, 64};
  std::vector<uint8_t> textures[] = {PatternTexture(1), PatternTexture(32), PatternTexture(64)};
  std::mt19937 random(20240607);
  std::uniform_real_distribution<float> place(-400, 400), size(-80, 120), angle(-720, 720);
  int failures = 0;
  for (int trial = 0; trial < 28; ++trial) {
    BuildBothScenes(random());
    for (uint32_t id = 2; id <= 7; ++id) {
      if (random() % 2 == 0) continue;
      float x = place(random), y = place(random), z = place(random), half = size(random);
      uint32_t slot = random() % 3 ? BrickSlot : BrickSlot + 1 + random() % 2;
      R::CreateBoxObject(id, x, y, z, slot, half);
      CreateBoxObject(id, x, y, z, slot, half);
    }
    for (uint32_t slot = BrickSlot; slot < BrickSlot + 3; ++slot) {
      uint32_t k = random() % 3;
      InstallTexture(textures[k], sizes[k], slot);
    }
    RandomLightsOnBothSides(random);
    R::LastObjectId = ::LastObjectId =
        trial % 3 == 0 ? 117 : 1 + static_cast<int32_t>(random() % 12);
    R::ViewDistance = ::ViewDistance =
        trial % 2 ? -360.0f - 36.0f * static_cast<float>(random() % 20)
                  : std::uniform_real_distribution<float>(-1500, 300)(random);
    for (int frame = 0; frame < 2; ++frame) {
      SetBothSwitches(static_cast<int>(random() % 16));
      float a = angle(random), b = angle(random), c = angle(random);
      ClearBothFrames();
      for (int32_t id = 1; id <= R::LastObjectId; ++id) {
        R::TransformObject(id, a, b, c, false, false);
        if (R::ObjectPool[id].faces[0].kind == ObjectKindBox) R::RenderBoxObject(id);
        if (R::ObjectPool[id].faces[0].kind == ObjectKindTriangle) R::RenderTriangleObject(id);
      }
      ViewAngleA = a;
      ViewAngleB = b;
      ViewAngleC = c;
      DrawSceneObjects();
      std::string difference = FrameDifference();
      if (!difference.empty() && ++failures <= 10)
        ADD_FAILURE() << "trial " << trial << " frame " << frame << " angles (" << a << ", " << b
                      << ", " << c << "): " << difference;
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST_F(ReferenceCompare, RotationBearingRadiusAndProjectionOfScatteredInputs) {
  Srand(777);
  auto random = [](double range) { return (Rand() / 32767.0 * 2.0 - 1.0) * range; };
  int failures = 0;
  for (int i = 0; i < 4000; ++i) {
    double range = i % 4 == 0 ? 1e-4 : i % 4 == 1 ? 10.0 : i % 4 == 2 ? 2000.0 : 1e6;
    double x = random(range), y = random(range), z = random(range);
    // Whole degrees as the loop gives them, and some fractions.
    double a = i % 2 ? std::floor(random(1000)) : random(1000);
    double b = i % 2 ? std::floor(random(1000)) : random(1000);
    double c = i % 2 ? std::floor(random(1000)) : random(1000);
    RotatedPoint p = R::RotatePoint(x, y, z, a, b, c);
    RotatedPoint q = RotatePoint(x, y, z, a, b, c);
    if (!(SameBits(p.x, q.x) && SameBits(p.y, q.y) && SameBits(p.z, q.z)) && ++failures <= 10)
      ADD_FAILURE() << "RotatePoint(" << x << ", " << y << ", " << z << ", " << a << ", " << b
                    << ", " << c << "): reference (" << p.x << ", " << p.y << ", " << p.z
                    << ") engine (" << q.x << ", " << q.y << ", " << q.z << ")";
    float fx = static_cast<float>(x), fy = static_cast<float>(y);
    float bearingR = R::BearingDegrees(1000.0f, 1000.0f, fx, fy);
    float bearingE = BearingDegrees(1000.0f, 1000.0f, fx, fy);
    if (!SameBits(bearingR, bearingE) && ++failures <= 10)
      ADD_FAILURE() << "BearingDegrees to (" << fx << ", " << fy << "): " << bearingR << " vs "
                    << bearingE;
    float ra = std::fabs(fx), rb = std::fabs(fy), rc = static_cast<float>(std::fabs(z));
    if (!SameBits(R::PlaneRadius(ra, rb, rc), PlaneRadius(ra, rb, rc)) && ++failures <= 10)
      ADD_FAILURE() << "PlaneRadius(" << ra << ", " << rb << ", " << rc << ")";
    // Projection: depths away from 0, where the quotient stays inside 32 bits.
    float camZ = static_cast<float>(random(3000));
    if (std::fabs(camZ) < 1e-3f) camZ = -1.0f;
    ScreenPoint sr = R::ProjectPoint(fx, fy, camZ);
    ScreenPoint se = ProjectPoint(fx, fy, camZ);
    if ((sr.x != se.x || sr.y != se.y) && ++failures <= 10)
      ADD_FAILURE() << "ProjectPoint(" << fx << ", " << fy << ", " << camZ << "): (" << sr.x << ", "
                    << sr.y << ") vs (" << se.x << ", " << se.y << ")";
  }
  EXPECT_EQ(failures, 0);
}

// How a quotient outside the 32-bit range becomes an integer is a decision (both sides put such
// points on the low edge of the clamp range); that it ends inside the clamp is not.
TEST_F(ReferenceCompare, ProjectionAtDepthZero) {
  const float values[] = {0.0f, -0.0f, 1e-30f, -1e-30f, 5.0f, -5.0f, 1e30f, -1e30f};
  for (float camX : values)
    for (float camZ : {0.0f, -0.0f, 1e-38f, -1e-38f, 1e-30f, -1e-30f}) {
      ScreenPoint p = ProjectPoint(camX, camX, camZ), r = R::ProjectPoint(camX, camX, camZ);
      EXPECT_TRUE(p.x == r.x && p.y == r.y && p.x >= -480 && p.x <= 480 && p.y >= -440 &&
                  p.y <= 440)
          << "(" << camX << ", " << camZ << ") -> (" << p.x << ", " << p.y << ")";
    }
}

// Corners scattered over the whole range the projection clamp allows.
FaceCorner RandomCorner() {
  auto pick = [](int low, int high) { return low + Rand() % (high - low + 1); };
  return {static_cast<double>(pick(-320, 640)), static_cast<double>(pick(-320, 560)),
          (Rand() - 16384) / 7.0, (Rand() - 16384) / 9.0, -(Rand() % 3000) - 1.5};
}

// Spans and outlines straight into buffers that already hold depths and outline marks, under
// every switch and random lights; triangle bases of 0 (no finite column step) and bases at least
// as long as the span, which keep every texel of the run inside the picture (which texel lies
// beyond it is a decision each side makes for itself).
TEST_F(ReferenceCompare, SpansAndOutlinesDrawnDirectly) {
  std::vector<uint8_t> pixels = PatternTexture(64);
  InstallTexture(pixels, 64);
  R::NearPlaneZ = ::NearPlaneZ = -50.0;
  std::mt19937 random(77);
  Srand(31337);
  int failures = 0;
  for (int switches = 0; switches < 16; ++switches) {
    SetBothSwitches(switches);
    RandomLightsOnBothSides(random);
    ClearBothFrames();
    MarkBothBuffers(random, 0);
    for (int i = 0; i < 400; ++i) {
      FaceCorner a = RandomCorner(), b = RandomCorner();
      if (i % 3 == 0) {  // short spans near and across the frame's edges
        b.px = a.px + Rand() % 41 - 20;
        b.py = a.py + Rand() % 41 - 20;
      }
      if (i % 7 == 0) b.camZ = a.camZ;
      a.px += (Rand() % 9) / 9.0;  // edge samples lie between pixels
      b.py += (Rand() % 9) / 9.0;
      int32_t row = Rand() % 64;
      if (i % 2 == 0) {
        R::DrawQuadSpan(a.px, a.py, a.camX, a.camY, a.camZ, b.px, b.py, b.camX, b.camY, b.camZ, row,
                        BrickSlot);
        DrawQuadSpan(a.px, a.py, a.camX, a.camY, a.camZ, b.px, b.py, b.camX, b.camY, b.camZ, row,
                     BrickSlot);
      } else {
        double len = std::sqrt((b.px - a.px) * (b.px - a.px) + (b.py - a.py) * (b.py - a.py));
        float base = static_cast<float>(len * (1.0 + (Rand() % 200) / 100.0) + 0.5);
        if (i % 10 == 1) base = 0.0f;
        R::DrawTriangleSpan(a.px, a.py, a.camX, a.camY, a.camZ, b.px, b.py, b.camX, b.camY, b.camZ,
                            row, BrickSlot, base);
        DrawTriangleSpan(a.px, a.py, a.camX, a.camY, a.camZ, b.px, b.py, b.camX, b.camY, b.camZ,
                         row, BrickSlot, base);
      }
      if (i % 5 == 0) {
        uint32_t mark = (i / 5) % 2;
        R::DrawDepthLine(a.px, a.py, a.camZ, b.px, b.py, b.camZ, mark);
        DrawDepthLine(a.px, a.py, a.camZ, b.px, b.py, b.camZ, mark);
      }
    }
    std::string difference = FrameDifference();
    if (!difference.empty() && ++failures <= 10)
      ADD_FAILURE() << "switches " << switches << ": " << difference;
  }
  EXPECT_EQ(failures, 0);
}

// Spans whose ends lie on or next to the edges of the drawable area (x 1 and 318, y 1 and 238)
// and whose depths lie on or next to the near plane: the engine walks a span without testing
// each step against the frame and the near plane only when its ends are clear of all of them by
// a margin, so these cases fall on both sides of that decision. The flat colour takes any value,
// bytes and others (the engine keeps finished shades for byte-sized surfaces only), and some
// depths in the buffer are not numbers.
TEST_F(ReferenceCompare, SpansAtTheEdgesOfTheDrawableAreaWithAnyFlatColour) {
  std::vector<uint8_t> pixels = PatternTexture(64);
  InstallTexture(pixels, 64);
  R::NearPlaneZ = ::NearPlaneZ = -50.0;
  std::mt19937 random(4242);
  std::uniform_real_distribution<double> jitter(-0.05, 0.05), cam(-400, 400), far(-900, -60),
      anywhere(-40, 360);
  const double xEdges[] = {1, 318}, yEdges[] = {1, 238};
  auto edgeX = [&] { return xEdges[random() % 2] + (random() % 4 ? jitter(random) : 0); };
  auto edgeY = [&] { return yEdges[random() % 2] + (random() % 4 ? jitter(random) : 0); };
  auto nearDepth = [&] { return random() % 2 ? -50.0 + jitter(random) : far(random); };
  const int32_t flat[] = {0, 255, 17, 256, -1, -1000, 999, INT32_MIN, INT32_MAX};
  int failures = 0;
  for (int batch = 0; batch < 40; ++batch) {
    SetBothSwitches(static_cast<int>(random() % 16));
    RandomLightsOnBothSides(random);
    for (int c = 0; c < 3; ++c) R::FlatColour[c] = FlatColour[c] = flat[random() % 9];
    ClearBothFrames();
    MarkBothBuffers(random, 50);
    for (int i = 0; i < 150; ++i) {
      // One end on an edge and the other anywhere, or both ends on edges.
      double e[10] = {edgeX(),          anywhere(random), cam(random), cam(random), nearDepth(),
                      anywhere(random), edgeY(),          cam(random), cam(random), nearDepth()};
      if (random() % 2) std::swap(e[0], e[5]);
      if (random() % 3 == 0) e[1] = edgeY(), e[5] = edgeX();
      int32_t row = i % 64;
      if (i % 2) {
        R::DrawQuadSpan(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], row, BrickSlot);
        DrawQuadSpan(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], row, BrickSlot);
      } else {
        R::DrawTriangleSpan(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], row,
                            BrickSlot, 600.0f);
        DrawTriangleSpan(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], row, BrickSlot,
                         600.0f);
      }
    }
    std::string difference = FrameDifference();
    if (!difference.empty() && ++failures <= 10)
      ADD_FAILURE() << "batch " << batch << ": " << difference;
  }
  EXPECT_EQ(failures, 0);
}

// The engine keeps the shades of one light per distance from it, valid while the light's range
// and colour stay as they were; a light that moves is found by its distances. The same spans
// are drawn again and again at the same distances while one field of the light changes at a
// time: every frame must be the one the reference draws with the light as it then is.
TEST_F(ReferenceCompare, ShadesFollowTheLightsRangeAndColourAtUnchangedDistances) {
  std::vector<uint8_t> pixels = PatternTexture(64);
  InstallTexture(pixels, 64);
  R::NearPlaneZ = ::NearPlaneZ = -50.0;
  R::LightCount = ::LightCount = 1;
  ClearBothMasks();
  SceneLight light{1, 0, 0, 0, 60.0f, 20.0f, -30.0f, -420.0f, 0, 0, 0.0f, 255.0f, 0.0f};
  struct Change {
    const char* what;
    void (*apply)(SceneLight&);
  };
  const Change changes[] = {
      {"as built", [](SceneLight&) {}},
      {"range", [](SceneLight& l) { l.range = 45.0f; }},
      {"red", [](SceneLight& l) { l.red = 200.0f; }},
      {"green", [](SceneLight& l) { l.green = 90.0f; }},
      {"blue", [](SceneLight& l) { l.blue = 255.0f; }},
      {"moved", [](SceneLight& l) { l.camX += 37.25f; }},
      {"moved back", [](SceneLight& l) { l.camX -= 37.25f; }},
      {"range back", [](SceneLight& l) { l.range = 60.0f; }},
      {"colour back", [](SceneLight& l) { l.red = l.blue = 0.0f, l.green = 255.0f; }},
  };
  for (int switches = 0; switches < 4; ++switches) {
    SetBothSwitches(0b0100 | (switches & 1) << 3 | (switches >> 1) << 1);
    for (const Change& change : changes) {
      change.apply(light);
      R::LightTable[1] = LightTable[1] = light;
      ClearBothFrames();
      for (int row = 0; row < 40; ++row) {
        R::DrawQuadSpan(60.0, 40.0 + 3 * row, -80.0, -60.0 + row, -430.0, 250.0, 52.0 + 3 * row,
                        90.0, -40.0 + row, -440.0, row, BrickSlot);
        DrawQuadSpan(60.0, 40.0 + 3 * row, -80.0, -60.0 + row, -430.0, 250.0, 52.0 + 3 * row, 90.0,
                     -40.0 + row, -440.0, row, BrickSlot);
      }
      std::string difference = FrameDifference();
      EXPECT_EQ(difference, "") << change.what << ", switches " << switches;
    }
  }
}

}  // namespace
