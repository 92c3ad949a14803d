// Files on Windows: what each caller asks of CreateFileA reaches it unchanged. Windows enforces
// access and share modes: an open succeeds only when its share mode admits the access of every
// handle open on the file and theirs admit its access. So each caller runs beside a handle of the
// test's that its share mode must admit, and one it must refuse. Windows test program only.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "game/game_data.h"
#include "game/map_files.h"
#include "platform/platform.h"
#include "tests/audio/audio_test_support.h"
#include "tests/support/scratch_folder.h"
#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"

namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Whether a handle of the test's with that access and share mode could be opened beside the
// caller's; `caller` runs while that handle is open, when there is one.
template <typename Caller>
bool BesideAHandle(const std::string& path, DWORD access, DWORD share, Caller caller) {
  HANDLE held = CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) return false;
  caller();
  CloseHandle(held);
  return true;
}

TEST(Win32Files, OpenAlwaysCreatesTheMissingFileWithTheAccessAndShareAskedFor) {
  ScratchFolder folder;
  std::string path = folder / "new.bin";
  PlatformFile file = PlatformCreateFile(path.c_str(), FileReadData, FileShareRead, FileOpenAlways,
                                         FileAttributeNormal);
  ASSERT_NE(file, PlatformInvalidFile);
  EXPECT_EQ(GetLastError(), 0u);  // ERROR_ALREADY_EXISTS (183) would mean it was there before
  uint32_t written = 7;
  EXPECT_FALSE(PlatformWriteFile(file, "x", 1, &written));  // read data only
  EXPECT_EQ(written, 0u);
  EXPECT_TRUE(BesideAHandle(path, GENERIC_READ, ShareAll, [] {}));
  EXPECT_FALSE(BesideAHandle(path, GENERIC_WRITE, ShareAll, [] {}));  // shared for reading only
  EXPECT_TRUE(PlatformCloseHandle(file));
  EXPECT_EQ(PlatformCreateFile((folder / "missing\\new.bin").c_str(), FileReadData, FileShareRead,
                               FileOpenAlways, FileAttributeNormal),
            PlatformInvalidFile);
}

// Pictures ask to read and write data, shared for writing only: a reader keeps them out, and so
// does a writer that shares only reading or only writing.
TEST(Win32Files, PictureLoadAdmitsAWriterBesideItAndNoReader) {
  ScratchFolder folder;
  ResizeTextureSlots(3100);
  std::string path = folder / "wall.bmp";
  WriteFileBytes(path, bmp_test::Bmp24(2, 2, bmp_test::PatternBytes(12)));
  auto loads = [&](DWORD access, DWORD share) {
    bool loaded = false;
    EXPECT_TRUE(
        BesideAHandle(path, access, share, [&] { loaded = LoadBmpIntoSlot(path.c_str(), 597); }));
    return loaded;
  };
  EXPECT_FALSE(loads(GENERIC_READ, ShareAll));
  EXPECT_TRUE(loads(GENERIC_WRITE, ShareAll));
  EXPECT_FALSE(loads(GENERIC_WRITE, FILE_SHARE_READ));
  EXPECT_FALSE(loads(GENERIC_WRITE, FILE_SHARE_WRITE));
  ResizeTextureSlots(3100);
}

// Raw sounds ask to read and write, shared for reading; map files load the same way and save
// asking to write data only, shared for writing.
TEST(Win32Files, SoundsAndMapsShareAsTheirDirectionNeeds) {
  ResetAudioSystem();
  HeadlessWaveOutOpenLimit = 0;
  OpenAudio();
  ScratchFolder folder;
  WorkingDirectory inside(folder.path());
  WriteFileBytes("beat.raw", bmp_test::PatternBytes(150 + 40));
  SoundSlots[1].length = 1234;
  BesideAHandle("beat.raw", GENERIC_WRITE, ShareAll, [] { LoadRawSound("beat.raw", 1); });
  EXPECT_EQ(SoundSlots[1].length, 1234u);  // the open failed: the slot is untouched
  BesideAHandle("beat.raw", GENERIC_READ, ShareAll, [] { LoadRawSound("beat.raw", 1); });
  EXPECT_EQ(SoundSlots[1].length, 40u);
  ResetAudioSystem();

  ASSERT_TRUE(CreateDirectoryA("map", nullptr));
  std::vector<uint8_t> cells(static_cast<size_t>(CellsPerLevel) * MapLevels, 0);
  uint8_t* saved = WorldGrid;
  WorldGrid = cells.data();
  std::string path = ".\\map\\4.overworld";
  WriteFileBytes(path, std::vector<uint8_t>(CellsPerLevel, 9));
  BesideAHandle(path, GENERIC_WRITE, ShareAll, [] { LoadOverworld(4); });
  EXPECT_EQ(cells[0], 0);
  BesideAHandle(path, GENERIC_READ, ShareAll, [] { LoadOverworld(4); });
  EXPECT_TRUE(cells[0] == 9 && cells[CellsPerLevel - 1] == 9);
  cells[0] = 5;
  BesideAHandle(path, GENERIC_READ, ShareAll, [] { SaveOverworld(4); });
  EXPECT_EQ(ReadFileBytes(path)[0], 9);
  // Shared for writing only: a saver that asked to read as well would be refused.
  BesideAHandle(path, GENERIC_WRITE, FILE_SHARE_WRITE, [] { SaveOverworld(4); });
  EXPECT_EQ(ReadFileBytes(path)[0], 5);
  WorldGrid = saved;
}

}  // namespace
