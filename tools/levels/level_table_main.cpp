// Measures every built-in level and writes the level table into the README of
// the level sources:   quarrow-level-table LEVELS_FOLDER
// Two workers share the levels; the table comes out the same whatever the order.
#include "level_table.h"

#include "app/platform.h"

#include <atomic>
#include <cstdio>
#include <thread>

namespace {

bool readAll(const std::vector<std::string>& paths, std::vector<MeasuredLevel>& levels) {
    bool ok = true;
    for (const std::string& path : paths) {
        MeasuredLevel level;
        level.number = levelNumberOf(path);
        std::vector<SourceError> errors;
        if (!readLevelSource(path, level.source, errors)) {
            for (const SourceError& error : errors) std::fprintf(stderr, "%s\n", error.message.c_str());
            ok = false;
        }
        levels.push_back(level);
    }
    return ok;
}

void measureAll(std::vector<MeasuredLevel>& levels) {
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i; (i = next++) < levels.size();) levels[i].metrics = measureLevel(levels[i].source.grid);
    };
    std::thread helper(worker);
    worker();
    helper.join();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s LEVELS_FOLDER\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    std::vector<MeasuredLevel> levels;
    if (!readAll(levelSourcesIn(folder), levels)) return 1;
    measureAll(levels);
    std::string table = tableHeader();
    for (const MeasuredLevel& level : levels) table += tableRow(level);
    std::string readmePath = folder + "/README.md";
    std::string readme;
    if (!platform::readFile(readmePath, readme, 1 << 20) || !replaceTable(readme, table)) {
        std::fprintf(stderr, "%s: no level table markers to write between\n", readmePath.c_str());
        return 1;
    }
    if (!platform::writeFileAtomically(readmePath, readme)) {
        std::fprintf(stderr, "%s: cannot be written\n", readmePath.c_str());
        return 1;
    }
    for (const MeasuredLevel& level : levels)
        for (const std::string& warning : level.metrics.warnings)
            std::fprintf(stderr, "level %d: warning: %s\n", level.number, warning.c_str());
    return 0;
}
