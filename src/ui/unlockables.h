#pragma once
// The seven unlockables: their thresholds, their screen with names and check
// boxes, and the switches that the rest of the game reads from the saved game.
#include <SDL/SDL.h>

struct AppState;
struct UiState;
struct SavedGame;

// Unlockable i needs 5 x (i + 1) peaches.
int unlockThreshold(int index);
bool isUnlocked(const SavedGame& save, int index);

void buildUnlockables(UiState& ui);
void releaseUnlockables(UiState& ui);

// From the level select: the names of the options earned so far become readable.
void enterUnlockables(AppState& app);
// Escape: the switches are saved, then back to the level select.
void leaveUnlockables(AppState& app);
// The arrows choose an option, Space and Return switch it, Escape leaves.
void unlockablesKey(AppState& app, const SDL_keysym& key);
// The check boxes; a click also chooses the option.
void pressCheckboxes(AppState& app, Uint8 button);
// The option under the pointer becomes the chosen one.
void pointAtUnlockable(AppState& app);
void drawUnlockables(AppState& app);
