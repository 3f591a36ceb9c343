// The synthesised sound effects and music, as the game's mixer and libsndfile see them,
// and the reader of the note files they are made from.
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The note reader is compiled in whole: it has no dependencies beyond the standard library.
// So is the loudness meter the effects are levelled with.
#include "../tools/audiogen/dsp.cpp"
#include "../tools/audiogen/score.cpp"

namespace {

const char* const effectNames[] = {"goal", "collision", "hole", "bonus", "unlock", "skid", "die"};
const char* const trackNames[] = {"music1", "music2", "music3", "music1_edited", "music2_edited", "music3_edited"};

std::string effectPath(const std::string& name) {
    return std::string(GAME_DIR) + "/resources.res/sounds/" + name + ".snd";
}

std::string trackPath(const std::string& name) {
    return std::string(GAME_DIR) + "/resources.res/music/" + name + ".mus";
}

struct Decoded {
    bool ok = false;
    int rate = 0;
    int channels = 0;
    std::vector<float> samples;  // interleaved
    double seconds() const { return channels ? double(samples.size()) / channels / rate : 0.0; }
};

Decoded decode(const std::string& path) {
    Decoded d;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return d;
    d.rate = info.samplerate;
    d.channels = info.channels;
    d.samples.resize(static_cast<size_t>(info.frames) * info.channels);
    d.ok = sf_readf_float(file, d.samples.data(), info.frames) == info.frames;
    sf_close(file);
    return d;
}

// Largest magnitude over the first or last few milliseconds.
float edgePeak(const Decoded& d, bool atEnd, double ms) {
    size_t n = std::min(d.samples.size(), static_cast<size_t>(ms / 1000.0 * d.rate) * d.channels);
    float peak = 0.0f;
    for (size_t i = 0; i < n; ++i) {
        size_t at = atEnd ? d.samples.size() - 1 - i : i;
        peak = std::max(peak, std::fabs(d.samples[at]));
    }
    return peak;
}

double toDb(double level) { return 20.0 * std::log10(std::max(level, 1e-9)); }

float peakOf(const Decoded& d) {
    float peak = 0.0f;
    for (float s : d.samples) peak = std::max(peak, std::fabs(s));
    return peak;
}

class MixerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096), 0) << Mix_GetError();
    }
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        SDL_Quit();
    }
};

TEST_F(MixerTest, EveryEffectLoadsAsASample) {
    for (const char* name : effectNames) {
        Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromFile(effectPath(name).c_str(), "rb"), 1);
        EXPECT_NE(chunk, nullptr) << name << ": " << Mix_GetError();
        if (chunk) Mix_FreeChunk(chunk);
    }
}

TEST_F(MixerTest, EveryTrackLoadsAsMusic) {
    for (const char* name : trackNames) {
        Mix_Music* music = Mix_LoadMUS(trackPath(name).c_str());
        EXPECT_NE(music, nullptr) << name << ": " << Mix_GetError();
        if (music) Mix_FreeMusic(music);
    }
}

TEST(AudioEffects, AreShortAndStartAndEndSilently) {
    for (const char* name : effectNames) {
        Decoded d = decode(effectPath(name));
        ASSERT_TRUE(d.ok) << name;
        EXPECT_GT(d.seconds(), 0.05) << name;
        EXPECT_LT(d.seconds(), 1.5) << name << " holds up play";
        // A sound that starts or stops away from zero clicks, however short it is.
        EXPECT_LT(edgePeak(d, false, 0.1), 0.02f) << name << " clicks at its start";
        EXPECT_LT(edgePeak(d, true, 0.1), 0.02f) << name << " clicks at its end";
        EXPECT_GT(peakOf(d), 0.3f) << name << " is too quiet over the music";
        EXPECT_LT(peakOf(d), 0.99f) << name << " clips";
    }
}

std::string paramName(const ::testing::TestParamInfo<const char*>& info) { return info.param; }

class EffectFile : public ::testing::TestWithParam<const char*> {};

TEST_P(EffectFile, RisesFromSilenceAndDiesAwayBeforeItStops) {
    Decoded d = decode(effectPath(GetParam()));
    ASSERT_TRUE(d.ok);
    // The mixer starts and drops a sample at full level: a sound must climb from zero
    // and be gone a little before its last sample, or the edge is heard as a click.
    EXPECT_LT(toDb(edgePeak(d, false, 1.0)), -20.0) << "first millisecond";
    EXPECT_LT(toDb(edgePeak(d, true, 5.0)), -40.0) << "last five milliseconds";
}

INSTANTIATE_TEST_SUITE_P(AudioEffects, EffectFile, ::testing::ValuesIn(effectNames), paramName);

