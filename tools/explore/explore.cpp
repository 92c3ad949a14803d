// vaultrun-explore: walk a dungeon in the first-person world view, in the VAULTRUN window.
// `vaultrun-world explore` starts this program (it needs the native backend for its window).
//
//   vaultrun-explore [--seed S] [--world FILE --level L --x X --y Y]
//
// With a seed (1 when nothing is given) it generates a dungeon around (128, 128) on levels 1 to
// 3 and puts the player (unit 1) on a floor cell of level 2 that stands on rock; with a world
// file (whole levels of 65,536 bytes, as map files hold them) it loads the file and starts at the
// given cell. The loop draws the world view, the console, a status line and the cursor until
// Escape. No audio is opened. VAULTRUN_RECORD=FILE records the walk as a replay, which
// `vaultrun-snapshot --replay FILE` plays back.
#include <cstdio>
#include <string>

#include "input/journal.h"
#include "shell/shell.h"
#include "tools/common/arguments.h"
#include "tools/explore/explore_session.h"

namespace {

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

  ExploreSetup setup;
  setup.fromFile = fromFile;
  setup.seed = static_cast<uint32_t>(seed);
  setup.world = world;
  setup.level = static_cast<int>(level);
  setup.x = static_cast<int>(x);
  setup.y = static_cast<int>(y);
  int status = StartExplore(&setup, false);
  if (status != 0) return status;
  JournalRecordFromEnvironment(JournalProgramExplore, setup.seed, DescribeExploreSetup(setup));
  OpenMainWindow();
  EndExploreJournalPass();
  while (QuitRequested == 0) {
    RunExplorePass();
    EndExploreJournalPass();
  }
  JournalFinish();
  EndExplore();
  return 0;
}
