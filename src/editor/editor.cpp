#include "editor/editor.h"

#include "app/app_state.h"
#include "app/display.h"
#include "ui/dialogs.h"

namespace {

constexpr int editorWidth = 800, gameWidth = 640, windowHeight = 480;

void fill(int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
    SDL_Rect area = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
    SDL_FillRect(displaySurface, &area, SDL_MapRGB(displaySurface->format, r, g, b));
}

// A column has an odd number of cells, so one running count alternates both ways.
void drawCheckerboard() {
    int counter = 0;
    for (int x = 0; x < gameWidth; x += cellSize)
        for (int y = 0; y < windowHeight; y += cellSize)
            if (counter++ % 2 == 1) fill(x, y, cellSize, cellSize, 238, 238, 238);
}

void leaveEditorForMenu(AppState& app) {
    setDisplayMode(gameWidth, windowHeight, displayFlags(app.windowed));
    clearBoard(app.editor);
    app.editor.leavingEditor = false;
    app.screen = MainMenu;
}

}  // namespace

void openEditor(AppState& app) {
    setDisplayMode(editorWidth, windowHeight, displayFlags(app.windowed));
    app.screen = Editor;
}

void editorEscape(AppState& app) {
    if (!hasUnsavedChanges(app.editor)) {
        leaveEditorForMenu(app);
        return;
    }
    openDialog(app, SaveChangesDialog);
    app.editor.leavingEditor = true;
}

bool hasUnsavedChanges(const EditorState& editor) { return editor.grid != editor.savedGrid; }

void clearBoard(EditorState& editor) {
    editor.grid.fill(Empty);
    editor.savedGrid.fill(Empty);
    editor.levelName.clear();
    editor.loadedName.clear();
}

void drawEditor(AppState&) {
    if (!displaySurface) return;
    fill(0, 0, editorWidth, windowHeight, 255, 255, 255);
    drawCheckerboard();
    fill(gameWidth, 0, editorWidth - gameWidth, windowHeight, 128, 128, 128);
    fill(660, 360, 124, 1, 64, 64, 64);
}

void editorPalettePress(AppState&) {}
void editorBoardPress(AppState&) {}
void editorRelease(AppState&, int) {}
void editorMotion(AppState&) {}
void testPlayEscape(AppState&) {}
void fileBrowserWheel(AppState&, int) {}
void fileBrowserPress(AppState&) {}
void fileBrowserDelete(AppState&) {}
void drawFileBrowser(AppState&) {}

void saveNamedMap(AppState&) {}
void overwriteLevel(AppState&) {}
void openSelectedMap(AppState&) {}
void discardAndOpenMap(AppState&) {}
void deleteSelectedMap(AppState&) {}
void saveChangesYes(AppState&) {}

void saveChangesNo(AppState& app) {
    if (app.editor.leavingEditor) {
        leaveEditorForMenu(app);
        return;
    }
    clearBoard(app.editor);
    app.screen = Editor;
}
