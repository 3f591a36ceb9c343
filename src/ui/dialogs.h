#pragma once
// The modal dialogs: their buttons, the darkened snapshot they are drawn over,
// and the name input of LevelNameDialog. What a button does is up to the module
// that asked the question.
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
using DialogAnswer = void (*)(AppState&);
// A press on the current dialog: its buttons left to right, each answering only
// while the dialog still shows. A dialog of one button has only a left answer.
void pressDialogButtons(AppState& app, Uint8 button, DialogAnswer left, DialogAnswer right = nullptr);
// The close button of SaveChangesDialog: back to the editor, which stays open.
void pressCloseButton(AppState& app, Uint8 button);

// The snapshot darkened, for a dialog that draws its own frame over it (the map browser).
void drawDialogBackdrop(AppState& app);
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
