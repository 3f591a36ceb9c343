// Packs the level sources into the scrambled built-in map files the game reads:
//   quarrow-pack-levels OUTPUT_FOLDER level01.txt level02.txt ...
// Level N is the number in the source's name. Any malformed source fails the
// whole run with "file:line: message", so the build stops there.
#include "level_source.h"

#include "app/platform.h"
#include "core/map_text.h"

#include <cstdio>
#include <string>

namespace {

bool packOne(const std::string& source, const std::string& folder) {
    LevelSource level;
    std::vector<SourceError> errors;
    if (!readLevelSource(source, level, errors)) {
        for (const SourceError& error : errors) std::fprintf(stderr, "%s\n", error.message.c_str());
        return false;
    }
    int number = levelNumberOf(source);
    if (number < 1) {
        std::fprintf(stderr, "%s:1: the file name carries no level number\n", source.c_str());
        return false;
    }
    std::string path = platform::joinPath(folder, "level" + std::to_string(number) + ".map");
    if (platform::writeFileAtomically(path, scrambleText(mapText(level.grid), levelKey))) return true;
    std::fprintf(stderr, "%s:1: cannot write %s\n", source.c_str(), path.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER SOURCE...\n", argv[0]);
        return 2;
    }
    bool allPacked = true;
    for (int i = 2; i < argc; ++i) allPacked = packOne(argv[i], argv[1]) && allPacked;
    return allPacked ? 0 : 1;
}
