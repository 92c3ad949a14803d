// The creature pictures of ".\bmp_unit": 16 x 16 figures on the key colour.
#include "tools/assets/assets.h"
#include "tools/assets/figures.h"

namespace assets {

namespace {

// ---- Beasts drawn from their own templates ---------------------------------------------------

void Rat(Canvas& c, Rng& rng) {
  Stamp(c, 0, 5,
        {"................", "..ee............", ".eFFe..FFFF.....", "..FFFFFFFFFFF...",
         ".FKFFFFFFFFFFF..", "NFFFFFFFFFFFFF..", ".FFFFFFFFFFFFFtt", "..FFFFFFFFFFF..t",
         "..ff.ff..ff.f..t", "..............t.", "...........ttt.."},
        {{'F', Rgb{128, 112, 100}},
         {'f', Rgb{96, 80, 72}},
         {'e', Rgb{222, 150, 150}},
         {'K', Rgb{210, 30, 40}},
         {'N', Rgb{236, 150, 160}},
         {'t', Rgb{210, 150, 140}}});
  SpeckleSprite(c, rng, 8);
  FinishSprite(c);
}

void Dog(Canvas& c, Rgb coat, Rgb eye, bool spikes) {
  Stamp(c, 0, 3,
        {"..E.............", ".EHHH...........", ".HKHH...........", "NHHHHH.......T..",
         ".mHHHBBBBBBBBT..", "...HBBBBBBBBB...", "...BBBBBBBBBB...", "...BBBBBBBBBB...",
         "...BB.B...B.BB..", "...b..b...b..b..", "...b..b...b..b..", "..bb.bb..bb.bb.."},
        {{'H', coat},
         {'B', coat},
         {'E', Shade(coat, -45)},
         {'b', Shade(coat, -30)},
         {'K', eye},
         {'N', Rgb{40, 30, 30}},
         {'m', Rgb{220, 90, 100}},
         {'T', Shade(coat, -20)}});
  if (spikes)
    for (int x = 5; x <= 12; x += 2) Plot(c, x, 6, Rgb{220, 210, 190});
  FinishSprite(c);
}

void Bear(Canvas& c, Rng& rng) {
  Stamp(c, 0, 5,
        {"................", "..ww............", ".wWWW..WWWWW....", ".WKWWWWWWWWWWW..",
         "NWWWWWWWWWWWWWW.", ".WWWWWWWWWWWWWW.", "..WWWWWWWWWWWWW.", "...WWW..WW.WWW..",
         "...WW...WW..WW..", "..www..www.www.."},
        {{'W', Rgb{232, 234, 240}},
         {'w', Rgb{196, 200, 212}},
         {'K', Rgb{40, 30, 40}},
         {'N', Rgb{40, 30, 40}}});
  SpeckleSprite(c, rng, 6);
  FinishSprite(c);
}

void Serpent(Canvas& c, Rgb scales, Rgb belly, bool fiery, Rng& rng) {
  Stamp(c, 0, 2,
        {"...HHH..........", "..HKHHH.........", "tHHHHHH.........", "...HHH..........",
         "....HHH.........", ".....HHH........", "......HHH.......", ".......HHH......",
         "...SSSSSSHH.....", "..SSbbbbSSSSS...", ".SSbSSSSbbSSSS..", ".SSSbbbbbSSSSSS.",
         "..SSSSSSSSSSSSS."},
        {{'H', scales},
         {'S', scales},
         {'b', belly},
         {'K', Rgb{250, 220, 60}},
         {'t', Rgb{220, 40, 50}}});
  // Scale pattern along the back.
  for (int i = 0; i < 7; ++i) Plot(c, 4 + i, 3 + i, Shade(scales, -40));
  if (fiery) DrawFlames(c, rng, 2, 0, 6, 1, true);
  FinishSprite(c);
}

void Fungus(Canvas& c, Rng&) {
  StampMirrored(c, 0, 0,
                {"........", "........", "........", "....RRRR", "...RRWRR", "..RWRRRR", ".RRRRRWR",
                 ".RRRRRRR", "..dddddd", "....SSSS", "....SSeS", "....SSSS", "....SSmm", "...SSSSS",
                 "..SSSSSS"},
                {{'R', Rgb{150, 60, 170}},
                 {'W', Rgb{230, 220, 240}},
                 {'d', Rgb{110, 60, 90}},
                 {'S', Rgb{224, 212, 180}},
                 {'e', Rgb{40, 30, 40}},
                 {'m', Rgb{120, 60, 60}}});
  FinishSprite(c);
}

void Beetle(Canvas& c, Rgb shell, Rgb head, bool fiery, Rng& rng) {
  Rgb legs = Shade(shell, -50);
  // Legs first, under the shell.
  for (int side = 0; side < 2; ++side) {
    auto x = [side](int v) { return side ? 15 - v : v; };
    Line(c, x(4), 7, x(1), 5, legs);
    Line(c, x(4), 10, x(1), 10, legs);
    Line(c, x(4), 12, x(1), 15, legs);
    Line(c, x(6), 2, x(4), 0, legs);  // antennae
  }
  FillEllipse2(c, 16, 5, 5, 3, head);
  FillEllipse2(c, 16, 19, 10, 12, shell);
  Line(c, 7, 4, 7, 14, Shade(shell, -45));
  Line(c, 8, 4, 8, 14, Shade(shell, -45));
  Plot(c, 5, 8, Shade(shell, 70));
  Plot(c, 5, 9, Shade(shell, 50));
  Plot(c, 10, 8, Shade(shell, 40));
  Plot(c, 6, 2, Rgb{250, 240, 200});
  Plot(c, 9, 2, Rgb{250, 240, 200});
  if (fiery) {
    Plot(c, 4, 11, Rgb{255, 230, 100});
    Plot(c, 11, 11, Rgb{255, 230, 100});
    DrawFlames(c, rng, 5, 12, 10, 15, false);
  }
  FinishSprite(c);
}

void Spider(Canvas& c, Rng&) {
  Rgb leg{70, 56, 60}, body{92, 70, 76};
  for (int side = 0; side < 2; ++side) {
    auto x = [side](int v) { return side ? 15 - v : v; };
    // Four legs a side: up to the knee, then down to the floor.
    Line(c, x(6), 6, x(3), 2, leg);
    Line(c, x(3), 2, x(1), 5, leg);
    Line(c, x(6), 7, x(2), 5, leg);
    Line(c, x(2), 5, x(0), 9, leg);
    Line(c, x(6), 8, x(2), 9, leg);
    Line(c, x(2), 9, x(0), 13, leg);
    Line(c, x(6), 9, x(3), 12, leg);
    Line(c, x(3), 12, x(2), 15, leg);
  }
  FillEllipse2(c, 16, 13, 6, 5, body);
  FillEllipse2(c, 16, 23, 9, 9, body);
  // The hourglass on the back and a row of red eyes.
  Plot(c, 7, 11, Rgb{200, 40, 40});
  Plot(c, 8, 11, Rgb{200, 40, 40});
  Plot(c, 7, 13, Rgb{200, 40, 40});
  Plot(c, 8, 13, Rgb{200, 40, 40});
  Plot(c, 7, 12, Rgb{140, 30, 30});
  Plot(c, 8, 12, Rgb{140, 30, 30});
  Plot(c, 6, 5, Rgb{255, 60, 60});
  Plot(c, 9, 5, Rgb{255, 60, 60});
  Plot(c, 7, 4, Rgb{255, 60, 60});
  Plot(c, 8, 4, Rgb{255, 60, 60});
  FinishSprite(c);
}

void Worm(Canvas& c, Rng&) {
  Rgb skin{214, 130, 130}, ring{176, 96, 100};
  // Segments along a rising curve, tail first so the head lies on top.
  const int points[][2] = {{2, 14}, {4, 13}, {6, 13}, {8, 12}, {10, 11},
                           {11, 9}, {11, 7}, {10, 5}, {8, 4}};
  int count = static_cast<int>(sizeof(points) / sizeof(points[0]));
  for (int i = 0; i < count; ++i) {
    int r = i < 2 ? 1 : 2;
    FillCircle(c, points[i][0], points[i][1], r, (i % 2) ? ring : skin);
  }
  // The round mouth with its teeth.
  FillCircle(c, 7, 4, 2, Rgb{120, 40, 50});
  Plot(c, 7, 4, Rgb{60, 20, 30});
  Plot(c, 6, 2, Rgb{240, 236, 220});
  Plot(c, 5, 4, Rgb{240, 236, 220});
  Plot(c, 7, 6, Rgb{240, 236, 220});
  FinishSprite(c);
}

void GelatinousCube(Canvas& c, Rng&) {
  Rgb front{110, 210, 190}, top{170, 240, 220}, side{80, 170, 160}, edge{220, 255, 245};
  FillRect(c, 2, 6, 11, 15, front);
  for (int k = 0; k < 3; ++k) Line(c, 3 + k, 5 - k, 12 + k, 5 - k, top);
  for (int k = 0; k < 3; ++k) Line(c, 12 + k, 5 - k, 12 + k, 14 - k, side);
  Line(c, 2, 6, 11, 6, edge);
  Line(c, 11, 6, 14, 3, edge);
  Line(c, 2, 6, 5, 3, edge);
  // What it has swallowed: a skull and a bone.
  Stamp(c, 3, 8, {".www.", "wdwdw", "wwwww", ".w.w."},
        {{'w', Rgb{214, 230, 200}}, {'d', Rgb{60, 100, 90}}});
  Line(c, 7, 14, 10, 12, Rgb{214, 230, 200});
  Plot(c, 3, 14, Rgb{230, 255, 250});
  FinishSprite(c);
}

void FloatingEye(Canvas& c, Rng&) {
  Rgb wing{110, 70, 110};
  Stamp(c, 0, 4, {"ww............ww", ".www........www.", "..wwww....wwww..", "...ww......ww..."},
        {{'w', wing}});
  FillEllipse2(c, 16, 16, 11, 11, Rgb{240, 236, 228});
  FillEllipse2(c, 17, 17, 6, 6, Rgb{50, 150, 90});
  FillEllipse2(c, 17, 17, 3, 3, Rgb{30, 30, 40});
  Plot(c, 7, 6, Rgb{255, 255, 255});
  // Veins.
  Plot(c, 4, 9, Rgb{210, 60, 60});
  Plot(c, 5, 10, Rgb{210, 60, 60});
  Plot(c, 11, 12, Rgb{210, 60, 60});
  Plot(c, 10, 4, Rgb{210, 60, 60});
  FinishSprite(c);
}

void MageEye(Canvas& c, Rng&) {
  Rgb skin{150, 80, 170}, stalk{120, 64, 140}, eye{250, 240, 120};
  // Eye stalks, each with its small eye.
  Line(c, 5, 6, 2, 2, stalk);
  Line(c, 8, 5, 8, 1, stalk);
  Line(c, 10, 6, 13, 2, stalk);
  for (int p : {2, 8, 13}) {
    FillCircle(c, p, p == 8 ? 1 : 2, 1, stalk);
    Plot(c, p, p == 8 ? 1 : 2, eye);
  }
  FillEllipse2(c, 16, 20, 12, 11, skin);
  FillEllipse2(c, 16, 17, 6, 5, Rgb{244, 240, 230});
  FillEllipse2(c, 16, 17, 3, 3, Rgb{200, 40, 60});
  Plot(c, 7, 8, Rgb{30, 20, 30});
  Plot(c, 8, 8, Rgb{30, 20, 30});
  // The grin.
  Line(c, 5, 12, 10, 12, Rgb{60, 20, 50});
  Plot(c, 6, 12, Rgb{240, 240, 230});
  Plot(c, 9, 12, Rgb{240, 240, 230});
  FinishSprite(c);
}

void Mantis(Canvas& c, Rng&) {
  Stamp(c, 0, 0,
        {"..a.............", "...a............", "..HHH...........", ".KHHH...........",
         "..HH.S..........", "...HSS..........", "..SS.HH.........", ".S....HH........",
         "......HHBBBB....", ".....LHBBBBBBB..", "....L..LBBBBBBB.", "...L..L..L.BBB..",
         "...L.L...L......", "..L..L....L.....", "..L...L....L...."},
        {{'H', Rgb{110, 190, 80}},
         {'B', Rgb{130, 200, 90}},
         {'S', Rgb{160, 220, 110}},
         {'L', Rgb{90, 150, 60}},
         {'a', Rgb{90, 150, 60}},
         {'K', Rgb{230, 60, 40}}});
  FinishSprite(c);
}

void RustMonster(Canvas& c, Rng& rng) {
  Stamp(c, 0, 2,
        {"..a.a...........", ".a...a..........", "a..a..a.........", "..a.a...........",
         "...HH...........", "..HKHBBBBBB.....", ".HHHBBBBBBBBB...", "..HBBbBBbBBBBB..",
         "...BBBBBBBBBBBBT", "...BBBBBBBBBBB.T", "....L.L..L.L..TT", "....L.L..L.L....",
         "...LL.LL.LL.LL.."},
        {{'a', Rgb{200, 120, 60}},
         {'H', Rgb{184, 100, 50}},
         {'B', Rgb{196, 104, 46}},
         {'b', Rgb{140, 70, 36}},
         {'L', Rgb{150, 80, 40}},
         {'T', Rgb{220, 140, 70}},
         {'K', Rgb{250, 230, 90}}});
  SpeckleSprite(c, rng, 10);
  FinishSprite(c);
}

void Dragon(Canvas& c, Rgb hide, Rgb belly, Rgb wing, Rng& rng) {
  Stamp(c, 0, 0,
        {"........W.......", ".......WWW......", "......WwWWW.....", ".....WwWWWWW....",
         "..HH.WwwWWWWW...", ".HKHH.WwwWWWW...", "HHHHHH.Www.WW...", "jj..HHBBBB......",
         "....HBBBBBBB....", ".....BBbbbBBB...", ".....BbbbbbBBB..", ".....BBbbbBBBBB.",
         ".....BB.BB..BBBT", "....BB..BB...TT.", "...............T"},
        {{'H', hide},
         {'B', hide},
         {'T', hide},
         {'b', belly},
         {'W', wing},
         {'w', Shade(wing, -50)},
         {'K', Rgb{255, 230, 60}},
         {'j', Rgb{255, 170, 40}}});
  SpeckleSprite(c, rng, 6);
  FinishSprite(c);
}

void Hydra(Canvas& c, Rng& rng) {
  Rgb hide{70, 150, 90};
  StampMirrored(c, 0, 0,
                {"........", ".hh...hh", "hKh..hKh", "hhh...hh", ".hn....n", "..n....n", "..n....n",
                 "...n...n", "...nBBBB", "...BBBBB", "..BBbbbb", "..BBbbbb", "..BBBBBB", "..LL..BB",
                 "..LL....", ".LLL...."},
                {{'h', hide},
                 {'n', hide},
                 {'B', hide},
                 {'L', Shade(hide, -30)},
                 {'b', Rgb{200, 210, 120}},
                 {'K', Rgb{250, 220, 60}}});
  SpeckleSprite(c, rng, 6);
  FinishSprite(c);
}

void Basilisk(Canvas& c, Rng& rng) {
  Stamp(c, 0, 5,
        {"..cc............", ".cHHc...........", ".HKHHH..........", "NHHHHHBBBBBBB...",
         ".jHHHBBBBBBBBBB.", "...LBBbbbbbBBBBT", "..L.L.L..L.L..TT", ".LL.L.LL.LL.L..."},
        {{'c', Rgb{230, 60, 50}},
         {'H', Rgb{170, 180, 70}},
         {'B', Rgb{150, 164, 60}},
         {'b', Rgb{220, 210, 140}},
         {'L', Rgb{120, 130, 50}},
         {'T', Rgb{150, 164, 60}},
         {'K', Rgb{255, 60, 40}},
         {'N', Rgb{120, 130, 50}},
         {'j', Rgb{200, 80, 80}}});
  for (int x = 6; x <= 13; x += 2) Plot(c, x, 7, Rgb{110, 120, 40});
  SpeckleSprite(c, rng, 8);
  FinishSprite(c);
}

void Slime(Canvas& c, Rng&) {
  Rgb jelly{96, 200, 80};
  FillEllipse2(c, 16, 24, 14, 10, jelly);
  FillEllipse2(c, 16, 30, 15, 3, Shade(jelly, -30));
  StampMirrored(c, 0, 9, {".....ww.", ".....wd."},
                {{'w', Rgb{240, 255, 230}}, {'d', Rgb{30, 60, 30}}});
  Plot(c, 4, 9, Rgb{200, 255, 190});
  Plot(c, 5, 8, Rgb{200, 255, 190});
  FinishSprite(c);
}

// ---- People ----------------------------------------------------------------------------------

void Goblin(Canvas& c, Rng&) {
  Humanoid h;
  h.build = Build::Short;
  h.skin = {120, 170, 70};
  h.hair = {70, 60, 40};
  h.eyes = {230, 50, 40};
  h.pointyEars = true;
  h.body = {120, 90, 60};
  h.legs = {90, 70, 50};
  h.weapon = Weapon::Dagger;
  DrawHumanoid(c, h);
}

void Nabos(Canvas& c, Rng&) {
  Humanoid h;
  h.build = Build::Short;
  h.head = Head::Bald;
  h.skin = {120, 110, 190};
  h.eyes = {255, 220, 80};
  h.pointyEars = true;
  h.body = {160, 60, 60};
  h.belt = {200, 170, 60};
  h.legs = {80, 60, 110};
  h.weapon = Weapon::Spear;
  DrawHumanoid(c, h);
}

void Orc(Canvas& c, Rng&) {
  Humanoid h;
  h.build = Build::Big;
  h.skin = {104, 136, 84};
  h.hair = {40, 40, 36};
  h.eyes = {240, 200, 60};
  h.tusks = true;
  h.body = {110, 96, 86};
  h.belt = {70, 50, 30};
  h.legs = {70, 60, 50};
  h.weapon = Weapon::Axe;
  DrawHumanoid(c, h);
}

void Ogre(Canvas& c, Rng&) {
  Humanoid h;
  h.build = Build::Big;
  h.head = Head::Bald;
  h.skin = {150, 156, 92};
  h.eyes = {230, 200, 60};
  h.tusks = true;
  h.body = {150, 156, 92};  // bare chest
  h.belt = {110, 76, 40};
  h.legs = {120, 84, 48};
  h.feet = {90, 62, 36};
  h.weapon = Weapon::Club;
  DrawHumanoid(c, h);
  // A strap across the chest and the heavy brow.
  Line(c, 4, 6, 10, 11, Rgb{100, 66, 36});
  Line(c, 5, 2, 10, 2, Rgb{110, 116, 66});
  Plot(c, 8, 8, Rgb{176, 182, 114});
  Plot(c, 9, 9, Rgb{176, 182, 114});
}

void Minotaur(Canvas& c, Rng&) {
  Humanoid h;
  h.build = Build::Big;
  h.head = Head::BullHead;
  h.skin = {130, 84, 50};
  h.hair = {90, 56, 34};
  h.eyes = {230, 40, 40};
  h.body = {130, 84, 50};
  h.belt = {60, 40, 30};
  h.legs = {100, 64, 40};
  h.weapon = Weapon::Axe;
  DrawHumanoid(c, h);
}

void Dwarf(Canvas& c, Rng&) {
  Humanoid h;
  h.build = Build::Short;
  h.head = Head::HornedHelmet;
  h.headgear = {160, 160, 170};
  h.beard = true;
  h.beardColour = {210, 110, 40};
  h.body = {140, 140, 150};
  h.belt = {110, 70, 30};
  h.legs = {90, 70, 50};
  h.weapon = Weapon::Axe;
  DrawHumanoid(c, h);
}

void Mage(Canvas& c, Rng&) {
  Humanoid h;
  h.build = Build::Robe;
  h.head = Head::PointyHat;
  h.headgear = {60, 70, 170};
  h.beard = true;
  h.beardColour = {230, 230, 236};
  h.body = {60, 70, 170};
  h.belt = {230, 190, 70};
  h.weapon = Weapon::Staff;
  h.weaponTip = {120, 220, 255};
  DrawHumanoid(c, h);
}

void Cleric(Canvas& c, Rng&) {
  Humanoid h;
  h.build = Build::Robe;
  h.head = Head::Hood;
  h.headgear = {236, 232, 220};
  h.body = {236, 232, 220};
  h.belt = {220, 180, 60};
  h.emblem = true;
  h.weapon = Weapon::Mace;
  h.weaponColour = {230, 200, 90};
  DrawHumanoid(c, h);
}

void Fighter(Canvas& c, Rng&) {
  Humanoid h;
  h.head = Head::Helmet;
  h.headgear = {170, 172, 184};
  h.body = {160, 164, 178};
  h.belt = {120, 80, 40};
  h.legs = {100, 90, 80};
  h.weapon = Weapon::Sword;
  h.shield = true;
  h.shieldColour = {40, 70, 160};
  DrawHumanoid(c, h);
}

void Bandit(Canvas& c, Rng&) {
  Humanoid h;
  h.head = Head::Hood;
  h.headgear = {70, 76, 60};
  h.mask = true;
  h.eyes = {230, 230, 200};
  h.body = {90, 70, 50};
  h.belt = {50, 40, 30};
  h.legs = {60, 56, 50};
  h.weapon = Weapon::Dagger;
  DrawHumanoid(c, h);
}

void Medusa(Canvas& c, Rng&) {
  Humanoid h;
  h.build = Build::Robe;
  h.head = Head::SnakeHair;
  h.skin = {170, 200, 150};
  h.hair = {60, 150, 60};
  h.eyes = {250, 230, 60};
  h.body = {60, 130, 90};
  h.belt = {220, 190, 80};
  DrawHumanoid(c, h);
}

void Dryad(Canvas& c, Rng&) {
  Humanoid h;
  h.head = Head::Leaves;
  h.skin = {150, 110, 70};
  h.hair = {70, 150, 50};
  h.eyes = {240, 230, 120};
  h.body = {110, 80, 50};
  h.belt = {80, 140, 50};
  h.legs = {110, 80, 50};
  h.feet = {90, 64, 40};
  DrawHumanoid(c, h);
}

void Lich(Canvas& c, Rng&) {
  Humanoid h;
  h.build = Build::Robe;
  h.head = Head::Crown;
  h.headgear = {230, 190, 60};
  h.skin = {226, 220, 196};
  h.eyes = {255, 60, 40};
  h.body = {90, 40, 110};
  h.belt = {200, 170, 60};
  h.weapon = Weapon::Staff;
  h.weaponTip = {110, 255, 120};
  DrawHumanoid(c, h);
  // A skull's face: the dark mouth and the nose hole.
  Plot(c, 7, 7, Rgb{60, 50, 50});
  Plot(c, 8, 7, Rgb{60, 50, 50});
}

// A visitor from the stars: the great head and dark almond eyes, a slight body in a silver
// robe with a blue sign on the breast.
void Pleidian(Canvas& c, Rng&) {
  StampMirrored(c, 0, 0,
                {"........", ".....sss", "....ssss", "...sssss", "...seees", "...ssees", "....ssss",
                 ".....sss", "......ss", "....rrrr", "...rrrrr", "..srrrrr", "...rrrrr", "...rrrrr",
                 "..rrrrrr", "..rrrrrr"},
                {{'s', Rgb{168, 196, 228}}, {'e', Rgb{24, 20, 44}}, {'r', Rgb{204, 208, 222}}});
  Plot(c, 5, 4, Rgb{120, 130, 200});  // light in the eyes
  Plot(c, 10, 4, Rgb{120, 130, 200});
  Line(c, 7, 10, 8, 10, Rgb{80, 150, 240});
  Line(c, 7, 11, 8, 11, Rgb{80, 150, 240});
  Plot(c, 7, 7, Rgb{130, 150, 190});  // a small mouth
  Plot(c, 8, 7, Rgb{130, 150, 190});
  for (int y = 12; y < 16; ++y) Plot(c, 8, y, Rgb{170, 174, 190});
  FinishSprite(c);
}

// ---- Skeletons -------------------------------------------------------------------------------

void PlainSkeleton(Canvas& c, Rng& rng) { DrawSkeleton(c, rng, Skeleton{}); }

void ZombieSkeleton(Canvas& c, Rng& rng, Rot rot) {
  Skeleton s;
  s.rot = rot;
  s.bone = {210, 204, 176};
  s.sockets = {120, 30, 30};
  DrawSkeleton(c, rng, s);
}

}  // namespace

void AddUnitPictures(std::vector<Picture>& out) {
  auto add = [&out](const char* name, Painter paint) {
    out.push_back(Picture{"bmp_unit", name, 16, 16, KeyColour, paint});
  };
  add("unit_giant_rat", Rat);
  add("unit_green_slime", Slime);
  add("unit_dog", [](Canvas& c, Rng&) { Dog(c, Rgb{170, 120, 70}, Rgb{40, 30, 30}, false); });
  add("unit_serpent", [](Canvas& c, Rng& r) {
    Serpent(c, Rgb{90, 160, 70}, Rgb{220, 210, 110}, false, r);
  });
  add("unit_fungus", Fungus);
  add("unit_goblin", Goblin);
  add("unit_nabos", Nabos);
  add("unit_orc_b", Orc);
  add("unit_beatle", [](Canvas& c, Rng& r) {
    Beetle(c, Rgb{50, 70, 130}, Rgb{40, 46, 70}, false, r);
  });
  add("unit_gor_dog", [](Canvas& c, Rng&) { Dog(c, Rgb{84, 70, 70}, Rgb{255, 50, 40}, true); });
  add("unit_giant_spider", Spider);
  add("unit_serpent_fire", [](Canvas& c, Rng& r) {
    Serpent(c, Rgb{210, 70, 40}, Rgb{250, 200, 70}, true, r);
  });
  add("unit_beatle_fire", [](Canvas& c, Rng& r) {
    Beetle(c, Rgb{210, 70, 30}, Rgb{110, 40, 30}, true, r);
  });
  add("unit_drius", Dryad);
  add("unit_rust_monster", RustMonster);
  add("unit_giant_worm", Worm);
  add("unit_gelatinous_cube", GelatinousCube);
  add("unit_polar_geer", Bear);
  add("unit_squeletton", PlainSkeleton);
  add("unit_squeletton_zombi_wounded",
      [](Canvas& c, Rng& r) { ZombieSkeleton(c, r, Rot::Wounded); });
  add("unit_squeletton_zombi", [](Canvas& c, Rng& r) { ZombieSkeleton(c, r, Rot::Patches); });
  add("unit_mage", Mage);  // one file for both of its slots
  add("unit_squeletton_sturdy", [](Canvas& c, Rng& r) {
    Skeleton s;
    s.bone = {236, 216, 160};
    s.shield = true;
    s.shieldColour = {130, 90, 50};
    s.weapon = Weapon::Mace;
    DrawSkeleton(c, r, s);
  });
  add("unit_dwarf", Dwarf);
  add("unit_squeletton_monster", [](Canvas& c, Rng& r) {
    Skeleton s;
    s.horns = true;
    s.bone = {214, 210, 196};
    s.sockets = {255, 60, 40};
    DrawSkeleton(c, r, s);
  });
  add("unit_squeletton_brave", [](Canvas& c, Rng& r) {
    Skeleton s;
    s.weapon = Weapon::Sword;
    s.shield = true;
    s.shieldColour = {150, 40, 40};
    DrawSkeleton(c, r, s);
  });
  add("unit_squeletton_floating", [](Canvas& c, Rng& r) {
    Skeleton s;
    s.floating = true;
    s.bone = {210, 230, 236};
    s.sockets = {80, 200, 230};
    DrawSkeleton(c, r, s);
  });
  add("unit_minotor", Minotaur);
  add("unit_floating_eye", FloatingEye);
  add("unit_squeletton_fire", [](Canvas& c, Rng& r) {
    Skeleton s;
    s.flames = true;
    s.bone = {250, 196, 120};
    s.sockets = {255, 240, 120};
    DrawSkeleton(c, r, s);
  });
  add("unit_mage_eye", MageEye);
  add("unit_squeletton_ogre", [](Canvas& c, Rng& r) {
    Skeleton s;
    s.big = true;
    s.weapon = Weapon::Club;
    DrawSkeleton(c, r, s);
  });
  add("unit_ogre", Ogre);
  add("unit_squeletton_armored", [](Canvas& c, Rng& r) {
    Skeleton s;
    s.armour = true;
    s.helmet = true;
    s.weapon = Weapon::Sword;
    DrawSkeleton(c, r, s);
  });
  add("unit_medusa", Medusa);
  add("unit_squeletton_warrior", [](Canvas& c, Rng& r) {
    Skeleton s;
    s.helmet = true;
    s.helmetColour = {150, 120, 70};
    s.weapon = Weapon::Axe;
    DrawSkeleton(c, r, s);
  });
  add("unit_mantis", Mantis);
  add("unit_squeletton_evil", [](Canvas& c, Rng& r) {
    Skeleton s;
    s.bone = {150, 130, 170};
    s.sockets = {255, 40, 40};
    s.cape = true;
    s.capeColour = {70, 20, 40};
    s.weapon = Weapon::Sword;
    s.weaponColour = {120, 30, 40};
    DrawSkeleton(c, r, s);
  });
  add("unit_lich", Lich);
  add("unit_dragon", [](Canvas& c, Rng& r) {
    Dragon(c, Rgb{200, 50, 40}, Rgb{240, 200, 110}, Rgb{170, 40, 50}, r);
  });
  add("unit_dragon_hydra", Hydra);
  add("unit_dragon_basilic", Basilisk);
  add("unit_fire", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Fire, 1); });
  add("unit_fire_fire", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Fire, 2); });
  add("unit_fire_fire_fire", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Fire, 3); });
  add("unit_water", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Water, 1); });
  add("unit_water_water", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Water, 2); });
  add("unit_water_water_water", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Water, 3); });
  add("unit_earth", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Earth, 1); });
  add("unit_earth_earth", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Earth, 2); });
  add("unit_earth_earth_earth", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Earth, 3); });
  add("unit_air", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Air, 1); });
  add("unit_air_air", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Air, 2); });
  add("unit_air_air_air", [](Canvas& c, Rng& r) { DrawElemental(c, r, Element::Air, 3); });
  add("unit_fighter", Fighter);
  add("unit_cleric", Cleric);
  add("unit_bandit", Bandit);
  // Loaded only by the cube list.
  add("unit_pleidian", Pleidian);
}

}  // namespace assets
