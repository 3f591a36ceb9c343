#include "ui/level_select.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/resources.h"
#include "level/level_sequence.h"
#include "ui/dialogs.h"
#include "ui/unlockables.h"
#include "ui/widgets.h"

#include <algorithm>
#include <string>

namespace {

constexpr int columns = 7;
constexpr SDL_Rect unlockablesButton = {256, 424, 128, 32};
enum LabelColour { BlackLabel, WhiteLabel };

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

void confirmGameWon(AppState& app) {
    app.save.gameWon = true;
    app.screen = LevelSelect;
}

}  // namespace

void levelSelectKey(AppState& app, const SDL_keysym& key) {
    if (key.sym == SDLK_RETURN)
        startLevel(app, app.ui.selectedIndex + 1);
    else if (key.sym == SDLK_ESCAPE)
        app.screen = MainMenu;
    else
        moveSelection(app, key.sym);
}

void pressLevelSelect(AppState& app, Uint8 button) {
    if (button == SDL_BUTTON_LEFT && pointInRect(unlockablesButton, app.mouseX, app.mouseY)) enterUnlockables(app);
}

void drawLevelSelect(AppState& app) {
    // Right after the last level it stands at 36; from the first look at this screen on it reads 35.
    app.save.highestLevel = std::min(app.save.highestLevel, levelCount);
    drawImage(98, 24, image(Img::level_select));
    for (int index = 0; index < levelCount; ++index) drawLevelCell(app, index);
    drawImage(unlockablesButton.x, unlockablesButton.y, image(Img::menu_button));
    drawImage(270, 430, resources.texts[Txt::unlockablesLabel]);
}

void answerGameWon(AppState& app, Uint8 button) { pressDialogButtons(app, button, confirmGameWon); }

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
