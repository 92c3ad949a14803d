// Damaged and unusual data files the loaders' own tests leave out: pictures of no pixels, sound
// files that end inside their lead, map files longer than the levels asked for and empty ones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "audio/audio.h"
#include "frame/frame.h"
#include "game/game_data.h"
#include "game/map_files.h"
#include "overlay/overlay.h"
#include "platform/headless/headless.h"
#include "tests/support/scratch_folder.h"
#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"

namespace {

using namespace bmp_test;

// ---- Pictures of no pixels ------------------------------------------------------------------

class EmptyPicture : public PictureDrawingTest {
 protected:
  bool FrameUntouched() {
    for (int i = 0; i < 320 * 240 * 4; ++i)
      if (FrameBuffer[i] != 0) return false;
    return true;
  }
  ScratchFolder folder;
};

// A header that asks for 0 x 16, 16 x 0 or 0 x 0 pixels passes every check and needs no pixel
// byte: the slot holds an image of no pixels (a block, never null, so "loaded" stays "has an
// image"), and drawing it draws nothing and reads nothing.
TEST_F(EmptyPicture, LoadsAsAnImageOfNoPixelsThatDrawsNothing) {
  const uint32_t sizes[][2] = {{0, 16}, {16, 0}, {0, 0}};
  for (const auto& size : sizes) {
    std::string path = folder / "empty.bmp";
    // Pixels behind the header that must not be taken: the image has room for none of them.
    WriteFileBytes(path, Bmp24(size[0], size[1], PatternBytes(30)));
    ASSERT_TRUE(LoadBmpIntoSlot(path.c_str(), 21)) << size[0] << " x " << size[1];
    const TextureSlot& slot = TextureSlotTable[21];
    EXPECT_EQ(slot.width, size[0]);
    EXPECT_EQ(slot.height, size[1]);
    EXPECT_EQ(slot.bytesPerPixel, 3u);
    EXPECT_NE(slot.pixels, nullptr);
    DrawSlotImage(10, 10, 21);
    DrawSlotImageKeyed(10, 10, 21);
    EXPECT_TRUE(FrameUntouched()) << size[0] << " x " << size[1];
  }
}

// ---- Map files of other lengths than asked --------------------------------------------------

class MapFileLengths : public ::testing::Test {
 protected:
  static constexpr size_t Level = 65536;
  void SetUp() override {
    HeadlessReset();
    savedGrid = WorldGrid;
    WorldGrid = static_cast<uint8_t*>(std::malloc(Level * 180));
    for (size_t i = 0; i < Level * 180; ++i) WorldGrid[i] = static_cast<uint8_t>(i % 253);
    std::filesystem::create_directory(folder.path() / "map");
  }
  void TearDown() override {
    std::free(WorldGrid);
    WorldGrid = savedGrid;
  }
  // File byte i is (i * 7 + 100) mod 256, never the grid's i mod 253 at the same place for long.
  static uint8_t FileByte(size_t i) { return static_cast<uint8_t>(i * 7 + 100); }
  void WriteMap(const char* name, size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = FileByte(i);
    WriteFileBytes(folder.path() / "map" / name, bytes);
  }
  // Grid bytes [from, to) hold the file's bytes, or the grid's own pattern.
  static bool HoldsFile(size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
      if (WorldGrid[i] != FileByte(i)) return false;
    return true;
  }
  static bool HoldsGrid(size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
      if (WorldGrid[i] != static_cast<uint8_t>(i % 253)) return false;
    return true;
  }
  ScratchFolder folder;
  uint8_t* savedGrid = nullptr;
};

// A file of three levels and a bit more: loading level 0 takes only level 0, loading two levels
// only two; the rest of the file is not read and the grid beyond the levels asked keeps its
// cells.
TEST_F(MapFileLengths, LongerFileFillsOnlyTheLevelsAsked) {
  WorkingDirectory inFolder(folder.path());
  WriteMap("4.overworld", 3 * Level + 1000);
  LoadOverworld(4);
  EXPECT_TRUE(HoldsFile(0, Level));
  EXPECT_TRUE(HoldsGrid(Level, 4 * Level));
  LoadWorld(4, 2);
  EXPECT_TRUE(HoldsFile(0, 2 * Level));
  EXPECT_TRUE(HoldsGrid(2 * Level, 4 * Level));
  EXPECT_EQ(std::filesystem::file_size(folder.path() / "map" / "4.overworld"), 3 * Level + 1000);
}

// A file that exists but is empty reads nothing: the grid stays as it was, the file stays empty,
// and the pause after the read is taken all the same.
TEST_F(MapFileLengths, EmptyFileLeavesTheGrid) {
  WorkingDirectory inFolder(folder.path());
  WriteMap("9.overworld", 0);
  LoadWorld(9, 180);
  EXPECT_TRUE(HoldsGrid(0, 180 * Level));
  EXPECT_EQ(std::filesystem::file_size(folder.path() / "map" / "9.overworld"), 0u);
  EXPECT_EQ(HeadlessClockMs, 1000u);
}

}  // namespace
