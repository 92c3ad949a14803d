// Wave-out channels and sound slots on the headless device, whose sounds advance with the
// virtual clock (PlatformSleep) at 88,200 bytes per second.
#include <gtest/gtest.h>

#include <cstring>

#include "audio_test_support.h"

namespace {

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

TEST_F(Channels, OpenAudioOpensSixteenChannelsAndSaysSo) {
  Open(64);
  EXPECT_EQ(ChannelCount, 16);
  EXPECT_EQ(HeadlessWaveOutOpenStreams(), 16);
  ASSERT_EQ(HeadlessMessageBoxes.size(), 1u);
  EXPECT_EQ(HeadlessMessageBoxes[0].text, "Activated 16 channel for Audio System.");
  EXPECT_EQ(HeadlessMessageBoxes[0].caption, "Audio Initialization.");
  EXPECT_EQ(HeadlessMessageBoxes[0].style, MbOk);
  for (int slot = 0; slot < 16; ++slot) EXPECT_NE(SoundSlots[slot].samples, nullptr) << slot;
  for (int slot = 16; slot < 64; ++slot) EXPECT_EQ(SoundSlots[slot].samples, nullptr) << slot;
  for (int channel = 16; channel < 64; ++channel)
    EXPECT_EQ(AudioChannels[channel].device, nullptr) << channel;
  // The wave mapper, asked for the default communication device, in 16-bit mono PCM at 44,100.
  EXPECT_EQ(HeadlessWaveOutLastDeviceId, 0xFFFFFFFFu);
  EXPECT_EQ(HeadlessWaveOutLastFlags, 0x10u);
  EXPECT_EQ(AudioFormat.wFormatTag, 1);
  EXPECT_EQ(AudioFormat.nChannels, 1);
  EXPECT_EQ(AudioFormat.nSamplesPerSec, 44100u);
  EXPECT_EQ(AudioFormat.nAvgBytesPerSec, 88200u);
  EXPECT_EQ(AudioFormat.nBlockAlign, 2);
  EXPECT_EQ(AudioFormat.wBitsPerSample, 16);
  EXPECT_EQ(AudioFormat.cbSize, 0);
}

TEST_F(Channels, OpenAudioKeepsTheChannelsBeforeTheFirstFailure) {
  Open(5);
  EXPECT_EQ(ChannelCount, 5);
  ASSERT_EQ(HeadlessMessageBoxes.size(), 1u);
  EXPECT_EQ(HeadlessMessageBoxes[0].text, "Activated 5 channel for Audio System.");
  for (int slot = 0; slot < 16; ++slot) EXPECT_NE(SoundSlots[slot].samples, nullptr) << slot;
  // With five busy channels the sixth sound takes channel 0.
  for (int k = 0; k < 5; ++k) {
    PlaySoundSlot(LongSlot, 0);
    PlatformSleep(1);
  }
  PlaySoundSlot(OtherSlot, 0);
  EXPECT_EQ(ChannelSlot[0], OtherSlot);
  EXPECT_EQ(ChannelSlot[5], 0);
}

TEST_F(Channels, WithoutChannelsEveryCallIsHarmless) {
  Open(0);
  EXPECT_EQ(ChannelCount, 0);
  ASSERT_EQ(HeadlessMessageBoxes.size(), 1u);
  EXPECT_EQ(HeadlessMessageBoxes[0].text, "Activated 0 channel for Audio System.");
  for (int slot = 0; slot < 16; ++slot) EXPECT_NE(SoundSlots[slot].samples, nullptr) << slot;
  GenerateTestTone();
  PlaySoundSlot(0, 0);
  PlaySoundSlot(LongSlot, 1);
  PlaySoundSlot(40, 0);
  StopSoundSlot(0);
  StopSoundSlot(1);
  EXPECT_EQ(HeadlessWaveOutOpenStreams(), 0);
  for (int channel = 0; channel < 64; ++channel) EXPECT_EQ(ChannelSlot[channel], 0);
  CloseAudio();
  EXPECT_EQ(SoundSlots[0].samples, nullptr);
}

TEST_F(Channels, SecondSoundTakesTheNextChannelWhileTheFirstPlays) {
  Open(64);
  PlaySoundSlot(LongSlot, 0);
  PlatformSleep(100);  // the D key's pause
  PlaySoundSlot(LongSlot, 0);
  EXPECT_EQ(ChannelSlot[0], LongSlot);
  EXPECT_EQ(ChannelSlot[1], LongSlot);
  EXPECT_EQ(GetChannelPosition(0), BytesAfterMs(100));
  EXPECT_EQ(GetChannelPosition(1), 0u);
  PlatformSleep(50);
  EXPECT_EQ(GetChannelPosition(0), BytesAfterMs(150));
  EXPECT_EQ(GetChannelPosition(1), BytesAfterMs(50));
}

TEST_F(Channels, FinishedChannelIsTakenBeforeLaterIdleOnes) {
  Open(64);
  PlaySoundSlot(LongSlot, 0);  // channel 0, busy throughout
  PlatformSleep(1);
  PlaySoundSlot(ShortSlot, 0);  // channel 1: 883 bytes, of which 882 play, in 10 ms
  PlatformSleep(9);
  EXPECT_EQ(GetChannelPosition(1), 792u);  // 396 samples: still busy
  PlaySoundSlot(OtherSlot, 0);
  EXPECT_EQ(ChannelSlot[2], OtherSlot);
  PlatformSleep(1);
  // 882 bytes = the length less one: played to its end, so free before channel 3.
  EXPECT_EQ(GetChannelPosition(1), 882u);
  PlaySoundSlot(OtherSlot, 0);
  EXPECT_EQ(ChannelSlot[1], OtherSlot);
  EXPECT_EQ(ChannelSlot[3], 0);
  EXPECT_EQ(GetChannelPosition(1), 0u);
}

TEST_F(Channels, AllChannelsBusyCutsOffChannelZero) {
  Open(64);
  for (int k = 0; k < 16; ++k) {
    PlaySoundSlot(LongSlot, 0);
    PlatformSleep(1);
  }
  for (int channel = 0; channel < 16; ++channel)
    EXPECT_EQ(ChannelSlot[channel], LongSlot) << channel;
  uint32_t second = GetChannelPosition(1);
  PlaySoundSlot(ShortSlot, 0);
  EXPECT_EQ(ChannelSlot[0], ShortSlot);
  EXPECT_EQ(GetChannelPosition(0), 0u);
  EXPECT_EQ(GetChannelPosition(1), second);
  PlatformSleep(20);
  EXPECT_EQ(GetChannelPosition(0), 882u);  // the short sound, not the long one
}

TEST_F(Channels, LoopedSoundCountsAsFinishedAfterItsFirstPass) {
  Open(64);
  SoundSlots[ShortSlot].length = 882;  // 10 ms a pass
  PlaySoundSlot(ShortSlot, 1);
  EXPECT_EQ(AudioChannels[0].header.dwLoops, 999u);
  EXPECT_EQ(AudioChannels[0].header.dwFlags & (WhdrBeginLoop | WhdrEndLoop), 12u);
  PlatformSleep(9);
  PlaySoundSlot(LongSlot, 0);  // channel 0 is in its first pass
  EXPECT_EQ(ChannelSlot[1], LongSlot);
  PlatformSleep(16);
  // 25 ms: the loop is in its third pass and the position counts on.
  EXPECT_EQ(GetChannelPosition(0), BytesAfterMs(25));
  PlaySoundSlot(OtherSlot, 0);
  EXPECT_EQ(ChannelSlot[0], OtherSlot);
  EXPECT_EQ(AudioChannels[0].header.dwLoops, 0u);
  EXPECT_EQ(AudioChannels[0].header.dwFlags & (WhdrBeginLoop | WhdrEndLoop), 0u);
}

TEST_F(Channels, StopSilencesTheSlotsChannelsAndOnlyThem) {
  Open(64);
  PlaySoundSlot(LongSlot, 0);  // channel 0
  PlatformSleep(1);
  PlaySoundSlot(ShortSlot, 1);  // channel 1, looped
  PlatformSleep(1);
  SoundSlots[5].length = SoundSlotCapacity;
  PlaySoundSlot(5, 0);  // channel 2: a slot the E key does not stop
  PlatformSleep(1);
  // Channel 3 plays without PlaySoundSlot: its ChannelSlot is still 0, as for a channel that
  // never played, so stopping slot 0 resets it.
  PrepareChannel(3, SoundSlots[6].samples, SoundSlotCapacity, 0, 0);
  WriteChannel(3);
  PlatformSleep(30);
  ASSERT_NE(GetChannelPosition(3), 0u);
  StopSoundSlot(0);
  StopSoundSlot(1);
  StopSoundSlot(2);
  PlatformSleep(100);
  EXPECT_EQ(GetChannelPosition(0), 0u);
  EXPECT_EQ(GetChannelPosition(1), 0u);  // the loop does not start again
  EXPECT_NE(GetChannelPosition(2), 0u);
  EXPECT_EQ(GetChannelPosition(3), 0u);
  EXPECT_EQ(ChannelSlot[1], ShortSlot);  // stopping does not forget the slot
}

TEST_F(Channels, EmptySlotPlaysNothingAndLeavesItsChannelIdle) {
  Open(64);
  PlaySoundSlot(EmptySlot, 0);
  EXPECT_EQ(ChannelSlot[0], EmptySlot);
  PlatformSleep(100);
  EXPECT_EQ(GetChannelPosition(0), 0u);
  PlaySoundSlot(LongSlot, 0);
  EXPECT_EQ(ChannelSlot[0], LongSlot);
}

TEST_F(Channels, SlotsWithoutBufferAndNumbersOutsideTheTableAreRefused) {
  Open(64);
  PlaySoundSlot(LongSlot, 0);
  PlatformSleep(1);
  SoundSlots[20].length = 1000;  // a length, but no buffer behind it
  PlaySoundSlot(20, 0);
  EXPECT_EQ(ChannelSlot[1], 20);
  PlatformSleep(10);
  EXPECT_EQ(GetChannelPosition(1), 0u);
  for (int slot : {16, 63, -1, 64, 1000000}) {
    PlaySoundSlot(slot, 1);
    StopSoundSlot(slot);
  }
  EXPECT_EQ(ChannelSlot[0], LongSlot);
  EXPECT_EQ(GetChannelPosition(0), BytesAfterMs(11));
}

TEST_F(Channels, CloseAudioEndsEverythingAndCanBeRepeated) {
  Open(64);
  PlaySoundSlot(ShortSlot, 1);
  PlatformSleep(3);
  PlaySoundSlot(LongSlot, 0);
  CloseAudio();
  EXPECT_EQ(HeadlessWaveOutOpenStreams(), 0);
  EXPECT_EQ(ChannelCount, 0);
  for (int slot = 0; slot < 64; ++slot) EXPECT_EQ(SoundSlots[slot].samples, nullptr) << slot;
  CloseAudio();
  PlaySoundSlot(LongSlot, 0);
  // The audio system opens again as at start-up.
  OpenAudio();
  EXPECT_EQ(ChannelCount, 16);
  EXPECT_EQ(HeadlessWaveOutOpenStreams(), 16);
}

}  // namespace
