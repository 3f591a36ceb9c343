#include "score.h"

#include <cctype>
#include <cmath>
#include <sstream>

namespace {

struct Line {
    int number;
    std::vector<std::string> words;
};

// A comment is a '#' that begins a word, so the sharp in "F#4" is not one.
std::string stripComment(const std::string& raw) {
    for (size_t i = 0; i < raw.size(); ++i)
        if (raw[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(raw[i - 1])))) return raw.substr(0, i);
    return raw;
}

std::vector<Line> splitLines(const std::string& text) {
    std::vector<Line> lines;
    std::istringstream in(text);
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        std::istringstream words(stripComment(raw));
        Line line{number, {}};
        for (std::string w; words >> w;) line.words.push_back(w);
        if (!line.words.empty()) lines.push_back(line);
    }
    return lines;
}

bool fail(std::string& error, int line, const std::string& message) {
    error = "line " + std::to_string(line) + ": " + message;
    return false;
}

bool readNumber(const std::string& s, double& value) {
    std::istringstream in(s);
    return (in >> value) && in.eof() && std::isfinite(value);
}

// A line of a keyword and one number, like "tempo 96".
bool singleNumber(const Line& line, double& value) {
    return line.words.size() == 2 && readNumber(line.words[1], value);
}

bool isWholeMultiple(double value, double unit) {
    double n = value / unit;
    return std::fabs(n - std::round(n)) < 1e-6;
}

std::vector<std::string> splitPlus(const std::string& token) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(token);
    while (std::getline(in, part, '+')) parts.push_back(part);
    if (!token.empty() && token.back() == '+') parts.push_back("");
    return parts;
}

bool isHitName(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!std::islower(static_cast<unsigned char>(c))) return false;
    return true;
}

// Builds one pattern from its tokens. A note takes the last duration written;
// a duration after a note sets it, `_` holds the previous note longer, `|` checks the bar.
class PatternReader {
public:
    PatternReader(double barBeats, std::string& error) : barBeats_(barBeats), error_(error) {}

    bool token(const std::string& t, int line) {
        if (t == "|") return flush() && checkBar(line);
        if (auto d = parseDuration(t)) return setDuration(*d, line);
        if (t == "_") return startTie(line);
        return startEvent(t, line);
    }

    bool finish(Pattern& out, int line) {
        if (!flush()) return false;
        if (pattern_.events.empty() && position_ == 0) return fail(error_, line, "empty pattern");
        pattern_.length = position_;
        out = pattern_;
        return true;
    }

private:
    bool flush() {
        if (!hasPending_) return true;
        if (pendingTie_) {
            pattern_.events.back().length += pending_.length;
        } else if (!pending_.pitches.empty() || !pending_.hits.empty()) {
            pattern_.events.push_back(pending_);
        }
        position_ += pending_.length;
        hasPending_ = false;
        return true;
    }

    bool checkBar(int line) {
        if (!isWholeMultiple(position_, barBeats_))
            return fail(error_, line,
                        "bar line after " + std::to_string(position_) + " beats, not a whole number of bars");
        return true;
    }

    bool setDuration(double d, int line) {
        if (!hasPending_ || pendingHasDuration_) return fail(error_, line, "duration without a note before it");
        pending_.length = d;
        pendingHasDuration_ = true;
        current_ = d;
        return true;
    }

    bool startTie(int line) {
        bool tieable = hasPending_
                           ? !pending_.pitches.empty()
                           : !pattern_.events.empty() && std::fabs(pattern_.events.back().start +
                                                                   pattern_.events.back().length - position_) < 1e-9;
        if (!tieable) return fail(error_, line, "'_' must follow a note");
        flush();
        begin();
        pendingTie_ = true;
        return true;
    }

    bool startEvent(const std::string& t, int line) {
        NoteEvent event;
        for (const std::string& part : splitPlus(t)) {
            if (part == "r" && t == "r") continue;
            if (auto p = parsePitch(part)) {
                event.pitches.push_back(*p);
            } else if (isHitName(part) && part != "r") {
                event.hits.push_back(part);
            } else {
                return fail(error_, line, "cannot read '" + t + "' as a note, chord, drum or duration");
            }
        }
        flush();
        begin();
        pending_.pitches = event.pitches;
        pending_.hits = event.hits;
        return true;
    }

    void begin() {
        pending_ = NoteEvent{};
        pending_.start = position_;
        pending_.length = current_;
        hasPending_ = true;
        pendingHasDuration_ = false;
        pendingTie_ = false;
    }

    double barBeats_;
    std::string& error_;
    Pattern pattern_;
    NoteEvent pending_;
    bool hasPending_ = false;
    bool pendingHasDuration_ = false;
    bool pendingTie_ = false;
    double current_ = 1.0;
    double position_ = 0.0;
};

