#pragma once
// The hit test every widget shares.
#include <SDL/SDL.h>

// Strict on every side: a pointer on an edge is outside.
bool pointInRect(const SDL_Rect& rect, int px, int py);
