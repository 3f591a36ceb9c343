#include "music.h"

#include <algorithm>
#include <cmath>

#include "instruments.h"

namespace {

// Moves the off-beat eighth of every beat to `swing` (0.5 is straight).
double swungBeat(double beat, double swing) {
    double whole = std::floor(beat);
    double frac = beat - whole;
    double mapped = frac < 0.5 ? frac * 2.0 * swing : swing + (frac - 0.5) * 2.0 * (1.0 - swing);
    return whole + mapped;
}

// Downbeats a little louder than other beats, off-beats softer still: the groove a
// player would give without being told.
double accent(double beatInBar) {
    if (std::fabs(beatInBar) < 1e-6) return 1.0;
    if (std::fabs(beatInBar - std::round(beatInBar)) < 1e-6) return 0.86;
    return 0.74;
}

const VoiceSetup* findVoice(const Arrangement& arr, const std::string& voice) {
    for (const VoiceSetup& v : arr.voices)
        if (v.voice == voice) return &v;
    return nullptr;
}

struct Timing {
    double secondsPerBeat;
    double swing;
    int meter;
};

bool playEvent(const NoteEvent& ev, double offset, const VoiceSetup& voice, const Timing& timing, MixTarget& target,
               std::string& error) {
    double startBeat = offset + ev.start;
    double start = swungBeat(startBeat, timing.swing) * timing.secondsPerBeat;
    double end = swungBeat(startBeat + ev.length, timing.swing) * timing.secondsPerBeat;
    double velocity = accent(std::fmod(startBeat, timing.meter));
    // Legato voices hold into the next note; a small gap keeps repeated notes distinct.
    double held = std::max(0.02, end - start - 0.02);
    NotePlay play{start, held, 0.0, velocity, voice.gain, voice.pan};
    target.sendLevel = voice.echo;
    for (int pitch : ev.pitches) {
        play.midi = pitch + voice.transpose;
        if (!playInstrumentNote(voice.instrument, play, target))
            return error = "unknown instrument '" + voice.instrument + "'", false;
    }
    for (const std::string& hit : ev.hits)
        if (!playDrumHit(hit, play, target)) return error = "unknown drum '" + hit + "'", false;
    return true;
}

bool playSections(const Score& score, const Arrangement& arr, const Timing& timing, MixTarget& target,
                  std::string& error) {
    double offset = 0.0;
    for (const std::string& name : arr.order) {
        const Section& section = score.sections.at(name);
        for (const auto& [voiceName, patternName] : section.parts) {
            const VoiceSetup* voice = findVoice(arr, voiceName);
            if (voice->instrument == "off") continue;
            const Pattern& pattern = resolvePattern(score, arr, patternName);
            for (double rep = 0.0; rep + 1e-9 < section.length; rep += pattern.length)
                for (const NoteEvent& ev : pattern.events)
                    if (!playEvent(ev, offset + rep, *voice, timing, target, error)) return false;
        }
        offset += section.length;
    }
    return true;
}

// A recursive effect run twice round the loop, keeping only the second pass: its
// state at the start is then the state the end leaves behind, so the loop is seamless.
template <typename Effect>
void runLooped(StereoBuffer& buffer, Effect& effect) {
    StereoBuffer input = buffer;
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < input.frames(); ++i) {
            double l = input.left[i], r = input.right[i];
            effect(l, r);
            if (pass == 1) {
                buffer.left[i] = static_cast<float>(l);
                buffer.right[i] = static_cast<float>(r);
            }
        }
}

struct DelayLine {
    std::vector<double> data;
    size_t pos = 0;
    explicit DelayLine(size_t n) : data(std::max<size_t>(n, 1), 0.0) {}
    double read() const { return data[pos]; }
    void write(double v) {
        data[pos] = v;
        pos = (pos + 1) % data.size();
    }
};

// Damped feedback comb and all-pass: the parts of a small, soft room.
struct Comb {
    DelayLine line;
    double feedback, damp, store = 0.0;
    double process(double x) {
        double y = line.read();
        store = y * (1.0 - damp) + store * damp;
        line.write(x + store * feedback);
        return y;
    }
};

struct Allpass {
    DelayLine line;
    double process(double x) {
        double b = line.read();
        line.write(x + b * 0.5);
        return b - x;
    }
};