class ScoreReader {
public:
    ScoreReader(Score& score, std::string& error) : score_(score), error_(error) {}

    bool read(const std::vector<Line>& lines) {
        for (size_t i = 0; i < lines.size(); ++i) {
            const Line& line = lines[i];
            const std::string& head = line.words[0];
            bool block = head == "pattern" || head == "section" || head == "arrangement";
            size_t end = block ? findEnd(lines, i) : i;
            if (block && end == lines.size()) return fail(error_, line.number, "'" + head + "' without 'end'");
            bool ok = head == "tempo"         ? readTempo(line)
                      : head == "meter"       ? readMeter(line)
                      : head == "pattern"     ? readPattern(lines, i, end)
                      : head == "section"     ? readSection(lines, i, end)
                      : head == "arrangement" ? readArrangement(lines, i, end)
                                              : fail(error_, line.number, "unknown word '" + head + "'");
            if (!ok) return false;
            if (block) i = end;
        }
        return true;
    }

private:
    static size_t findEnd(const std::vector<Line>& lines, size_t from) {
        for (size_t j = from + 1; j < lines.size(); ++j)
            if (lines[j].words[0] == "end") return j;
        return lines.size();
    }

    bool named(const Line& line, std::string& name) {
        if (line.words.size() != 2) return fail(error_, line.number, "'" + line.words[0] + "' needs one name");
        name = line.words[1];
        return true;
    }

    bool readTempo(const Line& line) {
        double v = 0;
        if (!singleNumber(line, v) || v < 20 || v > 300) return fail(error_, line.number, "tempo must be 20 to 300");
        score_.tempo = v;
        return true;
    }

    bool readMeter(const Line& line) {
        double v = 0;
        if (!singleNumber(line, v) || v < 1 || v > 16 || v != std::floor(v))
            return fail(error_, line.number, "meter must be a whole number of beats, 1 to 16");
        score_.meter = static_cast<int>(v);
        return true;
    }

    bool readPattern(const std::vector<Line>& lines, size_t begin, size_t end) {
        std::string name;
        if (!named(lines[begin], name)) return false;
        if (score_.patterns.count(name)) return fail(error_, lines[begin].number, "pattern '" + name + "' twice");
        PatternReader reader(score_.meter, error_);
        for (size_t j = begin + 1; j < end; ++j)
            for (const std::string& w : lines[j].words)
                if (!reader.token(w, lines[j].number)) return false;
        return reader.finish(score_.patterns[name], lines[begin].number);
    }

    bool readSection(const std::vector<Line>& lines, size_t begin, size_t end) {
        std::string name;
        if (!named(lines[begin], name)) return false;
        if (score_.sections.count(name)) return fail(error_, lines[begin].number, "section '" + name + "' twice");
        Section section;
        for (size_t j = begin + 1; j < end; ++j) {
            const Line& line = lines[j];
            if (line.words.size() != 2) return fail(error_, line.number, "a section line is: voice pattern");
            auto found = score_.patterns.find(line.words[1]);
            if (found == score_.patterns.end())
                return fail(error_, line.number, "unknown pattern '" + line.words[1] + "'");
            section.parts.emplace_back(line.words[0], line.words[1]);
            section.length = std::max(section.length, found->second.length);
        }
        if (section.parts.empty()) return fail(error_, lines[begin].number, "empty section");
        for (const auto& [voice, pattern] : section.parts)
            if (!isWholeMultiple(section.length, score_.patterns[pattern].length))
                return fail(error_, lines[begin].number,
                            "pattern '" + pattern + "' does not divide the length of section '" + name + "'");
        score_.sections[name] = section;
        return true;
    }

    bool readVoice(const Line& line, Arrangement& arr) {
        if (line.words.size() < 3)
            return fail(error_, line.number, "a voice line is: voice name instrument [key=value ...]");
        VoiceSetup v{line.words[1], line.words[2]};
        for (size_t k = 3; k < line.words.size(); ++k) {
            const std::string& w = line.words[k];
            size_t eq = w.find('=');
            double value = 0;
            if (eq == std::string::npos || !readNumber(w.substr(eq + 1), value))
                return fail(error_, line.number, "expected key=number, got '" + w + "'");
            std::string key = w.substr(0, eq);
            if (key == "gain")
                v.gain = value;
            else if (key == "pan")
                v.pan = value;
            else if (key == "echo")
                v.echo = value;
            else if (key == "transpose")
                v.transpose = static_cast<int>(std::lround(value));
            else
                return fail(error_, line.number, "unknown voice setting '" + key + "'");
        }
        if (v.gain < 0 || v.gain > 4 || v.pan < -1 || v.pan > 1 || v.echo < 0 || v.echo > 1)
            return fail(error_, line.number, "gain 0..4, pan -1..1, echo 0..1");
        arr.voices.push_back(v);
        return true;
    }

