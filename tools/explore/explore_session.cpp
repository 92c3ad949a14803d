// The walk through a dungeon: its setup, one pass of its loop, and the hash of its state.
#include "tools/explore/explore_session.h"

#include <GL/gl.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/base.h"
#include "base/fnv1a.h"
#include "frame/frame.h"
#include "game/console.h"
#include "game/dungeon.h"
#include "game/game_data.h"
#include "game/map_view.h"
#include "game/world_view.h"
#include "input/input.h"
#include "overlay/overlay.h"
#include "shell/shell.h"
#include "tools/common/arguments.h"

namespace {

constexpr uint8_t FloorCode = '<';
constexpr uint8_t RockCode = '=';
constexpr int ViewRadius = 14;

char LastCommand[256] = "";

uint8_t& Cell(int x, int y, int level) { return WorldGrid[WorldCellIndex(x, y, level)]; }

// The floor cell of the level nearest to (cx, cy) whose cell one level down is rock, so that the
// walker stands on something. Returns false when the level has none.
bool FindStandingCell(int level, int cx, int cy, int* x, int* y) {
  long best = -1;
  for (int yy = 1; yy < MapSide - 1; ++yy) {
    for (int xx = 1; xx < MapSide - 1; ++xx) {
      if (Cell(xx, yy, level) != FloorCode || Cell(xx, yy, level + 1) != RockCode) continue;
      long distance =
          static_cast<long>(xx - cx) * (xx - cx) + static_cast<long>(yy - cy) * (yy - cy);
      if (best < 0 || distance < best) {
        best = distance;
        *x = xx;
        *y = yy;
      }
    }
  }
  return best >= 0;
}

bool LoadWorldFile(const std::string& path, int* levels) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    std::fprintf(stderr, "vaultrun-explore: cannot read %s\n", path.c_str());
    return false;
  }
  size_t capacity = static_cast<size_t>(CellsPerLevel) * MapLevels;
  size_t got = std::fread(WorldGrid, 1, capacity, file);
  bool longer = std::fgetc(file) != EOF;
  std::fclose(file);
  if (got == 0 || got % CellsPerLevel != 0 || longer) {
    std::fprintf(stderr,
                 "vaultrun-explore: %s must hold whole levels of 65536 bytes (1 to %d of them)\n",
                 path.c_str(), MapLevels);
    return false;
  }
  *levels = static_cast<int>(got / CellsPerLevel);
  return true;
}

void PlacePlayer(int x, int y, int level) {
  UnitRecord& player = UnitTable[1];
  player.inUse = 1;
  player.x = static_cast<uint16_t>(x);
  player.y = static_cast<uint16_t>(y);
  player.level = static_cast<uint16_t>(level);
  player.fx = player.fy = player.fz = 0.5f;
  MapViewColumn = x;
  MapViewRow = y;
  MapViewLevel = level;
  LastSafeCell[0] = x;
  LastSafeCell[1] = y;
  LastSafeCell[2] = level;
}

int LoadWorld(ExploreSetup* setup, bool expectHash) {
  int levels = 0;
  if (!LoadWorldFile(setup->world, &levels)) return 2;
  uint64_t hash = Fnv1a64(WorldGrid, static_cast<size_t>(levels) * CellsPerLevel);
  if (expectHash && hash != setup->worldHash) {
    std::fprintf(stderr, "vaultrun-explore: %s is not the world file the walk was recorded with\n",
                 setup->world.c_str());
    return 2;
  }
  setup->worldHash = hash;
  if (setup->level >= levels) {
    std::fprintf(stderr, "vaultrun-explore: %s holds levels 0 to %d only\n", setup->world.c_str(),
                 levels - 1);
    return 2;
  }
  PlacePlayer(setup->x, setup->y, setup->level);
  return 0;
}

int GenerateWorld(const ExploreSetup& setup) {
  Srand(setup.seed);
  GenerateDungeon(128, 128, 1, 3, 100, 150);
  int px = 128, py = 128;
  if (!FindStandingCell(2, 128, 128, &px, &py)) {
    std::fprintf(stderr, "vaultrun-explore: seed %" PRIu32 " made no floor on level 2\n",
                 setup.seed);
    return 1;
  }
  PlacePlayer(px, py, 2);
  return 0;
}

