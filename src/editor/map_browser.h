#pragma once
// The map files of the "maps" folder: the browser that lists, opens and deletes
// them, and saving the editor's board under a typed or the loaded name.
#include <SDL/SDL.h>

#include <string>

struct AppState;

constexpr const char* mapsFolderName = "maps";

// The Load button: lists the folder afresh, then the browser or NoMapsDialog.
void openMapBrowser(AppState& app);
// Wheel presses, and left presses on the list and the scroll buttons.
void mapBrowserPress(AppState& app, int button, int x, int y);
// The Delete key while the browser is open.
void mapBrowserKey(AppState& app, SDLKey key);
// Drawn over the dimmed snapshot.
void drawFileBrowser(AppState& app);

// "Open" of the browser: asks first when the board has unsaved changes.
void openFromBrowser(AppState& app);
// Reads the selected file into the board, dropping any changes ("Continue").
void openSelectedMap(AppState& app);
// "Yes" of DeleteFileDialog.
void deleteSelectedMap(AppState& app);

// How a listed file name is shown: whole up to 16 characters, else shortened to 18.
std::string displayName(const std::string& fileName);
// The file name for a typed name: ".map" appended unless it already ends so.
std::string mapFileName(const std::string& text);

// "Save" of LevelNameDialog.
void saveUnderTypedName(AppState& app);
// "Yes" of OverwriteLevelDialog.
void overwriteLevel(AppState& app);
// Writes the board over the map last opened or saved; false when that failed.
bool saveUnderLoadedName(AppState& app);
