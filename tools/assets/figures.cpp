#include "tools/assets/figures.h"

#include <algorithm>
#include <cstdlib>

namespace assets {

namespace {

constexpr Rgb Wood{122, 84, 46};
constexpr Rgb Gold{232, 190, 60};
constexpr Rgb Ivory{240, 234, 210};

struct BuildShape {
  int headTop;
  int bodyTop;
  int handY;
  int rightHandX;
};

BuildShape ShapeOf(Build build) {
  switch (build) {
    case Build::Short:
      return {4, 9, 12, 13};
    case Build::Big:
      return {1, 6, 11, 13};  // the weapon sits in the big fist
    case Build::Robe:
      return {3, 8, 11, 13};
    case Build::Normal:
      break;
  }
  return {1, 6, 10, 13};
}

void DrawBody(Canvas& canvas, Build build, int top, Inks inks) {
  switch (build) {
    case Build::Normal:
      StampMirrored(canvas, 0, top,
                    {"...bbbbb", "..aabbbb", "..aabbbb", "..aabbbb", "..sscccc", "....llll",
                     "....lll.", "....lll.", "....lll.", "...fff.."},
                    inks);
      break;
    case Build::Short:
      StampMirrored(
          canvas, 0, top,
          {"...bbbbb", "..aabbbb", "..aabbbb", "..sscccc", "....llll", "....lll.", "...fff.."},
          inks);
      break;
    case Build::Big:
      StampMirrored(canvas, 0, top,
                    {".bbbbbbb", ".aabbbbb", ".aabbbbb", ".aabbbbb", ".aabbbbb", ".ss.cccc",
                     "...lllll", "...llll.", "...llll.", "..fffff."},
                    inks);
      break;
    case Build::Robe:
      StampMirrored(canvas, 0, top,
                    {"...bbbbb", "..aabbbb", "..aabbbb", "..sscccc", "...bbbbb", "..bbbbbb",
                     "..bbbbbb", ".bbbbbbb"},
                    inks);
      // The fold down the middle of the robe.
      for (int y = top + 4; y < 16; ++y) Plot(canvas, 8, y, Shade(PixelAt(canvas, 8, y), -28));
      break;
  }
}

void DrawHead(Canvas& canvas, const Humanoid& look, int top) {
  bool big = look.build == Build::Big;
  Rgb top2 = look.hair;
  if (look.head == Head::Bald || look.head == Head::Dome || look.head == Head::Crown)
    top2 = look.skin;
  if (look.head == Head::Hood || look.head == Head::Helmet || look.head == Head::HornedHelmet)
    top2 = look.headgear;
  if (look.head == Head::Leaves) top2 = look.hair;
  Inks inks = {{'h', top2}, {'s', look.skin}, {'e', look.eyes}};
  if (big)
    StampMirrored(canvas, 0, top, {"......hh", ".....hhh", "....sses", "....ssss", ".....sss"},
                  inks);
  else
    StampMirrored(canvas, 0, top, {"......hh", ".....hhh", ".....ses", ".....sss", "......ss"},
                  inks);
  if (look.bigEyes) {
    StampMirrored(canvas, 0, top + 2, {".....ee.", ".....e.."}, inks);
  }
  if (look.pointyEars && !big) {
    Plot(canvas, 4, top + 2, look.skin);
    Plot(canvas, 3, top + 1, look.skin);
    Plot(canvas, 11, top + 2, look.skin);
    Plot(canvas, 12, top + 1, look.skin);
  }
  const Rgb gear = look.headgear;
  const Rgb gearDark = Shade(gear, -40);
  switch (look.head) {
    case Head::LongHair:
      StampMirrored(canvas, 0, top + 1, {"....h...", "....h...", "....h...", "....h..."},
                    {{'h', look.hair}});
      break;
    case Head::Hood:
      StampMirrored(canvas, 0, top - 1,
                    {"......hh", ".....hhh", "....hhhh", "....h...", "....h...", "....hh.."},
                    {{'h', gear}});
      StampMirrored(canvas, 0, top + 1, {"......dd"}, {{'d', gearDark}});
      break;
    case Head::Helmet:
    case Head::HornedHelmet:
      StampMirrored(canvas, 0, top - 1,
                    {"......mm", ".....mmm", ".....mmm", ".......n", "....m..."},
                    {{'m', gear}, {'n', gearDark}});
      if (look.head == Head::HornedHelmet)
        StampMirrored(canvas, 0, top - 1, {"..H.....", "...HH..."}, {{'H', Ivory}});
      break;
    case Head::PointyHat:
      Stamp(canvas, 0, top - 3,
            {"..........p.....", ".........pp.....", "......pppp......", "...pppppppppp...",
             "....dddddddd...."},
            {{'p', gear}, {'d', gearDark}});
      Plot(canvas, 8, top - 2, Rgb{255, 240, 120});
      break;
    case Head::Crown:
      StampMirrored(canvas, 0, top - 1, {".....g.g", ".....ggg"}, {{'g', gear}});
      Plot(canvas, 7, top, Rgb{220, 40, 60});
      Plot(canvas, 8, top, Rgb{220, 40, 60});
      break;
    case Head::SnakeHair:
      StampMirrored(canvas, 0, top - 1,
                    {"...g.g.g", "....gggg", "...gdggg", "...g....", "..g.....", "..g....."},
                    {{'g', look.hair}, {'d', Shade(look.hair, -50)}});
      Plot(canvas, 3, top - 1, Rgb{230, 60, 40});
      Plot(canvas, 12, top - 1, Rgb{230, 60, 40});
      break;
    case Head::BullHead:
      StampMirrored(canvas, 0, top - 1, {"..H.....", "..HH.hhh", "...HH..."},
                    {{'H', Ivory}, {'h', look.hair}});
      StampMirrored(canvas, 0, top + 3, {"......mm", ".....nmm"},
                    {{'m', Shade(look.skin, 45)}, {'n', Rgb{50, 30, 30}}});
      Plot(canvas, 7, top + 5, Gold);
      Plot(canvas, 8, top + 5, Gold);
      break;
    case Head::Leaves:
      StampMirrored(canvas, 0, top - 1,
                    {"....lLlL", "...LlLlL", "..lLlLll", "..Ll....", "...L....", "...l...."},
                    {{'l', look.hair}, {'L', Shade(look.hair, 40)}});
      Plot(canvas, 5, top - 1, Rgb{230, 90, 140});
      Plot(canvas, 11, top, Rgb{230, 90, 140});
      break;
    case Head::Dome:
      StampMirrored(canvas, 0, top - 1, {"......ss"}, {{'s', look.skin}});
      break;
    case Head::Hair:
    case Head::Bald:
      break;
  }
  if (look.beard) {
    StampMirrored(canvas, 0, top + 3, {".....b..", ".....bbb", ".....bbb", "......bb", ".......b"},
                  {{'b', look.beardColour}});
    Plot(canvas, 7, top + 4, Shade(look.beardColour, -60));
    Plot(canvas, 8, top + 4, Shade(look.beardColour, -60));
  }
  if (look.mask) StampMirrored(canvas, 0, top + 3, {".....mmm", "......mm"}, {{'m', gearDark}});
  if (look.tusks) {
    int x = big ? 5 : 6;
    Plot(canvas, x, top + 4, Ivory);
    Plot(canvas, 15 - x, top + 4, Ivory);
    Plot(canvas, x, top + 3, Ivory);
    Plot(canvas, 15 - x, top + 3, Ivory);
  }
}

// Weapons are held upright in the right hand (on the picture's right), at column x.
void DrawWeapon(Canvas& canvas, Weapon weapon, int x, int handY, Rgb metal, Rgb tip) {
  Rgb edge = Shade(metal, 40);
  switch (weapon) {
    case Weapon::Sword:
      Line(canvas, x, handY - 2, x, handY - 9, metal);
      Plot(canvas, x, handY - 9, edge);
      Line(canvas, x - 1, handY - 1, x + 1, handY - 1, Gold);
      Plot(canvas, x, handY, Wood);
      Plot(canvas, x, handY + 1, Gold);
      break;
    case Weapon::Dagger:
      Line(canvas, x, handY - 2, x, handY - 4, metal);
      Plot(canvas, x, handY - 4, edge);
      Line(canvas, x - 1, handY - 1, x + 1, handY - 1, Shade(metal, -50));
      Plot(canvas, x, handY, Wood);
      break;
    case Weapon::Axe:
      Line(canvas, x, handY + 2, x, handY - 7, Wood);
      FillRect(canvas, x + 1, handY - 8, x + 1, handY - 4, metal);
      Plot(canvas, x + 1, handY - 8, edge);
      FillRect(canvas, x - 1, handY - 7, x - 1, handY - 5, metal);
      break;
    case Weapon::Staff:
      Line(canvas, x, 15, x, handY - 8, Wood);
      Plot(canvas, x, handY - 9, tip);
      Plot(canvas, x, handY - 10, Shade(tip, 60));
      Plot(canvas, x - 1, handY - 9, Shade(tip, -30));
      Plot(canvas, x + 1, handY - 9, Shade(tip, -30));
      break;
    case Weapon::Mace:
      Line(canvas, x, handY + 1, x, handY - 5, Wood);
      FillRect(canvas, x - 1, handY - 8, x + 1, handY - 6, metal);
      Plot(canvas, x, handY - 9, edge);
      Plot(canvas, x, handY - 7, edge);
      break;
    case Weapon::Club:
      Line(canvas, x, handY + 1, x, handY - 3, Wood);
      FillRect(canvas, x - 1, handY - 8, x + 1, handY - 4, Shade(Wood, 20));
      Plot(canvas, x - 1, handY - 8, KeyColour);
      Plot(canvas, x + 1, handY - 6, Shade(Wood, -20));
      break;
    case Weapon::Spear:
      Line(canvas, x, 15, x, 3, Wood);
      Line(canvas, x, 2, x, 0, metal);
      Plot(canvas, x - 1, 2, metal);
      Plot(canvas, x + 1, 2, metal);
      break;
    case Weapon::None:
      break;
  }
}

void DrawShield(Canvas& canvas, int handY, Rgb colour) {
  int top = handY - 5;
  Rgb rim{170, 170, 180};
  FillRect(canvas, 0, top, 4, top + 5, colour);
  RectOutline(canvas, 0, top, 4, top + 5, rim);
  Plot(canvas, 0, top + 5, KeyColour);
  Plot(canvas, 4, top + 5, KeyColour);
  FillRect(canvas, 1, top + 6, 3, top + 6, rim);
  Plot(canvas, 2, top + 7, rim);
  Plot(canvas, 2, top + 2, Gold);
  Plot(canvas, 2, top + 3, Gold);
}

}  // namespace

void FinishSprite(Canvas& canvas) {
  RimShade(canvas, 24);
  Outline(canvas, SpriteOutline);
}

void DrawHumanoid(Canvas& canvas, const Humanoid& look) {
  BuildShape shape = ShapeOf(look.build);
  DrawBody(canvas, look.build, shape.bodyTop,
           {{'b', look.body},
            {'a', Shade(look.body, -28)},
            {'s', look.skin},
            {'c', look.belt},
            {'l', look.legs},
            {'f', look.feet}});
  DrawHead(canvas, look, shape.headTop);
  if (look.emblem) {
    Line(canvas, 7, shape.bodyTop + 1, 7, shape.bodyTop + 3, look.belt);
    Line(canvas, 8, shape.bodyTop + 1, 8, shape.bodyTop + 3, look.belt);
    Line(canvas, 6, shape.bodyTop + 2, 9, shape.bodyTop + 2, look.belt);
  }
  DrawWeapon(canvas, look.weapon, shape.rightHandX + 1, shape.handY, look.weaponColour,
             look.weaponTip);
  if (look.shield) DrawShield(canvas, shape.handY, look.shieldColour);
  FinishSprite(canvas);
}

void DrawSkeleton(Canvas& canvas, Rng& rng, const Skeleton& look) {
  Inks inks = {{'w', look.bone}, {'E', look.sockets}, {'t', Shade(look.bone, -120)}};
  int handY;
  if (look.big) {
    StampMirrored(canvas, 0, 0,
                  {"......ww", ".....www", "....wwww", "....wEEw", "....wwww", ".....wtw",
                   ".......w", ".wwwwwww", ".ww.wwww", ".ww.w..w", ".ww.wwww", ".ww.w..w",
                   ".ww.wwww", "www..www", "....ww..", "...www.."},
                  inks);
    handY = 13;
  } else {
    StampMirrored(canvas, 0, 0,
                  {"........", "......ww", ".....www", ".....wEw", ".....www", "......wt",
                   ".......w", "...wwwww", "...w.www", "...w.w.w", "...w.www", "...w...w",
                   "..ww.www", ".....w..", ".....w..", "....ww.."},
                  inks);
    handY = 12;
  }
  if (look.rot != Rot::None) {
    // Flesh still clinging to the ribs and the upper arms, rags about the hips.
    Rgb flesh = look.flesh;
    for (int i = 0; i < 9; ++i) {
      int x = rng.Range(4, 11), y = rng.Range(7, 12);
      if (!IsKey(canvas, x, y) || rng.Chance(40))
        Plot(canvas, x, y, Shade(flesh, rng.Range(-20, 10)));
    }
    FillRect(canvas, 5, look.big ? 13 : 12, 10, look.big ? 13 : 12, Rgb{96, 80, 56});
    Plot(canvas, 6, look.big ? 14 : 13, Rgb{96, 80, 56});
    Plot(canvas, 9, look.big ? 14 : 13, Rgb{86, 70, 50});
    if (look.rot == Rot::Wounded) {
      // The left arm is gone; what is left bleeds.
      for (int y = 8; y <= 12; ++y) Plot(canvas, 3, y, KeyColour);
      Plot(canvas, 2, 12, KeyColour);
      Plot(canvas, 3, 8, Rgb{170, 20, 30});
      Plot(canvas, 7, 9, Rgb{190, 30, 30});
      Plot(canvas, 9, 10, Rgb{150, 20, 25});
      Plot(canvas, 6, 4, Rgb{170, 30, 30});
    }
  }
  if (look.armour) {
    Rgb plate = look.armourColour;
    FillRect(canvas, 4, 7, 11, 11, plate);
    Line(canvas, 4, 9, 11, 9, Shade(plate, -35));
    Plot(canvas, 7, 8, Shade(plate, 40));
    Plot(canvas, 8, 8, Shade(plate, 40));
    FillRect(canvas, 3, 7, 3, 8, Shade(plate, 20));
    FillRect(canvas, 12, 7, 12, 8, Shade(plate, 20));
  }
  if (look.cape) {
    for (int y = 7; y <= 14; ++y) {
      Plot(canvas, 2, y, look.capeColour);
      Plot(canvas, 13, y, look.capeColour);
      if (y > 9) {
        Plot(canvas, 1, y, Shade(look.capeColour, -20));
        Plot(canvas, 14, y, Shade(look.capeColour, -20));
      }
    }
  }
  if (look.helmet) {
    int top = look.big ? 0 : 1;
    StampMirrored(canvas, 0, top, {"......mm", ".....mmm", ".......n"},
                  {{'m', look.helmetColour}, {'n', Shade(look.helmetColour, -40)}});
    if (!look.big) {
      Plot(canvas, 4, 2, look.helmetColour);
      Plot(canvas, 11, 2, look.helmetColour);
    }
  }
  if (look.horns) {
    StampMirrored(canvas, 0, 0, {"...H....", "....H..."}, {{'H', Rgb{200, 190, 160}}});
    Plot(canvas, 3, 0, Rgb{200, 190, 160});
    Plot(canvas, 12, 0, Rgb{200, 190, 160});
    // Claws.
    Plot(canvas, 2, handY + 1, look.bone);
    Plot(canvas, 13, handY + 1, look.bone);
  }
  if (look.floating) {
    // No legs: the body trails off into a pale wisp.
    for (int y = 13; y < 16; ++y)
      for (int x = 0; x < 16; ++x) Plot(canvas, x, y, KeyColour);
    Rgb wisp{170, 220, 230};
    StampMirrored(canvas, 0, 12, {".....www", "......ww", ".......w"}, {{'w', wisp}});
    Plot(canvas, 9, 15, Shade(wisp, -30));
    Plot(canvas, 10, 15, wisp);
  }
  int weaponX = look.big ? 15 : 13;
  DrawWeapon(canvas, look.weapon, weaponX, handY, look.weaponColour, Rgb{120, 255, 140});
  if (look.shield) DrawShield(canvas, handY, look.shieldColour);
  if (look.flames) {
    DrawFlames(canvas, rng, 4, 0, 11, 2, true);
    DrawFlames(canvas, rng, 2, 4, 4, 7, true);
    DrawFlames(canvas, rng, 11, 4, 13, 7, true);
  }
  FinishSprite(canvas);
}

void DrawFlames(Canvas& canvas, Rng& rng, int x0, int y0, int x1, int y1, bool keepSprite) {
  const Rgb hot{255, 236, 120}, warm{250, 150, 40}, cool{214, 54, 30};
  int height = y1 - y0 + 1;
  for (int x = x0; x <= x1; ++x) {
    int h = rng.Range(1, height);
    for (int i = 0; i < h; ++i) {
      int y = y1 - i;
      if (keepSprite && !IsKey(canvas, x, y)) continue;
      Rgb colour = i == h - 1 ? cool : (i * 3 < h ? hot : warm);
      Plot(canvas, x, y, colour);
    }
  }
}

namespace {

// A flame body: tongues rising from a rounded base, white-hot at the heart.
void DrawFireElemental(Canvas& canvas, Rng& rng, int strength) {
  const int half = 2 + 2 * strength;  // 4, 6, 8 columns to each side of the middle line
  const int peak = 6 + 3 * strength;  // tallest tongue
  for (int i = 0; i < half; ++i) {
    for (int side = 0; side < 2; ++side) {
      int x = side ? 8 + i : 7 - i;
      int h = peak - (i * i * peak) / (half * half + 1) + rng.Range(-1, 1);
      if (i % 2 == 1) h -= 2;  // alternate columns make separate tongues
      if (h < 2) h = 2;
      for (int k = 0; k < h; ++k) {
        int y = 15 - k;
        int heat = (k * 256) / h;  // 0 at the base, 256 at the tip
        int core = (i * 256) / half;
        Rgb colour = heat + core < 200   ? Rgb{255, 246, 190}
                     : heat + core < 330 ? Rgb{255, 206, 70}
                     : heat + core < 420 ? Rgb{248, 130, 36}
                                         : Rgb{206, 50, 28};
        Plot(canvas, x, y, colour);
      }
    }
  }
  if (strength >= 2) {
    int eyeY = 15 - peak / 2 + 1;
    Rgb eye{90, 20, 10};
    Plot(canvas, 6, eyeY, eye);
    Plot(canvas, 9, eyeY, eye);
    if (strength == 3) {
      Plot(canvas, 5, eyeY - 1, eye);
      Plot(canvas, 10, eyeY - 1, eye);
      Line(canvas, 6, eyeY + 3, 9, eyeY + 3, eye);
      Plot(canvas, 5, eyeY + 2, eye);
      Plot(canvas, 10, eyeY + 2, eye);
    } else {
      Line(canvas, 7, eyeY + 2, 8, eyeY + 2, eye);
    }
  }
  Outline(canvas, Rgb{120, 30, 20});
}

void DrawWaterElemental(Canvas& canvas, int strength) {
  const Rgb deep{36, 84, 196}, mid{70, 140, 230}, light{150, 205, 255}, foam{236, 248, 255};
  if (strength == 1) {
    FillEllipse2(canvas, 16, 22, 9, 9, mid);
    FillTriangle(canvas, 8, 4, 4, 10, 11, 10, mid);
    FillEllipse2(canvas, 16, 24, 6, 5, deep);
  } else {
    int r = strength == 2 ? 11 : 14;
    FillEllipse2(canvas, 16, 32 - r, r, r, mid);
    FillEllipse2(canvas, 16, 32 - r + 4, r - 4, r - 5, deep);
    // The crest of the wave curling over the head.
    int top = 32 - 2 * r;
    Stamp(canvas, 0, top / 2,
          {"......fllll.....", "....fllmmmml....", "...flm....mml...", "...lm.......m..."},
          {{'f', foam}, {'l', light}, {'m', mid}});
    if (strength == 3) {
      // Arms of water.
      ThickLine(canvas, 2, 9, 4, 12, 2, mid);
      ThickLine(canvas, 13, 9, 11, 12, 2, mid);
      Plot(canvas, 1, 8, foam);
      Plot(canvas, 14, 8, foam);
    }
  }
  int eyeY = strength == 1 ? 11 : (strength == 2 ? 9 : 8);
  if (strength >= 2) {
    Plot(canvas, 6, eyeY, foam);
    Plot(canvas, 9, eyeY, foam);
    Plot(canvas, 6, eyeY + 1, Rgb{20, 40, 110});
    Plot(canvas, 9, eyeY + 1, Rgb{20, 40, 110});
  }
  Plot(canvas, 5, 14 - strength, light);
  Plot(canvas, 5, 13 - strength, foam);
  FinishSprite(canvas);
}

void DrawEarthElemental(Canvas& canvas, Rng& rng, int strength) {
  const Rgb rock{138, 116, 86}, dark{100, 82, 60}, crystal{90, 220, 140};
  auto boulder = [&](int cx2, int cy2, int rx2, int ry2) {
    FillEllipse2(canvas, cx2, cy2, rx2, ry2, rock);
    FillEllipse2(canvas, cx2 + 2, cy2 + 2, rx2 - 3, ry2 - 3, dark);
    FillEllipse2(canvas, cx2 - 1, cy2 - 1, rx2 - 3, ry2 - 3, rock);
  };
  int eyeY;
  if (strength == 1) {
    boulder(10, 26, 7, 6);
    boulder(22, 26, 7, 6);
    boulder(16, 17, 8, 7);
    eyeY = 8;
  } else if (strength == 2) {
    boulder(16, 22, 11, 9);  // body
    boulder(16, 9, 6, 6);    // head
    boulder(5, 21, 4, 6);    // arms
    boulder(27, 21, 4, 6);
    boulder(11, 30, 4, 3);  // feet
    boulder(21, 30, 4, 3);
    eyeY = 4;
  } else {
    boulder(16, 20, 14, 10);
    boulder(16, 7, 7, 6);
    boulder(3, 18, 4, 9);
    boulder(29, 18, 4, 9);
    boulder(10, 30, 5, 3);
    boulder(22, 30, 5, 3);
    eyeY = 3;
  }
  // Cracks in the stone.
  for (int i = 0; i < 4 * strength; ++i) {
    int x = rng.Range(2, 13), y = rng.Range(eyeY + 2, 14);
    if (!IsKey(canvas, x, y)) Plot(canvas, x, y, Shade(dark, -30));
  }
  if (strength == 3) {
    Plot(canvas, 7, 10, crystal);
    Plot(canvas, 8, 11, Shade(crystal, 40));
    Plot(canvas, 11, 8, crystal);
  }
  Rgb glow{250, 210, 90};
  Plot(canvas, 6, eyeY, glow);
  Plot(canvas, 9, eyeY, glow);
  if (strength == 3) {
    Plot(canvas, 6, eyeY + 2, Shade(dark, -30));
    Line(canvas, 6, eyeY + 2, 9, eyeY + 2, Shade(dark, -40));
  }
  FinishSprite(canvas);
}

void DrawAirElemental(Canvas& canvas, int strength) {
  const Rgb pale{214, 230, 240}, mist{168, 194, 216}, streak{248, 252, 255};
  // A whirlwind: bands that narrow from a wide top to a point on the ground, the lower ones
  // swaying from side to side.
  const int rows = 9 + 2 * strength;
  const int topHalf = 4 + strength;
  for (int k = 0; k < rows; ++k) {
    int y = 16 - rows + k;
    int half = topHalf - (k * (topHalf - 1)) / (rows - 1);
    int sway = k > rows / 3 ? (((k / 2) % 2) ? 1 : -1) : 0;
    int left = 8 - half + sway, right = 7 + half + sway;
    Rgb band = ((k / 2) % 2) ? mist : pale;
    Line(canvas, left, y, right, y, band);
    // A bright streak running round each band.
    Plot(canvas, (k % 2) ? right - 1 : left + 1, y, streak);
  }
  int eyeY = 16 - rows + 3;
  if (strength >= 2) {
    Rgb eye{40, 70, 130};
    Plot(canvas, 6, eyeY, eye);
    Plot(canvas, 9, eyeY, eye);
    if (strength == 3) Line(canvas, 6, eyeY + 2, 9, eyeY + 2, eye);
  }
  if (strength == 3) {
    // Leaves and grit caught in the wind.
    Plot(canvas, 1, 4, Rgb{120, 160, 70});
    Plot(canvas, 14, 9, Rgb{140, 110, 70});
    Plot(canvas, 13, 2, Rgb{120, 160, 70});
  }
  FinishSprite(canvas);
}

}  // namespace

void DrawElemental(Canvas& canvas, Rng& rng, Element element, int strength) {
  switch (element) {
    case Element::Fire:
      DrawFireElemental(canvas, rng, strength);
      break;
    case Element::Water:
      DrawWaterElemental(canvas, strength);
      break;
    case Element::Earth:
      DrawEarthElemental(canvas, rng, strength);
      break;
    case Element::Air:
      DrawAirElemental(canvas, strength);
      break;
  }
}

}  // namespace assets
