// The 64 x 64 surface textures of ".\bmp_cube": walls, grass, dirt, paving, and a weapon on a
// board. They cover the faces of boxes, so each one wraps round: what leaves one edge comes back
// in at the opposite edge, and faces set side by side join without a seam.
#include <vector>

#include "tools/assets/assets.h"
#include "tools/assets/figures.h"

namespace assets {

namespace {

constexpr int Side = 64;

int Wrap(int v) { return ((v % Side) + Side) % Side; }

void PlotWrap(Canvas& c, int x, int y, Rgb colour) { Plot(c, Wrap(x), Wrap(y), colour); }
Rgb PixelWrap(const Canvas& c, int x, int y) { return PixelAt(c, Wrap(x), Wrap(y)); }

void BlobWrap(Canvas& c, int cx, int cy, int r, Rgb colour) {
  for (int y = -r; y <= r; ++y)
    for (int x = -r; x <= r; ++x)
      if (x * x + y * y <= r * r + r / 2) PlotWrap(c, cx + x, cy + y, colour);
}

void ShadeWrap(Canvas& c, int x, int y, int delta) {
  PlotWrap(c, x, y, Shade(PixelWrap(c, x, y), delta));
}

int IntSqrt(int value) {
  int root = 0;
  while ((root + 1) * (root + 1) <= value) ++root;
  return root;
}

// Masonry: blocks of blockW x blockH, every other course shifted by `shift`, the mortar joint
// one pixel at the right and bottom of each block. Weathering is laid on afterwards.
void Masonry(Canvas& c, Rng& rng, int blockW, int blockH, int shift, Rgb mortar, const Rgb* tones,
             int toneCount, int noise) {
  const int columns = Side / blockW, courses = Side / blockH;
  std::vector<Rgb> blockColour(static_cast<size_t>(columns * courses));
  // One draw per statement: the order in which a call's arguments are evaluated is the
  // compiler's choice, and the pictures must not depend on it.
  for (Rgb& colour : blockColour) {
    Rgb tone = tones[rng.Below(toneCount)];
    colour = Shade(tone, rng.Range(-10, 10));
  }
  for (int y = 0; y < Side; ++y) {
    for (int x = 0; x < Side; ++x) {
      int course = y / blockH;
      int sx = Wrap(x + (course % 2) * shift);
      int inY = y % blockH, inX = sx % blockW;
      Rgb colour = blockColour[static_cast<size_t>(course * columns + sx / blockW)];
      if (inY == blockH - 1 || inX == blockW - 1)
        colour = mortar;
      else if (inY == 0)
        colour = Shade(colour, 14);  // the lit upper arris
      else if (inY == blockH - 2)
        colour = Shade(colour, -16);  // and the shaded lower one
      Plot(c, x, y, Shade(colour, rng.Range(-noise, noise)));
    }
  }
}

// Chips knocked out of block corners, showing mortar and shadow.
void Chips(Canvas& c, Rng& rng, int count, Rgb mortar) {
  for (int i = 0; i < count; ++i) {
    int x = rng.Below(Side), y = rng.Below(Side);
    int size = rng.Range(1, 2);
    for (int dy = 0; dy <= size; ++dy)
      for (int dx = 0; dx <= size - dy; ++dx) PlotWrap(c, x + dx, y + dy, Shade(mortar, -20));
    ShadeWrap(c, x + size + 1, y, -25);
  }
}

// Rain streaks darkening downwards from random points; moss in the joints near the foot.
void Weather(Canvas& c, Rng& rng, int streaks, int moss, Rgb mossColour) {
  for (int i = 0; i < streaks; ++i) {
    int x = rng.Below(Side), y = rng.Below(Side), length = rng.Range(6, 20);
    for (int k = 0; k < length; ++k) ShadeWrap(c, x, y + k, -(14 - (k * 10) / length));
  }
  for (int i = 0; i < moss; ++i) {
    int x = rng.Below(Side), y = rng.Range(Side / 2, Side - 1);
    Rgb colour = Shade(mossColour, rng.Range(-20, 20));
    PlotWrap(c, x, y, colour);
    if (rng.Chance(60)) PlotWrap(c, x + 1, y, Shade(colour, -15));
    if (rng.Chance(40)) PlotWrap(c, x, y - 1, Shade(colour, 15));
  }
}

void Cracks(Canvas& c, Rng& rng, int count, Rgb colour) {
  for (int i = 0; i < count; ++i) {
    int x = rng.Below(Side), y = rng.Below(Side);
    int steps = rng.Range(4, 10);
    for (int k = 0; k < steps; ++k) {
      PlotWrap(c, x, y, colour);
      x += rng.Range(-1, 1);
      y += 1;
    }
  }
}

void OldBrick(Canvas& c, Rng& rng) {
  const Rgb tones[] = {{150, 70, 50}, {136, 62, 46}, {162, 86, 58}, {118, 56, 44}, {170, 104, 72}};
  const Rgb mortar{176, 166, 148};
  Masonry(c, rng, 16, 8, 8, mortar, tones, 5, 9);
  Chips(c, rng, 26, mortar);
  Cracks(c, rng, 5, Rgb{70, 36, 30});
  Weather(c, rng, 18, 40, Rgb{86, 110, 52});
}

void OldStoneBlocks(Canvas& c, Rng& rng) {
  const Rgb tones[] = {{124, 120, 112}, {110, 108, 102}, {136, 130, 118}, {100, 100, 98}};
  const Rgb mortar{70, 66, 62};
  Masonry(c, rng, 32, 16, 16, mortar, tones, 4, 11);
  Chips(c, rng, 30, Rgb{86, 82, 78});
  Cracks(c, rng, 7, Rgb{60, 58, 56});
  Weather(c, rng, 24, 90, Rgb{80, 112, 56});
}

void CastleWall(Canvas& c, Rng& rng) {
  const Rgb tones[] = {{176, 172, 162}, {164, 160, 152}, {186, 180, 168}};
  Masonry(c, rng, 32, 16, 16, Rgb{120, 116, 110}, tones, 3, 6);
  Weather(c, rng, 10, 12, Rgb{100, 120, 70});
  // An arrow slit in its dressed frame.
  FillRect(c, 28, 18, 35, 45, Rgb{150, 146, 138});
  FillRect(c, 29, 19, 34, 44, Rgb{196, 192, 182});
  FillRect(c, 31, 21, 32, 42, Rgb{20, 16, 20});
  FillRect(c, 29, 30, 34, 31, Rgb{20, 16, 20});
  Line(c, 33, 21, 33, 42, Rgb{120, 116, 110});
}

void Grass(Canvas& c, Rng& rng) {
  const Rgb base{66, 124, 46};
  FillRect(c, 0, 0, Side - 1, Side - 1, base);
  Speckle(c, rng, 0, 0, Side - 1, Side - 1, 10);
  const Rgb blades[] = {{52, 104, 38}, {84, 150, 56}, {104, 170, 64}, {44, 92, 34}, {126, 186, 80}};
  for (int i = 0; i < 900; ++i) {
    int x = rng.Below(Side), y = rng.Below(Side), length = rng.Range(2, 4);
    int lean = rng.Range(-1, 1);
    Rgb colour = blades[rng.Below(5)];
    for (int k = 0; k < length; ++k)
      PlotWrap(c, x + (k == length - 1 ? lean : 0), y - k,
               k == length - 1 ? Shade(colour, 18) : colour);
  }
  for (int i = 0; i < 7; ++i) {
    int x = rng.Below(Side), y = rng.Below(Side);
    Rgb petal = (i % 2) ? Rgb{250, 240, 120} : Rgb{246, 246, 250};
    PlotWrap(c, x, y, petal);
    PlotWrap(c, x + 1, y, petal);
    PlotWrap(c, x, y + 1, petal);
    PlotWrap(c, x + 1, y + 1, Rgb{240, 180, 60});
  }
}

void Dirt(Canvas& c, Rng& rng) {
  const Rgb base{122, 88, 58};
  FillRect(c, 0, 0, Side - 1, Side - 1, base);
  Speckle(c, rng, 0, 0, Side - 1, Side - 1, 13);
  for (int i = 0; i < 40; ++i) {
    int x = rng.Below(Side), y = rng.Below(Side), r = rng.Range(1, 4);
    BlobWrap(c, x, y, r, Shade(base, rng.Range(-24, 12)));
  }
  Speckle(c, rng, 0, 0, Side - 1, Side - 1, 6);
  // Pebbles, lit from the upper left with a shadow under them.
  for (int i = 0; i < 26; ++i) {
    int x = rng.Below(Side), y = rng.Below(Side), r = rng.Range(2, 3);
    Rgb stone = Shade(Rgb{150, 136, 118}, rng.Range(-30, 20));
    BlobWrap(c, x + 1, y + 1, r, Shade(base, -40));
    BlobWrap(c, x, y, r, stone);
    PlotWrap(c, x - r / 2, y - r / 2, Shade(stone, 40));
  }
}

// Cobbles: each pixel belongs to the nearest of a few scattered centres (distances measured
// round the wrap); where two stones nearly tie lies the joint.
void Cobbles(Canvas& c, Rng& rng) {
  const int count = 26;
  int px[count], py[count];
  Rgb tone[count];
  for (int i = 0; i < count; ++i) {
    px[i] = rng.Below(Side);
    py[i] = rng.Below(Side);
    tone[i] = Shade(Rgb{128, 120, 108}, rng.Range(-22, 22));
  }
  for (int y = 0; y < Side; ++y) {
    for (int x = 0; x < Side; ++x) {
      int best = 1 << 30, second = 1 << 30, owner = 0, ox = 0, oy = 0;
      for (int i = 0; i < count; ++i) {
        int dx = x - px[i], dy = y - py[i];
        if (dx > Side / 2) dx -= Side;
        if (dx < -Side / 2) dx += Side;
        if (dy > Side / 2) dy -= Side;
        if (dy < -Side / 2) dy += Side;
        int d = dx * dx + dy * dy;
        if (d < best) {
          second = best;
          best = d;
          owner = i;
          ox = dx;
          oy = dy;
        } else if (d < second) {
          second = d;
        }
      }
      int gap = IntSqrt(second) - IntSqrt(best);
      Rgb colour;
      if (gap < 2) {
        colour = Rgb{54, 46, 40};
      } else {
        // Domed stones: lighter towards the upper left of their centre, darker at the rim.
        colour = Shade(tone[owner], -(ox + oy) * 2 - (gap < 3 ? 24 : 0));
      }
      Plot(c, x, y, Shade(colour, rng.Range(-6, 6)));
    }
  }
}

void WhaleBladeBoard(Canvas& c, Rng& rng) {
  // Planks of dark wood with their grain.
  for (int y = 0; y < Side; ++y) {
    for (int x = 0; x < Side; ++x) {
      int plank = x / 16;
      Rgb wood = Shade(Rgb{92, 60, 36}, (plank * 13) % 20 - 10);
      if (x % 16 == 15)
        wood = Rgb{46, 30, 20};
      else if (((y + plank * 7) / 3 + x % 5) % 9 == 0)
        wood = Shade(wood, -14);
      Plot(c, x, y, Shade(wood, rng.Range(-5, 5)));
    }
  }
  // The blade itself, as it looks in the hand, at twice the size.
  Canvas icon = MakeCanvas(32, 32, KeyColour);
  DrawWhaleBladeIcon(icon);
  for (int y = 0; y < Side; ++y)
    for (int x = 0; x < Side; ++x) {
      Rgb p = PixelAt(icon, x / 2, y / 2);
      if (p != KeyColour) Plot(c, x, y, p);
    }
}

}  // namespace

void AddCubePictures(std::vector<Picture>& out) {
  auto add = [&out](const char* name, Painter paint) {
    out.push_back(Picture{"bmp_cube", name, Side, Side, Rgb{128, 128, 128}, paint});
  };
  add("structure_castle", CastleWall);
  // "brickold2" in the list and "BRICKOLD2" at start-up name one file; names resolve without
  // regard to case, so it is written once, spelt as the start-up load spells it, the texture
  // of every box of the demonstration scene.
  add("BRICKOLD2", OldBrick);
  add("grass3", Grass);
  add("dirt1", Dirt);
  add("brickold3", OldStoneBlocks);
  add("item_whale_blade", WhaleBladeBoard);
  add("DSC3", Cobbles);
}

}  // namespace assets
