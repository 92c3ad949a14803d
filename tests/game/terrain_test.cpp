#include "game/terrain.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/base.h"
#include "game/game_data.h"
#include "tests/support/windows_rand.h"

namespace {

uint64_t Fnv1a(const uint8_t* bytes, size_t count) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 0x100000001B3ull;
  return hash;
}

constexpr size_t HeightMapBytes = 257 * 257;

// A HeightMap and a WorldGrid of their real sizes, zeroed, owned by the test.
class TerrainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedHeights = HeightMap;
    savedGrid = WorldGrid;
    HeightMap = static_cast<uint8_t*>(std::calloc(HeightMapBytes, 1));
    WorldGrid =
        static_cast<uint8_t*>(std::calloc(static_cast<size_t>(CellsPerLevel) * MapLevels, 1));
  }
  void TearDown() override {
    std::free(HeightMap);
    std::free(WorldGrid);
    HeightMap = savedHeights;
    WorldGrid = savedGrid;
  }
  uint8_t& H(int x, int y) { return HeightMap[y * 256 + x]; }
  uint8_t& Cell(int x, int y, int level) { return WorldGrid[x + y * 256 + level * 65536]; }
  uint8_t* savedHeights = nullptr;
  uint8_t* savedGrid = nullptr;
};

TEST_F(TerrainTest, TwoByTwoRectangleSetsNoNewPoint) {
  H(10, 20) = 5;
  H(11, 20) = 6;
  H(10, 21) = 7;
  H(11, 21) = 8;
  std::vector<uint8_t> before(HeightMap, HeightMap + HeightMapBytes);
  Srand(3);
  EXPECT_FALSE(SubdivideHeights(10, 20, 11, 21, 1.0f, 30.0f));
  EXPECT_EQ(RandState, 3u);
  EXPECT_EQ(std::vector<uint8_t>(HeightMap, HeightMap + HeightMapBytes), before);
}

// Corners 10, 20 (top) and 30, 41 (bottom) of a 5 x 5 square, roughness 0: every edge point is
// the truncated mean of its ends, every centre that of its four corners.
//   first pass:  top (15), right (20+41)/2 = 30, bottom (30+41)/2 = 35, left 20,
//                centre 101/4 = 25
//   quarter 1:   (1,0) 12, (2,1) 20, (1,2) 22, (0,1) 15, centre 70/4 = 17
//   quarter 2:   (3,0) 17, (4,1) 25, (3,2) 27, (2,1) kept, centre 90/4 = 22
//   quarter 3:   (3,2) kept, (4,3) 35, (3,4) 38, (2,3) 30, centre 131/4 = 32
//   quarter 4:   (1,2), (2,3) kept, (1,4) 32, (0,3) 25, centre 110/4 = 27
// Edge points take one number each: 4 + 4 + 3 + 3 + 2 = 16 draws; centres and the 2 x 2
// quarters take none.
TEST_F(TerrainTest, RoughnessZeroTakesTheMeans) {
  H(0, 0) = 10;
  H(4, 0) = 20;
  H(0, 4) = 30;
  H(4, 4) = 41;
  Srand(11);
  EXPECT_TRUE(SubdivideHeights(0, 0, 4, 4, 0.0f, 255.0f));
  const uint8_t expected[5][5] = {{10, 12, 15, 17, 20},
                                  {15, 17, 20, 22, 25},
                                  {20, 22, 25, 27, 30},
                                  {25, 27, 30, 32, 35},
                                  {30, 32, 35, 38, 41}};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(H(x, y), expected[y][x]) << x << "," << y;
  EXPECT_EQ(H(5, 0), 0);
  EXPECT_EQ(H(0, 5), 0);
  EXPECT_EQ(RandState, StateAfter(11, 16));
}

// srand(1) draws 41, 18467, 6334, 26500. With r = 26500 the swing is
// 26500 / 32767 - 0.5 = 0.30874, times d = 2: +0.6175. Ends 20 and 41 have the mean 30.5, so
// h = 31.12, stored 31; an integer mean (30) would have stored 30.
TEST_F(TerrainTest, MidpointMeanKeepsItsHalf) {
  H(0, 0) = 20;
  H(2, 0) = 41;
  Srand(1);
  for (int i = 0; i < 3; ++i) Rand();
  EXPECT_TRUE(DisplaceMidpoint(0, 0, 1, 0, 2, 0, 1.0f, 255.0f));
  EXPECT_EQ(H(1, 0), 31);
  EXPECT_EQ(RandState, StateAfter(1, 4));
}

