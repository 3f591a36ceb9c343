#pragma once
// The level select screen: a cell for each built-in level, the cursor that moves over
// the open ones, and the button to the unlockables.
#include <SDL/SDL.h>

struct AppState;
struct UiState;

// Return starts the level under the cursor, Escape goes back to the menu, the arrows move.
void levelSelectKey(AppState& app, const SDL_keysym& key);
// The "Unlockables" button.
void pressLevelSelect(AppState& app, Uint8 button);
void drawLevelSelect(AppState& app);
// Ok of GameWonDialog: the game counts as won from now on.
void answerGameWon(AppState& app, Uint8 button);

void buildLevelLabels(UiState& ui);
void releaseLevelLabels(UiState& ui);
