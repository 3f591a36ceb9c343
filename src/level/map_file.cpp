#include "level/map_file.h"

#include "app/app_state.h"
#include "app/platform.h"
#include "app/resources.h"

bool writeMap(const std::string& path, const LevelGrid& grid) {
    return platform::writeFileAtomically(path, mapText(grid));
}

bool readMapIntoGrid(const std::string& path, LevelGrid& grid) {
    std::string text;
    bool opened = platform::readFile(path, text, mapReadLimit);
    parsePlainMap(text, grid);
    return opened;
}

bool readScrambledMap(const std::string& path, LevelGrid& grid) {
    std::string bytes;
    bool opened = platform::readFile(path, bytes, mapReadLimit);
    parseMapTokens(scrambleText(bytes, levelKey), grid);
    return opened;
}

std::string builtInLevelPath(int level) {
    return std::string(resourceFolder) + "/maps/level" + std::to_string(level) + ".map";
}

void loadGrid(AppState& app, const LevelGrid& grid) { loadPlay(app.play, grid, playRules(app.save, true)); }

void loadBuiltInLevel(AppState& app, int level) {
    LevelGrid grid{};
    readScrambledMap(builtInLevelPath(level), grid);
    loadPlay(app.play, grid, playRules(app.save, false));
}

void loadTestMap(AppState& app) {
    LevelGrid grid{};
    readMapIntoGrid(platform::joinPath(app.workingDir, testMapName), grid);
    loadGrid(app, grid);
}
