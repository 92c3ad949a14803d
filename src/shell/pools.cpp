// The pools of the engine and the game data: each owner allocates and releases its own, and the
// program takes them in this order.
#include "engine/engine.h"
#include "frame/frame.h"
#include "game/console.h"
#include "game/game_data.h"
#include "shell/shell.h"
#include "textures/textures.h"

void AllocateEnginePools() {
  AllocateDepthAndMaskBuffers();
  AllocateScenePools();
}

void ReleaseEnginePools() {
  ReleaseDepthAndMaskBuffers();
  ReleaseScenePools();
}

void ReleaseGameData() {
  ReleaseScreenBuffers();
  ReleaseWorldGrids();
  ReleaseTextureSlots();
  ReleaseGameTables();
  ReleaseConsoleTokens();
}
