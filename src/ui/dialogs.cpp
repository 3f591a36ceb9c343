#include "ui/dialogs.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/resources.h"
#include "ui/widgets.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

struct ButtonRecord {
    const char* caption;
    Sint16 x, y;
    Sint16 textX;  // the caption's offset from the left edge; from the top it is always 9
};

// One record per button and per dialog: the same caption sits in several.
constexpr ButtonRecord buttonRecords[dialogButtonCount] = {
    {"Ok", 270, 256, 42},                                  // NoSavedGameDialog
    {"Yes", 202, 256, 39},                                 // OverwriteSaveDialog
    {"No", 330, 256, 42},     {"Save", 284, 256, 32},      // LevelNameDialog
    {"Cancel", 412, 256, 32}, {"Open", 288, 326, 35},      // FileBrowser
    {"Cancel", 412, 326, 30}, {"Yes", 282, 256, 39},       // SaveChangesDialog
    {"No", 410, 256, 42},     {"Continue", 282, 256, 25},  // UnsavedChangesDialog
    {"Cancel", 410, 256, 31}, {"Yes", 282, 256, 39},       // DeleteFileDialog
    {"No", 410, 256, 42},     {"Ok", 350, 256, 42},        // NoMapsDialog
    {"Yes", 282, 256, 39},                                 // OverwriteLevelDialog
    {"No", 410, 256, 42},     {"Ok", 350, 256, 42},        // NoPlayerDialog
    {"Ok", 270, 256, 42},                                  // GameWonDialog
};
constexpr Sint16 captionTop = 9;
constexpr int noButton = -1;
constexpr int noMessage = -1;

struct DialogLayout {
    ScreenId screen;
    int windowWidth;  // picks the dim layer
    Sint16 boxX, boxY;
    int buttons[2];  // indices into buttonRecords
    int message;     // Txt key
    // Return presses the default button first: where one answer loses a file, a save
    // or the board, that is the other one. Escape presses the cancelling button.
    DialogSlot defaultButton, cancelButton;
};

// The file browser shares the buttons and the dim layer; its frame is the editor's to draw.
constexpr DialogLayout dialogLayouts[] = {
    // dialog, window width, box x, y, buttons, message, default, cancel
    {NoSavedGameDialog, 640, 162, 176, {0, noButton}, Txt::noSaveText, LeftButton, LeftButton},
    {OverwriteSaveDialog, 640, 162, 176, {1, 2}, Txt::overwriteSaveText, RightButton, RightButton},
    {FileBrowser, 800, 264, 105, {5, 6}, noMessage, LeftButton, RightButton},
    {LevelNameDialog, 800, 250, 176, {3, 4}, Txt::typeNameText, LeftButton, RightButton},
    {SaveChangesDialog, 800, 242, 176, {7, 8}, Txt::saveChangesText, LeftButton, CloseButton},
    {UnsavedChangesDialog, 800, 242, 176, {9, 10}, Txt::unsavedText, RightButton, RightButton},
    {DeleteFileDialog, 800, 242, 176, {11, 12}, Txt::deleteFileText, RightButton, RightButton},
    {NoMapsDialog, 800, 242, 176, {13, noButton}, Txt::noMapsText, LeftButton, LeftButton},
    {OverwriteLevelDialog, 800, 242, 176, {14, 15}, Txt::overwriteLevelText, RightButton, RightButton},
    {NoPlayerDialog, 800, 242, 176, {16, noButton}, Txt::noPlayerText, LeftButton, LeftButton},
    {GameWonDialog, 640, 162, 176, {17, noButton}, Txt::wonText, LeftButton, LeftButton},
};
static_assert(sizeof dialogLayouts / sizeof dialogLayouts[0] == GameWonDialog - NoSavedGameDialog + 1,
              "one layout per dialog screen");

const DialogLayout& layoutOf(ScreenId dialog) { return dialogLayouts[dialog - NoSavedGameDialog]; }

int buttonCount(const DialogLayout& layout) { return layout.buttons[1] == noButton ? 1 : 2; }

constexpr bool layoutsAreInScreenOrder() {
    for (int i = 0; i < GameWonDialog - NoSavedGameDialog + 1; ++i)
        if (dialogLayouts[i].screen != NoSavedGameDialog + i) return false;
    return true;
}
static_assert(layoutsAreInScreenOrder(), "a dialog's layout is found by its screen number");

