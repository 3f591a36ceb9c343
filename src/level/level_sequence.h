#pragma once
// The thirty-five built-in levels in order, and the progress that playing them records.
#include <string>

struct AppState;

// Where the saved game lives: the working directory fetched at start-up.
std::string savePath(const AppState& app);
// Writes the progress; a failed write leaves the old file as it was.
bool saveProgress(const AppState& app);

// Progress back to level 1, saved, then the level select. Only the overwrite
// question also switches the unlockables off.
void startNewGame(AppState& app, bool switchUnlockablesOff);

void startLevel(AppState& app, int level);
// When the goal delay ends: records the peach and the next level, moves on, saves.
void finishLevel(AppState& app);
// Escape during play, outside the goal and death delays.
void leaveLevel(AppState& app);
