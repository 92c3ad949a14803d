// What the asset writer leaves in a working directory, checked the way the program reads it:
// every file of the picture lists through the platform's file seam (backslash paths, names
// matched without regard to case), header and pixel block read as the BMP loader reads them.
#include "tools/assets/assets.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fs = std::filesystem;

namespace {

struct ListedFile {
  const char* folder;
  unsigned slot;
  const char* name;
};

// The eight picture lists in call order, then the three files the entry point loads itself.
const ListedFile Listed[] = {
    {"bmp_cross", 1104, "cross4"},
    {"bmp_unit", 801, "unit_giant_rat"},
    {"bmp_unit", 802, "unit_green_slime"},
    {"bmp_unit", 803, "unit_dog"},
    {"bmp_unit", 805, "unit_serpent"},
    {"bmp_unit", 806, "unit_fungus"},
    {"bmp_unit", 810, "unit_goblin"},
    {"bmp_unit", 811, "unit_nabos"},
    {"bmp_unit", 812, "unit_orc_b"},
    {"bmp_unit", 820, "unit_beatle"},
    {"bmp_unit", 821, "unit_gor_dog"},
    {"bmp_unit", 822, "unit_giant_spider"},
    {"bmp_unit", 823, "unit_serpent_fire"},
    {"bmp_unit", 824, "unit_beatle_fire"},
    {"bmp_unit", 829, "unit_drius"},
    {"bmp_unit", 830, "unit_rust_monster"},
    {"bmp_unit", 831, "unit_giant_worm"},
    {"bmp_unit", 832, "unit_gelatinous_cube"},
    {"bmp_unit", 840, "unit_polar_geer"},
    {"bmp_unit", 841, "unit_squeletton"},
    {"bmp_unit", 842, "unit_squeletton_zombi_wounded"},
    {"bmp_unit", 843, "unit_squeletton_zombi"},
    {"bmp_unit", 849, "unit_mage"},
    {"bmp_unit", 852, "unit_squeletton_sturdy"},
    {"bmp_unit", 853, "unit_dwarf"},
    {"bmp_unit", 854, "unit_squeletton_monster"},
    {"bmp_unit", 861, "unit_squeletton_brave"},
    {"bmp_unit", 863, "unit_squeletton_floating"},
    {"bmp_unit", 870, "unit_minotor"},
    {"bmp_unit", 871, "unit_floating_eye"},
    {"bmp_unit", 872, "unit_squeletton_fire"},
    {"bmp_unit", 874, "unit_mage_eye"},
    {"bmp_unit", 875, "unit_squeletton_ogre"},
    {"bmp_unit", 876, "unit_ogre"},
    {"bmp_unit", 878, "unit_squeletton_armored"},
    {"bmp_unit", 881, "unit_medusa"},
    {"bmp_unit", 882, "unit_squeletton_warrior"},
    {"bmp_unit", 883, "unit_mantis"},
    {"bmp_unit", 890, "unit_squeletton_evil"},
    {"bmp_unit", 902, "unit_lich"},
    {"bmp_unit", 903, "unit_dragon"},
    {"bmp_unit", 904, "unit_dragon_hydra"},
    {"bmp_unit", 906, "unit_dragon_basilic"},
    {"bmp_unit", 960, "unit_fire"},
    {"bmp_unit", 961, "unit_fire_fire"},
    {"bmp_unit", 962, "unit_fire_fire_fire"},
    {"bmp_unit", 963, "unit_water"},
    {"bmp_unit", 964, "unit_water_water"},
    {"bmp_unit", 965, "unit_water_water_water"},
    {"bmp_unit", 966, "unit_earth"},
    {"bmp_unit", 967, "unit_earth_earth"},
    {"bmp_unit", 968, "unit_earth_earth_earth"},
    {"bmp_unit", 969, "unit_air"},
    {"bmp_unit", 970, "unit_air_air"},
    {"bmp_unit", 971, "unit_air_air_air"},
    {"bmp_unit", 980, "unit_fighter"},
    {"bmp_unit", 981, "unit_mage"},
    {"bmp_unit", 982, "unit_cleric"},
    {"bmp_unit", 983, "unit_bandit"},
    {"bmp_land", 10, "plain"},
    {"bmp_land", 11, "forest"},
    {"bmp_land", 12, "forest_fruit"},
    {"bmp_land", 13, "forest_gray"},
    {"bmp_land", 14, "water"},
    {"bmp_land", 15, "water_deep"},
    {"bmp_land", 16, "swamp_a"},
    {"bmp_land", 17, "desert_a"},
    {"bmp_land", 18, "hills_a"},
    {"bmp_land", 19, "mountain"},
    {"bmp_land", 20, "mountain_high_a"},
    {"bmp_land", 21, "forest_leaf"},
    {"bmp_land", 22, "road_b"},
    {"bmp_land", 23, "forest_b"},
    {"bmp_land", 24, "forest_c"},
    {"bmp_land", 180, "village_b"},
    {"bmp_land", 181, "village_b_yellow"},
    {"bmp_land", 182, "village_b_blue"},
    {"bmp_land", 183, "village_b_green"},
    {"bmp_land", 184, "village_b_red"},
    {"bmp_land", 188, "ruin_a"},
    {"bmp_land", 189, "castle_a"},
    {"bmp_land", 190, "grottus"},
    {"bmp_land", 191, "mine"},
    {"bmp_land", 192, "iron_mine"},
    {"bmp_land", 193, "forest_leaf"},
    {"bmp_land", 194, "well"},
    {"bmp_land", 196, "dungeon_a"},
    {"bmp_land", 197, "lighttower_a"},
    {"bmp_land", 198, "rift_a"},
    {"bmp_dungeon", 111, "wall"},
    {"bmp_dungeon", 118, "floor_marble"},
    {"bmp_dungeon", 119, "floor"},
    {"bmp_dungeon", 120, "chest"},
    {"bmp_dungeon", 121, "chest_open"},
    {"bmp_dungeon", 122, "candelabrum"},
    {"bmp_dungeon", 123, "candelabrum_extinct"},
    {"bmp_dungeon", 124, "coffin"},
    {"bmp_dungeon", 125, "coffin_open"},
    {"bmp_dungeon", 126, "floor_bones"},
    {"bmp_dungeon", 127, "floor_bones_cleaned"},
    {"bmp_dungeon", 128, "door"},
    {"bmp_dungeon", 129, "door_opened"},
    {"bmp_dungeon", 130, "source"},
    {"bmp_dungeon", 131, "source_complete"},
    {"bmp_dungeon", 132, "spawn"},
    {"bmp_dungeon", 133, "spawn_complete"},
    {"bmp_dungeon", 134, "fountain"},
    {"bmp_dungeon", 135, "fountain_drank"},
    {"bmp_dungeon", 136, "stairsd"},
    {"bmp_dungeon", 137, "stairsu"},
    {"bmp_dungeon", 140, "circle"},
    {"bmp_dungeon", 141, "circle_golden"},
    {"bmp_dungeon", 142, "circle_aflamed"},
    {"bmp_dungeon", 144, "altar"},
    {"bmp_dungeon", 145, "altar_jeweled"},
    {"bmp_dungeon", 146, "altar_dark"},
    {"bmp_dungeon", 148, "trap"},
    {"bmp_dungeon", 149, "trap_disabled"},
    {"bmp_dungeon", 152, "torch"},
    {"bmp_dungeon", 153, "torch_extinct"},
    {"bmp_dungeon", 155, "geer_mecanism"},
    {"bmp_dungeon", 156, "lever"},
    {"bmp_dungeon", 160, "source"},
    {"bmp_dungeon", 161, "source_red"},
    {"bmp_dungeon", 162, "source_green"},
    {"bmp_dungeon", 163, "source_blue"},
    {"bmp_dungeon", 164, "source_yellow"},
    {"bmp_dungeon", 165, "source_brown"},
    {"bmp_dungeon", 167, "scrolls"},
    {"bmp_structure", 390, "hart"},
    {"bmp_structure", 400, "structure_farm"},
    {"bmp_structure", 401, "structure_merchant"},
    {"bmp_structure", 402, "structure_quary"},
    {"bmp_structure", 403, "structure_stable"},
    {"bmp_structure", 404, "structure_tower"},
    {"bmp_structure", 405, "structure_barrack"},
    {"bmp_structure", 406, "structure_blacksmith"},
    {"bmp_structure", 407, "structure_castle"},
    {"bmp_structure", 408, "structure_church"},
    {"bmp_item", 0, "blank"},
    {"bmp_item", 600, "item_knife"},
    {"bmp_item", 601, "item_dagger"},
    {"bmp_item", 602, "item_short_sword"},
    {"bmp_item", 603, "item_gauche"},
    {"bmp_item", 604, "item_long_sword"},
    {"bmp_item", 605, "item_bastard_sword"},
    {"bmp_item", 606, "item_kopesh"},
    {"bmp_item", 607, "item_blade"},
    {"bmp_item", 608, "item_blade_ameliorated"},
    {"bmp_item", 609, "item_behead"},
    {"bmp_item", 610, "item_broad_sword"},
    {"bmp_item", 611, "item_horner"},
    {"bmp_item", 612, "item_glaive"},
    {"bmp_item", 613, "item_saber"},
    {"bmp_item", 614, "item_saber_ameliorated"},
    {"bmp_item", 615, "item_whale_blade"},
    {"bmp_item", 616, "item_whale_blade_ameliorated"},
    {"bmp_item", 617, "item_two_handed_sword"},
    {"bmp_item", 618, "item_two_bladed_sword"},
    {"bmp_item", 619, "item_two_bladed_sword_ameliorated"},
    {"bmp_item", 3000, "item_bag"},
    {"bmp_item", 3001, "item_blue_bag"},
    {"bmp_item", 630, "item_maul"},
    {"bmp_item", 631, "item_morningstar"},
    {"bmp_item", 632, "item_mace"},
    {"bmp_item", 633, "item_war_mace"},
    {"bmp_item", 640, "item_staff"},
    {"bmp_item", 641, "item_rod"},
    {"bmp_item", 642, "item_wand"},
    {"bmp_item", 650, "item_hand_axe"},
    {"bmp_item", 651, "item_axe"},
    {"bmp_item", 652, "item_battle_axe"},
    {"bmp_item", 653, "item_iron_battle_axe"},
    {"bmp_item", 654, "item_iron_ordered_battle_axe"},
    {"bmp_item", 655, "item_iron_rubioux_battle_axe"},
    {"bmp_item", 680, "item_potion_red"},
    {"bmp_item", 681, "item_potion_green"},
    {"bmp_item", 682, "item_potion_blue"},
    {"bmp_item", 683, "item_potion_yellow"},
    {"bmp_item", 684, "item_potion_white"},
    {"bmp_item", 730, "item_blue_robe"},
    {"bmp_item", 731, "item_red_robe"},
    {"bmp_item", 732, "item_gray_robe"},
    {"bmp_item", 740, "item_leather_armor"},
    {"bmp_item", 741, "item_studded_leather_armor"},
    {"bmp_item", 742, "item_chain_mail"},
    {"bmp_item", 743, "item_scale_armor_b"},
    {"bmp_item", 744, "item_plate_armor"},
    {"bmp_item", 745, "item_full_plate_armor"},
    {"bmp_item", 746, "item_magic_armor"},
    {"bmp_item", 780, "socket"},
    {"bmp_item", 785, "alleviated_corner1"},
    {"bmp_item", 786, "alleviated_corner2"},
    {"bmp_item", 787, "alleviated_corner3"},
    {"bmp_item", 788, "alleviated_corner4"},
    {"bmp_scr", 1000, "intro1"},
    {"bmp_cube", 1200, "structure_castle"},
    {"bmp_cube", 1201, "brickold2"},
    {"bmp_cube", 1202, "grass3"},
    {"bmp_cube", 1203, "dirt1"},
    {"bmp_cube", 1204, "brickold3"},
    {"bmp_cube", 1205, "item_whale_blade"},
    {"bmp_cube", 1206, "DSC3"},
    {"bmp_unit", 1210, "unit_green_slime"},
    {"bmp_unit", 1211, "unit_nabos"},
    {"bmp_unit", 1212, "unit_serpent"},
    {"bmp_unit", 1213, "unit_giant_spider"},
    {"bmp_unit", 1214, "unit_serpent_fire"},
    {"bmp_unit", 1215, "unit_giant_worm"},
    {"bmp_unit", 1216, "unit_floating_eye"},
    {"bmp_unit", 1217, "unit_gelatinous_cube"},
    {"bmp_unit", 1218, "unit_ogre"},
    {"bmp_unit", 1219, "unit_mage_eye"},
    {"bmp_unit", 1220, "unit_minotor"},
    {"bmp_unit", 1221, "unit_mantis"},
    {"bmp_unit", 1222, "unit_dragon_hydra"},
    {"bmp_unit", 1223, "unit_pleidian"},
    {"bmp_cube", 596, "grass3"},
    {"bmp_cube", 597, "BRICKOLD2"},
    {"bmp_cube", 598, "dirt1"},
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

uint32_t Le32(const uint8_t* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

struct Picture {
  uint32_t width = 0, height = 0;
  std::vector<uint8_t> pixels;  // blue, green, red as stored
  bool Is(uint32_t x, uint32_t y, uint8_t r, uint8_t g, uint8_t b) const {
    const uint8_t* p = &pixels[3 * (static_cast<size_t>(y) * width + x)];
    return p[0] == b && p[1] == g && p[2] == r;
  }
};

// A fresh folder per test suite; what goes in it is up to the suite.
class AssetFolder : public ::testing::Test {
 protected:
  static void MakeRoot(const char* suite) {
    Root() = fs::temp_directory_path() /
             ("vaultrun-" + std::string(suite) + "-" + std::to_string(getpid()));
    fs::remove_all(Root());
  }
  static void TearDownTestSuite() { fs::remove_all(Root()); }
  static fs::path& Root() {
    static fs::path root;
    return root;
  }

  // The path as the program spells it, under the test's root: ".\bmp_unit\unit_dog.bmp".
  static std::string ProgramPath(const ListedFile& file) {
    return Root().string() + "/.\\" + file.folder + "\\" + file.name + ".bmp";
  }

  // Reads as the BMP loader does: 54 header bytes, then width * height * 3 bytes straight
  // after them. Fails the test on anything the loader would refuse or read wrongly.
  static Picture Load(const ListedFile& file) {
    Picture picture;
    std::string path = ProgramPath(file);
    PlatformFile handle = PlatformCreateFile(path.c_str(), FileReadData | FileWriteData,
                                             FileShareWrite, FileOpenAlways, FileAttributeNormal);
    EXPECT_NE(handle, PlatformInvalidFile) << path;
    if (handle == PlatformInvalidFile) return picture;
    uint8_t header[54] = {};
    uint32_t got = 0;
    PlatformReadFile(handle, header, 54, &got);
    EXPECT_EQ(got, 54u) << path;
    EXPECT_EQ(header[0], 'B') << path;
    EXPECT_EQ(header[1], 'M') << path;
    EXPECT_EQ(header[28], 24) << path;
    // The fields the loader ignores are kept standard so other tools read the files too.
    EXPECT_EQ(Le32(header + 10), 54u) << path;
    EXPECT_EQ(Le32(header + 14), 40u) << path;
    EXPECT_EQ(header[26], 1) << path;
    EXPECT_EQ(Le32(header + 30), 0u) << path;
    picture.width = Le32(header + 18);
    picture.height = Le32(header + 22);
    EXPECT_EQ(picture.width * 3 % 4, 0u) << path << ": rows would carry padding";
    EXPECT_GT(picture.width, 0u);
    EXPECT_GT(picture.height, 0u);
    EXPECT_LE(picture.height, 240u) << path << ": a top-down file reads as a huge height";
    if (got == 54 && picture.width > 0 && picture.width <= 320 && picture.height <= 240) {
      uint32_t size = picture.width * picture.height * 3;
      picture.pixels.assign(size, 0);
      PlatformReadFile(handle, picture.pixels.data(), size, &got);
      EXPECT_EQ(got, size) << path;
      EXPECT_EQ(Le32(header + 2), 54 + size) << path;
      uint8_t extra = 0;
      PlatformReadFile(handle, &extra, 1, &got);
      EXPECT_EQ(got, 0u) << path << ": bytes after the pixel block";
    }
    PlatformCloseHandle(handle);
    return picture;
  }

  // Files loaded into two slots, and names that differ only in case, are one file.
  static size_t DistinctListedFiles() {
    std::set<std::string> names;
    for (const ListedFile& file : Listed)
      names.insert(std::string(file.folder) + "/" + Lower(file.name));
    return names.size();
  }

  static bool IsFolder(const ListedFile& file, const char* folder) {
    return std::string(file.folder) == folder;
  }
};

class WrittenPictures : public AssetFolder {
 protected:
  static void SetUpTestSuite() {
    MakeRoot("pictures");
    ASSERT_TRUE(assets::WritePictures(Root().string()));
  }
};

TEST_F(WrittenPictures, EveryListedFileLoadsWithTheSizeOfItsKind) {
  // Map tiles, creatures, buildings and the cursor are 16 x 16, items 32 x 32, the surfaces
  // of the boxes 64 x 64, the title a full 320 x 240 frame.
  const std::map<std::string, std::pair<uint32_t, uint32_t>> sizes = {
      {"bmp_cross", {16, 16}},   {"bmp_unit", {16, 16}},      {"bmp_land", {16, 16}},
      {"bmp_dungeon", {16, 16}}, {"bmp_structure", {16, 16}}, {"bmp_item", {32, 32}},
      {"bmp_scr", {320, 240}},   {"bmp_cube", {64, 64}}};
  EXPECT_EQ(std::size(Listed), 220u);
  for (const ListedFile& file : Listed) {
    Picture picture = Load(file);
    auto expected = sizes.at(file.folder);
    EXPECT_EQ(picture.width, expected.first) << file.name;
    EXPECT_EQ(picture.height, expected.second) << file.name;
  }
}

TEST_F(WrittenPictures, WritesOneFilePerNameIgnoringCaseAndNothingElse) {
  std::map<std::string, std::set<std::string>> expected;  // folder -> lower-case names
  for (const ListedFile& file : Listed) expected[file.folder].insert(Lower(file.name) + ".bmp");
  for (const auto& [folder, names] : expected) {
    std::multiset<std::string> written;
    for (const auto& entry : fs::directory_iterator(Root() / folder))
      written.insert(Lower(entry.path().filename().string()));
    EXPECT_EQ(written.size(), names.size()) << folder;
    for (const std::string& name : names)
      EXPECT_EQ(written.count(name), 1u) << folder << "/" << name;
  }
  // The demonstration boxes' texture is spelt as the entry point spells it.
  EXPECT_TRUE(fs::exists(Root() / "bmp_cube" / "BRICKOLD2.bmp"));
}

TEST_F(WrittenPictures, CreaturesAndItemsStandOnTheKeyColourWithoutHoles) {
  for (const ListedFile& file : Listed) {
    bool creature = IsFolder(file, "bmp_unit") || IsFolder(file, "bmp_cross");
    bool item = IsFolder(file, "bmp_item") && std::string(file.name).rfind("item_", 0) == 0;
    if (!creature && !item) continue;
    Picture picture = Load(file);
    if (picture.pixels.empty()) continue;
    uint32_t w = picture.width, h = picture.height;
    // The figure stands free: much of the border is transparent (an outline, a spear or a hem
    // may touch it; a picture on an opaque ground would not pass).
    size_t border = 0, keyedBorder = 0;
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x)
        if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
          ++border;
          keyedBorder += picture.Is(x, y, 255, 0, 246);
        }
    EXPECT_GE(keyedBorder * 4, border) << file.name << ": not standing free";
    size_t drawn = 0;
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x) {
        // Pure black is transparent to the keyed blitter too: inside a figure it is a hole.
        EXPECT_FALSE(picture.Is(x, y, 0, 0, 0)) << file.name << " at " << x << "," << y;
        if (!picture.Is(x, y, 255, 0, 246)) ++drawn;
      }
    EXPECT_GE(drawn, w * h / 20) << file.name << ": too little drawn to recognise";
  }
}

