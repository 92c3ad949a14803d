// vaultrun-world dungeon, load, ascii and mapview: the dungeon generator, the map files and the
// map view from the command line.
//
// Grid files (--out of dungeon and load, --world of ascii and mapview) have the map-file layout:
// the first levels of the WorldGrid, 65536 bytes each, cell (x, y, level) at x + 256 y +
// 65536 level, no header.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/base.h"
#include "frame/frame.h"
#include "game/dungeon.h"
#include "game/game_data.h"
#include "game/map_files.h"
#include "game/map_view.h"
#include "shell/shell.h"
#include "tools/common/arguments.h"
#include "tools/common/image_file.h"
#include "tools/world/world_commands.h"

namespace {

constexpr int64_t Int32Low = INT32_MIN;
constexpr int64_t Int32High = INT32_MAX;
// Rooms beyond what a level can hold are skipped after 1000 attempts each: a larger count only
// costs time.
constexpr int64_t MostRooms = 1000000;

const char DungeonUsage[] =
    "dungeon --seed S --cx X --cy Y --first L --levels N --area A --rooms R [--style D] "
    "--out FILE [--save M]\n"
    "  Srand(S), then GenerateDungeon(X, Y, L, N, A, R) with DungeonStyle D (default 38).\n"
    "  FILE receives levels 0 .. L + N - 1 (65536 bytes each); --save M also writes them to\n"
    "  .\\map\\M.overworld. One line per generated level counts its rooms and fixtures.\n"
    "  S: 0 .. 4294967295; L: 0 .. 179; N: 0 .. 180 - L; R: 0 .. 1000000; X, Y, A, D, M: 32-bit.";
const char LoadUsage[] =
    "load --number M (--levels K | --overworld) --out FILE\n"
    "  LoadWorld(M, K) (K: 1 .. 180) or LoadOverworld(M) on an empty grid, from\n"
    "  .\\map\\M.overworld; FILE receives levels 0 .. K - 1 (level 0 with --overworld).";
const char AsciiUsage[] =
    "ascii --world FILE --level L [--x0 X --y0 Y --x1 X --y1 Y]\n"
    "  Prints level L of a grid file, cells x0 .. x1 of rows y1 down to y0 (y grows upward, as in\n"
    "  the map view; the whole level by default; give all four or none, 0 .. 255), one letter\n"
    "  per cell: '_' for 0; for the land codes . plain, f forest, o fruit forest, g grey forest,\n"
    "  ~ water, W deep water, s swamp, d desert, h hills, M mountain, A high mountain,\n"
    "  l leaf forest, + road, p pine forest, m mixed forest (10 to 24), V Y B G R villages\n"
    "  (180 to 184), X ruin, C castle, O grotto, N mine, I iron mine, L leaf-forest site, U well,\n"
    "  D dungeon, T lighthouse, Z rift (188 to 198); the cell's character for codes 33 to 126;\n"
    "  '#' for any other code.";
const char MapViewUsage[] =
    "mapview --world FILE --level L --column C --row R --out IMAGE\n"
    "  Draws level L of a grid file with the map view, cell (C, R) in the bottom-left tile\n"
    "  (C, R: 0 .. 255), and writes the frame as IMAGE (.bmp or .png).";

int UsageError(const char* command, const std::string& message, const char* usage) {
  std::fprintf(stderr, "vaultrun-world %s: %s\nusage: vaultrun-world %s\n", command,
               message.c_str(), usage);
  return 2;
}

bool EndsWithNoCase(const std::string& text, const char* suffix) {
  std::string tail(suffix);
  if (text.size() < tail.size()) return false;
  return StringCompareNoCase(text.c_str() + text.size() - tail.size(), suffix) == 0;
}

// InitGameData provides these pools; a start-up that lacks any of them still leaves the
// commands working.
void EnsureDungeonPools() {
  if (!FirstRoomOfLevel)
    FirstRoomOfLevel = static_cast<uint32_t*>(std::calloc(MapLevels + 1, sizeof(uint32_t)));
  if (!EndRoomOfLevel)
    EndRoomOfLevel = static_cast<uint32_t*>(std::calloc(MapLevels + 1, sizeof(uint32_t)));
  if (!RoomScratch) RoomScratch = static_cast<uint8_t*>(std::calloc(RoomGridSide, RoomGridSide));
  if (!RoomTable)
    RoomTable = static_cast<RoomRecord*>(std::calloc(RoomCapacity, sizeof(RoomRecord)));
}

bool WriteGridFile(const std::string& path, int64_t levels) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    std::fprintf(stderr, "vaultrun-world: cannot write %s\n", path.c_str());
    return false;
  }
  size_t bytes = static_cast<size_t>(levels) * CellsPerLevel;
  bool ok = std::fwrite(WorldGrid, 1, bytes, file) == bytes;
  ok = std::fclose(file) == 0 && ok;
  if (!ok) std::fprintf(stderr, "vaultrun-world: cannot write %s\n", path.c_str());
  return ok;
}

