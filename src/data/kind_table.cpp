// The kind table: the fixed item kinds of the game.
#include "data/data.h"

void FillKindTable() {}
void CopyKind(uint32_t destination, uint32_t source) {
  KindTable[destination] = KindTable[source];
  KindTable[destination].powerFloat = static_cast<float>(KindTable[destination].power);
}
