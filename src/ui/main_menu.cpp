#include "ui/main_menu.h"

#include "app/app_state.h"
#include "app/audio.h"
#include "app/display.h"
#include "app/platform.h"
#include "app/resources.h"
#include "editor/editor.h"
#include "level/level_sequence.h"
#include "level/saved_game.h"
#include "ui/dialogs.h"
#include "ui/notification.h"
#include "ui/widgets.h"

namespace {

struct MenuEntryRecord {
    const char* caption;
    Sint16 x, y;
    Sint16 labelX, labelY;
    void (*activate)(AppState&);
};

void chooseNewGame(AppState& app) {
    if (saveFileExists(savePath(app)))
        openDialog(app, OverwriteSaveDialog);
    else
        startNewGame(app, false);
}

void chooseLoadGame(AppState& app) {
    if (loadGame(app.save, savePath(app)))
        app.screen = LevelSelect;
    else
        openDialog(app, NoSavedGameDialog);
}

void chooseQuit(AppState& app) { app.running = false; }

void backToMainMenu(AppState& app) { app.screen = MainMenu; }
void startOverwrittenGame(AppState& app) { startNewGame(app, true); }

constexpr MenuEntryRecord menuEntryRecords[menuEntryCount] = {
    {"New Game", 256, 192, 20, 6, chooseNewGame},
    {"Load Game", 256, 240, 16, 6, chooseLoadGame},
    {"Level Editor", 256, 288, 16, 6, openEditor},
    {"Quit", 256, 336, 44, 6, chooseQuit},
};

constexpr SDL_Rect musicRect = {592, 432, 32, 32};
constexpr SDL_Rect displayRect = {544, 432, 32, 32};
constexpr SDL_Rect helpRect = {496, 432, 32, 32};
constexpr Sint16 creditsTop = 432, creditsBottom = 464;
constexpr const char* helpIndexPage = "help/index.html";

void drawMenuEntries(AppState& app) {
    for (int i = 0; i < menuEntryCount; ++i) {
        const MenuButton& entry = app.ui.menuEntries[i];
        const MenuEntryRecord& record = menuEntryRecords[i];
        drawImage(entry.x, entry.y, image(Img::menu_button));
        drawImage(entry.x + record.labelX, entry.y + record.labelY,
                  i == app.ui.menuSelection ? entry.hoverLabel : entry.label);
    }
}

void drawCornerButtons(AppState& app) {
    for (const SDL_Rect& rect : {musicRect, displayRect, helpRect})
        drawImage(rect.x, rect.y, image(Img::mainmenu_button));
    drawImage(musicRect.x + 7, musicRect.y + 8, image(app.musicOn ? Img::music_off : Img::music_on));
    drawImage(displayRect.x + 6, displayRect.y + 8, image(app.windowed ? Img::maximize : Img::minimize));
    drawImage(helpRect.x + 8, helpRect.y + 6, image(Img::help));
}

SDL_Rect entryRect(const MenuButton& entry) { return {entry.x, entry.y, 128, 32}; }

void moveMenuSelection(AppState& app, int step) {
    app.ui.menuSelection = (app.ui.menuSelection + step + menuEntryCount) % menuEntryCount;
}

void drawCreditsBar(AppState& app) {
    Sint16 y = app.ui.creditsBar.y;
    drawImage(0, y, image(Img::creditsbar));
    drawImage(2, y + 16, resources.texts[Txt::creditsLine1]);
    drawImage(2, y + 32, resources.texts[Txt::creditsLine2]);
}

}  // namespace

void buildMenuEntries(UiState& ui) {
    for (int i = 0; i < menuEntryCount; ++i) {
        const MenuEntryRecord& record = menuEntryRecords[i];
        MenuButton& entry = ui.menuEntries[i];
        entry.x = record.x;
        entry.y = record.y;
        entry.label = renderText(resources.font18, record.caption, black);
        entry.hoverLabel = renderText(resources.font18, record.caption, white);
    }
}

void releaseMenuEntries(UiState& ui) {
    for (MenuButton& entry : ui.menuEntries) {
        freeSurface(entry.label);
        freeSurface(entry.hoverLabel);
    }
}

void menuKey(AppState& app, const SDL_keysym& key) {
    switch (key.sym) {
        case SDLK_UP: moveMenuSelection(app, -1); break;
        case SDLK_DOWN: moveMenuSelection(app, 1); break;
        case SDLK_RETURN: menuEntryRecords[app.ui.menuSelection].activate(app); break;
        case SDLK_ESCAPE: app.running = false; break;
        case SDLK_m: toggleMusic(app); break;
        default: break;
    }
}

void toggleDisplay(AppState& app) {
    app.windowed = !app.windowed;
    int width = displaySurface ? displaySurface->w : 640, height = displaySurface ? displaySurface->h : 480;
    setDisplayMode(width, height, displayFlags(app.windowed));
    // A dialog draws over the picture the new surface no longer holds.
    if (isDialog(app.screen) && resources.screenSnapshot) drawImage(0, 0, resources.screenSnapshot);
}

void releaseMenuEntry(AppState& app, Uint8 button) {
    if (button != SDL_BUTTON_LEFT) return;
    for (int i = 0; i < menuEntryCount; ++i)
        if (clickedOn(app, MainMenu, entryRect(app.ui.menuEntries[i]))) menuEntryRecords[i].activate(app);
}

void pointAtMenuEntry(AppState& app) {
    for (int i = 0; i < menuEntryCount; ++i)
        if (pointInRect(entryRect(app.ui.menuEntries[i]), app.mouseX, app.mouseY)) app.ui.menuSelection = i;
}

void pressCornerButtons(AppState& app, Uint8 button) {
    if (button != SDL_BUTTON_LEFT) return;
    if (pointInRect(musicRect, app.mouseX, app.mouseY)) toggleMusic(app);
    if (pointInRect(displayRect, app.mouseX, app.mouseY)) toggleDisplay(app);
    if (pointInRect(helpRect, app.mouseX, app.mouseY)) openHelpPage(app, helpIndexPage);
}

// The strip rises while the pointer rests on it and sinks back when it leaves,
// one pixel a frame either way.
void moveCreditsBar(AppState& app) {
    SDL_Rect& bar = app.ui.creditsBar;
    if (pointInRect(bar, app.mouseX, app.mouseY) && app.mouseY <= 479) {
        if (bar.y > creditsTop) --bar.y;
    } else if (bar.y < creditsBottom) {
        ++bar.y;
    }
}

void drawMainMenu(AppState& app) {
    drawMenuEntries(app);
    drawCornerButtons(app);
    drawImage(82, 32, image(Img::logo));
    drawCreditsBar(app);
}

const DialogAnswers noSavedGameAnswers = {backToMainMenu, nullptr};
const DialogAnswers overwriteSaveAnswers = {startOverwrittenGame, backToMainMenu};
