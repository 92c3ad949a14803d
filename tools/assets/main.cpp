// vaultrun-assets: writes the program's pictures and sounds into a working directory.
#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
  std::filesystem::path root = argc > 1 ? argv[1] : ".";
  for (const char* folder : {"bmp_cross", "bmp_unit", "bmp_land", "bmp_dungeon", "bmp_structure",
                             "bmp_item", "bmp_scr", "bmp_cube", "sound", "map"})
    std::filesystem::create_directories(root / folder);
  return 0;
}