TEST_F(WrittenPictures, TilesAndSurfacesAreOpaque) {
  // These are drawn unkeyed: one pixel of the key colour would show bright magenta.
  for (const ListedFile& file : Listed) {
    if (IsFolder(file, "bmp_unit") || IsFolder(file, "bmp_cross")) continue;
    if (IsFolder(file, "bmp_item") && std::string(file.name) != "blank" &&
        std::string(file.name) != "socket")
      continue;
    Picture picture = Load(file);
    size_t keyed = 0;
    for (uint32_t y = 0; y < picture.height; ++y)
      for (uint32_t x = 0; x < picture.width; ++x) keyed += picture.Is(x, y, 255, 0, 246);
    EXPECT_EQ(keyed, 0u) << file.folder << "/" << file.name;
  }
}

TEST_F(WrittenPictures, EveryPictureIsDrawnDifferently) {
  std::map<std::string, std::string> seen;  // content -> file name
  for (const auto& folder : fs::directory_iterator(Root())) {
    if (!folder.is_directory()) continue;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
      if (entry.path().extension() != ".bmp") continue;
      std::vector<uint8_t> bytes = ReadAll(entry.path());
      auto [it, fresh] =
          seen.emplace(std::string(bytes.begin(), bytes.end()), entry.path().filename().string());
      EXPECT_TRUE(fresh) << entry.path().filename() << " repeats " << it->second;
    }
  }
  EXPECT_EQ(seen.size(), DistinctListedFiles());
}

