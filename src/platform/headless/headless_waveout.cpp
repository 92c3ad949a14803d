// Headless wave-out: virtual streams that play on the virtual clock.
//
// Platform: any. Limitations: nothing is heard; only the program's PCM format is accepted (mono,
// 16 bits, 44,100 Hz); a stream holds one header at a time. Dependencies: none.
//
// A stream plays its header from the moment it is written, at the format's byte rate (88,200
// bytes per second) of HeadlessClockMs, so a test moves sounds forward with PlatformSleep. The
// behaviour is the Win32 one the audio system relies on: a header plays its buffer once, or
// dwLoops times when it carries both loop flags; the byte position counts on across passes and
// headers and stays at the end when everything has played; reset stops the stream and returns
// the position to 0; break loop lets the current pass end and plays no further pass.
#include <algorithm>

#include "platform/emulated_wave_out.h"
#include "platform/headless/headless.h"

int HeadlessWaveOutOpenLimit = 64;
uint32_t HeadlessWaveOutLastDeviceId = 0;
uint32_t HeadlessWaveOutLastFlags = 0;

namespace {

using namespace emulated_wave_out;

struct VirtualStream {
  bool open;
  uint32_t generation;    // part of the handle: a closed stream's handle stays invalid
  WaveHeader* header;     // the header in the stream, or null
  uint64_t startMs;       // virtual time at which the header started
  uint64_t passBytes;     // whole samples of one pass
  uint64_t passes;        // passes the header plays; break loop cuts them short
  uint64_t positionBase;  // bytes played since the last reset before this header
};

VirtualStream Streams[StreamCapacity];

PlatformWaveOut HandleOf(int index) { return StreamHandle(index, Streams[index].generation); }

VirtualStream* FindStream(PlatformWaveOut handle) {
  int index = StreamSlot(handle);
  if (index < 0 || !Streams[index].open || HandleOf(index) != handle) return nullptr;
  return &Streams[index];
}

uint64_t HeaderTotal(const VirtualStream& stream) { return stream.passBytes * stream.passes; }

uint64_t PlayedOfHeader(const VirtualStream& stream) {
  if (!stream.header) return 0;
  uint64_t samples = (HeadlessClockMs - stream.startMs) * SamplesPerSec / 1000;
  return std::min(samples * BlockAlign, HeaderTotal(stream));
}

void ReturnHeader(VirtualStream& stream) {
  stream.header->dwFlags = (stream.header->dwFlags & ~WhdrInQueue) | WhdrDone;
  stream.header = nullptr;
}

// A header that has played to its end leaves the stream, done; the position keeps its bytes.
void RetireFinishedHeader(VirtualStream& stream) {
  if (!stream.header || PlayedOfHeader(stream) < HeaderTotal(stream)) return;
  stream.positionBase += HeaderTotal(stream);
  ReturnHeader(stream);
}

void CloseStream(VirtualStream& stream) {
  stream.open = false;
  stream.header = nullptr;
  ++stream.generation;
}

}  // namespace

int HeadlessWaveOutOpenStreams() {
  int count = 0;
  for (const VirtualStream& stream : Streams) count += stream.open ? 1 : 0;
  return count;
}

void HeadlessResetWaveOut() {
  for (VirtualStream& stream : Streams)
    if (stream.open) CloseStream(stream);
  HeadlessWaveOutOpenLimit = 64;
  HeadlessWaveOutLastDeviceId = 0;
  HeadlessWaveOutLastFlags = 0;
}

uint32_t PlatformWaveOutOpen(PlatformWaveOut* handle, uint32_t deviceId, const WaveFormat* format,
                             uintptr_t, uintptr_t, uint32_t flags) {
  if (!handle) return MmSysErrInvalParam;
  *handle = nullptr;
  HeadlessWaveOutLastDeviceId = deviceId;
  HeadlessWaveOutLastFlags = flags;
  if (!format) return MmSysErrInvalParam;
  if (deviceId != WaveMapper && deviceId != 0) return MmSysErrBadDeviceId;
  int limit = std::min(HeadlessWaveOutOpenLimit, StreamCapacity);
  if (HeadlessWaveOutOpenStreams() >= limit) return MmSysErrBadDeviceId;
  if (!IsProgramFormat(*format)) return WaveErrBadFormat;
  for (int index = 0; index < StreamCapacity; ++index) {
    VirtualStream& stream = Streams[index];
    if (stream.open) continue;
    uint32_t generation = stream.generation;
    stream = VirtualStream{};
    stream.open = true;
    stream.generation = generation;
    *handle = HandleOf(index);
    return MmSysErrNoError;
  }
  return MmSysErrBadDeviceId;
}

