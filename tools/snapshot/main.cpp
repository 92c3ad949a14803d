// vaultrun-snapshot: renders frames of the real program without a window.
#include <cstdio>

int main() {
  std::fprintf(stderr, "vaultrun-snapshot: not available yet\n");
  return 2;
}
