// Small building blocks shared by the instruments, the drums and the sound effects:
// oscillators, a filter, an envelope, a seeded noise source and a stereo buffer.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

constexpr int sampleRate = 22050;  // the rate the game opens its audio device at
constexpr double pi = 3.14159265358979323846;

double midiToHz(double midi);

// Sine of a phase given in turns, from a table: the instruments call it millions of times.
double sineTurns(double phase);

// Band-limited saw and square (PolyBLEP), so high notes do not alias into whistles.
double sawBlep(double phase, double step);
double squareBlep(double phase, double step, double width);
double triangleTurns(double phase);

// A fixed-seed generator, so that every build writes the same bytes.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed ? seed : 1u) {}
    double next() {  // uniform in [-1, 1)
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state * (2.0 / 4294967296.0) - 1.0;
    }
};

// Two-pole state-variable filter (trapezoidal form): stays stable while its cutoff sweeps.
// Tuning is separate from running because computing the coefficients costs a tan().
struct Svf {
    struct Out {
        double low, band, high;
    };
    void tune(double cutoffHz, double resonance);
    Out step(double x);
    double ic1 = 0, ic2 = 0, a1 = 0, a2 = 0, a3 = 0, k = 2;
};

struct Adsr {
    double attack, decay, sustain, release;  // seconds, seconds, level, seconds
};
// Level at time t of a note held for `held` seconds; zero once the release has run out.
double adsrLevel(const Adsr& env, double t, double held);

// Short ramps at both ends so a sound never starts or stops with a jump. They are cubic
// rather than linear, so the level is far down well before the last sample: a short
// linear fade from a loud sound still ends in an audible tick.
void fadeEdges(std::vector<float>& samples, int channels, double fadeInSec, double fadeOutSec);

// Loudness of a mono sound as the ear judges a short one, in dB of full scale: the mean
// power of its loudest tenth of a second, weighted roughly as in broadcast loudness
// meters (4 dB more weight above 1.5 hz, where hearing is keenest, none below 40 Hz).
// A sound shorter than the window counts the rest as silence, so a tick is not
// mistaken for a loud sound.
double shortTermLoudnessDb(const std::vector<float>& samples);

struct StereoBuffer {
    std::vector<float> left, right;
    explicit StereoBuffer(size_t frames = 0) : left(frames, 0.0f), right(frames, 0.0f) {}
    size_t frames() const { return left.size(); }
    std::vector<float> interleaved() const;
};

// Equal-power pan: -1 is hard left, +1 hard right.
inline void panGains(double pan, double& gl, double& gr) {
    double a = (pan + 1.0) * 0.25 * pi;
    gl = std::cos(a);
    gr = std::sin(a);
}
