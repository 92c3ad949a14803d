// A small synthesiser for the two music loops: oscillators, filters, envelopes and effects in
// plain double arithmetic (no library transcendentals), so every platform writes the same bytes.
//
// A loop is rendered into buses of doubles, one sample per element. Notes that ring past the end
// of the loop continue at its start, and the effects with memory run over the loop twice, keeping
// the second pass: the loop joins itself without a click.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assets {

constexpr double Rate = 44100.0;

// sin(2 pi phase) by a polynomial after folding the phase into a quarter wave.
double SinCycle(double phase);
// The pitch of a MIDI note (69 = A 440 Hz) from a table of equal-tempered ratios.
double NoteHz(int midi);

// One deterministic noise source per instrument.
struct Noise {
  uint32_t state;
  explicit Noise(uint32_t seed) : state(seed) {}
  double Next();  // -1 .. 1
};

// A saw without the harsh aliasing of the naive ramp (polynomial band-limited step).
struct Saw {
  double phase = 0.0;
  double Next(double hz);
};

// The state-variable filter: low, band and high outputs from one state.
struct Filter {
  double low = 0.0, band = 0.0, high = 0.0;
  double cutoff = -1.0, coefficient = 0.0;  // the last cutoff asked for and its coefficient
  void Run(double input, double cutoffHz, double resonance);  // resonance 0 (none) .. 0.95
};

using Bus = std::vector<double>;

// Adds value at position (wrapped into the loop).
inline void AddWrapped(Bus& bus, int64_t at, double value) {
  int64_t n = static_cast<int64_t>(bus.size());
  at %= n;
  if (at < 0) at += n;
  bus[static_cast<size_t>(at)] += value;
}

// Effects, each over the whole loop (twice, keeping the second pass).
void FeedbackDelay(const Bus& in, Bus& out, int delaySamples, double feedback, double tone);
void Reverb(const Bus& in, Bus& out, double decay);
void RemoveDc(Bus& bus);

// The final step: a gain that puts the loudest peak at `peak`, a soft saturation that can never
// exceed full scale, and rounding to 16-bit samples.
std::vector<int16_t> Master(const Bus& mix, double peak);

}  // namespace assets
