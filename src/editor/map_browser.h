#pragma once
// The map files of the "maps" folder: the browser that lists, opens and deletes
// them, and saving the editor's board under a typed or the loaded name.
#include <SDL/SDL.h>

#include <string>

struct AppState;
struct DialogAnswers;

constexpr const char* mapsFolderName = "maps";

// The Load button: lists the folder afresh, then the browser or NoMapsDialog.
void openMapBrowser(AppState& app);
// The list and its scroll buttons, after Open and Cancel; the wheel scrolls.
void pressFileBrowser(AppState& app, Uint8 button);
// Up and Down move the selection, Page Up and Page Down scroll a page, Delete asks
// about the selected file.
void mapBrowserKey(AppState& app, const SDL_keysym& key);
// Drawn over the dimmed snapshot.
void drawFileBrowser(AppState& app);

// How a listed file name is shown: whole up to 16 characters, else shortened to 18.
std::string displayName(const std::string& fileName);
// The file name for a typed name: ".map" appended unless it already ends so.
std::string mapFileName(const std::string& text);

// Writes the board over the map last opened or saved; false when that failed.
bool saveUnderLoadedName(AppState& app);

// The answers of the browser and of the questions about opening, deleting and saving map files.
extern const DialogAnswers fileBrowserAnswers;
extern const DialogAnswers unsavedChangesAnswers;
extern const DialogAnswers deleteFileAnswers;
extern const DialogAnswers noMapsAnswers;
extern const DialogAnswers levelNameAnswers;
extern const DialogAnswers overwriteLevelAnswers;
