// What the asset writer leaves in a working directory, checked the way the program reads it: the
// program's own picture lists (and the entry point's three cube files) load every picture from
// it through the platform's file seam, the files are plain 24-bit BMPs, the sounds are what the
// raw loader reads, and writing again gives the same bytes.
#include "tools/assets/assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/support/start_up_pictures.h"
#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"

namespace fs = std::filesystem;

namespace {

uint32_t Le32(const uint8_t* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

std::vector<fs::path> FilesBelow(const fs::path& root) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// What a slot holds, from the slot ranges of the lists: the title, the 64 x 64 surfaces of the
// boxes, the 32 x 32 items, the 16 x 16 creatures (and cursor) drawn keyed, the 16 x 16 tiles.
enum class Kind { Title, Surface, Item, Creature, Tile };
Kind KindOf(uint32_t slot) {
  if (slot == 1000) return Kind::Title;
  if ((slot >= 596 && slot <= 598) || (slot >= 1200 && slot <= 1206)) return Kind::Surface;
  if (slot == 0 || (slot >= 600 && slot <= 788) || slot >= 3000) return Kind::Item;
  if (slot == 1104 || (slot >= 801 && slot <= 983) || slot >= 1210) return Kind::Creature;
  return Kind::Tile;
}

class WrittenAssets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new ScratchFolder;
    ASSERT_TRUE(assets::WriteAllAssets(folder->path().string()));
  }
  static void TearDownTestSuite() {
    delete folder;
    folder = nullptr;
  }
  void SetUp() override { bmp_test::FreshTextureSlots(); }
  void TearDown() override { bmp_test::DropTextureSlots(); }

  static std::vector<fs::path> Pictures() {
    std::vector<fs::path> pictures;
    for (const fs::path& file : FilesBelow(folder->path()))
      if (file.extension() == ".bmp") pictures.push_back(file);
    return pictures;
  }

  static bool IsKey(const TextureSlot& image, uint32_t x, uint32_t y) {
    const uint8_t* p = image.pixels + 3 * (y * image.width + x);
    return p[0] == 255 && p[1] == 0 && p[2] == 246;
  }

  static ScratchFolder* folder;
};
ScratchFolder* WrittenAssets::folder = nullptr;

// Every load finds its file (an open-always of a missing name would leave an empty file behind),
// every picture has the size of its kind, and every file written is one the program loads: the
// files are all different, and the loaded slots hold as many different pictures as there are
// files.
TEST_F(WrittenAssets, TheProgramLoadsEveryPictureAtTheSizeOfItsKind) {
  size_t before = FilesBelow(folder->path()).size();
  {
    WorkingDirectory inFolder(folder->path());
    LoadStartUpPictures();
  }
  EXPECT_EQ(FilesBelow(folder->path()).size(), before) << "a load created a missing file";

  std::set<std::string> loaded;  // the pictures as text: a set of contents
  int slots = 0;
  for (uint32_t slot = 0; slot < TextureSlotCount; ++slot) {
    const TextureSlot& image = TextureSlotTable[slot];
    if (!image.pixels) continue;
    ++slots;
    Kind kind = KindOf(slot);
    uint32_t width = kind == Kind::Title     ? 320
                     : kind == Kind::Surface ? 64
                     : kind == Kind::Item    ? 32
                                             : 16;
    EXPECT_EQ(image.width, width) << "slot " << slot;
    EXPECT_EQ(image.height, kind == Kind::Title ? 240u : width) << "slot " << slot;
    loaded.emplace(reinterpret_cast<const char*>(image.pixels), 3 * image.width * image.height);
  }
  EXPECT_EQ(slots, 217 + 3);

  std::set<std::string> written;
  for (const fs::path& file : Pictures()) {
    std::vector<uint8_t> bytes = ReadFileBytes(file);
    written.emplace(bytes.begin() + 54, bytes.end());
  }
  EXPECT_EQ(written.size(), Pictures().size()) << "two pictures are drawn alike";
  EXPECT_EQ(loaded.size(), written.size()) << "a picture is written that nothing loads";
}

// The loader reads only the size from the header and the pixels right behind it; the other
// fields are kept standard so that other programs show the files too.
TEST_F(WrittenAssets, PicturesArePlainBottomUpBmpsWithoutRowPadding) {
  for (const fs::path& file : Pictures()) {
    std::vector<uint8_t> bytes = ReadFileBytes(file);
    ASSERT_GE(bytes.size(), 54u) << file;
    const uint8_t* h = bytes.data();
    uint32_t width = Le32(h + 18), height = Le32(h + 22);
    EXPECT_TRUE(h[0] == 'B' && h[1] == 'M' && Le32(h + 2) == bytes.size() && Le32(h + 10) == 54 &&
                Le32(h + 14) == 40 && h[26] == 1 && h[28] == 24 && Le32(h + 30) == 0)
        << file;
    EXPECT_TRUE(width > 0 && height > 0 && height <= 240) << file;  // a top-down height is huge
    EXPECT_EQ(width * 3 % 4, 0u) << file << ": rows would carry padding";
    EXPECT_EQ(bytes.size(), 54 + width * height * 3) << file;
  }
}