// The world view's floor check works on the map view cell while walking moves the player's own
// cell. The loop keeps the two together: before a step the map view cell is the player's cell;
// when the floor check sends the map view cell back to the last safe cell, the player follows
// it there, otherwise the map view cell follows the player.
void WorldViewStepKeepingCells() {
  UnitRecord& player = UnitTable[1];
  MapViewColumn = player.x;
  MapViewRow = player.y;
  MapViewLevel = player.level;
  WorldViewStep();
  bool sentBack =
      MapViewColumn != player.x || MapViewRow != player.y || MapViewLevel != player.level;
  if (sentBack) {
    player.x = static_cast<uint16_t>(MapViewColumn);
    player.y = static_cast<uint16_t>(MapViewRow);
    player.level = static_cast<uint16_t>(MapViewLevel);
  }
  MapViewColumn = player.x;
  MapViewRow = player.y;
  MapViewLevel = player.level;
}

template <typename T>
void Put(std::vector<uint8_t>& bytes, const T& value) {
  const uint8_t* raw = reinterpret_cast<const uint8_t*>(&value);
  bytes.insert(bytes.end(), raw, raw + sizeof value);
}

}  // namespace

std::string DescribeExploreSetup(const ExploreSetup& setup) {
  char text[96];
  if (!setup.fromFile) {
    std::snprintf(text, sizeof text, "seed %" PRIu32, setup.seed);
    return text;
  }
  std::snprintf(text, sizeof text, "world %d %d %d %016" PRIx64 " ", setup.level, setup.x, setup.y,
                setup.worldHash);
  return text + setup.world;
}

std::string ReadExploreSetup(const std::string& text, ExploreSetup* setup) {
  *setup = ExploreSetup{};
  // Words separated by one space; a world file's path is the rest of the text.
  std::vector<std::string> words;
  size_t at = 0;
  while (words.size() < 5 && at <= text.size()) {
    size_t space = text.find(' ', at);
    if (space == std::string::npos) space = text.size();
    words.push_back(text.substr(at, space - at));
    at = space + 1;
  }
  int64_t number[4] = {0, 0, 0, 0};
  if (words.size() == 2 && words[0] == "seed" &&
      ParseInteger(words[1], 0, UINT32_MAX, &number[0])) {
    setup->seed = static_cast<uint32_t>(number[0]);
    return "";
  }
  bool valid = words.size() == 5 && words[0] == "world" && at < text.size() &&
               ParseInteger(words[1], 1, 178, &number[0]) &&
               ParseInteger(words[2], 1, 254, &number[1]) &&
               ParseInteger(words[3], 1, 254, &number[2]) && words[4].size() == 16 &&
               words[4].find_first_not_of("0123456789abcdef") == std::string::npos;
  if (!valid) return "the walk's setup \"" + text + "\" is not one vaultrun-explore writes";
  setup->fromFile = true;
  setup->level = static_cast<int>(number[0]);
  setup->x = static_cast<int>(number[1]);
  setup->y = static_cast<int>(number[2]);
  setup->worldHash = std::strtoull(words[4].c_str(), nullptr, 16);
  setup->world = text.substr(at);
  return "";
}

int StartExplore(ExploreSetup* setup, bool expectHash) {
  SetRenderSize(320, 240);
  DisplayScale = 2;
  InitGameData();
  AllocateEnginePools();
  int status = setup->fromFile ? LoadWorld(setup, expectHash) : GenerateWorld(*setup);
  if (status != 0) {
    ReleaseEnginePools();
    ReleaseGameData();
    return status;
  }
  // The view starts level rather than looking straight down at the floor (pitch 0); the mouse
  // look gives -90 with the cursor at render row 90.
  ViewPitch = -90.0f;
  LastCommand[0] = 0;
  return 0;
}