constexpr bool keysPressExistingButtons() {
    for (const DialogLayout& layout : dialogLayouts) {
        bool oneButton = layout.buttons[1] == noButton;
        if (oneButton && (layout.defaultButton != LeftButton || layout.cancelButton != LeftButton)) return false;
        if (layout.defaultButton == CloseButton) return false;
        if (layout.cancelButton == CloseButton && layout.screen != SaveChangesDialog) return false;
    }
    return true;
}
static_assert(keysPressExistingButtons(), "Return and Escape must press a button the dialog has");

// A click that leads from a question to the browser or back is offered to both
// (the screens take clicks in a fixed order); it can press a button of one only,
// as the browser's buttons lie below every other dialog's.
constexpr bool browserButtonsLieBelowTheOthers() {
    for (int i = 0; i < dialogButtonCount; ++i) {
        bool browserButton = i == 5 || i == 6;
        if (!browserButton && buttonRecords[i].y + 32 > buttonRecords[5].y) return false;
    }
    return buttonRecords[5].y == buttonRecords[6].y;
}
static_assert(browserButtonsLieBelowTheOthers(), "the browser's buttons must not overlap another dialog's");

constexpr SDL_Rect closeRect = {531, 187, 16, 12};
constexpr Sint16 secondLineX = 178, secondLineY = 224;
constexpr size_t nameLimit = 16;  // a name this long still takes one more character
constexpr const char* forbiddenInNames = "\"*/:<>?\\|";

// Blending the dim layer over the whole screen costs several times a menu frame. Where
// the board has drawn nothing over the snapshot, the display still holds the snapshot,
// and the snapshot darkened once is the very picture that blending would give; only
// the tiles the board changed are blended again each frame.
constexpr int backdropTile = 32;

SDL_Surface* dimLayerOf(const DialogLayout& layout) {
    return layout.windowWidth == 800 ? resources.dimLayer800 : resources.dimLayer640;
}

// Dialogs opened one from another share the snapshot, and also its window width.
SDL_Surface* dimmedSnapshot(SDL_Surface* dim) {
    SDL_Surface* snapshot = resources.screenSnapshot;
    if (!resources.dimmedSnapshot && snapshot) {
        resources.dimmedSnapshot = SDL_ConvertSurface(snapshot, snapshot->format, snapshot->flags);
        drawImage(0, 0, dim, resources.dimmedSnapshot);
    }
    return resources.dimmedSnapshot;
}

bool sameLayout(const SDL_Surface* a, const SDL_Surface* b) {
    return a && b && a->w == b->w && a->h == b->h && a->format->BytesPerPixel == 4 && b->format->BytesPerPixel == 4 &&
           a->format->Rmask == b->format->Rmask && a->format->Gmask == b->format->Gmask &&
           a->format->Bmask == b->format->Bmask;
}

Uint8* rowAt(SDL_Surface* surface, const SDL_Rect& area, int row) {
    return static_cast<Uint8*>(surface->pixels) + (area.y + row) * surface->pitch + area.x * 4;
}

bool stillShowsSnapshot(SDL_Surface* snapshot, const SDL_Rect& area) {
    for (int row = 0; row < area.h; ++row)
        if (std::memcmp(rowAt(displaySurface, area, row), rowAt(snapshot, area, row), area.w * 4u) != 0) return false;
    return true;
}

void copyArea(SDL_Surface* from, const SDL_Rect& area) {
    for (int row = 0; row < area.h; ++row)
        std::memcpy(rowAt(displaySurface, area, row), rowAt(from, area, row), area.w * 4u);
}

