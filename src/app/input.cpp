#include "app/input.h"

#include "app/platform.h"

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

void pressEscape(AppState& app) {
    app.level.player.vx = 0;
    if (app.screen == MainMenu) app.running = false;
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
    switch (key.sym) {
        case SDLK_ESCAPE: pressEscape(app); break;
        case SDLK_F1: openHelpPage(helpPageFor(app.screen)); break;
        case SDLK_LSHIFT: app.input.shiftHeld = true; break;
        default: break;
    }
    if (isArrow(key.sym) && isPlayScreen(app.screen) && app.play.movementEnabled) setHeldArrow(app, key.sym, true);
}

void handleKeyUp(AppState& app, SDLKey key) {
    if (isArrow(key)) setHeldArrow(app, key, false);
    if (key == SDLK_LSHIFT) app.input.shiftHeld = false;
}

void handleMouseDown(AppState& app, Uint8 button) {
    if (button == SDL_BUTTON_LEFT) app.input.leftButtonHeld = true;
    if (button == SDL_BUTTON_RIGHT) app.input.rightButtonHeld = true;
}

void handleMouseUp(AppState& app, Uint8 button) {
    if (button == SDL_BUTTON_LEFT) app.input.leftButtonHeld = false;
    if (button == SDL_BUTTON_RIGHT) app.input.rightButtonHeld = false;
}

void handleMouseMotion(AppState&) {}

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
