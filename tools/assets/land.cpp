// The overworld tiles of ".\bmp_land": terrain (codes 10 to 24) and sites (180 to 198), 16 x 16,
// opaque, drawn edge to edge by the map view.
#include "tools/assets/assets.h"
#include "tools/assets/tiles.h"

namespace assets {

namespace {

constexpr Rgb Stone{150, 146, 140};
constexpr Rgb DarkHole{26, 20, 24};
constexpr Rgb Timber{118, 78, 40};

void Plain(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  Plot(c, 3, 4, Rgb{250, 240, 110});
  Plot(c, 12, 9, Rgb{250, 250, 250});
  Plot(c, 7, 13, Rgb{250, 240, 110});
}

void Forest(Canvas& c, Rng& rng) {
  GrassGround(c, rng, Shade(GrassGreen, -14));
  RoundTree(c, 4, 4, 3, Rgb{50, 120, 46});
  RoundTree(c, 12, 5, 3, Rgb{56, 128, 50});
  RoundTree(c, 7, 11, 3, Rgb{46, 114, 44});
  RoundTree(c, 14, 13, 2, Rgb{56, 128, 50});
}

void ForestFruit(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  FruitTree(c, rng, 4, 4, 3, Rgb{64, 138, 52}, Rgb{220, 40, 40});
  FruitTree(c, rng, 12, 6, 3, Rgb{70, 142, 56}, Rgb{240, 150, 30});
  FruitTree(c, rng, 6, 12, 3, Rgb{64, 138, 52}, Rgb{220, 40, 40});
}

void ForestGray(Canvas& c, Rng& rng) {
  GrassGround(c, rng, Rgb{110, 118, 92});
  RoundTree(c, 4, 5, 3, Rgb{128, 138, 128});
  RoundTree(c, 11, 4, 3, Rgb{118, 128, 120});
  RoundTree(c, 8, 11, 3, Rgb{134, 142, 132});
  RoundTree(c, 14, 12, 2, Rgb{118, 128, 120});
}

void ForestLeaf(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  RoundTree(c, 4, 4, 3, Rgb{150, 186, 58});
  RoundTree(c, 12, 4, 3, Rgb{214, 150, 44});
  RoundTree(c, 8, 11, 4, Rgb{130, 176, 52});
  RoundTree(c, 2, 13, 2, Rgb{200, 110, 40});
}

void ForestPines(Canvas& c, Rng& rng) {
  GrassGround(c, rng, Shade(GrassGreen, -20));
  Pine(c, 4, 0, 8, Rgb{34, 96, 56});
  Pine(c, 11, 2, 8, Rgb{38, 104, 60});
  Pine(c, 7, 7, 8, Rgb{34, 96, 56});
  Pine(c, 13, 9, 6, Rgb{38, 104, 60});
  Pine(c, 2, 10, 5, Rgb{38, 104, 60});
}

void ForestMixed(Canvas& c, Rng& rng) {
  GrassGround(c, rng, Shade(GrassGreen, -30));
  RoundTree(c, 11, 3, 3, Rgb{40, 100, 40});
  Pine(c, 4, 0, 8, Rgb{30, 84, 50});
  RoundTree(c, 4, 11, 3, Rgb{44, 108, 42});
  Pine(c, 11, 7, 8, Rgb{30, 84, 50});
  Pine(c, 15, 9, 6, Rgb{30, 84, 50});
}

void Water(Canvas& c, Rng& rng) { WaterGround(c, rng, Rgb{52, 110, 206}, Rgb{140, 196, 248}, 6); }

void DeepWater(Canvas& c, Rng& rng) { WaterGround(c, rng, Rgb{24, 56, 140}, Rgb{64, 110, 196}, 3); }

void Swamp(Canvas& c, Rng& rng) {
  GrassGround(c, rng, Rgb{92, 104, 58});
  FillEllipse2(c, 10, 9, 8, 4, Rgb{56, 76, 64});
  FillEllipse2(c, 23, 22, 9, 5, Rgb{56, 76, 64});
  FillEllipse2(c, 9, 27, 5, 3, Rgb{56, 76, 64});
  Plot(c, 4, 4, Rgb{90, 120, 100});
  Plot(c, 10, 11, Rgb{90, 120, 100});
  // Reeds with their brown heads, a lily pad.
  for (int x : {2, 13, 7}) {
    int y = x == 7 ? 8 : (x == 2 ? 12 : 5);
    Line(c, x, y, x, y + 3, Rgb{120, 150, 60});
    Plot(c, x, y - 1, Rgb{110, 70, 40});
    Plot(c, x, y, Rgb{110, 70, 40});
  }
  Plot(c, 11, 11, Rgb{90, 160, 70});
  Plot(c, 12, 11, Rgb{90, 160, 70});
}

void Desert(Canvas& c, Rng& rng) {
  SandGround(c, rng);
  // Ripples of the dunes.
  for (int row : {3, 8, 13}) {
    for (int x = 0; x < 16; ++x) {
      int y = row + ((x + row) % 8 < 4 ? 0 : 1);
      Plot(c, x, y, Rgb{198, 168, 104});
      Plot(c, x, y - 1, Rgb{240, 220, 160});
    }
  }
  Plot(c, 5, 6, Rgb{150, 130, 100});
  Plot(c, 12, 11, Rgb{150, 130, 100});
}

void Hills(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  // Humps: a dark rim below, the body, a sunlit cap; the back hump first.
  const int humps[][4] = {{22, 16, 10, 9}, {11, 26, 11, 9}};
  const Rgb body{140, 168, 76};
  for (const auto& hump : humps) {
    int cx2 = hump[0], cy2 = hump[1], rx2 = hump[2], ry2 = hump[3];
    FillEllipse2(c, cx2 + 1, cy2 + 1, rx2, ry2, Rgb{52, 84, 38});
    FillEllipse2(c, cx2, cy2, rx2 - 1, ry2 - 1, body);
    FillEllipse2(c, cx2 - 3, cy2 - 3, rx2 - 6, ry2 - 5, Shade(body, 30));
  }
  Speckle(c, rng, 0, 0, 15, 15, 4);
}

void Mountain(Canvas& c, Rng& rng, bool high) {
  GrassGround(c, rng, Rgb{104, 130, 70});
  const Rgb lit{176, 168, 158}, dark{112, 104, 100};
  int peak = high ? 0 : 3;
  if (high) {
    // A lesser peak behind.
    FillTriangle(c, 8, 15, 13, 4, 16, 15, Shade(dark, -10));
  }
  FillTriangle(c, 0, 15, 7, peak, 7, 15, lit);
  FillTriangle(c, 7, peak, 15, 15, 7, 15, dark);
  // Ridges.
  Line(c, 7, peak + 2, 5, peak + 6, Shade(lit, -26));
  Line(c, 9, peak + 5, 11, peak + 9, Shade(dark, -20));
  if (high) {
    FillTriangle(c, 4, 5, 7, 0, 10, 5, Rgb{244, 246, 250});
    Plot(c, 5, 6, Rgb{244, 246, 250});
    Plot(c, 8, 6, Rgb{214, 220, 232});
    Plot(c, 9, 5, Rgb{200, 208, 224});
    Plot(c, 10, 5, Rgb{200, 208, 224});
  } else {
    Plot(c, 7, 3, Rgb{230, 230, 236});
    Plot(c, 6, 4, Rgb{230, 230, 236});
  }
}

void Road(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  const Rgb earth{176, 140, 92}, rut{150, 114, 74};
  FillRect(c, 0, 6, 15, 9, earth);
  FillRect(c, 6, 0, 9, 15, earth);
  Speckle(c, rng, 0, 6, 15, 9, 8);
  Speckle(c, rng, 6, 0, 9, 15, 8);
  for (int i = 0; i < 16; ++i) {
    if (i < 6 || i > 9) {
      Plot(c, i, 7, rut);
      Plot(c, 7, i, rut);
    }
  }
  Plot(c, 3, 8, Rgb{130, 124, 116});
  Plot(c, 8, 12, Rgb{130, 124, 116});
}

void Village(Canvas& c, Rng& rng, Rgb roof) {
  GrassGround(c, rng, GrassGreen);
  // A trodden square between the houses.
  FillEllipse2(c, 16, 20, 9, 5, Rgb{170, 144, 96});
  Speckle(c, rng, 4, 8, 12, 12, 6);
  House(c, 1, 1, 6, roof);
  House(c, 9, 2, 5, roof);
  House(c, 4, 9, 6, roof);
  Flag(c, 13, 13, roof);
}

void Ruin(Canvas& c, Rng& rng) {
  GrassGround(c, rng, Rgb{100, 140, 70});
  const Rgb wall{160, 154, 146};
  // Broken walls of a square building, open to the sky.
  FillRect(c, 2, 3, 12, 4, wall);
  FillRect(c, 2, 3, 3, 12, wall);
  FillRect(c, 11, 3, 12, 7, wall);
  FillRect(c, 5, 11, 8, 12, wall);
  Plot(c, 7, 3, Rgb{100, 140, 70});
  Plot(c, 8, 3, Rgb{100, 140, 70});
  // Sunlit tops of the walls, weathered faces below them.
  const Canvas plan = c;
  for (int y = 3; y <= 12; ++y)
    for (int x = 2; x <= 12; ++x)
      if (PixelAt(plan, x, y) == wall) {
        bool top = PixelAt(plan, x, y - 1) != wall;
        Plot(c, x, y, Shade(wall, top ? 30 : rng.Range(-16, 4)));
      }
  // Rubble and a fallen column.
  for (int i = 0; i < 7; ++i) {
    int x = rng.Range(4, 14), y = rng.Range(6, 15);
    Plot(c, x, y, Shade(wall, rng.Range(-40, 0)));
  }
  Line(c, 8, 14, 13, 11, Rgb{200, 196, 186});
  Line(c, 8, 15, 13, 12, Rgb{140, 136, 130});
}

void CastleSite(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  const Rgb wall{170, 166, 160}, shade{120, 116, 112}, roof{70, 80, 150};
  FillRect(c, 1, 6, 14, 14, wall);  // curtain wall
  FillRect(c, 1, 13, 14, 14, shade);
  for (int x = 1; x <= 14; x += 2) Plot(c, x, 5, wall);  // battlements
  FillRect(c, 5, 2, 10, 9, Shade(wall, 12));             // keep
  for (int x = 5; x <= 10; x += 2) Plot(c, x, 1, Shade(wall, 12));
  FillRect(c, 0, 4, 2, 14, Shade(wall, -10));  // towers
  FillRect(c, 13, 4, 15, 14, Shade(wall, -10));
  FillTriangle(c, 0, 3, 1, 0, 2, 3, roof);
  FillTriangle(c, 13, 3, 14, 0, 15, 3, roof);
  FillRect(c, 6, 11, 9, 14, DarkHole);  // gate
  FillRect(c, 7, 10, 8, 10, DarkHole);
  Plot(c, 7, 4, DarkHole);
  Plot(c, 8, 4, DarkHole);
  Flag(c, 8, 1, Rgb{220, 40, 40});
}

void Grotto(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  const Rgb rock{140, 124, 104};
  FillEllipse2(c, 16, 20, 16, 14, rock);
  FillEllipse2(c, 13, 17, 11, 10, Shade(rock, 18));
  Speckle(c, rng, 0, 3, 15, 15, 10);
  // The mouth of the cave.
  FillEllipse2(c, 16, 26, 6, 8, DarkHole);
  FillRect(c, 5, 13, 10, 15, DarkHole);
  Plot(c, 6, 10, Shade(rock, -40));
  Plot(c, 9, 10, Shade(rock, -40));
}

void MineSite(Canvas& c, Rng& rng, bool iron) {
  GrassGround(c, rng, Rgb{110, 130, 72});
  const Rgb hill{128, 114, 98};
  FillEllipse2(c, 16, 14, 16, 12, hill);
  Speckle(c, rng, 0, 1, 15, 13, 10);
  // The timbered adit.
  FillRect(c, 5, 5, 10, 11, DarkHole);
  FillRect(c, 4, 4, 11, 4, Timber);
  FillRect(c, 4, 5, 4, 11, Timber);
  FillRect(c, 11, 5, 11, 11, Timber);
  // Rails leading out.
  Line(c, 6, 12, 5, 15, Rgb{120, 120, 130});
  Line(c, 9, 12, 10, 15, Rgb{120, 120, 130});
  Plot(c, 7, 13, Timber);
  Plot(c, 8, 13, Timber);
  Plot(c, 7, 15, Timber);
  Plot(c, 8, 15, Timber);
  Rgb ore = iron ? Rgb{170, 80, 50} : Rgb{130, 124, 120};
  FillEllipse2(c, 27, 27, 4, 3, ore);
  Plot(c, 13, 12, Shade(ore, 40));
  if (iron) {
    FillEllipse2(c, 4, 28, 4, 3, ore);
    Plot(c, 1, 13, Shade(ore, 40));
  }
}

void Well(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  FillCircle(c, 8, 9, 5, Stone);
  Ring(c, 8, 9, 5, Shade(Stone, -40));
  FillCircle(c, 8, 9, 3, Rgb{40, 80, 160});
  Plot(c, 7, 8, Rgb{120, 170, 240});
  // Posts and the little roof with its crank.
  Line(c, 2, 3, 2, 10, Timber);
  Line(c, 14, 3, 14, 10, Timber);
  FillRect(c, 1, 1, 15, 2, Rgb{160, 60, 40});
  FillRect(c, 1, 2, 15, 2, Rgb{120, 44, 30});
  Line(c, 3, 5, 13, 5, Rgb{90, 60, 30});
  Plot(c, 8, 6, Rgb{200, 200, 200});
}

void DungeonEntrance(Canvas& c, Rng& rng) {
  GrassGround(c, rng, Rgb{96, 136, 66});
  // A stone portal over stairs that sink into the dark.
  FillRect(c, 2, 2, 13, 14, Stone);
  Speckle(c, rng, 2, 2, 13, 14, 10);
  for (int step = 0; step < 5; ++step) {
    int y = 5 + 2 * step;
    Rgb tread = Mix(Rgb{150, 146, 140}, DarkHole, step * 56);
    FillRect(c, 4, y, 11, y + 1, tread);
    Line(c, 4, y, 11, y, Shade(tread, 24));
  }
  FillRect(c, 2, 2, 13, 3, Shade(Stone, 25));
  Plot(c, 7, 2, Rgb{230, 226, 210});  // a skull over the way in
  Plot(c, 8, 2, Rgb{230, 226, 210});
  Plot(c, 7, 3, DarkHole);
  Plot(c, 8, 3, Rgb{230, 226, 210});
}

void Lighthouse(Canvas& c, Rng& rng) {
  WaterGround(c, rng, Rgb{52, 110, 206}, Rgb{140, 196, 248}, 4);
  FillEllipse2(c, 16, 28, 14, 6, Rgb{214, 192, 130});  // a sandy islet
  FillEllipse2(c, 16, 28, 9, 4, Rgb{130, 120, 110});
  // The striped tower and its lamp.
  for (int y = 4; y <= 13; ++y) {
    int half = y < 8 ? 1 : 2;
    Rgb band = ((y / 2) % 2) ? Rgb{220, 40, 40} : Rgb{244, 244, 240};
    FillRect(c, 8 - half, y, 7 + half, y, band);
    Plot(c, 7 + half, y, Shade(band, -50));
  }
  FillRect(c, 6, 3, 9, 3, Rgb{60, 60, 70});
  FillRect(c, 7, 1, 8, 2, Rgb{255, 236, 120});
  Plot(c, 7, 0, Rgb{60, 60, 70});
  Plot(c, 8, 0, Rgb{60, 60, 70});
  // Beams.
  Line(c, 5, 1, 1, 0, Rgb{255, 246, 170});
  Line(c, 10, 1, 14, 0, Rgb{255, 246, 170});
  Line(c, 5, 2, 0, 3, Rgb{250, 236, 150});
  Line(c, 10, 2, 15, 3, Rgb{250, 236, 150});
}

void Rift(Canvas& c, Rng& rng) {
  DirtGround(c, rng, Rgb{112, 100, 88});
  const int path[][2] = {{0, 2}, {3, 5}, {5, 4}, {8, 8}, {10, 9}, {12, 12}, {15, 14}};
  for (int i = 0; i + 1 < 7; ++i) {
    ThickLine(c, path[i][0], path[i][1], path[i + 1][0], path[i + 1][1], 4, Rgb{150, 60, 160});
  }
  for (int i = 0; i + 1 < 7; ++i) {
    ThickLine(c, path[i][0], path[i][1], path[i + 1][0], path[i + 1][1], 2, Rgb{24, 10, 30});
  }
  for (int i = 0; i + 1 < 7; ++i) Plot(c, path[i][0], path[i][1] - 2, Rgb{230, 140, 240});
}

}  // namespace

void AddLandPictures(std::vector<Picture>& out) {
  auto add = [&out](const char* name, Painter paint) {
    out.push_back(Picture{"bmp_land", name, 16, 16, GrassGreen, paint});
  };
  add("plain", Plain);
  add("forest", Forest);
  add("forest_fruit", ForestFruit);
  add("forest_gray", ForestGray);
  add("water", Water);
  add("water_deep", DeepWater);
  add("swamp_a", Swamp);
  add("desert_a", Desert);
  add("hills_a", Hills);
  add("mountain", [](Canvas& c, Rng& r) { Mountain(c, r, false); });
  add("mountain_high_a", [](Canvas& c, Rng& r) { Mountain(c, r, true); });
  add("forest_leaf", ForestLeaf);  // also the site picture 193
  // The road is also the path mark the map view lays over tiles (drawn keyed); it has no key
  // colour in it, so a marked cell shows the road.
  add("road_b", Road);
  add("forest_b", ForestPines);
  add("forest_c", ForestMixed);
  add("village_b", [](Canvas& c, Rng& r) { Village(c, r, Rgb{150, 84, 50}); });
  add("village_b_yellow", [](Canvas& c, Rng& r) { Village(c, r, Rgb{230, 190, 50}); });
  add("village_b_blue", [](Canvas& c, Rng& r) { Village(c, r, Rgb{60, 96, 210}); });
  add("village_b_green", [](Canvas& c, Rng& r) { Village(c, r, Rgb{50, 160, 60}); });
  add("village_b_red", [](Canvas& c, Rng& r) { Village(c, r, Rgb{210, 46, 40}); });
  add("ruin_a", Ruin);
  add("castle_a", CastleSite);
  add("grottus", Grotto);
  add("mine", [](Canvas& c, Rng& r) { MineSite(c, r, false); });
  add("iron_mine", [](Canvas& c, Rng& r) { MineSite(c, r, true); });
  add("well", Well);
  add("dungeon_a", DungeonEntrance);
  add("lighttower_a", Lighthouse);
  add("rift_a", Rift);
}

}  // namespace assets
