// Every picture start-up loads, in its order: the eight lists InitGameData loads, then
// the three cube files the entry point loads itself. Tests, the soak and the benchmarks use it
// to load (or, in empty folders, to create) exactly the program's picture files.
#pragma once

#include "game/game_data.h"
#include "textures/textures.h"

inline void LoadStartUpPictures() {
  LoadTextureLists();
  LoadBmpIntoSlot(".\\bmp_cube\\grass3.bmp", 596);
  LoadBmpIntoSlot(".\\bmp_cube\\BRICKOLD2.bmp", 597);
  LoadBmpIntoSlot(".\\bmp_cube\\dirt1.bmp", 598);
}