// By how often the game plays them: a knock or a skid comes many times a minute,
// a pick-up or a fall now and then, the goal, a death or a door once an attempt.
const char* const frequentEffects[] = {"collision", "skid"};
const char* const occasionalEffects[] = {"hole", "bonus"};
const char* const rareEffects[] = {"goal", "die", "unlock"};

struct EffectLevel {
    double loudnessDb;
    double peakDb;
};

EffectLevel levelOf(const std::string& name) {
    Decoded d = decode(effectPath(name));
    EXPECT_TRUE(d.ok && d.channels == 1) << name;
    return {shortTermLoudnessDb(d.samples), toDb(peakOf(d))};
}

TEST(AudioEffects, TheMoreOftenAnEffectPlaysTheQuieterItIs) {
    for (const char* frequent : frequentEffects) {
        EffectLevel f = levelOf(frequent);
        for (const char* rare : rareEffects) {
            EffectLevel r = levelOf(rare);
            EXPECT_GE(r.loudnessDb - f.loudnessDb, 4.0) << frequent << " against " << rare;
            EXPECT_GE(r.peakDb - f.peakDb, 2.0) << frequent << " against " << rare;
        }
        for (const char* occasional : occasionalEffects)
            EXPECT_GE(levelOf(occasional).loudnessDb - f.loudnessDb, 1.0) << frequent << " against " << occasional;
    }
    for (const char* occasional : occasionalEffects)
        for (const char* rare : rareEffects)
            EXPECT_GE(levelOf(rare).loudnessDb - levelOf(occasional).loudnessDb, 1.0)
                << occasional << " against " << rare;
}

TEST(AudioEffects, CollisionIsAShortKnock) {
    Decoded d = decode(effectPath("collision"));
    ASSERT_TRUE(d.ok);
    EXPECT_LT(d.seconds(), 0.5);
}

TEST(AudioTracks, LastAMinuteWithoutClipping) {
    for (const char* name : trackNames) {
        Decoded d = decode(trackPath(name));
        ASSERT_TRUE(d.ok) << name;
        EXPECT_GE(d.seconds(), 60.0) << name;
        EXPECT_LT(peakOf(d), 1.0f) << name << " clips";
    }
}

TEST(AudioTracks, EditedVersionsDifferFromThePlainOnes) {
    for (int n = 1; n <= 3; ++n) {
        std::string plain = "music" + std::to_string(n);
        Decoded a = decode(trackPath(plain));
        Decoded b = decode(trackPath(plain + "_edited"));
        ASSERT_TRUE(a.ok && b.ok) << plain;
        EXPECT_GT(std::fabs(a.seconds() - b.seconds()), 2.0) << plain << ": same tempo in both versions";
    }
}

// ---- the note format ----

Score parsed(const std::string& text) {
    Score score;
    std::string error;
    EXPECT_TRUE(parseScore(text, score, error)) << error;
    return score;
}

std::string errorOf(const std::string& text) {
    Score score;
    std::string error;
    EXPECT_FALSE(parseScore(text, score, error)) << "accepted:\n" << text;
    return error;
}

const char* const smallScore =
    "tempo 90   # comment\n"
    "meter 4\n"
    "pattern tune\n"
    "  C4 e D4 E4 F#4 e _ h | A3+C4+E4 h r h\n"
    "end\n"
    "pattern beat\n"
    "  kick+hat q hat\n"
    "end\n"
    "section verse\n"
    "  lead tune\n"
    "  drums beat\n"
    "end\n"
    "arrangement plain\n"
    "  voice lead flute pan=-0.5\n"
    "  voice drums kit\n"
    "  order verse verse\n"
    "end\n";

TEST(NoteFormat, ReadsNotesChordsTiesAndDrums) {
    Score score = parsed(smallScore);
    const Pattern& tune = score.patterns.at("tune");
    ASSERT_EQ(tune.events.size(), 5u);
    EXPECT_EQ(tune.events[1].pitches, std::vector<int>{62});  // a duration carries over
    EXPECT_DOUBLE_EQ(tune.events[1].length, 0.5);
    EXPECT_EQ(tune.events[3].pitches, std::vector<int>{66});  // "#" inside a word is a sharp
    EXPECT_DOUBLE_EQ(tune.events[3].length, 2.5);             // the tie holds it on
    EXPECT_EQ(tune.events[4].pitches, (std::vector<int>{57, 60, 64}));
    EXPECT_DOUBLE_EQ(tune.events[4].start, 4.0);
    EXPECT_DOUBLE_EQ(tune.length, 8.0);  // the closing rest counts
    EXPECT_EQ(score.patterns.at("beat").events[0].hits, (std::vector<std::string>{"kick", "hat"}));
}

