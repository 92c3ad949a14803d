// The kind table: the fixed item kinds of the game.
#include <cstring>

#include "game/game_data.h"

namespace {

struct WeaponKind {
  uint32_t kindId;
  uint16_t picture;
  uint8_t flags[5];
  uint8_t place;
  uint8_t weaponFlag;
  uint8_t power;
  uint8_t bonus;
  float factor;
  uint16_t worth;
};

// Swords, blunt weapons, axes, then the bag and the potion, in ascending kind order. The two
// best axes show their pictures crosswise (6319 the rubioux axe 655, 6320 the ordered one 654).
constexpr WeaponKind WeaponKinds[] = {
    {6110, 600, {1, 0, 1, 1, 1}, 2, 1, 1, 0, 0.0f, 50},
    {6111, 601, {1, 1, 0, 0, 0}, 1, 1, 2, 0, 0.0f, 180},
    {6112, 602, {1, 0, 0, 0, 1}, 1, 1, 3, 0, 0.0f, 300},
    {6113, 603, {0, 1, 0, 0, 0}, 2, 1, 3, 1, 0.2f, 400},
    {6114, 604, {1, 0, 0, 0, 0}, 1, 1, 4, 0, 0.0f, 430},
    {6115, 605, {1, 0, 0, 0, 0}, 1, 1, 5, 0, 0.0f, 560},
    {6116, 606, {1, 1, 0, 0, 1}, 2, 1, 5, 1, 0.0f, 700},
    {6117, 607, {0, 1, 0, 0, 0}, 1, 1, 6, 0, 1.0f, 1000},
    {6118, 608, {0, 1, 0, 0, 1}, 1, 1, 6, 1, 2.8f, 2000},
    {6119, 609, {0, 1, 0, 0, 1}, 1, 1, 7, 0, 0.0f, 3000},
    {6120, 610, {1, 0, 0, 0, 0}, 1, 1, 6, 1, 0.0f, 700},
    {6121, 611, {0, 1, 0, 0, 1}, 2, 1, 8, 0, 0.0f, 2300},
    {6122, 612, {1, 0, 0, 0, 0}, 1, 1, 8, 1, 0.0f, 980},
    {6123, 613, {1, 0, 0, 0, 0}, 1, 1, 8, 2, 2.0f, 1300},
    {6124, 614, {1, 0, 0, 0, 1}, 1, 1, 8, 3, 4.0f, 2900},
    {6125, 615, {1, 0, 0, 0, 1}, 1, 1, 9, 0, 1.5f, 5000},
    {6126, 616, {1, 0, 0, 0, 1}, 1, 1, 9, 2, 3.3f, 10000},
    {6127, 617, {1, 0, 0, 0, 0}, 1, 1, 10, 0, 0.0f, 1200},
    {6128, 618, {1, 0, 0, 0, 1}, 1, 1, 11, 0, 0.0f, 6000},
    {6129, 619, {1, 0, 0, 0, 1}, 1, 1, 12, 0, 3.2f, 28000},
    {6200, 630, {0, 1, 0, 0, 0}, 1, 1, 3, 0, 0.0f, 300},
    {6201, 631, {0, 1, 0, 0, 0}, 1, 1, 5, 1, 0.0f, 600},
    {6202, 632, {0, 1, 0, 0, 0}, 1, 1, 8, 0, 0.0f, 3000},
    {6203, 633, {0, 1, 0, 0, 0}, 1, 1, 8, 0, 0.0f, 3000},
    {6316, 650, {0, 0, 0, 1, 0}, 2, 1, 2, 0, 0.0f, 180},
    {6317, 651, {0, 0, 0, 1, 0}, 1, 1, 3, 0, 0.0f, 380},
    {6318, 652, {0, 0, 0, 1, 0}, 1, 1, 8, 0, 0.0f, 4000},
    {6319, 655, {0, 0, 0, 1, 0}, 1, 1, 12, 0, 2.8f, 32000},
    {6320, 654, {0, 0, 0, 1, 0}, 1, 1, 14, 0, 4.0f, 60000},
    {7000, 3000, {0, 0, 0, 0, 0}, 0, 0, 0, 0, 0.0f, 30},   // bag
    {7100, 682, {0, 0, 0, 0, 0}, 0, 0, 200, 0, 0.0f, 50},  // blue potion
};

struct ArmourFamily {
  uint32_t baseId;
  uint16_t picture;
  float factor;
  uint16_t worth;
};

// Fourteen pieces per family, piece p at baseId + p worn at place 10 + p.
constexpr ArmourFamily ArmourFamilies[] = {
    {8100, 730, 0.1f, 30},   // robe
    {8130, 740, 0.2f, 70},   // leather
    {8170, 741, 0.3f, 120},  // studded leather
    {8200, 742, 0.4f, 160},  // chain
    {8220, 743, 0.5f, 210},  // scale
    {8250, 744, 0.6f, 280},  // plate
    {8280, 745, 0.7f, 350},  // full plate
    {8320, 746, 0.9f, 600},  // magic
};
constexpr uint32_t ArmourPieces = 14;

// Every byte is assigned: the unnamed fields, the padding and powerFloat stay 0 in a kind.
void WriteKind(uint32_t kindId, uint16_t picture, const uint8_t (&flags)[5], uint8_t place,
               uint8_t weaponFlag, uint8_t power, uint8_t bonus, float factor, uint16_t worth) {
  KindRecord& record = KindTable[kindId];
  std::memset(&record, 0, sizeof record);
  record.picture = picture;
  record.kindId = kindId;
  for (int i = 0; i < 5; ++i) record.flags[i] = flags[i];
  record.place = place;
  record.weaponFlag = weaponFlag;
  record.power = power;
  record.bonus = bonus;
  record.factor = factor;
  record.worth = worth;
}

}  // namespace

void FillKindTable() {
  std::memset(&KindTable[0], 0, sizeof(KindRecord));
  for (const WeaponKind& kind : WeaponKinds)
    WriteKind(kind.kindId, kind.picture, kind.flags, kind.place, kind.weaponFlag, kind.power,
              kind.bonus, kind.factor, kind.worth);
  constexpr uint8_t allFlags[5] = {1, 1, 1, 1, 1};
  for (const ArmourFamily& family : ArmourFamilies)
    for (uint32_t piece = 0; piece < ArmourPieces; ++piece)
      WriteKind(family.baseId + piece, family.picture, allFlags, static_cast<uint8_t>(10 + piece),
                0, 0, 0, family.factor, family.worth);
}

// A copy of the record's bytes carries the unnamed fields too; only powerFloat is made anew.
void CopyKind(uint32_t destination, uint32_t source) {
  std::memmove(&KindTable[destination], &KindTable[source], sizeof(KindRecord));
  KindTable[destination].powerFloat = static_cast<float>(KindTable[destination].power);
}
