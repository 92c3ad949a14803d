// Writing the working directory: every picture of the families, both sounds, the map folder.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "tools/assets/assets.h"

namespace assets {

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The program finds its files without regard to case and prefers an exact match, so another
// spelling of one of our names (say an empty "brickold2.bmp" that an earlier run created when
// the file was missing) would stand in front of what is written here: it goes.
void RemoveOtherSpellings(const std::filesystem::path& path) {
  std::error_code error;
  const std::string name = path.filename().string();
  std::vector<std::filesystem::path> doomed;
  for (const auto& entry : std::filesystem::directory_iterator(path.parent_path(), error)) {
    std::string other = entry.path().filename().string();
    if (other != name && SameIgnoringCase(other, name)) doomed.push_back(entry.path());
  }
  for (const auto& stale : doomed) std::filesystem::remove(stale, error);
}

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  RemoveOtherSpellings(path);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "vaultrun-assets: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

// Pure black is transparent to the keyed blitter, like the key colour; nothing drawn here means
// it so, and an outline or a shadow that reached 0, 0, 0 would punch a hole into a creature.
void LiftPureBlack(Canvas& canvas) {
  for (Rgb& pixel : canvas.pixels)
    if (pixel == Rgb{0, 0, 0}) pixel = Rgb{2, 2, 2};
}

bool MakeFolders(const std::filesystem::path& base, std::initializer_list<const char*> folders) {
  for (const char* folder : folders) {
    std::error_code error;
    std::filesystem::create_directories(base / folder, error);
    if (error) {
      std::fprintf(stderr, "vaultrun-assets: cannot create %s: %s\n",
                   (base / folder).string().c_str(), error.message().c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

std::vector<Picture> AllPictures() {
  std::vector<Picture> pictures;
  AddCursorPictures(pictures);
  AddUnitPictures(pictures);
  AddLandPictures(pictures);
  AddDungeonPictures(pictures);
  AddStructurePictures(pictures);
  AddItemPictures(pictures);
  AddTitlePictures(pictures);
  AddCubePictures(pictures);
  return pictures;
}

Canvas PaintPicture(const Picture& picture) {
  Canvas canvas = MakeCanvas(picture.width, picture.height, picture.background);
  Rng rng(HashName(std::string(picture.folder) + "/" + picture.name));
  picture.paint(canvas, rng);
  LiftPureBlack(canvas);
  return canvas;
}

std::vector<uint8_t> EncodeRawSound(const std::vector<int16_t>& samples, const char* tag) {
  std::vector<uint8_t> bytes(150 + 2 * samples.size(), 0);
  for (size_t i = 0; tag[i] && i < 149; ++i) bytes[i] = static_cast<uint8_t>(tag[i]);
  size_t at = 150;
  for (int16_t sample : samples) {
    uint16_t bits = static_cast<uint16_t>(sample);
    bytes[at++] = static_cast<uint8_t>(bits & 0xFF);
    bytes[at++] = static_cast<uint8_t>(bits >> 8);
  }
  return bytes;
}

bool WritePictures(const std::string& root) {
  const std::filesystem::path base(root);
  bool ok = MakeFolders(base, {"bmp_cross", "bmp_unit", "bmp_land", "bmp_dungeon", "bmp_structure",
                               "bmp_item", "bmp_scr", "bmp_cube"});
  for (const Picture& picture : AllPictures())
    ok = WriteFile(base / picture.folder / (std::string(picture.name) + ".bmp"),
                   EncodeBmp(PaintPicture(picture))) &&
         ok;
  return ok;
}

bool WriteSounds(const std::string& root) {
  const std::filesystem::path base(root);
  bool ok = MakeFolders(base, {"sound"});
  ok = WriteFile(base / "sound" / "Dreamy Space Beat.raw",
                 EncodeRawSound(ComposeDreamySpaceBeat(),
                                "VAULTRUN raw sound: Dreamy Space Beat, 16-bit mono 44100 Hz")) &&
       ok;
  ok = WriteFile(base / "sound" / "tecnotica.raw",
                 EncodeRawSound(ComposeTecnotica(),
                                "VAULTRUN raw sound: tecnotica, 16-bit mono 44100 Hz")) &&
       ok;
  return ok;
}

bool WriteAllAssets(const std::string& root) {
  // The map folder is where the game saves its worlds: made if missing, never emptied.
  bool ok = MakeFolders(std::filesystem::path(root), {"map"});
  ok = WritePictures(root) && ok;
  return WriteSounds(root) && ok;
}

}  // namespace assets
