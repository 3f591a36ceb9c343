#pragma once
// The rules of a level in play: the player's slide, the timers of an attempt and
// the gameplay step that runs once per frame. Nothing here needs a display.
#include "core/play_state.h"
#include "level/level.h"

struct AppState;

// A one-shot timer: it fires in the first frame after its remaining time went negative.
struct LevelTimer {
    float duration;
    bool running = false;
    float remaining;

    explicit LevelTimer(float seconds) : duration(seconds), remaining(seconds) {}
};

struct GameplayState {
    float slideSpeed = 200.0f;
    float moveTime = 0.0f;
    float moveStartX = -1.0f;  // where the current move set off
    float moveStartY = -1.0f;
    bool leftKeyHeld = false;
    bool rightKeyHeld = false;
    bool upKeyHeld = false;
    bool downKeyHeld = false;
    bool movementEnabled = true;
    bool dying = false;
    LevelTimer goalDelay{3.0f};
    LevelTimer deathDelay{1.0f};
    float animPhase = 0.0f;  // speed-tile animation, frames 0 to 4
    // The velocity a solid took from the player in this frame's tile tests.
    float blockedVx = 0.0f;
    float blockedVy = 0.0f;
};

inline bool movedLongEnough(const GameplayState& play) { return play.moveTime > quietMoveTime; }

// Frame start: the slide speed for this frame follows the unlockable switches.
void setSlideSpeed(AppState& app);

// One gameplay step with the frame time dt; runs on every screen.
void gameplayStep(AppState& app, float dt);

void snapToCell(LevelObject& object);
bool overlaps(const LevelObject& a, const LevelObject& b);
bool isOnTile(const LevelObject& player, const LevelObject& tile, float dt);
void stopPlayer(LevelObject& player);

// Reloads the map of the current play screen.
void restartLevel(AppState& app);
