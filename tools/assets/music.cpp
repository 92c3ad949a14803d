// The two raw sounds of ".\sound": "Dreamy Space Beat", a slow pad and bell loop over a soft
// beat, and "tecnotica", a four-on-the-floor techno loop. Both are seamless loops.
#include "tools/assets/assets.h"
#include "tools/assets/synth.h"

namespace assets {

namespace {

int64_t Seconds(double s) { return static_cast<int64_t>(s * Rate); }

// Decay factor per sample for a time constant in seconds (first-order approximation of e^-1/n).
double DecayPerSample(double seconds) { return 1.0 - 1.0 / (seconds * Rate); }

// ---- Drums -----------------------------------------------------------------------------------

void Kick(Bus& bus, int64_t at, double gain, double fromHz, double toHz, double decay, bool click) {
  double phase = 0.0, pitch = 1.0, amp = 1.0;
  const double pitchDecay = DecayPerSample(0.032), ampDecay = DecayPerSample(decay);
  Noise noise(0x51ED2701u);
  const int64_t length = Seconds(decay * 7.0);
  for (int64_t i = 0; i < length; ++i) {
    double hz = toHz + (fromHz - toHz) * pitch;
    double attack = i < 44 ? static_cast<double>(i) / 44.0 : 1.0;
    double v = SinCycle(phase) * amp * attack;
    if (click && i < 130) v += noise.Next() * 0.25 * (1.0 - static_cast<double>(i) / 130.0);
    // A touch of saturation rounds the body.
    v = 1.6 * v / (1.0 + 0.6 * (v < 0.0 ? -v : v));
    AddWrapped(bus, at + i, v * gain);
    phase += hz / Rate;
    pitch *= pitchDecay;
    amp *= ampDecay;
  }
}

void HiHat(Bus& bus, int64_t at, double gain, double decay, uint32_t seed) {
  Noise noise(seed);
  Filter filter;
  double amp = 1.0;
  const double ampDecay = DecayPerSample(decay);
  const int64_t length = Seconds(decay * 6.0);
  for (int64_t i = 0; i < length; ++i) {
    filter.Run(noise.Next(), 7000.0, 0.3);
    AddWrapped(bus, at + i, filter.high * amp * gain);
    amp *= ampDecay;
  }
}

void Clap(Bus& bus, int64_t at, double gain, uint32_t seed) {
  Noise noise(seed);
  Filter filter;
  const int64_t length = Seconds(0.4);
  const int64_t bursts[3] = {0, Seconds(0.011), Seconds(0.022)};
  for (int64_t i = 0; i < length; ++i) {
    double env = 0.0;
    for (int64_t start : bursts)
      if (i >= start && i < start + Seconds(0.01))
        env += 1.0 - static_cast<double>(i - start) / static_cast<double>(Seconds(0.01));
    if (i >= bursts[2]) {
      double t = static_cast<double>(i - bursts[2]) / Rate;
      double tail = 0.6 - t * 2.0;
      if (tail > 0.0) env += tail * tail;
    }
    filter.Run(noise.Next(), 1300.0, 0.55);
    AddWrapped(bus, at + i, filter.band * env * gain);
  }
}

void SoftSnare(Bus& bus, int64_t at, double gain, uint32_t seed) {
  Noise noise(seed);
  Filter filter;
  double ampNoise = 1.0, ampBody = 1.0, phase = 0.0;
  const double noiseDecay = DecayPerSample(0.11), bodyDecay = DecayPerSample(0.05);
  const int64_t length = Seconds(0.7);
  for (int64_t i = 0; i < length; ++i) {
    filter.Run(noise.Next(), 2200.0, 0.2);
    double attack = i < 90 ? static_cast<double>(i) / 90.0 : 1.0;
    double v = filter.band * ampNoise * 1.4 + SinCycle(phase) * ampBody * 0.6;
    AddWrapped(bus, at + i, v * gain * attack);
    phase += 185.0 / Rate;
    ampNoise *= noiseDecay;
    ampBody *= bodyDecay;
  }
}

// ---- Tonal voices ----------------------------------------------------------------------------

// A warm pad: three detuned saws and a sine an octave below, through a low-pass whose cutoff
// breathes with a slow swell; a long attack and a long release.
void PadNote(Bus& bus, int64_t at, int64_t hold, int midi, double gain, int64_t swellPeriod) {
  Saw saws[3];
  saws[1].phase = 0.33;
  saws[2].phase = 0.71;
  const double detune[3] = {1.0, 1.0046, 0.9955};
  const double hz = NoteHz(midi);
  Filter filter;
  double sub = 0.0, cutoff = 0.0;
  const int64_t attack = Seconds(1.4), release = Seconds(2.0);
  for (int64_t i = 0; i < hold + release; ++i) {
    double env;
    if (i < attack) {
      double t = static_cast<double>(i) / static_cast<double>(attack);
      env = t * t * (3.0 - 2.0 * t);
    } else if (i < hold) {
      env = 1.0;
    } else {
      double t = 1.0 - static_cast<double>(i - hold) / static_cast<double>(release);
      env = t * t;
    }
    double v = 0.0;
    for (int k = 0; k < 3; ++k) v += saws[k].Next(hz * detune[k]);
    v = v / 3.0 + 0.5 * SinCycle(sub);
    sub += hz * 0.5 / Rate;
    // The swell follows the loop's clock, so every voice breathes together; its period divides
    // the loop, so a tail that wraps round keeps breathing in step. It moves slowly enough to
    // be set every 32 samples.
    if ((at + i) % 32 == 0 || i == 0) {
      double swell =
          0.5 + 0.5 * SinCycle(static_cast<double>(at + i) / static_cast<double>(swellPeriod));
      cutoff = 500.0 + 1300.0 * swell;
    }
    filter.Run(v, cutoff, 0.25);
    AddWrapped(bus, at + i, filter.low * env * gain);
  }
}

// A glassy bell: a sine whose phase is bent by a sine three times as fast, the bend fading
// faster than the tone.
void Bell(Bus& bus, int64_t at, int midi, double gain) {
  const double hz = NoteHz(midi);
  double carrier = 0.0, modulator = 0.0, index = 1.2, amp = 1.0;
  const double indexDecay = DecayPerSample(0.22), ampDecay = DecayPerSample(0.55);
  const int64_t length = Seconds(3.0);
  for (int64_t i = 0; i < length; ++i) {
    double attack = i < 180 ? static_cast<double>(i) / 180.0 : 1.0;
    double v = SinCycle(carrier + index * SinCycle(modulator) / 6.283185307179586);
    AddWrapped(bus, at + i, v * amp * attack * gain);
    carrier += hz / Rate;
    modulator += 3.0 * hz / Rate;
    index *= indexDecay;
    amp *= ampDecay;
  }
}

void SubBass(Bus& bus, int64_t at, int64_t hold, int midi, double gain) {
  const double hz = NoteHz(midi);
  double phase = 0.0;
  const int64_t attack = Seconds(0.08), release = Seconds(0.35);
  for (int64_t i = 0; i < hold + release; ++i) {
    double env = i < attack ? static_cast<double>(i) / static_cast<double>(attack)
                 : i < hold ? 1.0
                            : 1.0 - static_cast<double>(i - hold) / static_cast<double>(release);
    double v = SinCycle(phase) + 0.18 * SinCycle(2.0 * phase);
    AddWrapped(bus, at + i, v * env * gain);
    phase += hz / Rate;
  }
}

// The techno bass: a saw through a resonant low-pass that snaps open on each note.
void AcidBass(Bus& bus, int64_t at, int64_t gate, int midi, bool accent, double gain) {
  Saw saw;
  Filter filter;
  const double hz = NoteHz(midi);
  double sweep = 1.0;
  const double sweepDecay = DecayPerSample(accent ? 0.11 : 0.06);
  const int64_t release = Seconds(0.012);
  for (int64_t i = 0; i < gate + release; ++i) {
    double env = i < 90 ? static_cast<double>(i) / 90.0 : 1.0;
    if (i >= gate) env = 1.0 - static_cast<double>(i - gate) / static_cast<double>(release);
    filter.Run(saw.Next(hz), 170.0 + (accent ? 2300.0 : 1100.0) * sweep, 0.72);
    double v = filter.low * 1.8;
    v = v / (1.0 + (v < 0.0 ? -v : v));
    AddWrapped(bus, at + i, v * env * gain);
    sweep *= sweepDecay;
  }
}

// A short chord stab of detuned saws, darkening as it dies.
void Stab(Bus& bus, int64_t at, const int* notes, int count, double gain) {
  Saw saws[8];
  Filter filter;
  double sweep = 1.0, amp = 1.0;
  const double sweepDecay = DecayPerSample(0.08), ampDecay = DecayPerSample(0.15);
  double hz[4] = {};
  if (count > 4) count = 4;
  for (int n = 0; n < count; ++n) hz[n] = NoteHz(notes[n]);
  const int64_t length = Seconds(0.7);
  for (int64_t i = 0; i < length; ++i) {
    double v = 0.0;
    for (int n = 0; n < count; ++n)
      v += saws[2 * n].Next(hz[n] * 1.003) + saws[2 * n + 1].Next(hz[n] * 0.997);
    filter.Run(v / (2.0 * count), 500.0 + 2800.0 * sweep, 0.35);
    double attack = i < 60 ? static_cast<double>(i) / 60.0 : 1.0;
    AddWrapped(bus, at + i, filter.low * amp * attack * gain);
    sweep *= sweepDecay;
    amp *= ampDecay;
  }
}

// The lead: a hollow pulse (two saws half a cycle apart) plucked through a low-pass.
void Pluck(Bus& bus, int64_t at, int midi, double brightness, double gain) {
  Saw a, b;
  b.phase = 0.5;
  Filter filter;
  const double hz = NoteHz(midi);
  double amp = 1.0, sweep = 1.0;
  const double ampDecay = DecayPerSample(0.13), sweepDecay = DecayPerSample(0.07);
  const int64_t length = Seconds(0.8);
  for (int64_t i = 0; i < length; ++i) {
    double v = (a.Next(hz) - b.Next(hz)) * 0.5;
    filter.Run(v, 400.0 + brightness * (600.0 + 3000.0 * sweep), 0.3);
    double attack = i < 100 ? static_cast<double>(i) / 100.0 : 1.0;
    AddWrapped(bus, at + i, filter.low * amp * attack * gain);
    amp *= ampDecay;
    sweep *= sweepDecay;
  }
}

// Ducking: after each kick the music steps back and swells in again (side-chain pumping).
void Duck(Bus& bus, int64_t period, int64_t offset, double depth, double recoverSeconds) {
  const int64_t recover = Seconds(recoverSeconds);
  for (size_t i = 0; i < bus.size(); ++i) {
    int64_t since = (static_cast<int64_t>(i) - offset) % period;
    if (since < 0) since += period;
    if (since >= recover) continue;
    double t = 1.0 - static_cast<double>(since) / static_cast<double>(recover);
    bus[i] *= 1.0 - depth * t * t;
  }
}

void Accumulate(Bus& into, const Bus& from, double gain) {
  for (size_t i = 0; i < into.size(); ++i) into[i] += from[i] * gain;
}

}  // namespace

std::vector<int16_t> ComposeDreamySpaceBeat() {
  // 84 beats a minute is exactly 31,500 samples a beat; 8 bars of 4 beats, 22.9 seconds.
  const int64_t beat = 31500;
  const int bars = 8;
  const size_t length = static_cast<size_t>(beat * 4 * bars);
  Bus pads(length), keys(length), bass(length), drums(length), snares(length);

  // Fmaj9, Am9, Dm9, Em9, two bars each; the pad voices the chord, the bell walks through it.
  struct Chord {
    int root;
    int notes[5];
  };
  const Chord chords[4] = {{41, {53, 57, 60, 64, 67}},
                           {45, {57, 60, 64, 67, 71}},
                           {38, {50, 53, 57, 60, 64}},
                           {40, {52, 55, 59, 62, 66}}};
  const int walk[16] = {0, 2, 4, 3, 1, 3, 4, 2, 0, 2, 4, 3, 4, 3, 2, 1};
  for (int c = 0; c < 4; ++c) {
    const int64_t at = c * 8 * beat;
    for (int note : chords[c].notes) PadNote(pads, at, 8 * beat, note, 1.0, 16 * beat);
    SubBass(bass, at, 8 * beat - Seconds(0.1), chords[c].root, 1.0);
    for (int k = 0; k < 16; ++k) {
      // The second bar of every chord leaves a breath at its end.
      if (k == 15 && c % 2 == 1) continue;
      double velocity = (k % 4 == 0) ? 1.0 : ((k % 2 == 0) ? 0.75 : 0.6);
      Bell(keys, at + k * beat / 2, chords[c].notes[walk[k]] + 12, velocity);
    }
  }

  // The slow beat: kick on one and three, a soft snare on two and four, swung hats.
  const int64_t swing = beat / 2 / 12;
  for (int bar = 0; bar < bars; ++bar) {
    for (int b = 0; b < 4; ++b) {
      const int64_t at = (bar * 4 + b) * beat;
      if (b == 0 || b == 2) Kick(drums, at, 1.0, 120.0, 44.0, 0.3, false);
      if (b == 2 && bar % 2 == 1) Kick(drums, at + beat / 2, 0.55, 110.0, 44.0, 0.22, false);
      if (b == 1 || b == 3)
        SoftSnare(snares, at, 0.55, 0xC0FFEE11u + static_cast<uint32_t>(bar * 4 + b));
      HiHat(drums, at, 0.16, 0.035, 0xAB5EED01u + static_cast<uint32_t>(bar * 8 + 2 * b));
      HiHat(drums, at + beat / 2 + swing, 0.24, 0.05,
            0xAB5EED02u + static_cast<uint32_t>(bar * 8 + 2 * b));
    }
  }

  // The sub bass and pad step back a little under each kick.
  Duck(bass, 2 * beat, 0, 0.45, 0.25);
  Duck(pads, 2 * beat, 0, 0.2, 0.3);

  // Space: the bells echo on the dotted eighth; bells, pad and snare share a reverb.
  Bus echo, space, send(length);
  FeedbackDelay(keys, echo, static_cast<int>(beat * 3 / 4), 0.45, 0.45);
  Accumulate(send, keys, 0.8);
  Accumulate(send, echo, 0.7);
  Accumulate(send, pads, 0.25);
  Accumulate(send, snares, 0.8);
  Reverb(send, space, 0.86);

  Bus mix(length);
  Accumulate(mix, pads, 0.05);
  Accumulate(mix, keys, 0.085);
  Accumulate(mix, echo, 0.05);
  Accumulate(mix, space, 0.11);
  Accumulate(mix, bass, 0.15);
  Accumulate(mix, drums, 0.3);
  Accumulate(mix, snares, 0.2);
  RemoveDc(mix);
  return Master(mix, 1.05);
}

std::vector<int16_t> ComposeTecnotica() {
  // 16ths of 5,088 samples: 130.0 beats a minute; 12 bars, 22.2 seconds.
  const int64_t step = 5088;
  const int bars = 12;
  const size_t length = static_cast<size_t>(step * 16 * bars);
  Bus kick(length), hats(length), claps(length), bass(length), stabs(length), lead(length);

  // A minor, F, G, A minor: one chord a bar.
  const int roots[4] = {45, 41, 43, 45};
  const bool minor[4] = {true, false, false, true};
  // The rolling bass leaves the kick's steps free; 12 is the octave jump, 7 the fifth.
  const int line[16] = {-1, 0, 12, 0, -1, 0, 12, 7, -1, 0, 12, 0, -1, 3, 12, 10};
  const int stabSteps[3] = {2, 7, 10};
  const int arp[16] = {0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 4, 3, 2, 1, 2, 3};

  for (int bar = 0; bar < bars; ++bar) {
    const int section = bar / 4;  // 0 groove, 1 lead enters, 2 lead opens up with open hats
    const int chord = bar % 4;
    const int root = roots[chord];
    const int third = minor[chord] ? 3 : 4;
    const int64_t barStart = bar * 16 * step;
    for (int s = 0; s < 16; ++s) {
      const int64_t at = barStart + s * step;
      const uint32_t seed = static_cast<uint32_t>(bar * 16 + s);
      if (s % 4 == 0) Kick(kick, at, 1.0, 160.0, 48.0, 0.24, true);
      if (bar == bars - 1 && s == 14) Kick(kick, at, 0.7, 160.0, 48.0, 0.18, true);
      // Hats: the off-beat eighth loud, the other sixteenths as ghosts.
      if (s % 4 == 2) {
        if (section == 2)
          HiHat(hats, at, 0.9, 0.16, 0x0A7E0000u + seed);
        else
          HiHat(hats, at, 1.0, 0.045, 0x0A7E0000u + seed);
      } else if (s % 2 == 1) {
        HiHat(hats, at, 0.35 + 0.1 * (s % 4 == 3), 0.025, 0x0A7E1000u + seed);
      }
      if (s == 4 || s == 12) Clap(claps, at, 1.0, 0xC1A90000u + seed);
      if (line[s] >= 0) {
        int note = root - 12 + (line[s] == 3 ? third : line[s]);
        AcidBass(bass, at, step * 3 / 4, note, line[s] >= 10, 1.0);
      }
      for (int k : stabSteps) {
        if (s != k) continue;
        const int notes[4] = {root + 12, root + 12 + third, root + 19, root + 24};
        Stab(stabs, at, notes, 4, section == 0 ? 0.7 : 1.0);
      }
      if (section >= 1) {
        const int tones[5] = {root + 24, root + 24 + third, root + 31, root + 36,
                              root + 36 + third};
        // The lead opens across the middle section and stays bright in the last.
        double brightness =
            section == 1 ? 0.3 + 0.7 * static_cast<double>((bar - 4) * 16 + s) / 64.0 : 1.0;
        int pick = arp[s];
        if (section == 2 && s % 8 == 7) pick = 4;
        Pluck(lead, at, tones[pick], brightness, (s % 4 == 0) ? 1.0 : 0.75);
      }
    }
  }

  // The pump: everything tonal ducks under the kick.
  const int64_t beat = 4 * step;
  Duck(bass, beat, 0, 0.6, 0.2);
  Duck(stabs, beat, 0, 0.5, 0.22);
  Duck(lead, beat, 0, 0.35, 0.2);

  Bus echo, space, send(length);
  Bus delaySource(length);
  Accumulate(delaySource, stabs, 1.0);
  Accumulate(delaySource, lead, 0.8);
  FeedbackDelay(delaySource, echo, static_cast<int>(3 * step), 0.4, 0.5);
  Accumulate(send, claps, 0.9);
  Accumulate(send, stabs, 0.5);
  Accumulate(send, echo, 0.4);
  Reverb(send, space, 0.8);

  Bus mix(length);
  Accumulate(mix, kick, 0.9);
  Accumulate(mix, hats, 0.07);
  Accumulate(mix, claps, 0.3);
  Accumulate(mix, bass, 0.32);
  Accumulate(mix, stabs, 0.16);
  Accumulate(mix, lead, 0.12);
  Accumulate(mix, echo, 0.07);
  Accumulate(mix, space, 0.1);
  RemoveDc(mix);
  return Master(mix, 1.3);
}

}  // namespace assets
