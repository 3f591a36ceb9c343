#include "app/display.h"

#include <cmath>

SDL_Surface* displaySurface = nullptr;

bool setDisplayMode(int width, int height, Uint32 flags) {
    displaySurface = SDL_SetVideoMode(width, height, 32, flags);
    return displaySurface != nullptr;
}

Sint16 toPixel(float coordinate) {
    // Out-of-range floats would be undefined to convert, so they are pinned first.
    if (!(coordinate > -32768.0f)) return -32768;
    if (coordinate > 32767.0f) return 32767;
    return static_cast<Sint16>(std::trunc(coordinate));
}

void drawImage(float x, float y, SDL_Surface* image, SDL_Surface* target, SDL_Rect* source) {
    if (!image || !target) return;
    SDL_Rect destination = {toPixel(x), toPixel(y), 0, 0};
    SDL_BlitSurface(image, source, target, &destination);
}
