// vaultrun-world: the game layer from the command line.
#include <cstdio>
#include <cstring>

#include "frame/frame.h"
#include "game/game_data.h"
#include "tools/world/world_commands.h"

namespace {

struct WorldCommand {
  const char* name;
  int (*run)(int argc, char** argv);
  const char* usage;
};

const WorldCommand Commands[] = {
    {"dungeon", WorldDungeon,
     "dungeon --seed S --cx X --cy Y --first L --levels N --area A --rooms R [--style D] "
     "--out FILE [--save M]"},
    {"load", WorldLoad, "load --number M (--levels K | --overworld) --out FILE"},
    {"ascii", WorldAscii, "ascii --world FILE --level L [--x0 X --y0 Y --x1 X --y1 Y]"},
    {"mapview", WorldMapView,
     "mapview --world FILE --level L --column C --row R --out IMAGE(.bmp|.png)"},
    {"terrain", WorldTerrain,
     "terrain --seed S --corners H00 H10 H01 H11 --roughness F --max-height F --out FILE"},
    {"loot", WorldLoot,
     "loot --seed S --tier T --container C [--repeat K]\n"
     "      fills container C (0 .. 3665) K times (default 1) with loot of tier T and lists its\n"
     "      filled slots; each filling makes one draw at tier 1, two at tiers 2 to 12, none at\n"
     "      other tiers, and a draw gives one item or nothing"},
    {"names", WorldNames, "names --seed S --count N"},
    {"items", WorldItems, "items"},
    {"tone", WorldTone, "tone --out FILE"},
    {"explore", WorldExplore, "explore [--seed S] [--world FILE --level L --x X --y Y]"},
};

void PrintUsage(FILE* out) {
  std::fprintf(out, "usage: vaultrun-world <command> [options]\n\ncommands:\n");
  for (const WorldCommand& command : Commands) std::fprintf(out, "  %s\n", command.usage);
}

}  // namespace

void WorldStartUp() {
  SetRenderSize(320, 240);
  InitGameData();
}

int main(int argc, char** argv) {
  if (argc > 0) WorldProgramPath = argv[0];
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
      !std::strcmp(argv[1], "help")) {
    PrintUsage(stdout);
    return 0;
  }
  for (const WorldCommand& command : Commands) {
    if (!std::strcmp(argv[1], command.name)) return command.run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "vaultrun-world: unknown command '%s'\n\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
