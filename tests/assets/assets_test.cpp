// What the asset writer leaves in a working directory, checked the way the program reads it:
// start-up's picture loads find every file, the files are plain 24-bit BMPs, the sounds are what
// the raw loader reads, and writing again gives the same bytes.
#include "tools/assets/assets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "base/fnv1a.h"
#include "tests/support/start_up_pictures.h"
#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"
#include "tools/assets/canvas.h"

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

class WrittenAssets : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new ScratchFolder;
    ASSERT_TRUE(assets::WriteAllAssets(folder->path().string()));
  }
  static void TearDownTestSuite() { delete folder; }
  void SetUp() override {
    bmp_test::FreshTextureSlots();
    WorkingDirectory inFolder(folder->path());
    LoadStartUpPictures();
  }
  void TearDown() override { bmp_test::DropTextureSlots(); }
  static ScratchFolder* folder;
};
ScratchFolder* WrittenAssets::folder = nullptr;

// Every picture has the size of its kind (the title 320 x 240, the box surfaces 64, items 32,
// creatures and tiles 16), and every file written is one the program loads.
TEST_F(WrittenAssets, TheProgramLoadsEveryPictureAtTheSizeOfItsKind) {
  std::set<std::string> loaded, written;
  for (uint32_t slot = 0; slot < TextureSlotCount; ++slot) {
    const TextureSlot& image = TextureSlotTable[slot];
    if (!image.pixels) continue;
    uint32_t width = slot == 1000                                                     ? 320
                     : (slot >= 596 && slot <= 598) || (slot >= 1200 && slot <= 1206) ? 64
                     : slot == 0 || (slot >= 600 && slot <= 788) || slot >= 3000      ? 32
                                                                                      : 16;
    EXPECT_EQ(image.width, width) << "slot " << slot;
    EXPECT_EQ(image.height, slot == 1000 ? 240u : width) << "slot " << slot;
    loaded.emplace(reinterpret_cast<const char*>(image.pixels), 3 * image.width * image.height);
  }
  size_t pictures = 0;
  for (const fs::path& file : FilesBelow(folder->path())) {
    if (file.extension() != ".bmp") continue;
    ++pictures;
    std::vector<uint8_t> bytes = ReadFileBytes(file);
    ASSERT_GE(bytes.size(), 54u) << file;
    const uint8_t* h = bytes.data();
    uint32_t width = Le32(h + 18), height = Le32(h + 22);
    EXPECT_TRUE(h[0] == 'B' && h[1] == 'M' && Le32(h + 2) == bytes.size() && Le32(h + 10) == 54 &&
                Le32(h + 14) == 40 && h[26] == 1 && h[28] == 24 && Le32(h + 30) == 0 &&
                width * 3 % 4 == 0 && bytes.size() == 54 + width * height * 3)
        << file << ": not a plain bottom-up BMP without row padding";
    written.emplace(bytes.begin() + 54, bytes.end());
  }
  EXPECT_EQ(written.size(), pictures) << "two pictures are drawn alike";
  EXPECT_EQ(loaded.size(), written.size()) << "a picture is written that nothing loads";
}

// Creatures and items are drawn keyed (255, 0, 246) and must stand free of their ground with no
// pure black inside (the keyed blitter skips black too); tiles, surfaces, the title, the blank
// item and the socket are drawn unkeyed, where one key-coloured pixel would show bright magenta.
TEST_F(WrittenAssets, KeyColourOnlyAroundCreaturesAndItems) {
  for (uint32_t slot = 0; slot < TextureSlotCount; ++slot) {
    const TextureSlot& image = TextureSlotTable[slot];
    if (!image.pixels) continue;
    bool item = slot == 0 || (slot >= 600 && slot <= 788) || slot >= 3000;
    bool creature = !item && (slot == 1104 || (slot >= 801 && slot <= 983) || slot >= 1210);
    bool keyed = creature || (slot >= 600 && slot <= 746) || slot >= 3000;
    bool opaque = (!item && !creature) || slot == 0 || slot == 780;
    uint32_t w = image.width, h = image.height;
    size_t border = 0, keyedBorder = 0, key = 0, black = 0;
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x) {
        const uint8_t* p = image.pixels + 3 * (y * w + x);
        bool isKey = p[0] == 255 && p[1] == 0 && p[2] == 246;
        key += isKey;
        black += p[0] == 0 && p[1] == 0 && p[2] == 0;
        bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
        border += edge;
        keyedBorder += edge && isKey;
      }
    if (keyed) {
      EXPECT_GE(keyedBorder * 4, border) << "slot " << slot << ": not standing free";
      EXPECT_EQ(black, 0u) << "slot " << slot << ": a hole";
      EXPECT_GE((w * h - key) * 20, w * h) << "slot " << slot << ": too little drawn";
    }
    if (opaque) EXPECT_EQ(key, 0u) << "slot " << slot;
  }
}

