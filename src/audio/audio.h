// Audio system: wave-out channels and sound slots, raw sound files and the test tone.
#pragma once

#include <cstdint>

#include "platform/platform.h"

constexpr int AudioChannelEntries = 64;
constexpr int SoundSlotEntries = 64;
constexpr int OpenedChannelLimit = 16;
constexpr uint32_t SoundSlotCapacity = 3000000;

struct AudioChannel {
  PlatformWaveOut device;  // null for entries >= ChannelCount
  WaveHeader header;       // the one header the channel plays through
};

struct SoundSlot {
  uint8_t* samples;  // SoundSlotCapacity bytes for slots 0..15, null for 16..63
  uint32_t length;   // valid bytes
};

extern WaveFormat AudioFormat;  // the shared output format of every channel
extern AudioChannel AudioChannels[AudioChannelEntries];
extern int32_t ChannelSlot[AudioChannelEntries];  // slot last started on each channel
extern int32_t ChannelCount;                      // channels opened at start-up, 0..16
extern SoundSlot SoundSlots[SoundSlotEntries];

void OpenAudio();
uint32_t OpenAudioChannel(int channel);
void PlaySoundSlot(int slot, int loop);
void StopSoundSlot(int slot);
void PrepareChannel(int channel, uint8_t* samples, uint32_t length, uint32_t offset, int loop);
void WriteChannel(int channel);
uint32_t GetChannelPosition(int channel);
void CloseAudio();

void LoadRawSound(const char* fileName, int slot);
void GenerateTestTone();
