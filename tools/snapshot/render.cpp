// vaultrun-snapshot frames (not yet written).
#include <cstdio>

#include "tools/snapshot/snapshot.h"

int SnapshotMain(int, char**) {
  std::fprintf(stderr, "vaultrun-snapshot: frames are not available yet\n");
  return 2;
}
