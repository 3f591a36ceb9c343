#include "level/level_sequence.h"

#include "app/app_state.h"
#include "app/platform.h"
#include "level/map_file.h"
#include "level/saved_game.h"
#include "ui/dialogs.h"

#include <algorithm>
#include <string>

namespace {

void clearLevelPeaches(SavedGame& save) {
    // Entry 35 belongs to no level, so a new game leaves it as it was.
    std::fill(save.peachTaken.begin(), save.peachTaken.begin() + levelCount, false);
}

void recordPeach(SavedGame& save, const PlayState& level) {
    if (!level[Peach].empty()) return;
    if (save.currentLevel < 1 || save.currentLevel > levelCount) return;  // no such level, no peach to record
    bool& taken = save.peachTaken[save.currentLevel - 1];
    if (!taken) ++save.peachCount;
    taken = true;
}

void openNextLevel(SavedGame& save) {
    if (save.currentLevel == save.highestLevel) save.highestLevel = save.currentLevel + 1;
}

}  // namespace

std::string savePath(const AppState& app) { return platform::joinPath(app.workingDir, saveFileName); }

bool saveProgress(const AppState& app) { return saveGame(app.save, savePath(app)); }

void startNewGame(AppState& app, bool switchUnlockablesOff) {
    SavedGame& save = app.save;
    app.ui.selectedIndex = 0;
    save.currentLevel = 1;
    save.highestLevel = 1;
    save.peachCount = 0;
    clearLevelPeaches(save);
    if (switchUnlockablesOff) save.enabled.fill(false);
    saveProgress(app);
    app.screen = LevelSelect;
}

void startLevel(AppState& app, int level) {
    app.save.currentLevel = level;
    loadBuiltInLevel(app, level);
    app.screen = PlayLevel;
}

void finishLevel(AppState& app) {
    SavedGame& save = app.save;
    recordPeach(save, app.play);
    openNextLevel(save);
    bool gameWonNow = save.currentLevel == levelCount && !save.gameWon;
    if (gameWonNow) openDialog(app, GameWonDialog);
    save.currentLevel += 1;
    if (save.currentLevel <= levelCount) {
        app.play.pieces.clear();
        loadBuiltInLevel(app, save.currentLevel);
    } else {
        // Off the play screens the rules stand still: nothing of the attempt may wait there.
        leavePlay(app.play);
        if (!gameWonNow) app.screen = LevelSelect;
    }
    saveProgress(app);
}

void leaveLevel(AppState& app) {
    leavePlay(app.play);
    app.particles.particles.clear();
    app.ui.selectedIndex = app.save.currentLevel - 1;
    app.screen = LevelSelect;
}
