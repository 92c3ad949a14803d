// Headless wave-out: to be replaced by virtual streams that advance with the virtual clock.
#include "platform/headless/headless.h"

int HeadlessWaveOutOpenLimit = 64;

void HeadlessResetWaveOut() { HeadlessWaveOutOpenLimit = 64; }

uint32_t PlatformWaveOutOpen(PlatformWaveOut* stream, uint32_t, const WaveFormat*, uintptr_t,
                             uintptr_t, uint32_t) {
  *stream = nullptr;
  return MmSysErrBadDeviceId;
}
uint32_t PlatformWaveOutPrepareHeader(PlatformWaveOut, WaveHeader*, uint32_t) {
  return MmSysErrInvalHandle;
}
uint32_t PlatformWaveOutUnprepareHeader(PlatformWaveOut, WaveHeader*, uint32_t) {
  return MmSysErrInvalHandle;
}
uint32_t PlatformWaveOutWrite(PlatformWaveOut, WaveHeader*, uint32_t) {
  return MmSysErrInvalHandle;
}
uint32_t PlatformWaveOutReset(PlatformWaveOut) { return MmSysErrInvalHandle; }
uint32_t PlatformWaveOutBreakLoop(PlatformWaveOut) { return MmSysErrInvalHandle; }
uint32_t PlatformWaveOutGetPosition(PlatformWaveOut, WaveTime*, uint32_t) {
  return MmSysErrInvalHandle;
}
uint32_t PlatformWaveOutClose(PlatformWaveOut) { return MmSysErrInvalHandle; }
