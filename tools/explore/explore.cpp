// vaultrun-explore: walk a dungeon in the first-person world view, in the VAULTRUN window.
// `vaultrun-world explore` starts this program (it needs the native backend for its window).
//
//   vaultrun-explore [--seed S] [--world FILE --level L --x X --y Y]
//
// With a seed (1 when nothing is given) it generates a dungeon around (128, 128) on levels 1 to
// 3 and puts the player (unit 1) on a floor cell of level 2 that stands on rock; with a world
// file (whole levels of 65,536 bytes, as map files hold them) it loads the file and starts at the
// given cell. The loop draws the world view, the console, a status line and the cursor until
// Escape. No audio is opened.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/base.h"
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

void RunExploreLoop() {
  char lastCommand[256] = "";
  while (QuitRequested == 0) {
    ClearFrame();
    ClearDepth();
    // The clear colour is the transparent key of the read-back. Stated as 0.9 it reads back as
    // 229 on some drivers and 230 on others (Mesa rounds); 229 / 255 reads back as 229 on all.
    glClearColor(1.0f, 0.0f, 229.0f / 255.0f, 0.0f);
    WorldViewStepKeepingCells();
    // A command runs in the console step that sees Enter (or one left ready before it).
    bool running = CommandReady || (ConsoleVisible && IsKeyDown(VkReturn));
    CommandConsole();
    if (running) std::snprintf(lastCommand, sizeof lastCommand, "%s", ConsoleLine);
    const UnitRecord& player = UnitTable[1];
    std::snprintf(TextBuffer, sizeof TextBuffer, "cell %d %d %d   last command: %s", player.x,
                  player.y, player.level,
                  lastCommand[0] ? lastCommand : "none (Tab opens the console)");
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
}

void PrintUsage(FILE* out) {
  std::fprintf(out,
               "usage: vaultrun-explore [--seed S] [--world FILE --level L --x X --y Y]\n"
               "keys: hold the left mouse button to walk forward (Z walks back), move the mouse "
               "with a button held to look,\n      Tab opens the console, F1..F4 scale the "
               "window, Escape ends\n");
}

}  // namespace

int main(int argc, char** argv) {
  ToolArguments arguments = ReadArguments(argc, argv, 1);
  if (arguments.Has("--help") || arguments.Has("-h")) {
    PrintUsage(stdout);
    return 0;
  }
  arguments.RejectUnknown({{"--seed", 1}, {"--world", 1}, {"--level", 1}, {"--x", 1}, {"--y", 1}});
  bool fromFile = arguments.Has("--world");
  int64_t seed = arguments.Integer("--seed", 1, 0, 4294967295LL);
  std::string world = arguments.Text("--world", "");
  int64_t level = 0, x = 0, y = 0;
  if (fromFile) {
    if (arguments.Has("--seed") && arguments.error.empty())
      arguments.error = "give either --seed or --world, not both";
    arguments.Require("--level");
    arguments.Require("--x");
    arguments.Require("--y");
    level = arguments.Integer("--level", 0, 1, 178);
    x = arguments.Integer("--x", 0, 1, 254);
    y = arguments.Integer("--y", 0, 1, 254);
  } else if (arguments.Has("--level") || arguments.Has("--x") || arguments.Has("--y")) {
    if (arguments.error.empty()) arguments.error = "--level, --x and --y go with --world";
  }
  if (!arguments.error.empty()) {
    std::fprintf(stderr, "vaultrun-explore: %s\n", arguments.error.c_str());
    PrintUsage(stderr);
    return 2;
  }

  SetRenderSize(320, 240);
  DisplayScale = 2;
  InitGameData();
  AllocateEnginePools();
  if (fromFile) {
    int levels = 0;
    if (!LoadWorldFile(world, &levels)) {
      ReleaseGameData();
      return 2;
    }
    if (level >= levels) {
      std::fprintf(stderr, "vaultrun-explore: %s holds levels 0 to %d only\n", world.c_str(),
                   levels - 1);
      ReleaseGameData();
      return 2;
    }
    PlacePlayer(static_cast<int>(x), static_cast<int>(y), static_cast<int>(level));
  } else {
    Srand(static_cast<uint32_t>(seed));
    GenerateDungeon(128, 128, 1, 3, 100, 150);
    int px = 128, py = 128;
    if (!FindStandingCell(2, 128, 128, &px, &py)) {
      std::fprintf(stderr, "vaultrun-explore: seed %lld made no floor on level 2\n",
                   static_cast<long long>(seed));
      ReleaseGameData();
      return 1;
    }
    PlacePlayer(px, py, 2);
  }

  // The view starts level rather than looking straight down at the floor (pitch 0); the mouse
  // look gives -90 with the cursor at render row 90.
  ViewPitch = -90.0f;
  OpenMainWindow();
  RunExploreLoop();
  ReleaseEnginePools();
  ReleaseGameData();
  return 0;
}
