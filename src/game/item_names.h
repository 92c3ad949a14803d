// Item names: the display name of a KindTable entry.
#pragma once

#include <cstdint>

const char* ItemName(uint32_t index);
