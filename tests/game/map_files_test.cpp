#include "game/map_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/game/game_pools.h"
#include "tests/support/scratch_folder.h"

namespace {

// Runs a test inside a fresh temporary folder (with a "map" subfolder unless told otherwise) and
// puts the working directory back afterwards.
class MapFolder {
 public:
  explicit MapFolder(bool withMapFolder = true) : inside_(scratch_.path()) {
    if (withMapFolder) std::filesystem::create_directory(scratch_.path() / "map");
  }

 private:
  ScratchFolder scratch_;
  WorkingDirectory inside_;
};

bool Exists(const char* path) { return std::filesystem::exists(path); }

// Level l gets the pattern (x + 3 y + 7 l + salt) mod 251, different on every level and cell.
void PaintLevel(int level, int salt) {
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x)
      GridCell(x, y, level) = static_cast<uint8_t>((x + 3 * y + 7 * level + salt) % 251);
}

}  // namespace

TEST(MapFiles, OverworldRoundTripRestoresLevelZeroOnly) {
  GamePools pools;
  MapFolder folder;
  PaintLevel(0, 1);
  PaintLevel(1, 1);
  uint64_t level0 = HashLevels(0, 1);
  SaveOverworld(7);
  EXPECT_STREQ(MapFilePath, ".\\map\\7.overworld");
  EXPECT_EQ(HeadlessClockMs, 1000u);
  EXPECT_EQ(ReadFileBytes("map/7.overworld").size(), 65536u);

  PaintLevel(0, 50);
  PaintLevel(1, 50);
  uint64_t level1 = HashLevels(1, 1);
  LoadOverworld(7);
  EXPECT_EQ(HashLevels(0, 1), level0);
  EXPECT_EQ(HashLevels(1, 1), level1);
  EXPECT_EQ(HeadlessClockMs, 2000u);
}

// SaveWorld(2, 3) writes 3 levels: byte 65536 + 256 * 10 + 4 is cell (4, 10, 1).
TEST(MapFiles, WorldFileIsTheRawGridLevelAfterLevel) {
  GamePools pools;
  MapFolder folder;
  PaintLevel(0, 0);
  PaintLevel(1, 0);
  PaintLevel(2, 0);
  PaintLevel(3, 0);
  GridCell(4, 10, 1) = 'Z';
  SaveWorld(2, 3);
  std::vector<uint8_t> file = ReadFileBytes("map/2.overworld");
  ASSERT_EQ(file.size(), 196608u);
  EXPECT_EQ(file[65536 + 256 * 10 + 4], 'Z');
  EXPECT_TRUE(std::equal(file.begin(), file.end(), WorldGrid));

  // Saving level 0 alone over it rewrites the first 65536 bytes and keeps levels 1 and 2.
  PaintLevel(0, 9);
  PaintLevel(1, 9);
  SaveOverworld(2);
  std::vector<uint8_t> after = ReadFileBytes("map/2.overworld");
  ASSERT_EQ(after.size(), 196608u);
  EXPECT_TRUE(std::equal(after.begin(), after.begin() + 65536, WorldGrid));
  EXPECT_TRUE(std::equal(after.begin() + 65536, after.end(), file.begin() + 65536));
  EXPECT_EQ(after[65536 + 256 * 10 + 4], 'Z');
}

TEST(MapFiles, LoadingAShortFileFillsOnlyWhatItHolds) {
  GamePools pools;
  MapFolder folder;
  std::vector<uint8_t> bytes(65536 + 100);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 1);
  WriteFileBytes("map/5.overworld", bytes);
  PaintLevel(1, 4);
  PaintLevel(2, 4);
  std::vector<uint8_t> before(WorldGrid + 65536, WorldGrid + 3 * 65536);
  LoadWorld(5, 3);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), WorldGrid));
  EXPECT_TRUE(std::equal(before.begin() + 100, before.end(), WorldGrid + 65536 + 100));
  EXPECT_EQ(HeadlessClockMs, 1000u);
}

// A missing file is created empty by the open and read as empty, with the usual pause.
TEST(MapFiles, LoadingAMissingFileCreatesItEmpty) {
  GamePools pools;
  MapFolder folder;
  PaintLevel(0, 3);
  uint64_t grid = HashLevels(0, 2);
  LoadWorld(-4, 2);
  EXPECT_STREQ(MapFilePath, ".\\map\\-4.overworld");
  EXPECT_TRUE(Exists("map/-4.overworld"));
  EXPECT_EQ(ReadFileBytes("map/-4.overworld").size(), 0u);
  EXPECT_EQ(HashLevels(0, 2), grid);
  EXPECT_EQ(HeadlessClockMs, 1000u);
}

// Without the map folder the open fails: nothing is read, written or created, and no pause.
TEST(MapFiles, AMissingFolderChangesNothing) {
  GamePools pools;
  MapFolder folder(false);
  PaintLevel(0, 3);
  uint64_t grid = HashLevels(0, 3);
  LoadOverworld(1);
  LoadWorld(1, 3);
  SaveOverworld(1);
  SaveWorld(1, 3);
  EXPECT_EQ(HashLevels(0, 3), grid);
  EXPECT_FALSE(Exists("map"));
  EXPECT_EQ(HeadlessClockMs, 0u);
}

// More levels than the grid has are held to the grid's 180: nothing past its end is touched.
TEST(MapFiles, LevelCountsBeyondTheGridAreHeldToIt) {
  GamePools pools;
  MapFolder folder;
  PaintLevel(179, 2);
  SaveWorld(3, 500);
  std::vector<uint8_t> file = ReadFileBytes("map/3.overworld");
  ASSERT_EQ(file.size(), 180u * 65536u);
  EXPECT_EQ(file[179 * 65536 + 5], GridCell(5, 0, 179));

  file.resize(200u * 65536u, 0xAB);
  WriteFileBytes("map/3.overworld", file);
  PaintLevel(179, 8);
  LoadWorld(3, 0xFFFFFFFFu);
  EXPECT_EQ(GridCell(5, 0, 179), file[179 * 65536 + 5]);
}