// Reads a grid file into the WorldGrid from its first byte. The file must hold whole levels,
// at most MapLevels of them, and the level asked for.
bool ReadGridFile(const std::string& path, int64_t level, std::string* error) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    *error = "cannot read " + path;
    return false;
  }
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (bytes.size() > static_cast<size_t>(MapLevels) * CellsPerLevel) break;
  }
  std::fclose(file);
  if (bytes.empty() || bytes.size() % CellsPerLevel != 0 ||
      bytes.size() > static_cast<size_t>(MapLevels) * CellsPerLevel) {
    *error = path + " is not a grid file: it must hold 1 to " + std::to_string(MapLevels) +
             " whole levels of 65536 bytes";
    return false;
  }
  int64_t levels = static_cast<int64_t>(bytes.size() / CellsPerLevel);
  if (level >= levels) {
    *error = path + " holds levels 0 .. " + std::to_string(levels - 1) + ", not level " +
             std::to_string(level);
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), WorldGrid);
  return true;
}

int CountOnLevel(int32_t level, uint8_t code) {
  const uint8_t* cells = WorldGrid + static_cast<size_t>(level) * CellsPerLevel;
  int count = 0;
  for (int32_t i = 0; i < CellsPerLevel; ++i) count += cells[i] == code;
  return count;
}

// The room records of the most recent call that lie on a level.
int RoomsOnLevel(int32_t level) {
  int count = 0;
  for (uint32_t i = 0; i < RoomCounter; ++i) count += RoomTable[i].level == level;
  return count;
}

// The land codes of the overworld (the numbers of their pictures) are not printable, so each
// gets a letter of its own: terrain in lower case or a sign (mountains in capitals), sites in
// capitals. No dungeon cell uses these codes. 185 to 187 and 195 have no picture.
constexpr char TerrainLetters[] = ".fog~WsdhMAl+pm";   // codes 10 to 24
constexpr char SiteLetters[] = "VYBGR###XCONILU#DTZ";  // codes 180 to 198

char AsciiOf(uint8_t code) {
  if (code == 0) return '_';
  if (code >= 10 && code <= 24) return TerrainLetters[code - 10];
  if (code >= 180 && code <= 198) return SiteLetters[code - 180];
  if (code >= 33 && code <= 126) return static_cast<char>(code);
  return '#';
}

}  // namespace

int WorldDungeon(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 0);
  arguments.RejectUnknown({{"--seed", 1},
                           {"--cx", 1},
                           {"--cy", 1},
                           {"--first", 1},
                           {"--levels", 1},
                           {"--area", 1},
                           {"--rooms", 1},
                           {"--style", 1},
                           {"--out", 1},
                           {"--save", 1}});
  int64_t seed = arguments.Integer("--seed", 0, 0, UINT32_MAX);
  int64_t cx = arguments.Integer("--cx", 0, Int32Low, Int32High);
  int64_t cy = arguments.Integer("--cy", 0, Int32Low, Int32High);
  int64_t first = arguments.Integer("--first", 0, 0, MapLevels - 1);
  int64_t levels = arguments.Integer("--levels", 0, 0, MapLevels);
  int64_t area = arguments.Integer("--area", 0, Int32Low, Int32High);
  int64_t rooms = arguments.Integer("--rooms", 0, 0, MostRooms);
  int64_t style = arguments.Integer("--style", 38, Int32Low, Int32High);
  std::string out = arguments.Text("--out", "");
  bool save = arguments.Has("--save");
  int64_t saveNumber = arguments.Integer("--save", 0, Int32Low, Int32High);
  for (const char* option :
       {"--seed", "--cx", "--cy", "--first", "--levels", "--area", "--rooms", "--out"})
    arguments.Require(option);
  if (arguments.error.empty() && first + levels > MapLevels)
    arguments.error = "--first + --levels must not exceed 180, the grid's levels";
  if (!arguments.error.empty()) return UsageError("dungeon", arguments.error, DungeonUsage);

  WorldStartUp();
  EnsureDungeonPools();
  Srand(static_cast<uint32_t>(seed));
  DungeonStyle = static_cast<int32_t>(style);
  GenerateDungeon(static_cast<int32_t>(cx), static_cast<int32_t>(cy), static_cast<int32_t>(first),
                  static_cast<int32_t>(levels), static_cast<int32_t>(area),
                  static_cast<int32_t>(rooms));
  int64_t written = first + levels;
  if (!WriteGridFile(out, written)) return 1;
  if (save) SaveWorld(static_cast<int32_t>(saveNumber), static_cast<uint32_t>(written));
  for (int32_t level = static_cast<int32_t>(first); level < written; ++level) {
    std::printf(
        "level %d rooms %d stairs-up %d stairs-down %d chests %d candelabra %d scrolls %d "
        "coffins %d fountains %d\n",
        level, RoomsOnLevel(level), CountOnLevel(level, 'L'), CountOnLevel(level, 'M'),
        CountOnLevel(level, 'Z'), CountOnLevel(level, 'V'), CountOnLevel(level, 'd'),
        CountOnLevel(level, 'X'), CountOnLevel(level, 'T'));
  }
  return 0;
}

