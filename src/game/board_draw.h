#pragma once
// The board, layer by layer, onto the display surface.
struct AppState;

// Reads the state and changes none of it.
void drawBoard(const AppState& app);
