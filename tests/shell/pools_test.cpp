// The engine pools at start-up and the release at exit. Leaks and double frees show up under the
// address sanitizer and valgrind; here every pointer must come back null and a second release
// must be harmless.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "engine/engine.h"
#include "frame/frame.h"
#include "game/console.h"
#include "game/game_data.h"
#include "shell/shell.h"
#include "tests/support/saved_globals.h"
#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"

using namespace bmp_test;

namespace {

void ExpectGameDataReleased() {
  EXPECT_EQ(FrameBuffer, nullptr);
  EXPECT_EQ(ReadbackBuffer, nullptr);
  EXPECT_EQ(HeightMap, nullptr);
  EXPECT_EQ(WorldGrid, nullptr);
  EXPECT_EQ(OverlayGrid, nullptr);
  EXPECT_EQ(TextureSlotTable, nullptr);
  EXPECT_EQ(UnitTable, nullptr);
  EXPECT_EQ(KindTable, nullptr);
  EXPECT_EQ(PathSearchState, nullptr);
  EXPECT_EQ(FirstRoomOfLevel, nullptr);
  EXPECT_EQ(EndRoomOfLevel, nullptr);
  EXPECT_EQ(RoomScratch, nullptr);
  EXPECT_EQ(RoomTable, nullptr);
  EXPECT_EQ(SineTable, nullptr);
  EXPECT_EQ(CosineTable, nullptr);
  EXPECT_EQ(ConsoleTokens, nullptr);
}

void ExpectEnginePoolsReleased() {
  EXPECT_EQ(DepthBuffer, nullptr);
  EXPECT_EQ(LineMaskBuffer, nullptr);
  EXPECT_EQ(VertexPool, nullptr);
  EXPECT_EQ(ObjectPool, nullptr);
  EXPECT_EQ(LightTable, nullptr);
}

TEST(Release, AfterAPartialStartUpSkipsWhatWasNeverAllocated) {
  ReleaseGameData();  // whatever earlier tests left behind
  SetRenderSize(320, 240);
  WorldGrid = static_cast<uint8_t*>(std::calloc(64, 1));
  ResizeTextureSlots(3100);
  TextureSlotTable[597].pixels = static_cast<uint8_t*>(std::malloc(12));
  TextureSlotTable[3099].pixels = static_cast<uint8_t*>(std::malloc(3));
  // A path-search record whose arrays were only partly allocated.
  PathSearchState = static_cast<PathSearch*>(std::calloc(1, sizeof(PathSearch)));
  PathSearchState->nodeX = static_cast<int16_t*>(std::calloc(16, sizeof(int16_t)));
  PathSearchState->workBlockB = static_cast<uint8_t*>(std::calloc(16, 1));
  SineTable = static_cast<float*>(std::calloc(16, sizeof(float)));
  // Console tokens cut short after the third buffer.
  ConsoleTokens = static_cast<char**>(std::calloc(ConsoleTokenCount, sizeof(char*)));
  for (int token = 0; token < 3; ++token)
    ConsoleTokens[token] = static_cast<char*>(std::calloc(256, 1));

  ReleaseGameData();
  ExpectGameDataReleased();
  ReleaseGameData();  // a second release finds nothing to free
  ExpectGameDataReleased();
  TextureSlotCount = 3100;
}

TEST(Release, EnginePoolsGoAndStayGone) {
  SetRenderSize(320, 240);
  AllocateEnginePools();
  ASSERT_NE(DepthBuffer, nullptr);
  ReleaseEnginePools();
  ExpectEnginePoolsReleased();
  ReleaseEnginePools();
  ExpectEnginePoolsReleased();
  ReleaseGameData();
}

TEST(Release, FullStartUpThenReleaseLeavesNothingAndCanStartAgain) {
  ScratchFolder folder;
  {
    WorkingDirectory inFolder(folder.path());
    SetRenderSize(320, 240);
    InitGameData();
    AllocateEnginePools();
  }
  ReleaseEnginePools();
  ReleaseGameData();
  ExpectEnginePoolsReleased();
  ExpectGameDataReleased();

  // With the tables gone, the guard no longer holds back a fresh build.
  InitTrigTables();
  ASSERT_NE(SineTable, nullptr);
  EXPECT_EQ(SineTable[90000], 1.0f);
  ReleaseGameData();
  ExpectGameDataReleased();
}

size_t ResidentBytes() {
  std::FILE* file = std::fopen("/proc/self/statm", "r");
  if (!file) return 0;
  unsigned long size = 0, resident = 0;
  int read = std::fscanf(file, "%lu %lu", &size, &resident);
  std::fclose(file);
  return read == 2 ? resident * 4096ul : 0;
}

// The pools come at their full sizes (the last record of each is writable) but cost resident
// memory only for the pages that are used: about 476 MB asked for, a few pages touched.
TEST(EnginePools, AreFullSizeAndCostOnlyThePagesUsed) {
  constexpr size_t Pixels = 320 * 240;
  SetRenderSize(320, 240);
  SavedGlobals saved;
  saved.Save(DepthBuffer, LineMaskBuffer, VertexPool, ObjectPool, LightTable);
  size_t before = ResidentBytes();

  AllocateEnginePools();
  for (size_t i = 0; i < Pixels; ++i) ASSERT_EQ(LineMaskBuffer[i], 0u);
  DepthBuffer[Pixels - 1] = 1.0;
  VertexPool[VertexPoolCapacity - 1].x = 1.0f;
  ObjectPool[ObjectPoolCapacity - 1].faces[FacesPerObject - 1].kind = 1;
  LightTable[LightTableCapacity - 1].range = 1.0f;
  size_t after = ResidentBytes();
  if (before != 0 && after != 0) {
    EXPECT_LT(static_cast<long long>(after) - static_cast<long long>(before), 32ll << 20);
  }

  ReleaseEnginePools();
}

}  // namespace
