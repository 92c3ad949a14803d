#include "game/map_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "tests/game/game_pools.h"
#include "tests/support/scratch_folder.h"

namespace {

// Level l gets the pattern (x + 3 y + 7 l + salt) mod 251, different on every level and cell.
void PaintLevels(int first, int count, int salt) {
  for (int level = first; level < first + count; ++level)
    for (int i = 0; i < 65536; ++i)
      WorldGrid[level * 65536 + i] =
          static_cast<uint8_t>((i % 256 + 3 * (i / 256) + 7 * level + salt) % 251);
}

// The grid's bytes level after level; each transfer pauses a second. SaveWorld(2, 3) writes 3
// levels; saving level 0 alone over it keeps the file's other levels; loading takes only the
// levels asked for, or what a shorter file holds.
TEST(MapFiles, FilesAreTheRawGridLevelAfterLevel) {
  GamePools pools;
  ScratchFolder scratch;
  WorkingDirectory inside(scratch.path());
  std::filesystem::create_directory("map");
  PaintLevels(0, 4, 0);
  SaveWorld(2, 3);
  EXPECT_STREQ(MapFilePath, ".\\map\\2.overworld");
  std::vector<uint8_t> file = ReadFileBytes("map/2.overworld");
  ASSERT_EQ(file.size(), 3u * 65536u);
  EXPECT_TRUE(std::equal(file.begin(), file.end(), WorldGrid));

  PaintLevels(0, 4, 9);
  SaveOverworld(2);
  std::vector<uint8_t> after = ReadFileBytes("map/2.overworld");
  EXPECT_TRUE(std::equal(after.begin(), after.begin() + 65536, WorldGrid));
  EXPECT_TRUE(std::equal(after.begin() + 65536, after.end(), file.begin() + 65536));
  EXPECT_EQ(HeadlessClockMs, 2000u);

  after.resize(65536 + 100);
  WriteFileBytes("map/5.overworld", after);
  PaintLevels(0, 3, 4);
  uint64_t rest = Fnv1a64(WorldGrid + 65536 + 100, 2 * 65536 - 100);
  LoadWorld(5, 3);
  EXPECT_TRUE(std::equal(after.begin(), after.end(), WorldGrid));
  EXPECT_EQ(Fnv1a64(WorldGrid + 65536 + 100, 2 * 65536 - 100), rest);
  EXPECT_EQ(HeadlessClockMs, 3000u);
}

// A missing file is created empty by the open and read as empty, with the pause; without the
// map folder nothing is read, written or created, and there is no pause.
TEST(MapFiles, MissingFilesFoldersAndLevelsBeyondTheGrid) {
  GamePools pools;
  ScratchFolder scratch;
  WorkingDirectory inside(scratch.path());
  PaintLevels(0, 3, 3);
  uint64_t grid = HashLevels(0, 180);
  LoadOverworld(1);
  LoadWorld(1, 3);
  SaveOverworld(1);
  SaveWorld(1, 3);
  EXPECT_FALSE(std::filesystem::exists("map"));
  EXPECT_EQ(HeadlessClockMs, 0u);
  std::filesystem::create_directory("map");
  LoadWorld(-4, 2);
  EXPECT_STREQ(MapFilePath, ".\\map\\-4.overworld");
  EXPECT_EQ(ReadFileBytes("map/-4.overworld").size(), 0u);
  EXPECT_TRUE(std::filesystem::exists("map/-4.overworld"));
  EXPECT_EQ(HashLevels(0, 180), grid);
  EXPECT_EQ(HeadlessClockMs, 1000u);

  SaveWorld(3, 500);  // more levels than the grid's 180 are held to it
  EXPECT_EQ(ReadFileBytes("map/3.overworld").size(), 180u * 65536u);
}

}  // namespace
