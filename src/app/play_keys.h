#pragma once
// The keys of the two play screens: the arrows (or W, A, S, D) the slide reads while
// they are held, R to restart and Escape to leave.
#include <SDL/SDL.h>

struct AppState;

void playLevelKey(AppState& app, const SDL_keysym& key);
void testPlayKey(AppState& app, const SDL_keysym& key);
// On every screen, so an arrow let go elsewhere is not held when play resumes.
void releasePlayKey(AppState& app, SDLKey key);
