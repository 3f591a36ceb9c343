// Synthesises the game's sound effects and music.
// Usage: audiogen <note-file folder> <sounds folder> <music folder>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "audio_files.h"
#include "effects.h"
#include "music.h"
#include "score.h"

namespace {

// Each tune file holds the melody once and two arrangements of it.
struct TrackRow {
    const char* scoreFile;
    const char* arrangement;
    const char* output;
};

const TrackRow trackTable[] = {
    {"tune1.txt", "plain", "music1.mus"},         {"tune2.txt", "plain", "music2.mus"},
    {"tune3.txt", "plain", "music3.mus"},         {"tune1.txt", "edited", "music1_edited.mus"},
    {"tune2.txt", "edited", "music2_edited.mus"}, {"tune3.txt", "edited", "music3_edited.mus"},
};

constexpr double oggQuality = 0.35;  // libsndfile's 0..1 scale: small files, no audible artefacts

bool readFile(const std::string& path, std::string& text) {
    std::ifstream in(path);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return static_cast<bool>(in);
}

bool writeEffects(const std::string& folder) {
    for (const EffectSound& sound : renderAllEffects()) {
        std::string error;
        if (!writeWav(folder + "/" + sound.file, sound.samples, 1, error)) {
            std::fprintf(stderr, "audiogen: %s\n", error.c_str());
            return false;
        }
    }
    return true;
}

bool writeTrack(const TrackRow& row, const std::string& dataFolder, const std::string& musicFolder) {
    std::string scorePath = dataFolder + "/" + row.scoreFile;
    std::string text, error;
    Score score;
    StereoBuffer mix;
    bool ok = readFile(scorePath, text) || (error = "cannot read", false);
    ok = ok && parseScore(text, score, error);
    ok = ok && (score.arrangements.count(row.arrangement) ||
                (error = std::string("no arrangement '") + row.arrangement + "'", false));
    ok = ok && renderArrangement(score, score.arrangements[row.arrangement], mix, error);
    if (!ok) {
        std::fprintf(stderr, "audiogen: %s: %s\n", scorePath.c_str(), error.c_str());
        return false;
    }
    if (!writeOgg(musicFolder + "/" + row.output, mix.interleaved(), 2, oggQuality, error)) {
        std::fprintf(stderr, "audiogen: %s\n", error.c_str());
        return false;
    }
    return true;
}

// Tracks are independent, so two workers halve the build time on a two-core machine.
bool writeAllTracks(const std::string& dataFolder, const std::string& musicFolder) {
    std::atomic<size_t> next{0};
    std::atomic<bool> ok{true};
    auto worker = [&] {
        for (size_t i; (i = next++) < std::size(trackTable);)
            if (!writeTrack(trackTable[i], dataFolder, musicFolder)) ok = false;
    };
    std::vector<std::thread> workers;
    for (int w = 0; w < 2; ++w) workers.emplace_back(worker);
    for (std::thread& t : workers) t.join();
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: audiogen <note-file folder> <sounds folder> <music folder>\n");
        return 2;
    }
    bool ok = writeEffects(argv[2]) && writeAllTracks(argv[1], argv[3]);
    return ok ? 0 : 1;
}
