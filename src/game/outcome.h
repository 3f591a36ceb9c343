#pragma once
// How an attempt ends: the goal and death delays, the hole fade, restarts, and
// the end of a test play.
#include "game/gameplay_state.h"

struct AppState;

void startTimer(LevelTimer& timer);
// Counts the timer down; true in the frame it fires.
bool stepTimer(LevelTimer& timer, float dt);

// The goal delay, then the death delay, each running its action when it fires.
void updateLevelTimers(AppState& app, float dt);
// The player sinking into a hole fades by 5 a frame, then the level restarts.
void fadeDyingPlayer(AppState& app);
// Reloads the map of the current play screen.
void restartLevel(AppState& app);
// Back to the editor's window and screen, with nothing recorded.
void endTestPlay(AppState& app);
