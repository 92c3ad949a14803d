// The item pictures of ".\bmp_item": 32 x 32 icons on the key colour (weapons, potions, robes,
// armours, bags) and the inventory frame pieces.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "tools/assets/assets.h"
#include "tools/assets/figures.h"

namespace assets {

namespace {

constexpr Rgb Steel{196, 202, 214};
constexpr Rgb Iron{140, 144, 156};
constexpr Rgb Gold{232, 190, 60};
constexpr Rgb Leather{120, 76, 40};
constexpr Rgb Wood{130, 88, 48};

// Finishing: an optional coloured halo for enchanted things, then the dark outline.
void FinishItem(Canvas& c, bool glow, Rgb glowColour) {
  if (glow) Outline(c, glowColour);
  Outline(c, SpriteOutline);
}

// ---- Swords: handle at the lower left, point at the upper right ------------------------------

enum class Tip { Point, Square };

struct Sword {
  int length = 16;  // guard to point, in diagonal steps
  int width = 2;    // 1 .. 5 parallel diagonals
  int curve = 0;    // sideways bend of the point, in pixels
  int grip = 4;
  int guard = 3;
  Tip tip = Tip::Point;
  Rgb metal = Steel;
  Rgb guardColour = Gold;
  Rgb gripColour = Leather;
  Rgb pommel = Gold;
  bool fuller = false;  // the groove down the middle of wide blades
  bool glow = false;
  Rgb glowColour{120, 220, 255};
  bool basket = false;  // a shell guard over the hand
};

// The blade from (gx, gy) outwards along (dx, dy) = (1, -1) or (-1, 1).
void DrawBlade(Canvas& c, const Sword& s, int gx, int gy, int dir) {
  int px = gx, py = gy;
  for (int i = 1; i <= s.length; ++i) {
    int bend = s.curve * i * i / (s.length * s.length);
    int x = gx + dir * i + bend, y = gy - dir * i + bend;
    // Where the curve turns the blade towards the horizontal, its width is laid out upright
    // instead of sideways, or the blade would thin to a line.
    bool flat = std::abs(x - px) > std::abs(y - py);
    int width = s.width;
    if (s.tip == Tip::Point && s.length - i + 1 < width) width = s.length - i + 1;
    int lo = -(width - 1) / 2, hi = width / 2;
    // Walk from the previous centre so a bend leaves no gap.
    int steps = std::max(std::abs(x - px), std::abs(y - py));
    for (int k = 1; k <= steps; ++k) {
      int cx = px + (x - px) * k / steps, cy = py + (y - py) * k / steps;
      for (int j = lo; j <= hi; ++j) {
        // The upper-left side catches the light, the lower-right falls into shadow.
        Rgb colour = j < 0 ? Shade(s.metal, 34) : (j > 0 ? Shade(s.metal, -34) : s.metal);
        if (j == hi && width > 1) colour = Shade(s.metal, -52);
        if (s.fuller && j == 0 && width >= 3 && i < s.length - 2) colour = Shade(s.metal, -20);
        Plot(c, flat ? cx : cx + j, flat ? cy + j : cy, colour);
      }
    }
    px = x;
    py = y;
  }
}

void DrawSword(Canvas& c, const Sword& s) {
  // Centre the whole weapon on the diagonal from (3, 28) to (28, 3).
  int total = s.grip + 1 + s.length;
  int start = 3 + (25 - total) / 2;
  int gx = start + s.grip + 1, gy = 31 - gx;
  for (int k = 1; k <= s.grip; ++k) {
    Rgb wrap = (k % 2) ? s.gripColour : Shade(s.gripColour, -30);
    Plot(c, gx - k, gy + k, wrap);
    Plot(c, gx - k + 1, gy + k, Shade(wrap, -20));
  }
  FillCircle(c, gx - s.grip - 1, gy + s.grip + 1, 1, s.pommel);
  Plot(c, gx - s.grip - 2, gy + s.grip, Shade(s.pommel, 50));
  DrawBlade(c, s, gx, gy, 1);
  if (s.basket) {
    // The knuckle bow: an arc from the guard round the grip.
    for (int k = 1; k <= s.grip; ++k) Plot(c, gx - k + 2, gy + k + 1, s.guardColour);
    Plot(c, gx - 1, gy + 1, Shade(s.guardColour, 40));
  }
  for (int t = -s.guard; t <= s.guard; ++t) {
    Plot(c, gx + t, gy + t, s.guardColour);
    Plot(c, gx + t + 1, gy + t, Shade(s.guardColour, -40));
  }
  Plot(c, gx - s.guard, gy - s.guard, Shade(s.guardColour, 50));
  FinishItem(c, s.glow, s.glowColour);
}

void TwoBladedSword(Canvas& c, bool glow) {
  Sword s;
  s.length = 9;
  s.width = 3;
  s.guard = 2;
  s.glow = glow;
  s.glowColour = {250, 210, 90};
  // The grip in the middle, a blade out of each end.
  int gx = 13, gy = 18, grip = 4;
  for (int k = 0; k <= grip; ++k) {
    Rgb wrap = (k % 2) ? Leather : Shade(Leather, -30);
    Plot(c, gx + k, gy - k, wrap);
    Plot(c, gx + k + 1, gy - k, Shade(wrap, -20));
  }
  DrawBlade(c, s, gx + grip, gy - grip, 1);
  DrawBlade(c, s, gx, gy, -1);
  for (int end = 0; end < 2; ++end) {
    int x = end ? gx + grip : gx, y = end ? gy - grip : gy;
    for (int t = -s.guard; t <= s.guard; ++t) {
      Plot(c, x + t, y + t, Gold);
      Plot(c, x + t + 1, y + t, Shade(Gold, -40));
    }
  }
  if (glow) {
    Plot(c, 16, 15, Rgb{230, 40, 60});
    Plot(c, 17, 14, Rgb{255, 120, 140});
  }
  FinishItem(c, glow, s.glowColour);
}

void Glaive(Canvas& c, Rng&) {
  // A long haft with a single-edged blade at its head.
  for (int k = 0; k < 20; ++k) {
    Plot(c, 3 + k, 28 - k, Wood);
    Plot(c, 4 + k, 28 - k, Shade(Wood, -30));
  }
  Sword s;
  s.length = 8;
  s.width = 4;
  s.curve = 3;
  DrawBlade(c, s, 22, 9, 1);
  Plot(c, 22, 9, Iron);
  Plot(c, 23, 9, Iron);
  Plot(c, 21, 10, Iron);
  FillCircle(c, 3, 28, 1, Iron);
  FinishItem(c, false, Rgb{});
}

// ---- Axes, maces and staves: upright, the head at the top ------------------------------------

void Haft(Canvas& c, int top, int bottom, Rgb colour) {
  FillRect(c, 15, top, 16, bottom, colour);
  Line(c, 15, top, 15, bottom, Shade(colour, 30));
  Line(c, 16, top, 16, bottom, Shade(colour, -30));
  for (int y = bottom - 5; y <= bottom; y += 2) FillRect(c, 15, y, 16, y, Shade(Leather, -10));
}

// One bit of an axe: a flared blade on side -1 (left) or +1 (right) of the haft.
void AxeBit(Canvas& c, int side, int cy, int reach, int half, Rgb metal) {
  int root = side < 0 ? 14 : 17;
  int edge = root + side * reach;
  FillTriangle(c, root, cy - 2, edge, cy - half, edge, cy + half, metal);
  FillTriangle(c, root, cy - 2, root, cy + 2, edge, cy + half, metal);
  // The sharpened rim catches the light.
  for (int y = cy - half; y <= cy + half; ++y) {
    Plot(c, edge, y, Shade(metal, 50));
    Plot(c, edge - side, y, Shade(metal, 20));
  }
  Plot(c, edge + side, cy, Shade(metal, 40));
  Line(c, root, cy + 2, edge, cy + half, Shade(metal, -40));
}

struct Axe {
  int haftTop = 4;
  int reach = 8;
  int half = 6;
  bool doubleBit = false;
  Rgb metal = Steel;
  Rgb haft = Wood;
  bool goldTrim = false;
  bool ruby = false;
};

void DrawAxe(Canvas& c, const Axe& a) {
  Haft(c, a.haftTop, 29, a.haft);
  int cy = a.haftTop + a.half + 1;
  AxeBit(c, -1, cy, a.reach, a.half, a.metal);
  if (a.doubleBit) AxeBit(c, 1, cy, a.reach, a.half, a.metal);
  FillRect(c, 14, cy - 3, 17, cy + 3, Shade(a.metal, -20));  // the socket on the haft
  if (a.goldTrim) {
    Line(c, 14, cy - 3, 17, cy - 3, Gold);
    Line(c, 14, cy + 3, 17, cy + 3, Gold);
    Plot(c, 16 - a.reach / 2, cy, Gold);
    if (a.doubleBit) Plot(c, 15 + a.reach / 2, cy, Gold);
  }
  if (a.ruby) {
    FillRect(c, 15, cy - 1, 16, cy + 1, Rgb{210, 30, 50});
    Plot(c, 15, cy - 1, Rgb{255, 140, 160});
  }
  FillRect(c, 15, a.haftTop - 1, 16, a.haftTop - 1, Shade(a.metal, -30));
  FinishItem(c, a.ruby, Rgb{240, 80, 90});
}

enum class BludgeonHead { Maul, Morningstar, Mace, WarMace };

void DrawBludgeon(Canvas& c, BludgeonHead head) {
  Rgb metal = head == BludgeonHead::WarMace ? Iron : Steel;
  Haft(c, 10, 29, head == BludgeonHead::WarMace ? Iron : Wood);
  FillCircle(c, 15, 30, 1, metal);
  switch (head) {
    case BludgeonHead::Maul:
      FillRect(c, 7, 4, 24, 12, Iron);
      FillRect(c, 7, 4, 24, 5, Shade(Iron, 40));
      FillRect(c, 7, 11, 24, 12, Shade(Iron, -40));
      Line(c, 7, 4, 7, 12, Shade(Iron, 30));
      Line(c, 24, 4, 24, 12, Shade(Iron, -50));
      FillRect(c, 14, 4, 17, 12, Shade(Iron, -15));
      break;
    case BludgeonHead::Morningstar:
      for (int k = 0; k < 8; ++k) {
        const int d[][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
        int reach = (k % 2) ? 6 : 8;
        Line(c, 16 + d[k][0] * 5, 9 + d[k][1] * 5, 16 + d[k][0] * reach, 9 + d[k][1] * reach,
             Steel);
      }
      FillCircle(c, 16, 9, 5, Iron);
      FillCircle(c, 15, 8, 3, Shade(Iron, 20));
      Plot(c, 14, 7, Shade(Iron, 70));
      break;
    case BludgeonHead::Mace:
    case BludgeonHead::WarMace: {
      int r = head == BludgeonHead::Mace ? 4 : 6;
      FillEllipse2(c, 32, 20, 2 * r, 2 * r + 2, metal);
      for (int x = 16 - r; x <= 15 + r; x += 2)
        Line(c, x, 10 - r, x, 9 + r, Shade(metal, (x < 16) ? 30 : -40));
      if (head == BludgeonHead::WarMace) {
        FillTriangle(c, 15, 1, 14, 4, 17, 4, Steel);
        Plot(c, 15, 10, Gold);
        Plot(c, 16, 10, Gold);
      }
      break;
    }
  }
  FinishItem(c, false, Rgb{});
}

void Staff(Canvas& c, Rng&) {
  for (int k = 0; k < 24; ++k) {
    Rgb wood = (k % 7 == 3) ? Shade(Wood, -30) : Wood;  // knots
    Plot(c, 4 + k, 29 - k, wood);
    Plot(c, 5 + k, 29 - k, Shade(wood, -26));
  }
  // The crook and its gem.
  Line(c, 27, 6, 28, 3, Wood);
  Line(c, 28, 3, 26, 1, Wood);
  Line(c, 25, 1, 24, 3, Wood);
  FillCircle(c, 25, 4, 1, Rgb{60, 200, 90});
  Plot(c, 25, 3, Rgb{190, 255, 200});
  FinishItem(c, false, Rgb{});
}

void Rod(Canvas& c, Rng&) {
  for (int k = 0; k < 16; ++k) {
    Plot(c, 8 + k, 26 - k, Steel);
    Plot(c, 9 + k, 26 - k, Shade(Steel, -50));
  }
  for (int k = 2; k < 16; k += 5) {
    Plot(c, 8 + k, 26 - k, Gold);
    Plot(c, 9 + k, 26 - k, Shade(Gold, -40));
  }
  FillCircle(c, 25, 8, 3, Rgb{60, 90, 220});
  FillCircle(c, 24, 7, 1, Rgb{140, 170, 255});
  Plot(c, 23, 6, Rgb{240, 246, 255});
  FinishItem(c, true, Rgb{150, 180, 255});
}

void Wand(Canvas& c, Rng&) {
  for (int k = 0; k < 13; ++k) Plot(c, 9 + k, 24 - k, Rgb{70, 44, 30});
  Plot(c, 9, 24, Gold);
  // A star at the tip.
  Rgb spark{255, 250, 200};
  Plot(c, 22, 11, spark);
  Line(c, 22, 7, 22, 10, spark);
  Line(c, 23, 11, 26, 11, spark);
  Line(c, 22, 12, 22, 14, Rgb{255, 230, 120});
  Line(c, 19, 11, 21, 11, Rgb{255, 230, 120});
  Plot(c, 24, 9, Rgb{255, 230, 120});
  Plot(c, 20, 13, Rgb{255, 230, 120});
  FinishItem(c, true, Rgb{255, 220, 120});
}

// ---- Potions, bags, clothes ------------------------------------------------------------------

void Potion(Canvas& c, Rgb liquid) {
  const Rgb glass{196, 220, 236}, cork{150, 104, 60};
  FillCircle(c, 16, 21, 8, Mix(glass, liquid, 40));
  // The liquid fills the flask up to a level a little above the middle.
  for (int y = 18; y <= 29; ++y)
    for (int x = 8; x <= 24; ++x)
      if (PixelAt(c, x, y) != KeyColour) Plot(c, x, y, y == 18 ? Shade(liquid, 50) : liquid);
  for (int y = 22; y <= 29; ++y)
    for (int x = 8; x <= 24; ++x)
      if (PixelAt(c, x, y) != KeyColour && (x - 16) * (x - 16) + (y - 21) * (y - 21) > 30)
        Plot(c, x, y, Shade(liquid, -45));
  FillRect(c, 13, 8, 18, 13, Mix(glass, liquid, 40));
  FillRect(c, 12, 7, 19, 7, glass);
  FillRect(c, 13, 3, 18, 6, cork);
  Line(c, 13, 3, 18, 3, Shade(cork, 40));
  // Highlights on the glass, bubbles in the liquid.
  Line(c, 10, 18, 11, 15, Rgb{250, 252, 255});
  Plot(c, 12, 14, Rgb{250, 252, 255});
  Line(c, 14, 9, 14, 12, Rgb{240, 248, 255});
  Plot(c, 19, 22, Shade(liquid, 90));
  Plot(c, 17, 25, Shade(liquid, 70));
  Plot(c, 20, 26, Shade(liquid, 70));
  RimShade(c, 0);
  FinishItem(c, false, Rgb{});
}

void Bag(Canvas& c, Rgb cloth) {
  FillEllipse2(c, 32, 44, 22, 18, cloth);        // the body
  FillRect(c, 13, 8, 18, 13, cloth);             // the neck
  FillTriangle(c, 10, 5, 16, 9, 12, 10, cloth);  // the frilled top
  FillTriangle(c, 21, 5, 15, 9, 19, 10, cloth);
  FillRect(c, 13, 6, 18, 9, Shade(cloth, 20));
  FillRect(c, 12, 11, 19, 12, Rgb{200, 170, 90});  // the cord
  Plot(c, 19, 13, Rgb{200, 170, 90});
  Plot(c, 20, 14, Rgb{200, 170, 90});
  // Folds and a patch.
  Line(c, 12, 16, 10, 24, Shade(cloth, -30));
  Line(c, 20, 16, 22, 25, Shade(cloth, -30));
  FillRect(c, 17, 22, 20, 25, Shade(cloth, 30));
  RectOutline(c, 17, 22, 20, 25, Shade(cloth, -40));
  RimShade(c, 26);
  FinishItem(c, false, Rgb{});
}

void Robe(Canvas& c, Rgb cloth, Rgb trim) {
  // Sleeves, body widening to the hem, the hood lying on the shoulders.
  FillTriangle(c, 9, 9, 2, 21, 7, 22, Shade(cloth, -20));
  FillTriangle(c, 22, 9, 29, 21, 24, 22, Shade(cloth, -20));
  FillTriangle(c, 16, 6, 6, 29, 25, 29, cloth);
  FillRect(c, 9, 8, 22, 14, cloth);
  FillEllipse2(c, 32, 14, 14, 8, Shade(cloth, 20));  // hood
  FillEllipse2(c, 32, 16, 6, 5, Shade(cloth, -60));  // the opening of the hood
  FillRect(c, 8, 17, 23, 18, trim);                  // sash
  Line(c, 16, 19, 15, 24, trim);
  Line(c, 17, 19, 18, 23, trim);
  for (int x : {11, 20}) Line(c, x, 21, x - (x < 16 ? 2 : -2), 28, Shade(cloth, -30));
  Line(c, 6, 29, 25, 29, trim);
  RimShade(c, 22);
  FinishItem(c, false, Rgb{});
}

enum class Armour { Leather, Studded, Chain, Scale, Plate, FullPlate, Magic };

void DrawArmour(Canvas& c, Armour kind) {
  Rgb base;
  switch (kind) {
    case Armour::Leather:
    case Armour::Studded:
      base = {140, 90, 50};
      break;
    case Armour::Chain:
      base = {150, 156, 168};
      break;
    case Armour::Scale:
      base = {176, 136, 70};
      break;
    case Armour::Plate:
    case Armour::FullPlate:
      base = {186, 192, 206};
      break;
    case Armour::Magic:
      base = {90, 60, 160};
      break;
  }
  // The cuirass: chest, waist, a skirt of straps, and the opening for the neck.
  FillEllipse2(c, 32, 22, 24, 16, base);
  FillRect(c, 9, 14, 22, 26, base);
  FillRect(c, 8, 24, 23, 28, Shade(base, -20));
  FillEllipse2(c, 32, 10, 8, 7, KeyColour);
  // Shoulders.
  int pauldron = kind == Armour::FullPlate ? 6 : 4;
  FillCircle(c, 8, 11, pauldron, Shade(base, 12));
  FillCircle(c, 23, 11, pauldron, Shade(base, 12));
  // Surface pattern.
  for (int y = 4; y < 30; ++y) {
    for (int x = 0; x < 32; ++x) {
      Rgb here = PixelAt(c, x, y);
      if (here == KeyColour) continue;
      switch (kind) {
        case Armour::Chain:
          if ((x + (y % 2)) % 2 == 0) Plot(c, x, y, Shade(here, 34));
          break;
        case Armour::Scale: {
          int row = y / 3, col = (x + (row % 2) * 2) % 4;
          if (y % 3 == 2 || col == 3)
            Plot(c, x, y, Shade(here, -40));
          else if (y % 3 == 0)
            Plot(c, x, y, Shade(here, 30));
          break;
        }
        case Armour::Studded:
          if (x % 4 == 1 && y % 4 == 1 && y > 12) Plot(c, x, y, Rgb{220, 220, 226});
          break;
        default:
          break;
      }
    }
  }
  // Strap lines of the skirt, the belt.
  for (int x = 10; x <= 22; x += 3) Line(c, x, 25, x, 28, Shade(base, -50));
  Line(c, 9, 23, 22, 23, kind == Armour::Magic ? Rgb{120, 230, 255} : Rgb{90, 60, 30});
  Plot(c, 15, 23, Gold);
  Plot(c, 16, 23, Gold);
  if (kind == Armour::Plate || kind == Armour::FullPlate) {
    // A ridge down the breastplate and a broad sheen.
    Line(c, 15, 15, 15, 22, Shade(base, 50));
    Line(c, 16, 15, 16, 22, Shade(base, -40));
    Line(c, 11, 15, 12, 20, Rgb{240, 244, 250});
    Line(c, 9, 19, 22, 19, Shade(base, -36));
  }
  if (kind == Armour::FullPlate) {
    // Gilded edges: the neck, the lower rims of the shoulders, a gorget.
    for (int x = 11; x <= 20; ++x)
      for (int y = 5; y <= 14; ++y)
        if (PixelAt(c, x, y) != KeyColour && PixelAt(c, x, y - 1) == KeyColour) Plot(c, x, y, Gold);
    Line(c, 3, 15, 12, 15, Gold);
    Line(c, 19, 15, 28, 15, Gold);
    Line(c, 4, 9, 9, 6, Shade(base, 50));
    Line(c, 22, 6, 27, 9, Shade(base, -50));
  }
  if (kind == Armour::Leather || kind == Armour::Studded) {
    for (int y = 14; y <= 21; y += 2) {
      Plot(c, 10, y, Shade(base, 40));  // stitching down the sides
      Plot(c, 21, y, Shade(base, 40));
    }
  }
  if (kind == Armour::Magic) {
    Rgb rune{120, 230, 255};
    Line(c, 14, 14, 17, 14, rune);
    Line(c, 15, 14, 15, 20, rune);
    Line(c, 13, 17, 18, 17, rune);
    Plot(c, 8, 11, rune);
    Plot(c, 23, 11, rune);
  }
  RimShade(c, 24);
  FinishItem(c, kind == Armour::Magic, Rgb{150, 120, 255});
}

// ---- The inventory frame ---------------------------------------------------------------------

void Socket(Canvas& c, Rng& rng) {
  const Rgb inner{54, 50, 52}, light{130, 124, 118}, dark{30, 28, 30};
  FillRect(c, 0, 0, 31, 31, inner);
  Speckle(c, rng, 0, 0, 31, 31, 4);
  for (int i = 0; i < 2; ++i) {
    Line(c, i, i, 31 - i, i, light);
    Line(c, i, i, i, 31 - i, light);
    Line(c, 31 - i, i + 1, 31 - i, 31 - i, dark);
    Line(c, i + 1, 31 - i, 31 - i, 31 - i, dark);
  }
  // A recess: the inner edge is the other way round.
  Line(c, 3, 3, 28, 3, dark);
  Line(c, 3, 3, 3, 28, dark);
  Line(c, 28, 4, 28, 28, Shade(light, -30));
  Line(c, 4, 28, 28, 28, Shade(light, -30));
}

// The empty item: the dark floor of an inventory socket, so an empty place draws the same
// whether it is blitted with or without the key.
void Blank(Canvas& c, Rng& rng) {
  FillRect(c, 0, 0, 31, 31, Rgb{54, 50, 52});
  Speckle(c, rng, 0, 0, 31, 31, 3);
}

// A corner bracket of the frame; corner 1 at the top left, then clockwise.
void Corner(Canvas& c, int corner) {
  const Rgb metal{200, 170, 90};
  FillRect(c, 0, 0, 31, 5, metal);
  FillRect(c, 0, 0, 5, 31, metal);
  Line(c, 0, 0, 31, 0, Shade(metal, 50));
  Line(c, 0, 0, 0, 31, Shade(metal, 50));
  Line(c, 6, 5, 31, 5, Shade(metal, -60));
  Line(c, 5, 6, 5, 31, Shade(metal, -60));
  // A scroll ornament in the angle and two rivets.
  FillEllipse2(c, 18, 18, 9, 9, metal);
  FillEllipse2(c, 18, 18, 4, 4, Shade(metal, -50));
  Plot(c, 7, 7, Shade(metal, 60));
  FillCircle(c, 24, 2, 1, Shade(metal, -40));
  FillCircle(c, 2, 24, 1, Shade(metal, -40));
  Plot(c, 23, 1, Shade(metal, 70));
  Plot(c, 1, 23, Shade(metal, 70));
  // Taper the arms so the bracket ends light.
  for (int k = 0; k < 4; ++k) {
    Plot(c, 31 - k, 5 - k, KeyColour);
    Plot(c, 5 - k, 31 - k, KeyColour);
  }
  Outline(c, SpriteOutline);
  if (corner == 2 || corner == 3) MirrorX(c);
  if (corner == 3 || corner == 4) {
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 32; ++x)
        std::swap(c.pixels[static_cast<size_t>(y) * 32 + x],
                  c.pixels[static_cast<size_t>(31 - y) * 32 + x]);
  }
}

Sword MakeSword(int length, int width, int grip, int guard) {
  Sword s;
  s.length = length;
  s.width = width;
  s.grip = grip;
  s.guard = guard;
  return s;
}

}  // namespace

void DrawWhaleBladeIcon(Canvas& canvas) {
  Sword s = MakeSword(16, 5, 5, 3);
  s.curve = 3;
  s.metal = {220, 226, 230};
  s.guardColour = {80, 90, 110};
  DrawSword(canvas, s);
}

void AddItemPictures(std::vector<Picture>& out) {
  auto add = [&out](const char* name, Painter paint) {
    out.push_back(Picture{"bmp_item", name, 32, 32, KeyColour, paint});
  };
  add("blank", Blank);
  add("item_knife", [](Canvas& c, Rng&) {
    Sword s = MakeSword(8, 2, 4, 0);
    s.gripColour = Wood;
    s.pommel = Wood;
    DrawSword(c, s);
  });
  add("item_dagger", [](Canvas& c, Rng&) { DrawSword(c, MakeSword(10, 2, 3, 2)); });
  add("item_short_sword", [](Canvas& c, Rng&) { DrawSword(c, MakeSword(13, 3, 3, 3)); });
  add("item_gauche", [](Canvas& c, Rng&) {
    Sword s = MakeSword(12, 2, 3, 4);
    s.basket = true;
    DrawSword(c, s);
  });
  add("item_long_sword", [](Canvas& c, Rng&) {
    Sword s = MakeSword(18, 2, 4, 3);
    s.fuller = true;
    DrawSword(c, s);
  });
  add("item_bastard_sword", [](Canvas& c, Rng&) {
    Sword s = MakeSword(17, 3, 5, 4);
    s.fuller = true;
    s.guardColour = Iron;
    DrawSword(c, s);
  });
  add("item_kopesh", [](Canvas& c, Rng&) {
    Sword s = MakeSword(15, 3, 4, 1);
    s.curve = 7;
    s.width = 4;
    s.metal = {200, 150, 80};  // bronze
    DrawSword(c, s);
  });
  add("item_blade", [](Canvas& c, Rng&) {
    Sword s = MakeSword(15, 3, 4, 2);
    s.curve = 1;
    DrawSword(c, s);
  });
  add("item_blade_ameliorated", [](Canvas& c, Rng&) {
    Sword s = MakeSword(15, 3, 4, 2);
    s.curve = 1;
    s.glow = true;
    s.metal = {210, 230, 250};
    DrawSword(c, s);
  });
  add("item_behead", [](Canvas& c, Rng&) {
    Sword s = MakeSword(15, 5, 5, 3);
    s.tip = Tip::Square;
    s.guardColour = Iron;
    s.pommel = Iron;
    DrawSword(c, s);
  });
  add("item_broad_sword", [](Canvas& c, Rng&) {
    Sword s = MakeSword(16, 4, 4, 4);
    s.fuller = true;
    DrawSword(c, s);
  });
  add("item_horner", [](Canvas& c, Rng&) {
    // A blade of horn, pale and strongly curved.
    Sword s = MakeSword(15, 3, 4, 2);
    s.curve = 5;
    s.metal = {226, 214, 180};
    s.guardColour = {90, 60, 40};
    DrawSword(c, s);
  });
  add("item_glaive", Glaive);
  add("item_saber", [](Canvas& c, Rng&) {
    Sword s = MakeSword(17, 2, 4, 2);
    s.curve = 4;
    s.basket = true;
    DrawSword(c, s);
  });
  add("item_saber_ameliorated", [](Canvas& c, Rng&) {
    Sword s = MakeSword(17, 2, 4, 2);
    s.curve = 4;
    s.basket = true;
    s.glow = true;
    s.glowColour = {250, 210, 90};
    DrawSword(c, s);
  });
  add("item_whale_blade", [](Canvas& c, Rng&) { DrawWhaleBladeIcon(c); });
  add("item_whale_blade_ameliorated", [](Canvas& c, Rng&) {
    Sword s = MakeSword(16, 5, 5, 3);
    s.curve = 3;
    s.metal = {220, 236, 246};
    s.guardColour = {80, 90, 110};
    s.glow = true;
    DrawSword(c, s);
  });
  add("item_two_handed_sword", [](Canvas& c, Rng&) {
    Sword s = MakeSword(18, 3, 6, 5);
    s.fuller = true;
    DrawSword(c, s);
  });
  add("item_two_bladed_sword", [](Canvas& c, Rng&) { TwoBladedSword(c, false); });
  add("item_two_bladed_sword_ameliorated", [](Canvas& c, Rng&) { TwoBladedSword(c, true); });
  add("item_bag", [](Canvas& c, Rng&) { Bag(c, Rgb{156, 110, 64}); });
  add("item_blue_bag", [](Canvas& c, Rng&) { Bag(c, Rgb{64, 96, 196}); });
  add("item_maul", [](Canvas& c, Rng&) { DrawBludgeon(c, BludgeonHead::Maul); });
  add("item_morningstar", [](Canvas& c, Rng&) { DrawBludgeon(c, BludgeonHead::Morningstar); });
  add("item_mace", [](Canvas& c, Rng&) { DrawBludgeon(c, BludgeonHead::Mace); });
  add("item_war_mace", [](Canvas& c, Rng&) { DrawBludgeon(c, BludgeonHead::WarMace); });
  add("item_staff", Staff);
  add("item_rod", Rod);
  add("item_wand", Wand);
  add("item_hand_axe", [](Canvas& c, Rng&) {
    Axe a;
    a.haftTop = 10;
    a.reach = 6;
    a.half = 4;
    DrawAxe(c, a);
  });
  add("item_axe", [](Canvas& c, Rng&) { DrawAxe(c, Axe{}); });
  add("item_battle_axe", [](Canvas& c, Rng&) {
    Axe a;
    a.doubleBit = true;
    DrawAxe(c, a);
  });
  add("item_iron_battle_axe", [](Canvas& c, Rng&) {
    Axe a;
    a.doubleBit = true;
    a.metal = Iron;
    a.haft = {90, 90, 100};
    a.reach = 10;
    a.half = 7;
    DrawAxe(c, a);
  });
  add("item_iron_ordered_battle_axe", [](Canvas& c, Rng&) {
    Axe a;
    a.doubleBit = true;
    a.metal = Iron;
    a.haft = {90, 90, 100};
    a.reach = 10;
    a.half = 7;
    a.goldTrim = true;
    DrawAxe(c, a);
  });
  add("item_iron_rubioux_battle_axe", [](Canvas& c, Rng&) {
    Axe a;
    a.doubleBit = true;
    a.metal = Iron;
    a.haft = {90, 90, 100};
    a.reach = 10;
    a.half = 7;
    a.goldTrim = true;
    a.ruby = true;
    DrawAxe(c, a);
  });
  add("item_potion_red", [](Canvas& c, Rng&) { Potion(c, Rgb{220, 40, 50}); });
  add("item_potion_green", [](Canvas& c, Rng&) { Potion(c, Rgb{60, 196, 70}); });
  add("item_potion_blue", [](Canvas& c, Rng&) { Potion(c, Rgb{50, 90, 230}); });
  add("item_potion_yellow", [](Canvas& c, Rng&) { Potion(c, Rgb{240, 206, 40}); });
  add("item_potion_white", [](Canvas& c, Rng&) { Potion(c, Rgb{236, 236, 244}); });
  add("item_blue_robe", [](Canvas& c, Rng&) { Robe(c, Rgb{50, 80, 180}, Gold); });
  add("item_red_robe", [](Canvas& c, Rng&) { Robe(c, Rgb{180, 40, 40}, Rgb{240, 220, 160}); });
  add("item_gray_robe", [](Canvas& c, Rng&) { Robe(c, Rgb{130, 130, 136}, Rgb{170, 130, 80}); });
  add("item_leather_armor", [](Canvas& c, Rng&) { DrawArmour(c, Armour::Leather); });
  add("item_studded_leather_armor", [](Canvas& c, Rng&) { DrawArmour(c, Armour::Studded); });
  add("item_chain_mail", [](Canvas& c, Rng&) { DrawArmour(c, Armour::Chain); });
  add("item_scale_armor_b", [](Canvas& c, Rng&) { DrawArmour(c, Armour::Scale); });
  add("item_plate_armor", [](Canvas& c, Rng&) { DrawArmour(c, Armour::Plate); });
  add("item_full_plate_armor", [](Canvas& c, Rng&) { DrawArmour(c, Armour::FullPlate); });
  add("item_magic_armor", [](Canvas& c, Rng&) { DrawArmour(c, Armour::Magic); });
  add("socket", Socket);
  add("alleviated_corner1", [](Canvas& c, Rng&) { Corner(c, 1); });
  add("alleviated_corner2", [](Canvas& c, Rng&) { Corner(c, 2); });
  add("alleviated_corner3", [](Canvas& c, Rng&) { Corner(c, 3); });
  add("alleviated_corner4", [](Canvas& c, Rng&) { Corner(c, 4); });
}

}  // namespace assets
