// The engine's renderer against the straightforward one of engine_reference_renderer.cpp: the same
// scenes, angles, switches, lights and textures must leave the same frame, depth and mask
// buffers, byte for byte.
#include <cmath>
#include <cstring>
#include <random>

#include "shell/runtime.h"
#include "shell/shell.h"
#include "tests/engine/engine_fixture.h"
#include "tests/engine/engine_reference_renderer.h"

namespace {

class ByteIdentity : public EngineTest {
 protected:
  struct Buffers {
    std::vector<uint8_t> frame;
    std::vector<double> depth;
    std::vector<uint32_t> mask;
  };

  Buffers Capture() const {
    Buffers b;
    b.frame.assign(FrameBuffer, FrameBuffer + 320 * 240 * 4);
    b.depth = depth;
    b.mask = mask;
    return b;
  }
  void Restore(const Buffers& b) {
    std::memcpy(FrameBuffer, b.frame.data(), b.frame.size());
    depth = b.depth;
    mask = b.mask;
  }
  void ClearFrameAndDepth() {
    std::memset(FrameBuffer, 0, 320 * 240 * 4);
    std::fill(depth.begin(), depth.end(), DepthClearValue);
  }

  // Renders with both from the same starting buffers and compares what they leave. Continues
  // from the engine's result.
  template <typename Engine, typename Reference>
  void ExpectSameResult(Engine engine, Reference reference, const std::string& what) {
    Buffers before = Capture();
    engine();
    Buffers mine = Capture();
    Restore(before);
    reference();
    Buffers theirs = Capture();
    ASSERT_EQ(mine.mask, theirs.mask) << what;
    for (size_t i = 0; i < mine.depth.size(); ++i)
      ASSERT_EQ(std::memcmp(&mine.depth[i], &theirs.depth[i], sizeof(double)), 0)
          << what << " depth at " << i % 320 << " " << i / 320;
    for (size_t i = 0; i < mine.frame.size(); ++i)
      ASSERT_EQ(mine.frame[i], theirs.frame[i])
          << what << " byte " << i % 4 << " of pixel " << (i / 4) % 320 << " " << i / 4 / 320;
    Restore(mine);
  }

  void RandomTexture(std::mt19937& random, uint32_t slot) {
    switch (random() % 7) {
      case 0:
        slots[slot] = TextureSlot{};
        break;  // never loaded
      case 1:
        slots[slot] = TextureSlot{nullptr, 64, 64, 3};
        break;  // a failed pixel read
      case 2:
        MakeTexture(slot, 32, 32, 1);
        break;
      case 3:
        MakeTexture(slot, 64, 16, 2);
        break;  // shorter than wide
      case 4:
        MakeTexture(slot, 1, 1, 3);
        break;
      default:
        MakeTexture(slot, 64, 64, 4);
        break;
    }
  }

  void RandomLights(std::mt19937& random) {
    std::uniform_real_distribution<float> position(-300, 300), colour(0, 255);
    LightCount = static_cast<int32_t>(random() % 6);
    if (random() % 2) LightCount = 1;
    for (int32_t i = 1; i <= 5; ++i) {
      SceneLight& l = LightTable[i];
      l.index = static_cast<uint32_t>(i);
      l.x = position(random);
      l.y = position(random);
      l.z = position(random);
      l.range = std::uniform_real_distribution<float>(1, 200)(random);
      bool green = random() % 3 == 0;
      l.red = green ? 0 : colour(random);
      l.green = green ? 255 : colour(random);
      l.blue = green ? 0 : colour(random);
    }
  }

