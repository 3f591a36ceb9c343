#include "ui/widgets.h"

#include "app/app_state.h"

bool pointInRect(const SDL_Rect& rect, int px, int py) {
    return rect.x < px && px < rect.x + rect.w && rect.y < py && py < rect.y + rect.h;
}

bool clickedOn(const AppState& app, ScreenId screen, const SDL_Rect& target) {
    return app.input.pressedOn == screen && app.screen == screen &&
           pointInRect(target, app.input.pressX, app.input.pressY) && pointInRect(target, app.mouseX, app.mouseY);
}
