// Item names.
#include "game/item_names.h"

const char* ItemName(uint32_t) { return ""; }
