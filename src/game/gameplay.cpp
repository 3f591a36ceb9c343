#include "game/gameplay.h"

#include "app/app_state.h"
#include "game/movement.h"
#include "game/outcome.h"
#include "game/tiles.h"
#include "ui/notification.h"

#include <cmath>

namespace {

constexpr float animFramesPerSecond = 30.0f;
constexpr float animFrameCount = 5.0f;

void advanceAnimation(GameplayState& play, float dt) {
    play.animPhase += animFramesPerSecond * dt;
    if (play.animPhase >= animFrameCount) play.animPhase -= animFrameCount;
}

// The player's own motion: a dying player fades where it fell, a dead one waits.
void moveOrFade(AppState& app, float dt) {
    if (app.play.dying)
        fadeDyingPlayer(app);
    else if (app.play.movementEnabled)
        movePlayer(app, dt);
}

}  // namespace

void setSlideSpeed(AppState& app) { app.play.slideSpeed = movementSpeed(app.save); }

void gameplayStep(AppState& app, float dt) {
    LevelObject& player = app.level.player;
    player.prevX = player.x;
    player.prevY = player.y;
    moveOrFade(app, dt);
    advanceEnemies(app, dt);
    updateParticles(app.particles, dt);
    advanceAnimation(app.play, dt);
    updateLevelTimers(app, dt);
    updateNotification(app, dt);
    app.play.moveTime += dt;
    startMove(app);
    stepOneCell(app, dt);
    raiseUnlockNotices(app);
    leaveBoard(app);
    runTileInteractions(app, dt);
}

void snapToCell(LevelObject& object) {
    auto snap = [](float v) {
        // Pinned first: converting a float beyond the int range would be undefined.
        int n = static_cast<int>(std::trunc(std::fmax(-1e9f, std::fmin(v, 1e9f))));
        return static_cast<float>(cellSize * ((n + cellSize / 2) / cellSize));
    };
    object.x = snap(object.x);
    object.y = snap(object.y);
}

bool overlaps(const LevelObject& a, const LevelObject& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool isOnTile(const LevelObject& player, const LevelObject& tile, float dt) {
    return std::fabs(player.x - tile.x) <= std::fabs(player.vx) * dt &&
           std::fabs(player.y - tile.y) <= std::fabs(player.vy) * dt;
}

void stopPlayer(LevelObject& player) {
    player.vx = 0;
    player.vy = 0;
    snapToCell(player);
}
