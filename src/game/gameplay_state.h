#pragma once
// The state of a level in play beside its objects: the player's move, the held keys
// and the timers of an attempt.
#include "core/play_state.h"
#include "level/level.h"

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
