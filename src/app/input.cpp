#include "app/input.h"

#include "app/platform.h"
#include "app/play_keys.h"
#include "app/screens.h"
#include "ui/dialogs.h"
#include "ui/main_menu.h"
#include "ui/notification.h"

namespace {

// Keys that mean the same on every screen that does not take typed text.
void pressSharedKey(AppState& app, SDLKey key) {
    if (key == SDLK_F1) openHelpPage(app, helpPageFor(app.screen));
    if (key == SDLK_LSHIFT) app.input.shiftHeld = true;
    if (key == SDLK_ESCAPE) app.level.player.vx = 0;
}

// The window button of the main menu, on every screen; typed text has no use for either key.
bool isDisplayKey(const SDL_keysym& key) {
    return key.sym == SDLK_F11 || (key.sym == SDLK_RETURN && (key.mod & KMOD_ALT));
}

}  // namespace

const char* helpPageFor(ScreenId screen) { return screenFor(screen).helpPage; }

void handleKeyDown(AppState& app, const SDL_keysym& key) {
    if (isDisplayKey(key)) {
        toggleDisplay(app);
        return;
    }
    const Screen& screen = screenFor(app.screen);
    if (!screen.typesText) pressSharedKey(app, key.sym);
    if (screen.answers && answerDialogKey(app, key.sym, *screen.answers)) return;
    if (screen.key) screen.key(app, key);
}

void handleKeyUp(AppState& app, SDLKey key) {
    releasePlayKey(app, key);
    if (key == SDLK_LSHIFT) app.input.shiftHeld = false;
}

// One pass down the screen table; each row sees the screen the rows above it left.
void handleMouseDown(AppState& app, Uint8 button) {
    if (button == SDL_BUTTON_LEFT) {
        app.input.leftButtonHeld = true;
        app.input.pressedOn = app.screen;
        app.input.pressX = app.mouseX;
        app.input.pressY = app.mouseY;
    }
    for (const Screen& screen : screens) {
        if (screen.answers && app.screen == screen.id) pressDialogButtons(app, button, *screen.answers);
        if (screen.press && app.screen == screen.id) screen.press(app, button);
    }
    // The notice lies over every screen.
    if (button == SDL_BUTTON_LEFT) pressNotification(app);
    if (button == SDL_BUTTON_RIGHT) app.input.rightButtonHeld = true;
}

void handleMouseUp(AppState& app, Uint8 button) {
    if (button == SDL_BUTTON_LEFT) app.input.leftButtonHeld = false;
    if (button == SDL_BUTTON_RIGHT) app.input.rightButtonHeld = false;
    const Screen& screen = screenFor(app.screen);
    if (screen.release) screen.release(app, button);
}

void handleMouseMotion(AppState& app) {
    const Screen& screen = screenFor(app.screen);
    if (screen.motion) screen.motion(app);
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
