// The pools at start-up and their release (leaks and double frees: the address sanitizer).
#include <gtest/gtest.h>

#include <cstdio>

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

size_t ResidentBytes() {
  std::FILE* file = std::fopen("/proc/self/statm", "r");
  unsigned long size = 0, resident = 0;
  if (!file || std::fscanf(file, "%lu %lu", &size, &resident) != 2) resident = 0;
  if (file) std::fclose(file);
  return resident * 4096ul;
}

// The pools come at their full sizes (the last record of each is writable) but cost resident
// memory only for the pages used; the release leaves every pointer null, a second one harmless.
TEST(EnginePools, AreFullSizeCostOnlyThePagesUsedAndGoAndStayGone) {
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
  for (int release = 0; release < 2; ++release) {
    ReleaseEnginePools();
    ReleaseGameData();
    EXPECT_TRUE(AllReleased());
  }
}

}  // namespace
