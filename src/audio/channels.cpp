// Wave-out channels and sound slots.
//
// Every channel is one wave-out stream with one header; playing a slot hands the slot's whole
// buffer to the stream, so nothing is mixed, streamed or copied here. The device is only polled:
// a channel whose byte position is 0 (never played, or reset) or has reached the end of its
// buffer is free for the next sound.
#include <cstdio>
#include <cstdlib>

#include "audio/audio.h"
#include "input/journal.h"

WaveFormat AudioFormat;
AudioChannel AudioChannels[AudioChannelEntries];
int32_t ChannelSlot[AudioChannelEntries];
int32_t ChannelCount = 0;
SoundSlot SoundSlots[SoundSlotEntries];

namespace {

constexpr uint32_t LoopFlags = WhdrBeginLoop | WhdrEndLoop;
constexpr uint32_t LoopRepeats = 999;

bool IsChannel(int channel) { return channel >= 0 && channel < AudioChannelEntries; }
bool IsSlot(int slot) { return slot >= 0 && slot < SoundSlotEntries; }

// Free, or played to its end. The position keeps counting across loop passes, so a looped sound
// is free once its first pass is over. The comparison is unsigned: an empty header (length 0)
// gives 0xFFFFFFFF here, which no position reaches, and such a channel is free by its position 0.
bool IsChannelFree(int channel) {
  uint32_t position = GetChannelPosition(channel);
  return position == 0 || position >= AudioChannels[channel].header.dwBufferLength - 1;
}

int ChooseChannel() {
  for (int channel = 0; channel < ChannelCount; ++channel)
    if (IsChannelFree(channel)) return channel;
  return 0;  // every channel busy: the newest sound cuts off channel 0
}

void ReleaseSlotBuffers() {
  for (SoundSlot& slot : SoundSlots) {
    std::free(slot.samples);
    slot.samples = nullptr;
  }
}

}  // namespace

void OpenAudio() {
  // The program opens the audio once. Should it be called again, the buffers of the first call
  // are released rather than lost.
  ReleaseSlotBuffers();
  if (ChannelCount == 0) {
    while (ChannelCount < OpenedChannelLimit && OpenAudioChannel(ChannelCount) == MmSysErrNoError)
      ++ChannelCount;
    // The buffers exist even without a channel, so loading and generating sounds always has
    // somewhere to write. They are not cleared. A failed allocation leaves the slot without a
    // buffer, which every user of a slot already copes with (slots 16..63 never have one).
    for (int slot = 0; slot < OpenedChannelLimit; ++slot)
      SoundSlots[slot].samples = static_cast<uint8_t*>(std::malloc(SoundSlotCapacity));
  }
  char text[64];
  std::snprintf(text, sizeof text, "Activated %d channel for Audio System.", ChannelCount);
  JournalMessageBox(nullptr, text, "Audio Initialization.", MbOk);
}

uint32_t OpenAudioChannel(int channel) {
  if (!IsChannel(channel)) return MmSysErrBadDeviceId;
  AudioFormat.wFormatTag = WaveFormatPcm;
  AudioFormat.nChannels = 1;
  AudioFormat.nSamplesPerSec = 44100;
  AudioFormat.wBitsPerSample = 16;
  AudioFormat.nBlockAlign = AudioFormat.wBitsPerSample / 8 * AudioFormat.nChannels;
  AudioFormat.nAvgBytesPerSec = AudioFormat.nBlockAlign * AudioFormat.nSamplesPerSec;
  AudioFormat.cbSize = 0;
  return JournalWaveOutOpen(channel, &AudioChannels[channel].device, WaveMapper, &AudioFormat, 0, 0,
                            WaveMappedDefaultCommunicationDevice);
}

void PlaySoundSlot(int slot, int loop) {
  if (ChannelCount == 0) return;
  if (!IsSlot(slot)) return;  // not a slot at all: nothing to hand to the device
  int channel = ChooseChannel();
  // Slots 16..63 have no buffer: the device refuses the header and the channel stays silent.
  PrepareChannel(channel, SoundSlots[slot].samples, SoundSlots[slot].length, 0, loop);
  WriteChannel(channel);
  ChannelSlot[channel] = slot;
}

void StopSoundSlot(int slot) {
  if (ChannelCount == 0) return;
  // ChannelSlot starts at 0, so stopping slot 0 also resets channels that never played.
  for (int channel = 0; channel < ChannelCount; ++channel) {
    if (ChannelSlot[channel] != slot) continue;
    PlatformWaveOutBreakLoop(AudioChannels[channel].device);
    PlatformWaveOutReset(AudioChannels[channel].device);
  }
}

void PrepareChannel(int channel, uint8_t* samples, uint32_t length, uint32_t offset, int loop) {
  if (!IsChannel(channel)) return;
  AudioChannel& target = AudioChannels[channel];
  // The header is rewritten without unpreparing it first; the reset below takes it back from
  // the device before it is prepared again.
  target.header = WaveHeader{};
  target.header.lpData = samples ? reinterpret_cast<char*>(samples + offset) : nullptr;
  target.header.dwBufferLength = length;
  target.header.dwBytesRecorded = 0;
  target.header.dwUser = 0;
  target.header.dwFlags = loop ? LoopFlags : 0;
  target.header.dwLoops = loop ? LoopRepeats : 0;
  target.header.lpNext = nullptr;
  target.header.reserved = 0;
  PlatformWaveOutReset(target.device);
  PlatformWaveOutPrepareHeader(target.device, &target.header, sizeof(WaveHeader));
}

void WriteChannel(int channel) {
  if (!IsChannel(channel)) return;
  PlatformWaveOutWrite(AudioChannels[channel].device, &AudioChannels[channel].header,
                       sizeof(WaveHeader));
}

uint32_t GetChannelPosition(int channel) {
  if (!IsChannel(channel)) return 0;
  WaveTime time{};
  time.wType = TimeBytes;
  JournalWaveOutGetPosition(channel, AudioChannels[channel].device, &time);
  return time.u.cb;
}

void CloseAudio() {
  // Entries that were never opened hold no stream; the calls fail on them and do nothing.
  for (AudioChannel& channel : AudioChannels) {
    PlatformWaveOutBreakLoop(channel.device);
    PlatformWaveOutReset(channel.device);
    PlatformWaveOutUnprepareHeader(channel.device, &channel.header, sizeof(WaveHeader));
    PlatformWaveOutClose(channel.device);
  }
  ReleaseSlotBuffers();
  // Nothing may point at a closed stream or a released buffer afterwards: the audio system is
  // left as it was before OpenAudio, with audio off.
  for (int channel = 0; channel < AudioChannelEntries; ++channel) {
    AudioChannels[channel] = AudioChannel{};
    ChannelSlot[channel] = 0;
  }
  for (SoundSlot& slot : SoundSlots) slot.length = 0;
  ChannelCount = 0;
}
