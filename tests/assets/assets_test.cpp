// What the asset writer leaves in a working directory: every byte as a recorded hash, every
// picture loaded by start-up's lists, and the same bytes when written again.
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

namespace fs = std::filesystem;

namespace {

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
  static ScratchFolder* folder;
};
ScratchFolder* WrittenAssets::folder = nullptr;

// Every file written, in path order: its path below the folder and its bytes, FNV-1a 64;
// recorded on 2026-12-06 at commit f83a82a while, in the same run, tests passed that checked the
// pictures as plain bottom-up 24-bit BMPs at the size of their kind (title 320 x 240, box
// surfaces 64, items 32, creatures and tiles 16), the key colour only around creatures and
// items, with no black inside them, and both pieces of music as 15 to 30 seconds of unclipped
// samples behind a 150-byte lead.
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

// Every load of start-up finds its file (an open-always of a missing name would leave an empty
// file behind), and every picture written is one the program loads.
TEST_F(WrittenAssets, StartUpLoadsEveryPictureWritten) {
  size_t before = FilesBelow(folder->path()).size();
  bmp_test::FreshTextureSlots();
  {
    WorkingDirectory inFolder(folder->path());
    LoadStartUpPictures();
  }
  EXPECT_EQ(FilesBelow(folder->path()).size(), before) << "a load created a missing file";
  std::set<std::string> loaded, written;
  for (uint32_t slot = 0; slot < TextureSlotCount; ++slot)
    if (const TextureSlot& image = TextureSlotTable[slot]; image.pixels)
      loaded.emplace(reinterpret_cast<const char*>(image.pixels), 3 * image.width * image.height);
  for (const fs::path& file : FilesBelow(folder->path()))
    if (file.extension() == ".bmp") written.insert(file.string());
  EXPECT_EQ(loaded.size(), written.size());
  bmp_test::DropTextureSlots();
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
  std::vector<fs::path> first = FilesBelow(folder->path());
  EXPECT_EQ(FilesBelow(again.path()).size(), first.size() + 1);  // and the map
  for (const fs::path& file : first)
    EXPECT_TRUE(ReadFileBytes(file) ==
                ReadFileBytes(again.path() / fs::relative(file, folder->path())))
        << file;
}

}  // namespace
