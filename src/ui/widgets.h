#pragma once
// The hit tests every widget shares.
#include "app/screen_id.h"

#include <SDL/SDL.h>

struct AppState;

// Strict on every side: a pointer on an edge is outside.
bool pointInRect(const SDL_Rect& rect, int px, int py);
// A left button released over the target it was pressed on, the press made on the
// given screen. A click that answered a dialog and led here is no click on this screen.
bool clickedOn(const AppState& app, ScreenId screen, const SDL_Rect& target);
