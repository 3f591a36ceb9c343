#pragma once
// The level editor's board, its baseline copy and names, and the map browser's list.
#include "core/board.h"

#include <string>
#include <vector>

// The list of map files; the two indexes keep their values from one opening to the next.
struct MapBrowserState {
    std::vector<std::string> mapNames;  // as the folder listing gives them, unsorted
    int selectedMap = 0;
    int firstVisible = 0;
};

struct EditorState {
    LevelGrid grid{};
    LevelGrid savedGrid{};  // the board as last loaded, saved or cleared
    int currentTool = 0;    // tool t places code t + 1
    std::string levelName;
    std::string loadedName;
    bool leavingEditor = false;
    std::string overwriteName;  // the file the overwrite question is about
    MapBrowserState browser;
};
