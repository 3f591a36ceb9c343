// Reads the text note format of data/music (described in data/music/README.md):
// patterns of notes, sections that play patterns together, and arrangements that
// give each voice an instrument, a tempo, a groove and an order of sections.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// One step of a pattern: notes and/or drum hits sounding together. Positions in beats.
struct NoteEvent {
    double start = 0;
    double length = 0;
    std::vector<int> pitches;       // MIDI note numbers
    std::vector<std::string> hits;  // drum names
};

struct Pattern {
    std::vector<NoteEvent> events;
    double length = 0;
};

struct Section {
    std::vector<std::pair<std::string, std::string>> parts;  // voice, pattern
    double length = 0;                                       // the longest part; shorter parts repeat to fill it
};

struct VoiceSetup {
    std::string voice;
    std::string instrument;
    double gain = 1.0;
    double pan = 0.0;
    double echo = 0.0;  // share sent to the echo and room
    int transpose = 0;  // semitones
};

struct Arrangement {
    double tempo = 0;    // quarter notes per minute
    double swing = 0.5;  // where the off-beat eighth falls within the beat
    std::vector<VoiceSetup> voices;
    std::map<std::string, std::string> swaps;  // pattern -> pattern played instead
    std::vector<std::string> order;            // section names
};

struct Score {
    double tempo = 100;
    int meter = 4;  // beats per bar
    std::map<std::string, Pattern> patterns;
    std::map<std::string, Section> sections;
    std::map<std::string, Arrangement> arrangements;
};

// False with a message naming the line on malformed or inconsistent input.
bool parseScore(const std::string& text, Score& score, std::string& error);

// "C4" is 60, "F#3" 54, "Bb2" 46.
std::optional<int> parsePitch(const std::string& token);
// "q" 1 beat, "h." 3, "e3" an eighth-note triplet (1/3).
std::optional<double> parseDuration(const std::string& token);

// The pattern a voice plays in an arrangement, after its swaps.
const Pattern& resolvePattern(const Score& score, const Arrangement& arrangement, const std::string& name);

double arrangementBeats(const Score& score, const Arrangement& arrangement);
