#include "tools/assets/synth.h"

namespace assets {

namespace {

constexpr double TwoPi = 6.283185307179586;

double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double Magnitude(double value) { return value < 0.0 ? -value : value; }

// The loop runs twice through a processor so that its memory at the start of the kept pass is
// what the end of the loop leaves behind.
template <typename Step>
void TwoPasses(const Bus& in, Bus& out, Step step) {
  out.assign(in.size(), 0.0);
  for (int pass = 0; pass < 2; ++pass)
    for (size_t i = 0; i < in.size(); ++i) {
      double y = step(in[i]);
      if (pass == 1) out[i] = y;
    }
}

struct Comb {
  std::vector<double> line;
  size_t at = 0;
  double damped = 0.0;
  double Run(double input, double feedback, double damping) {
    double y = line[at];
    damped = y * (1.0 - damping) + damped * damping;
    line[at] = input + damped * feedback;
    at = (at + 1) % line.size();
    return y;
  }
};

struct Allpass {
  std::vector<double> line;
  size_t at = 0;
  double Run(double input) {
    double delayed = line[at];
    line[at] = input + delayed * 0.5;
    at = (at + 1) % line.size();
    return delayed - input;
  }
};

}  // namespace

double SinCycle(double phase) {
  double p = phase - static_cast<double>(static_cast<int64_t>(phase));
  if (p < 0.0) p += 1.0;
  double t;
  if (p < 0.25)
    t = p;
  else if (p < 0.75)
    t = 0.5 - p;
  else
    t = p - 1.0;
  double x = t * TwoPi;  // -pi/2 .. pi/2
  double x2 = x * x;
  return x * (1.0 +
              x2 * (-1.0 / 6.0 +
                    x2 * (1.0 / 120.0 + x2 * (-1.0 / 5040.0 +
                                              x2 * (1.0 / 362880.0 + x2 * (-1.0 / 39916800.0))))));
}

double NoteHz(int midi) {
  // 2^(k/12), correctly rounded decimal literals: the same doubles on every compiler.
  static const double ratio[12] = {1.0,
                                   1.0594630943592953,
                                   1.122462048309373,
                                   1.189207115002721,
                                   1.2599210498948732,
                                   1.3348398541700344,
                                   1.4142135623730951,
                                   1.4983070768766815,
                                   1.5874010519681994,
                                   1.681792830507429,
                                   1.7817974362806785,
                                   1.8877486253633868};
  if (midi < 0) midi = 0;
  double hz = 8.175798915643707 * ratio[midi % 12];  // C of octave -1
  for (int octave = 0; octave < midi / 12; ++octave) hz *= 2.0;
  return hz;
}

double Noise::Next() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
}

double Saw::Next(double hz) {
  double dt = hz / Rate;
  double value = 2.0 * phase - 1.0 - PolyBlep(phase, dt);
  phase += dt;
  if (phase >= 1.0) phase -= 1.0;
  return value;
}

void Filter::Run(double input, double cutoffHz, double resonance) {
  // Above a sixth of the rate this filter turns unstable; nothing here needs more.
  if (cutoffHz < 20.0) cutoffHz = 20.0;
  if (cutoffHz > Rate / 6.0) cutoffHz = Rate / 6.0;
  if (cutoffHz != cutoff) {
    cutoff = cutoffHz;
    coefficient = 2.0 * SinCycle(cutoffHz / (2.0 * Rate));
  }
  const double f = coefficient;
  double damping = 2.0 * (1.0 - resonance);
  low += f * band;
  high = input - low - damping * band;
  band += f * high;
}

void FeedbackDelay(const Bus& in, Bus& out, int delaySamples, double feedback, double tone) {
  std::vector<double> line(static_cast<size_t>(delaySamples), 0.0);
  size_t at = 0;
  double lowpassed = 0.0;
  // Each repeat is a little darker than the last (tone: 1 keeps everything, smaller is duller).
  TwoPasses(in, out, [&](double x) {
    double delayed = line[at];
    lowpassed += tone * (delayed - lowpassed);
    line[at] = x + lowpassed * feedback;
    at = (at + 1) % line.size();
    return lowpassed;
  });
}

void Reverb(const Bus& in, Bus& out, double decay) {
  Comb combs[4];
  const int combLengths[4] = {1116, 1188, 1277, 1356};
  for (int i = 0; i < 4; ++i) combs[i].line.assign(static_cast<size_t>(combLengths[i]), 0.0);
  Allpass passes[2];
  passes[0].line.assign(556, 0.0);
  passes[1].line.assign(441, 0.0);
  TwoPasses(in, out, [&](double x) {
    double sum = 0.0;
    for (Comb& comb : combs) sum += comb.Run(x * 0.25, decay, 0.3);
    return passes[1].Run(passes[0].Run(sum));
  });
}

void RemoveDc(Bus& bus) {
  double previousIn = 0.0, previousOut = 0.0;
  Bus in = bus;
  TwoPasses(in, bus, [&](double x) {
    double y = x - previousIn + 0.9995 * previousOut;
    previousIn = x;
    previousOut = y;
    return y;
  });
}

std::vector<int16_t> Master(const Bus& mix, double peak) {
  double loudest = 0.0;
  for (double v : mix)
    if (Magnitude(v) > loudest) loudest = Magnitude(v);
  double gain = loudest > 0.0 ? peak / loudest : 0.0;
  std::vector<int16_t> samples(mix.size());
  for (size_t i = 0; i < mix.size(); ++i) {
    double x = mix[i] * gain;
    // A rational tanh: smooth, and exactly 1 from |x| = 3 on, so nothing ever clips.
    double soft;
    if (x >= 3.0)
      soft = 1.0;
    else if (x <= -3.0)
      soft = -1.0;
    else
      soft = x * (27.0 + x * x) / (27.0 + 9.0 * x * x);
    double scaled = soft * 31000.0;
    samples[i] = static_cast<int16_t>(scaled < 0.0 ? scaled - 0.5 : scaled + 0.5);
  }
  return samples;
}

}  // namespace assets
