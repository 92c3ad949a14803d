// The audio system end to end on the sdl backend's wave-out, through SDL's own drivers: "dummy"
// plays into nothing, and a driver this machine does not have opens no device at all. (The
// sound label hears the program's sounds through a real sound server.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "audio/audio.h"
#include "platform/headless/headless.h"

namespace {

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
  CloseAudio();
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  OpenAudio();
  EXPECT_EQ(ChannelCount, 16);
  GenerateTestTone();
  PlaySoundSlot(0, 0);
  auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  uint32_t position = 0;
  while ((position = GetChannelPosition(0)) == 0 && std::chrono::steady_clock::now() < limit)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_TRUE(position > 0 && position <= 200000) << position;
  CloseAudio();
  unsetenv("SDL_AUDIODRIVER");
}

// Without a device the program writes one line naming the driver and why, and none of the lines
// ALSA's library writes for each failed probe (a configuration ALSA cannot read fails anywhere).
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
