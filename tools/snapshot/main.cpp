// vaultrun-snapshot: renders frames of the real program without a window.
#include <cstring>

#include "tools/snapshot/snapshot.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--font-sheet")) return FontSheetMain(argc, argv);
    if (!std::strcmp(argv[i], "--replay")) return ReplayMain(argc, argv);
  }
  return SnapshotMain(argc, argv);
}
