// FNV-1a, 64 bits: the checksum of frames and of a walk's state, which the snapshot tool prints
// and a replay carries, so that two runs are compared by one number.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint64_t Fnv1a64Basis = 0xcbf29ce484222325ull;
constexpr uint64_t Fnv1a64Prime = 0x100000001b3ull;

// Continues hash over bytes; start with Fnv1a64Basis.
inline uint64_t Fnv1a64(const void* data, size_t bytes, uint64_t hash = Fnv1a64Basis) {
  const uint8_t* byte = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < bytes; ++i) {
    hash ^= byte[i];
    hash *= Fnv1a64Prime;
  }
  return hash;
}