uint32_t PlatformWaveOutPrepareHeader(PlatformWaveOut handle, WaveHeader* header, uint32_t size) {
  VirtualStream* stream = FindStream(handle);
  if (!stream) return MmSysErrInvalHandle;
  if (!header || size < sizeof(WaveHeader) || !header->lpData) return MmSysErrInvalParam;
  RetireFinishedHeader(*stream);
  if (stream->header == header) return WaveErrStillPlaying;
  header->dwFlags = (header->dwFlags | WhdrPrepared) & ~WhdrDone;
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutUnprepareHeader(PlatformWaveOut handle, WaveHeader* header, uint32_t size) {
  VirtualStream* stream = FindStream(handle);
  if (!stream) return MmSysErrInvalHandle;
  if (!header || size < sizeof(WaveHeader)) return MmSysErrInvalParam;
  RetireFinishedHeader(*stream);
  if (stream->header == header) return WaveErrStillPlaying;
  header->dwFlags &= ~WhdrPrepared;
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutWrite(PlatformWaveOut handle, WaveHeader* header, uint32_t size) {
  VirtualStream* stream = FindStream(handle);
  if (!stream) return MmSysErrInvalHandle;
  if (!header || size < sizeof(WaveHeader)) return MmSysErrInvalParam;
  if (!(header->dwFlags & WhdrPrepared)) return WaveErrUnprepared;
  if (!header->lpData) return MmSysErrInvalParam;
  RetireFinishedHeader(*stream);
  if (stream->header) return WaveErrStillPlaying;  // one header at a time
  stream->header = header;
  stream->startMs = HeadlessClockMs;
  stream->passBytes = header->dwBufferLength - header->dwBufferLength % BlockAlign;
  bool looped = (header->dwFlags & LoopFlags) == LoopFlags;
  stream->passes = looped ? std::max<uint32_t>(header->dwLoops, 1) : 1;
  header->dwFlags = (header->dwFlags | WhdrInQueue) & ~WhdrDone;
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutReset(PlatformWaveOut handle) {
  VirtualStream* stream = FindStream(handle);
  if (!stream) return MmSysErrInvalHandle;
  if (stream->header) ReturnHeader(*stream);
  stream->positionBase = 0;
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutBreakLoop(PlatformWaveOut handle) {
  VirtualStream* stream = FindStream(handle);
  if (!stream) return MmSysErrInvalHandle;
  RetireFinishedHeader(*stream);
  if (stream->header && stream->passBytes > 0) {
    uint64_t currentPass = PlayedOfHeader(*stream) / stream->passBytes;
    stream->passes = std::min(stream->passes, currentPass + 1);
  }
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutGetPosition(PlatformWaveOut handle, WaveTime* time, uint32_t size) {
  VirtualStream* stream = FindStream(handle);
  if (!stream) return MmSysErrInvalHandle;
  if (!time || size < sizeof(WaveTime)) return MmSysErrInvalParam;
  RetireFinishedHeader(*stream);
  uint64_t bytes = stream->positionBase + PlayedOfHeader(*stream);
  AnswerPosition(time, bytes);
  return MmSysErrNoError;
}

uint32_t PlatformWaveOutClose(PlatformWaveOut handle) {
  VirtualStream* stream = FindStream(handle);
  if (!stream) return MmSysErrInvalHandle;
  RetireFinishedHeader(*stream);
  if (stream->header) return WaveErrStillPlaying;
  CloseStream(*stream);
  return MmSysErrNoError;
}