// r = 0 makes the swing exactly -0.5, so d = 255 gives -127.5 with no rounding. Then
// -127.5 x 0.6f (0.60000002384185791) = -76.500003039836884, which single precision rounds to
// -76.5 (its neighbours are 76.5 and 76.500007629): h = 100.5 - 76.5 = 24.0, stored 24.
// Kept in double, h = 23.999996960 (23.999996185 even once rounded to float): stored 23.
TEST_F(TerrainTest, MidpointIsComputedInSinglePrecision) {
  H(0, 0) = 100;
  H(255, 0) = 101;
  RandState = 0xA170F641u;  // the state before a draw of 0
  WindowsRand check{RandState};
  ASSERT_EQ(check.Next(), 0);
  EXPECT_TRUE(DisplaceMidpoint(0, 0, 127, 0, 255, 0, 0.6f, 255.0f));
  EXPECT_EQ(H(127, 0), 24);
}

// Ends 1 and 1 with r = 41: 1 + 2 x (41/32767 - 0.5) x 10 = -8.97, raised to 1. Ends 150 and
// 150 with r = 26500: 150 + 6.17 = 156.17, lowered to 150.9 and stored truncated, 150.
TEST_F(TerrainTest, DisplacedHeightIsClampedToOneAndMaxHeight) {
  H(0, 0) = 1;
  H(2, 0) = 1;
  Srand(1);
  EXPECT_TRUE(DisplaceMidpoint(0, 0, 1, 0, 2, 0, 10.0f, 200.0f));
  EXPECT_EQ(H(1, 0), 1);

  H(0, 5) = 150;
  H(2, 5) = 150;
  Srand(1);
  for (int i = 0; i < 3; ++i) Rand();
  EXPECT_TRUE(DisplaceMidpoint(0, 5, 1, 5, 2, 5, 10.0f, 150.9f));
  EXPECT_EQ(H(1, 5), 150);
}

TEST_F(TerrainTest, PointWithAHeightIsNotRewrittenAndDrawsNothing) {
  H(0, 0) = 10;
  H(1, 0) = 99;
  H(2, 0) = 10;
  Srand(8);
  EXPECT_FALSE(DisplaceMidpoint(0, 0, 1, 0, 2, 0, 1.0f, 255.0f));
  EXPECT_EQ(H(1, 0), 99);
  EXPECT_EQ(RandState, 8u);
}

// Points outside 0..256 on either axis are not in the map: no write, no draw.
TEST_F(TerrainTest, RectangleOutsideTheMapIsLeftAlone) {
  std::vector<uint8_t> before(HeightMap, HeightMap + HeightMapBytes);
  Srand(8);
  EXPECT_FALSE(SubdivideHeights(0, 0, 300, 4, 1.0f, 30.0f));
  EXPECT_FALSE(SubdivideHeights(-4, 0, 4, 4, 1.0f, 30.0f));
  EXPECT_FALSE(SubdivideHeights(8, 0, 4, 4, 1.0f, 30.0f));
  EXPECT_FALSE(DisplaceMidpoint(0, 0, 1, 0, 257, 0, 1.0f, 30.0f));
  EXPECT_FALSE(DisplaceMidpoint(0, -1, 0, 0, 0, 1, 1.0f, 30.0f));
  EXPECT_EQ(RandState, 8u);
  EXPECT_EQ(std::vector<uint8_t>(HeightMap, HeightMap + HeightMapBytes), before);
}

TEST_F(TerrainTest, HeightToLandFollowsTheTableAndDrawsOnce) {
  const uint8_t heights[10] = {0, 3, 4, 10, 11, 15, 16, 18, 19, 255};
  const uint8_t codes[10] = {10, 10, 11, 11, 18, 18, 19, 19, 20, 20};
  Srand(21);
  for (int i = 0; i < 10; ++i) {
    H(100 + i, 254) = heights[i];
    HeightToLand(100 + i, 254, 0);
    EXPECT_EQ(Cell(100 + i, 254, 0), codes[i]) << int(heights[i]);
    EXPECT_EQ(RandState, StateAfter(21, i + 1));
  }
  H(1, 1) = 19;
  HeightToLand(1, 1, 3);
  EXPECT_EQ(Cell(1, 1, 3), 20);
  EXPECT_EQ(Cell(1, 1, 0), 0);
}

