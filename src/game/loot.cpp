// Container loot.
#include "game/loot.h"

int FindFreeLootSlot(int32_t) { return -1; }
void GenerateLoot(int32_t, int32_t) {}
