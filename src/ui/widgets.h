#pragma once
// The hit test every widget shares, and the building and release of the buttons,
// captions and labels the screens own.
#include <SDL/SDL.h>

struct AppState;

// Strict on every side: a pointer on an edge is outside.
bool pointInRect(const SDL_Rect& rect, int px, int py);

// Builds every screen's widgets and their pre-rendered captions, once at start-up.
void buildWidgets(AppState& app);
void releaseWidgets(AppState& app);
