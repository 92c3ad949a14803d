// The audio system end to end on the sdl backend's wave-out, through SDL's own drivers: "disk"
// writes what would be heard to a file, "dummy" plays into nothing, and a driver this machine
// does not have opens no device at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio.h"
#include "platform/headless/headless.h"

namespace {

using Clock = std::chrono::steady_clock;

class SdlDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseAudio();
    HeadlessReset();
    char pattern[] = "/tmp/vaultrun-disk-XXXXXX";
    int fd = mkstemp(pattern);
    ASSERT_GE(fd, 0);
    close(fd);
    diskFile = pattern;
  }
  void TearDown() override {
    CloseAudio();
    std::remove(diskFile.c_str());
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
  }

  // The disk driver writes one device buffer (8192 samples, 185.8 ms of sound) per callback; a
  // pause of 3 ms between callbacks makes it run about sixty times faster than real time.
  void UseDiskDriver() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", diskFile.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "3", 1);
  }

  // Waits until the channel's position satisfies done, for at most ten seconds of real time.
  template <typename Done>
  uint32_t WaitForPosition(int channel, Done done) {
    Clock::time_point limit = Clock::now() + std::chrono::seconds(10);
    uint32_t position = GetChannelPosition(channel);
    while (!done(position) && Clock::now() < limit) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      position = GetChannelPosition(channel);
    }
    return position;
  }

  // Waits until the channel's position stays the same for 100 ms: the device has stopped taking.
  uint32_t WaitUntilStill(int channel) {
    uint32_t last = GetChannelPosition(channel);
    for (int round = 0; round < 100; ++round) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      uint32_t now = GetChannelPosition(channel);
      if (now == last) return now;
      last = now;
    }
    return last;
  }

  // Closes the audio (which closes the device and its file) and returns what the device wrote.
  std::vector<uint8_t> CloseAndReadDisk() {
    CloseAudio();
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(diskFile.c_str(), "rb");
    if (!file) return bytes;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
      bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    return bytes;
  }

  // Where the sound starts in the disk file: callbacks before the write gave silence.
  static size_t FindStart(const std::vector<uint8_t>& disk, const std::vector<uint8_t>& sound) {
    auto at = std::search(disk.begin(), disk.end(), sound.begin(), sound.begin() + 64);
    return static_cast<size_t>(at - disk.begin());
  }

  static bool IsSilent(const std::vector<uint8_t>& disk, size_t from, size_t to) {
    return std::all_of(disk.begin() + from, disk.begin() + to, [](uint8_t b) { return b == 0; });
  }
  static bool IsSilentFrom(const std::vector<uint8_t>& disk, size_t from) {
    return IsSilent(disk, from, disk.size());
  }

  std::string diskFile;
};

TEST_F(SdlDevice, TestToneReachesTheDiskUnchangedInOrderWithoutGaps) {
  UseDiskDriver();
  OpenAudio();
  ASSERT_EQ(ChannelCount, 16);
  SoundSlots[0].samples[1] = 0x5A;  // never written by the tone: pick a mark
  GenerateTestTone();
  std::vector<uint8_t> tone(SoundSlots[0].samples, SoundSlots[0].samples + 200000);
  PlaySoundSlot(0, 0);
  uint32_t end = WaitForPosition(0, [](uint32_t p) { return p >= 200000; });
  EXPECT_EQ(end, 200000u);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // a few silent callbacks more
  EXPECT_EQ(GetChannelPosition(0), 200000u);
  std::vector<uint8_t> disk = CloseAndReadDisk();
  size_t start = FindStart(disk, tone);
  ASSERT_LE(start + tone.size(), disk.size());
  EXPECT_TRUE(IsSilent(disk, 0, start));
  EXPECT_TRUE(std::equal(tone.begin(), tone.end(), disk.begin() + start));
  EXPECT_TRUE(IsSilentFrom(disk, start + tone.size()));
}

