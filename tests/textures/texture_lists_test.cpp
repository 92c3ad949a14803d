// The eight start-up picture lists, run in a scratch working directory: which slots each list
// fills and which slot receives which file (each file carries its own folder and name as pixel
// bytes). That every file a list opens exists in the folder the asset writer fills, and so in
// the folder it belongs to, is checked in tests/assets.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/fnv1a.h"
#include "game/game_data.h"
#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"

using namespace bmp_test;
namespace fs = std::filesystem;

namespace {

const char* const Folders[] = {"bmp_cross",     "bmp_unit", "bmp_land", "bmp_dungeon",
                               "bmp_structure", "bmp_item", "bmp_scr",  "bmp_cube"};

struct PictureList {
  const char* name;
  void (*load)();
};

// In the order InitGameData calls them.
const PictureList Lists[] = {
    {"cursor", LoadCursorTexture},        {"unit", LoadUnitTextures},
    {"land", LoadLandTextures},           {"dungeon", LoadDungeonTextures},
    {"structure", LoadStructureTextures}, {"item", LoadItemTextures},
    {"intro", LoadIntroTexture},          {"cube", LoadCubeTextures},
};

std::set<uint32_t> Range(uint32_t first, uint32_t last) {
  std::set<uint32_t> slots;
  for (uint32_t slot = first; slot <= last; ++slot) slots.insert(slot);
  return slots;
}

std::set<uint32_t> Join(std::initializer_list<std::set<uint32_t>> parts) {
  std::set<uint32_t> slots;
  for (const auto& part : parts) slots.insert(part.begin(), part.end());
  return slots;
}

// Every slot that holds an image.
std::set<uint32_t> LoadedSlots() {
  std::set<uint32_t> slots;
  for (uint32_t slot = 0; slot < TextureSlotCount; ++slot)
    if (TextureSlotTable[slot].pixels) slots.insert(slot);
  return slots;
}

class TextureLists : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : Folders) fs::create_directory(root.path() / folder);
    FreshTextureSlots();
  }
  void TearDown() override { DropTextureSlots(); }

  // Writes each (so far empty) file as a picture whose pixel bytes spell "folder/name".
  void FillEveryFileWithItsName() {
    for (const char* folder : Folders) {
      for (const auto& entry : fs::directory_iterator(root.path() / folder)) {
        std::string text = std::string(folder) + "/" + entry.path().filename().string();
        uint32_t width = static_cast<uint32_t>(text.size() + 2) / 3;
        std::vector<uint8_t> bytes(text.begin(), text.end());
        bytes.resize(width * 3, 0);
        // The loader swaps bytes 0 and 2 of each pixel; swap them here so the slot reads right.
        for (size_t i = 0; i < bytes.size(); i += 3) std::swap(bytes[i], bytes[i + 2]);
        WriteFileBytes(entry.path(), Bmp24(width, 1, bytes));
      }
    }
  }

  std::string FileInSlot(uint32_t slot) {
    const TextureSlot& image = TextureSlotTable[slot];
    if (!image.pixels) return "(empty)";
    std::string text(reinterpret_cast<const char*>(image.pixels), image.width * 3);
    return text.substr(0, text.find('\0'));
  }

  ScratchFolder root;
};

TEST_F(TextureLists, EachListFillsExactlyItsSlots) {
  WorkingDirectory inRoot(root.path());
  for (const PictureList& list : Lists) list.load();
  // With the folders present and the files missing, each file is created empty and no slot
  // receives an image.
  EXPECT_TRUE(LoadedSlots().empty());
  size_t created = 0;
  for (const char* folder : Folders) {
    for (const auto& entry : fs::directory_iterator(root.path() / folder)) {
      EXPECT_EQ(fs::file_size(entry.path()), 0u) << entry.path();
      ++created;
    }
  }
  EXPECT_GT(created, 0u);
  FillEveryFileWithItsName();

  const std::set<uint32_t> expected[] = {
      {1104},
      {801, 802, 803, 805, 806, 810, 811, 812, 820, 821, 822, 823, 824, 829, 830,
       831, 832, 840, 841, 842, 843, 849, 852, 853, 854, 861, 863, 870, 871, 872,
       874, 875, 876, 878, 881, 882, 883, 890, 902, 903, 904, 906, 960, 961, 962,
       963, 964, 965, 966, 967, 968, 969, 970, 971, 980, 981, 982, 983},
      Join({Range(10, 24), Range(180, 184), Range(188, 194), Range(196, 198)}),
      Join({{111},
            Range(118, 137),
            Range(140, 142),
            Range(144, 146),
            {148, 149, 152, 153},
            {155, 156},
            Range(160, 165),
            {167}}),
      Join({{390}, Range(400, 408)}),
      Join({{0},
            Range(600, 619),
            Range(630, 633),
            Range(640, 642),
            Range(650, 655),
            Range(680, 684),
            Range(730, 732),
            Range(740, 746),
            {780},
            Range(785, 788),
            {3000, 3001}}),
      {1000},
      Join({Range(1200, 1206), Range(1210, 1223)}),
  };
  const size_t counts[] = {1, 58, 30, 40, 10, 56, 1, 21};
  size_t total = 0;
  for (size_t list = 0; list < 8; ++list) {
    DropTextureSlots();
    FreshTextureSlots();
    Lists[list].load();
    std::set<uint32_t> slots = LoadedSlots();
    EXPECT_EQ(slots.size(), counts[list]) << Lists[list].name;
    EXPECT_EQ(slots, expected[list]) << Lists[list].name;
    total += slots.size();
  }
  EXPECT_EQ(total, 217u);
}

