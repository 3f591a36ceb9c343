#include "ui/widgets.h"

bool pointInRect(const SDL_Rect& rect, int px, int py) {
    return rect.x < px && px < rect.x + rect.w && rect.y < py && py < rect.y + rect.h;
}
