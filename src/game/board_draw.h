#pragma once
// The board, layer by layer, onto the display surface.
struct AppState;

void drawBoard(AppState& app);
