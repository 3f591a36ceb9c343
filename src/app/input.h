#pragma once
// SDL events become the game's reactions here: each goes to the screen showing,
// through its row of the screen table.
#include "app/app_state.h"

#include <SDL/SDL.h>

void routeEvent(AppState& app, const SDL_Event& event);
// The first joystick or gamepad found at start; it then moves and answers as the keys do.
void openGamepad();

void handleKeyDown(AppState& app, const SDL_keysym& key);
void handleKeyUp(AppState& app, SDLKey key);
void handleMouseDown(AppState& app, Uint8 button);
void handleMouseUp(AppState& app, Uint8 button);
void handleMouseMotion(AppState& app);

// Ctrl+Plus (or Ctrl+=) makes the window a step larger: +1; Ctrl+Minus smaller: -1; else 0.
int windowScaleStep(const SDL_keysym& key);

// The help page that F1 opens on a screen, relative to the game folder.
const char* helpPageFor(ScreenId screen);