// Creatures and items are drawn keyed (255, 0, 246) and must stand free of their ground, with
// no pure black inside (the keyed blitter skips black too); tiles, surfaces and the title are
// drawn unkeyed, where one key-coloured pixel would show bright magenta.
TEST_F(WrittenAssets, KeyColourOnlyAroundCreaturesAndItems) {
  {
    WorkingDirectory inFolder(folder->path());
    LoadStartUpPictures();
  }
  for (uint32_t slot = 0; slot < TextureSlotCount; ++slot) {
    const TextureSlot& image = TextureSlotTable[slot];
    if (!image.pixels) continue;
    Kind kind = KindOf(slot);
    bool keyed = kind == Kind::Creature || (slot >= 600 && slot <= 746) || slot >= 3000;
    bool opaque = kind == Kind::Tile || kind == Kind::Surface || kind == Kind::Title || slot == 0 ||
                  slot == 780;  // the blank item and the socket
    uint32_t w = image.width, h = image.height;
    size_t border = 0, keyedBorder = 0, key = 0, black = 0;
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x) {
        const uint8_t* p = image.pixels + 3 * (y * w + x);
        bool isKey = IsKey(image, x, y);
        key += isKey;
        black += p[0] == 0 && p[1] == 0 && p[2] == 0;
        if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
          ++border;
          keyedBorder += isKey;
        }
      }
    if (keyed) {
      EXPECT_GE(keyedBorder * 4, border) << "slot " << slot << ": not standing free";
      EXPECT_EQ(black, 0u) << "slot " << slot << ": a hole";
      EXPECT_GE((w * h - key) * 20, w * h) << "slot " << slot << ": too little drawn";
    }
    if (opaque) {
      EXPECT_EQ(key, 0u) << "slot " << slot;
    }
  }
}

// The raw loader skips a 150-byte lead and takes up to 3,000,000 bytes of 16-bit samples at
// 44,100 a second; both pieces are music of 15 to 30 seconds, loud but never at full scale.
TEST_F(WrittenAssets, SoundsAreFifteenToThirtySecondsOfUnclippedSamples) {
  for (const char* name : {"Dreamy Space Beat.raw", "tecnotica.raw"}) {
    std::vector<uint8_t> bytes = ReadFileBytes(folder->path() / "sound" / name);
    ASSERT_GT(bytes.size(), 150u) << name;
    EXPECT_EQ((bytes.size() - 150) % 2, 0u) << name << ": half a sample at the end";
    EXPECT_LE(bytes.size() - 150, 3000000u) << name << ": more than a sound slot holds";
    double seconds = (bytes.size() - 150) / 2 / 44100.0;
    EXPECT_TRUE(seconds >= 15.0 && seconds <= 30.0) << name << ": " << seconds << " s";
    int peak = 0;
    double sum = 0.0;
    for (size_t i = 150; i + 1 < bytes.size(); i += 2) {
      int16_t s = static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8));
      peak = std::max(peak, std::abs(static_cast<int>(s)));
      sum += s;
    }
    EXPECT_TRUE(peak > 16000 && peak < 32000) << name << ": peak " << peak;
    EXPECT_LT(std::abs(sum / ((bytes.size() - 150) / 2)), 100.0) << name << ": a DC offset";
  }
}

// A second run gives the same bytes and leaves saved maps alone. An empty file under another
// spelling of a picture's name, as an open-always of a missing picture leaves behind, is
// replaced by the spelling the program asks for rather than kept beside it.
TEST_F(WrittenAssets, WritingAgainGivesTheSameBytesAndKeepsTheMaps) {
  ScratchFolder again;
  fs::create_directories(again.path() / "map");
  fs::create_directories(again.path() / "bmp_cube");
  std::ofstream(again.path() / "map" / "3.overworld", std::ios::binary) << "a saved overworld";
  std::ofstream(again.path() / "bmp_cube" / "brickold2.bmp", std::ios::binary).flush();
  ASSERT_TRUE(assets::WriteAllAssets(again.path().string()));

  std::vector<uint8_t> map = ReadFileBytes(again.path() / "map" / "3.overworld");
  EXPECT_EQ(std::string(map.begin(), map.end()), "a saved overworld");
  EXPECT_TRUE(fs::is_empty(folder->path() / "map"));
  std::vector<fs::path> first = FilesBelow(folder->path());
  EXPECT_EQ(FilesBelow(again.path()).size(), first.size() + 1);  // and the map
  for (const fs::path& file : first) {
    fs::path twin = again.path() / fs::relative(file, folder->path());
    EXPECT_TRUE(ReadFileBytes(file) == ReadFileBytes(twin)) << twin;
  }
}

}  // namespace
