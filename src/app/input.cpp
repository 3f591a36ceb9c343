#include "app/input.h"

#include "app/display.h"
#include "app/platform.h"
#include "app/play_keys.h"
#include "app/screens.h"
#include "level/preferences.h"
#include "ui/notification.h"

namespace {

// The choice outlives the run, so a window set smaller on a large screen opens smaller again.
void scaleWindow(int step) {
    if (stepWindowScale(step)) writePreferences(preferencesFileName, Preferences{chosenWindowScale()});
}

// Keys that mean the same on every screen that does not take typed text.
void pressSharedKey(AppState& app, const SDL_keysym& keysym) {
    SDLKey key = keysym.sym;
    if (int step = windowScaleStep(keysym)) scaleWindow(step);
    if (key == SDLK_F1) openHelpPage(app, helpPageFor(app.screen));
    if (key == SDLK_LSHIFT) app.input.shiftHeld = true;
    if (key == SDLK_ESCAPE) app.level.player.vx = 0;
}

}  // namespace

const char* helpPageFor(ScreenId screen) { return screenFor(screen).helpPage; }

int windowScaleStep(const SDL_keysym& key) {
    if (!(key.mod & KMOD_CTRL)) return 0;
    // Plus sits on the "=" key of many layouts, and SDL reports that key with Shift held.
    if (key.sym == SDLK_PLUS || key.sym == SDLK_EQUALS || key.sym == SDLK_KP_PLUS) return 1;
    if (key.sym == SDLK_MINUS || key.sym == SDLK_KP_MINUS) return -1;
    return 0;
}

void handleKeyDown(AppState& app, const SDL_keysym& key) {
    const Screen& screen = screenFor(app.screen);
    if (!screen.typesText) pressSharedKey(app, key);
    if (screen.key) screen.key(app, key);
}

void handleKeyUp(AppState& app, SDLKey key) {
    releasePlayKey(app, key);
    if (key == SDLK_LSHIFT) app.input.shiftHeld = false;
}

// One pass down the screen table; each row sees the screen the rows above it left.
void handleMouseDown(AppState& app, Uint8 button) {
    if (button == SDL_BUTTON_LEFT) app.input.leftButtonHeld = true;
    for (const Screen& screen : screens)
        if (screen.press && app.screen == screen.id) screen.press(app, button);
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
