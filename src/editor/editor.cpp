#include "editor/editor.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/platform.h"
#include "app/resources.h"
#include "editor/map_browser.h"
#include "level/map_file.h"
#include "ui/dialogs.h"
#include "ui/widgets.h"

#include <algorithm>

namespace {

constexpr int editorWidth = 800, gameWidth = 640, windowHeight = 480;
constexpr int lastBoardX = gameWidth - 1;  // painting and erasing act up to here
constexpr int maxOfferedNameLength = 17;

constexpr std::array<SDL_Rect, toolCount> makePaletteRects() {
    std::array<SDL_Rect, toolCount> rects{};
    for (int i = 0; i < toolCount; ++i)
        rects[i] = {static_cast<Sint16>(656 + (i % 3) * 48), static_cast<Sint16>(16 + (i / 3) * 48), cellSize,
                    cellSize};
    return rects;
}

void pressNew(AppState& app);
void pressSave(AppState& app);
void pressPlay(AppState& app);

struct EditorButton {
    SDL_Rect rect;
    Img::Key icon;
    Sint16 iconX, iconY;  // the icon's offset inside the button
    void (*press)(AppState&);
};

// Tested in this order; they do not overlap, so one press hits one button at most.
const EditorButton editorButtons[] = {
    {{680, 384, 32, 32}, Img::new_, 10, 8, pressNew},
    {{728, 384, 32, 32}, Img::load, 8, 8, openMapBrowser},
    {{680, 432, 32, 32}, Img::save, 8, 8, pressSave},
    {{728, 432, 32, 32}, Img::play, 12, 8, pressPlay},
};

// --- the board ---

bool onBoard(int x, int y) { return x >= 0 && x <= lastBoardX && y >= 0 && y < windowHeight; }

int cellUnder(int x, int y) {
    CellPosition cell = cellAt(x, y);
    return cellIndex(cell.column, cell.row);
}

void erase(EditorState& editor, int x, int y) {
    if (onBoard(x, y)) editor.grid[cellUnder(x, y)] = Empty;
}

bool hasPlayer(const LevelGrid& grid) { return std::find(grid.begin(), grid.end(), Player) != grid.end(); }

// What the name box offers: the loaded name, unless it is longer than a name can be typed.
std::string offeredName(const EditorState& editor) {
    return editor.loadedName.size() <= maxOfferedNameLength ? editor.loadedName : std::string();
}

// After the answer to the save-changes question: leave, or stay with an empty board.
void dropBoard(AppState& app) {
    if (app.editor.leavingEditor) {
        leaveEditorForMenu(app);
        return;
    }
    clearBoard(app.editor);
    app.screen = Editor;
}

// --- the buttons ---

void pressNew(AppState& app) {
    if (hasUnsavedChanges(app.editor)) {
        openDialog(app, SaveChangesDialog);
        return;
    }
    clearBoard(app.editor);
}

void pressSave(AppState& app) {
    takeSnapshot();
    openLevelNameDialog(app, offeredName(app.editor));
}

void pressPlay(AppState& app) {
    if (!hasPlayer(app.editor.grid)) {
        openDialog(app, NoPlayerDialog);
        return;
    }
    // A failed write plays whatever the test map already holds.
    writeMap(platform::joinPath(app.workingDir, testMapName), app.editor.grid);
    loadTestMap(app);
    setDisplayMode(gameWidth, windowHeight, displayFlags(app.windowed));
    app.screen = TestPlay;
}

// --- the questions ---

void saveChangesYes(AppState& app) {
    if (app.editor.loadedName.empty()) {
        openLevelNameDialog(app, offeredName(app.editor));  // over the same snapshot
        return;
    }
    if (!saveUnderLoadedName(app)) {
        // Clearing the board now would lose it: stay with it, still unsaved.
        app.editor.leavingEditor = false;
        app.screen = Editor;
        return;
    }
    dropBoard(app);
}

void saveChangesNo(AppState& app) { dropBoard(app); }

void backToEditor(AppState& app) { app.screen = Editor; }

// --- drawing ---

void fill(int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
    SDL_Rect area = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
    SDL_FillRect(displaySurface, &area, SDL_MapRGB(displaySurface->format, r, g, b));
}

// Every tile shows one cell of its image: the speed tiles' first frame, so they stand still.
void drawTile(int code, int x, int y) {
    if (!isObjectCode(code)) return;
    SDL_Rect firstFrame = {0, 0, cellSize, cellSize};
    drawImage(x, y, image(static_cast<Img::Key>(tileKinds[code].boardImage)), &firstFrame);
}

// A column has an odd number of cells, so one running count alternates both ways.
void drawCheckerboard() {
    int counter = 0;
    for (int x = 0; x < gameWidth; x += cellSize)
        for (int y = 0; y < windowHeight; y += cellSize)
            if (counter++ % 2 == 1) fill(x, y, cellSize, cellSize, 238, 238, 238);
}

void drawPanel() {
    fill(gameWidth, 0, editorWidth - gameWidth, windowHeight, 128, 128, 128);
    fill(660, 360, 124, 1, 64, 64, 64);
}

void drawPalette() {
    for (int tool = 0; tool < toolCount; ++tool) drawTile(toolCode(tool), paletteRects[tool].x, paletteRects[tool].y);
}

void drawEditorButtons() {
    for (const EditorButton& button : editorButtons) {
        drawImage(button.rect.x, button.rect.y, image(Img::editor_button));
        drawImage(button.rect.x + button.iconX, button.rect.y + button.iconY, image(button.icon));
    }
}

void drawBoardCells(const LevelGrid& grid) {
    for (int column = 0; column < boardColumns; ++column)
        for (int row = 0; row < boardRows; ++row)
            drawTile(grid[cellIndex(column, row)], column * cellSize, row * cellSize);
}

// The preview hides while the pointer is on the panel.
void drawToolPreview(const AppState& app) {
    if (app.mouseX > lastBoardX) return;
    CellPosition cell = cellAt(app.mouseX, app.mouseY);
    drawTile(toolCode(app.editor.currentTool), cell.column * cellSize, cell.row * cellSize);
}

void pressPalette(AppState& app) {
    for (int tool = 0; tool < toolCount; ++tool) {
        if (pointInRect(paletteRects[tool], app.mouseX, app.mouseY)) {
            app.editor.currentTool = tool;
            return;
        }
    }
}

// Left of the panel a press paints; on the panel it may hit a button.
void pressBoardOrButton(AppState& app) {
    if (app.mouseX <= lastBoardX) {
        paint(app.editor, app.mouseX, app.mouseY);
        return;
    }
    for (const EditorButton& button : editorButtons) {
        if (pointInRect(button.rect, app.mouseX, app.mouseY)) {
            button.press(app);
            return;
        }
    }
}

}  // namespace

