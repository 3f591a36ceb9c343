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

// A dialog's buttons from left to right; the close button is that of SaveChangesDialog.
enum DialogSlot : int { LeftButton, RightButton, CloseButton };

using DialogAnswer = void (*)(AppState&);
// What a dialog's buttons do, left to right. A dialog of one button has only a left answer.
struct DialogAnswers {
    DialogAnswer left;
    DialogAnswer right;
};

// The button that Return presses; the pointer and the keys both choose it. A dialog
// opens with its default button chosen.
int chosenDialogButton(const AppState& app);
// Pointer motion: the button under the pointer becomes the chosen one.
void chooseDialogButtonUnderPointer(AppState& app);
// A press on the current dialog: its buttons left to right, each answering only
// while the dialog still shows.
void pressDialogButtons(AppState& app, Uint8 button, const DialogAnswers& answers);
// Left, Right and Tab choose a button, Return presses the chosen one, Escape the
// cancelling one. False for every other key, which the dialog leaves to its screen.
bool answerDialogKey(AppState& app, SDLKey key, const DialogAnswers& answers);
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
