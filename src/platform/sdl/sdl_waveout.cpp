// SDL wave-out: the Win32 wave-out streams emulated on one SDL audio device.
//
// Platform: any with SDL2. Limitations: only the program's PCM format is accepted (mono, 16 bits,
// 44,100 Hz); a stream holds one header at a time; at most 64 streams. Dependencies: SDL2's
// audio subsystem, which this file starts and stops itself.
//
// SDL gives one device, not one per stream, so the first stream opened opens the device (signed
// 16-bit little-endian mono at 44,100 Hz, no format changes allowed) and the last one closed
// closes it. The device's callback mixes every stream, as the system mixer would under Windows.
// Per stream the behaviour is the Win32 one the audio system relies on: a header plays its
// buffer once, or dwLoops times when it carries both loop flags; the byte position is what the
// device has taken, counts on across passes and headers and stays at the end when everything has
// played; reset stops the stream and returns the position to 0; break loop lets the current pass
// end and plays no further pass. When no device opens, the stream does not open, and one line on
// standard error says why (ALSA's own messages are silenced).
//
// The audio thread only touches Playing[], and only while SDL holds the device lock around the
// callback; every call here takes the same lock for a few instructions and never waits for the
// audio thread otherwise. Like a sound card, the device reads the program's buffers in place.
#include "platform/sdl/sdl_waveout.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdio>

#include "platform/emulated_wave_out.h"
#include "platform/platform.h"

