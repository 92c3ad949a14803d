// Files as the program asks for them on POSIX: Windows paths, names found without regard to
// case, open-always creating what is missing where its folder exists. (Windows has its own.)
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/platform.h"

namespace {

class PosixFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vaultrun-files-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
  }
  void TearDown() override {
    std::string command = "rm -rf '" + root + "'";
    std::system(command.c_str());
  }

  void WriteFile(const std::string& relative, const std::string& content) {
    std::FILE* file = std::fopen((root + "/" + relative).c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
  }
  bool Exists(const std::string& relative) {
    struct stat info;
    return stat((root + "/" + relative).c_str(), &info) == 0;
  }
  // The root in POSIX form, the rest as the program writes it.
  std::string WindowsPath(const std::string& rest) { return root + "\\" + rest; }

  static PlatformFile Open(const std::string& path, uint32_t disposition = FileOpenAlways) {
    return PlatformCreateFile(path.c_str(), FileGenericRead | FileGenericWrite, FileShareRead,
                              disposition, FileAttributeNormal);
  }
  static std::string ReadAll(PlatformFile file) {
    char buffer[256];
    uint32_t got = 0;
    EXPECT_TRUE(PlatformReadFile(file, buffer, sizeof buffer, &got));
    return std::string(buffer, got);
  }

  std::string root;
};

TEST_F(PosixFilesTest, BackslashPathFindsEveryNameWithoutRegardToCase) {
  ASSERT_EQ(mkdir((root + "/Bmp_Cube").c_str(), 0755), 0);
  WriteFile("Bmp_Cube/Grass3.BMP", "grass");
  PlatformFile file = Open(WindowsPath(".\\bmp_cube\\GRASS3.bmp"));
  ASSERT_NE(file, PlatformInvalidFile);
  EXPECT_EQ(ReadAll(file), "grass");
  EXPECT_TRUE(PlatformCloseHandle(file));
  EXPECT_FALSE(Exists("bmp_cube"));  // nothing new was made beside the real folder
}

TEST_F(PosixFilesTest, MissingFileIsCreatedEmptyInTheFolderThatMatches) {
  ASSERT_EQ(mkdir((root + "/Map").c_str(), 0755), 0);
  PlatformFile file = Open(WindowsPath("MAP\\3.overworld"));
  ASSERT_NE(file, PlatformInvalidFile);
  EXPECT_EQ(ReadAll(file), "");  // success with nothing read, as at the end of any file
  EXPECT_TRUE(PlatformCloseHandle(file));
  EXPECT_TRUE(Exists("Map/3.overworld"));
}

TEST_F(PosixFilesTest, MissingFolderOrAFolderItselfCannotBeOpened) {
  EXPECT_EQ(Open(WindowsPath("sound\\tecnotica.raw")), PlatformInvalidFile);
  EXPECT_FALSE(Exists("sound"));
  ASSERT_EQ(mkdir((root + "/sound").c_str(), 0755), 0);
  EXPECT_EQ(Open(WindowsPath("SOUND")), PlatformInvalidFile);
}

TEST_F(PosixFilesTest, ExactNameWinsThenTheFirstInByteOrder) {
  WriteFile("a.txt", "lower");
  WriteFile("A.txt", "upper");
  PlatformFile file = Open(WindowsPath("a.txt"));
  EXPECT_EQ(ReadAll(file), "lower");
  PlatformCloseHandle(file);
  file = Open(WindowsPath("a.TXT"));  // no exact match: "A.txt" sorts before "a.txt"
  EXPECT_EQ(ReadAll(file), "upper");
  PlatformCloseHandle(file);
}

TEST_F(PosixFilesTest, WrittenBytesReadBackAndReadsStopAtTheEnd) {
  PlatformFile file = Open(WindowsPath("data.bin"));
  ASSERT_NE(file, PlatformInvalidFile);
  uint32_t put = 0;
  EXPECT_TRUE(PlatformWriteFile(file, "0123456789", 10, &put));
  EXPECT_EQ(put, 10u);
  PlatformCloseHandle(file);

  file = Open(WindowsPath("DATA.BIN"));
  char buffer[4];
  uint32_t got = 0;
  EXPECT_TRUE(PlatformReadFile(file, buffer, 4, &got));
  EXPECT_EQ(std::string(buffer, got), "0123");
  EXPECT_TRUE(PlatformReadFile(file, buffer, 4, &got));
  EXPECT_TRUE(PlatformReadFile(file, buffer, 4, &got));
  EXPECT_EQ(std::string(buffer, got), "89");  // a short read at the end
  EXPECT_TRUE(PlatformReadFile(file, buffer, 4, &got));
  EXPECT_EQ(got, 0u);
  PlatformCloseHandle(file);
}

TEST_F(PosixFilesTest, DispositionsBehaveAsOnWindows) {
  const uint32_t CreateNew = 1, CreateAlways = 2, OpenExisting = 3, TruncateExisting = 5;
  EXPECT_EQ(Open(WindowsPath("none.txt"), OpenExisting), PlatformInvalidFile);
  EXPECT_EQ(Open(WindowsPath("none.txt"), TruncateExisting), PlatformInvalidFile);
  EXPECT_FALSE(Exists("none.txt"));

  WriteFile("old.txt", "old");
  EXPECT_EQ(Open(WindowsPath("OLD.txt"), CreateNew), PlatformInvalidFile);
  PlatformFile file = Open(WindowsPath("OLD.txt"), OpenExisting);
  EXPECT_EQ(ReadAll(file), "old");
  PlatformCloseHandle(file);
  file = Open(WindowsPath("OLD.txt"), CreateAlways);
  EXPECT_EQ(ReadAll(file), "");
  PlatformCloseHandle(file);
  EXPECT_FALSE(Exists("OLD.txt"));  // the existing file was truncated, not a new one made

  EXPECT_EQ(Open(WindowsPath("old.txt"), 9), PlatformInvalidFile);
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
  EXPECT_FALSE(PlatformWriteFile(huge, "x", 1, &count));
  EXPECT_FALSE(PlatformCloseHandle(huge));
  EXPECT_FALSE(PlatformCloseHandle(PlatformInvalidFile));
  EXPECT_EQ(PlatformCreateFile(nullptr, FileGenericRead, 0, FileOpenAlways, 0),
            PlatformInvalidFile);
  EXPECT_EQ(PlatformCreateFile("", FileGenericRead, 0, FileOpenAlways, 0), PlatformInvalidFile);
}

}  // namespace

#endif  // _WIN32
