// vaultrun-world subcommands for terrain, loot, unit names, item names and the test tone.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio/audio.h"
#include "base/base.h"
#include "game/game_data.h"
#include "game/item_names.h"
#include "game/loot.h"
#include "game/terrain.h"
#include "game/unit_names.h"
#include "tools/common/arguments.h"
#include "tools/world/world_commands.h"

namespace {

constexpr uint32_t ToneBytes = 200000;

int ArgumentError(const char* command, const std::string& message) {
  std::fprintf(stderr, "vaultrun-world %s: %s\n", command, message.c_str());
  return 2;
}

// A number read as single precision straight from its text (strtof, not strtod and a second
// rounding), finite and within [low, high].
float ReadFloat(ToolArguments& arguments, const char* option, float low, float high) {
  std::string text = arguments.Text(option, "");
  if (text.empty()) return 0.0f;
  errno = 0;
  char* end = nullptr;
  float value = std::strtof(text.c_str(), &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(value) || value < low || value > high) {
    if (arguments.error.empty()) {
      char range[64];
      std::snprintf(range, sizeof range, " needs a number from %g to %g", low, high);
      arguments.error = option + std::string(range);
    }
    return 0.0f;
  }
  return value;
}

bool WriteBytes(const std::string& path, const uint8_t* bytes, size_t count) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool written = std::fwrite(bytes, 1, count, file) == count;
  return std::fclose(file) == 0 && written;
}

// The game data that a subcommand needs is built by the start-up; a build whose start-up
// leaves a pool out reports it instead of writing through a null pointer.
bool HavePools(const char* command, bool present) {
  if (!present) std::fprintf(stderr, "vaultrun-world %s: the game data is not built\n", command);
  return present;
}

}  // namespace

// Each subcommand reads its options first and checks for unknown words last, so that a value
// missing from a list ("--corners 1 2 3") is reported as such, not as the word after it.
int WorldTerrain(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 0);
  for (const char* option : {"--seed", "--corners", "--roughness", "--max-height", "--out"})
    arguments.Require(option);
  uint32_t seed = static_cast<uint32_t>(arguments.Integer("--seed", 0, 0, UINT32_MAX));
  std::vector<int64_t> corners = arguments.Integers("--corners", 4, 0, 255);
  float roughness = ReadFloat(arguments, "--roughness", -1.0e6f, 1.0e6f);
  // Heights are bytes: a ceiling above 255 would wrap when stored.
  float maxHeight = ReadFloat(arguments, "--max-height", 1.0f, 255.0f);
  std::string out = arguments.Text("--out", "");
  arguments.RejectUnknown(
      {{"--seed", 1}, {"--corners", 4}, {"--roughness", 1}, {"--max-height", 1}, {"--out", 1}});
  if (!arguments.error.empty()) return ArgumentError("terrain", arguments.error);

  WorldStartUp();
  if (!HavePools("terrain", HeightMap != nullptr && WorldGrid != nullptr)) return 1;
  Srand(seed);
  uint8_t cornerHeights[4];
  for (int i = 0; i < 4; ++i) cornerHeights[i] = static_cast<uint8_t>(corners[i]);
  GenerateOverworld(cornerHeights, roughness, maxHeight);
  if (!WriteBytes(out, WorldGrid, static_cast<size_t>(CellsPerLevel)))
    return ArgumentError("terrain", "cannot write " + out);
  return 0;
}

int WorldLoot(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 0);
  for (const char* option : {"--seed", "--tier", "--container"}) arguments.Require(option);
  uint32_t seed = static_cast<uint32_t>(arguments.Integer("--seed", 0, 0, UINT32_MAX));
  // Any tier is a valid request: those outside 1 to 12 simply generate nothing.
  int32_t tier = static_cast<int32_t>(arguments.Integer("--tier", 0, INT32_MIN, INT32_MAX));
  int64_t lastContainer =
      (static_cast<int64_t>(KindCapacity) - ContainerFirstRecord) / ContainerRecords - 1;
  int32_t container = static_cast<int32_t>(arguments.Integer("--container", 0, 0, lastContainer));
  int64_t repeat = arguments.Integer("--repeat", 1, 0, 1000000);
  arguments.RejectUnknown({{"--seed", 1}, {"--tier", 1}, {"--container", 1}, {"--repeat", 1}});
  if (!arguments.error.empty()) return ArgumentError("loot", arguments.error);

  WorldStartUp();
  if (!HavePools("loot", KindTable != nullptr)) return 1;
  Srand(seed);
  for (int64_t i = 0; i < repeat; ++i) GenerateLoot(tier, container);
  int filled = 0;
  for (int32_t slot = 0; slot < ContainerSlots; ++slot) {
    uint32_t record = ContainerSlotRecord(container, slot);
    if (KindTable[record].picture == 0) continue;
    std::printf("slot %d kind %u %s\n", slot, KindTable[record].kindId, ItemName(record));
    ++filled;
  }
  // An empty list would look like a tool that did nothing.
  if (filled == 0)
    std::printf(
        "container %d is empty: %s\n", container,
        tier < 1 || tier > 12 ? "tiers outside 1 to 12 give nothing" : "no draw gave an item");
  return 0;
}

int WorldNames(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 0);
  for (const char* option : {"--seed", "--count"}) arguments.Require(option);
  uint32_t seed = static_cast<uint32_t>(arguments.Integer("--seed", 0, 0, UINT32_MAX));
  // Units 1 to N: unit 0 stays unnamed, so N reaches one below the table's capacity.
  int64_t count = arguments.Integer("--count", 0, 0, UnitCapacity - 1);
  arguments.RejectUnknown({{"--seed", 1}, {"--count", 1}});
  if (!arguments.error.empty()) return ArgumentError("names", arguments.error);

  WorldStartUp();
  if (!HavePools("names", UnitTable != nullptr)) return 1;
  Srand(seed);
  for (uint32_t unit = 1; unit <= count; ++unit) AssignUnitName(unit);
  for (uint32_t unit = 1; unit <= count; ++unit) {
    UnitName(unit);
    std::printf("%u %s\n", unit, NameBuffer);
  }
  return 0;
}

// Names are a fixed lookup by kind id: no game data is needed to list them.
int WorldItems(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 0);
  arguments.RejectUnknown({});
  if (!arguments.error.empty()) return ArgumentError("items", arguments.error);
  for (uint32_t kindId = 0; kindId < static_cast<uint32_t>(KindCapacity); ++kindId) {
    const char* name = KindName(kindId);
    if (name[0] != '\0') std::printf("%u %s\n", kindId, name);
  }
  return 0;
}

// The tone needs only sound slot 0's buffer. Opening the audio would bring its message box and
// leave the buffer's bytes unset, and the tone never writes byte 1; so the buffer is made here
// as the audio start-up makes it, but zero-filled, and the file is the same on every run.
int WorldTone(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 0);
  arguments.Require("--out");
  std::string out = arguments.Text("--out", "");
  arguments.RejectUnknown({{"--out", 1}});
  if (!arguments.error.empty()) return ArgumentError("tone", arguments.error);

  bool ownBuffer = SoundSlots[0].samples == nullptr;
  if (ownBuffer) SoundSlots[0].samples = static_cast<uint8_t*>(std::calloc(SoundSlotCapacity, 1));
  GenerateTestTone();
  bool written = WriteBytes(out, SoundSlots[0].samples, ToneBytes);
  if (ownBuffer) {
    std::free(SoundSlots[0].samples);
    SoundSlots[0].samples = nullptr;
  }
  if (!written) return ArgumentError("tone", "cannot write " + out);
  return 0;
}
