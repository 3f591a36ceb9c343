#pragma once
// Coming into the editor's wider window and leaving it, and whether the board holds
// changes that were never saved.
#include "editor/editor_state.h"

struct AppState;

// "Level Editor" in the main menu: the 800-wide window.
void openEditor(AppState& app);
// To the main menu in the 640-wide window, with the board and names cleared.
void leaveEditorForMenu(AppState& app);
bool hasUnsavedChanges(const EditorState& editor);
void clearBoard(EditorState& editor);
