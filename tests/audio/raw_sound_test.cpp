// Raw sound files: 150 skipped bytes, then up to 3,000,000 sample bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "audio_test_support.h"
#include "tests/support/scratch_folder.h"

namespace {

class RawSound : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAudioSystem();
    HeadlessWaveOutOpenLimit = 0;  // loading needs the slot buffers, not a device
    OpenAudio();
    folder = scratch.path().string();
    // A slot that already holds a sound, to see what a load keeps of it.
    std::memset(SoundSlots[1].samples, 0x77, SoundSlotCapacity);
    SoundSlots[1].length = 1234;
  }
  void TearDown() override { ResetAudioSystem(); }

  // A file whose byte k is (k * 7 + k / 251) mod 256: no two neighbouring stretches alike, so a
  // read from the wrong offset shows.
  static uint8_t FileByte(size_t k) { return static_cast<uint8_t>(k * 7 + k / 251); }
  std::string WriteFile(const std::string& name, size_t size) {
    std::string path = folder + "/" + name;
    std::vector<uint8_t> bytes(size);
    for (size_t k = 0; k < size; ++k) bytes[k] = FileByte(k);
    WriteFileBytes(path, bytes);
    return path;
  }

  ScratchFolder scratch;
  std::string folder;
};

TEST_F(RawSound, FileOfExactlyTheLeadGivesLengthZero) {
  LoadRawSound(WriteFile("lead.raw", 150).c_str(), 1);
  EXPECT_EQ(SoundSlots[1].length, 0u);
  // The lead's last 101 bytes went into the slot before the empty sample read.
  for (size_t k = 0; k < 101; ++k) ASSERT_EQ(SoundSlots[1].samples[k], FileByte(49 + k)) << k;
  EXPECT_EQ(SoundSlots[1].samples[101], 0x77);
}

TEST_F(RawSound, ShortFileGivesTheBytesAfterTheLead) {
  LoadRawSound(WriteFile("short.raw", 1000).c_str(), 1);
  EXPECT_EQ(SoundSlots[1].length, 850u);
  for (size_t k = 0; k < 850; ++k) ASSERT_EQ(SoundSlots[1].samples[k], FileByte(150 + k)) << k;
  EXPECT_EQ(SoundSlots[1].samples[850], 0x77);
}

TEST_F(RawSound, LongFileIsCutAtTheSlotCapacity) {
  LoadRawSound(WriteFile("long.raw", 3100000).c_str(), 1);
  EXPECT_EQ(SoundSlots[1].length, 3000000u);
  for (size_t k = 0; k < 3000000; ++k) ASSERT_EQ(SoundSlots[1].samples[k], FileByte(150 + k)) << k;
}

TEST_F(RawSound, MissingFileIsCreatedEmptyAndLoadsAsEmpty) {
  std::string path = folder + "/missing.raw";
  LoadRawSound(path.c_str(), 1);
  struct stat info;
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_size, 0);
  EXPECT_EQ(SoundSlots[1].length, 0u);
  EXPECT_EQ(SoundSlots[1].samples[0], 0x77);  // no byte reached the slot
}

TEST_F(RawSound, MissingFolderLeavesTheSlotAsItWas) {
  std::string path = folder + "/no such folder/x.raw";
  LoadRawSound(path.c_str(), 1);
  EXPECT_EQ(SoundSlots[1].length, 1234u);
  EXPECT_EQ(SoundSlots[1].samples[0], 0x77);
  struct stat info;
  EXPECT_NE(stat((folder + "/no such folder").c_str(), &info), 0);
}

TEST_F(RawSound, SlotWithoutBufferReceivesNothing) {
  SoundSlots[20].length = 99;
  LoadRawSound(WriteFile("a.raw", 1000).c_str(), 20);
  EXPECT_EQ(SoundSlots[20].samples, nullptr);
  EXPECT_EQ(SoundSlots[20].length, 0u);
}

TEST_F(RawSound, SlotNumbersOutsideTheTableDoNothing) {
  std::string path = folder + "/never.raw";
  LoadRawSound(path.c_str(), -1);
  LoadRawSound(path.c_str(), 64);
  struct stat info;
  EXPECT_NE(stat(path.c_str(), &info), 0);
  EXPECT_EQ(SoundSlots[1].length, 1234u);
}

}  // namespace
