#pragma once
// A board with every kind on it, many enemies, and a player sliding through it all.
#include "app/app_state.h"

void loadBusyBoard(AppState& app);
// The level has run its course (the enemies died or the player crossed); load it again.
bool busyBoardSpent(const AppState& app);
// Enemies that did not move in the last frame leave no trail.
void holdEnemiesStill(AppState& app);
int enemyCount(const AppState& app);
