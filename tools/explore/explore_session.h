// The walk through a dungeon in the first-person world view, shared by vaultrun-explore, which
// runs it in the window (and records it when VAULTRUN_RECORD is set), and vaultrun-snapshot,
// which plays its replays back without a window.
#pragma once

#include <cstdint>
#include <string>

#include "input/journal.h"

struct ExploreSetup {
  bool fromFile = false;
  uint32_t seed = 1;  // a dungeon generated from this seed...
  std::string world;  // ...or this world file, starting at (x, y, level)
  int level = 0, x = 0, y = 0;
  uint64_t worldHash = 0;  // FNV-1a 64 of the world file's bytes
};

// The setup as a replay's header carries it ("seed S", or "world L X Y HASH PATH"), and back;
// ReadExploreSetup returns an empty string or what is wrong.
std::string DescribeExploreSetup(const ExploreSetup& setup);
std::string ReadExploreSetup(const std::string& text, ExploreSetup* setup);

// Builds the game data and the world and places the player, the view level. Returns 0, or the
// exit status after a message on standard error: 2 for a world file that cannot be used (or,
// with expectHash, is not the one recorded), 1 for a seed whose dungeon has no floor to stand on.
int StartExplore(ExploreSetup* setup, bool expectHash);
// One pass of the walk: the world view, the console, the status line, the cursor, presentation,
// the window keys, Escape, the message pump and the frame count.
void RunExplorePass();
// FNV-1a 64 of what the walk changes: the player's cell and fine position, the view angles, the
// last safe cell and the map view cell, the console, the status line's command, the frame
// count, the quit flag, the display scale and the cells within the view's radius.
uint64_t ExploreStateHash();
void EndExploreJournalPass();
void EndExplore();

// Playback of a replay of the walk without a window; the same three steps as the loop's
// (shell/replay.h). StartExploreReplay returns 0 or an exit status, as StartExplore.
int StartExploreReplay(const Replay& replay, bool verify);
bool PlayExploreReplayPass();
void EndExploreReplay();
