#pragma once
// The level select screen: a cell for each built-in level, the cursor that the keys
// and the pointer move over the open ones, and the button to the unlockables.
#include <SDL/SDL.h>

struct AppState;
struct DialogAnswers;
struct UiState;

// Return starts the level under the cursor, Escape goes back to the menu, the arrows
// move over the open levels, U opens the unlockables.
void levelSelectKey(AppState& app, const SDL_keysym& key);
// The "Unlockables" button.
void pressLevelSelect(AppState& app, Uint8 button);
// A click on an open level starts it; a locked one refuses, as the arrows do.
void releaseLevelSquare(AppState& app, Uint8 button);
// The open level under the pointer becomes the selected one.
void pointAtLevelSquare(AppState& app);
void drawLevelSelect(AppState& app);
// Ok of GameWonDialog: the game counts as won from now on.
extern const DialogAnswers gameWonAnswers;

void buildLevelLabels(UiState& ui);
void releaseLevelLabels(UiState& ui);
