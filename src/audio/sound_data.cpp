// Sound data: raw sound files and the synthetic test tone.
#include "audio/audio.h"

void LoadRawSound(const char*, int) {}
void GenerateTestTone() {}
