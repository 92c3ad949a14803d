// The eight start-up picture lists, run in a scratch working directory: which slot receives which
// file (each file carries its own folder and name as pixel bytes). That every file a list opens
// exists among the asset writer's pictures is checked in tests/assets.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/fnv1a.h"
#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"

using namespace bmp_test;
namespace fs = std::filesystem;

namespace {

const char* const Folders[] = {"bmp_cross",     "bmp_unit", "bmp_land", "bmp_dungeon",
                               "bmp_structure", "bmp_item", "bmp_scr",  "bmp_cube"};

std::string FileInSlot(uint32_t slot) {
  const TextureSlot& image = TextureSlotTable[slot];
  std::string text(reinterpret_cast<const char*>(image.pixels), image.width * 3);
  return text.substr(0, text.find('\0'));
}

// With the folders present and the files missing, the lists create each file empty and fill no
// slot. Written then as pictures whose pixel bytes spell "folder/name", they fill 217 slots.
// The whole table, "slot folder/name" a line in slot order, is hashed (FNV-1a 64): recorded on
// 2026-12-06 at commit 753b12a while two tests passed against it that listed, typed apart from
// the lists, every slot of each list and the file of 30 chosen slots. A few entries that carry a
// rule stay spelled out: a picture loaded into two slots gets a block of its own in each.
TEST(TextureLists, SlotTableMatchesItsRecordedHash) {
  FreshTextureSlots();
  ScratchFolder root;
  WorkingDirectory inRoot(root.path());
  for (const char* folder : Folders) fs::create_directory(folder);
  LoadTextureLists();
  for (const char* folder : Folders)
    for (const auto& entry : fs::directory_iterator(folder)) {
      EXPECT_EQ(fs::file_size(entry.path()), 0u) << entry.path();
      std::string text = std::string(folder) + "/" + entry.path().filename().string();
      std::vector<uint8_t> bytes(text.begin(), text.end());
      bytes.resize((bytes.size() + 2) / 3 * 3, 0);
      for (size_t i = 0; i < bytes.size(); i += 3) std::swap(bytes[i], bytes[i + 2]);
      WriteFileBytes(entry.path(), Bmp24(static_cast<uint32_t>(bytes.size() / 3), 1, bytes));
    }
  LoadTextureLists();
  std::string table;
  int loaded = 0;
  for (uint32_t slot = 0; slot < TextureSlotCount; ++slot)
    if (TextureSlotTable[slot].pixels) {
      table += std::to_string(slot) + " " + FileInSlot(slot) + "\n";
      ++loaded;
    }
  EXPECT_EQ(loaded, 217);
  EXPECT_EQ(Fnv1a64(table.data(), table.size()), 0x85766661c62b2876ull);
  EXPECT_EQ(FileInSlot(849), "bmp_unit/unit_mage.bmp");
  EXPECT_EQ(FileInSlot(981), "bmp_unit/unit_mage.bmp");
  EXPECT_NE(TextureSlotTable[849].pixels, TextureSlotTable[981].pixels);
  DropTextureSlots();
}

}  // namespace
