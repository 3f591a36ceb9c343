#include "instruments.h"

#include <algorithm>
#include <cstring>

namespace {

// A note is one or two oscillators (the second detuned and panned apart for width),
// an optional FM modulator on the sine part, a key-tracked low-pass with its own
// decaying sweep, vibrato and a touch of breath noise.
struct SynthParams {
    const char* name;
    double sine, triangle, saw, square, pulseWidth;
    double detuneCents;
    double fmRatio, fmIndex, fmDecay;
    Adsr env;
    double cutoffMul, cutoffSweepMul, cutoffDecay, resonance;
    double vibratoCents, vibratoRate, vibratoDelay;
    double breath;
    double gain;
};

// clang-format off
const SynthParams instrumentTable[] = {
  // name        sine  tri  saw  sqr  pw    detune  fmR  fmI  fmDec  attack decay sus  release  cut  sweep cutDec res   vib  vRate vDel  breath gain
  {"flute",      0.8, 0.3, 0.0, 0.0, 0.5,   0.0,   1.0, 0.3, 0.20, {0.04, 0.30, 0.80, 0.12},  6.0,  2.0, 0.15, 0.10, 12.0, 5.0, 0.25, 0.05, 0.55},
  {"epiano",     1.0, 0.0, 0.0, 0.0, 0.5,   4.0,   1.0, 1.6, 0.35, {0.003,1.20, 0.00, 0.25},  8.0,  0.0, 0.10, 0.00,  0.0, 0.0, 0.00, 0.00, 0.60},
  {"bell",       1.0, 0.0, 0.0, 0.0, 0.5,   2.0,   3.5, 1.7, 0.50, {0.002,1.80, 0.00, 0.40}, 12.0,  0.0, 0.10, 0.00,  0.0, 0.0, 0.00, 0.00, 0.42},
  {"marimba",    1.0, 0.0, 0.0, 0.0, 0.5,   0.0,   4.0, 1.2, 0.04, {0.002,0.45, 0.00, 0.10},  8.0,  0.0, 0.10, 0.00,  0.0, 0.0, 0.00, 0.00, 0.75},
  {"pluck",      0.0, 0.6, 0.5, 0.0, 0.5,   3.0,   1.0, 0.0, 0.10, {0.002,0.70, 0.00, 0.15},  1.5,  9.0, 0.12, 0.15,  0.0, 0.0, 0.00, 0.00, 0.55},
  {"pad",        0.0, 0.2, 0.6, 0.0, 0.5,  10.0,   1.0, 0.0, 0.10, {0.60, 1.00, 0.85, 1.00},  2.5,  0.5, 1.00, 0.05,  6.0, 4.0, 0.50, 0.00, 0.22},
  {"strings",    0.0, 0.0, 0.8, 0.0, 0.5,   8.0,   1.0, 0.0, 0.10, {0.25, 0.80, 0.90, 0.50},  3.0,  1.0, 0.40, 0.05,  8.0, 5.5, 0.30, 0.00, 0.22},
  {"organ",      1.0, 0.0, 0.0, 0.0, 0.5,   2.0,   2.0, 0.5, 9.00, {0.01, 0.10, 1.00, 0.08},  6.0,  0.0, 0.10, 0.00,  5.0, 6.0, 0.00, 0.00, 0.38},
  {"squarelead", 0.0, 0.0, 0.0, 0.7, 0.25,  0.0,   1.0, 0.0, 0.10, {0.005,0.25, 0.60, 0.08},  4.0,  4.0, 0.08, 0.10, 10.0, 5.5, 0.20, 0.00, 0.30},
  {"chiparp",    0.0, 0.0, 0.0, 0.6, 0.5,   0.0,   1.0, 0.0, 0.10, {0.002,0.18, 0.00, 0.05},  5.0,  0.0, 0.10, 0.00,  0.0, 0.0, 0.00, 0.00, 0.25},
  {"softbass",   1.0, 0.6, 0.0, 0.0, 0.5,   0.0,   1.0, 0.4, 0.08, {0.008,0.50, 0.60, 0.10},  4.0,  2.0, 0.10, 0.00,  0.0, 0.0, 0.00, 0.00, 0.80},
  {"synbass",    0.3, 0.0, 0.7, 0.0, 0.5,   0.0,   1.0, 0.0, 0.10, {0.005,0.35, 0.40, 0.08},  2.0,  6.0, 0.10, 0.35,  0.0, 0.0, 0.00, 0.00, 0.50},
  {"upright",    1.0, 0.4, 0.1, 0.0, 0.5,   0.0,   2.0, 0.8, 0.05, {0.004,0.60, 0.00, 0.12},  5.0,  4.0, 0.05, 0.00,  0.0, 0.0, 0.00, 0.00, 0.95},
  {"kalimba",    1.0, 0.0, 0.0, 0.0, 0.5,   0.0,   5.4, 1.0, 0.03, {0.002,0.90, 0.00, 0.20},  8.0,  0.0, 0.10, 0.00,  0.0, 0.0, 0.00, 0.00, 0.65},
};
// clang-format on

// A drum is a pitched body that sweeps down plus a band of noise, each with its own decay.
struct DrumParams {
    const char* name;
    double toneFromHz, toneToHz, toneSweep, toneDecay, toneGain;
    double noiseLowHz, noiseHighHz, noiseDecay, noiseGain;
    double pan, gain;
};

// clang-format off
const DrumParams drumTable[] = {
  // name      from  to    sweep  decay  gain   lowHz  highHz decay  gain   pan    gain
  {"kick",     140,  48,   0.045, 0.28,  1.0,    80,   1500,  0.010, 0.25,   0.0,  0.85},
  {"snare",    200,  170,  0.020, 0.08,  0.45,  1200,  7500,  0.140, 0.80,   0.05, 0.45},
  {"brush",    0,    0,    0.0,   0.0,   0.0,   1500,  6000,  0.160, 0.70,   0.10, 0.30},
  {"hat",      0,    0,    0.0,   0.0,   0.0,   7000, 10500,  0.035, 1.00,   0.30, 0.22},
  {"ohat",     0,    0,    0.0,   0.0,   0.0,   6000, 10500,  0.220, 0.80,   0.30, 0.18},
  {"shaker",   0,    0,    0.0,   0.0,   0.0,   4000,  9000,  0.050, 1.00,  -0.30, 0.20},
  {"rim",      900,  800,  0.005, 0.025, 0.8,   2000,  6000,  0.015, 0.40,  -0.15, 0.30},
  {"tom",      180,  110,  0.080, 0.25,  1.0,    200,  2000,  0.030, 0.20,  -0.20, 0.55},
  {"tick",     2400, 2200, 0.002, 0.012, 0.6,   5000,  9000,  0.008, 0.30,   0.25, 0.20},
};
// clang-format on

template <typename Row, size_t N>
const Row* findRow(const Row (&table)[N], const std::string& name) {
    for (const Row& row : table)
        if (name == row.name) return &row;
    return nullptr;
}

void addFrame(MixTarget& target, long frame, double l, double r) {
    size_t n = target.dry.frames();
    size_t i = static_cast<size_t>(((frame % static_cast<long>(n)) + n) % n);
    target.dry.left[i] += static_cast<float>(l);
    target.dry.right[i] += static_cast<float>(r);
    target.send.left[i] += static_cast<float>(l * target.sendLevel);
    target.send.right[i] += static_cast<float>(r * target.sendLevel);
}

double soundingLength(const Adsr& env, double held) {
    if (env.sustain <= 0.0) return std::min(held, env.attack + 3.0 * env.decay) + env.release;
    return held + env.release;
}

// One oscillator of a synth note at the given phase (turns) and phase step.
double oscillator(const SynthParams& p, double phase, double step, double fm) {
    double v = 0.0;
    if (p.sine > 0) v += p.sine * sineTurns(phase + fm);
    if (p.triangle > 0) v += p.triangle * triangleTurns(phase);
    if (p.saw > 0) v += p.saw * sawBlep(phase, step);
    if (p.square > 0) v += p.square * squareBlep(phase, step, p.pulseWidth);
    return v;
}

uint32_t noteSeed(long frame, double midi) {
    return static_cast<uint32_t>(frame * 2654435761u) ^ static_cast<uint32_t>(midi * 97.0) ^ 0x9e3779b9u;
}

// Envelopes, vibrato, FM depth and the filter sweep change slowly, so they are
// computed once per block of samples rather than for every sample.
constexpr int controlBlock = 16;

struct SynthControl {
    double env, fm, cutoff, steps[2];
};

SynthControl synthControl(const SynthParams& p, double t, double freq, double held, int copies) {
    SynthControl c;
    c.env = adsrLevel(p.env, t, held);
    c.fm = p.fmIndex > 0 ? p.fmIndex * std::exp(-t / p.fmDecay) : 0.0;
    c.cutoff = freq * (p.cutoffMul + p.cutoffSweepMul * std::exp(-t / p.cutoffDecay));
    double vib = t > p.vibratoDelay ? p.vibratoCents * sineTurns(t * p.vibratoRate) : 0.0;
    for (int k = 0; k < 2; ++k) {
        double cents = vib + (k == 0 ? -0.5 : 0.5) * p.detuneCents * (copies - 1);
        c.steps[k] = freq * std::pow(2.0, cents / 1200.0) / sampleRate;
    }
    return c;
}

void renderSynth(const SynthParams& p, const NotePlay& note, MixTarget& target) {
    const double freq = midiToHz(note.midi);
    const long first = std::lround(note.startSec * sampleRate);
    const long count = std::lround(soundingLength(p.env, note.heldSec) * sampleRate);
    const int copies = p.detuneCents > 0 ? 2 : 1;
    double gl, gr;
    panGains(note.pan, gl, gr);
    // The detuned copy sits a little to one side, the first to the other.
    const double spread = copies == 2 ? 0.3 : 0.0;
    const double mixL[2] = {gl * (1 + spread), gl * (1 - spread)};
    const double mixR[2] = {gr * (1 - spread), gr * (1 + spread)};
    Noise noise(noteSeed(first, note.midi));
    Svf filters[2];
    double phases[2] = {0.0, 0.37};
    const double amp = p.gain * note.gain * note.velocity / copies;
    for (long block = 0; block < count; block += controlBlock) {
        SynthControl c = synthControl(p, static_cast<double>(block) / sampleRate, freq, note.heldSec, copies);
        SynthControl next =
            synthControl(p, static_cast<double>(block + controlBlock) / sampleRate, freq, note.heldSec, copies);
        for (int k = 0; k < copies; ++k) filters[k].tune(c.cutoff, p.resonance);
        long end = std::min(count, block + controlBlock);
        for (long i = block; i < end; ++i) {
            double w = static_cast<double>(i - block) / controlBlock;
            double a = amp * (c.env + (next.env - c.env) * w);
            double l = 0.0, r = 0.0;
            for (int k = 0; k < copies; ++k) {
                double mod = c.fm * sineTurns(phases[k] * p.fmRatio) / (2.0 * pi);
                double raw = oscillator(p, phases[k], c.steps[k], mod) + p.breath * noise.next();
                double v = filters[k].step(raw).low;
                l += v * mixL[k];
                r += v * mixR[k];
                phases[k] += c.steps[k];
            }
            addFrame(target, first + i, a * l, a * r);
        }
    }
}

void renderDrum(const DrumParams& d, const NotePlay& hit, MixTarget& target) {
    const double length = 5.0 * std::max(d.toneDecay, d.noiseDecay) + 0.01;
    const long first = std::lround(hit.startSec * sampleRate);
    const long count = std::lround(length * sampleRate);
    double gl, gr;
    panGains(std::clamp(hit.pan + d.pan, -1.0, 1.0), gl, gr);
    Noise noise(noteSeed(first, d.toneFromHz + d.noiseLowHz));
    Svf high, low;
    high.tune(d.noiseLowHz, 0.0);
    low.tune(d.noiseHighHz, 0.0);
    double phase = 0.0;
    const double amp = d.gain * hit.gain * hit.velocity;
    for (long i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / sampleRate;
        double attack = std::min(1.0, t / 0.001);
        double v = 0.0;
        if (d.toneGain > 0) {
            double f = d.toneToHz + (d.toneFromHz - d.toneToHz) * std::exp(-t / std::max(d.toneSweep, 1e-4));
            phase += f / sampleRate;
            v += d.toneGain * std::exp(-t / d.toneDecay) * sineTurns(phase);
        }
        if (d.noiseGain > 0) {
            double n = low.step(high.step(noise.next()).high).low;
            v += d.noiseGain * std::exp(-t / d.noiseDecay) * n;
        }
        double fadeOut = std::min(1.0, (count - i) / (0.005 * sampleRate));
        double a = amp * attack * fadeOut * v;
        addFrame(target, first + i, a * gl, a * gr);
    }
}

}  // namespace

bool isInstrument(const std::string& name) { return findRow(instrumentTable, name) != nullptr; }
bool isDrum(const std::string& name) { return findRow(drumTable, name) != nullptr; }

bool playInstrumentNote(const std::string& instrument, const NotePlay& note, MixTarget& target) {
    const SynthParams* p = findRow(instrumentTable, instrument);
    if (p) renderSynth(*p, note, target);
    return p != nullptr;
}

bool playDrumHit(const std::string& drum, const NotePlay& hit, MixTarget& target) {
    const DrumParams* d = findRow(drumTable, drum);
    if (d) renderDrum(*d, hit, target);
    return d != nullptr;
}
