// vaultrun-snapshot --font-sheet (not yet written).
#include <cstdio>

#include "tools/snapshot/snapshot.h"

int FontSheetMain(int, char**) {
  std::fprintf(stderr, "vaultrun-snapshot: font sheets are not available yet\n");
  return 2;
}
