// Unit names.
#include "game/unit_names.h"

const char* const NamePrefixes[76] = {};
const char* const NameMiddles[39] = {};
const char* const NameSuffixes[54] = {};
char NameBuffer[256];

void AssignUnitName(uint32_t) {}
void UnitName(uint32_t) {}
