#include "tools/assets/tiles.h"

namespace assets {

void GrassGround(Canvas& canvas, Rng& rng, Rgb base) {
  FillRect(canvas, 0, 0, canvas.width - 1, canvas.height - 1, base);
  Speckle(canvas, rng, 0, 0, canvas.width - 1, canvas.height - 1, 9);
  // Tufts: a darker blade with a lit tip.
  int tufts = canvas.width * canvas.height / 20;
  for (int i = 0; i < tufts; ++i) {
    int x = rng.Below(canvas.width), y = rng.Below(canvas.height);
    Plot(canvas, x, y, Shade(base, -26));
    Plot(canvas, x, y - 1, Shade(base, 22));
  }
}

void SandGround(Canvas& canvas, Rng& rng) {
  const Rgb sand{224, 198, 132};
  FillRect(canvas, 0, 0, canvas.width - 1, canvas.height - 1, sand);
  Speckle(canvas, rng, 0, 0, canvas.width - 1, canvas.height - 1, 7);
}

void DirtGround(Canvas& canvas, Rng& rng, Rgb base) {
  FillRect(canvas, 0, 0, canvas.width - 1, canvas.height - 1, base);
  Speckle(canvas, rng, 0, 0, canvas.width - 1, canvas.height - 1, 12);
}

void WaterGround(Canvas& canvas, Rng& rng, Rgb base, Rgb crest, int waves) {
  FillRect(canvas, 0, 0, canvas.width - 1, canvas.height - 1, base);
  Speckle(canvas, rng, 0, 0, canvas.width - 1, canvas.height - 1, 5);
  // Wave crests on a staggered grid, so neighbouring tiles continue the pattern.
  const int spots[][2] = {{1, 2}, {9, 4}, {4, 9}, {12, 11}, {6, 14}, {13, 1}};
  for (int i = 0; i < waves && i < 6; ++i) {
    int x = spots[i][0], y = spots[i][1];
    Plot(canvas, x, y, crest);
    Plot(canvas, x + 1, y - 1, Shade(crest, 20));
    Plot(canvas, x + 2, y - 1, Shade(crest, 20));
    Plot(canvas, x + 3, y, crest);
  }
}

void RoundTree(Canvas& canvas, int cx, int cy, int r, Rgb crown) {
  // Shadow on the ground to the lower right, the trunk, then the crown lit from the upper left.
  ScaleEllipse2(canvas, 2 * cx + 3, 2 * cy + 2 * r + 1, 2 * r, r, 72);
  FillRect(canvas, cx, cy + r - 1, cx, cy + r + 1, Rgb{100, 66, 36});
  FillCircle(canvas, cx, cy, r, Shade(crown, -30));
  FillCircle(canvas, cx - 1, cy - 1, r - 1, crown);
  Plot(canvas, cx - r / 2 - 1, cy - r / 2 - 1, Shade(crown, 45));
  if (r >= 3) Plot(canvas, cx - r / 2, cy - r / 2 - 1, Shade(crown, 30));
}

void FruitTree(Canvas& canvas, Rng& rng, int cx, int cy, int r, Rgb crown, Rgb fruit) {
  RoundTree(canvas, cx, cy, r, crown);
  for (int i = 0; i < r + 1; ++i) {
    int x = cx + rng.Range(-r + 1, r - 1), y = cy + rng.Range(-r + 1, r - 1);
    Plot(canvas, x, y, fruit);
  }
}

void Pine(Canvas& canvas, int x, int top, int height, Rgb needles) {
  int bottom = top + height - 1;
  FillRect(canvas, x, bottom, x, bottom + 1, Rgb{96, 62, 34});
  for (int row = 0; row < height - 1; ++row) {
    int y = top + row;
    // Two tiers: the half-width grows, drops back, and grows again.
    int tier = row < height / 2 ? row : row - height / 4;
    int half = (tier + 1) / 2;
    for (int dx = -half; dx <= half; ++dx)
      Plot(canvas, x + dx, y,
           dx < 0 ? Shade(needles, 18) : (dx > 0 ? Shade(needles, -22) : needles));
  }
  ScaleEllipse2(canvas, 2 * x + 4, 2 * bottom + 2, 4, 2, 72);
}

void House(Canvas& canvas, int x, int y, int width, Rgb roof) {
  const Rgb wall{226, 210, 170}, door{96, 60, 34};
  // Roof: two rows, the upper one a pixel narrower on each side.
  FillRect(canvas, x + 1, y, x + width - 2, y, Shade(roof, 25));
  FillRect(canvas, x, y + 1, x + width - 1, y + 1, roof);
  FillRect(canvas, x, y + 2, x + width - 1, y + 2, Shade(roof, -35));
  FillRect(canvas, x, y + 3, x + width - 1, y + 4, wall);
  Plot(canvas, x + width - 1, y + 3, Shade(wall, -40));
  Plot(canvas, x + width - 1, y + 4, Shade(wall, -40));
  Plot(canvas, x + 1, y + 4, door);
  Plot(canvas, x + 1, y + 3, door);
  if (width >= 5) Plot(canvas, x + 3, y + 3, Rgb{250, 220, 110});  // a lit window
  // The house's shadow on the ground.
  for (int i = 0; i < width; ++i)
    if (Inside(canvas, x + i + 1, y + 5))
      Plot(canvas, x + i + 1, y + 5, Scale(PixelAt(canvas, x + i + 1, y + 5), 70));
}

void Flag(Canvas& canvas, int x, int y, Rgb colour) {
  Line(canvas, x, y, x, y - 5, Rgb{90, 70, 50});
  FillRect(canvas, x + 1, y - 5, x + 3, y - 4, colour);
  Plot(canvas, x + 1, y - 3, Shade(colour, -30));
}

void FlagstoneFloor(Canvas& canvas, Rng& rng, Rgb base) {
  // Stones of 8 x 8 in two courses per 16 rows; the lower course is offset by half a stone.
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      int course = y / 8;
      int sx = (x + (course % 2) * 4) % canvas.width;
      int stone = course * 16 + sx / 8;
      Rgb colour = Shade(base, ((stone * 37) % 13) - 6);
      bool joint = (y % 8 == 7) || (sx % 8 == 7);
      if (joint)
        colour = Shade(base, -28);
      else if (y % 8 == 0 || sx % 8 == 0)
        colour = Shade(colour, 10);
      Plot(canvas, x, y, Shade(colour, rng.Range(-5, 5)));
    }
  }
}

