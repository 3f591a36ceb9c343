#pragma once
// The modal dialogs: their buttons, the darkened snapshot they are drawn over,
// the name input of LevelNameDialog, and what each button does.
#include "app/screen_id.h"

#include <SDL/SDL.h>

#include <string>

struct AppState;
struct UiState;

void buildDialogButtons(UiState& ui);
void releaseDialogButtons(UiState& ui);

// Copies the display as the last frame left it; the old copy and its darkened
// copy are freed first.
void takeSnapshot();
// Opens a dialog over a snapshot of the current screen. A dialog opened from a
// dialog keeps the first snapshot, so the first dialog does not show behind it.
void openDialog(AppState& app, ScreenId dialog);

// Pointer motion: the current dialog's buttons follow the pointer.
void updateDialogHover(AppState& app);
// One step of the click pass: the buttons of the current dialog, in their fixed order.
void pressDialogButtons(AppState& app);
// The close button of SaveChangesDialog, last in the click pass.
void pressCloseButton(AppState& app);

void drawDialog(AppState& app);
// The current dialog's button images, then later its captions, for a dialog that
// draws its own frame (the map browser).
void drawDialogButtonImages(AppState& app);
void drawDialogButtonCaptions(AppState& app);

// LevelNameDialog: whoever opens it gives the starting name.
void openLevelNameDialog(AppState& app, const std::string& name);
// Every key press while LevelNameDialog is open.
void typeIntoName(AppState& app, const SDL_keysym& key);
void textInputOn();
void textInputOff();
