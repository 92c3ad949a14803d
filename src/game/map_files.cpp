// Overworld map files.
#include "game/map_files.h"

void LoadOverworld(int32_t) {}
void LoadWorld(int32_t, uint32_t) {}
void SaveOverworld(int32_t) {}
void SaveWorld(int32_t, uint32_t) {}
