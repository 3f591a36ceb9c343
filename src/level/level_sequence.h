#pragma once
// The thirty-five built-in levels in order, and the level select screen.
#include <SDL/SDL.h>

struct AppState;

void startLevel(AppState& app, int level);
// When the goal delay ends: records the peach and the next level, moves on, saves.
void finishLevel(AppState& app);
// Escape during play, outside the goal and death delays.
void leaveLevel(AppState& app);
void levelSelectKey(AppState& app, SDLKey key);
void drawLevelSelect(AppState& app);
