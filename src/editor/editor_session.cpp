#include "editor/editor_session.h"

#include "app/app_state.h"
#include "app/display.h"

namespace {

constexpr int editorWidth = 800, gameWidth = 640, windowHeight = 480;

}  // namespace

void openEditor(AppState& app) {
    setDisplayMode(editorWidth, windowHeight, displayFlags(app.windowed));
    app.screen = Editor;
}

void leaveEditorForMenu(AppState& app) {
    setDisplayMode(gameWidth, windowHeight, displayFlags(app.windowed));
    clearBoard(app.editor);
    app.editor.leavingEditor = false;
    app.screen = MainMenu;
}

bool hasUnsavedChanges(const EditorState& editor) { return editor.grid != editor.savedGrid; }

void clearBoard(EditorState& editor) {
    editor.grid.fill(Empty);
    editor.savedGrid.fill(Empty);
    editor.levelName.clear();
    editor.loadedName.clear();
}
