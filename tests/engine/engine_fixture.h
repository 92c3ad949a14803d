// A fixture for the engine's tests: small scene pools, fresh frame, depth and mask buffers, a
// texture table of its own and the engine's settings as start-up leaves them. Every global it
// replaces is put back afterwards, so tests run alone and in any order.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/engine.h"
#include "frame/frame.h"
#include "platform/headless/headless.h"
#include "tests/support/saved_globals.h"
#include "textures/textures.h"

class EngineTest : public ::testing::Test {
 protected:
  static constexpr uint32_t ObjectCapacity = 130;
  static constexpr uint32_t LightCapacity = 8;
  static constexpr uint32_t SlotCapacity = 600;

  void SetUp() override {
    HeadlessReset();
    saved.Save(VertexPool, ObjectPool, LightTable, DepthBuffer, LineMaskBuffer, TextureSlotTable,
               TextureSlotCount, LightCount, LastObjectId, NextObjectId, ViewDistance, NearPlaneZ,
               ScreenCentreX, ScreenCentreY, LightingEnabled, TexturingEnabled, CoarseFillEnabled,
               WireframeEnabled, CameraOffset, FlatColour);
    SetRenderSize(320, 240);
    vertices.assign(ObjectCapacity * VerticesPerObject, SceneVertex{});
    objects.assign(ObjectCapacity, SceneObject{});
    lights.assign(LightCapacity, SceneLight{});
    depth.assign(320 * 240, DepthClearValue);
    mask.assign(320 * 240, 0);
    slots.assign(SlotCapacity, TextureSlot{});
    VertexPool = vertices.data();
    ObjectPool = objects.data();
    LightTable = lights.data();
    DepthBuffer = depth.data();
    LineMaskBuffer = mask.data();
    TextureSlotTable = slots.data();
    TextureSlotCount = SlotCapacity;
    std::memset(FrameBuffer, 0, 320 * 240 * 4);
    LightCount = 0;
    LastObjectId = NextObjectId = 1;
    ViewDistance = -360.0f;
    NearPlaneZ = -50.0;
    ScreenCentreX = 160;
    ScreenCentreY = 120;
    LightingEnabled = TexturingEnabled = CoarseFillEnabled = WireframeEnabled = 1;
    CameraOffset[0] = CameraOffset[1] = CameraOffset[2] = 0;
    FlatColour[0] = FlatColour[1] = FlatColour[2] = 0;
  }

  void TearDown() override {
    saved.Restore();
    HeadlessReset();
  }

  // A light at a camera-space position, as the transform would leave it.
  void PlaceLight(int32_t index, float camX, float camY, float camZ, float range, float red,
                  float green, float blue) {
    SceneLight& l = LightTable[index];
    l.index = static_cast<uint32_t>(index);
    l.camX = camX;
    l.camY = camY;
    l.camZ = camZ;
    l.range = range;
    l.red = red;
    l.green = green;
    l.blue = blue;
  }

  // A texture of width x height whose texel (row r, column c) is (c, r, tag): the colour of a
  // drawn pixel then tells which texel it came from. Exactly width * height * 3 bytes, so a
  // read past the image is caught by the address sanitizer.
  void MakeTexture(uint32_t slot, uint32_t width, uint32_t height, uint8_t tag = 7) {
    std::vector<uint8_t>& image = images.emplace_back(width * height * 3);
    for (uint32_t r = 0; r < height; ++r)
      for (uint32_t c = 0; c < width; ++c) {
        uint8_t* p = image.data() + 3 * (r * width + c);
        p[0] = static_cast<uint8_t>(c);
        p[1] = static_cast<uint8_t>(r);
        p[2] = tag;
      }
    slots[slot] = TextureSlot{image.data(), width, height, 3};
  }

  std::array<uint8_t, 4> PixelAt(int x, int y) const {
    const uint8_t* p = FrameBuffer + 4 * (y * 320 + x);
    return {p[0], p[1], p[2], p[3]};
  }
  bool Drawn(int x, int y) const { return PixelAt(x, y)[3] == 255; }
  double DepthAt(int x, int y) const { return depth[y * 320 + x]; }
  int DrawnCount() const {
    int n = 0;
    for (int i = 0; i < 320 * 240; ++i) n += FrameBuffer[4 * i + 3] == 255;
    return n;
  }

  std::vector<SceneVertex> vertices;
  std::vector<SceneObject> objects;
  std::vector<SceneLight> lights;
  std::vector<double> depth;
  std::vector<uint32_t> mask;
  std::vector<TextureSlot> slots;
  std::vector<std::vector<uint8_t>> images;

  SavedGlobals saved;
};
