// The Windows C runtime generator written again for the tests, so that they predict the program's
// draws without calling its own Rand; and the state after a number of draws from a seed.
#pragma once

#include <cstdint>

struct WindowsRand {
  uint32_t state;
  int Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
  }
};

inline uint32_t StateAfter(uint32_t seed, int draws) {
  WindowsRand model{seed};
  for (int i = 0; i < draws; ++i) model.Next();
  return model.state;
}
