// Unit names: a random syllable triple that no unit holds yet, formatted on request.
#include "game/unit_names.h"

#include "base/base.h"
#include "game/game_data.h"
#include "overlay/overlay.h"

constexpr int PrefixCount = 76;
constexpr int MiddleCount = 39;
constexpr int SuffixCount = 54;

const char* const NamePrefixes[PrefixCount] = {
    "A",  "Ab",  "Ac",  "Ad", "Af",  "Agr", "Ast",  "As",  "Al",  "Adw", "Adr", "Ar",  "B",
    "Br", "C",   "C",   "C",  "Cr",  "Ch",  "Cad",  "D",   "Dr",  "Dw",  "Ed",  "Eth", "Et",
    "Er", "El",  "Eow", "F",  "Fr",  "G",   "Gr",   "Gw",  "Gw",  "Gal", "Gl",  "H",   "Ha",
    "Ib", "Jer", "K",   "Ka", "Ked", "L",   "Loth", "Lar", "Leg", "M",   "Mir", "N",   "Nyd",
    "Ol", "Oc",  "On",  "P",  "Pr",  "Q",   "R",    "Rh",  "S",   "Sev", "T",   "Tr",  "Th",
    "Th", "Ul",  "Um",  "Un", "V",   "Y",   "Yb",   "Z",   "W",   "W",   "Wic",
};

const char* const NameMiddles[MiddleCount] = {
    "a",   "ae",  "ae",  "au",  "ao",  "are", "ale",  "ali",  "ay", "ardo", "e",   "edri", "ei",
    "ea",  "ea",  "eri", "era", "ela", "eli", "enda", "erra", "i",  "ia",   "ie",  "ire",  "ira",
    "ila", "ili", "ira", "igo", "o",   "oha", "oma",  "oa",   "oi", "oe",   "ore", "u",    "y",
};

const char* const NameSuffixes[SuffixCount] = {
    "a",    "and",  "b",    "bwyn", "baen", "bari", "c",    "ch",   "can", "d",    "dan",
    "don",  "der",  "dric", "dus",  "f",    "g",    "gord", "gan",  "han", "har",  "jar",
    "jan",  "k",    "kin",  "kith", "kath", "koth", "kor",  "kon",  "l",   "li",   "lin",
    "lith", "lath", "loth", "ld",   "ldan", "m",    "mas",  "mos",  "mar", "mond", "n",
    "nydd", "nidd", "nnon", "nwan", "nyth", "nad",  "nn",   "nnor", "nd",  "p",
};

char NameBuffer[256];

namespace {

bool IsUnitInTable(uint32_t unit) {
  return UnitTable != nullptr && unit < static_cast<uint32_t>(UnitCapacity);
}

bool IsTripleTaken(uint16_t prefix, uint16_t middle, uint16_t suffix) {
  for (int32_t unit = 0; unit < UnitCapacity; ++unit) {
    const UnitRecord& record = UnitTable[unit];
    if (record.prefix == prefix && record.middle == middle && record.suffix == suffix) return true;
  }
  return false;
}

}  // namespace

// Ends as long as some triple is free: 76 x 39 x 54 = 160,056 triples against 3,000 units.
void AssignUnitName(uint32_t unit) {
  if (!IsUnitInTable(unit)) return;
  uint16_t prefix, middle, suffix;
  do {
    prefix = static_cast<uint16_t>(Rand() % PrefixCount);
    middle = static_cast<uint16_t>(Rand() % MiddleCount);
    suffix = static_cast<uint16_t>(Rand() % SuffixCount);
  } while (IsTripleTaken(prefix, middle, suffix));
  UnitRecord& record = UnitTable[unit];
  record.prefix = prefix;
  record.middle = middle;
  record.suffix = suffix;
}

void UnitName(uint32_t unit) {
  if (!IsUnitInTable(unit)) return;
  const UnitRecord& record = UnitTable[unit];
  if (record.prefix >= PrefixCount || record.middle >= MiddleCount || record.suffix >= SuffixCount)
    return;
  FormatText(NameBuffer, "%s%s%s", NamePrefixes[record.prefix], NameMiddles[record.middle],
             NameSuffixes[record.suffix]);
}