SDL_Rect tileRect(int x, int y, int w, int h) {
    return {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
}

// Puts the darkened snapshot wherever the display still shows the snapshot; returns
// the tiles the board drew over. A band of tiles across the screen is tried whole
// first, since most of the backdrop is usually untouched.
std::vector<SDL_Rect> copyDimmedWhereUnchanged(SDL_Surface* snapshot, SDL_Surface* dimmed) {
    std::vector<SDL_Rect> changed;
    int width = displaySurface->w;
    for (int y = 0; y < displaySurface->h; y += backdropTile) {
        int height = std::min(backdropTile, displaySurface->h - y);
        SDL_Rect band = tileRect(0, y, width, height);
        if (stillShowsSnapshot(snapshot, band)) {
            copyArea(dimmed, band);
            continue;
        }
        for (int x = 0; x < width; x += backdropTile) {
            SDL_Rect tile = tileRect(x, y, std::min(backdropTile, width - x), height);
            if (stillShowsSnapshot(snapshot, tile))
                copyArea(dimmed, tile);
            else
                changed.push_back(tile);
        }
    }
    return changed;
}

bool lockAll(std::initializer_list<SDL_Surface*> surfaces) {
    for (SDL_Surface* surface : surfaces)
        if (SDL_LockSurface(surface) != 0) return false;
    return true;
}

void unlockAll(std::initializer_list<SDL_Surface*> surfaces) {
    for (SDL_Surface* surface : surfaces) SDL_UnlockSurface(surface);
}

void drawDimLayer(const DialogLayout& layout) {
    SDL_Surface* dim = dimLayerOf(layout);
    if (!dim || !displaySurface) return;
    SDL_Surface* snapshot = resources.screenSnapshot;
    SDL_Surface* dimmed = dimmedSnapshot(dim);
    if (!sameLayout(snapshot, displaySurface) || !sameLayout(dimmed, displaySurface)) {
        drawImage(0, 0, dim);
        return;
    }
    std::vector<SDL_Rect> changed;
    if (lockAll({displaySurface, snapshot, dimmed}))
        changed = copyDimmedWhereUnchanged(snapshot, dimmed);
    else
        changed.push_back(displaySurface->clip_rect);
    unlockAll({displaySurface, snapshot, dimmed});
    for (SDL_Rect tile : changed) {
        SDL_Rect at = tile;  // a blit may clip the rectangle it is given
        SDL_BlitSurface(dim, &tile, displaySurface, &at);
    }
}

// Each with its slot, left to right.
template <typename Each>
void forEachButton(AppState& app, const DialogLayout& layout, Each each) {
    for (int slot = 0; slot < buttonCount(layout); ++slot) {
        int index = layout.buttons[slot];
        each(app.ui.dialogButtons[index], buttonRecords[index], static_cast<DialogSlot>(slot));
    }
}

void drawButtonImages(AppState& app, const DialogLayout& layout) {
    forEachButton(app, layout, [](DialogButton& button, const ButtonRecord&, DialogSlot) {
        drawImage(button.rect.x, button.rect.y, image(Img::dialog_button));
    });
}

void drawButtonCaptions(AppState& app, const DialogLayout& layout) {
    int chosen = chosenDialogButton(app);
    forEachButton(app, layout, [&](DialogButton& button, const ButtonRecord& record, DialogSlot slot) {
        drawImage(button.rect.x + record.textX, button.rect.y + captionTop,
                  slot == chosen ? button.chosenLabel : button.label);
    });
}

void drawNameInput(const DialogLayout& layout) {
    if (layout.screen != LevelNameDialog) return;
    drawImage(284, 228, image(Img::inputbox));
    drawImage(288, 232, resources.texts[Txt::nameText]);
}

void drawTexts(AppState& app, const DialogLayout& layout) {
    drawImage(layout.boxX + 12, layout.boxY + 10, resources.texts[Txt::captionText]);
    drawImage(layout.boxX + 16, layout.boxY + 32, resources.texts[layout.message]);
    if (layout.screen == GameWonDialog && app.save.peachCount < levelCount)
        drawImage(secondLineX, secondLineY, resources.texts[Txt::peachHintText]);
}

void drawCloseButton(AppState& app, const DialogLayout& layout) {
    if (layout.screen != SaveChangesDialog) return;
    bool over = pointInRect(closeRect, app.mouseX, app.mouseY);
    drawImage(closeRect.x, closeRect.y, image(over ? Img::close_hover : Img::close));
}

bool allowedInName(Uint16 c) { return c >= 32 && c <= 126 && !std::strchr(forbiddenInNames, static_cast<char>(c)); }

void choose(AppState& app, DialogSlot slot) { app.ui.dialogChoice = {app.screen, slot}; }

void closeSaveChanges(AppState& app) {
    app.editor.leavingEditor = false;
    app.screen = Editor;
}

void answer(AppState& app, DialogSlot slot, const DialogAnswers& answers) {
    if (slot == CloseButton) closeSaveChanges(app);
    DialogAnswer chosen = slot == LeftButton ? answers.left : slot == RightButton ? answers.right : nullptr;
    if (chosen) chosen(app);
}

}  // namespace

void buildDialogButtons(UiState& ui) {
    for (int i = 0; i < dialogButtonCount; ++i) {
        const ButtonRecord& record = buttonRecords[i];
        DialogButton& button = ui.dialogButtons[i];
        button.rect = {record.x, record.y, 100, 32};
        button.label = renderText(resources.font12, record.caption, black);
        button.chosenLabel = renderText(resources.font12, record.caption, white);
    }
}

void releaseDialogButtons(UiState& ui) {
    for (DialogButton& button : ui.dialogButtons) {
        freeSurface(button.label);
        freeSurface(button.chosenLabel);
    }
}

