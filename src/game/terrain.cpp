// Overworld terrain.
#include "game/terrain.h"

bool SubdivideHeights(int32_t, int32_t, int32_t, int32_t, float, float) { return false; }
bool DisplaceMidpoint(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, float, float) {
  return false;
}
void HeightToLand(int32_t, int32_t, int32_t) {}
void GenerateOverworld(const uint8_t[4], float, float) {}
