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
    // screen, draw, key, press, release, motion, help page
    {MainMenu, drawMenuScreen, menuKey, pressCornerButtons, nullptr, nullptr, menuPage, false},
    {PlayLevel, nullptr, playLevelKey, nullptr, nullptr, nullptr, playPage, false},
    {TestPlay, nullptr, testPlayKey, nullptr, nullptr, nullptr, indexPage, false},
    {Editor, drawEditor, editorKey, editorPress, editorRelease, editorMotion, editorPage, false},
    {Unlockables, drawUnlockables, unlockablesKey, pressCheckboxes, nullptr, nullptr, unlockablesPage, false},
    {NoSavedGameDialog, drawDialog, nullptr, answerNoSavedGame, nullptr, updateDialogHover, editorPage, false},
    {OverwriteSaveDialog, drawDialog, nullptr, answerOverwriteSave, nullptr, updateDialogHover, editorPage, false},
    {OverwriteLevelDialog, drawDialog, nullptr, answerOverwriteLevel, nullptr, updateDialogHover, editorPage, false},
    {LevelNameDialog, drawDialog, typeIntoName, answerLevelName, nullptr, updateDialogHover, editorPage, typesText},
    {SaveChangesDialog, drawDialog, nullptr, answerSaveChanges, nullptr, updateDialogHover, editorPage, false},
    {UnsavedChangesDialog, drawDialog, nullptr, answerUnsavedChanges, nullptr, updateDialogHover, editorPage, false},
    {DeleteFileDialog, drawDialog, nullptr, answerDeleteFile, nullptr, updateDialogHover, editorPage, false},
    {FileBrowser, drawFileBrowser, mapBrowserKey, pressFileBrowser, nullptr, updateDialogHover, editorPage, false},
    {NoMapsDialog, drawDialog, nullptr, answerNoMaps, nullptr, updateDialogHover, editorPage, false},
    {NoPlayerDialog, drawDialog, nullptr, answerNoPlayer, nullptr, updateDialogHover, editorPage, false},
    {GameWonDialog, drawDialog, nullptr, answerGameWon, nullptr, updateDialogHover, indexPage, false},
    {LevelSelect, drawLevelSelect, levelSelectKey, pressLevelSelect, nullptr, nullptr, levelSelectPage, false},
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