void takeSnapshot() {
    freeSurface(resources.screenSnapshot);
    freeSurface(resources.dimmedSnapshot);
    if (displaySurface)
        resources.screenSnapshot = SDL_ConvertSurface(displaySurface, displaySurface->format, displaySurface->flags);
}

void openDialog(AppState& app, ScreenId dialog) {
    if (!isDialog(app.screen)) takeSnapshot();
    app.screen = dialog;
    app.ui.dialogChoice = DialogChoice{};
}

int chosenDialogButton(const AppState& app) {
    if (!isDialog(app.screen)) return LeftButton;
    const DialogChoice& choice = app.ui.dialogChoice;
    return choice.dialog == app.screen ? choice.button : layoutOf(app.screen).defaultButton;
}

void chooseDialogButtonUnderPointer(AppState& app) {
    if (!isDialog(app.screen)) return;
    forEachButton(app, layoutOf(app.screen), [&](DialogButton& button, const ButtonRecord&, DialogSlot slot) {
        if (pointInRect(button.rect, app.mouseX, app.mouseY)) choose(app, slot);
    });
}

void pressDialogButtons(AppState& app, Uint8 button, const DialogAnswers& answers) {
    if (button != SDL_BUTTON_LEFT || !isDialog(app.screen)) return;
    ScreenId dialog = app.screen;
    forEachButton(app, layoutOf(dialog), [&](DialogButton& pressed, const ButtonRecord&, DialogSlot slot) {
        if (app.screen == dialog && pointInRect(pressed.rect, app.mouseX, app.mouseY)) answer(app, slot, answers);
    });
}

bool answerDialogKey(AppState& app, SDLKey key, const DialogAnswers& answers) {
    if (!isDialog(app.screen)) return false;
    const DialogLayout& layout = layoutOf(app.screen);
    int chosen = chosenDialogButton(app);
    switch (key) {
        case SDLK_LEFT: choose(app, LeftButton); return true;
        case SDLK_RIGHT: choose(app, static_cast<DialogSlot>(buttonCount(layout) - 1)); return true;
        case SDLK_TAB: choose(app, static_cast<DialogSlot>((chosen + 1) % buttonCount(layout))); return true;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: answer(app, static_cast<DialogSlot>(chosen), answers); return true;
        case SDLK_ESCAPE: answer(app, layout.cancelButton, answers); return true;
        default: return false;
    }
}

void pressCloseButton(AppState& app, Uint8 button) {
    if (button != SDL_BUTTON_LEFT || app.screen != SaveChangesDialog) return;
    if (pointInRect(closeRect, app.mouseX, app.mouseY)) closeSaveChanges(app);
}

void drawDialogButtonImages(AppState& app) { drawButtonImages(app, layoutOf(app.screen)); }

void drawDialogButtonCaptions(AppState& app) { drawButtonCaptions(app, layoutOf(app.screen)); }

void drawDialogBackdrop(AppState& app) {
    if (isDialog(app.screen)) drawDimLayer(layoutOf(app.screen));
}

void drawDialog(AppState& app) {
    if (!isDialog(app.screen)) return;
    const DialogLayout& layout = layoutOf(app.screen);
    drawDimLayer(layout);
    if (layout.message == noMessage) return;  // the browser draws its own frame
    drawImage(layout.boxX, layout.boxY, image(Img::dialogbox));
    drawButtonImages(app, layout);
    drawNameInput(layout);
    drawTexts(app, layout);
    drawCloseButton(app, layout);
    drawButtonCaptions(app, layout);
}

void openLevelNameDialog(AppState& app, const std::string& name) {
    app.editor.levelName = name;
    rerenderText(resources.texts[Txt::nameText], resources.font12, name, black);
    textInputOn();
    app.screen = LevelNameDialog;
    app.ui.dialogChoice = DialogChoice{};
}

void typeIntoName(AppState& app, const SDL_keysym& key) {
    std::string& name = app.editor.levelName;
    bool changed = false;
    if (name.size() <= nameLimit && allowedInName(key.unicode)) {
        name += static_cast<char>(key.unicode);
        changed = true;
    }
    if (key.sym == SDLK_BACKSPACE && !name.empty()) {
        name.pop_back();
        changed = true;
    }
    if (changed) rerenderText(resources.texts[Txt::nameText], resources.font12, name, black);
}

void textInputOn() {
    SDL_EnableKeyRepeat(500, 30);
    SDL_EnableUNICODE(1);
}

void textInputOff() {
    SDL_EnableUNICODE(0);
    SDL_EnableKeyRepeat(0, 30);
}
