#include <cmath>

#include "base/base.h"

uint32_t RandState = 1;

int Rand() {
  RandState = RandState * 214013u + 2531011u;
  return static_cast<int>((RandState >> 16) & 0x7FFF);
}

void Srand(uint32_t seed) { RandState = seed; }

int32_t DoubleToInt32(double value) {
  // The range test is written so that NaN fails it.
  if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

int StringCompareNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    int ca = static_cast<unsigned char>(*a);
    int cb = static_cast<unsigned char>(*b);
    if (ca >= 'A' && ca <= 'Z') ca += 'a' - 'A';
    if (cb >= 'A' && cb <= 'Z') cb += 'a' - 'A';
    if (ca != cb || ca == 0) return ca - cb;
  }
}
