// Subcommands of vaultrun-world (not yet written).
#include <cstdio>

#include "tools/world/world_commands.h"

int WorldDungeon(int, char**) {
  std::fprintf(stderr, "vaultrun-world: this command is not available yet\n");
  return 2;
}

int WorldLoad(int, char**) {
  std::fprintf(stderr, "vaultrun-world: this command is not available yet\n");
  return 2;
}

int WorldAscii(int, char**) {
  std::fprintf(stderr, "vaultrun-world: this command is not available yet\n");
  return 2;
}

int WorldMapView(int, char**) {
  std::fprintf(stderr, "vaultrun-world: this command is not available yet\n");
  return 2;
}

