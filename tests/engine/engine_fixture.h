// The engine's tests: small scene pools, fresh frame, depth and mask buffers, a texture table of
// their own and the engine's settings as start-up leaves them; every global is put back after.
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
  void SetUp() override {
    HeadlessReset();
    saved.Save(VertexPool, ObjectPool, LightTable, DepthBuffer, LineMaskBuffer, TextureSlotTable,
               TextureSlotCount, LightCount, ViewDistance, NearPlaneZ, ScreenCentreX, ScreenCentreY,
               LightingEnabled, TexturingEnabled, CoarseFillEnabled, WireframeEnabled, CameraOffset,
               FlatColour);
    SetRenderSize(320, 240);
    std::memset(FrameBuffer, 0, 320 * 240 * 4);
    VertexPool = vertices.data();
    ObjectPool = objects.data();
    LightTable = lights.data();
    DepthBuffer = depth.data();
    LineMaskBuffer = mask.data();
    TextureSlotTable = slots.data();
    TextureSlotCount = 600;
    LightCount = 0;
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
  void PlaceLight(uint32_t i, float camX, float camY, float camZ, float range, float red,
                  float green, float blue) {
    LightTable[i] = SceneLight{i, 0, 0, 0, range, camX, camY, camZ, 0, 0, red, green, blue};
  }

  // A width x height texture whose texel (row r, column c) is (c, r, 7), so a pixel tells which
  // texel it came from; exactly width * height * 3 bytes, so the address sanitizer sees overreads.
  void MakeTexture(uint32_t slot, uint32_t width, uint32_t height) {
    std::vector<uint8_t>& image = images.emplace_back(width * height * 3);
    for (uint32_t i = 0; i < width * height; ++i) {
      image[3 * i] = static_cast<uint8_t>(i % width);
      image[3 * i + 1] = static_cast<uint8_t>(i / width);
      image[3 * i + 2] = 7;
    }
    slots[slot] = TextureSlot{image.data(), width, height, 3};
  }

  std::array<uint8_t, 4> PixelAt(int x, int y) const {
    const uint8_t* p = FrameBuffer + 4 * (y * 320 + x);
    return {p[0], p[1], p[2], p[3]};
  }
  bool Drawn(int x, int y) const { return PixelAt(x, y)[3] == 255; }
  int DrawnCount() const {
    int n = 0;
    for (int i = 0; i < 320 * 240; ++i) n += FrameBuffer[4 * i + 3] == 255;
    return n;
  }

  std::vector<SceneVertex> vertices = std::vector<SceneVertex>(130 * VerticesPerObject);
  std::vector<SceneObject> objects = std::vector<SceneObject>(130);
  std::vector<SceneLight> lights = std::vector<SceneLight>(8);
  std::vector<double> depth = std::vector<double>(320 * 240, DepthClearValue);
  std::vector<uint32_t> mask = std::vector<uint32_t>(320 * 240, 0);
  std::vector<TextureSlot> slots = std::vector<TextureSlot>(600);
  std::vector<std::vector<uint8_t>> images;
  SavedGlobals saved;
};