int WorldLoad(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 0);
  arguments.RejectUnknown({{"--number", 1}, {"--levels", 1}, {"--overworld", 0}, {"--out", 1}});
  int64_t number = arguments.Integer("--number", 0, Int32Low, Int32High);
  bool overworld = arguments.Has("--overworld");
  int64_t levels = arguments.Integer("--levels", 0, 1, MapLevels);
  std::string out = arguments.Text("--out", "");
  arguments.Require("--number");
  arguments.Require("--out");
  if (arguments.error.empty() && overworld == arguments.Has("--levels"))
    arguments.error = "give either --levels K or --overworld";
  if (!arguments.error.empty()) return UsageError("load", arguments.error, LoadUsage);

  WorldStartUp();
  if (overworld) {
    LoadOverworld(static_cast<int32_t>(number));
    levels = 1;
  } else {
    LoadWorld(static_cast<int32_t>(number), static_cast<uint32_t>(levels));
  }
  return WriteGridFile(out, levels) ? 0 : 1;
}

int WorldAscii(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 0);
  arguments.RejectUnknown(
      {{"--world", 1}, {"--level", 1}, {"--x0", 1}, {"--y0", 1}, {"--x1", 1}, {"--y1", 1}});
  std::string world = arguments.Text("--world", "");
  int64_t level = arguments.Integer("--level", 0, 0, MapLevels - 1);
  int corners =
      arguments.Has("--x0") + arguments.Has("--y0") + arguments.Has("--x1") + arguments.Has("--y1");
  int64_t x0 = arguments.Integer("--x0", 0, 0, MapSide - 1);
  int64_t y0 = arguments.Integer("--y0", 0, 0, MapSide - 1);
  int64_t x1 = arguments.Integer("--x1", MapSide - 1, 0, MapSide - 1);
  int64_t y1 = arguments.Integer("--y1", MapSide - 1, 0, MapSide - 1);
  arguments.Require("--world");
  arguments.Require("--level");
  if (arguments.error.empty() && corners != 0 && corners != 4)
    arguments.error = "give all of --x0 --y0 --x1 --y1, or none";
  if (arguments.error.empty() && (x0 > x1 || y0 > y1))
    arguments.error = "the rectangle needs x0 <= x1 and y0 <= y1";
  if (!arguments.error.empty()) return UsageError("ascii", arguments.error, AsciiUsage);

  WorldStartUp();
  std::string error;
  if (!ReadGridFile(world, level, &error)) return UsageError("ascii", error, AsciiUsage);
  std::string line;
  // The top line is the highest row, so the text reads the same way up as the map view.
  for (int64_t y = y1; y >= y0; --y) {
    line.clear();
    for (int64_t x = x0; x <= x1; ++x) line += AsciiOf(WorldGrid[WorldCellIndex(x, y, level)]);
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

int WorldMapView(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 0);
  arguments.RejectUnknown(
      {{"--world", 1}, {"--level", 1}, {"--column", 1}, {"--row", 1}, {"--out", 1}});
  std::string world = arguments.Text("--world", "");
  int64_t level = arguments.Integer("--level", 0, 0, MapLevels - 1);
  int64_t column = arguments.Integer("--column", 0, 0, MapSide - 1);
  int64_t row = arguments.Integer("--row", 0, 0, MapSide - 1);
  std::string out = arguments.Text("--out", "");
  for (const char* option : {"--world", "--level", "--column", "--row", "--out"})
    arguments.Require(option);
  if (arguments.error.empty() && !EndsWithNoCase(out, ".bmp") && !EndsWithNoCase(out, ".png"))
    arguments.error = "--out needs a .bmp or .png file name";
  if (!arguments.error.empty()) return UsageError("mapview", arguments.error, MapViewUsage);

  WorldStartUp();
  std::string error;
  if (!ReadGridFile(world, level, &error)) return UsageError("mapview", error, MapViewUsage);
  MapViewColumn = static_cast<int32_t>(column);
  MapViewRow = static_cast<int32_t>(row);
  MapViewLevel = static_cast<int32_t>(level);
  BlankFrame();
  DrawMapView();
  return WriteFrameImage(out) ? 0 : 1;
}