    bool readSwap(const Line& line, Arrangement& arr) {
        if (line.words.size() != 3) return fail(error_, line.number, "a swap line is: swap pattern replacement");
        auto a = score_.patterns.find(line.words[1]);
        auto b = score_.patterns.find(line.words[2]);
        if (a == score_.patterns.end() || b == score_.patterns.end())
            return fail(error_, line.number, "swap names an unknown pattern");
        if (std::fabs(a->second.length - b->second.length) > 1e-9)
            return fail(
                error_, line.number,
                "'" + line.words[1] + "' and '" + line.words[2] + "' differ in length, so they cannot be swapped");
        arr.swaps[line.words[1]] = line.words[2];
        return true;
    }

    bool readArrangementLine(const Line& line, Arrangement& arr) {
        const std::string& head = line.words[0];
        if (head == "voice") return readVoice(line, arr);
        if (head == "swap") return readSwap(line, arr);
        if (head == "order") {
            for (size_t k = 1; k < line.words.size(); ++k) {
                if (!score_.sections.count(line.words[k]))
                    return fail(error_, line.number, "unknown section '" + line.words[k] + "'");
                arr.order.push_back(line.words[k]);
            }
            return true;
        }
        double v = 0;
        bool number = singleNumber(line, v);
        if (head == "tempo" && number && v >= 20 && v <= 300) return arr.tempo = v, true;
        if (head == "swing" && number && v >= 0.5 && v < 0.8) return arr.swing = v, true;
        return fail(error_, line.number, "cannot read arrangement line '" + head + "'");
    }

    bool readArrangement(const std::vector<Line>& lines, size_t begin, size_t end) {
        std::string name;
        if (!named(lines[begin], name)) return false;
        Arrangement arr;
        arr.tempo = score_.tempo;
        for (size_t j = begin + 1; j < end; ++j)
            if (!readArrangementLine(lines[j], arr)) return false;
        if (arr.order.empty()) return fail(error_, lines[begin].number, "arrangement '" + name + "' has no order");
        // A track loops, so a part bar at its end would shift every beat of the next time round.
        if (!isWholeMultiple(arrangementBeats(score_, arr), score_.meter))
            return fail(error_, lines[begin].number, "arrangement '" + name + "' is not a whole number of bars");
        for (const std::string& s : arr.order)
            for (const auto& part : score_.sections[s].parts)
                if (!hasVoice(arr, part.first))
                    return fail(error_, lines[begin].number,
                                "voice '" + part.first + "' has no instrument in arrangement '" + name + "'");
        score_.arrangements[name] = arr;
        return true;
    }

    static bool hasVoice(const Arrangement& arr, const std::string& voice) {
        for (const VoiceSetup& v : arr.voices)
            if (v.voice == voice) return true;
        return false;
    }

    Score& score_;
    std::string& error_;
};

}  // namespace

std::optional<int> parsePitch(const std::string& token) {
    static const int noteSteps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (token.size() < 2 || token[0] < 'A' || token[0] > 'G') return std::nullopt;
    int semitone = noteSteps[token[0] - 'A'];
    size_t i = 1;
    if (token[i] == '#')
        semitone += 1, ++i;
    else if (token[i] == 'b')
        semitone -= 1, ++i;
    if (i + 1 != token.size() || !std::isdigit(static_cast<unsigned char>(token[i]))) return std::nullopt;
    return 12 * (token[i] - '0' + 1) + semitone;
}

std::optional<double> parseDuration(const std::string& token) {
    static const std::map<char, double> noteBeats = {{'w', 4}, {'h', 2}, {'q', 1}, {'e', 0.5}, {'s', 0.25}};
    if (token.empty() || token.size() > 2) return std::nullopt;
    auto base = noteBeats.find(token[0]);
    if (base == noteBeats.end()) return std::nullopt;
    if (token.size() == 1) return base->second;
    if (token[1] == '.') return base->second * 1.5;
    if (token[1] == '3') return base->second * 2.0 / 3.0;
    return std::nullopt;
}

bool parseScore(const std::string& text, Score& score, std::string& error) {
    score = Score{};
    ScoreReader reader(score, error);
    return reader.read(splitLines(text));
}

const Pattern& resolvePattern(const Score& score, const Arrangement& arrangement, const std::string& name) {
    auto swap = arrangement.swaps.find(name);
    return score.patterns.at(swap == arrangement.swaps.end() ? name : swap->second);
}

double arrangementBeats(const Score& score, const Arrangement& arrangement) {
    double beats = 0;
    for (const std::string& s : arrangement.order) beats += score.sections.at(s).length;
    return beats;
}