TEST(NoteFormat, ShortPatternsRepeatAcrossASection) {
    Score score = parsed(smallScore);
    EXPECT_DOUBLE_EQ(score.sections.at("verse").length, 8.0);
    const Arrangement& plain = score.arrangements.at("plain");
    EXPECT_DOUBLE_EQ(plain.tempo, 90.0);  // inherited from the file
    EXPECT_DOUBLE_EQ(arrangementBeats(score, plain), 16.0);
}

TEST(NoteFormat, ReadsPitchesAndDurations) {
    EXPECT_EQ(parsePitch("C4"), 60);
    EXPECT_EQ(parsePitch("A4"), 69);
    EXPECT_EQ(parsePitch("Bb2"), 46);
    EXPECT_EQ(parsePitch("B#3"), 60);
    EXPECT_FALSE(parsePitch("H4"));
    EXPECT_FALSE(parsePitch("C"));
    EXPECT_FALSE(parsePitch("C44"));
    EXPECT_EQ(parseDuration("h."), 3.0);
    EXPECT_EQ(parseDuration("s"), 0.25);
    EXPECT_DOUBLE_EQ(*parseDuration("e3"), 1.0 / 3.0);
    EXPECT_FALSE(parseDuration("x"));
    EXPECT_FALSE(parseDuration("q.."));
}

TEST(NoteFormat, RejectsMistakesWithTheLineNumber) {
    EXPECT_EQ(errorOf("pattern p\n  C4 q D4 | E4 h\nend\n").rfind("line 2:", 0), 0u) << "a bar of two beats";
    EXPECT_NE(errorOf("pattern p\n  C4 q Q9\nend\n").find("Q9"), std::string::npos);
    EXPECT_NE(errorOf("pattern p\n  q C4\nend\n").find("duration"), std::string::npos);
    EXPECT_NE(errorOf("pattern p\n  C4 q q\nend\n").find("duration"), std::string::npos);
    EXPECT_NE(errorOf("pattern p\n  r q _ q\nend\n").find("'_'"), std::string::npos);
    EXPECT_NE(errorOf("pattern p\n  C4 q\n").find("without 'end'"), std::string::npos);
    EXPECT_NE(errorOf("tempo fast\n").find("tempo"), std::string::npos);
    EXPECT_NE(errorOf("volume 3\n").find("volume"), std::string::npos);
}

TEST(NoteFormat, RejectsSongsThatDoNotFitTogether) {
    const std::string patterns =
        "pattern a\n  C4 w\nend\npattern b\n  C4 h. r q | D4 w\nend\n"
        "pattern c\n  C4 q. D4 h.\nend\n";
    EXPECT_NE(errorOf(patterns + "section s\n  lead x\nend\n").find("'x'"), std::string::npos);
    EXPECT_NE(errorOf(patterns + "section s\n  lead b\n  bass c\nend\n").find("does not divide"), std::string::npos);
    EXPECT_NE(errorOf(patterns + "section s\n  lead a\nend\narrangement p\n  order s\nend\n").find("voice 'lead'"),
              std::string::npos);
    EXPECT_NE(errorOf(patterns + "section s\n  lead a\nend\narrangement p\n  swap a b\nend\n").find("differ in length"),
              std::string::npos);
    EXPECT_NE(errorOf(patterns + "arrangement p\n  voice lead flute pan=2\n  order\nend\n").find("pan"),
              std::string::npos);
    EXPECT_NE(errorOf(patterns + "section s\n  lead c\nend\narrangement p\n  voice lead flute\n  order s\nend\n")
                  .find("whole number of bars"),
              std::string::npos);
}

TEST(NoteFormat, SurvivesEveryTruncationOfAScore) {
    const std::string text = smallScore;
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        Score score;
        std::string error;
        if (!parseScore(text.substr(0, cut), score, error)) {
            EXPECT_FALSE(error.empty()) << cut;
        }
    }
}

std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(NoteFormat, EveryTuneHasAPlainAndAnEditedArrangement) {
    for (int n = 1; n <= 3; ++n) {
        std::string path = std::string(SOURCE_DIR) + "/data/music/tune" + std::to_string(n) + ".txt";
        Score score = parsed(readText(path));
        ASSERT_EQ(score.arrangements.count("plain"), 1u) << path;
        ASSERT_EQ(score.arrangements.count("edited"), 1u) << path;
        const Arrangement& plain = score.arrangements.at("plain");
        const Arrangement& edited = score.arrangements.at("edited");
        // The same music underneath: the edited version re-dresses it, it does not replace it.
        EXPECT_EQ(plain.order, edited.order) << path;
        EXPECT_NE(plain.tempo, edited.tempo) << path;
    }
}

