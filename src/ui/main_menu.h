#pragma once
// The main menu: four entries chosen with the keyboard, the music, display and
// help buttons in the corner, and the credits strip.
#include <SDL/SDL.h>

struct AppState;
struct UiState;

void buildMenuEntries(UiState& ui);
void releaseMenuEntries(UiState& ui);

// Up and Down wrap around the four entries, Return takes the selected one, Escape quits.
void menuKey(AppState& app, const SDL_keysym& key);
// Music, display, help, in that order.
void pressCornerButtons(AppState& app, Uint8 button);
// Once per frame while the menu shows.
void moveCreditsBar(AppState& app);
void drawMainMenu(AppState& app);

// The answers to the questions that New Game and Load Game ask.
void answerNoSavedGame(AppState& app, Uint8 button);
void answerOverwriteSave(AppState& app, Uint8 button);
