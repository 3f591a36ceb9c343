#pragma once
// The player's own motion within a gameplay step: sliding, starting a move,
// the one-cell stepping of Low friction and falling off the board.
struct AppState;

void movePlayer(AppState& app, float dt);
void startMove(AppState& app);
void stepOneCell(AppState& app, float dt);
void leaveBoard(AppState& app);
