// Unit names: unique three-syllable names for the units of the UnitTable.
#pragma once

#include <cstdint>

// The syllables of a name: a capitalised prefix, a middle and a suffix. A few syllables appear
// twice; both copies are real entries, so some names can be drawn by two triples.
extern const char* const NamePrefixes[76];
extern const char* const NameMiddles[39];
extern const char* const NameSuffixes[54];
extern char NameBuffer[256];  // receives UnitName's text; apart from the shared TextBuffer

// Draws prefix, middle and suffix (in that order) until no unit of the table holds the same
// triple, the unit itself included, and stores it in the unit. A unit index at or beyond
// UnitCapacity (or a table not yet allocated) names nothing and draws nothing.
void AssignUnitName(uint32_t unit);
// Formats the unit's name into NameBuffer. A syllable index beyond its table, a unit index at or
// beyond UnitCapacity or a missing table leave NameBuffer as it was.
void UnitName(uint32_t unit);
