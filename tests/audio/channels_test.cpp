// Wave-out channels and sound slots on the headless device, whose sounds advance with the
// virtual clock (PlatformSleep) at 88,200 bytes per second.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "audio/audio.h"
#include "platform/headless/headless.h"

namespace {

// A fresh audio system on a fresh headless backend, as before OpenAudio.
void ResetAudioSystem() {
  CloseAudio();
  HeadlessReset();
  AudioFormat = WaveFormat{};
}

// Bytes the headless device has played after ms: whole samples at 44,100 a second, 2 bytes each.
uint32_t BytesAfterMs(uint32_t ms) { return ms * 44100 / 1000 * 2; }

constexpr int LongSlot = 1;   // 3,000,000 bytes: 34 seconds, busy for every test
constexpr int ShortSlot = 2;  // 883 bytes: 441 whole samples, over after 10 ms
constexpr int OtherSlot = 3;  // long too
constexpr int EmptySlot = 4;  // length 0

class Channels : public ::testing::Test {
 protected:
  void SetUp() override { ResetAudioSystem(); }
  void TearDown() override { ResetAudioSystem(); }

  void Open(int openLimit) {
    HeadlessWaveOutOpenLimit = openLimit;
    OpenAudio();
    for (int slot = 0; slot < 16; ++slot) std::memset(SoundSlots[slot].samples, 1, 4000);
    SoundSlots[LongSlot].length = SoundSlotCapacity;
    SoundSlots[ShortSlot].length = 883;
    SoundSlots[OtherSlot].length = SoundSlotCapacity;
    SoundSlots[EmptySlot].length = 0;
  }
};

// As many channels as open, up to 16, each asked of the wave mapper's default communication
// device in 16-bit mono PCM at 44,100; the buffers of slots 0 to 15 exist even without a channel.
// With five channels the sixth sound cuts off channel 0; without any, every call is harmless.
// Closing ends everything, and a closed audio system opens again as at start-up.
TEST_F(Channels, OpenAudioKeepsTheChannelsBeforeTheFirstFailureAndSaysHowMany) {
  for (int limit : {64, 5, 0}) {
    ResetAudioSystem();
    Open(limit);
    int count = limit < 16 ? limit : 16;
    EXPECT_EQ(ChannelCount, count);
    EXPECT_EQ(HeadlessWaveOutOpenStreams(), count);
    ASSERT_EQ(HeadlessMessageBoxes.size(), 1u);
    EXPECT_EQ(HeadlessMessageBoxes[0].text,
              "Activated " + std::to_string(count) + " channel for Audio System.");
    for (int slot = 0; slot < 64; ++slot) EXPECT_EQ(SoundSlots[slot].samples != nullptr, slot < 16);
    for (int k = 0; k < 5; ++k) {
      PlaySoundSlot(LongSlot, 0);
      PlatformSleep(1);
    }
    PlaySoundSlot(OtherSlot, 0);
    EXPECT_EQ(ChannelSlot[0], limit == 5 ? OtherSlot : limit ? LongSlot : 0);
    EXPECT_EQ(ChannelSlot[5], limit == 64 ? OtherSlot : 0);
  }
  EXPECT_EQ(HeadlessWaveOutLastDeviceId, 0xFFFFFFFFu);
  EXPECT_EQ(HeadlessWaveOutLastFlags, 0x10u);
  const WaveFormat pcm{1, 1, 44100, 88200, 2, 16, 0};
  EXPECT_EQ(std::memcmp(&AudioFormat, &pcm, sizeof pcm), 0);
  GenerateTestTone();
  StopSoundSlot(0);
  Open(64);  // opening again keeps the channels open and the slots' buffers fresh
  EXPECT_EQ(HeadlessWaveOutOpenStreams(), 16);
  CloseAudio();  // every stream and buffer ends, and closing again does nothing
  CloseAudio();
  PlaySoundSlot(LongSlot, 0);
  EXPECT_EQ(HeadlessWaveOutOpenStreams() + ChannelCount, 0);
  EXPECT_EQ(SoundSlots[0].samples, nullptr);
}

// A sound takes the first channel that is free: never played, reset, or played to its length
// less one (883 bytes play 882, in 10 ms). With every channel busy, channel 0 is cut off.
TEST_F(Channels, SoundsTakeTheFirstFreeChannelElseChannelZero) {
  Open(64);
  PlaySoundSlot(LongSlot, 0);
  PlatformSleep(1);
  PlaySoundSlot(ShortSlot, 0);
  PlatformSleep(9);
  EXPECT_EQ(GetChannelPosition(0), BytesAfterMs(10));
  EXPECT_EQ(GetChannelPosition(1), 792u);  // 396 samples: still busy
  PlaySoundSlot(OtherSlot, 0);
  EXPECT_EQ(ChannelSlot[2], OtherSlot);
  PlatformSleep(1);
  EXPECT_EQ(GetChannelPosition(1), 882u);  // at its end: free before channel 3
  PlaySoundSlot(OtherSlot, 0);
  EXPECT_EQ(ChannelSlot[1], OtherSlot);
  EXPECT_EQ(GetChannelPosition(1), 0u);
  for (int k = 2; k < 16; ++k) {
    PlatformSleep(1);
    if (k > 2) PlaySoundSlot(LongSlot, 0);
  }
  EXPECT_EQ(ChannelSlot[15], LongSlot);
  PlatformSleep(1);
  PlaySoundSlot(ShortSlot, 0);
  EXPECT_EQ(ChannelSlot[0], ShortSlot);
  PlatformSleep(20);
  EXPECT_EQ(GetChannelPosition(0), 882u);  // the short sound, not the long one
}

// A looped sound plays 999 passes and counts as finished after its first; playing another
// sound on its channel ends the loop.
TEST_F(Channels, LoopedSoundCountsAsFinishedAfterItsFirstPass) {
  Open(64);
  SoundSlots[ShortSlot].length = 882;  // 10 ms a pass
  PlaySoundSlot(ShortSlot, 1);
  EXPECT_EQ(AudioChannels[0].header.dwLoops, 999u);
  PlatformSleep(9);
  PlaySoundSlot(LongSlot, 0);  // channel 0 is in its first pass
  EXPECT_EQ(ChannelSlot[1], LongSlot);
  PlatformSleep(16);
  EXPECT_EQ(GetChannelPosition(0), BytesAfterMs(25));  // the third pass, counting on
  PlaySoundSlot(OtherSlot, 0);
  EXPECT_EQ(ChannelSlot[0], OtherSlot);
  EXPECT_EQ(AudioChannels[0].header.dwLoops, 0u);
}

// Stopping a slot silences the channels that last played it; other channels play on, and the
// channel remembers its slot.
TEST_F(Channels, StopSilencesTheSlotsChannelsAndOnlyThem) {
  Open(64);
  PlaySoundSlot(LongSlot, 0);
  PlatformSleep(1);
  PlaySoundSlot(ShortSlot, 1);
  PlatformSleep(1);
  SoundSlots[5].length = SoundSlotCapacity;
  PlaySoundSlot(5, 0);
  PlatformSleep(1);
  for (int slot : {0, 1, 2}) StopSoundSlot(slot);
  PlatformSleep(100);
  EXPECT_EQ(GetChannelPosition(0), 0u);
  EXPECT_EQ(GetChannelPosition(1), 0u);  // the loop does not start again
  EXPECT_NE(GetChannelPosition(2), 0u);
  EXPECT_EQ(ChannelSlot[1], ShortSlot);
}

// An empty slot and a slot without a buffer leave their channel idle and free; numbers outside
// the table are refused and change nothing.
TEST_F(Channels, EmptySlotsAndNumbersOutsideTheTablePlayNothing) {
  Open(64);
  PlaySoundSlot(EmptySlot, 0);
  EXPECT_EQ(ChannelSlot[0], EmptySlot);
  SoundSlots[20].length = 1000;
  PlaySoundSlot(20, 0);
  EXPECT_EQ(ChannelSlot[0], 20);
  PlatformSleep(10);
  EXPECT_EQ(GetChannelPosition(0), 0u);
  PlaySoundSlot(LongSlot, 0);
  PlatformSleep(1);
  for (int slot : {16, 63, -1, 64, 1000000}) {
    PlaySoundSlot(slot, 1);
    StopSoundSlot(slot);
  }
  PlatformSleep(10);
  EXPECT_EQ(ChannelSlot[0], LongSlot);
  EXPECT_EQ(GetChannelPosition(0), BytesAfterMs(11));
}

}  // namespace
