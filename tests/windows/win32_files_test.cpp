// Files on Windows: what the program asks of CreateFileA reaches it unchanged.
//
// The access and share values of each caller are not visible from outside, but Windows enforces
// them: an open succeeds only when its share mode admits the access of every handle already
// open on the file, and the share mode of every such handle admits the new access. So each
// caller is run beside a handle of the test's, once with a handle its share mode must admit and
// once with one it must refuse. Built into the Windows test program only.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/game_data.h"
#include "game/map_files.h"
#include "platform/platform.h"
#include "tests/audio/audio_test_support.h"
#include "tests/textures/bmp_test_files.h"
#include "textures/textures.h"

namespace {

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A handle of the test's own on an existing file, open while the object lives.
class HeldFile {
 public:
  HeldFile(const std::string& path, DWORD access, DWORD share = ShareAll)
      : handle_(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return bytes;
  int c;
  while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
  std::fclose(file);
  return bytes;
}

// The test's own world grid in place of the program's, for the lifetime of the object.
class ScratchGrid {
 public:
  ScratchGrid() : saved_(WorldGrid), cells_(static_cast<size_t>(CellsPerLevel) * MapLevels, 0) {
    WorldGrid = cells_.data();
  }
  ~ScratchGrid() { WorldGrid = saved_; }
  uint8_t& operator[](size_t i) { return cells_[i]; }

 private:
  uint8_t* saved_;
  std::vector<uint8_t> cells_;
};

}  // namespace

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
  EXPECT_TRUE(HeldFile(path, GENERIC_READ).IsOpen());
  EXPECT_FALSE(HeldFile(path, GENERIC_WRITE).IsOpen());  // shared for reading only
  EXPECT_TRUE(PlatformCloseHandle(file));
  EXPECT_TRUE(HeldFile(path, GENERIC_WRITE).IsOpen());

  EXPECT_EQ(PlatformCreateFile((folder / "missing\\new.bin").c_str(), FileReadData, FileShareRead,
                               FileOpenAlways, FileAttributeNormal),
            PlatformInvalidFile);
}

// Pictures: read and write data (3), shared for writing only (2).
TEST(Win32Files, PictureLoadAdmitsAWriterBesideItAndNoReader) {
  using namespace bmp_test;
  ScratchFolder folder;
  FreshTextureSlots();
  std::string path = folder / "wall.bmp";
  WriteFileBytes(path, Bmp24(2, 2, PatternBytes(12)));
  {
    HeldFile reader(path, GENERIC_READ);
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_FALSE(LoadBmpIntoSlot(path.c_str(), 597));
    EXPECT_EQ(TextureSlotTable[597].pixels, nullptr);
  }
  {
    HeldFile writer(path, GENERIC_WRITE);
    ASSERT_TRUE(writer.IsOpen());
    EXPECT_TRUE(LoadBmpIntoSlot(path.c_str(), 597));
    EXPECT_EQ(TextureSlotTable[597].width, 2u);
  }
  // The loader asks to read and to write: a writer that shares only the one or only the other
  // keeps it out.
  for (DWORD share : {DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_WRITE}}) {
    HeldFile writer(path, GENERIC_WRITE, share);
    ASSERT_TRUE(writer.IsOpen());
    EXPECT_FALSE(LoadBmpIntoSlot(path.c_str(), 598)) << "share " << share;
  }
  DropTextureSlots();
}

// Raw sounds: GENERIC_READ | GENERIC_WRITE, shared for reading only.
TEST(Win32Files, RawSoundLoadAdmitsAReaderBesideItAndNoWriter) {
  ResetAudioSystem();
  HeadlessWaveOutOpenLimit = 0;
  OpenAudio();
  ScratchFolder folder;
  std::string path = folder / "beat.raw";
  WriteFileBytes(path, bmp_test::PatternBytes(150 + 40));
  SoundSlots[1].length = 1234;
  {
    HeldFile writer(path, GENERIC_WRITE);
    ASSERT_TRUE(writer.IsOpen());
    LoadRawSound(path.c_str(), 1);
    EXPECT_EQ(SoundSlots[1].length, 1234u);  // the open failed: the slot is untouched
  }
  {
    HeldFile reader(path, GENERIC_READ);
    ASSERT_TRUE(reader.IsOpen());
    LoadRawSound(path.c_str(), 1);
    EXPECT_EQ(SoundSlots[1].length, 40u);
  }
  ResetAudioSystem();
}

// Map files: loading asks for read and write data (3) shared for reading (1); saving asks for
// write data only (2) shared for writing (2).
TEST(Win32Files, MapFilesShareAsTheirDirectionNeeds) {
  ScratchFolder folder;
  WorkingDirectory inside(folder.path());
  ASSERT_TRUE(CreateDirectoryA("map", nullptr));
  ScratchGrid grid;
  std::string path = ".\\map\\4.overworld";
  WriteFileBytes(path, std::vector<uint8_t>(CellsPerLevel, 9));

  {
    HeldFile writer(path, GENERIC_WRITE);
    ASSERT_TRUE(writer.IsOpen());
    LoadOverworld(4);
    EXPECT_EQ(grid[0], 0);
  }
  {
    HeldFile reader(path, GENERIC_READ);
    ASSERT_TRUE(reader.IsOpen());
    LoadOverworld(4);
    EXPECT_EQ(grid[0], 9);
    EXPECT_EQ(grid[CellsPerLevel - 1], 9);
  }

  grid[0] = 5;
  {
    HeldFile reader(path, GENERIC_READ);
    SaveOverworld(4);
    EXPECT_EQ(FileBytes(path)[0], 9);
  }
  {
    // Shared for writing only: a saver that asked to read as well would be refused.
    HeldFile writer(path, GENERIC_WRITE, FILE_SHARE_WRITE);
    SaveOverworld(4);
  }
  EXPECT_EQ(FileBytes(path)[0], 5);
}