class WrittenAssets : public AssetFolder {
 protected:
  static void SetUpTestSuite() {
    MakeRoot("assets");
    ASSERT_TRUE(assets::WriteAllAssets(Root().string()));
  }
};

TEST_F(WrittenAssets, WritingAgainGivesTheSameBytesAndKeepsTheMaps) {
  fs::path again = Root().string() + "-again";
  fs::remove_all(again);
  fs::create_directories(again / "map");
  const std::string saved = "a saved overworld";
  std::ofstream(again / "map" / "3.overworld", std::ios::binary) << saved;
  // An empty file under another spelling, as an open-always of a missing picture leaves
  // behind; matched exactly, it would hide the real picture from the loader.
  fs::create_directories(again / "bmp_cube");
  std::ofstream(again / "bmp_cube" / "brickold2.bmp", std::ios::binary).flush();
  ASSERT_TRUE(assets::WriteAllAssets(again.string()));

  std::vector<uint8_t> map = ReadAll(again / "map" / "3.overworld");
  EXPECT_EQ(std::string(map.begin(), map.end()), saved);
  EXPECT_TRUE(fs::is_empty(Root() / "map"));
  size_t compared = 0;
  for (const auto& entry : fs::recursive_directory_iterator(Root())) {
    if (!entry.is_regular_file()) continue;
    fs::path twin = again / fs::relative(entry.path(), Root());
    EXPECT_TRUE(ReadAll(entry.path()) == ReadAll(twin)) << twin;
    ++compared;
  }
  EXPECT_EQ(compared, DistinctListedFiles() + 2);  // the pictures and the two sounds
  std::vector<std::string> spellings;
  for (const auto& entry : fs::directory_iterator(again / "bmp_cube"))
    if (Lower(entry.path().filename().string()) == "brickold2.bmp")
      spellings.push_back(entry.path().filename().string());
  ASSERT_EQ(spellings.size(), 1u);
  EXPECT_EQ(spellings[0], "BRICKOLD2.bmp");
  EXPECT_GT(fs::file_size(again / "bmp_cube" / "BRICKOLD2.bmp"), 54u);
  fs::remove_all(again);
}

