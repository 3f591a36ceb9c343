#include "game/outcome.h"

#include "app/app_state.h"
#include "app/display.h"
#include "level/level_sequence.h"
#include "level/map_file.h"

namespace {

constexpr int fadeStep = 5;

void reviveAfterDeathDelay(AppState& app) {
    restartLevel(app);
    app.play.movementEnabled = true;
    app.level.player.alpha = 255;
}

}  // namespace

void startTimer(LevelTimer& timer) {
    timer.running = true;
    timer.remaining = timer.duration;
}

bool stepTimer(LevelTimer& timer, float dt) {
    if (!timer.running) return false;
    if (timer.remaining >= 0) {
        timer.remaining -= dt;
        return false;
    }
    timer.running = false;
    timer.remaining = timer.duration;
    return true;
}

void updateLevelTimers(AppState& app, float dt) {
    if (stepTimer(app.play.goalDelay, dt)) finishLevel(app);
    if (stepTimer(app.play.deathDelay, dt)) reviveAfterDeathDelay(app);
}

void fadeDyingPlayer(AppState& app) {
    LevelObject& player = app.level.player;
    if (player.alpha > 0) {
        player.alpha -= fadeStep;
        return;
    }
    app.play.dying = false;
    app.play.movementEnabled = true;
    restartLevel(app);
}

void restartLevel(AppState& app) {
    if (app.screen == PlayLevel) loadBuiltInLevel(app, app.save.currentLevel);
    if (app.screen == TestPlay) loadTestMap(app);
}

void endTestPlay(AppState& app) {
    setDisplayMode(800, 480, displayFlags(app.windowed));
    clearLevelObjects(app.level);
    app.screen = Editor;
}
