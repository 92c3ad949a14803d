// A face whose texture slot holds no usable image: never loaded, left without pixels by a short
// read, an image of no pixels, one shorter than it is wide, or a slot number past the table.
// The face is drawn over exactly the pixels it covers with a loaded texture, without reading
// outside any image (the sanitizer build watches that), and a face with no image at all is one
// colour, whatever colour the renderer stands in for the missing texels.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "frame/frame.h"
#include "shell/shell.h"
#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"

namespace {

using namespace bmp_test;

constexpr uint32_t Loaded = 597;
constexpr uint32_t NeverLoaded = 5;
constexpr uint32_t ShortRead = 6;
constexpr uint32_t NoPixels = 8;
constexpr uint32_t OneRow = 7;
constexpr uint32_t PastTheTable = 5000;

class EmptyTextureFace : public ::testing::Test {
 protected:
  void SetUp() override {
    SetRenderSize(320, 240);
    AllocateEnginePools();
    FreshTextureSlots();
    Place(Loaded, 64, 64);
    Place(OneRow, 64, 1);
    Place(NoPixels, 0, 0);
    TextureSlotTable[ShortRead] = TextureSlot{nullptr, 64, 64, 3};  // sizes kept, image gone

    // The start-up scene's camera and its one light; lighting and outlines off so that a face
    // shows its texels as they are.
    for (uint32_t i = 1; i <= 5; ++i)
      LightTable[i] = SceneLight{i, 50.0f, 50.0f, 50.0f, 60.0f, 0, 0, 0, 0, 0, 0.0f, 255.0f, 0.0f};
    LightCount = 1;
    ScreenCentreX = 160;
    ScreenCentreY = 120;
    ViewDistance = -360.0f;
    NearPlaneZ = -50.0;
    LightingEnabled = 0;
    TexturingEnabled = 1;
    CoarseFillEnabled = 0;
    WireframeEnabled = 0;
  }
  void TearDown() override {
    LightingEnabled = TexturingEnabled = CoarseFillEnabled = WireframeEnabled = 1;
    ReleaseEnginePools();
    DropTextureSlots();
    std::free(FrameBuffer);
    std::free(ReadbackBuffer);
    FrameBuffer = ReadbackBuffer = nullptr;
  }

  static void Place(uint32_t slot, uint32_t width, uint32_t height) {
    std::vector<uint8_t> rgb = PatternBytes(static_cast<size_t>(width) * height * 3, 17);
    TextureSlot& image = TextureSlotTable[slot];
    image.pixels = static_cast<uint8_t*>(std::malloc(rgb.size() + 1));
    if (!rgb.empty()) std::memcpy(image.pixels, rgb.data(), rgb.size());
    image.width = width;
    image.height = height;
    image.bytesPerPixel = 3;
  }

  // The box at the origin textured with the slot, as the first pass of the program draws it
  // with the mouse at the bottom-left corner (angles 180, -180, -180).
  static void DrawBox(uint32_t texture) {
    CreateBoxObject(1, 0, 0, 0, texture, 50.0f);
    ClearFrame();
    ClearDepth();
    TransformObject(1, 180.0f, -180.0f, -180.0f);
    RenderBoxObject(1);
  }

  static std::vector<bool> Covered() {
    std::vector<bool> covered(320 * 240);
    for (int i = 0; i < 320 * 240; ++i) covered[i] = FrameBuffer[4 * i + 3] == 255;
    return covered;
  }

  static std::set<std::vector<uint8_t>> Colours() {
    std::set<std::vector<uint8_t>> colours;
    for (int i = 0; i < 320 * 240; ++i)
      if (FrameBuffer[4 * i + 3] == 255)
        colours.insert({FrameBuffer[4 * i], FrameBuffer[4 * i + 1], FrameBuffer[4 * i + 2]});
    return colours;
  }
};

TEST_F(EmptyTextureFace, CoversTheSamePixelsAndIsOneColourWithoutAnImage) {
  DrawBox(Loaded);
  std::vector<bool> textured = Covered();
  size_t pixels = 0;
  for (bool covered : textured) pixels += covered;
  if (pixels == 0) GTEST_SKIP() << "the renderer draws nothing yet";
  ASSERT_GT(Colours().size(), 1u) << "the loaded texture shows its texels";

  const std::pair<uint32_t, const char*> withoutImage[] = {{NeverLoaded, "never loaded"},
                                                           {ShortRead, "short read"},
                                                           {NoPixels, "image of no pixels"},
                                                           {PastTheTable, "past the table"}};
  for (const auto& [slot, what] : withoutImage) {
    DrawBox(slot);
    EXPECT_EQ(Covered(), textured) << what;
    EXPECT_EQ(Colours().size(), 1u) << what;
  }
  DrawBox(OneRow);
  EXPECT_EQ(Covered(), textured) << "one row";
}

}  // namespace