struct Sound {
  std::vector<int16_t> samples;
  double Seconds() const { return static_cast<double>(samples.size()) / 44100.0; }
};

class WrittenSounds : public AssetFolder {
 protected:
  static void SetUpTestSuite() {
    MakeRoot("sounds");
    ASSERT_TRUE(assets::WriteSounds(Root().string()));
  }
  static Sound Read(const char* name) {
    std::vector<uint8_t> bytes = ReadAll(Root() / "sound" / name);
    Sound sound;
    EXPECT_GT(bytes.size(), 150u) << name;
    EXPECT_EQ((bytes.size() - 150) % 2, 0u) << name << ": half a sample at the end";
    EXPECT_LE(bytes.size() - 150, 3000000u) << name << ": more than a sound slot holds";
    for (size_t i = 150; i + 1 < bytes.size(); i += 2)
      sound.samples.push_back(static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return sound;
  }
};

TEST_F(WrittenSounds, AreMusicOfFifteenToThirtySecondsWithoutClippingOrOffset) {
  for (const char* name : {"Dreamy Space Beat.raw", "tecnotica.raw"}) {
    Sound sound = Read(name);
    EXPECT_GE(sound.Seconds(), 15.0) << name;
    EXPECT_LE(sound.Seconds(), 30.0) << name;
    int peak = 0;
    double sum = 0.0, squares = 0.0;
    for (int16_t s : sound.samples) {
      peak = std::max(peak, std::abs(static_cast<int>(s)));
      sum += s;
      squares += static_cast<double>(s) * s;
    }
    double n = static_cast<double>(sound.samples.size());
    double rmsDb = 20.0 * std::log10(std::sqrt(squares / n) / 32768.0);
    EXPECT_LT(peak, 32000) << name << ": touches full scale";
    EXPECT_GT(peak, 16000) << name << ": needlessly quiet";
    EXPECT_GT(rmsDb, -24.0) << name;
    EXPECT_LT(rmsDb, -6.0) << name << ": squashed flat";
    EXPECT_LT(std::abs(sum / n), 100.0) << name << ": a DC offset";
  }
}

TEST_F(WrittenSounds, TecnoticaKicksOnEveryBeat) {
  // 130 beats a minute with 16ths of 5,088 samples: a beat every 20,352 samples. The low end
  // (a running mean over 2 ms) must be stronger just after each beat than just before it.
  Sound sound = Read("tecnotica.raw");
  const size_t beat = 20352, window = 2205, smooth = 88;
  std::vector<double> low(sound.samples.size(), 0.0);
  double running = 0.0;
  for (size_t i = 0; i < sound.samples.size(); ++i) {
    running += sound.samples[i];
    if (i >= smooth) running -= sound.samples[i - smooth];
    low[i] = running / smooth;
  }
  auto energy = [&](size_t from) {
    double e = 0.0;
    for (size_t i = from; i < from + window && i < low.size(); ++i) e += low[i] * low[i];
    return e;
  };
  size_t beats = 0, strong = 0;
  for (size_t at = beat; at + window < low.size(); at += beat, ++beats)
    if (energy(at) > 2.0 * energy(at - window)) ++strong;
  EXPECT_GE(beats, 40u);
  EXPECT_EQ(strong, beats);
}

}  // namespace
