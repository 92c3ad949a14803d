// Subcommands of vaultrun-world (not yet written).
#include <cstdio>

#include "tools/world/world_commands.h"

int WorldTerrain(int, char**) {
  std::fprintf(stderr, "vaultrun-world: this command is not available yet\n");
  return 2;
}

int WorldLoot(int, char**) {
  std::fprintf(stderr, "vaultrun-world: this command is not available yet\n");
  return 2;
}

int WorldNames(int, char**) {
  std::fprintf(stderr, "vaultrun-world: this command is not available yet\n");
  return 2;
}

int WorldItems(int, char**) {
  std::fprintf(stderr, "vaultrun-world: this command is not available yet\n");
  return 2;
}

int WorldTone(int, char**) {
  std::fprintf(stderr, "vaultrun-world: this command is not available yet\n");
  return 2;
}

