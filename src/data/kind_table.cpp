// The kind table: the fixed item kinds of the game.
#include "data/data.h"

void FillKindTable() {}
void CopyKind(uint32_t, uint32_t) {}
