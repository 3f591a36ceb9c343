#include "app/play_keys.h"

#include "app/app_state.h"
#include "editor/editor.h"
#include "level/level_sequence.h"

namespace {

void setHeldArrow(AppState& app, SDLKey key, bool held) {
    PlayInput& arrows = app.input.arrows;
    switch (key) {
        case SDLK_LEFT:
        case SDLK_a: arrows.left = held; break;
        case SDLK_RIGHT:
        case SDLK_d: arrows.right = held; break;
        case SDLK_UP:
        case SDLK_w: arrows.up = held; break;
        case SDLK_DOWN:
        case SDLK_s: arrows.down = held; break;
        default: break;
    }
}

// R and the arrows mean the same on both play screens.
void pressCommonPlayKey(AppState& app, SDLKey key) {
    if (key == SDLK_r && !app.play.deathDelay.running) restartPlay(app.play);
    if (app.play.movementEnabled) setHeldArrow(app, key, true);
}

}  // namespace

void playLevelKey(AppState& app, const SDL_keysym& key) {
    // A level being won or lost plays on to its outcome; Escape waits for it.
    bool delayRunning = app.play.goalDelay.running || app.play.deathDelay.running;
    if (key.sym == SDLK_ESCAPE && !delayRunning) leaveLevel(app);
    pressCommonPlayKey(app, key.sym);
}

void testPlayKey(AppState& app, const SDL_keysym& key) {
    if (key.sym == SDLK_ESCAPE) testPlayEscape(app);
    pressCommonPlayKey(app, key.sym);
}

void releasePlayKey(AppState& app, SDLKey key) { setHeldArrow(app, key, false); }
