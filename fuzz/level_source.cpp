// The level source reader of the level tools: errors name the file and a line, and
// a source read without errors is written and read back unchanged.
#include "fuzz_support.h"

#include "level_source.h"

#include <cstdlib>

namespace {

constexpr size_t sourceReadLimit = 1 << 16;  // as readLevelSource reads

// "fuzz.txt:12: message"
bool namesFileAndLine(const std::string& message) {
    const std::string prefix = "fuzz.txt:";
    if (message.compare(0, prefix.size(), prefix) != 0) return false;
    char* end = nullptr;
    long line = std::strtol(message.c_str() + prefix.size(), &end, 10);
    return line >= 1 && end[0] == ':' && end[1] == ' ' && end[2] != '\0';
}

bool sameLevel(const LevelSource& a, const LevelSource& b) {
    return a.grid == b.grid && a.teaches == b.teaches && a.solution == b.solution && a.enemies == b.enemies;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LevelSource level;
    std::vector<SourceError> errors =
        parseLevelSource(inputBytes(data, size).substr(0, sourceReadLimit), "fuzz.txt", level);
    for (const SourceError& error : errors) FUZZ_CHECK(namesFileAndLine(error.message));
    if (!errors.empty()) return 0;

    std::string text = levelSourceText(level);
    LevelSource again;
    FUZZ_CHECK(parseLevelSource(text, "fuzz.txt", again).empty());
    FUZZ_CHECK(sameLevel(again, level));
    FUZZ_CHECK(levelSourceText(again) == text);
    return 0;
}
