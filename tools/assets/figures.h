// The creature families of the unit pictures: people in their builds and gear, skeletons in
// their states, beasts and elementals. Each family is one drawing function with the variations
// that tell its members apart; all draw on a 16 x 16 KeyColour canvas.
#pragma once

#include "tools/assets/canvas.h"

namespace assets {

// A sprite is finished with a rim of light and shadow and a dark outline.
constexpr Rgb SpriteOutline{30, 22, 34};
void FinishSprite(Canvas& canvas);

enum class Build { Normal, Short, Big, Robe };
enum class Head {
  Hair,
  LongHair,
  Bald,
  Hood,
  Helmet,
  HornedHelmet,
  PointyHat,
  Crown,
  SnakeHair,
  BullHead,
  Leaves,
  Dome
};
enum class Weapon { None, Sword, Axe, Staff, Dagger, Mace, Club, Spear };

struct Humanoid {
  Build build = Build::Normal;
  Head head = Head::Hair;
  Rgb skin{226, 178, 140};
  Rgb hair{110, 70, 40};
  Rgb eyes{40, 30, 60};
  Rgb headgear{150, 150, 160};  // helmet, hood, hat, crown
  Rgb body{60, 90, 160};
  Rgb belt{90, 60, 30};
  Rgb legs{70, 60, 50};
  Rgb feet{60, 40, 30};
  bool beard = false;
  Rgb beardColour{200, 200, 200};
  bool pointyEars = false;
  bool tusks = false;
  bool mask = false;    // a cloth over mouth and nose
  bool emblem = false;  // a cross on the chest in the belt colour
  bool bigEyes = false;
  Weapon weapon = Weapon::None;
  Rgb weaponColour{200, 205, 215};
  Rgb weaponTip{120, 220, 255};  // staff orbs
  bool shield = false;
  Rgb shieldColour{150, 40, 40};
};
void DrawHumanoid(Canvas& canvas, const Humanoid& look);

enum class Rot { None, Patches, Wounded };

struct Skeleton {
  bool big = false;
  Rgb bone{228, 224, 204};
  Rgb sockets{70, 20, 30};
  Rot rot = Rot::None;
  Rgb flesh{110, 140, 90};
  bool helmet = false;
  Rgb helmetColour{140, 140, 150};
  bool armour = false;
  Rgb armourColour{150, 155, 170};
  bool horns = false;
  bool flames = false;
  bool floating = false;
  bool cape = false;
  Rgb capeColour{60, 20, 60};
  Weapon weapon = Weapon::None;
  Rgb weaponColour{200, 205, 215};
  bool shield = false;
  Rgb shieldColour{120, 80, 40};
};
void DrawSkeleton(Canvas& canvas, Rng& rng, const Skeleton& look);

// Elements: fire, water, earth, air; strength 1 .. 3 grows size and features.
enum class Element { Fire, Water, Earth, Air };
void DrawElemental(Canvas& canvas, Rng& rng, Element element, int strength);

// Flames licking upwards over the rectangle, hottest at the bottom.
void DrawFlames(Canvas& canvas, Rng& rng, int x0, int y0, int x1, int y1, bool keepSprite);

// The whale blade as the 32 x 32 item shows it; the cube texture of the same name reuses it.
void DrawWhaleBladeIcon(Canvas& canvas);

}  // namespace assets
