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
        case SDLK_LEFT:
            if (index > 0) index -= 1;
            break;
        case SDLK_RIGHT:
            if (index <= 33 && index + 1 < highest) index += 1;
            break;
        case SDLK_UP:
            if (index > 6) index -= columns;
            break;
        case SDLK_DOWN:
            if (index <= 27 && index + columns < highest) index += columns;
            break;
        default: break;
    }
}

bool isOpen(const AppState& app, int index) { return index < app.save.highestLevel; }

SDL_Rect cellRect(int index) {
    int column = index % columns, row = index / columns;
    return {static_cast<Sint16>(48 + 80 * column), static_cast<Sint16>(98 + 64 * row), 72, 56};
}

void drawLevelCell(AppState& app, int index) {
    SDL_Rect cell = cellRect(index);
    bool enabled = isOpen(app, index);
    drawImage(cell.x, cell.y, image(enabled ? Img::lvlsel_enabled : Img::lvlsel_disabled));
    bool selected = enabled && index == app.ui.selectedIndex;
    int labelX = cell.x + (index + 1 < 10 ? 24 : 16);
    drawImage(labelX, cell.y + 8, app.ui.levelLabels[index][selected ? WhiteLabel : BlackLabel]);
    if (enabled && app.save.peachTaken[index]) drawImage(cell.x + 50, cell.y + 35, image(Img::peach_icon));
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
    else if (key.sym == SDLK_u)
        enterUnlockables(app);
    else
        moveSelection(app, key.sym);
}

void pressLevelSelect(AppState& app, Uint8 button) {
    if (button == SDL_BUTTON_LEFT && pointInRect(unlockablesButton, app.mouseX, app.mouseY)) enterUnlockables(app);
}

void releaseLevelSquare(AppState& app, Uint8 button) {
    if (button != SDL_BUTTON_LEFT) return;
    for (int index = 0; index < levelCount; ++index)
        if (isOpen(app, index) && clickedOn(app, LevelSelect, cellRect(index))) startLevel(app, index + 1);
}

void pointAtLevelSquare(AppState& app) {
    for (int index = 0; index < levelCount; ++index)
        if (isOpen(app, index) && pointInRect(cellRect(index), app.mouseX, app.mouseY)) app.ui.selectedIndex = index;
}

void drawLevelSelect(AppState& app) {
    // Right after the last level it stands at 36; from the first look at this screen on it reads 35.
    app.save.highestLevel = std::min(app.save.highestLevel, levelCount);
    drawImage(98, 24, image(Img::level_select));
    for (int index = 0; index < levelCount; ++index) drawLevelCell(app, index);
    drawImage(unlockablesButton.x, unlockablesButton.y, image(Img::menu_button));
    drawImage(270, 430, resources.texts[Txt::unlockablesLabel]);
}

const DialogAnswers gameWonAnswers = {confirmGameWon, nullptr};

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
