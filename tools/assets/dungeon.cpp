// The dungeon tiles of ".\bmp_dungeon": walls, floors and fixtures with their used or spent
// states, 16 x 16, opaque, seen from above like the map view draws them.
#include "tools/assets/assets.h"
#include "tools/assets/figures.h"
#include "tools/assets/tiles.h"

namespace assets {

namespace {

constexpr Rgb WallGrey{112, 106, 100};
constexpr Rgb Wood{132, 86, 44};
constexpr Rgb Brass{214, 172, 64};
constexpr Rgb Bone{232, 226, 204};
constexpr Rgb Pit{22, 18, 24};

void Floor(Canvas& c, Rng& rng) { FlagstoneFloor(c, rng, FloorGrey); }

void Wall(Canvas& c, Rng& rng) { StoneWall(c, rng, WallGrey); }

void Marble(Canvas& c, Rng& rng) {
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      bool light = ((x / 8) + (y / 8)) % 2 == 0;
      Plot(c, x, y, light ? Rgb{222, 218, 210} : Rgb{150, 152, 162});
    }
  // Veins running across the slabs.
  Line(c, 0, 3, 6, 7, Rgb{190, 186, 184});
  Line(c, 9, 1, 15, 6, Rgb{120, 122, 134});
  Line(c, 2, 10, 7, 14, Rgb{124, 126, 138});
  Line(c, 9, 12, 14, 9, Rgb{196, 192, 188});
  Speckle(c, rng, 0, 0, 15, 15, 3);
  for (int i = 0; i < 16; ++i) {
    Plot(c, i, 15, Shade(PixelAt(c, i, 15), -20));
    Plot(c, 15, i, Shade(PixelAt(c, 15, i), -20));
  }
}

void Chest(Canvas& c, Rng& rng, bool open) {
  Floor(c, rng);
  ScaleEllipse2(c, 18, 27, 13, 4, 60);
  if (!open) {
    FillRect(c, 2, 4, 13, 12, Wood);
    FillRect(c, 2, 4, 13, 6, Shade(Wood, 26));  // the lid
    Line(c, 2, 7, 13, 7, Shade(Wood, -50));
    for (int y = 9; y <= 12; y += 3) Line(c, 2, y, 13, y, Shade(Wood, -24));
    FillRect(c, 4, 4, 4, 12, Brass);
    FillRect(c, 11, 4, 11, 12, Brass);
    FillRect(c, 7, 7, 8, 9, Brass);  // the lock
    Plot(c, 7, 8, Pit);
  } else {
    FillRect(c, 2, 1, 13, 4, Shade(Wood, -20));  // the lid, swung up
    Line(c, 2, 4, 13, 4, Shade(Wood, 20));
    FillRect(c, 4, 1, 4, 4, Brass);
    FillRect(c, 11, 1, 11, 4, Brass);
    FillRect(c, 2, 5, 13, 12, Wood);
    FillRect(c, 3, 6, 12, 8, Rgb{60, 36, 20});  // inside
    for (int x = 3; x <= 12; ++x) Plot(c, x, 7 + (x % 2), Rgb{250, 210, 70});
    Plot(c, 5, 6, Rgb{255, 240, 150});
    Plot(c, 9, 6, Rgb{255, 240, 150});
    Plot(c, 7, 7, Rgb{220, 40, 60});  // a ruby among the coins
    Line(c, 2, 9, 13, 9, Shade(Wood, -50));
    FillRect(c, 4, 5, 4, 12, Brass);
    FillRect(c, 11, 5, 11, 12, Brass);
  }
}

void Candelabrum(Canvas& c, Rng& rng, bool lit) {
  Floor(c, rng);
  if (lit) Glow(c, 8, 5, 8, Rgb{255, 220, 130}, 150);
  FillRect(c, 5, 14, 10, 14, Brass);  // foot
  FillRect(c, 7, 7, 8, 13, Brass);    // stem
  Line(c, 3, 8, 12, 8, Brass);        // arms
  Plot(c, 3, 7, Brass);
  Plot(c, 12, 7, Brass);
  Plot(c, 8, 9, Shade(Brass, -50));
  Plot(c, 8, 14, Shade(Brass, -50));
  const int candles[] = {3, 12};
  Rgb wax{244, 240, 226};
  for (int x : candles) FillRect(c, x, lit ? 4 : 5, x, 6, wax);
  FillRect(c, 7, lit ? 3 : 4, 8, 6, wax);
  if (lit) {
    for (int x : candles) {
      Plot(c, x, 3, Rgb{255, 200, 60});
      Plot(c, x, 2, Rgb{255, 246, 170});
    }
    Plot(c, 7, 2, Rgb{255, 200, 60});
    Plot(c, 8, 2, Rgb{255, 200, 60});
    Plot(c, 7, 1, Rgb{255, 246, 170});
  } else {
    Rgb smoke{150, 146, 150};
    Plot(c, 3, 3, smoke);
    Plot(c, 4, 1, smoke);
    Plot(c, 8, 2, smoke);
    Plot(c, 7, 0, smoke);
    Plot(c, 12, 3, smoke);
  }
}

void Coffin(Canvas& c, Rng& rng, bool open) {
  Floor(c, rng);
  const Rgb dark{92, 56, 36};
  // Widest at the shoulders, a third of the way down.
  const int half[] = {3, 4, 5, 5, 5, 4, 4, 4, 4, 3, 3, 3, 3};
  for (int i = 0; i < 13; ++i) Line(c, 8 - half[i], 1 + i, 7 + half[i], 1 + i, dark);
  if (!open) {
    for (int i = 1; i < 12; ++i) Line(c, 9 - half[i], 1 + i, 6 + half[i], 1 + i, Wood);
    Line(c, 7, 3, 7, 9, Brass);
    Line(c, 8, 3, 8, 9, Brass);
    Line(c, 5, 5, 10, 5, Brass);
  } else {
    for (int i = 1; i < 12; ++i) Line(c, 9 - half[i], 1 + i, 6 + half[i], 1 + i, Pit);
    Stamp(c, 6, 2, {".ww.", "wdwd", ".ww.", "..w.", ".www", "..w.", ".w.w"},
          {{'w', Bone}, {'d', Pit}});
    // The lid pushed aside.
    for (int i = 0; i < 12; ++i) Plot(c, 14, 3 + i, Wood);
    for (int i = 0; i < 11; ++i) Plot(c, 15, 4 + i, Shade(Wood, -30));
  }
}

void Bones(Canvas& c, Rng& rng, bool cleaned) {
  Floor(c, rng);
  if (cleaned) {
    ScaleEllipse2(c, 16, 18, 9, 6, 86);
    Plot(c, 10, 11, Shade(Bone, -60));
    return;
  }
  auto bone = [&c](int x0, int y0, int x1, int y1) {
    Line(c, x0, y0, x1, y1, Bone);
    Plot(c, x0 - 1, y0, Bone);
    Plot(c, x1 + 1, y1, Bone);
  };
  bone(2, 12, 7, 10);
  bone(9, 13, 13, 14);
  bone(10, 4, 13, 7);
  Stamp(c, 3, 3, {".www.", "wdwdw", "wwwww", ".w.w."}, {{'w', Bone}, {'d', Pit}});
  Plot(c, 12, 10, Bone);
  Plot(c, 6, 14, Bone);
}

void Door(Canvas& c, Rng& rng, bool opened) {
  Wall(c, rng);
  if (!opened) {
    FillRect(c, 2, 1, 13, 15, Wood);
    for (int x = 4; x <= 12; x += 3) Line(c, x, 1, x, 15, Shade(Wood, -34));
    Line(c, 2, 1, 13, 1, Shade(Wood, 30));
    FillRect(c, 2, 4, 13, 4, Rgb{70, 70, 80});
    FillRect(c, 2, 12, 13, 12, Rgb{70, 70, 80});
    Plot(c, 11, 8, Brass);
    Plot(c, 10, 8, Shade(Brass, -60));
  } else {
    FillRect(c, 2, 1, 13, 15, FloorGrey);
    Speckle(c, rng, 2, 1, 13, 15, 6);
    Line(c, 2, 1, 13, 1, Rgb{40, 36, 36});
    // The leaf, swung back against the jamb.
    FillRect(c, 2, 1, 4, 15, Shade(Wood, -10));
    Line(c, 4, 1, 4, 15, Shade(Wood, -50));
    Plot(c, 3, 4, Rgb{70, 70, 80});
    Plot(c, 3, 12, Rgb{70, 70, 80});
  }
}

// A spring of the given water in a stone basin; a spent one has run dry.
void Source(Canvas& c, Rng& rng, Rgb water, bool spent) {
  Floor(c, rng);
  FillCircle(c, 8, 8, 6, Rgb{140, 136, 130});
  Ring(c, 8, 8, 6, Rgb{96, 92, 88});
  if (spent) {
    FillCircle(c, 8, 8, 4, Rgb{88, 74, 60});
    Line(c, 6, 6, 9, 9, Rgb{60, 50, 42});
    Line(c, 9, 9, 11, 8, Rgb{60, 50, 42});
    Line(c, 7, 10, 5, 11, Rgb{60, 50, 42});
    return;
  }
  Glow(c, 8, 8, 8, water, 70);
  FillCircle(c, 8, 8, 4, water);
  Ring(c, 8, 8, 4, Shade(water, -40));
  Plot(c, 6, 6, Shade(water, 90));
  Plot(c, 7, 6, Shade(water, 60));
  Plot(c, 10, 9, Shade(water, 70));
  Plot(c, 3, 3, Shade(water, 110));  // a sparkle in the air
  Plot(c, 13, 4, Shade(water, 110));
}

void Spawn(Canvas& c, Rng& rng, bool spent) {
  Floor(c, rng);
  Rgb ink = spent ? Rgb{104, 96, 100} : Rgb{230, 60, 90};
  if (!spent) Glow(c, 8, 8, 8, Rgb{200, 40, 160}, 110);
  Ring(c, 8, 8, 7, ink);
  // The five-pointed star, point up.
  const int star[][2] = {{8, 1}, {12, 13}, {2, 5}, {14, 5}, {4, 13}};
  for (int i = 0; i < 5; ++i)
    Line(c, star[i][0], star[i][1], star[(i + 1) % 5][0], star[(i + 1) % 5][1], ink);
  if (!spent) Plot(c, 8, 8, Rgb{255, 200, 230});
}

void Fountain(Canvas& c, Rng& rng, bool drunk) {
  Floor(c, rng);
  FillCircle(c, 8, 8, 7, Rgb{176, 172, 164});
  Ring(c, 8, 8, 7, Rgb{110, 106, 100});
  FillCircle(c, 8, 8, 5, drunk ? Rgb{70, 76, 80} : Rgb{60, 120, 210});
  FillCircle(c, 8, 8, 1, Rgb{176, 172, 164});
  if (!drunk) {
    Ring(c, 8, 8, 3, Rgb{110, 170, 240});
    Plot(c, 8, 6, Rgb{240, 250, 255});
    Plot(c, 6, 8, Rgb{240, 250, 255});
    Plot(c, 10, 8, Rgb{240, 250, 255});
    Plot(c, 8, 10, Rgb{240, 250, 255});
    Plot(c, 7, 7, Rgb{200, 230, 255});
  } else {
    Plot(c, 6, 9, Rgb{60, 100, 150});  // the last puddle
    Plot(c, 7, 10, Rgb{60, 100, 150});
  }
}

void Stairs(Canvas& c, Rng& rng, bool down) {
  Wall(c, rng);
  // Steps between two side walls; down they sink into the dark, up they rise into the light.
  for (int step = 0; step < 6; ++step) {
    int y = 1 + 2 * step;
    int depth = down ? step : 5 - step;
    Rgb tread = Mix(Rgb{176, 170, 160}, Pit, depth * 46);
    int inset = down ? step / 2 : 0;
    FillRect(c, 3 + inset, y, 12 - inset, y + 1, tread);
    Line(c, 3 + inset, y, 12 - inset, y, Shade(tread, 26));
  }
  FillRect(c, 3, 13, 12, 14, down ? Pit : Rgb{60, 56, 54});
  // A chevron on the landing tells the way at a glance.
  if (down) {
    const int chevron[][2] = {{5, 12}, {6, 13}, {7, 14}, {8, 14}, {9, 13}, {10, 12}};
    for (const auto& p : chevron) Plot(c, p[0], p[1], Rgb{250, 220, 110});
  } else {
    FillRect(c, 3, 13, 12, 14, Rgb{190, 184, 176});
    const int chevron[][2] = {{5, 14}, {6, 13}, {7, 12}, {8, 12}, {9, 13}, {10, 14}};
    for (const auto& p : chevron) Plot(c, p[0], p[1], Rgb{90, 70, 40});
  }
}

void Circle(Canvas& c, Rng& rng, int kind) {
  Floor(c, rng);
  if (kind == 0) {
    Ring(c, 8, 8, 7, Rgb{214, 220, 236});
    Ring(c, 8, 8, 5, Rgb{150, 160, 190});
    for (int i = 0; i < 8; ++i) {
      const int rune[][2] = {{8, 2}, {12, 4}, {14, 8}, {12, 12}, {8, 14}, {4, 12}, {2, 8}, {4, 4}};
      Plot(c, rune[i][0], rune[i][1], Rgb{240, 244, 255});
    }
  } else if (kind == 1) {
    Glow(c, 8, 8, 8, Rgb{255, 220, 120}, 80);
    Ring(c, 8, 8, 7, Rgb{240, 196, 60});
    Ring(c, 8, 8, 6, Rgb{190, 140, 40});
    Ring(c, 8, 8, 4, Rgb{250, 220, 110});
    Plot(c, 8, 8, Rgb{255, 250, 200});
  } else {
    Glow(c, 8, 8, 8, Rgb{255, 140, 40}, 90);
    Ring(c, 8, 8, 6, Rgb{230, 90, 30});
    // Tongues of fire all round the circle.
    const int spots[][2] = {{8, 1},  {12, 3}, {14, 7}, {13, 11}, {9, 14},
                            {5, 13}, {2, 10}, {2, 5},  {5, 2}};
    for (const auto& s : spots) {
      Plot(c, s[0], s[1], Rgb{255, 210, 80});
      Plot(c, s[0], s[1] - 1, Rgb{250, 120, 30});
      Plot(c, s[0], s[1] + 1, Rgb{255, 246, 170});
    }
  }
}

void Altar(Canvas& c, Rng& rng, int kind) {
  Floor(c, rng);
  ScaleEllipse2(c, 17, 26, 14, 4, 60);
  Rgb slab = kind == 2 ? Rgb{62, 44, 70} : Rgb{184, 178, 170};
  FillRect(c, 1, 4, 14, 12, Shade(slab, -36));  // front face
  FillRect(c, 1, 4, 14, 9, slab);               // top
  Line(c, 1, 4, 14, 4, Shade(slab, 30));
  Speckle(c, rng, 1, 4, 14, 12, 6);
  if (kind == 0) {
    FillRect(c, 6, 4, 9, 12, Rgb{170, 40, 40});  // the altar cloth
    Line(c, 6, 12, 9, 12, Brass);
    Plot(c, 3, 6, Rgb{244, 240, 226});
    Plot(c, 12, 6, Rgb{244, 240, 226});
    Plot(c, 3, 5, Rgb{255, 200, 60});
    Plot(c, 12, 5, Rgb{255, 200, 60});
  } else if (kind == 1) {
    Line(c, 1, 9, 14, 9, Brass);
    Line(c, 1, 12, 14, 12, Brass);
    const Rgb gems[] = {{230, 40, 60}, {60, 120, 240}, {60, 210, 90}, {240, 220, 80}};
    for (int i = 0; i < 4; ++i) {
      Plot(c, 3 + 3 * i, 6 + (i % 2), gems[i]);
      Plot(c, 3 + 3 * i, 5 + (i % 2), Shade(gems[i], 80));
    }
    Plot(c, 7, 11, Rgb{230, 40, 60});
    Plot(c, 8, 11, Rgb{230, 40, 60});
  } else {
    // Runes glowing red, and a stain running down the front.
    Glow(c, 8, 7, 6, Rgb{200, 20, 30}, 60);
    Line(c, 4, 6, 6, 6, Rgb{230, 40, 40});
    Line(c, 5, 5, 5, 7, Rgb{230, 40, 40});
    Line(c, 10, 5, 11, 7, Rgb{230, 40, 40});
    Line(c, 8, 8, 8, 12, Rgb{140, 10, 20});
    Plot(c, 9, 12, Rgb{140, 10, 20});
  }
}

void Trap(Canvas& c, Rng& rng, bool disabled) {
  Floor(c, rng);
  FillRect(c, 2, 2, 13, 13, Rgb{56, 52, 50});
  RectOutline(c, 2, 2, 13, 13, Rgb{40, 36, 36});
  for (int y = 4; y <= 12; y += 4)
    for (int x = 4; x <= 12; x += 4) {
      if (disabled && (x + y) % 8 == 0) {
        Plot(c, x, y, Rgb{100, 96, 96});  // a broken stump
        continue;
      }
      Plot(c, x, y - 1, Rgb{230, 230, 236});
      Plot(c, x - 1, y, Rgb{150, 150, 160});
      Plot(c, x, y, Rgb{190, 190, 200});
      Plot(c, x + 1, y, Rgb{110, 110, 120});
    }
  if (disabled) {
    // Jammed with a plank.
    ThickLine(c, 1, 11, 14, 4, 2, Wood);
    Line(c, 1, 11, 14, 4, Shade(Wood, 30));
  }
}

void Torch(Canvas& c, Rng& rng, bool lit) {
  Wall(c, rng);
  if (lit) Glow(c, 8, 5, 8, Rgb{255, 190, 90}, 140);
  FillRect(c, 6, 10, 9, 11, Rgb{70, 70, 80});  // the sconce
  Line(c, 8, 6, 7, 13, Wood);
  Line(c, 9, 6, 8, 13, Shade(Wood, -30));
  if (lit) {
    Stamp(c, 6, 1, {".y..", ".yo.", "yOoy", "oOOo", ".oo."},
          {{'y', Rgb{255, 220, 90}}, {'o', Rgb{250, 130, 30}}, {'O', Rgb{255, 248, 190}}});
  } else {
    Plot(c, 8, 5, Rgb{40, 34, 30});
    Plot(c, 9, 5, Rgb{40, 34, 30});
    Plot(c, 8, 3, Rgb{140, 136, 140});
    Plot(c, 9, 1, Rgb{120, 116, 122});
  }
}

void Gear(Canvas& c, Rng& rng) {
  Floor(c, rng);
  const Rgb bronze{190, 140, 70};
  const int teeth[][2] = {{8, 1}, {13, 3}, {15, 8}, {13, 13}, {8, 15}, {3, 13}, {1, 8}, {3, 3}};
  for (const auto& t : teeth) FillRect(c, t[0] - 1, t[1] - 1, t[0], t[1], bronze);
  FillCircle(c, 8, 8, 5, bronze);
  Ring(c, 8, 8, 5, Shade(bronze, -50));
  FillCircle(c, 8, 8, 2, Shade(bronze, -30));
  FillCircle(c, 8, 8, 1, Pit);
  Plot(c, 6, 5, Shade(bronze, 60));
  Plot(c, 5, 6, Shade(bronze, 40));
}

void Lever(Canvas& c, Rng& rng) {
  Floor(c, rng);
  FillRect(c, 4, 10, 11, 13, Rgb{80, 80, 90});
  Line(c, 4, 10, 11, 10, Rgb{130, 130, 140});
  FillRect(c, 7, 11, 8, 12, Pit);
  ThickLine(c, 8, 11, 12, 3, 2, Rgb{170, 170, 180});
  FillCircle(c, 12, 3, 1, Rgb{210, 40, 40});
  Plot(c, 11, 2, Rgb{255, 140, 140});
}

void Scrolls(Canvas& c, Rng& rng) {
  Floor(c, rng);
  auto scroll = [&c](int x, int y, int length, Rgb ribbon) {
    FillRect(c, x, y, x + length, y + 2, Parchment);
    Line(c, x, y + 2, x + length, y + 2, Shade(Parchment, -50));
    Line(c, x, y, x + length, y, Shade(Parchment, 20));
    FillRect(c, x - 1, y, x - 1, y + 2, Shade(Parchment, -30));
    FillRect(c, x + length + 1, y, x + length + 1, y + 2, Shade(Parchment, -30));
    FillRect(c, x + length / 2, y, x + length / 2, y + 2, ribbon);
  };
  scroll(2, 3, 8, Rgb{200, 40, 40});
  scroll(5, 8, 8, Rgb{40, 80, 200});
  scroll(2, 12, 7, Rgb{40, 150, 60});
}

}  // namespace

