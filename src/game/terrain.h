// Overworld terrain: midpoint displacement into the HeightMap, heights into land codes.
#pragma once

#include <cstdint>

bool SubdivideHeights(int32_t x0, int32_t y0, int32_t x1, int32_t y1, float roughness,
                      float maxHeight);
bool DisplaceMidpoint(int32_t ax, int32_t ay, int32_t px, int32_t py, int32_t bx, int32_t by,
                      float roughness, float maxHeight);
void HeightToLand(int32_t x, int32_t y, int32_t level);
// The driver: zeroed HeightMap, four corner heights, subdivision, land codes for level 0.
void GenerateOverworld(const uint8_t cornerHeights[4], float roughness, float maxHeight);
