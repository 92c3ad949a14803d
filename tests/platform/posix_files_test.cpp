// Files as the program asks for them, on POSIX: Windows paths, names in any case.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>

#include "platform/platform.h"
#include "tests/support/scratch_folder.h"

namespace {

class PosixFilesTest : public ::testing::Test {
 protected:
  void Write(const std::string& relative, const std::string& text) {
    WriteFileBytes(folder.path() / relative, std::vector<uint8_t>(text.begin(), text.end()));
  }
  bool Exists(const std::string& relative) {
    return std::filesystem::exists(folder.path() / relative);
  }
  // The folder in POSIX form, the rest as the program writes it.
  PlatformFile Open(const std::string& rest, uint32_t disposition = FileOpenAlways) {
    return PlatformCreateFile((folder.path().string() + "\\" + rest).c_str(),
                              FileGenericRead | FileGenericWrite, FileShareRead, disposition,
                              FileAttributeNormal);
  }
  // Everything a fresh open of the file reads (at most 256 bytes), the handle closed again.
  std::string ReadAll(const std::string& rest, uint32_t disposition = FileOpenAlways) {
    PlatformFile file = Open(rest, disposition);
    if (file == PlatformInvalidFile) return "(not opened)";
    char buffer[256];
    uint32_t got = 0;
    EXPECT_TRUE(PlatformReadFile(file, buffer, sizeof buffer, &got));
    EXPECT_TRUE(PlatformCloseHandle(file));
    return std::string(buffer, got);
  }
  ScratchFolder folder;
};

// The folder and the file are found in any case; the exact name wins, then the first in byte
// order; a missing file is made empty in the folder that matches, never beside it; a missing
// folder, or a folder itself, cannot be opened.
TEST_F(PosixFilesTest, BackslashPathFindsEveryNameWithoutRegardToCase) {
  std::filesystem::create_directory(folder.path() / "Bmp_Cube");
  Write("Bmp_Cube/Grass3.BMP", "grass");
  EXPECT_EQ(ReadAll(".\\bmp_cube\\GRASS3.bmp"), "grass");
  EXPECT_EQ(ReadAll("BMP_CUBE\\new.bin"), "");  // success with nothing read, as at any end
  EXPECT_TRUE(Exists("Bmp_Cube/new.bin"));
  EXPECT_FALSE(Exists("bmp_cube"));
  Write("a.txt", "lower");
  Write("A.txt", "upper");
  EXPECT_EQ(ReadAll("a.txt"), "lower");
  EXPECT_EQ(ReadAll("a.TXT"), "upper");  // no exact match: "A.txt" sorts before "a.txt"
  EXPECT_EQ(ReadAll("sound\\tecnotica.raw"), "(not opened)");
  EXPECT_FALSE(Exists("sound"));
  EXPECT_EQ(ReadAll("BMP_CUBE"), "(not opened)");
}

// Written bytes read back, reads stopping short at the end; the dispositions as on Windows.
TEST_F(PosixFilesTest, WrittenBytesReadBackAndDispositionsBehaveAsOnWindows) {
  PlatformFile file = Open("data.bin");
  uint32_t count = 0;
  EXPECT_TRUE(PlatformWriteFile(file, "0123456789", 10, &count));
  EXPECT_EQ(count, 10u);
  PlatformCloseHandle(file);
  file = Open("DATA.BIN");
  char buffer[4];
  for (const char* expected : {"0123", "4567", "89", ""}) {
    EXPECT_TRUE(PlatformReadFile(file, buffer, 4, &count));
    EXPECT_EQ(std::string(buffer, count), expected);
  }
  PlatformCloseHandle(file);

  const uint32_t CreateNew = 1, CreateAlways = 2, OpenExisting = 3, TruncateExisting = 5;
  EXPECT_EQ(ReadAll("none.txt", OpenExisting), "(not opened)");
  EXPECT_EQ(ReadAll("none.txt", TruncateExisting), "(not opened)");
  EXPECT_FALSE(Exists("none.txt"));
  Write("old.txt", "old");
  EXPECT_EQ(ReadAll("OLD.txt", CreateNew), "(not opened)");
  EXPECT_EQ(ReadAll("OLD.txt", OpenExisting), "old");
  EXPECT_EQ(ReadAll("OLD.txt", CreateAlways), "");
  EXPECT_FALSE(Exists("OLD.txt"));  // the existing file was truncated, not a new one made
  EXPECT_EQ(ReadAll("old.txt", 9), "(not opened)");  // no such disposition
}

TEST_F(PosixFilesTest, HandlesThatAreNotFilesFailWithoutEffect) {
  char buffer[4] = {};
  uint32_t count = 99;
  EXPECT_FALSE(PlatformReadFile(PlatformInvalidFile, buffer, 4, &count));
  EXPECT_EQ(count, 0u);
  // Larger than any descriptor: must not be cut down to a small one that happens to be open
  // (2^40 + 1 to 1, standard output). A 32-bit handle cannot hold it: its largest value then.
  const PlatformFile huge = sizeof(PlatformFile) == 8
                                ? static_cast<PlatformFile>((int64_t{1} << 40) + 1)
                                : std::numeric_limits<PlatformFile>::max();
  EXPECT_FALSE(PlatformWriteFile(huge, "x", 1, &count) || PlatformCloseHandle(huge) ||
               PlatformCloseHandle(PlatformInvalidFile));
  for (const char* path : {static_cast<const char*>(nullptr), ""})
    EXPECT_EQ(PlatformCreateFile(path, FileGenericRead, 0, FileOpenAlways, 0), PlatformInvalidFile);
}

}  // namespace

#endif  // _WIN32
