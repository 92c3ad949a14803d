// Sound data: raw sound files (150 skipped bytes, then up to 3,000,000 sample bytes) and the
// synthetic test tone in slot 0.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "platform/headless/headless.h"
#include "tests/support/scratch_folder.h"

namespace {

// A fresh audio system on a fresh headless backend, as before OpenAudio.
void ResetAudioSystem() {
  CloseAudio();
  HeadlessReset();
  AudioFormat = WaveFormat{};
}

class SoundData : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAudioSystem();
    HeadlessWaveOutOpenLimit = 0;  // loading and the tone need the slot buffers, not a device
    OpenAudio();
    // A slot that already holds a sound, to see what a load keeps of it.
    std::memset(SoundSlots[1].samples, 0x77, SoundSlotCapacity);
    SoundSlots[1].length = 1234;
    tone = SoundSlots[0].samples;
    std::memset(tone, 0xA5, SoundSlotCapacity);  // whatever the fresh buffer held
  }
  void TearDown() override { ResetAudioSystem(); }

  // A file whose byte k is (k * 7 + k / 251) mod 256: no two neighbouring stretches alike, so a
  // read from the wrong offset shows.
  static uint8_t FileByte(size_t k) { return static_cast<uint8_t>(k * 7 + k / 251); }
  std::string Write(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t k = 0; k < size; ++k) bytes[k] = FileByte(k);
    std::string path = folder / "sound.raw";
    WriteFileBytes(path, bytes);
    return path;
  }
  // Slot 1's first held bytes are file bytes from fileOffset on; the rest of its first 4096
  // still hold the old 0x77.
  static bool Holds(size_t held, size_t fileOffset) {
    for (size_t k = 0; k < 4096 || k < held; ++k)
      if (SoundSlots[1].samples[k] != (k < held ? FileByte(fileOffset + k) : 0x77)) return false;
    return true;
  }
  ScratchFolder folder;
  uint8_t* tone = nullptr;
};

// The lead is read as 49 bytes into scratch and 101 into the slot, which the samples then
// overwrite: a file of the lead alone or less leaves that part of the lead in the slot. A
// missing file is created empty and loads as an empty sound; a missing folder leaves the slot.
TEST_F(SoundData, TheSamplesFollowThe150ByteLeadUpToTheSlotsCapacity) {
  const struct {
    size_t fileSize, length, held, heldFrom;
  } cases[] = {
      {1000, 850, 850, 150}, {3100000, 3000000, 3000000, 150}, {150, 0, 101, 49}, {0, 0, 0, 0}};
  for (const auto& c : cases) {
    std::memset(SoundSlots[1].samples, 0x77, 4096);
    LoadRawSound(Write(c.fileSize).c_str(), 1);
    EXPECT_EQ(SoundSlots[1].length, c.length) << c.fileSize;
    EXPECT_TRUE(Holds(c.held, c.heldFrom)) << c.fileSize;
  }
  std::string missing = folder / "missing.raw";
  SoundSlots[1].length = 1234;
  LoadRawSound(missing.c_str(), 1);
  EXPECT_TRUE(std::filesystem::exists(missing));
  EXPECT_EQ(SoundSlots[1].length, 0u);
  SoundSlots[1].length = 1234;
  LoadRawSound((folder / "no such folder/x.raw").c_str(), 1);
  EXPECT_EQ(SoundSlots[1].length, 1234u);
  EXPECT_FALSE(std::filesystem::exists(folder / "no such folder"));
  // Slots 16..63 have no buffer: a load gives length 0. Numbers outside the table open nothing.
  SoundSlots[20].length = 99;
  LoadRawSound(Write(1000).c_str(), 20);
  EXPECT_EQ(SoundSlots[20].length, 0u);
  std::string never = folder / "never.raw";
  LoadRawSound(never.c_str(), -1);
  LoadRawSound(never.c_str(), 64);
  EXPECT_FALSE(std::filesystem::exists(never));
}

// Step i writes v = (i mod 10) + the low 16 bits of
// trunc(sin((i / 2000 + sin(i / 100) * 2000) / 30) * 3000 / trunc(i / 100)), 1 where that is 0,
// as bytes 2i (v / 256) and 2i + 1 (v % 256), both toward zero. Below 100 the division by 0
// gives the integer-indefinite value, whose low 16 bits add nothing.
TEST_F(SoundData, ToneSamplesWorkedByHandAndTheCheckedHashOfAllOfThem) {
  GenerateTestTone();
  EXPECT_EQ(tone[2 * 37 + 1], 7);  // i = 37: 7 + 0
  EXPECT_EQ(tone[2 * 40 + 1], 1);  // i = 40: 0, written as 1
  // i = 100: a = 100/2000 in float = 0.0500000007450580597; i/100 = 1.0f exactly;
  // sin(1.0) * 2000 = 1682.94196961579 -> float (spacing 2^-13 here) 1682.9420166015625;
  // a + b = 1682.99201660230756 -> float 1682.9920654296875 (the nearer of ...1943359375 and
  // ...2065429688); / 30 = 56.0997355143229 -> float 56.099735260009766;
  // sin(56.099735260009766) = sin(that - 18 pi) = sin(-0.44897...) = -0.4340040... ;
  // * 3000 = -1302.012 -> t = -1302 (divisor 1); v = 0 - 1302 = -1302;
  // -1302 / 256 = -5 (0xFB), -1302 % 256 = -22 (0xEA).
  EXPECT_EQ(tone[200], 0xFB);
  EXPECT_EQ(tone[201], 0xEA);
  // i = 157: s = -1923.045 -> t = -1923; v = 7 - 1923 = -1916;
  // -1916 / 256 = -7 (0xF9), -1916 % 256 = -124 (0x84).
  EXPECT_EQ(tone[314], 0xF9);
  EXPECT_EQ(tone[315], 0x84);

  // The hash was recorded at commit b7908cb while a second formulation of the tone (every float
  // step done in double and rounded, the truncation, wrap and byte split written arithmetically)
  // agreed with every byte; that formulation was removed in the commit after.
  uint64_t hash = 14695981039346656037ull;  // FNV-1a over bytes 0 and 2 to 399,999
  for (int k = 0; k < 400000; ++k)
    if (k != 1) hash = (hash ^ tone[k]) * 1099511628211ull;
  EXPECT_EQ(hash, 0xD2F450CADC18924Eull);
  EXPECT_EQ(SoundSlots[0].length, 200000u);
  EXPECT_EQ(tone[1], 0xA5);
  EXPECT_EQ(tone[400000], 0xA5);  // steps end at 199,999: bytes 0..399,999
  EXPECT_EQ(tone[SoundSlotCapacity - 1], 0xA5);
  ResetAudioSystem();  // no OpenAudio: slot 0 has no buffer, and the tone writes nothing
  GenerateTestTone();
  EXPECT_EQ(SoundSlots[0].length, 0u);
}

}  // namespace
