// Container loot: rolls by tier, armour pieces drawn only for a slot that can take them.
#include "game/loot.h"

#include "base/base.h"
#include "game/game_data.h"

namespace {

constexpr uint32_t RobeBase = 8100;
constexpr uint32_t LeatherBase = 8130;
constexpr uint32_t StuddedLeatherBase = 8170;
constexpr uint32_t DaggerKind = 6110;
constexpr uint32_t KnifeKind = 6111;
constexpr uint32_t ShortSwordKind = 6112;
constexpr uint32_t LongSwordKind = 6114;
constexpr uint32_t BastardSwordKind = 6115;
constexpr int ArmourPieces = 14;

// What a roll gives at a tier: nothing, a fixed weapon kind, or a piece of an armour block.
struct LootEntry {
  enum Type { Nothing, Weapon, ArmourPiece } type;
  uint32_t kind;  // the weapon's kind, or the armour block's base
};

constexpr LootEntry Robe = {LootEntry::ArmourPiece, RobeBase};
constexpr LootEntry Leather = {LootEntry::ArmourPiece, LeatherBase};
constexpr LootEntry StuddedLeather = {LootEntry::ArmourPiece, StuddedLeatherBase};
constexpr LootEntry Nothing = {LootEntry::Nothing, 0};

// Rows: tier 1, 2, 3, and 4 to 12; columns: rolls 1 to 4. A roll of 5 gives nothing anywhere.
const LootEntry LootTable[4][4] = {
    {Robe, Robe, {LootEntry::Weapon, DaggerKind}, Nothing},
    {Robe, Leather, {LootEntry::Weapon, KnifeKind}, Nothing},
    {Leather, Leather, {LootEntry::Weapon, ShortSwordKind}, Nothing},
    {StuddedLeather,
     StuddedLeather,
     {LootEntry::Weapon, LongSwordKind},
     {LootEntry::Weapon, BastardSwordKind}},
};

// tier 1 to 12, roll 1 to 5.
LootEntry LootFor(int32_t tier, int roll) {
  if (roll == 5) return Nothing;
  int row = tier < 4 ? tier - 1 : 3;
  return LootTable[row][roll - 1];
}

void DrawLootItem(int32_t tier, int32_t container) {
  int roll = Rand() % 5 + 1;
  LootEntry entry = LootFor(tier, roll);
  if (entry.type == LootEntry::Nothing) return;
  // The slot is found before the piece is drawn: a full container consumes only the roll.
  int slot = FindFreeLootSlot(container);
  if (slot < 0) return;
  uint32_t kind = entry.kind;
  if (entry.type == LootEntry::ArmourPiece) kind += static_cast<uint32_t>(Rand() % ArmourPieces);
  CopyKind(ContainerSlotRecord(container, slot), kind);
}

}  // namespace

bool ContainerHasStorage(int32_t container) {
  if (KindTable == nullptr || container < 0) return false;
  int64_t lastRecord = ContainerFirstRecord + static_cast<int64_t>(container) * ContainerRecords +
                       (ContainerRecords - 1);
  return lastRecord < KindCapacity;
}

uint32_t ContainerSlotRecord(int32_t container, int32_t slot) {
  return ContainerFirstRecord + static_cast<uint32_t>(container) * ContainerRecords +
         static_cast<uint32_t>(slot);
}

int FindFreeLootSlot(int32_t container) {
  if (!ContainerHasStorage(container)) return -1;
  for (int32_t slot = 0; slot < ContainerSlots; ++slot) {
    if (KindTable[ContainerSlotRecord(container, slot)].picture == 0) return slot;
  }
  return -1;
}

void GenerateLoot(int32_t tier, int32_t container) {
  if (tier < 1 || tier > 12) return;
  int draws = tier == 1 ? 1 : 2;
  for (int draw = 0; draw < draws; ++draw) DrawLootItem(tier, container);
}
