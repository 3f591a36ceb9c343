#include "effects.h"

#include <algorithm>
#include <cmath>

#include "dsp.h"

namespace {

enum class Wave { Sine, Triangle, Square, Saw, Bell, Noise };

// One partial of an effect. Tones glide exponentially from `fromHz` to `toHz`; noise is
// band-passed around that glide instead. `decay` is the time constant of the fall after
// the attack (0 holds steady); `pulseRate` chops the layer into grains, as a scrape or
// a creaking hinge is a run of tiny catches rather than a steady tone.
struct Layer {
    Wave wave;
    double start, length;
    double fromHz, toHz;
    double gain, attack, decay;
    double lowpassHz;  // 0 leaves the layer bright
    double bandQ;      // noise only: 0 wide .. 0.9 narrow
    double pulseRate, pulseDepth;
};

// `loudnessDb` is the effect's short-term loudness (see shortTermLoudnessDb). Effects
// the player hears over and over sit lowest, so that an enemy knocking twice a second
// along its lane never drowns the goal or a death.
struct Recipe {
    const char* file;
    double loudnessDb;
    std::vector<Layer> layers;
};

// Note frequencies used by the musical effects.
constexpr double C5 = 523.25, E5 = 659.26, G5 = 783.99, C6 = 1046.5, E6 = 1318.5, G6 = 1568.0;
constexpr double B6 = 1975.5, C7 = 2093.0;

// clang-format off
const Recipe recipes[] = {
  // wave             start  length  from    to      gain  attack decay  lowpass bandQ pulse depth
  {"goal.snd", -12, {
    {Wave::Square,    0.00,  0.11,   C5,     C5,     0.22, 0.004, 0.00,  2500,   0.0,  0,    0},
    {Wave::Square,    0.11,  0.11,   E5,     E5,     0.22, 0.004, 0.00,  2500,   0.0,  0,    0},
    {Wave::Square,    0.22,  0.11,   G5,     G5,     0.22, 0.004, 0.00,  2800,   0.0,  0,    0},
    {Wave::Square,    0.33,  0.80,   C6,     C6,     0.22, 0.004, 0.40,  3000,   0.0,  6.0,  0.15},
    {Wave::Saw,       0.33,  0.80,   G5,     G5,     0.10, 0.010, 0.45,  2000,   0.0,  0,    0},
    {Wave::Saw,       0.33,  0.80,   E5,     E5,     0.10, 0.010, 0.45,  2000,   0.0,  0,    0},
    {Wave::Triangle,  0.33,  0.80,   C5 / 2, C5 / 2, 0.30, 0.010, 0.45,  0,      0.0,  0,    0},
    {Wave::Bell,      0.33,  0.90,   C7,     C7,     0.15, 0.002, 0.30,  0,      0.0,  0,    0},
  }},
  {"collision.snd", -19, {
    {Wave::Sine,      0.00,  0.16,   170,    70,     0.90, 0.002, 0.05,  0,      0.0,  0,    0},
    {Wave::Triangle,  0.00,  0.08,   340,    210,    0.30, 0.001, 0.02,  1500,   0.0,  0,    0},
    {Wave::Noise,     0.00,  0.04,   1800,   900,    0.60, 0.001, 0.012, 0,      0.5,  0,    0},
  }},
  {"hole.snd", -15, {
    {Wave::Sine,      0.00,  0.75,   1100,   140,    0.50, 0.010, 0.00,  0,      0.0,  11.0, 0.25},
    {Wave::Triangle,  0.00,  0.75,   550,    70,     0.25, 0.010, 0.00,  1200,   0.0,  0,    0},
    {Wave::Sine,      0.70,  0.22,   95,     45,     0.70, 0.004, 0.07,  0,      0.0,  0,    0},
    {Wave::Noise,     0.70,  0.15,   400,    200,    0.35, 0.002, 0.04,  0,      0.3,  0,    0},
  }},
  {"bonus.snd", -15, {
    {Wave::Bell,      0.00,  0.30,   E6,     E6,     0.45, 0.002, 0.10,  0,      0.0,  0,    0},
    {Wave::Bell,      0.07,  0.40,   B6,     B6,     0.45, 0.002, 0.14,  0,      0.0,  0,    0},
    {Wave::Sine,      0.07,  0.35,   E6 * 2, E6 * 2, 0.12, 0.002, 0.08,  0,      0.0,  0,    0},
    {Wave::Triangle,  0.00,  0.25,   E5,     B6 / 2, 0.15, 0.005, 0.08,  0,      0.0,  0,    0},
  }},
  {"unlock.snd", -13, {
    {Wave::Noise,     0.00,  0.025,  4200,   3800,   0.80, 0.001, 0.006, 0,      0.7,  0,    0},
    {Wave::Square,    0.00,  0.020,  2100,   1900,   0.15, 0.001, 0.005, 4000,   0.0,  0,    0},
    {Wave::Noise,     0.07,  0.025,  2600,   2400,   0.70, 0.001, 0.007, 0,      0.7,  0,    0},
    {Wave::Saw,       0.13,  0.60,   105,    150,    0.55, 0.060, 0.00,  1400,   0.0,  26.0, 0.85},
    {Wave::Saw,       0.13,  0.60,   212,    290,    0.20, 0.060, 0.00,  2200,   0.0,  31.0, 0.80},
  }},
  {"skid.snd", -19, {
    {Wave::Noise,     0.00,  0.34,   2600,   1200,   0.80, 0.008, 0.15,  0,      0.6,  55.0, 0.60},
    {Wave::Noise,     0.00,  0.30,   700,    400,    0.45, 0.006, 0.12,  0,      0.3,  37.0, 0.40},
  }},
  {"die.snd", -12, {
    {Wave::Noise,     0.00,  0.12,   900,    500,    0.50, 0.001, 0.04,  0,      0.3,  0,    0},
    {Wave::Sine,      0.00,  0.30,   130,    45,     0.70, 0.002, 0.10,  0,      0.0,  0,    0},
    {Wave::Saw,       0.02,  0.80,   494,    330,    0.28, 0.005, 0.35,  2600,   0.0,  7.0,  0.25},
    {Wave::Saw,       0.02,  0.80,   466,    311,    0.24, 0.005, 0.35,  2600,   0.0,  7.0,  0.25},
    {Wave::Square,    0.02,  0.80,   247,    165,    0.14, 0.005, 0.35,  1500,   0.0,  0,    0},
  }},
};
// clang-format on

double layerSample(const Layer& layer, double phase, double step, Noise& noise, Svf& band) {
    switch (layer.wave) {
        case Wave::Sine: return sineTurns(phase);
        case Wave::Triangle: return triangleTurns(phase);
        case Wave::Square: return squareBlep(phase, step, 0.5);
        case Wave::Saw: return sawBlep(phase, step);
        case Wave::Bell: return sineTurns(phase + 0.3 * sineTurns(phase * 3.5));
        case Wave::Noise: return band.step(noise.next()).band;
    }
    return 0.0;
}

void renderLayer(const Layer& layer, uint32_t seed, std::vector<float>& out) {
    const long first = std::lround(layer.start * sampleRate);
    const long count = std::lround(layer.length * sampleRate);
    const double fade = 0.005 * sampleRate;
    Noise noise(seed);
    Svf band, low;
    if (layer.lowpassHz > 0) low.tune(layer.lowpassHz, 0.0);
    double phase = 0.0;
    for (long i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / sampleRate;
        double freq = layer.fromHz * std::pow(layer.toHz / layer.fromHz, t / layer.length);
        double step = freq / sampleRate;
        if (layer.wave == Wave::Noise && i % 16 == 0) band.tune(freq, layer.bandQ);
        double v = layerSample(layer, phase, step, noise, band);
        if (layer.lowpassHz > 0) v = low.step(v).low;
        phase += step;
        double env = std::min(1.0, t / layer.attack);
        if (layer.decay > 0 && t > layer.attack) env *= std::exp(-(t - layer.attack) / layer.decay);
        env *= std::min(1.0, (count - i) / fade);
        if (layer.pulseRate > 0)
            env *= 1.0 - layer.pulseDepth + layer.pulseDepth * std::pow(0.5 + 0.5 * sineTurns(t * layer.pulseRate), 3);
        out[first + i] += static_cast<float>(layer.gain * env * v);
    }
}

// Scales an effect to its loudness, unless that would push its peak past the ceiling.
void setLoudness(std::vector<float>& samples, double loudnessDb) {
    constexpr double peakCeiling = 0.89;  // -1 dB: leaves room for the music under it
    float peak = 0.0f;
    for (float s : samples) peak = std::max(peak, std::fabs(s));
    if (peak <= 0.0f) return;
    double gain = std::pow(10.0, (loudnessDb - shortTermLoudnessDb(samples)) / 20.0);
    gain = std::min(gain, peakCeiling / peak);
    for (float& s : samples) s = static_cast<float>(s * gain);
}

EffectSound renderRecipe(const Recipe& recipe) {
    double length = 0.0;
    for (const Layer& layer : recipe.layers) length = std::max(length, layer.start + layer.length);
    std::vector<float> samples(static_cast<size_t>(std::lround(length * sampleRate)) + 1, 0.0f);
    uint32_t seed = 12345;
    for (const Layer& layer : recipe.layers) renderLayer(layer, seed++, samples);
    // Three milliseconds keep the knocks crisp; thirty let a steady creak die away
    // instead of being cut off.
    fadeEdges(samples, 1, 0.003, 0.03);
    setLoudness(samples, recipe.loudnessDb);
    return {recipe.file, samples};
}

}  // namespace

std::vector<EffectSound> renderAllEffects() {
    std::vector<EffectSound> sounds;
    for (const Recipe& recipe : recipes) sounds.push_back(renderRecipe(recipe));
    return sounds;
}
