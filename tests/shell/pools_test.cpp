// The pools at start-up and their release (leaks and double frees: the address sanitizer).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "engine/engine.h"
#include "frame/frame.h"
#include "game/console.h"
#include "game/game_data.h"
#include "shell/shell.h"
#include "tests/support/scratch_folder.h"
#include "textures/textures.h"

namespace {

bool AllReleased() {
  const void* pointers[] = {FrameBuffer,     ReadbackBuffer,   HeightMap,      WorldGrid,
                            OverlayGrid,     TextureSlotTable, UnitTable,      KindTable,
                            PathSearchState, FirstRoomOfLevel, EndRoomOfLevel, RoomScratch,
                            RoomTable,       SineTable,        CosineTable,    ConsoleTokens,
                            DepthBuffer,     LineMaskBuffer,   VertexPool,     ObjectPool,
                            LightTable};
  for (const void* pointer : pointers)
    if (pointer) return false;
  return true;
}

void ReleaseAll() {
  ReleaseEnginePools();
  ReleaseGameData();
}

// A partial start-up (arrays cut short inside their records) releases what exists, twice over.
TEST(Release, AfterAPartialStartUpSkipsWhatWasNeverAllocated) {
  ReleaseAll();  // whatever earlier tests left behind
  SetRenderSize(320, 240);
  WorldGrid = static_cast<uint8_t*>(std::calloc(64, 1));
  ResizeTextureSlots(3100);
  TextureSlotTable[597].pixels = static_cast<uint8_t*>(std::malloc(12));
  TextureSlotTable[3099].pixels = static_cast<uint8_t*>(std::malloc(3));
  PathSearchState = static_cast<PathSearch*>(std::calloc(1, sizeof(PathSearch)));
  PathSearchState->nodeX = static_cast<int16_t*>(std::calloc(16, sizeof(int16_t)));
  PathSearchState->workBlockB = static_cast<uint8_t*>(std::calloc(16, 1));
  SineTable = static_cast<float*>(std::calloc(16, sizeof(float)));
  ConsoleTokens = static_cast<char**>(std::calloc(ConsoleTokenCount, sizeof(char*)));
  for (int token = 0; token < 3; ++token)
    ConsoleTokens[token] = static_cast<char*>(std::calloc(256, 1));
  AllocateEnginePools();
  ReleaseAll();
  EXPECT_TRUE(AllReleased());
  ReleaseAll();
  EXPECT_TRUE(AllReleased());
  TextureSlotCount = 3100;
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
// memory only for the pages used; a full start-up releases everything and can start again.
TEST(EnginePools, AreFullSizeCostOnlyThePagesUsedAndStartAgain) {
  constexpr size_t Pixels = 320 * 240;
  ScratchFolder folder;
  {
    WorkingDirectory inFolder(folder.path());
    SetRenderSize(320, 240);
    InitGameData();
  }
  size_t before = ResidentBytes();
  AllocateEnginePools();
  for (size_t i = 0; i < Pixels; ++i) ASSERT_EQ(LineMaskBuffer[i], 0u);
  DepthBuffer[Pixels - 1] = 1.0;
  VertexPool[VertexPoolCapacity - 1].x = 1.0f;
  ObjectPool[ObjectPoolCapacity - 1].faces[FacesPerObject - 1].kind = 1;
  LightTable[LightTableCapacity - 1].range = 1.0f;
  size_t after = ResidentBytes();
  if (before != 0 && after != 0)
    EXPECT_LT(static_cast<long long>(after) - static_cast<long long>(before), 32ll << 20);
  ReleaseAll();
  EXPECT_TRUE(AllReleased());
  InitTrigTables();  // with the tables gone, the guard no longer holds back a fresh build
  ASSERT_NE(SineTable, nullptr);
  EXPECT_EQ(SineTable[90000], 1.0f);
  ReleaseAll();
}

}  // namespace
