// Release at exit.
//
// Every pointer is cleared once its block is freed, so a release after a start-up that stopped
// half way, or a second release, frees nothing twice (free of a null pointer does nothing).
#include <cstdlib>

#include "engine/engine.h"
#include "frame/frame.h"
#include "game/console.h"
#include "game/game_data.h"
#include "textures/textures.h"

namespace {

template <typename T>
void Release(T*& block) {
  std::free(block);
  block = nullptr;
}

void ReleasePathSearch() {
  if (!PathSearchState) return;
  PathSearch& state = *PathSearchState;
  Release(state.nodeX);
  Release(state.nodeY);
  Release(state.parent);
  Release(state.nodeFlag);
  Release(state.cost);
  Release(state.nodeAtCell);
  Release(state.unitWorkA);
  Release(state.unitWorkB);
  Release(state.pathX);
  Release(state.pathY);
  Release(state.unitWorkC);
  Release(state.lastPathStep);
  Release(state.unitWorkD);
  Release(state.reachedMarks);
  Release(state.workBlockA);
  Release(state.workBlockB);
  Release(PathSearchState);
}

void ReleaseConsoleTokens() {
  if (!ConsoleTokens) return;
  for (int token = 0; token < ConsoleTokenCount; ++token) Release(ConsoleTokens[token]);
  Release(ConsoleTokens);
}

}  // namespace

void ReleaseEnginePools() {
  Release(DepthBuffer);
  Release(LineMaskBuffer);
  Release(VertexPool);
  Release(ObjectPool);
  Release(LightTable);
}

void ReleaseGameData() {
  Release(FrameBuffer);
  Release(ReadbackBuffer);
  Release(HeightMap);
  Release(WorldGrid);
  Release(OverlayGrid);
  ReleaseTextureSlots();
  Release(UnitTable);
  Release(KindTable);
  ReleasePathSearch();
  Release(FirstRoomOfLevel);
  Release(EndRoomOfLevel);
  Release(RoomScratch);
  Release(RoomTable);
  Release(SineTable);
  Release(CosineTable);
  ReleaseConsoleTokens();
}
