// Container loot: random items by tier, copied into container storage of the KindTable.
#pragma once

#include <cstdint>

// Container c owns KindTable records ContainerFirstRecord + c * ContainerRecords onwards; its
// first ContainerSlots records are the slots that hold items.
constexpr uint32_t ContainerFirstRecord = 10000;
constexpr uint32_t ContainerRecords = 60;
constexpr int32_t ContainerSlots = 45;

// True when container c's whole block of records lies inside the KindTable (0 <= c < 3666).
bool ContainerHasStorage(int32_t container);
// The KindTable record of slot `slot` of container c (for a container with storage).
uint32_t ContainerSlotRecord(int32_t container, int32_t slot);

// The first free slot (picture 0) of container c, or -1 when all 45 are taken. A container
// without storage in the table counts as full: -1, and no record is read.
int FindFreeLootSlot(int32_t container);
// One draw for tier 1, two for tiers 2 to 12, none otherwise. Each draw rolls 1 to 5, and for a
// roll that gives an item at this tier and a free slot, copies the item's kind into the slot
// (an armour piece is drawn only then). A container without storage rolls but receives nothing.
void GenerateLoot(int32_t tier, int32_t container);