const std::array<SDL_Rect, toolCount> paletteRects = makePaletteRects();

void editorKey(AppState& app, const SDL_keysym& key) {
    if (key.sym == SDLK_ESCAPE) editorEscape(app);
}

void editorEscape(AppState& app) {
    if (!hasUnsavedChanges(app.editor)) {
        leaveEditorForMenu(app);
        return;
    }
    openDialog(app, SaveChangesDialog);
    app.editor.leavingEditor = true;
}

int toolCode(int tool) {
    for (const TileKindInfo& info : tileKinds)
        if (info.paletteSlot == tool) return info.kind;
    return Empty;
}

void paint(EditorState& editor, int x, int y) {
    if (!onBoard(x, y)) return;
    int code = toolCode(editor.currentTool);
    if (code == Player)
        std::replace(editor.grid.begin(), editor.grid.end(), static_cast<int>(Player), static_cast<int>(Empty));
    editor.grid[cellUnder(x, y)] = code;
}

void drawEditor(AppState& app) {
    if (!displaySurface) return;
    // Test play fades this sprite when the player falls; the editor always shows it whole.
    if (SDL_Surface* player = image(Img::player)) SDL_SetAlpha(player, SDL_SRCALPHA, 255);
    fill(0, 0, editorWidth, windowHeight, 255, 255, 255);
    drawCheckerboard();
    drawPanel();
    drawPalette();
    drawEditorButtons();
    drawBoardCells(app.editor.grid);
    drawToolPreview(app);
}

void editorPress(AppState& app, Uint8 button) {
    if (button != SDL_BUTTON_LEFT) return;
    pressPalette(app);
    pressBoardOrButton(app);
}

void editorRelease(AppState& app, Uint8 button) {
    // A right click erases on the release, so a right drag can erase a line first.
    if (button == SDL_BUTTON_RIGHT) erase(app.editor, app.mouseX, app.mouseY);
}

void editorMotion(AppState& app) {
    // Without Shift a held left button has already painted the cell it was pressed on.
    if (app.input.shiftHeld && app.input.leftButtonHeld) paint(app.editor, app.mouseX, app.mouseY);
    if (app.input.rightButtonHeld) erase(app.editor, app.mouseX, app.mouseY);
}

void endTestPlay(AppState& app) {
    setDisplayMode(editorWidth, windowHeight, displayFlags(app.windowed));
    // A death delay left running would restart the next test play out of the blue.
    leavePlay(app.play);
    app.screen = Editor;
}

void testPlayEscape(AppState& app) {
    endTestPlay(app);
    app.particles.particles.clear();
}

const DialogAnswers saveChangesAnswers = {saveChangesYes, saveChangesNo};
const DialogAnswers noPlayerAnswers = {backToEditor, nullptr};
