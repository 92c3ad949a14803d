// Subcommands of vaultrun-world (not yet written).
#include <cstdio>

#include "tools/world/world_commands.h"

int WorldExplore(int, char**) {
  std::fprintf(stderr, "vaultrun-world: this command is not available yet\n");
  return 2;
}

