// First-person world view: the WorldGrid around unit 1 drawn as textured OpenGL cubes.
#pragma once

#include <cstdint>

extern float ViewYaw;            // degrees, 0
extern float ViewPitch;          // degrees, 0
extern int32_t LastSafeCell[3];  // 1, 1, 28
extern uint32_t ViewedUnit;      // 1

void WorldViewStep();
void DrawNeighbourhood();
void DrawCell(int32_t x, int32_t y, int32_t z);
int PushOutOfWalls(float a, float b, float c);
int CellAt(float dx, float dy, float dz);
