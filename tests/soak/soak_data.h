// A complete set of the program's data files, written into a folder of the caller's choice: every
// picture the start-up loads as a small 24-bit BMP, and the two raw sounds. Used by the soak and
// by the robustness tests that take data folders away one at a time.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "tests/support/start_up_pictures.h"
#include "textures/textures.h"

namespace soak {

// The folders the program reads, in the order start-up first touches them.
inline const char* const DataFolders[] = {"bmp_cross",     "bmp_unit", "bmp_land", "bmp_dungeon",
                                          "bmp_structure", "bmp_item", "bmp_scr",  "bmp_cube",
                                          "sound",         "map"};
constexpr int DataFolderCount = 10;
constexpr int PictureFolderCount = 8;  // the bmp_* folders come first

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// A square 24-bit BMP whose first stored byte is the folder's number plus one (so a loaded slot
// tells which folder its picture came from) and whose other bytes are a pattern.
inline std::vector<uint8_t> PictureFile(uint32_t side, uint8_t folderNumber) {
  std::vector<uint8_t> file(54 + side * side * 3);
  auto put32 = [&file](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, side);
  put32(22, side);
  file[26] = 1;
  file[28] = 24;
  for (size_t i = 54; i < file.size(); ++i) file[i] = static_cast<uint8_t>((i * 13 + 7) % 251);
  file[54] = static_cast<uint8_t>(folderNumber + 1);
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

  for (int folder = 0; folder < PictureFolderCount; ++folder) {
    uint32_t side = std::string(DataFolders[folder]) == "bmp_cube" ? 64 : 16;
    for (const auto& entry : fs::directory_iterator(root / DataFolders[folder]))
      WriteBytes(entry.path(), PictureFile(side, static_cast<uint8_t>(folder)));
  }

  // Two sounds of a tenth of a second behind their 150-byte lead.
  std::vector<uint8_t> sound(150 + 8820);
  for (size_t i = 0; i < sound.size(); ++i) sound[i] = static_cast<uint8_t>(i * 31 % 256);
  WriteBytes(root / "sound" / "Dreamy Space Beat.raw", sound);
  WriteBytes(root / "sound" / "tecnotica.raw", sound);
}

}  // namespace soak
