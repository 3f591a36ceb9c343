#pragma once
// The level editor screen: its board and tool palette, the New, Load, Save and
// Play buttons, test play, and the question about unsaved changes.
#include "editor/editor_state.h"

#include <SDL/SDL.h>

#include <array>

struct AppState;

constexpr int toolCount = 21;
// Tool i sits at x = 656 + (i mod 3) x 48, y = 16 + (i div 3) x 48.
extern const std::array<SDL_Rect, toolCount> paletteRects;

// "Level Editor" in the main menu: the 800-wide window.
void openEditor(AppState& app);
// Escape: back to the menu, or first the save-changes question.
void editorEscape(AppState& app);
// To the main menu in the 640-wide window, with the board and names cleared.
void leaveEditorForMenu(AppState& app);
bool hasUnsavedChanges(const EditorState& editor);
void clearBoard(EditorState& editor);
// The code of a tool: tool t places code t + 1.
int toolCode(int tool);
// The current tool into the cell under (x, y); a new player replaces the old one.
void paint(EditorState& editor, int x, int y);
void drawEditor(AppState& app);

// The mouse on the Editor screen, in the places the click pass and the loop call them.
void editorPalettePress(AppState& app);
void editorBoardPress(AppState& app);
void editorRelease(AppState& app, int button);
void editorMotion(AppState& app);

// Escape during test play: back to the editor with the board as it was.
void testPlayEscape(AppState& app);

// The answers of SaveChangesDialog; its close button is the dialogs' own.
void saveChangesYes(AppState& app);
void saveChangesNo(AppState& app);
