#include "ui/screen_layers.h"

#include "app/app_state.h"
#include "editor/editor.h"
#include "level/level_sequence.h"
#include "ui/dialogs.h"
#include "ui/main_menu.h"
#include "ui/unlockables.h"

void drawScreenLayer(AppState& app) {
    switch (app.screen) {
        case MainMenu:
            moveCreditsBar(app);
            drawMainMenu(app);
            break;
        case Editor: drawEditor(app); break;
        case LevelSelect: drawLevelSelect(app); break;
        case Unlockables: drawUnlockables(app); break;
        case PlayLevel:
        case TestPlay: break;  // the board is all there is
        default: drawDialog(app); break;
    }
}
