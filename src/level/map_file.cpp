#include "level/map_file.h"

#include "app/app_state.h"
#include "app/platform.h"


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

void buildLevelObjects(AppState& app, const LevelGrid& grid) {
    clearLevelObjects(app.level);
    app.level.keysHeld = 0;
    forEachCellInFileOrder([&](int column, int row) {
        addCellObject(app.level, app.save, grid[cellIndex(column, row)], column, row);
    });
}

void loadBuiltInLevel(AppState& app, int level) {
    LevelGrid grid{};
    readScrambledMap(builtInLevelPath(level), grid);
    buildLevelObjects(app, grid);
    if (isOn(app.save, MirroredLevels)) mirrorLevel(app.level);
}

void loadTestMap(AppState& app) {
    LevelGrid grid{};
    readMapIntoGrid(platform::joinPath(app.workingDir, testMapName), grid);
    buildLevelObjects(app, grid);
}

void mirrorLevel(LevelObjects& level) {
    constexpr float mirrorEdge = (boardColumns - 1) * cellSize;
    level.player.x = mirrorEdge - level.player.x;
    for (auto& list : level.lists)
        for (LevelObject& object : list) object.x = mirrorEdge - object.x;
    std::swap(level[SpeedLeft], level[SpeedRight]);
    std::swap(level[ArrowLeft], level[ArrowRight]);
}
