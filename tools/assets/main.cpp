// vaultrun-assets <folder>: writes every picture and sound the program reads, and the empty map
// folder, into <folder> (the build folder, which is the program's working directory).
#include <cstdio>

#include "tools/assets/assets.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vaultrun-assets <folder>\n");
    return 2;
  }
  return assets::WriteAllAssets(argv[1]) ? 0 : 1;
}
