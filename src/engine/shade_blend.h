// The blend of one light's base term with a surface byte, as the span rasterizer's shade cache
// works it out: one byte at a time, and sixteen surface quotients at once when a cache entry is
// filled. Internal to the engine; a header of its own so that the tests can hold the two forms
// against each other.
#pragma once

#include <cstdint>
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

// The base is 0, positive or infinite, never not-a-number (it comes from q only where q > 0),
// so the clamped value lies in 0 .. 255 and converts without a range test. The blend is worked
// in double and rounded once, when it is stored as the running single-precision colour.
inline uint8_t BlendByte(double base, int32_t surface) {
  float value = static_cast<float>(base + (surface / 18));
  if (value > 255) value = 255;
  if (value < 0) value = 0;
  return static_cast<uint8_t>(static_cast<int32_t>(value));
}

// BlendByte(base, 18 * n) for n = 0 to 15. The SSE2 form does the same operations two or four
// lanes at a time: the sum in double, rounded to single precision, clamped (the base is never
// not-a-number, so the minimum and maximum clamp as the comparisons do), truncated.
inline void BlendQuotients(double base, uint8_t shades[16]) {
#if defined(__SSE2__) || defined(_M_X64)
  const __m128d b = _mm_set1_pd(base);
  __m128i quads[4];
  for (int q = 0; q < 4; ++q) {
    double n = 4 * q;
    __m128 low = _mm_cvtpd_ps(_mm_add_pd(b, _mm_set_pd(n + 1, n)));
    __m128 high = _mm_cvtpd_ps(_mm_add_pd(b, _mm_set_pd(n + 3, n + 2)));
    __m128 value = _mm_movelh_ps(low, high);
    value = _mm_max_ps(_mm_min_ps(value, _mm_set1_ps(255)), _mm_setzero_ps());
    quads[q] = _mm_cvttps_epi32(value);
  }
  __m128i bytes =
      _mm_packus_epi16(_mm_packs_epi32(quads[0], quads[1]), _mm_packs_epi32(quads[2], quads[3]));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(shades), bytes);
#else
  for (int32_t n = 0; n < 16; ++n) shades[n] = BlendByte(base, 18 * n);
#endif
}