namespace {

using namespace emulated_wave_out;

constexpr int MixChunkSamples = 512;
// 8192 samples, 186 ms per callback. SDL's PulseAudio driver asks the server for one buffer of
// latency and keeps the next one mixed, so a sound starts 0.2 to 0.4 s after its key. The server's
// share is all that bridges a moment in which the machine runs neither the audio thread nor the
// sound server, and on a loaded virtual machine such moments last 0.1 s: with 512 samples two
// compilers on 2 cores made gaps of 3 to 90 ms in most recordings of the test tone, with 4096 in
// one of twelve, with 8192 in two of forty-six (README, Run it).
constexpr uint16_t DeviceBufferSamples = 8192;
constexpr uint32_t MmSysErrAllocated = 4;

// What only the main thread sees of a stream.
struct StreamRecord {
  bool open;
  uint32_t generation;  // part of the handle: a closed stream's handle stays invalid
  WaveHeader* header;   // the header in the stream, or null
};

StreamRecord Streams[StreamCapacity];
EmulatedStream Playing[StreamCapacity];  // shared with the audio thread
SDL_AudioDeviceID Device = 0;

void PlayStreams(void*, Uint8* output, int byteCount) {
  MixEmulatedStreams(Playing, StreamCapacity, output, byteCount);
}

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// ALSA's library writes each failed probe to standard error itself: eight "ALSA lib ..." lines
// when SDL falls back to it on a machine without a sound card or server. SDL loads the library
// at run time, and dlopen hands out that same copy, so its error handler can be replaced before
// SDL opens anything; the copy stays loaded so the handler stays in place.
void SilenceAlsa() {
  static bool done = false;
  if (done) return;
  done = true;
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
  if (!alsa) return;
  using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
  auto setHandler =
      reinterpret_cast<int (*)(ErrorHandler)>(dlsym(alsa, "snd_lib_error_set_handler"));
  if (setHandler) setHandler(IgnoreAlsaError);
}

// One line instead of the sound system's own messages; the start-up box then reports 0
// channels and the program runs silently.
bool ReportNoDevice() {
  static bool reported = false;
  if (!reported) {
    const char* driver = SDL_GetCurrentAudioDriver();
    std::fprintf(stderr, "No sound device could be opened (SDL audio driver %s: %s); no sound.\n",
                 driver ? driver : "none", SDL_GetError());
    std::fflush(stderr);
    reported = true;
  }
  return false;
}

bool OpenDevice() {
  SilenceAlsa();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return ReportNoDevice();
  SDL_AudioSpec wanted{};
  wanted.freq = SamplesPerSec;
  wanted.format = AUDIO_S16LSB;
  wanted.channels = 1;
  wanted.samples = DeviceBufferSamples;
  wanted.callback = PlayStreams;
  SDL_AudioSpec obtained{};
  Device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (Device == 0) {
    ReportNoDevice();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(Device, 0);
  return true;
}

void CloseDevice() {
  SDL_CloseAudioDevice(Device);
  Device = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

PlatformWaveOut HandleOf(int index) { return StreamHandle(index, Streams[index].generation); }

// The index of the open stream behind handle, or -1.
int FindStream(PlatformWaveOut handle) {
  int index = StreamSlot(handle);
  if (index < 0 || !Streams[index].open || HandleOf(index) != handle) return -1;
  return index;
}

int OpenStreamCount() {
  int count = 0;
  for (const StreamRecord& stream : Streams) count += stream.open ? 1 : 0;
  return count;
}

// The device lock, held for the length of one call.
struct DeviceLock {
  DeviceLock() { SDL_LockAudioDevice(Device); }
  ~DeviceLock() { SDL_UnlockAudioDevice(Device); }
};

void ReturnHeader(StreamRecord& stream) {
  stream.header->dwFlags = (stream.header->dwFlags & ~WhdrInQueue) | WhdrDone;
  stream.header = nullptr;
}

// A header the device has played to its end leaves the stream, done. Called under the lock.
void RetireFinishedHeader(int index) {
  if (Streams[index].header && !Playing[index].data) ReturnHeader(Streams[index]);
}

// The current pass is over: the next one starts from the beginning, or the stream falls silent.
void EndPass(EmulatedStream& stream) {
  stream.offset = 0;
  if (--stream.passesLeft == 0) stream.data = nullptr;
}

// Adds what the stream plays next to accumulator[0 .. samples - 1].
void AddStream(EmulatedStream& stream, int32_t* accumulator, int samples) {
  int done = 0;
  while (done < samples && stream.data) {
    if (stream.passesLeft == 0 || stream.passBytes < BlockAlign) {
      stream.data = nullptr;
      break;
    }
    if (stream.offset > stream.passBytes - BlockAlign) {  // no whole sample left in this pass
      EndPass(stream);
      continue;
    }
    uint32_t available = (stream.passBytes - stream.offset) / BlockAlign;
    int take = static_cast<int>(std::min<uint32_t>(available, samples - done));
    const uint8_t* bytes = stream.data + stream.offset;
    for (int k = 0; k < take; ++k) {
      // Low byte first: the buffer is the stream of little-endian samples.
      uint16_t word = static_cast<uint16_t>(bytes[2 * k] | (bytes[2 * k + 1] << 8));
      accumulator[done + k] += static_cast<int16_t>(word);
    }
    done += take;
    stream.offset += take * BlockAlign;
    stream.position += take * BlockAlign;
    // Ending the pass at once keeps break loop exact: a pass that has just ended is not current.
    if (stream.offset > stream.passBytes - BlockAlign) EndPass(stream);
  }
}

}  // namespace

void MixEmulatedStreams(EmulatedStream* streams, int count, uint8_t* output, int byteCount) {
  int samples = byteCount / static_cast<int>(BlockAlign);
  int32_t accumulator[MixChunkSamples];
  for (int first = 0; first < samples; first += MixChunkSamples) {
    int chunk = std::min(MixChunkSamples, samples - first);
    std::fill(accumulator, accumulator + chunk, 0);
    for (int index = 0; index < count; ++index) AddStream(streams[index], accumulator, chunk);
    uint8_t* out = output + first * BlockAlign;
    for (int k = 0; k < chunk; ++k) {
      int32_t sample = std::clamp<int32_t>(accumulator[k], INT16_MIN, INT16_MAX);
      out[2 * k] = static_cast<uint8_t>(sample);
      out[2 * k + 1] = static_cast<uint8_t>(sample >> 8);
    }
  }
  if (byteCount % BlockAlign) output[byteCount - 1] = 0;
}

uint32_t PlatformWaveOutOpen(PlatformWaveOut* handle, uint32_t deviceId, const WaveFormat* format,
                             uintptr_t, uintptr_t, uint32_t) {
  if (!handle) return MmSysErrInvalParam;
  *handle = nullptr;
  if (!format) return MmSysErrInvalParam;
  if (deviceId != WaveMapper && deviceId != 0) return MmSysErrBadDeviceId;
  if (!IsProgramFormat(*format)) return WaveErrBadFormat;
  if (OpenStreamCount() >= StreamCapacity) return MmSysErrAllocated;
  if (!Device && !OpenDevice()) return MmSysErrBadDeviceId;
  for (int index = 0; index < StreamCapacity; ++index) {
    StreamRecord& stream = Streams[index];
    if (stream.open) continue;
    stream.open = true;
    stream.header = nullptr;
    {
      DeviceLock lock;
      Playing[index] = EmulatedStream{};
    }
    *handle = HandleOf(index);
    return MmSysErrNoError;
  }
  return MmSysErrAllocated;
}

uint32_t PlatformWaveOutPrepareHeader(PlatformWaveOut handle, WaveHeader* header, uint32_t size) {
  int index = FindStream(handle);
  if (index < 0) return MmSysErrInvalHandle;
  if (!header || size < sizeof(WaveHeader) || !header->lpData) return MmSysErrInvalParam;
  DeviceLock lock;
  RetireFinishedHeader(index);
  if (Streams[index].header == header) return WaveErrStillPlaying;
  header->dwFlags = (header->dwFlags | WhdrPrepared) & ~WhdrDone;
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutUnprepareHeader(PlatformWaveOut handle, WaveHeader* header, uint32_t size) {
  int index = FindStream(handle);
  if (index < 0) return MmSysErrInvalHandle;
  if (!header || size < sizeof(WaveHeader)) return MmSysErrInvalParam;
  DeviceLock lock;
  RetireFinishedHeader(index);
  if (Streams[index].header == header) return WaveErrStillPlaying;
  header->dwFlags &= ~WhdrPrepared;
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutWrite(PlatformWaveOut handle, WaveHeader* header, uint32_t size) {
  int index = FindStream(handle);
  if (index < 0) return MmSysErrInvalHandle;
  if (!header || size < sizeof(WaveHeader)) return MmSysErrInvalParam;
  if (!(header->dwFlags & WhdrPrepared)) return WaveErrUnprepared;
  if (!header->lpData) return MmSysErrInvalParam;
  DeviceLock lock;
  RetireFinishedHeader(index);
  if (Streams[index].header) return WaveErrStillPlaying;  // one header at a time
  bool looped = (header->dwFlags & LoopFlags) == LoopFlags;
  EmulatedStream& playing = Playing[index];
  playing.passBytes = header->dwBufferLength - header->dwBufferLength % BlockAlign;
  playing.passesLeft = looped ? std::max<uint32_t>(header->dwLoops, 1) : 1;
  playing.offset = 0;
  // An empty buffer is over as soon as it is written; the position keeps what it had.
  playing.data = playing.passBytes > 0 ? reinterpret_cast<const uint8_t*>(header->lpData) : nullptr;
  Streams[index].header = header;
  header->dwFlags = (header->dwFlags | WhdrInQueue) & ~WhdrDone;
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutReset(PlatformWaveOut handle) {
  int index = FindStream(handle);
  if (index < 0) return MmSysErrInvalHandle;
  DeviceLock lock;
  Playing[index].data = nullptr;
  Playing[index].position = 0;
  if (Streams[index].header) ReturnHeader(Streams[index]);
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutBreakLoop(PlatformWaveOut handle) {
  int index = FindStream(handle);
  if (index < 0) return MmSysErrInvalHandle;
  DeviceLock lock;
  if (Playing[index].data)
    Playing[index].passesLeft = std::min<uint32_t>(Playing[index].passesLeft, 1);
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutGetPosition(PlatformWaveOut handle, WaveTime* time, uint32_t size) {
  int index = FindStream(handle);
  if (index < 0) return MmSysErrInvalHandle;
  if (!time || size < sizeof(WaveTime)) return MmSysErrInvalParam;
  uint64_t bytes;
  {
    DeviceLock lock;
    RetireFinishedHeader(index);
    bytes = Playing[index].position;
  }
  AnswerPosition(time, bytes);
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutClose(PlatformWaveOut handle) {
  int index = FindStream(handle);
  if (index < 0) return MmSysErrInvalHandle;
  {
    DeviceLock lock;
    RetireFinishedHeader(index);
    if (Streams[index].header) return WaveErrStillPlaying;
    Playing[index] = EmulatedStream{};
  }
  Streams[index].open = false;
  ++Streams[index].generation;
  if (OpenStreamCount() == 0) CloseDevice();
  return MmSysErrNoError;
}