struct Room {
    std::vector<Comb> combs[2];
    std::vector<Allpass> passes[2];
    Room() {
        const int combSizes[4] = {1116, 1188, 1277, 1356};
        const int passSizes[2] = {556, 441};
        for (int c = 0; c < 2; ++c) {
            int stereoSpread = c * 23;  // different lengths left and right decorrelate the sides
            for (int n : combSizes) combs[c].push_back({DelayLine((n + stereoSpread) / 2), 0.78, 0.3});
            for (int n : passSizes) passes[c].push_back({DelayLine((n + stereoSpread) / 2)});
        }
    }
    double channel(int c, double x) {
        double y = 0.0;
        for (Comb& comb : combs[c]) y += comb.process(x);
        for (Allpass& pass : passes[c]) y = pass.process(y);
        return y * 0.25;
    }
    void operator()(double& l, double& r) {
        double in = 0.5 * (l + r);
        l = channel(0, in);
        r = channel(1, in);
    }
};

// Ping-pong echo a dotted eighth behind, each repeat a little darker.
struct Echo {
    DelayLine left, right;
    double feedback = 0.38, lowL = 0.0, lowR = 0.0;
    explicit Echo(size_t delay) : left(delay), right(delay) {}
    void operator()(double& l, double& r) {
        double dl = left.read(), dr = right.read();
        lowL += 0.5 * (dl - lowL);
        lowR += 0.5 * (dr - lowR);
        left.write(r + lowR * feedback);
        right.write(l + lowL * feedback);
        l = dl;
        r = dr;
    }
};

// Removes any DC so the loop point and the mixer see a signal centred on zero.
struct DcBlock {
    double xl = 0, yl = 0, xr = 0, yr = 0;
    void operator()(double& l, double& r) {
        yl = l - xl + 0.9985 * yl;
        xl = l;
        yr = r - xr + 0.9985 * yr;
        xr = r;
        l = yl;
        r = yr;
    }
};

void addWet(StereoBuffer& mix, const StereoBuffer& wet, double level) {
    for (size_t i = 0; i < mix.frames(); ++i) {
        mix.left[i] += static_cast<float>(wet.left[i] * level);
        mix.right[i] += static_cast<float>(wet.right[i] * level);
    }
}

double softLimit(double x) {
    const double knee = 0.6;
    double a = std::fabs(x);
    if (a <= knee) return x;
    double y = knee + (1.0 - knee) * std::tanh((a - knee) / (1.0 - knee));
    return std::copysign(y * 0.98, x);
}

bool checkInstruments(const Arrangement& arr, std::string& error) {
    for (const VoiceSetup& v : arr.voices)
        if (v.instrument != "kit" && v.instrument != "off" && !isInstrument(v.instrument))
            return error = "voice '" + v.voice + "': unknown instrument '" + v.instrument + "'", false;
    return true;
}

}  // namespace

void levelAndLimit(StereoBuffer& mix, double targetRms) {
    double sum = 0.0;
    for (size_t i = 0; i < mix.frames(); ++i) sum += mix.left[i] * mix.left[i] + mix.right[i] * mix.right[i];
    double rms = std::sqrt(sum / std::max<size_t>(1, 2 * mix.frames()));
    double gain = rms > 1e-9 ? targetRms / rms : 1.0;
    for (size_t i = 0; i < mix.frames(); ++i) {
        mix.left[i] = static_cast<float>(softLimit(mix.left[i] * gain));
        mix.right[i] = static_cast<float>(softLimit(mix.right[i] * gain));
    }
}

bool renderArrangement(const Score& score, const Arrangement& arr, StereoBuffer& out, std::string& error) {
    Timing timing{60.0 / arr.tempo, arr.swing, score.meter};
    size_t frames = static_cast<size_t>(std::lround(arrangementBeats(score, arr) * timing.secondsPerBeat * sampleRate));
    StereoBuffer dry(frames), send(frames);
    MixTarget target{dry, send, 0.0};
    if (!checkInstruments(arr, error) || !playSections(score, arr, timing, target, error)) return false;

    StereoBuffer echo = send;
    Echo echoEffect(static_cast<size_t>(0.75 * timing.secondsPerBeat * sampleRate));
    runLooped(echo, echoEffect);
    Room room;
    runLooped(send, room);
    addWet(dry, echo, 0.35);
    addWet(dry, send, 0.8);
    DcBlock dc;
    runLooped(dry, dc);
    levelAndLimit(dry, 0.11);
    out = dry;
    return true;
}