// The bounds test comes first: a border cell, a cell off the map or a level beyond the grid
// is neither written nor costs a random number.
TEST_F(TerrainTest, HeightToLandSkipsTheBorderWithoutDrawing) {
  H(0, 9) = 19;
  H(255, 9) = 19;
  H(9, 0) = 19;
  H(9, 255) = 19;
  H(9, 9) = 19;
  Srand(21);
  for (auto [x, y] : {std::pair{0, 9}, {255, 9}, {9, 0}, {9, 255}, {-1, 9}, {256, 9}})
    HeightToLand(x, y, 0);
  HeightToLand(9, 9, -1);
  HeightToLand(9, 9, MapLevels);
  EXPECT_EQ(RandState, 21u);
  EXPECT_EQ(Cell(0, 9, 0), 0);
  EXPECT_EQ(Cell(255, 9, 0), 0);
  EXPECT_EQ(Cell(9, 0, 0), 0);
  EXPECT_EQ(Cell(9, 255, 0), 0);
}

TEST_F(TerrainTest, DriverSetsTheCornersInOrder) {
  const uint8_t corners[4] = {1, 2, 3, 4};
  GenerateOverworld(corners, 0.0f, 255.0f);
  EXPECT_EQ(H(0, 0), 1);
  EXPECT_EQ(H(255, 0), 2);
  EXPECT_EQ(H(0, 255), 3);
  EXPECT_EQ(H(255, 255), 4);
}

// Equal corners and roughness 0 give a flat map: every mean is 7, forest everywhere inside the
// frame. The driver clears what the HeightMap held before (the spare row included) and leaves
// the border cells and the other levels alone.
TEST_F(TerrainTest, DriverZeroesTheMapAndFillsTheInnerCellsOfLevelZero) {
  std::memset(HeightMap, 0x55, HeightMapBytes);
  std::memset(WorldGrid, 0xEE, 2 * 65536);
  const uint8_t corners[4] = {7, 7, 7, 7};
  GenerateOverworld(corners, 0.0f, 30.0f);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) ASSERT_EQ(H(x, y), 7) << x << "," << y;
  for (size_t i = 65536; i < HeightMapBytes; ++i) ASSERT_EQ(HeightMap[i], 0) << i;
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      bool inside = x >= 1 && x <= 254 && y >= 1 && y <= 254;
      ASSERT_EQ(Cell(x, y, 0), inside ? 11 : 0xEE) << x << "," << y;
      ASSERT_EQ(Cell(x, y, 1), 0xEE);
    }
  }
}

// Seed catalog: FNV-1a of level 0 and of the HeightMap's 256 x 256 rows after
// `terrain --seed S --corners ... --roughness F --max-height F`, worked out with a separate
// single-precision model of the generator (outside this program). A change here means the
// random sequence or the arithmetic moved. The last set is the README's overworld.
TEST_F(TerrainTest, SeedCatalog) {
  struct Case {
    uint32_t seed;
    uint8_t corners[4];
    float roughness, maxHeight;
    uint64_t levelHash, heightHash;
  };
  const Case cases[] = {
      {1, {1, 2, 3, 4}, 1.0f, 30.0f, 0xA0943B5D8FD24D47ull, 0xF8A1BC071D2D72DAull},
      {42, {8, 10, 12, 9}, 0.25f, 30.0f, 0x882B76F9EBF5F582ull, 0xBCE74E6B86302C41ull},
      {2024, {200, 3, 90, 40}, 3.0f, 255.0f, 0x4EC5C96283AD5203ull, 0x690F8793B5F6B7CEull},
      {7, {0, 0, 0, 0}, 0.6f, 24.5f, 0x040D833583A48076ull, 0x7B6C85C8776814F4ull},
      {7, {8, 10, 12, 9}, 0.8f, 22.0f, 0x10B1C71B24E1909Dull, 0xA9FC518D919DD9ECull},
  };
  for (const Case& c : cases) {
    std::memset(WorldGrid, 0, 65536);
    Srand(c.seed);
    GenerateOverworld(c.corners, c.roughness, c.maxHeight);
    EXPECT_EQ(Fnv1a(WorldGrid, 65536), c.levelHash) << c.seed;
    EXPECT_EQ(Fnv1a(HeightMap, 65536), c.heightHash) << c.seed;
  }
}

}  // namespace