// The raw loader skips a 150-byte lead and takes up to 3,000,000 bytes of 16-bit samples at
// 44,100 a second; both pieces are music of 15 to 30 seconds, loud but never at full scale.
TEST_F(WrittenAssets, SoundsAreFifteenToThirtySecondsOfUnclippedSamples) {
  for (const char* name : {"Dreamy Space Beat.raw", "tecnotica.raw"}) {
    std::vector<uint8_t> bytes = ReadFileBytes(folder->path() / "sound" / name);
    ASSERT_GT(bytes.size(), 150u) << name;
    size_t samples = (bytes.size() - 150) / 2;
    EXPECT_EQ((bytes.size() - 150) % 2, 0u) << name;
    EXPECT_LE(bytes.size() - 150, 3000000u) << name;
    EXPECT_TRUE(samples >= 15 * 44100 && samples <= 30 * 44100) << name << ": " << samples;
    int peak = 0;
    for (size_t i = 150; i + 1 < bytes.size(); i += 2)
      peak = std::max(peak, std::abs(static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8))));
    EXPECT_TRUE(peak > 16000 && peak < 32000) << name << ": peak " << peak;
  }
}

// Every file written, in path order: its path below the folder and its bytes, FNV-1a 64;
// recorded on 2026-12-06 (parent commit 2bfda5f) while the tests above and below passed.
TEST_F(WrittenAssets, EveryFileMatchesTheRecordedHash) {
  uint64_t hash = Fnv1a64Basis;
  int files = 0;
  for (const fs::path& file : FilesBelow(folder->path())) {
    std::string name = fs::relative(file, folder->path()).generic_string();
    std::vector<uint8_t> bytes = ReadFileBytes(file);
    hash = Fnv1a64(bytes.data(), bytes.size(), Fnv1a64(name.c_str(), name.size() + 1, hash));
    ++files;
  }
  EXPECT_EQ(files, 203);
  EXPECT_EQ(hash, 0xc13ead72389f66a8ull);
}

// A second run gives the same bytes and leaves saved maps alone; the first folder has been
// loaded from, and an open-always of a missing name would have left an extra empty file there. An
// empty file under another spelling of a picture's name, as an open-always of a missing picture
// leaves behind, is replaced by the spelling the program asks for rather than kept beside it.
TEST_F(WrittenAssets, WritingAgainGivesTheSameBytesAndKeepsTheMaps) {
  ScratchFolder again;
  fs::create_directories(again.path() / "map");
  fs::create_directories(again.path() / "bmp_cube");
  std::ofstream(again.path() / "map" / "3.overworld", std::ios::binary) << "a saved overworld";
  std::ofstream(again.path() / "bmp_cube" / "brickold2.bmp", std::ios::binary).flush();
  ASSERT_TRUE(assets::WriteAllAssets(again.path().string()));
  std::vector<uint8_t> map = ReadFileBytes(again.path() / "map" / "3.overworld");
  EXPECT_EQ(std::string(map.begin(), map.end()), "a saved overworld");
  std::vector<fs::path> first = FilesBelow(folder->path());
  EXPECT_EQ(FilesBelow(again.path()).size(), first.size() + 1);  // and the map
  for (const fs::path& file : first)
    EXPECT_TRUE(ReadFileBytes(file) ==
                ReadFileBytes(again.path() / fs::relative(file, folder->path())))
        << file;
}

// Rows bottom-up, pixels blue-green-red, right behind the header: a 4 x 2 canvas whose
// bottom-left pixel (0, 1) is red and top-right (3, 0) blue starts its pixels with 0, 0, 255 and
// ends with 255, 0, 0.
TEST(AssetBmp, StoresTheBottomRowFirstInBlueGreenRed) {
  assets::Canvas canvas = assets::MakeCanvas(4, 2, assets::Rgb{10, 20, 30});
  assets::Plot(canvas, 0, 1, assets::Rgb{255, 0, 0});
  assets::Plot(canvas, 3, 0, assets::Rgb{0, 0, 255});
  std::vector<uint8_t> file = assets::EncodeBmp(canvas);
  ASSERT_EQ(file.size(), 78u);
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 54, file.begin() + 58),
            (std::vector<uint8_t>{0, 0, 255, 30}));
  EXPECT_EQ(std::vector<uint8_t>(file.end() - 3, file.end()), (std::vector<uint8_t>{255, 0, 0}));
}

}  // namespace