  void RandomSwitches(std::mt19937& random) {
    uint32_t bits = random();
    TexturingEnabled = bits & 1;
    LightingEnabled = (bits >> 1) & 1;
    CoarseFillEnabled = (bits >> 2) & 1;
    WireframeEnabled = (bits >> 3) & 1;
  }
};

// Whole frames of the demonstration scene, with a few of its boxes moved and resized, under
// random angles (the main loop's mouse angles and arbitrary ones), view distances, switches,
// lights and textures; two frames each, so the mask carries over as in the program.
TEST_F(ByteIdentity, ScenesMatchTheStraightforwardRenderer) {
  std::mt19937 random(20240607);
  for (int trial = 0; trial < 28; ++trial) {
    Srand(random());
    BuildDemoScene();
    std::uniform_real_distribution<float> place(-400, 400), size(-80, 120);
    for (uint32_t id = 2; id <= 7; ++id)
      if (random() % 2)
        CreateBoxObject(id, place(random), place(random), place(random),
                        random() % 3 ? 597 : 598 + random() % 3, size(random));
    for (uint32_t slot = 597; slot < 600; ++slot) RandomTexture(random, slot);
    RandomLights(random);
    LastObjectId = trial % 3 == 0 ? 117 : 1 + static_cast<int32_t>(random() % 12);
    ViewDistance = trial % 2 ? -360.0f - 36.0f * static_cast<float>(random() % 20)
                             : std::uniform_real_distribution<float>(-1500, 300)(random);
    for (int frame = 0; frame < 2; ++frame) {
      RandomSwitches(random);
      float a = 180, b, c;
      if (random() % 2) {
        int scale = 1 + static_cast<int>(random() % 3);
        c = static_cast<float>(static_cast<int>(random() % 320) * scale - 180);
        b = static_cast<float>(static_cast<int>(random() % 240) * scale - 180);
      } else {
        std::uniform_real_distribution<float> angle(-720, 720);
        a = angle(random);
        b = angle(random);
        c = angle(random);
      }
      ClearFrameAndDepth();
      std::string what = "trial " + std::to_string(trial) + " frame " + std::to_string(frame);
      ExpectSameResult(
          [&] {
            for (int32_t id = 1; id <= LastObjectId; ++id) {
              TransformObject(id, a, b, c);
              if (ObjectPool[id].faces[0].kind == ObjectKindBox) RenderBoxObject(id);
              if (ObjectPool[id].faces[0].kind == ObjectKindTriangle) RenderTriangleObject(id);
            }
          },
          [&] { reference::DrawSceneObjects(a, b, c); }, what);
      if (HasFatalFailure()) return;
    }
  }
}

// Single spans and lines anywhere in the range the projection allows (and a little beyond the
// frame on every side), onto buffers that already hold a picture, a depth and outline marks.
TEST_F(ByteIdentity, SpansAndLinesMatchTheStraightforwardRenderer) {
  std::mt19937 random(77);
  std::uniform_real_distribution<double> px(-320, 640), py(-320, 560), cam(-400, 400), z(-900, 20),
      base(0, 400);
  for (int batch = 0; batch < 60; ++batch) {
    RandomSwitches(random);
    RandomLights(random);
    for (uint32_t slot = 597; slot < 600; ++slot) RandomTexture(random, slot);
    // Some marks in the mask and some depth, as earlier faces would leave them.
    for (int i = 0; i < 2000; ++i) {
      size_t p = random() % (320 * 240);
      mask[p] = random() % 4 == 0;
      depth[p] = z(random);
    }
    for (SceneLight& light : lights) {  // camera-space positions in front of the viewer
      light.camX = light.x;
      light.camY = light.y;
      light.camZ = light.z - 410;
    }
    std::vector<std::array<double, 10>> ends(200);
    for (auto& e : ends) {
      // Mostly ends on whole pixels, as the projection gives them; some anywhere.
      bool whole = random() % 4 != 0;
      e = {px(random), py(random), cam(random), cam(random), z(random),
           px(random), py(random), cam(random), cam(random), z(random)};
      if (whole)
        for (int k : {0, 1, 5, 6}) e[k] = std::floor(e[k]);
      if (random() % 8 == 0)
        e[5] = e[0] + std::floor(std::uniform_real_distribution<double>(-3, 3)(random));
    }
    std::vector<int32_t> rows(ends.size());
    std::vector<uint32_t> slotsOf(ends.size());
    std::vector<float> bases(ends.size());
    for (size_t i = 0; i < ends.size(); ++i) {
      rows[i] = static_cast<int32_t>(random() % 64);
      slotsOf[i] = 597 + random() % 4;
      bases[i] = random() % 5 == 0 ? 0.0f : static_cast<float>(base(random));
    }
    auto draw = [&](auto quad, auto triangle, auto line) {
      for (size_t i = 0; i < ends.size(); ++i) {
        const auto& e = ends[i];
        if (i % 3 == 0)
          quad(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], rows[i], slotsOf[i]);
        else if (i % 3 == 1)
          triangle(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], rows[i], slotsOf[i],
                   bases[i]);
        else
          line(e[0], e[1], e[4], e[5], e[6], e[9], static_cast<uint32_t>(i % 2));
      }
    };
    ExpectSameResult([&] { draw(DrawQuadSpan, DrawTriangleSpan, DrawDepthLine); },
                     [&] {
                       draw(reference::DrawQuadSpan, reference::DrawTriangleSpan,
                            reference::DrawDepthLine);
                     },
                     "batch " + std::to_string(batch));
    if (HasFatalFailure()) return;
  }
}

