#pragma once
// Every screen in one table, the dialogs included: what it draws over the board,
// what its keys and mouse buttons do, the help page F1 opens on it, and what a
// dialog's buttons answer.
#include "app/screen_id.h"

#include <SDL/SDL.h>

#include <array>

struct AppState;
struct DialogAnswers;

struct Screen {
    ScreenId id;
    void (*draw)(AppState&);  // null: the board is all there is
    void (*key)(AppState&, const SDL_keysym&);
    void (*press)(AppState&, Uint8 button);  // a mouse button went down
    void (*release)(AppState&, Uint8 button);
    void (*motion)(AppState&);  // the pointer moved
    const char* helpPage;       // relative to the game folder
    bool typesText;             // keys are typed: F1 and the shared keys go to the screen
    // A dialog's buttons, which take their keys and clicks before the columns above.
    const DialogAnswers* answers = nullptr;
};

constexpr int screenCount = GameWonDialog + 1;

// In the order one click is offered to them (see the table).
extern const std::array<Screen, screenCount> screens;

const Screen& screenFor(ScreenId id);

// Builds every screen's widgets and their pre-rendered captions, once at start-up.
void buildWidgets(AppState& app);
void releaseWidgets(AppState& app);
