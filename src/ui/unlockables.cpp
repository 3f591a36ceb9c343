#include "ui/unlockables.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/resources.h"
#include "level/level_sequence.h"

#include <string>

namespace {

constexpr Sint16 boxX = 512, firstBoxY = 128, boxSpacing = 48;
constexpr const char* lockedName = "?????";

std::string imagePath(const char* file) { return std::string(resourceFolder) + "/images/" + file; }

// The hit box lies one pixel below the drawn box, with its left and top edges included.
bool hitsCheckbox(const SDL_Rect& box, int px, int py) {
    return box.x - 1 < px && px < box.x + 16 && box.y + 4 < py && py < box.y + 21;
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
    }
}

void enterUnlockables(AppState& app) {
    app.screen = Unlockables;
    for (int i = 0; i < UnlockableIdCount; ++i) {
        const char* name = isUnlocked(app.save, i) ? unlockableNames[i] : lockedName;
        rerenderText(resources.unlockableName[i], resources.font28b, name, black);
    }
}

void leaveUnlockables(AppState& app) {
    saveProgress(app);
    app.screen = LevelSelect;
}

void unlockablesKey(AppState& app, const SDL_keysym& key) {
    if (key.sym == SDLK_ESCAPE) leaveUnlockables(app);
}

void pressCheckboxes(AppState& app, Uint8 button) {
    if (button != SDL_BUTTON_LEFT) return;
    for (int i = 0; i < UnlockableIdCount; ++i)
        if (hitsCheckbox(app.ui.unlockables[i].checkboxRect, app.mouseX, app.mouseY)) toggle(app, i);
}

void drawUnlockables(AppState& app) {
    drawImage(106, 40, image(Img::unlockables));
    for (int i = 0; i < UnlockableIdCount; ++i) {
        const Unlockable& record = app.ui.unlockables[i];
        drawImage(128, record.checkboxRect.y, resources.unlockableName[i]);
        SDL_Surface* box = app.save.enabled[i] ? record.checkedImage : record.uncheckedImage;
        drawImage(record.checkboxRect.x, record.checkboxRect.y + 4, box);
    }
}