TEST_F(SdlDevice, LoopedSoundPlaysItsNineHundredNinetyNinePassesThenStops) {
  UseDiskDriver();
  OpenAudio();
  ASSERT_EQ(ChannelCount, 16);
  // 100 samples of a saw tooth: 999 passes last 2.27 s of sound.
  std::vector<uint8_t> pass;
  for (int k = 0; k < 100; ++k) {
    int16_t value = static_cast<int16_t>(300 * k - 15000);
    pass.push_back(static_cast<uint8_t>(value & 0xFF));
    pass.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
  }
  std::copy(pass.begin(), pass.end(), SoundSlots[3].samples);
  SoundSlots[3].length = 200;
  PlaySoundSlot(3, 1);
  uint32_t end = WaitForPosition(0, [](uint32_t p) { return p >= 999 * 200; });
  EXPECT_EQ(end, 999u * 200u);
  EXPECT_EQ(WaitUntilStill(0), 999u * 200u);
  std::vector<uint8_t> disk = CloseAndReadDisk();
  size_t start = FindStart(disk, pass);
  ASSERT_LE(start + 999 * 200, disk.size());
  for (size_t k = 0; k < 999 * 200; ++k) ASSERT_EQ(disk[start + k], pass[k % 200]) << "byte " << k;
  EXPECT_TRUE(IsSilentFrom(disk, start + 999 * 200));
}

TEST_F(SdlDevice, StoppedSoundEndsAtOnceAndItsChannelIsFree) {
  UseDiskDriver();
  OpenAudio();
  SoundSlots[0].samples[1] = 0x5A;
  GenerateTestTone();
  std::vector<uint8_t> tone(SoundSlots[0].samples, SoundSlots[0].samples + 200000);
  PlaySoundSlot(0, 0);
  uint32_t before = WaitForPosition(0, [](uint32_t p) { return p >= 50000; });
  ASSERT_GE(before, 50000u);
  ASSERT_LT(before, 200000u);
  StopSoundSlot(0);
  EXPECT_EQ(GetChannelPosition(0), 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(GetChannelPosition(0), 0u);
  std::vector<uint8_t> disk = CloseAndReadDisk();
  size_t start = FindStart(disk, tone);
  ASSERT_LT(start, disk.size());
  // The tone up to where it was cut, then silence; no sample of the tone is zero (v is never 0),
  // so the cut is where the first zero sample appears.
  size_t played = 0;
  while (start + played + 1 < disk.size() && played < tone.size() &&
         (disk[start + played] | disk[start + played + 1]) != 0)
    played += 2;
  EXPECT_GE(played, before);
  EXPECT_LT(played, tone.size());
  EXPECT_TRUE(std::equal(tone.begin(), tone.begin() + played, disk.begin() + start));
  EXPECT_TRUE(IsSilentFrom(disk, start + played));
}

TEST_F(SdlDevice, WithoutADeviceNoChannelOpensAndNothingBreaksUntilADriverExists) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  OpenAudio();
  EXPECT_EQ(ChannelCount, 0);
  ASSERT_EQ(HeadlessMessageBoxes.size(), 1u);
  EXPECT_EQ(HeadlessMessageBoxes[0].text, "Activated 0 channel for Audio System.");
  EXPECT_EQ(HeadlessMessageBoxes[0].caption, "Audio Initialization.");
  GenerateTestTone();
  PlaySoundSlot(0, 0);
  PlaySoundSlot(1, 1);
  StopSoundSlot(0);
  StopSoundSlot(1);
  StopSoundSlot(2);
  EXPECT_EQ(GetChannelPosition(0), 0u);
  CloseAudio();
  // The device is tried again on the next open, and plays once a driver exists (the dummy one
  // plays into nothing).
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  HeadlessReset();
  OpenAudio();
  EXPECT_EQ(ChannelCount, 16);
  EXPECT_EQ(HeadlessMessageBoxes[0].text, "Activated 16 channel for Audio System.");
  GenerateTestTone();
  PlaySoundSlot(0, 0);
  uint32_t position = WaitForPosition(0, [](uint32_t p) { return p > 0; });
  EXPECT_TRUE(position > 0 && position <= 200000) << position;
}

// ALSA's library writes a line of its own for each failed probe; without a device the program
// writes one line instead, naming the driver and why. A configuration ALSA cannot read fails
// the same on every machine.
TEST(SdlDeviceMessages, NoDeviceGivesOneLineAndNoneOfAlsasOwn) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setenv("SDL_AUDIODRIVER", "alsa", 1);
        setenv("ALSA_CONFIG_PATH", "/nonexistent/alsa.conf", 1);
        OpenAudio();
        std::exit(ChannelCount);
      },
      testing::ExitedWithCode(0),
      "^No sound device could be opened \\(SDL audio driver alsa: [^\n]*\\); no sound\\.\n$");
}

}  // namespace