TEST_F(TextureLists, SlotsReceiveTheirNamedFiles) {
  WorkingDirectory inRoot(root.path());
  for (const PictureList& list : Lists) list.load();
  FillEveryFileWithItsName();
  for (const PictureList& list : Lists) list.load();
  EXPECT_EQ(LoadedSlots().size(), 217u);

  const std::map<uint32_t, std::string> named = {
      {1104, "bmp_cross/cross4.bmp"},
      {801, "bmp_unit/unit_giant_rat.bmp"},
      {849, "bmp_unit/unit_mage.bmp"},
      {981, "bmp_unit/unit_mage.bmp"},
      {983, "bmp_unit/unit_bandit.bmp"},
      {10, "bmp_land/plain.bmp"},
      {21, "bmp_land/forest_leaf.bmp"},
      {193, "bmp_land/forest_leaf.bmp"},
      {198, "bmp_land/rift_a.bmp"},
      {111, "bmp_dungeon/wall.bmp"},
      {130, "bmp_dungeon/source.bmp"},
      {160, "bmp_dungeon/source.bmp"},
      {167, "bmp_dungeon/scrolls.bmp"},
      {390, "bmp_structure/hart.bmp"},
      {408, "bmp_structure/structure_church.bmp"},
      {0, "bmp_item/blank.bmp"},
      {600, "bmp_item/item_knife.bmp"},
      {615, "bmp_item/item_whale_blade.bmp"},
      {654, "bmp_item/item_iron_ordered_battle_axe.bmp"},
      {655, "bmp_item/item_iron_rubioux_battle_axe.bmp"},
      {788, "bmp_item/alleviated_corner4.bmp"},
      {3000, "bmp_item/item_bag.bmp"},
      {3001, "bmp_item/item_blue_bag.bmp"},
      {1000, "bmp_scr/intro1.bmp"},
      {1200, "bmp_cube/structure_castle.bmp"},
      {1201, "bmp_cube/brickold2.bmp"},
      {1205, "bmp_cube/item_whale_blade.bmp"},
      {1206, "bmp_cube/DSC3.bmp"},
      {1210, "bmp_unit/unit_green_slime.bmp"},
      {1223, "bmp_unit/unit_pleidian.bmp"},
  };
  for (const auto& [slot, file] : named) EXPECT_EQ(FileInSlot(slot), file) << "slot " << slot;
  // A file loaded twice gives each slot a block of its own.
  EXPECT_NE(TextureSlotTable[849].pixels, TextureSlotTable[981].pixels);
}

// The whole slot table as one text, "slot folder/name" a line in slot order, hashed (FNV-1a 64):
// recorded on 2026-12-06 (parent commit bd5b143) while the two tests above passed.
TEST_F(TextureLists, SlotTableMatchesItsRecordedHash) {
  WorkingDirectory inRoot(root.path());
  for (const PictureList& list : Lists) list.load();
  FillEveryFileWithItsName();
  for (const PictureList& list : Lists) list.load();
  std::string table;
  for (uint32_t slot : LoadedSlots()) table += std::to_string(slot) + " " + FileInSlot(slot) + "\n";
  EXPECT_EQ(LoadedSlots().size(), 217u);
  EXPECT_EQ(Fnv1a64(table.data(), table.size()), 0x85766661c62b2876ull);
}

}  // namespace
