#pragma once
// The one display surface and the one routine that draws onto it.
#include <SDL/SDL.h>

extern SDL_Surface* displaySurface;

constexpr Uint32 windowFlags = SDL_HWSURFACE;
constexpr Uint32 fullScreenFlags = SDL_FULLSCREEN | SDL_HWSURFACE;

inline Uint32 displayFlags(bool windowed) { return windowed ? windowFlags : fullScreenFlags; }

// Replaces displaySurface; false when no surface resulted.
bool setDisplayMode(int width, int height, Uint32 flags);

// Positions are floats; the corner is truncated toward zero (3.9 -> 3, -0.5 -> 0).
// A null image draws nothing; a null source rectangle draws the whole image.
void drawImage(float x, float y, SDL_Surface* image, SDL_Surface* target, SDL_Rect* source = nullptr);

// Draws onto the display surface.
inline void drawImage(float x, float y, SDL_Surface* image, SDL_Rect* source = nullptr) {
    drawImage(x, y, image, displaySurface, source);
}

Sint16 toPixel(float coordinate);
