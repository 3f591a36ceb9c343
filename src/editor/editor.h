#pragma once
// The level editor screen: entering and leaving it, its board and panel, and the
// places where its commands and file flows join the screens and dialogs.
#include "editor/editor_state.h"

struct AppState;

// "Level Editor" in the main menu: the 800-wide window.
void openEditor(AppState& app);
// Escape: back to the menu, or first the save-changes question.
void editorEscape(AppState& app);
bool hasUnsavedChanges(const EditorState& editor);
void clearBoard(EditorState& editor);
void drawEditor(AppState& app);

// Commands that arrive with the editor's palette, buttons and map browser.
void editorPalettePress(AppState& app);
void editorBoardPress(AppState& app);
void editorRelease(AppState& app, int button);
void editorMotion(AppState& app);
void testPlayEscape(AppState& app);
void fileBrowserWheel(AppState& app, int button);
void fileBrowserPress(AppState& app);
void fileBrowserDelete(AppState& app);
void drawFileBrowser(AppState& app);

// Dialog answers that read or write map files.
void saveNamedMap(AppState& app);
void overwriteLevel(AppState& app);
void openSelectedMap(AppState& app);
void discardAndOpenMap(AppState& app);
void deleteSelectedMap(AppState& app);
void saveChangesYes(AppState& app);
void saveChangesNo(AppState& app);
