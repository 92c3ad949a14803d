// Wave-out channels and sound slots.
#include "audio/audio.h"

WaveFormat AudioFormat;
AudioChannel AudioChannels[AudioChannelEntries];
int32_t ChannelSlot[AudioChannelEntries];
int32_t ChannelCount = 0;
SoundSlot SoundSlots[SoundSlotEntries];

void OpenAudio() {}
uint32_t OpenAudioChannel(int) { return MmSysErrBadDeviceId; }
void PlaySoundSlot(int, int) {}
void StopSoundSlot(int) {}
void PrepareChannel(int, uint8_t*, uint32_t, uint32_t, int) {}
void WriteChannel(int) {}
uint32_t GetChannelPosition(int) { return 0; }
void CloseAudio() {}
