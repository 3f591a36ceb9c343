#include "ui/unlockables.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/resources.h"
#include "level/level_sequence.h"
#include "ui/widgets.h"

#include <string>

namespace {

constexpr Sint16 boxX = 512, firstBoxY = 128, boxSpacing = 48;
constexpr const char* lockedName = "?????";
// The chosen name is drawn in the buttons' orange: white, as on the other screens,
// would vanish on the light rows.
constexpr SDL_Color chosenColour = {206, 88, 28, 0};

std::string imagePath(const char* file) { return std::string(resourceFolder) + "/images/" + file; }

// The hit box lies one pixel below the drawn box, with its left and top edges included.
bool hitsCheckbox(const SDL_Rect& box, int px, int py) {
    return box.x - 1 < px && px < box.x + 16 && box.y + 4 < py && py < box.y + 21;
}

// An option's line, from its name to its check box.
SDL_Rect optionRect(const Unlockable& record) {
    return {120, record.checkboxRect.y, static_cast<Uint16>(boxX + 24 - 120), 32};
}

void chooseStep(AppState& app, int step) {
    int& chosen = app.ui.chosenUnlockable;
    chosen = (chosen + step + UnlockableIdCount) % UnlockableIdCount;
}

void toggle(AppState& app, int index) {
    bool& enabled = app.save.enabled[index];
    if (enabled)
        enabled = false;
    else if (isUnlocked(app.save, index))
        enabled = true;
}

}  // namespace

int unlockThreshold(int index) { return 5 * (index + 1); }

bool isUnlocked(const SavedGame& save, int index) { return save.peachCount >= unlockThreshold(index); }

// Every record owns its own pair of check-box images, made from one decoding of each file.
void buildUnlockables(UiState& ui) {
    SDL_Surface* checked = decodeImage(imagePath("checked.img"));
    SDL_Surface* unchecked = decodeImage(imagePath("unchecked.img"));
    for (int i = 0; i < UnlockableIdCount; ++i) {
        Unlockable& record = ui.unlockables[i];
        record.checkboxRect = {boxX, static_cast<Sint16>(firstBoxY + boxSpacing * i), 16, 16};
        record.checkedImage = alphaCopy(checked);
        record.uncheckedImage = alphaCopy(unchecked);
    }
    freeSurface(checked);
    freeSurface(unchecked);
}

void releaseUnlockables(UiState& ui) {
    for (Unlockable& record : ui.unlockables) {
        freeSurface(record.checkedImage);
        freeSurface(record.uncheckedImage);
        freeSurface(record.chosenName);
    }
}

void enterUnlockables(AppState& app) {
    app.screen = Unlockables;
    for (int i = 0; i < UnlockableIdCount; ++i) {
        const char* name = isUnlocked(app.save, i) ? unlockableNames[i] : lockedName;
        rerenderText(resources.unlockableName[i], resources.font28b, name, black);
        rerenderText(app.ui.unlockables[i].chosenName, resources.font28b, name, chosenColour);
    }
}

void leaveUnlockables(AppState& app) {
    saveProgress(app);
    app.screen = LevelSelect;
}

void unlockablesKey(AppState& app, const SDL_keysym& key) {
    switch (key.sym) {
        case SDLK_ESCAPE: leaveUnlockables(app); break;
        case SDLK_UP:
        case SDLK_LEFT: chooseStep(app, -1); break;
        case SDLK_DOWN:
        case SDLK_RIGHT: chooseStep(app, 1); break;
        case SDLK_SPACE:
        case SDLK_RETURN: toggle(app, app.ui.chosenUnlockable); break;
        default: break;
    }
}

void pressCheckboxes(AppState& app, Uint8 button) {
    if (button != SDL_BUTTON_LEFT) return;
    for (int i = 0; i < UnlockableIdCount; ++i) {
        if (!hitsCheckbox(app.ui.unlockables[i].checkboxRect, app.mouseX, app.mouseY)) continue;
        toggle(app, i);
        app.ui.chosenUnlockable = i;
    }
}

void pointAtUnlockable(AppState& app) {
    for (int i = 0; i < UnlockableIdCount; ++i)
        if (pointInRect(optionRect(app.ui.unlockables[i]), app.mouseX, app.mouseY)) app.ui.chosenUnlockable = i;
}

void drawUnlockables(AppState& app) {
    drawImage(106, 40, image(Img::unlockables));
    for (int i = 0; i < UnlockableIdCount; ++i) {
        const Unlockable& record = app.ui.unlockables[i];
        bool chosen = i == app.ui.chosenUnlockable;
        drawImage(128, record.checkboxRect.y, chosen ? record.chosenName : resources.unlockableName[i]);
        SDL_Surface* box = app.save.enabled[i] ? record.checkedImage : record.uncheckedImage;
        drawImage(record.checkboxRect.x, record.checkboxRect.y + 4, box);
    }
}