// Spans whose ends lie on or next to the edges of the drawable area (x 1 and 318, y 1 and 238)
// and whose depths lie on or next to the near plane: the renderer walks a span without testing
// each step against the frame and the near plane only when its ends are clear of all of them by
// a margin, so these cases fall on both sides of that decision. The flat colour takes any
// value, bytes and others: the renderer keeps finished shades for byte-sized surfaces only. A
// few depths in the buffer are not numbers, which fail every depth test.
TEST_F(ByteIdentity, SpansAtTheEdgesOfTheDrawableAreaAndAnyFlatColourMatch) {
  std::mt19937 random(4242);
  std::uniform_real_distribution<double> jitter(-0.05, 0.05), cam(-400, 400), far(-900, -60),
      anywhere(-40, 360);
  const double xEdges[] = {1, 318}, yEdges[] = {1, 238};
  auto edgeX = [&] { return xEdges[random() % 2] + (random() % 4 ? jitter(random) : 0); };
  auto edgeY = [&] { return yEdges[random() % 2] + (random() % 4 ? jitter(random) : 0); };
  auto nearDepth = [&] { return random() % 2 ? NearPlaneZ + jitter(random) : far(random); };
  for (int batch = 0; batch < 40; ++batch) {
    RandomSwitches(random);
    RandomLights(random);
    for (uint32_t slot = 597; slot < 600; ++slot) RandomTexture(random, slot);
    for (int32_t& channel : FlatColour) {
      switch (random() % 4) {
        case 0:
          channel = static_cast<int32_t>(random() % 256);
          break;
        case 1:
          channel = static_cast<int32_t>(random() % 2001) - 1000;
          break;
        case 2:
          channel = random() % 2 ? INT32_MIN : INT32_MAX;
          break;
        default:
          channel = 0;
          break;
      }
    }
    for (int i = 0; i < 2000; ++i) {
      size_t p = random() % (320 * 240);
      mask[p] = random() % 4 == 0;
      depth[p] = random() % 50 == 0 ? std::nan("") : far(random);
    }
    for (SceneLight& light : lights) {
      light.camX = light.x;
      light.camY = light.y;
      light.camZ = light.z - 410;
    }
    std::vector<std::array<double, 10>> ends(150);
    for (auto& e : ends) {
      // One end on an edge and the other anywhere, or both ends on edges.
      e = {edgeX(),          anywhere(random), cam(random), cam(random), nearDepth(),
           anywhere(random), edgeY(),          cam(random), cam(random), nearDepth()};
      if (random() % 2) std::swap(e[0], e[5]);
      if (random() % 3 == 0) e[1] = edgeY(), e[5] = edgeX();
    }
    auto draw = [&](auto quad, auto triangle) {
      for (size_t i = 0; i < ends.size(); ++i) {
        const auto& e = ends[i];
        int32_t row = static_cast<int32_t>(i % 64);
        uint32_t slot = 597 + static_cast<uint32_t>(i % 4);
        if (i % 2)
          quad(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], row, slot);
        else
          triangle(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], row, slot, 37.5f);
      }
    };
    ExpectSameResult([&] { draw(DrawQuadSpan, DrawTriangleSpan); },
                     [&] { draw(reference::DrawQuadSpan, reference::DrawTriangleSpan); },
                     "batch " + std::to_string(batch));
    if (HasFatalFailure()) return;
  }
}

// The renderer keeps the shades of one light per distance from it, valid while the light's
// range and colour stay as they were; a light that moves is found by its distances. Here the
// same spans are drawn again and again at the same distances while one field of the light
// changes at a time (the range, each colour, the position away and back): every frame must be
// the one the straightforward renderer draws with the light as it then is.
TEST_F(ByteIdentity, ShadesFollowTheLightsRangeAndColourAtUnchangedDistances) {
  MakeTexture(597, 64, 64, 5);
  LightCount = 1;
  SceneLight& light = LightTable[1];
  light = SceneLight{1, 0, 0, 0, 60.0f, 20.0f, -30.0f, -420.0f, 0, 0, 0.0f, 255.0f, 0.0f};
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
  auto draw = [](auto quad) {
    for (int row = 0; row < 40; ++row)
      quad(60.0, 40.0 + 3 * row, -80.0, -60.0 + row, -430.0, 250.0, 52.0 + 3 * row, 90.0,
           -40.0 + row, -440.0, row, 597u);
  };
  for (int switches = 0; switches < 4; ++switches) {
    LightingEnabled = 1;
    TexturingEnabled = switches & 1;
    CoarseFillEnabled = switches >> 1;
    for (const Change& change : changes) {
      change.apply(light);
      ClearFrameAndDepth();
      ExpectSameResult([&] { draw(DrawQuadSpan); }, [&] { draw(reference::DrawQuadSpan); },
                       std::string(change.what) + " switches " + std::to_string(switches));
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
