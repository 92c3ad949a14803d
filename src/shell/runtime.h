// The pieces of the C runtime whose results the program depends on, carried by the program
// itself so that every platform gives the same results.
#pragma once

#include <cstdint>

// The Windows C runtime generator: state = state * 214013 + 2531011 (mod 2^32),
// result (state >> 16) & 0x7FFF. Start state 1, as if srand(1) had run.
constexpr int RandMax = 32767;
extern uint32_t RandState;
int Rand();
void Srand(uint32_t seed);

// A double converted to a 32-bit integer by truncation; a value that is not finite or lies
// outside the 32-bit range yields 0x80000000, as the x86 conversion instruction does.
int32_t DoubleToInt32(double value);

// Case-insensitive comparison of two strings (ASCII), as _stricmp: <0, 0, >0.
int StringCompareNoCase(const char* a, const char* b);
