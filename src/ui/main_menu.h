#pragma once
// The main menu: four entries chosen with the keyboard or the pointer, the music,
// display and help buttons in the corner, and the credits strip.
#include <SDL/SDL.h>

struct AppState;
struct DialogAnswers;
struct UiState;

void buildMenuEntries(UiState& ui);
void releaseMenuEntries(UiState& ui);

// Up and Down wrap around the four entries, Return takes the selected one, Escape
// quits, M switches the music.
void menuKey(AppState& app, const SDL_keysym& key);
// Music, display, help, in that order.
void pressCornerButtons(AppState& app, Uint8 button);
// An entry is taken on the release, so the screen it leads to does not also take the press.
void releaseMenuEntry(AppState& app, Uint8 button);
// The entry under the pointer becomes the selected one.
void pointAtMenuEntry(AppState& app);
// The window button, also F11 and Alt+Return on every screen: the same picture in a
// window or on the full screen.
void toggleDisplay(AppState& app);
// Once per frame while the menu shows.
void moveCreditsBar(AppState& app);
void drawMainMenu(AppState& app);

// The answers to the questions that New Game and Load Game ask.
extern const DialogAnswers noSavedGameAnswers;
extern const DialogAnswers overwriteSaveAnswers;