void RunExplorePass() {
  ClearFrame();
  ClearDepth();
  // The clear colour is the transparent key of the read-back. Stated as 0.9 it reads back as
  // 229 on some drivers and 230 on others (Mesa rounds); 229 / 255 reads back as 229 on all.
  glClearColor(1.0f, 0.0f, 229.0f / 255.0f, 0.0f);
  WorldViewStepKeepingCells();
  // A command runs in the console step that sees Enter (or one left ready before it).
  bool running = CommandReady || (ConsoleVisible && IsKeyDown(VkReturn));
  CommandConsole();
  if (running) std::snprintf(LastCommand, sizeof LastCommand, "%s", ConsoleLine);
  const UnitRecord& player = UnitTable[1];
  std::snprintf(TextBuffer, sizeof TextBuffer, "cell %d %d %d   last command: %s", player.x,
                player.y, player.level,
                LastCommand[0] ? LastCommand : "none (Tab opens the console)");
  DrawSmallText(4, RenderHeight - 6, 255, 255, 0);
  DrawMouseCursor();
  PresentFrame();
  // While the console is open the letters are typed, not window keys (M would move the window).
  if (!ConsoleVisible) HandleWindowKeys();
  if (IsKeyDown(VkEscape)) QuitRequested = 1;
  while (PumpMessage() != 0) {
  }
  FrameCounter = static_cast<int32_t>(static_cast<uint32_t>(FrameCounter) + 1u);
}

uint64_t ExploreStateHash() {
  const UnitRecord& player = UnitTable[1];
  std::vector<uint8_t> bytes;
  for (uint16_t field : {player.x, player.y, player.level}) Put(bytes, field);
  for (float field : {player.fx, player.fy, player.fz, player.previousFx, player.previousFy,
                      player.previousFz, player.walkPhase, ViewYaw, ViewPitch})
    Put(bytes, field);
  for (int32_t field :
       {LastSafeCell[0], LastSafeCell[1], LastSafeCell[2], MapViewColumn, MapViewRow, MapViewLevel,
        ConsoleVisible, CommandReady, ConsoleLineLength, FrameCounter, QuitRequested, DisplayScale})
    Put(bytes, field);
  bytes.insert(bytes.end(), ConsoleLine, ConsoleLine + sizeof ConsoleLine);
  bytes.insert(bytes.end(), LastCommand, LastCommand + sizeof LastCommand);
  for (int z = player.level - ViewRadius; z < player.level + ViewRadius; ++z)
    for (int y = player.y - ViewRadius; y < player.y + ViewRadius; ++y)
      for (int x = player.x - ViewRadius; x < player.x + ViewRadius; ++x) {
        bool inside = x >= 0 && x < MapSide && y >= 0 && y < MapSide && z >= 0 && z < MapLevels;
        bytes.push_back(inside ? Cell(x, y, z) : 0);
      }
  return Fnv1a64(bytes.data(), bytes.size());
}

void EndExploreJournalPass() { JournalEndPass(QuitRequested != 0, ExploreStateHash); }

void EndExplore() {
  ReleaseEnginePools();
  ReleaseGameData();
}

int StartExploreReplay(const Replay& replay, bool verify) {
  ExploreSetup setup;
  std::string error = ReadExploreSetup(replay.setup, &setup);
  if (!error.empty()) {
    std::fprintf(stderr, "vaultrun-snapshot: %s\n", error.c_str());
    return 2;
  }
  int status = StartExplore(&setup, setup.fromFile);
  if (status != 0) return status;
  // Without a window nothing is read back from OpenGL: the key colour keeps the frame as the
  // software drew it.
  for (int i = 0; i < 320 * 240; ++i) {
    ReadbackBuffer[3 * i] = 255;
    ReadbackBuffer[3 * i + 1] = 0;
    ReadbackBuffer[3 * i + 2] = 229;
  }
  JournalStartPlayback(replay, verify);
  OpenMainWindow();
  EndExploreJournalPass();
  return 0;
}

bool PlayExploreReplayPass() {
  if (JournalPlaybackState.over || QuitRequested != 0) return false;
  RunExplorePass();
  EndExploreJournalPass();
  return true;
}

void EndExploreReplay() {
  JournalFinish();
  EndExplore();
}
