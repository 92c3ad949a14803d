// Overworld terrain: recursive midpoint displacement, then a height-to-land table.
#include "game/terrain.h"

#include <cstdlib>
#include <cstring>

#include "base/base.h"
#include "game/game_data.h"

namespace {

bool IsHeightPoint(int32_t x, int32_t y) {
  return HeightMap != nullptr && x >= 0 && x <= MapSide && y >= 0 && y <= MapSide;
}

uint8_t& Height(int32_t x, int32_t y) { return HeightMap[y * MapSide + x]; }

// A height is stored as the x86 conversion of the float to an integer, kept to its low byte:
// truncated toward zero, and a NaN (from an infinite roughness) stores 0.
uint8_t StoredHeight(float h) { return static_cast<uint8_t>(DoubleToInt32(h)); }

}  // namespace

bool DisplaceMidpoint(int32_t ax, int32_t ay, int32_t px, int32_t py, int32_t bx, int32_t by,
                      float roughness, float maxHeight) {
  if (!IsHeightPoint(ax, ay) || !IsHeightPoint(px, py) || !IsHeightPoint(bx, by)) return false;
  if (Height(px, py) != 0) return false;
  int r = Rand();
  int d = std::abs(ax - bx) + std::abs(ay - by);
  // Everything is single precision: the mean keeps its half (a float division, not an integer
  // one), and r / 32767 - 1/2 is formed in float before it scales the edge length and the
  // roughness, left to right. The 1.0 factor is part of the formula and changes nothing.
  float mean = static_cast<float>(Height(ax, ay) + Height(bx, by)) / 2.0f;
  float swing = static_cast<float>(r) / 32767.0f * 1.0f - 0.5f;
  float h = mean + static_cast<float>(d) * swing * roughness;
  if (h < 1.0f) h = 1.0f;
  if (h > maxHeight) h = maxHeight;
  Height(px, py) = StoredHeight(h);
  return true;
}

bool SubdivideHeights(int32_t x0, int32_t y0, int32_t x1, int32_t y1, float roughness,
                      float maxHeight) {
  if (x0 > x1 || y0 > y1 || !IsHeightPoint(x0, y0) || !IsHeightPoint(x1, y1)) return false;
  int32_t mx = (x0 + x1) / 2;
  int32_t my = (y0 + y1) / 2;
  DisplaceMidpoint(x0, y0, mx, y0, x1, y0, roughness, maxHeight);  // top
  DisplaceMidpoint(x1, y0, x1, my, x1, y1, roughness, maxHeight);  // right
  DisplaceMidpoint(x0, y1, mx, y1, x1, y1, roughness, maxHeight);  // bottom
  DisplaceMidpoint(x0, y0, x0, my, x0, y1, roughness, maxHeight);  // left
  // The centre takes the plain mean of the corners: no random number, no displacement.
  if (Height(mx, my) == 0) {
    int corners = Height(x0, y0) + Height(x1, y0) + Height(x0, y1) + Height(x1, y1);
    Height(mx, my) = StoredHeight(static_cast<float>(corners) / 4.0f);
  }
  if (x1 - x0 < 2 && y1 - y0 < 2) return false;
  SubdivideHeights(x0, y0, mx, my, roughness, maxHeight);
  SubdivideHeights(mx, y0, x1, my, roughness, maxHeight);
  SubdivideHeights(mx, my, x1, y1, roughness, maxHeight);
  SubdivideHeights(x0, my, mx, y1, roughness, maxHeight);
  return true;
}

void HeightToLand(int32_t x, int32_t y, int32_t level) {
  if (x < 1 || x > MapSide - 2 || y < 1 || y > MapSide - 2) return;
  if (level < 0 || level >= MapLevels || HeightMap == nullptr || WorldGrid == nullptr) return;
  Rand();  // drawn and discarded: it only advances the sequence
  uint8_t h = Height(x, y);
  uint8_t code = h <= 3    ? LandPlain
                 : h <= 10 ? LandForest
                 : h <= 15 ? LandHills
                 : h <= 18 ? LandMountain
                           : LandHighMountain;
  WorldGrid[WorldCellIndex(x, y, level)] = code;
}

void GenerateOverworld(const uint8_t cornerHeights[4], float roughness, float maxHeight) {
  if (HeightMap == nullptr || WorldGrid == nullptr) return;
  std::memset(HeightMap, 0, static_cast<size_t>(MapSide + 1) * (MapSide + 1));
  int32_t last = MapSide - 1;
  Height(0, 0) = cornerHeights[0];
  Height(last, 0) = cornerHeights[1];
  Height(0, last) = cornerHeights[2];
  Height(last, last) = cornerHeights[3];
  SubdivideHeights(0, 0, last, last, roughness, maxHeight);
  for (int32_t y = 0; y < MapSide; ++y) {
    for (int32_t x = 0; x < MapSide; ++x) HeightToLand(x, y, 0);
  }
}