void AddDungeonPictures(std::vector<Picture>& out) {
  auto add = [&out](const char* name, Painter paint) {
    out.push_back(Picture{"bmp_dungeon", name, 16, 16, FloorGrey, paint});
  };
  add("wall", Wall);
  add("floor_marble", Marble);
  add("floor", Floor);
  add("chest", [](Canvas& c, Rng& r) { Chest(c, r, false); });
  add("chest_open", [](Canvas& c, Rng& r) { Chest(c, r, true); });
  add("candelabrum", [](Canvas& c, Rng& r) { Candelabrum(c, r, true); });
  add("candelabrum_extinct", [](Canvas& c, Rng& r) { Candelabrum(c, r, false); });
  add("coffin", [](Canvas& c, Rng& r) { Coffin(c, r, false); });
  add("coffin_open", [](Canvas& c, Rng& r) { Coffin(c, r, true); });
  add("floor_bones", [](Canvas& c, Rng& r) { Bones(c, r, false); });
  add("floor_bones_cleaned", [](Canvas& c, Rng& r) { Bones(c, r, true); });
  add("door", [](Canvas& c, Rng& r) { Door(c, r, false); });
  add("door_opened", [](Canvas& c, Rng& r) { Door(c, r, true); });
  // The plain source is loaded into two slots (130 and 160).
  add("source", [](Canvas& c, Rng& r) { Source(c, r, Rgb{90, 200, 240}, false); });
  add("source_complete", [](Canvas& c, Rng& r) { Source(c, r, Rgb{90, 200, 240}, true); });
  add("spawn", [](Canvas& c, Rng& r) { Spawn(c, r, false); });
  add("spawn_complete", [](Canvas& c, Rng& r) { Spawn(c, r, true); });
  add("fountain", [](Canvas& c, Rng& r) { Fountain(c, r, false); });
  add("fountain_drank", [](Canvas& c, Rng& r) { Fountain(c, r, true); });
  add("stairsd", [](Canvas& c, Rng& r) { Stairs(c, r, true); });
  add("stairsu", [](Canvas& c, Rng& r) { Stairs(c, r, false); });
  add("circle", [](Canvas& c, Rng& r) { Circle(c, r, 0); });
  add("circle_golden", [](Canvas& c, Rng& r) { Circle(c, r, 1); });
  add("circle_aflamed", [](Canvas& c, Rng& r) { Circle(c, r, 2); });
  add("altar", [](Canvas& c, Rng& r) { Altar(c, r, 0); });
  add("altar_jeweled", [](Canvas& c, Rng& r) { Altar(c, r, 1); });
  add("altar_dark", [](Canvas& c, Rng& r) { Altar(c, r, 2); });
  add("trap", [](Canvas& c, Rng& r) { Trap(c, r, false); });
  add("trap_disabled", [](Canvas& c, Rng& r) { Trap(c, r, true); });
  add("torch", [](Canvas& c, Rng& r) { Torch(c, r, true); });
  add("torch_extinct", [](Canvas& c, Rng& r) { Torch(c, r, false); });
  add("geer_mecanism", Gear);
  add("lever", Lever);
  add("source_red", [](Canvas& c, Rng& r) { Source(c, r, Rgb{230, 50, 50}, false); });
  add("source_green", [](Canvas& c, Rng& r) { Source(c, r, Rgb{60, 210, 80}, false); });
  add("source_blue", [](Canvas& c, Rng& r) { Source(c, r, Rgb{50, 80, 230}, false); });
  add("source_yellow", [](Canvas& c, Rng& r) { Source(c, r, Rgb{240, 220, 60}, false); });
  add("source_brown", [](Canvas& c, Rng& r) { Source(c, r, Rgb{150, 100, 50}, false); });
  add("scrolls", Scrolls);
}

}  // namespace assets
