// SDL backend: wave-out streams. Until the emulated streams exist, there is no device: every
// open reports MMSYSERR_BADDEVICEID and every other call MMSYSERR_INVALHANDLE, which the audio
// system takes as a machine without a sound card (0 channels).
//
// Platform: any. Limitations: nothing is heard. Dependencies: none.
#include "platform/platform.h"

uint32_t PlatformWaveOutOpen(PlatformWaveOut* stream, uint32_t, const WaveFormat*, uintptr_t,
                             uintptr_t, uint32_t) {
  if (stream) *stream = nullptr;
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
