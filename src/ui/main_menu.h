#pragma once
// The main menu: four entries chosen with the keyboard, the music, display and
// help buttons in the corner, and the credits strip.
#include <SDL/SDL.h>

struct AppState;
struct UiState;

void buildMenuEntries(UiState& ui);
void releaseMenuEntries(UiState& ui);

// Up and Down wrap around the four entries.
void moveMenuSelection(AppState& app, int step);
// Return: the selected entry's action.
void activateMenuEntry(AppState& app);
// One step of the click pass: music, display, help, in that order.
void pressCornerButtons(AppState& app);
// Once per frame while the menu shows.
void moveCreditsBar(AppState& app);
void drawMainMenu(AppState& app);
