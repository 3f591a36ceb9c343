#include "level/level_sequence.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/platform.h"
#include "app/resources.h"
#include "level/map_file.h"
#include "level/saved_game.h"
#include "ui/dialogs.h"
#include "ui/unlockables.h"
#include "ui/widgets.h"

#include <algorithm>
#include <string>

namespace {

constexpr int columns = 7;
constexpr SDL_Rect unlockablesButton = {256, 424, 128, 32};
enum LabelColour { BlackLabel, WhiteLabel };

void clearLevelPeaches(SavedGame& save) {
    // Entry 35 belongs to no level, so a new game leaves it as it was.
    std::fill(save.peachTaken.begin(), save.peachTaken.begin() + levelCount, false);
}

void recordPeach(SavedGame& save, const LevelObjects& level) {
    if (!level[Peach].empty()) return;
    if (save.currentLevel < 1 || save.currentLevel > levelCount) return;  // no such level, no peach to record
    bool& taken = save.peachTaken[save.currentLevel - 1];
    if (!taken) ++save.peachCount;
    taken = true;
}

void openNextLevel(SavedGame& save) {
    if (save.currentLevel == save.highestLevel) save.highestLevel = save.currentLevel + 1;
}

void moveSelection(AppState& app, SDLKey key) {
    int& index = app.ui.selectedIndex;
    int highest = app.save.highestLevel;
    switch (key) {
        case SDLK_LEFT: if (index > 0) index -= 1; break;
        case SDLK_RIGHT: if (index <= 33 && index + 1 < highest) index += 1; break;
        case SDLK_UP: if (index > 6) index -= columns; break;
        case SDLK_DOWN: if (index <= 27 && index + columns < highest) index += columns; break;
        default: break;
    }
}

void drawLevelCell(AppState& app, int index) {
    int column = index % columns, row = index / columns;
    bool enabled = index < app.save.highestLevel;
    drawImage(48 + 80 * column, 98 + 64 * row, image(enabled ? Img::lvlsel_enabled : Img::lvlsel_disabled));
    bool selected = enabled && index == app.ui.selectedIndex;
    int labelX = (index + 1 < 10 ? 72 : 64) + 80 * column;
    drawImage(labelX, 106 + 64 * row, app.ui.levelLabels[index][selected ? WhiteLabel : BlackLabel]);
    if (enabled && app.save.peachTaken[index]) drawImage(98 + 80 * column, 133 + 64 * row, image(Img::peach_icon));
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
    recordPeach(save, app.level);
    openNextLevel(save);
    bool gameWonNow = save.currentLevel == levelCount && !save.gameWon;
    if (gameWonNow) openDialog(app, GameWonDialog);
    save.currentLevel += 1;
    clearLevelObjects(app.level);
    if (save.currentLevel <= levelCount)
        loadBuiltInLevel(app, save.currentLevel);
    else if (!gameWonNow)
        app.screen = LevelSelect;
    saveProgress(app);
}

void leaveLevel(AppState& app) {
    clearLevelObjects(app.level);
    app.particles.particles.clear();
    app.level.player.alpha = 255;
    app.play.dying = false;
    app.play.movementEnabled = true;
    app.level.keysHeld = 0;
    app.ui.selectedIndex = app.save.currentLevel - 1;
    app.screen = LevelSelect;
}

void levelSelectKey(AppState& app, SDLKey key) {
    if (key == SDLK_RETURN)
        startLevel(app, app.ui.selectedIndex + 1);
    else if (key == SDLK_ESCAPE)
        app.screen = MainMenu;
    else
        moveSelection(app, key);
}

void pressLevelSelectButtons(AppState& app) {
    if (app.screen == LevelSelect && pointInRect(unlockablesButton, app.mouseX, app.mouseY)) enterUnlockables(app);
}

void drawLevelSelect(AppState& app) {
    // Right after the last level it stands at 36; from the first look at this screen on it reads 35.
    app.save.highestLevel = std::min(app.save.highestLevel, levelCount);
    drawImage(98, 24, image(Img::level_select));
    for (int index = 0; index < levelCount; ++index) drawLevelCell(app, index);
    drawImage(unlockablesButton.x, unlockablesButton.y, image(Img::menu_button));
    drawImage(270, 430, resources.texts[Txt::unlockablesLabel]);
}

void buildLevelLabels(UiState& ui) {
    for (int index = 0; index < levelCount; ++index) {
        std::string number = std::to_string(index + 1);
        ui.levelLabels[index][BlackLabel] = renderText(resources.font28b, number, black);
        ui.levelLabels[index][WhiteLabel] = renderText(resources.font28b, number, white);
    }
}

void releaseLevelLabels(UiState& ui) {
    for (auto& pair : ui.levelLabels)
        for (SDL_Surface*& label : pair) freeSurface(label);
}
