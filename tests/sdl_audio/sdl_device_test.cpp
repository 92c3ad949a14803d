// The audio system end to end on the sdl backend's wave-out, through SDL's own drivers: "disk"
// writes what would be heard to a file, "dummy" plays into nothing, and a driver this machine
// does not have opens no device at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "audio/audio.h"
#include "platform/headless/headless.h"
#include "tests/support/scratch_folder.h"

namespace {

// Waits until the channel's position satisfies done, for at most ten seconds of real time.
template <typename Done>
uint32_t WaitForPosition(int channel, Done done) {
  auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  uint32_t position = GetChannelPosition(channel);
  while (!done(position) && std::chrono::steady_clock::now() < limit) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    position = GetChannelPosition(channel);
  }
  return position;
}

// The disk driver writes one device buffer (8192 samples) per callback; a pause of 3 ms between
// callbacks makes it run about sixty times faster than real time. The tone reaches the file
// after the silent callbacks before the write, unchanged, in order and without a gap, and
// silence follows it.
TEST(SdlDevice, TestToneReachesTheDiskUnchangedInOrderWithoutGaps) {
  CloseAudio();
  HeadlessReset();
  ScratchFolder folder;
  std::string diskFile = folder / "disk.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", diskFile.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "3", 1);
  OpenAudio();
  ASSERT_EQ(ChannelCount, 16);
  SoundSlots[0].samples[1] = 0x5A;  // never written by the tone: pick a mark
  GenerateTestTone();
  std::vector<uint8_t> tone(SoundSlots[0].samples, SoundSlots[0].samples + 200000);
  PlaySoundSlot(0, 0);
  EXPECT_EQ(WaitForPosition(0, [](uint32_t p) { return p >= 200000; }), 200000u);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // a few silent callbacks more
  EXPECT_EQ(GetChannelPosition(0), 200000u);
  CloseAudio();  // closes the device and its file
  std::vector<uint8_t> disk = ReadFileBytes(diskFile);
  size_t start =
      std::search(disk.begin(), disk.end(), tone.begin(), tone.begin() + 64) - disk.begin();
  ASSERT_LE(start + tone.size(), disk.size());
  auto silent = [](auto from, auto to) {
    return std::all_of(from, to, [](uint8_t b) { return b == 0; });
  };
  EXPECT_TRUE(silent(disk.begin(), disk.begin() + start));
  EXPECT_TRUE(std::equal(tone.begin(), tone.end(), disk.begin() + start));
  EXPECT_TRUE(silent(disk.begin() + start + tone.size(), disk.end()));
  for (const char* name : {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY"})
    unsetenv(name);
}

// Without a device no channel opens, start-up says so and every sound call is harmless; the
// device is tried again on the next open and plays once a driver exists.
TEST(SdlDevice, WithoutADeviceNoChannelOpensAndNothingBreaksUntilADriverExists) {
  CloseAudio();
  HeadlessReset();
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  OpenAudio();
  EXPECT_EQ(ChannelCount, 0);
  ASSERT_EQ(HeadlessMessageBoxes.size(), 1u);
  EXPECT_EQ(HeadlessMessageBoxes[0].text, "Activated 0 channel for Audio System.");
  GenerateTestTone();
  PlaySoundSlot(0, 0);
  PlaySoundSlot(1, 1);
  StopSoundSlot(0);
  EXPECT_EQ(GetChannelPosition(0), 0u);
  CloseAudio();
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  OpenAudio();
  EXPECT_EQ(ChannelCount, 16);
  GenerateTestTone();
  PlaySoundSlot(0, 0);
  uint32_t position = WaitForPosition(0, [](uint32_t p) { return p > 0; });
  EXPECT_TRUE(position > 0 && position <= 200000) << position;
  CloseAudio();
  unsetenv("SDL_AUDIODRIVER");
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