// ---- each track's loop ----

struct TrackSource {
    const char* track;
    const char* tune;
    const char* arrangement;
};

const TrackSource trackSources[] = {
    {"music1", "tune1", "plain"},         {"music2", "tune2", "plain"},         {"music3", "tune3", "plain"},
    {"music1_edited", "tune1", "edited"}, {"music2_edited", "tune2", "edited"}, {"music3_edited", "tune3", "edited"},
};

std::string trackName(const ::testing::TestParamInfo<TrackSource>& info) { return info.param.track; }
void PrintTo(const TrackSource& source, std::ostream* out) { *out << source.track; }

size_t framesOf(const Decoded& d) { return d.channels ? d.samples.size() / d.channels : 0; }

// RMS of `count` frames from `first`, all channels together, in dB of full scale.
double levelDb(const Decoded& d, size_t first, size_t count) {
    double sum = 0.0;
    for (size_t i = first * d.channels; i < (first + count) * d.channels; ++i) sum += d.samples[i] * d.samples[i];
    return 10.0 * std::log10(std::max(sum / (count * d.channels), 1e-18));
}

// How far each channel moves from one frame to the next within the range.
std::vector<double> stepsIn(const Decoded& d, size_t first, size_t count) {
    std::vector<double> steps;
    for (size_t i = (first + 1) * d.channels; i < (first + count) * d.channels; ++i)
        steps.push_back(std::fabs(d.samples[i] - d.samples[i - d.channels]));
    return steps;
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(fraction * (values.size() - 1))];
}

class TrackFile : public ::testing::TestWithParam<TrackSource> {
protected:
    void SetUp() override {
        track = decode(trackPath(GetParam().track));
        ASSERT_TRUE(track.ok && track.channels == 2);
        Score score = parsed(readText(std::string(SOURCE_DIR) + "/data/music/" + GetParam().tune + ".txt"));
        ASSERT_EQ(score.arrangements.count(GetParam().arrangement), 1u);
        const Arrangement& arrangement = score.arrangements.at(GetParam().arrangement);
        bars = arrangementBeats(score, arrangement) / score.meter;
        barFrames = score.meter * 60.0 / arrangement.tempo * track.rate;
        window = static_cast<size_t>(0.02 * track.rate);
    }

    Decoded track;
    double bars = 0.0;
    double barFrames = 0.0;
    size_t window = 0;
};

TEST_P(TrackFile, LastsAWholeNumberOfBars) {
    EXPECT_NEAR(bars, std::round(bars), 1e-9);
    EXPECT_NEAR(static_cast<double>(framesOf(track)), bars * barFrames, 1.0);
}

// The game plays a track twice in a row, so its end must run on into its start the way
// one bar runs into the next: no silence, no jump in level, no step in the waveform.
TEST_P(TrackFile, RunsOnIntoItsStartWithoutAGapOrAClick) {
    const size_t frames = framesOf(track);
    const double first = levelDb(track, 0, window);
    const double last = levelDb(track, frames - window, window);
    EXPECT_GT(first, -40.0);
    EXPECT_GT(last, -40.0);

    // A downbeat's attack makes the 20 ms after a bar line louder than the 20 ms before
    // it; the join may differ by a few dB, or as much as the track's bar lines usually do.
    std::vector<double> contrasts, barEnds;
    for (int bar = 1; bar < std::lround(bars); ++bar) {
        size_t line = static_cast<size_t>(std::lround(bar * barFrames));
        barEnds.push_back(levelDb(track, line - window, window));
        contrasts.push_back(std::fabs(levelDb(track, line, window) - barEnds.back()));
    }
    EXPECT_LE(std::fabs(first - last), std::max(6.0, percentile(contrasts, 0.5)));
    EXPECT_GT(last, percentile(barEnds, 0.5) - 3.0) << "the track thins out or fades before its end";

    // The step from the last frame to the first is one the music takes all the time
    // around it, not one of its rare large ones.
    std::vector<double> steps = stepsIn(track, 0, window);
    std::vector<double> endSteps = stepsIn(track, frames - window, window);
    steps.insert(steps.end(), endSteps.begin(), endSteps.end());

    double joinStep = 0.0;
    for (int c = 0; c < track.channels; ++c) {
        float end = track.samples[(frames - 1) * track.channels + c];
        joinStep = std::max(joinStep, static_cast<double>(std::fabs(track.samples[c] - end)));
    }
    EXPECT_LE(joinStep, percentile(steps, 0.99));
}

INSTANTIATE_TEST_SUITE_P(AudioTracks, TrackFile, ::testing::ValuesIn(trackSources), trackName);

}  // namespace
