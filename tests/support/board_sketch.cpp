#include "support/board_sketch.h"

#include "app/audio.h"
#include "app/random.h"
#include "level/map_file.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

int codeForLetter(char letter) {
    for (const TileKindInfo& info : tileKinds)
        if (info.sourceChar == letter) return info.kind;
    ADD_FAILURE() << "no tile is sketched as '" << letter << "'";
    return Empty;
}

}  // namespace

LevelGrid sketchGrid(const std::vector<std::string>& rows) {
    LevelGrid grid{};
    for (int row = 0; row < std::min<int>(rows.size(), boardRows); ++row)
        for (int column = 0; column < std::min<int>(rows[row].size(), boardColumns); ++column)
            grid[cellIndex(column, row)] = codeForLetter(rows[row][column]);
    return grid;
}

BoardTest::BoardTest() {
    app.workingDir = folder.path();
    seedRandom(1);
    setEffectListener([this](Snd::Key effect) { effects.push_back(effect); });
}

BoardTest::~BoardTest() { setEffectListener(nullptr); }

void BoardTest::play(const std::vector<std::string>& rows) {
    app.screen = TestPlay;
    writeMap(folder.file(testMapName), sketchGrid(rows));
    loadTestMap(app);
}

void BoardTest::playBuiltIn(const std::vector<std::string>& rows) {
    app.screen = PlayLevel;
    app.save.currentLevel = 1;
    mkdir("resources.res", 0755);
    mkdir("resources.res/maps", 0755);
    writeWholeFile(builtInLevelPath(1), scrambleText(mapText(sketchGrid(rows)), levelKey));
    loadBuiltInLevel(app, 1);
}

void BoardTest::step(int frames, float dt) {
    for (int i = 0; i < frames; ++i) {
        setSlideSpeed(app);
        gameplayStep(app, dt);
    }
}

void BoardTest::tap(bool GameplayState::*key) {
    hold(key);
    step();
    release(key);
}

bool BoardTest::stepUntilStill(int maxFrames, float dt) {
    for (int i = 0; i < maxFrames; ++i) {
        step(1, dt);
        if (player().vx == 0 && player().vy == 0) return true;
    }
    return false;
}

int BoardTest::played(Snd::Key effect) const { return static_cast<int>(std::count(effects.begin(), effects.end(), effect)); }
