#include "dsp.h"

#include <algorithm>
#include <array>

double midiToHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

namespace {
constexpr int sineSize = 4096;

const std::array<double, sineSize + 1>& sineTable() {
    static const std::array<double, sineSize + 1> table = [] {
        std::array<double, sineSize + 1> t{};
        for (int i = 0; i <= sineSize; ++i) t[i] = std::sin(2.0 * pi * i / sineSize);
        return t;
    }();
    return table;
}

double wrap(double phase) { return phase - std::floor(phase); }

// Smooths the jump of a naive waveform over the sample on either side of it.
double polyBlep(double t, double dt) {
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
}  // namespace

double sineTurns(double phase) {
    const auto& table = sineTable();
    double pos = wrap(phase) * sineSize;
    int i = static_cast<int>(pos);
    double frac = pos - i;
    return table[i] + (table[i + 1] - table[i]) * frac;
}

double sawBlep(double phase, double step) {
    double t = wrap(phase);
    return 2.0 * t - 1.0 - polyBlep(t, step);
}

double squareBlep(double phase, double step, double width) {
    double t = wrap(phase);
    double v = t < width ? 1.0 : -1.0;
    v += polyBlep(t, step);
    v -= polyBlep(wrap(t + 1.0 - width), step);
    return v;
}

double triangleTurns(double phase) {
    double t = wrap(phase);
    return t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t;
}

void Svf::tune(double cutoffHz, double resonance) {
    double fc = std::clamp(cutoffHz, 20.0, sampleRate * 0.45);
    double g = std::tan(pi * fc / sampleRate);
    k = 2.0 - 2.0 * std::clamp(resonance, 0.0, 0.95);
    a1 = 1.0 / (1.0 + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
}

Svf::Out Svf::step(double x) {
    double v3 = x - ic2;
    double v1 = a1 * ic1 + a2 * v3;
    double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    return {v2, v1, x - k * v1 - v2};
}

double adsrLevel(const Adsr& env, double t, double held) {
    auto sustainPhase = [&env](double u) {
        if (u < env.attack) return u / env.attack;
        double d = (u - env.attack) / std::max(env.decay, 1e-4);
        return env.sustain + (1.0 - env.sustain) * std::exp(-3.0 * d);
    };
    if (t < 0.0) return 0.0;
    if (t < held) return sustainPhase(t);
    double r = (t - held) / std::max(env.release, 1e-4);
    if (r >= 1.0) return 0.0;
    // Exponential-looking release that still reaches exactly zero.
    return sustainPhase(held) * (1.0 - r) * std::exp(-3.0 * r);
}

void fadeEdges(std::vector<float>& samples, int channels, double fadeInSec, double fadeOutSec) {
    size_t frames = samples.size() / channels;
    size_t in = std::min(frames, static_cast<size_t>(fadeInSec * sampleRate));
    size_t out = std::min(frames, static_cast<size_t>(fadeOutSec * sampleRate));
    auto ramp = [](size_t i, size_t n) {
        double x = static_cast<double>(i) / n;
        return static_cast<float>(x * x * x);
    };
    for (size_t i = 0; i < in; ++i)
        for (int c = 0; c < channels; ++c) samples[i * channels + c] *= ramp(i, in);
    for (size_t i = 0; i < out; ++i)
        for (int c = 0; c < channels; ++c) samples[(frames - 1 - i) * channels + c] *= ramp(i, out);
}

double shortTermLoudnessDb(const std::vector<float>& samples) {
    const double presenceLift = std::pow(10.0, 4.0 / 20.0) - 1.0;
    const size_t window = static_cast<size_t>(0.1 * sampleRate);
    Svf presence, rumble;
    presence.tune(1500.0, 0.29);  // a Q of 0.7
    rumble.tune(40.0, 0.0);
    std::vector<double> power(samples.size());
    double sum = 0.0, loudest = 0.0;
    for (size_t i = 0; i < samples.size(); ++i) {
        double lifted = samples[i] + presenceLift * presence.step(samples[i]).high;
        double weighted = rumble.step(lifted).high;
        power[i] = weighted * weighted;
        sum += power[i];
        if (i >= window) sum -= power[i - window];
        loudest = std::max(loudest, sum);
    }
    return 10.0 * std::log10(std::max(loudest / window, 1e-12));
}

std::vector<float> StereoBuffer::interleaved() const {
    std::vector<float> out(frames() * 2);
    for (size_t i = 0; i < frames(); ++i) {
        out[2 * i] = left[i];
        out[2 * i + 1] = right[i];
    }
    return out;
}