void StoneWall(Canvas& canvas, Rng& rng, Rgb base) {
  // Coursed blocks 8 wide and 4 high, every other course shifted by half a block.
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      int course = y / 4;
      int sx = (x + (course % 2) * 4) % canvas.width;
      int block = course * 16 + sx / 8;
      Rgb colour = Shade(base, ((block * 29) % 17) - 8);
      if (y % 4 == 3 || sx % 8 == 7)
        colour = Shade(base, -50);
      else if (y % 4 == 0)
        colour = Shade(colour, 22);
      Plot(canvas, x, y, Shade(colour, rng.Range(-6, 6)));
    }
  }
}

void Glow(Canvas& canvas, int cx, int cy, int radius, Rgb tint, int strength256) {
  for (int y = cy - radius; y <= cy + radius; ++y) {
    for (int x = cx - radius; x <= cx + radius; ++x) {
      int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      if (d2 > radius * radius || !Inside(canvas, x, y)) continue;
      int amount = strength256 * (radius * radius - d2) / (radius * radius);
      Rgb here = PixelAt(canvas, x, y);
      if (amount >= 0)
        Plot(canvas, x, y, Mix(here, tint, amount));
      else
        Plot(canvas, x, y, Mix(here, Rgb{10, 8, 12}, -amount));
    }
  }
}

}  // namespace assets
