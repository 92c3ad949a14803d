// First-person world view.
#include "game/world_view.h"

float ViewYaw = 0.0f;
float ViewPitch = 0.0f;
int32_t LastSafeCell[3] = {1, 1, 28};
uint32_t ViewedUnit = 1;

void WorldViewStep() {}
void DrawNeighbourhood() {}
void DrawCell(int32_t, int32_t, int32_t) {}
int PushOutOfWalls(float, float, float) { return 0; }
int CellAt(float, float, float) { return 0; }
