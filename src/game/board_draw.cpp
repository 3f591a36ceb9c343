#include "game/board_draw.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/resources.h"

void drawBoard(AppState& app) {
    if (!displaySurface) return;
    SDL_FillRect(displaySurface, nullptr, SDL_MapRGB(displaySurface->format, 136, 136, 136));
    bool dialog = isDialog(app.screen);
    drawImage(0, 0, dialog ? resources.screenSnapshot : image(Img::background));
    drawParticles(app.particles, displaySurface);
}
