#include "app/input.h"

#include "app/display.h"
#include "app/platform.h"
#include "app/play_keys.h"
#include "app/screens.h"
#include "level/preferences.h"
#include "ui/dialogs.h"
#include "ui/main_menu.h"
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
    if (key == SDLK_ESCAPE) app.play.player.vx = 0;
}

// The window button of the main menu, on every screen; typed text has no use for either key.
bool isDisplayKey(const SDL_keysym& key) {
    return key.sym == SDLK_F11 || (key.sym == SDLK_RETURN && (key.mod & KMOD_ALT));
}

// A gamepad plays with the keys: its pad or left stick are the arrows and its first
// three buttons Return, Escape and R, so every screen answers it as it answers them.
constexpr SDLKey padButtonKeys[] = {SDLK_RETURN, SDLK_ESCAPE, SDLK_r};
constexpr int padButtonCount = sizeof padButtonKeys / sizeof padButtonKeys[0];
constexpr Sint16 stickDeadZone = 16000;  // about half way, so a resting stick moves nothing

void sendKey(AppState& app, SDLKey key, bool down) {
    SDL_keysym keysym{};
    keysym.sym = key;
    if (down)
        handleKeyDown(app, keysym);
    else
        handleKeyUp(app, key);
}

// A new direction on one axis lets go of the old arrow before it presses the new one.
void moveAxis(AppState& app, int& held, int now, SDLKey negative, SDLKey positive) {
    if (now == held) return;
    if (held != 0) sendKey(app, held < 0 ? negative : positive, false);
    held = now;
    if (now != 0) sendKey(app, now < 0 ? negative : positive, true);
}

int stickDirection(Sint16 value) { return value < -stickDeadZone ? -1 : value > stickDeadZone ? 1 : 0; }

void moveStick(AppState& app, const SDL_JoyAxisEvent& motion) {
    int direction = stickDirection(motion.value);
    if (motion.axis == 0) moveAxis(app, app.input.padX, direction, SDLK_LEFT, SDLK_RIGHT);
    if (motion.axis == 1) moveAxis(app, app.input.padY, direction, SDLK_UP, SDLK_DOWN);
}

void movePad(AppState& app, Uint8 hat) {
    moveAxis(app, app.input.padX, (hat & SDL_HAT_LEFT) ? -1 : (hat & SDL_HAT_RIGHT) ? 1 : 0, SDLK_LEFT, SDLK_RIGHT);
    moveAxis(app, app.input.padY, (hat & SDL_HAT_UP) ? -1 : (hat & SDL_HAT_DOWN) ? 1 : 0, SDLK_UP, SDLK_DOWN);
}

void pressPadButton(AppState& app, Uint8 button, bool down) {
    if (button < padButtonCount) sendKey(app, padButtonKeys[button], down);
}

}  // namespace

void openGamepad() {
    if (SDL_NumJoysticks() > 0 && SDL_JoystickOpen(0)) SDL_JoystickEventState(SDL_ENABLE);
}

const char* helpPageFor(ScreenId screen) { return screenFor(screen).helpPage; }

int windowScaleStep(const SDL_keysym& key) {
    if (!(key.mod & KMOD_CTRL)) return 0;
    // Plus sits on the "=" key of many layouts, and SDL reports that key with Shift held.
    if (key.sym == SDLK_PLUS || key.sym == SDLK_EQUALS || key.sym == SDLK_KP_PLUS) return 1;
    if (key.sym == SDLK_MINUS || key.sym == SDLK_KP_MINUS) return -1;
    return 0;
}

void handleKeyDown(AppState& app, const SDL_keysym& key) {
    if (isDisplayKey(key)) {
        toggleDisplay(app);
        return;
    }
    const Screen& screen = screenFor(app.screen);
    if (!screen.typesText) pressSharedKey(app, key);
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
        case SDL_JOYAXISMOTION: moveStick(app, event.jaxis); break;
        case SDL_JOYHATMOTION: movePad(app, event.jhat.value); break;
        case SDL_JOYBUTTONDOWN: pressPadButton(app, event.jbutton.button, true); break;
        case SDL_JOYBUTTONUP: pressPadButton(app, event.jbutton.button, false); break;
        default: break;
    }
}
