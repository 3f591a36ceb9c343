#pragma once
// The running program in the level editor: where its palette, buttons and dialog
// buttons are, typing a name, and map files in the temporary "maps" folder.
#include "app/app_state.h"
#include "editor/editor.h"
#include "level/map_file.h"
#include "support/board_sketch.h"
#include "support/test_support.h"

#include <sys/stat.h>

#include <algorithm>
#include <string>

class EditorFlowTest : public GameTest {
protected:
    void enterEditor() {
        app.ui.menuSelection = 2;
        tapKey(SDLK_RETURN);
        ASSERT_EQ(app.screen, Editor);
    }
    void selectTool(int tool) { click(paletteRects[tool].x + 16, paletteRects[tool].y + 16); }
    void clickCell(int column, int row) { click(column * 32 + 16, row * 32 + 16); }
    void paintCell(int tool, int column, int row) {
        selectTool(tool);
        clickCell(column, row);
    }
    void rightClickCell(int column, int row) {
        pushMotion(column * 32 + 16, row * 32 + 16);
        pushButton(SDL_BUTTON_RIGHT, true);
        pushButton(SDL_BUTTON_RIGHT, false);
        frames(1);
    }
    int& cell(int column, int row) { return app.editor.grid[cellIndex(column, row)]; }
    int count(int code) const {
        return static_cast<int>(std::count(app.editor.grid.begin(), app.editor.grid.end(), code));
    }

    void pressNew() { click(696, 400); }
    void pressLoad() { click(744, 400); }
    void pressSave() { click(696, 448); }
    void pressPlay() { click(744, 448); }
    // The left and right buttons of the two-button dialogs of the editor window.
    void answerLeft() { click(300, 270); }
    void answerRight() { click(430, 270); }
    void answerOk() { click(370, 270); }  // NoMapsDialog and NoPlayerDialog
    void pressClose() { click(539, 193); }
    void pressOpen() { click(300, 340); }
    void pressCancel() { click(430, 340); }

    void typeText(const std::string& text) {
        for (char c : text) pushKey(SDLK_UNKNOWN, true, static_cast<Uint8>(c));
        frames(1);
    }
    // Save, a typed name, Save: the map lands in "maps" under that name.
    void saveAs(const std::string& name) {
        pressSave();
        app.editor.levelName.clear();
        typeText(name);
        answerLeft();
    }

    int displayWidth() const { return SDL_GetVideoSurface() ? SDL_GetVideoSurface()->w : 0; }

    std::string mapPath(const std::string& name) const { return folder_.file("maps/" + name); }
    void makeMapsFolder() const { mkdir(folder_.file("maps").c_str(), 0755); }
    void writeMapFile(const std::string& name, const std::string& text = "") const {
        makeMapsFolder();
        writeWholeFile(mapPath(name), text);
    }
    bool exists(const std::string& name) const {
        struct stat info;
        return stat(mapPath(name).c_str(), &info) == 0;
    }
};
