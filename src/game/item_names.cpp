// Item names: a pure lookup from kind id to a constant string; nothing is allocated.
#include "game/item_names.h"

#include "game/game_data.h"

namespace {

constexpr uint32_t FirstSword = 6110;
const char* const SwordNames[20] = {
    "Dagger",
    "Knife",
    "Short Sword",
    "Gauche",
    "Long Sword",
    "Bastard Sword",
    "Kopesh",
    "Blade",
    "Blade Ameliorated",
    "Behead",
    "Broadsword",
    "Horner",
    "Glaive",
    "Saber",
    "Saber Ameliorated",
    "Whale Blade",
    "Whale Blade Ameliorated",
    "Two Handed Sword",
    "Two Bladed Sword",
    "Two Bladed Sword Ameliorated",
};

constexpr uint32_t FirstBlunt = 6200;
const char* const BluntNames[4] = {"Maul", "Morningstar", "Mace", "War Mace"};

constexpr uint32_t FirstAxe = 6316;
const char* const AxeNames[5] = {"Hand Axe", "Axe", "Battle Axe", "Iron Rubioux Battle Axe",
                                 "Iron Ordered Battle Axe"};

constexpr uint32_t BagKind = 7000;

constexpr int ArmourPieces = 14;

// Every armour name is written out whole, so the lookup returns a shared constant and never
// builds text. The hat-or-helmet piece is the one word that differs between materials.
struct ArmourMaterial {
  uint32_t baseId;
  const char* names[ArmourPieces];
};

const ArmourMaterial ArmourMaterials[8] = {
    {8100,
     {"Robe Suit", "Robe Hat", "Robe Cape", "Robe Georget", "Robe Scaling", "Robe Torso",
      "Robe Greeves", "Robe Bracers", "Robe Ring", "Robe Gloves", "Robe Shield", "Robe Sleeves",
      "Robe Circlet", "Robe Boots"}},
    {8130,
     {"Leather Suit", "Leather Hat", "Leather Cape", "Leather Georget", "Leather Scaling",
      "Leather Torso", "Leather Greeves", "Leather Bracers", "Leather Ring", "Leather Gloves",
      "Leather Shield", "Leather Sleeves", "Leather Circlet", "Leather Boots"}},
    {8170,
     {"Studded Leather Suit", "Studded Leather Hat", "Studded Leather Cape",
      "Studded Leather Georget", "Studded Leather Scaling", "Studded Leather Torso",
      "Studded Leather Greeves", "Studded Leather Bracers", "Studded Leather Ring",
      "Studded Leather Gloves", "Studded Leather Shield", "Studded Leather Sleeves",
      "Studded Leather Circlet", "Studded Leather Boots"}},
    {8200,
     {"Chain Suit", "Chain Hat", "Chain Cape", "Chain Georget", "Chain Scaling", "Chain Torso",
      "Chain Greeves", "Chain Bracers", "Chain Ring", "Chain Gloves", "Chain Shield",
      "Chain Sleeves", "Chain Circlet", "Chain Boots"}},
    {8220,
     {"Scale Suit", "Scale Hat", "Scale Cape", "Scale Georget", "Scale Scaling", "Scale Torso",
      "Scale Greeves", "Scale Bracers", "Scale Ring", "Scale Gloves", "Scale Shield",
      "Scale Sleeves", "Scale Circlet", "Scale Boots"}},
    {8250,
     {"Plate Suit", "Plate Helmet", "Plate Cape", "Plate Georget", "Plate Scaling", "Plate Torso",
      "Plate Greeves", "Plate Bracers", "Plate Ring", "Plate Gloves", "Plate Shield",
      "Plate Sleeves", "Plate Circlet", "Plate Boots"}},
    {8280,
     {"Full Plate Suit", "Full Plate Helmet", "Full Plate Cape", "Full Plate Georget",
      "Full Plate Scaling", "Full Plate Torso", "Full Plate Greeves", "Full Plate Bracers",
      "Full Plate Ring", "Full Plate Gloves", "Full Plate Shield", "Full Plate Sleeves",
      "Full Plate Circlet", "Full Plate Boots"}},
    {8320,
     {"Magic Suit", "Magic Helmet", "Magic Cape", "Magic Georget", "Magic Scaling", "Magic Torso",
      "Magic Greeves", "Magic Bracers", "Magic Ring", "Magic Gloves", "Magic Shield",
      "Magic Sleeves", "Magic Circlet", "Magic Boots"}},
};

// The name at `id` - `first` when id lies in [first, first + count), else null. Unsigned
// subtraction makes ids below `first` wrap to large offsets and fail the test too.
const char* NameInRun(uint32_t id, uint32_t first, const char* const* names, uint32_t count) {
  uint32_t offset = id - first;
  return offset < count ? names[offset] : nullptr;
}

}  // namespace

const char* KindName(uint32_t kindId) {
  if (const char* name = NameInRun(kindId, FirstSword, SwordNames, 20)) return name;
  if (const char* name = NameInRun(kindId, FirstBlunt, BluntNames, 4)) return name;
  if (const char* name = NameInRun(kindId, FirstAxe, AxeNames, 5)) return name;
  if (kindId == BagKind) return "Bag";
  for (const ArmourMaterial& material : ArmourMaterials) {
    if (const char* name = NameInRun(kindId, material.baseId, material.names, ArmourPieces))
      return name;
  }
  return "";
}

const char* ItemName(uint32_t index) {
  if (KindTable == nullptr || index >= static_cast<uint32_t>(KindCapacity)) return "";
  return KindName(KindTable[index].kindId);
}
