#include "app/input.h"

#include "app/platform.h"
#include "editor/editor.h"
#include "editor/map_browser.h"
#include "game/outcome.h"
#include "level/level_sequence.h"
#include "ui/dialogs.h"
#include "ui/main_menu.h"
#include "ui/notification.h"
#include "ui/unlockables.h"

namespace {

void setHeldArrow(AppState& app, SDLKey key, bool held) {
    GameplayState& play = app.play;
    switch (key) {
        case SDLK_LEFT: play.leftKeyHeld = held; break;
        case SDLK_RIGHT: play.rightKeyHeld = held; break;
        case SDLK_UP: play.upKeyHeld = held; break;
        case SDLK_DOWN: play.downKeyHeld = held; break;
        default: break;
    }
}

bool isArrow(SDLKey key) { return key == SDLK_LEFT || key == SDLK_RIGHT || key == SDLK_UP || key == SDLK_DOWN; }

void pressReturn(AppState& app) {
    if (app.screen == LevelSelect) levelSelectKey(app, SDLK_RETURN);
    else if (app.screen == MainMenu) activateMenuEntry(app);
}

// A level being won or lost plays on to its outcome; Escape waits for it.
void escapeFromPlay(AppState& app) {
    if (!app.play.goalDelay.running && !app.play.deathDelay.running) leaveLevel(app);
}

void pressEscape(AppState& app) {
    app.level.player.vx = 0;
    switch (app.screen) {
        case MainMenu: app.running = false; break;
        case PlayLevel: escapeFromPlay(app); break;
        case Editor: editorEscape(app); break;
        case TestPlay: testPlayEscape(app); break;
        case LevelSelect: levelSelectKey(app, SDLK_ESCAPE); break;
        case Unlockables: leaveUnlockables(app); break;
        default: break;  // a dialog is answered with its buttons only
    }
}

void pressRestart(AppState& app) {
    if (isPlayScreen(app.screen) && !app.play.deathDelay.running) restartLevel(app);
}

void pressArrow(AppState& app, SDLKey key) {
    if (app.screen == MainMenu && (key == SDLK_UP || key == SDLK_DOWN)) moveMenuSelection(app, key == SDLK_UP ? -1 : 1);
    if (app.screen == LevelSelect) levelSelectKey(app, key);
    if (isPlayScreen(app.screen) && app.play.movementEnabled) setHeldArrow(app, key, true);
}

void pressLeftButton(AppState& app) {
    app.input.leftButtonHeld = true;
    if (app.screen == Editor) editorPalettePress(app);
    pressCheckboxes(app);
    pressCornerButtons(app);
    if (app.screen == Editor) editorBoardPress(app);
    pressDialogButtons(app);
    if (app.screen == FileBrowser) mapBrowserPress(app, SDL_BUTTON_LEFT, app.mouseX, app.mouseY);
    pressLevelSelectButtons(app);
    pressNotification(app);
    pressCloseButton(app);
}

}  // namespace

const char* helpPageFor(ScreenId screen) {
    switch (screen) {
        case MainMenu: return "help/files/menu.html";
        case PlayLevel: return "help/files/playing-the-game.html";
        case LevelSelect: return "help/files/level-select.html";
        case Unlockables: return "help/files/unlockables.html";
        case TestPlay:
        case GameWonDialog: return "help/index.html";
        default: return "help/files/level-editor.html";  // the editor and dialogs 6 to 15
    }
}

void openHelpPage(const char* page) { platform::openDocument(page); }

void handleKeyDown(AppState& app, const SDL_keysym& key) {
    if (app.screen == LevelNameDialog) {
        typeIntoName(app, key);
        return;
    }
    switch (key.sym) {
        case SDLK_RETURN: pressReturn(app); break;
        case SDLK_ESCAPE: pressEscape(app); break;
        case SDLK_r: pressRestart(app); break;
        case SDLK_DELETE: if (app.screen == FileBrowser) mapBrowserKey(app, key.sym); break;
        case SDLK_LSHIFT: app.input.shiftHeld = true; break;
        case SDLK_F1: openHelpPage(helpPageFor(app.screen)); break;
        default: if (isArrow(key.sym)) pressArrow(app, key.sym); break;
    }
}

void handleKeyUp(AppState& app, SDLKey key) {
    if (isArrow(key)) setHeldArrow(app, key, false);
    if (key == SDLK_LSHIFT) app.input.shiftHeld = false;
}

// One pass over the tests in this order; each sees the screen the tests before it left.
void handleMouseDown(AppState& app, Uint8 button) {
    // The wheel scrolls the map list; a left press reaches the list later in the pass.
    if (app.screen == FileBrowser && button != SDL_BUTTON_LEFT) mapBrowserPress(app, button, app.mouseX, app.mouseY);
    if (button == SDL_BUTTON_LEFT) pressLeftButton(app);
    if (button == SDL_BUTTON_RIGHT) app.input.rightButtonHeld = true;
}

void handleMouseUp(AppState& app, Uint8 button) {
    if (button == SDL_BUTTON_LEFT) app.input.leftButtonHeld = false;
    if (button == SDL_BUTTON_RIGHT) app.input.rightButtonHeld = false;
    if (app.screen == Editor) editorRelease(app, button);
}

void handleMouseMotion(AppState& app) {
    updateDialogHover(app);
    if (app.screen == Editor) editorMotion(app);
}

void routeEvent(AppState& app, const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN: handleKeyDown(app, event.key.keysym); break;
        case SDL_KEYUP: handleKeyUp(app, event.key.keysym.sym); break;
        case SDL_MOUSEBUTTONDOWN: handleMouseDown(app, event.button.button); break;
        case SDL_MOUSEBUTTONUP: handleMouseUp(app, event.button.button); break;
        case SDL_MOUSEMOTION: handleMouseMotion(app); break;
        default: break;
    }
}
