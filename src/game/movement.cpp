#include "game/movement.h"

#include "app/app_state.h"
#include "app/audio.h"
#include "game/gameplay.h"
#include "game/outcome.h"

#include <cmath>

namespace {

constexpr float boardWidth = boardColumns * cellSize;
constexpr float boardHeight = boardRows * cellSize;

// A move on an axis starts only from rest, and the first held key in this order wins.
struct MoveStart {
    bool GameplayState::*held;
    float dirX, dirY;
    bool mirrored;  // the mirror swaps left and right, never up and down
};

constexpr MoveStart moveStarts[] = {
    {&GameplayState::leftKeyHeld, -1, 0, true},
    {&GameplayState::rightKeyHeld, 1, 0, true},
    {&GameplayState::upKeyHeld, 0, -1, false},
    {&GameplayState::downKeyHeld, 0, 1, false},
};

bool atRest(const LevelObject& player) { return player.vx == 0 && player.vy == 0; }

// A cell the player has just left lies within a frame's travel too; it does not
// count, or a speed tile's push would be stopped where it began, frame after frame.
bool reachedOnAxis(float position, float cell, float velocity, float dt) {
    return std::fabs(position - cell) <= std::fabs(velocity) * dt && (cell - position) * velocity >= 0;
}

bool reachedCell(const LevelObject& player, int column, int row, float dt) {
    return reachedOnAxis(player.x, static_cast<float>(column * cellSize), player.vx, dt) &&
           reachedOnAxis(player.y, static_cast<float>(row * cellSize), player.vy, dt);
}

}  // namespace

void movePlayer(AppState& app, float dt) {
    LevelObject& player = app.level.player;
    player.x += player.vx * dt;
    player.y += player.vy * dt;
}

void startMove(AppState& app) {
    GameplayState& play = app.play;
    LevelObject& player = app.level.player;
    float mirror = isOn(app.save, MirroredLevels) ? -1.0f : 1.0f;
    for (const MoveStart& start : moveStarts) {
        if (!(play.*start.held) || !atRest(player)) continue;
        float sign = start.mirrored ? mirror : 1.0f;
        player.vx = start.dirX * sign * play.slideSpeed;
        player.vy = start.dirY * play.slideSpeed;
        play.moveTime = 0;
        play.moveStartX = player.x;
        play.moveStartY = player.y;
    }
}

void stepOneCell(AppState& app, float dt) {
    if (!isOn(app.save, LowFriction)) return;
    for (int column = 0; column < boardColumns; ++column)
        for (int row = 0; row < boardRows; ++row)
            if (reachedCell(app.level.player, column, row, dt) && movedLongEnough(app.play))
                stopPlayer(app.level.player);
}

void leaveBoard(AppState& app) {
    if (!isPlayScreen(app.screen)) return;
    const LevelObject& player = app.level.player;
    bool off = player.x + player.width < 0 || player.y + player.height < 0 ||
               player.x - player.width > boardWidth || player.y - player.height > boardHeight;
    if (!off) return;
    playEffect(app, Snd::holeSound);
    restartLevel(app);
}
