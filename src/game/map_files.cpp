// Overworld map files.
#include "game/map_files.h"

#include "game/game_data.h"
#include "overlay/overlay.h"
#include "platform/platform.h"

char MapFilePath[64];

namespace {

constexpr uint32_t LoadAccess = FileReadData | FileWriteData;  // 3
constexpr uint32_t LoadShare = FileShareRead;                  // 1
constexpr uint32_t SaveAccess = FileWriteData;                 // 2
constexpr uint32_t SaveShare = FileShareWrite;                 // 2
constexpr uint32_t PauseAfterTransferMs = 1000;

// More levels than the grid holds would read or write past its end: the count is held to the
// grid's own levels.
uint32_t GridBytes(uint32_t levels) {
  if (levels > static_cast<uint32_t>(MapLevels)) levels = static_cast<uint32_t>(MapLevels);
  return levels * static_cast<uint32_t>(CellsPerLevel);
}

PlatformFile OpenMapFile(int32_t number, uint32_t access, uint32_t share) {
  FormatText(MapFilePath, ".\\map\\%d.overworld", number);
  return PlatformCreateFile(MapFilePath, access, share, FileOpenAlways, FileAttributeNormal);
}

// The byte count actually read is not looked at: a short file fills only what it holds.
void ReadLevels(int32_t number, uint32_t levels) {
  if (!WorldGrid) return;
  PlatformFile file = OpenMapFile(number, LoadAccess, LoadShare);
  if (file == PlatformInvalidFile) return;
  uint32_t transferred = 0;
  PlatformReadFile(file, WorldGrid, GridBytes(levels), &transferred);
  PlatformSleep(PauseAfterTransferMs);
  PlatformCloseHandle(file);
}

// Writes over the beginning of the file; a longer file keeps its tail.
void WriteLevels(int32_t number, uint32_t levels) {
  if (!WorldGrid) return;
  PlatformFile file = OpenMapFile(number, SaveAccess, SaveShare);
  if (file == PlatformInvalidFile) return;
  uint32_t transferred = 0;
  PlatformWriteFile(file, WorldGrid, GridBytes(levels), &transferred);
  PlatformSleep(PauseAfterTransferMs);
  PlatformCloseHandle(file);
}

}  // namespace

void LoadOverworld(int32_t number) { ReadLevels(number, 1); }
void LoadWorld(int32_t number, uint32_t levels) { ReadLevels(number, levels); }
void SaveOverworld(int32_t number) { WriteLevels(number, 1); }
void SaveWorld(int32_t number, uint32_t levels) { WriteLevels(number, levels); }
