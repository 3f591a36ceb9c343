#include "app/screens.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/play_keys.h"
#include "editor/editor.h"
#include "editor/map_browser.h"
#include "ui/dialogs.h"
#include "ui/level_select.h"
#include "ui/main_menu.h"
#include "ui/unlockables.h"

namespace {

constexpr const char* menuPage = "help/files/menu.html";
constexpr const char* playPage = "help/files/playing-the-game.html";
constexpr const char* levelSelectPage = "help/files/level-select.html";
constexpr const char* unlockablesPage = "help/files/unlockables.html";
constexpr const char* editorPage = "help/files/level-editor.html";
constexpr const char* indexPage = "help/index.html";
constexpr bool typesText = true;
constexpr auto chooseButton = chooseDialogButtonUnderPointer;

void drawMenuScreen(AppState& app) {
    moveCreditsBar(app);
    drawMainMenu(app);
}

}  // namespace

// The order of the rows is the order in which one click is offered to the screens,
// each seeing the screen the rows above it left. A click that leads to a screen
// further down is offered to that screen too: No in the question about deleting a
// file returns to the browser and also selects the row of the list under it. A
// click that leads to a screen higher up ends there: Save in the name box does not
// also answer the overwrite question it may open.
constexpr std::array<Screen, screenCount> screens = {{
    // screen, draw, key, press, release, motion, help page, types text, dialog answers
    {MainMenu, drawMenuScreen, menuKey, pressCornerButtons, releaseMenuEntry, pointAtMenuEntry, menuPage, false},
    {PlayLevel, nullptr, playLevelKey, nullptr, nullptr, nullptr, playPage, false},
    {TestPlay, nullptr, testPlayKey, nullptr, nullptr, nullptr, indexPage, false},
    {Editor, drawEditor, editorKey, editorPress, editorRelease, editorMotion, editorPage, false},
    {Unlockables, drawUnlockables, unlockablesKey, pressCheckboxes, nullptr, pointAtUnlockable, unlockablesPage, false},
    {NoSavedGameDialog, drawDialog, nullptr, nullptr, nullptr, chooseButton, editorPage, false, &noSavedGameAnswers},
    {OverwriteSaveDialog, drawDialog, nullptr, nullptr, nullptr, chooseButton, editorPage, false,
     &overwriteSaveAnswers},
    {OverwriteLevelDialog, drawDialog, nullptr, nullptr, nullptr, chooseButton, editorPage, false,
     &overwriteLevelAnswers},
    {LevelNameDialog, drawDialog, typeIntoName, nullptr, nullptr, chooseButton, editorPage, typesText,
     &levelNameAnswers},
    {SaveChangesDialog, drawDialog, nullptr, pressCloseButton, nullptr, chooseButton, editorPage, false,
     &saveChangesAnswers},
    {UnsavedChangesDialog, drawDialog, nullptr, nullptr, nullptr, chooseButton, editorPage, false,
     &unsavedChangesAnswers},
    {DeleteFileDialog, drawDialog, nullptr, nullptr, nullptr, chooseButton, editorPage, false, &deleteFileAnswers},
    {FileBrowser, drawFileBrowser, mapBrowserKey, pressFileBrowser, nullptr, chooseButton, editorPage, false,
     &fileBrowserAnswers},
    {NoMapsDialog, drawDialog, nullptr, nullptr, nullptr, chooseButton, editorPage, false, &noMapsAnswers},
    {NoPlayerDialog, drawDialog, nullptr, nullptr, nullptr, chooseButton, editorPage, false, &noPlayerAnswers},
    {GameWonDialog, drawDialog, nullptr, nullptr, nullptr, chooseButton, indexPage, false, &gameWonAnswers},
    {LevelSelect, drawLevelSelect, levelSelectKey, pressLevelSelect, releaseLevelSquare, pointAtLevelSquare,
     levelSelectPage, false},
}};

namespace {

constexpr bool eachScreenHasOneRow() {
    for (int id = 0; id < screenCount; ++id) {
        int rows = 0;
        for (const Screen& screen : screens) rows += screen.id == id;
        if (rows != 1) return false;
    }
    return true;
}
static_assert(eachScreenHasOneRow(), "every screen needs exactly one row");

}  // namespace

const Screen& screenFor(ScreenId id) {
    for (const Screen& screen : screens)
        if (screen.id == id) return screen;
    return screens[0];  // every id has a row, so this is never reached
}

void buildWidgets(AppState& app) {
    buildDialogButtons(app.ui);
    buildMenuEntries(app.ui);
    buildLevelLabels(app.ui);
    buildUnlockables(app.ui);
    // Fixed once: in the wider editor window the notice still slides in at the same x.
    int width = displaySurface ? displaySurface->w : 640;
    app.ui.notice.x = static_cast<Sint16>(width - 216);
}

void releaseWidgets(AppState& app) {
    releaseDialogButtons(app.ui);
    releaseMenuEntries(app.ui);
    releaseLevelLabels(app.ui);
    releaseUnlockables(app.ui);
}
