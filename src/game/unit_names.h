// Unit names: unique three-syllable names for the units of the UnitTable.
#pragma once

#include <cstdint>

extern const char* const NamePrefixes[76];
extern const char* const NameMiddles[39];
extern const char* const NameSuffixes[54];
extern char NameBuffer[256];

void AssignUnitName(uint32_t unit);
void UnitName(uint32_t unit);
