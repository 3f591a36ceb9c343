#include "ui/widgets.h"

#include "app/app_state.h"
#include "app/display.h"
#include "level/level_sequence.h"
#include "ui/dialogs.h"
#include "ui/main_menu.h"
#include "ui/unlockables.h"

bool pointInRect(const SDL_Rect& rect, int px, int py) {
    return rect.x < px && px < rect.x + rect.w && rect.y < py && py < rect.y + rect.h;
}

void buildWidgets(AppState& app) {
    buildDialogButtons(app.ui);
    buildMenuEntries(app.ui);
    buildLevelLabels(app.ui);
    buildUnlockables(app.ui);
    // Fixed once: in the wider editor window the notice still slides in at the same x.
    int width = displaySurface ? displaySurface->w : 640;
    app.ui.notice.x = static_cast<Sint16>(width - 216);
}

void releaseWidgets(AppState& app) {
    releaseDialogButtons(app.ui);
    releaseMenuEntries(app.ui);
    releaseLevelLabels(app.ui);
    releaseUnlockables(app.ui);
}
