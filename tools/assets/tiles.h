// Ground, plants and buildings shared by the map tiles (land, dungeon, structures). Tiles are
// opaque and drawn edge to edge, so grounds are noise without borders and join seamlessly.
#pragma once

#include "tools/assets/canvas.h"

namespace assets {

constexpr Rgb GrassGreen{88, 150, 62};
constexpr Rgb FloorGrey{78, 74, 70};
constexpr Rgb Parchment{232, 216, 170};

void GrassGround(Canvas& canvas, Rng& rng, Rgb base);
void SandGround(Canvas& canvas, Rng& rng);
void DirtGround(Canvas& canvas, Rng& rng, Rgb base);
void WaterGround(Canvas& canvas, Rng& rng, Rgb base, Rgb crest, int waves);

// A broadleaf tree: the crown centred at (cx, cy), its shadow and trunk below.
void RoundTree(Canvas& canvas, int cx, int cy, int r, Rgb crown);
void FruitTree(Canvas& canvas, Rng& rng, int cx, int cy, int r, Rgb crown, Rgb fruit);
// A conifer whose tip is at (x, top), `height` rows tall.
void Pine(Canvas& canvas, int x, int top, int height, Rgb needles);

// A small house seen from the front and a little above: walls, a door, a roof of the colour.
void House(Canvas& canvas, int x, int y, int width, Rgb roof);
// A pennant on a pole whose foot is at (x, y).
void Flag(Canvas& canvas, int x, int y, Rgb colour);

// Dungeon stone: flagstones for floors, coursed blocks for walls.
void FlagstoneFloor(Canvas& canvas, Rng& rng, Rgb base);
void StoneWall(Canvas& canvas, Rng& rng, Rgb base);
// A soft round pool of light (or shade, with a negative strength) on what is already drawn.
void Glow(Canvas& canvas, int cx, int cy, int radius, Rgb tint, int strength256);

}  // namespace assets
