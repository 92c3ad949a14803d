// This program plays through the sdl backend's wave-out and takes the rest of the platform from
// the headless backend, whose reset also resets its own virtual streams: here there are none.
#include "platform/headless/headless.h"

int HeadlessWaveOutOpenLimit = 64;
uint32_t HeadlessWaveOutLastDeviceId = 0;
uint32_t HeadlessWaveOutLastFlags = 0;

void HeadlessResetWaveOut() {}
