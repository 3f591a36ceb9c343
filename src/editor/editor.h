#pragma once
// The level editor screen: its board and tool palette, the New, Load, Save and
// Play buttons, test play, and the question about unsaved changes.
#include "editor/editor_session.h"
#include "editor/editor_state.h"

#include <SDL/SDL.h>

#include <array>

struct AppState;
struct DialogAnswers;

constexpr int toolCount = 21;
// Tool i sits at x = 656 + (i mod 3) x 48, y = 16 + (i div 3) x 48.
extern const std::array<SDL_Rect, toolCount> paletteRects;

// Escape: back to the menu, or first the save-changes question.
void editorKey(AppState& app, const SDL_keysym& key);
void editorEscape(AppState& app);
// The code of a tool: tool t places code t + 1.
int toolCode(int tool);
// The current tool into the cell under (x, y); a new player replaces the old one.
void paint(EditorState& editor, int x, int y);
void drawEditor(AppState& app);

// The mouse on the Editor screen: a left press picks a tool, paints or presses a
// button; a right press erases on its release.
void editorPress(AppState& app, Uint8 button);
void editorRelease(AppState& app, Uint8 button);
void editorMotion(AppState& app);

// Back to the editor's window and screen, with nothing of the test play left.
void endTestPlay(AppState& app);
// Escape during test play: back to the editor with the board as it was.
void testPlayEscape(AppState& app);

// The answers of SaveChangesDialog (its close button is the dialog's own) and of NoPlayerDialog.
extern const DialogAnswers saveChangesAnswers;
extern const DialogAnswers noPlayerAnswers;
