// The buildings of ".\bmp_structure": 16 x 16 tiles on grass, seen from the front and a little
// above like the village houses of the land tiles.
#include "tools/assets/assets.h"
#include "tools/assets/tiles.h"

namespace assets {

namespace {

constexpr Rgb Wall{226, 210, 170};
constexpr Rgb StoneWallColour{168, 164, 156};
constexpr Rgb Timber{120, 80, 42};
constexpr Rgb Dark{34, 28, 30};
constexpr Rgb Slate{84, 90, 110};

// A gabled building: roof rows from `top`, walls below to `bottom`.
void Building(Canvas& c, int x0, int x1, int top, int roofRows, int bottom, Rgb roof, Rgb wall) {
  for (int i = 0; i < roofRows; ++i) {
    int inset = roofRows - 1 - i;
    FillRect(c, x0 + inset, top + i, x1 - inset, top + i, i == 0 ? Shade(roof, 25) : roof);
  }
  FillRect(c, x0, top + roofRows - 1, x1, top + roofRows - 1, Shade(roof, -35));
  FillRect(c, x0, top + roofRows, x1, bottom, wall);
  Line(c, x1, top + roofRows, x1, bottom, Shade(wall, -40));
  for (int x = x0; x <= x1 + 1; ++x)
    if (Inside(c, x, bottom + 1)) Plot(c, x, bottom + 1, Scale(PixelAt(c, x, bottom + 1), 70));
}

void Hart(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  ScaleEllipse2(c, 17, 29, 11, 3, 70);
  Stamp(c, 0, 0,
        {".a.a............", "..a..a..........", ".aaaa...........", "...aa...........",
         "...HH...........", "..HKH...........", ".NHHH...........", "...HHB..........",
         "....HBBBBBBBBt..", "....BBBBBBBBBt..", "....BBBBBBBBB...", "....BbBBBBBbB...",
         "....b.b...b.b...", "....b.b...b.b...", "....d.d...d.d..."},
        {{'a', Rgb{210, 190, 150}},
         {'H', Rgb{150, 96, 56}},
         {'B', Rgb{160, 104, 60}},
         {'b', Rgb{120, 76, 44}},
         {'d', Rgb{60, 40, 30}},
         {'t', Rgb{240, 236, 226}},
         {'K', Dark},
         {'N', Dark}});
  // The pale belly and the white rump.
  Line(c, 6, 11, 10, 11, Rgb{200, 160, 120});
}

void Farm(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  // Ploughed rows and ripe wheat.
  for (int y = 9; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      bool wheat = x >= 8;
      Rgb base = wheat ? Rgb{226, 196, 80} : Rgb{130, 92, 56};
      Plot(c, x, y, (y % 2) ? Shade(base, -34) : base);
    }
  Building(c, 1, 9, 1, 3, 7, Rgb{176, 50, 40}, Rgb{190, 70, 50});
  FillRect(c, 4, 5, 6, 7, Rgb{240, 236, 226});  // barn doors
  Line(c, 4, 5, 6, 7, Rgb{170, 50, 40});
  Line(c, 6, 5, 4, 7, Rgb{170, 50, 40});
  // The silo.
  FillRect(c, 12, 2, 14, 8, Rgb{200, 200, 206});
  FillRect(c, 12, 1, 14, 1, Slate);
  Line(c, 14, 2, 14, 8, Rgb{150, 150, 160});
}

void Merchant(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  FillEllipse2(c, 16, 24, 15, 8, Rgb{170, 144, 96});
  // Awning in stripes over the counter.
  for (int x = 1; x <= 14; ++x) {
    Rgb stripe = ((x / 2) % 2) ? Rgb{220, 40, 40} : Rgb{244, 240, 232};
    FillRect(c, x, 2, x, 4, stripe);
    Plot(c, x, 5, (x % 2) ? stripe : Shade(stripe, -60));
  }
  Line(c, 2, 5, 2, 12, Timber);
  Line(c, 13, 5, 13, 12, Timber);
  FillRect(c, 2, 9, 13, 12, Timber);
  Line(c, 2, 9, 13, 9, Shade(Timber, 40));
  // Goods on the counter: fruit, a pot, cloth.
  Plot(c, 4, 8, Rgb{230, 60, 40});
  Plot(c, 5, 8, Rgb{250, 170, 40});
  Plot(c, 4, 7, Rgb{90, 180, 60});
  FillRect(c, 8, 7, 9, 8, Rgb{170, 110, 70});
  FillRect(c, 11, 8, 12, 8, Rgb{70, 100, 200});
  FillRect(c, 1, 13, 3, 14, Rgb{150, 110, 60});  // a crate
  RectOutline(c, 1, 13, 3, 14, Shade(Timber, -20));
}

void Quarry(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  // Terraces cut down into the rock.
  const Rgb rock{176, 170, 160};
  for (int level = 0; level < 4; ++level) {
    int inset = 1 + 2 * level;
    Rgb tone = Shade(rock, -18 * level);
    FillRect(c, inset, inset, 15 - inset, 15 - inset, tone);
    Line(c, inset, inset, 15 - inset, inset, Shade(tone, -40));
  }
  Speckle(c, rng, 1, 1, 14, 14, 8);
  // Cut blocks waiting at the rim.
  FillRect(c, 12, 12, 14, 14, Rgb{214, 210, 200});
  Line(c, 12, 14, 14, 14, Rgb{140, 136, 130});
  FillRect(c, 1, 13, 3, 14, Rgb{214, 210, 200});
  Plot(c, 6, 7, Rgb{90, 90, 96});  // a pick left in the pit
  Plot(c, 7, 8, Timber);
  Plot(c, 8, 9, Timber);
}

void Stable(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  Building(c, 0, 12, 1, 3, 9, Rgb{150, 100, 50}, Rgb{170, 120, 70});
  for (int x = 1; x <= 11; x += 2) Line(c, x, 4, x, 9, Shade(Rgb{170, 120, 70}, -30));
  FillRect(c, 3, 6, 5, 9, Dark);  // the stall doors, one with a horse looking out
  FillRect(c, 8, 6, 10, 9, Dark);
  FillRect(c, 4, 6, 5, 8, Rgb{110, 70, 40});
  Plot(c, 3, 7, Rgb{110, 70, 40});
  Plot(c, 5, 6, Rgb{60, 40, 24});
  // A hay bale and the fence.
  FillRect(c, 13, 7, 15, 9, Rgb{230, 200, 90});
  Line(c, 13, 8, 15, 8, Rgb{200, 170, 70});
  Line(c, 0, 12, 15, 12, Timber);
  Line(c, 0, 14, 15, 14, Timber);
  for (int x = 1; x < 16; x += 4) Line(c, x, 11, x, 15, Shade(Timber, -20));
}

void Tower(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  ScaleEllipse2(c, 20, 30, 10, 3, 70);
  FillRect(c, 5, 5, 10, 14, StoneWallColour);
  for (int y = 6; y <= 14; y += 2) Line(c, 5, y, 10, y, Shade(StoneWallColour, -24));
  Line(c, 9, 5, 9, 14, Shade(StoneWallColour, -30));
  Line(c, 10, 5, 10, 14, Shade(StoneWallColour, -50));
  Line(c, 5, 5, 5, 14, Shade(StoneWallColour, 24));
  FillTriangle(c, 4, 5, 7, 0, 11, 5, Slate);
  Line(c, 7, 0, 4, 5, Shade(Slate, 40));
  Plot(c, 7, 8, Dark);  // windows
  Plot(c, 7, 9, Dark);
  FillRect(c, 7, 12, 8, 14, Timber);  // door
  Flag(c, 7, 0, Rgb{220, 40, 40});
}

void Barrack(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  Building(c, 0, 15, 2, 3, 10, Slate, StoneWallColour);
  FillRect(c, 7, 7, 8, 10, Timber);
  for (int x : {2, 12}) {
    FillRect(c, x, 6, x + 1, 6, Dark);  // windows
  }
  // Shields on the wall and a banner.
  for (int x : {4, 10}) {
    FillRect(c, x, 7, x + 1, 8, Rgb{180, 40, 40});
    Plot(c, x, 9, Rgb{180, 40, 40});
    Plot(c, x + 1, 7, Rgb{230, 200, 80});
  }
  Flag(c, 14, 2, Rgb{60, 90, 200});
  // A rack of spears in front.
  for (int x = 2; x <= 6; x += 2) {
    Line(c, x, 11, x, 15, Timber);
    Plot(c, x, 11, Rgb{210, 210, 220});
  }
}

void Blacksmith(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  Building(c, 0, 10, 3, 3, 10, Rgb{110, 70, 50}, Wall);
  FillRect(c, 8, 0, 9, 3, StoneWallColour);  // chimney and its smoke
  Plot(c, 10, 0, Rgb{190, 190, 196});
  Plot(c, 11, 1, Rgb{160, 160, 170});
  FillRect(c, 2, 7, 5, 10, Dark);  // the forge glowing in the open front
  FillRect(c, 3, 9, 4, 10, Rgb{250, 120, 30});
  Plot(c, 3, 8, Rgb{255, 220, 100});
  FillRect(c, 7, 7, 8, 10, Timber);
  // The anvil out front, a hammer leaning on it.
  Stamp(c, 10, 11, {"aaaaa", ".aaa.", "..a..", ".aaa."}, {{'a', Rgb{80, 84, 96}}});
  Line(c, 10, 11, 14, 11, Rgb{150, 154, 166});
  Line(c, 14, 13, 15, 15, Timber);
  Plot(c, 14, 12, Rgb{120, 120, 130});
}

void Castle(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  const Rgb wall = StoneWallColour, shade{120, 116, 110};
  FillRect(c, 0, 7, 15, 15, wall);
  for (int x = 0; x <= 15; x += 2) Plot(c, x, 6, wall);
  FillRect(c, 0, 14, 15, 15, shade);
  FillRect(c, 4, 1, 11, 8, Shade(wall, 14));  // the keep
  for (int x = 4; x <= 11; x += 2) Plot(c, x, 0, Shade(wall, 14));
  Line(c, 11, 1, 11, 8, Shade(wall, -20));
  Plot(c, 6, 4, Dark);
  Plot(c, 9, 4, Dark);
  FillRect(c, 0, 4, 2, 15, Shade(wall, -8));  // corner towers
  FillRect(c, 13, 4, 15, 15, Shade(wall, -8));
  Plot(c, 0, 3, wall);
  Plot(c, 2, 3, wall);
  Plot(c, 13, 3, wall);
  Plot(c, 15, 3, wall);
  FillRect(c, 6, 11, 9, 15, Dark);  // the gate, portcullis half raised
  FillRect(c, 7, 10, 8, 10, Dark);
  for (int x = 6; x <= 9; ++x) Plot(c, x, 12, Rgb{90, 90, 100});
  Line(c, 6, 11, 9, 11, Rgb{90, 90, 100});
  Speckle(c, rng, 0, 0, 15, 15, 5);
}

void Church(Canvas& c, Rng& rng) {
  GrassGround(c, rng, GrassGreen);
  Building(c, 1, 11, 5, 3, 13, Rgb{130, 60, 50}, Rgb{236, 230, 214});
  // The steeple with its cross.
  FillRect(c, 11, 4, 14, 13, Rgb{236, 230, 214});
  Line(c, 14, 4, 14, 13, Rgb{190, 184, 170});
  FillTriangle(c, 10, 4, 12, 0, 15, 4, Slate);
  Line(c, 12, 0, 12, 0, Rgb{230, 196, 70});
  Plot(c, 12, 5, Rgb{230, 196, 70});
  FillRect(c, 12, 7, 13, 8, Rgb{90, 140, 220});  // stained glass
  Plot(c, 12, 7, Rgb{220, 70, 70});
  FillRect(c, 5, 10, 6, 13, Timber);
  Plot(c, 5, 9, Timber);
  Plot(c, 6, 9, Timber);
  Plot(c, 3, 10, Rgb{90, 140, 220});
  Plot(c, 9, 10, Rgb{90, 140, 220});
  // A cross above the door.
  Line(c, 5, 3, 5, 6, Rgb{230, 196, 70});
  Line(c, 4, 4, 6, 4, Rgb{230, 196, 70});
}

}  // namespace

void AddStructurePictures(std::vector<Picture>& out) {
  auto add = [&out](const char* name, Painter paint) {
    out.push_back(Picture{"bmp_structure", name, 16, 16, GrassGreen, paint});
  };
  add("hart", Hart);
  add("structure_farm", Farm);
  add("structure_merchant", Merchant);
  add("structure_quary", Quarry);
  add("structure_stable", Stable);
  add("structure_tower", Tower);
  add("structure_barrack", Barrack);
  add("structure_blacksmith", Blacksmith);
  add("structure_castle", Castle);
  add("structure_church", Church);
}

}  // namespace assets
