// Container loot: random items by tier, copied into container storage of the KindTable.
#pragma once

#include <cstdint>

int FindFreeLootSlot(int32_t container);
void GenerateLoot(int32_t tier, int32_t container);
