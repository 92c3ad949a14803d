// A complete set of the program's data files, written into a folder of the caller's choice: every
// picture the start-up loads as a small 24-bit BMP, and the two raw sounds. Used by the soak and
// by the robustness tests.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/start_up_pictures.h"
#include "textures/textures.h"

namespace soak {

// The folders the program reads; the bmp_* folders come first.
inline const char* const DataFolders[] = {"bmp_cross",     "bmp_unit", "bmp_land", "bmp_dungeon",
                                          "bmp_structure", "bmp_item", "bmp_scr",  "bmp_cube",
                                          "sound",         "map"};

// A square 24-bit BMP of a pattern.
inline std::vector<uint8_t> PictureFile(uint32_t side) {
  std::vector<uint8_t> file(54 + side * side * 3);
  for (size_t i = 54; i < file.size(); ++i) file[i] = static_cast<uint8_t>((i * 13 + 7) % 251);
  const std::pair<size_t, uint32_t> fields[] = {
      {2, static_cast<uint32_t>(file.size())}, {10, 54}, {14, 40}, {18, side}, {22, side}};
  for (const auto& [at, value] : fields)
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
  file[0] = 'B';
  file[1] = 'M';
  file[26] = 1;
  file[28] = 24;
  return file;
}

// The picture lists are the only record of which files start-up opens. Run in root with empty
// folders, each list leaves an empty file for every name it tries; those files are then given
// content. Cube textures are 64 pixels square as the renderer expects, the others 16.
inline void WriteProgramData(const std::filesystem::path& root) {
  namespace fs = std::filesystem;
  for (const char* folder : DataFolders) fs::create_directories(root / folder);

  fs::path previous = fs::current_path();
  fs::current_path(root);
  TextureSlot* savedTable = TextureSlotTable;
  uint32_t savedCount = TextureSlotCount;
  TextureSlotTable = nullptr;
  ResizeTextureSlots(3100);
  LoadStartUpPictures();
  std::free(TextureSlotTable);  // the files were empty: no slot holds an image
  TextureSlotTable = savedTable;
  TextureSlotCount = savedCount;
  fs::current_path(previous);

  for (int folder = 0; folder < 8; ++folder) {
    uint32_t side = std::string(DataFolders[folder]) == "bmp_cube" ? 64 : 16;
    for (const auto& entry : fs::directory_iterator(root / DataFolders[folder]))
      WriteFileBytes(entry.path(), PictureFile(side));
  }

  // Two sounds of a tenth of a second behind their 150-byte lead.
  std::vector<uint8_t> sound(150 + 8820);
  for (size_t i = 0; i < sound.size(); ++i) sound[i] = static_cast<uint8_t>(i * 31 % 256);
  WriteFileBytes(root / "sound" / "Dreamy Space Beat.raw", sound);
  WriteFileBytes(root / "sound" / "tecnotica.raw", sound);
}

}  // namespace soak
