// The subcommands of vaultrun-world. Each takes the words after its own name and returns the
// exit status: 0 on success, 2 after a message on standard error for a wrong or missing argument.
#pragma once

// world_dungeon.cpp
int WorldDungeon(int argc, char** argv);
int WorldLoad(int argc, char** argv);
int WorldAscii(int argc, char** argv);
int WorldMapView(int argc, char** argv);
// world_items.cpp
int WorldTerrain(int argc, char** argv);
int WorldLoot(int argc, char** argv);
int WorldNames(int argc, char** argv);
int WorldItems(int argc, char** argv);
int WorldTone(int argc, char** argv);
// world_explore.cpp: starts vaultrun-explore beside this program (WorldProgramPath is argv[0])
int WorldExplore(int argc, char** argv);
extern const char* WorldProgramPath;

// The real game-data start-up on the headless backend: render size 320 x 240, InitGameData
// (texture lists included), run once before a subcommand touches the game layer.
void WorldStartUp();
