// Overworld terrain: midpoint displacement into the HeightMap, heights into land codes.
#pragma once

#include <cstdint>

// Land codes that HeightToLand writes (the land pictures' slot numbers).
constexpr uint8_t LandPlain = 10;
constexpr uint8_t LandForest = 11;
constexpr uint8_t LandHills = 18;
constexpr uint8_t LandMountain = 19;
constexpr uint8_t LandHighMountain = 20;

// HeightMap points are (x, y) with 0 <= x, y <= MapSide, at index y * MapSide + x: the spare
// bytes of the (MapSide + 1)^2 allocation hold row MapSide. Height 0 means "not yet set".

// Sets the edge midpoints and the centre of the rectangle whose corners the caller has set, then
// recurses into its quarters. False when the rectangle was too small to split. A rectangle with
// x0 > x1 or y0 > y1, or reaching outside the HeightMap, is left alone: false, nothing drawn.
bool SubdivideHeights(int32_t x0, int32_t y0, int32_t x1, int32_t y1, float roughness,
                      float maxHeight);
// Sets point p from the end points a and b, displaced at random. False when p already had a
// height (or any of the three points lies outside the HeightMap); then no number is drawn.
bool DisplaceMidpoint(int32_t ax, int32_t ay, int32_t px, int32_t py, int32_t bx, int32_t by,
                      float roughness, float maxHeight);
// Writes the land code of cell (x, y)'s height into the WorldGrid at `level`, for
// 1 <= x, y <= MapSide - 2 only. Cells outside that frame, and levels outside the grid, are
// left alone without drawing a number.
void HeightToLand(int32_t x, int32_t y, int32_t level);
// The driver: zeroed HeightMap, the corner heights (0, 0), (255, 0), (0, 255), (255, 255) in
// that order, subdivision of the whole map, then land codes for level 0, rows outer.
void GenerateOverworld(const uint8_t cornerHeights[4], float roughness, float maxHeight);
