#pragma once
// The level editor's board, its baseline copy and names.
#include "level/level.h"

#include <string>

struct EditorState {
    LevelGrid grid{};
    LevelGrid savedGrid{};
    int currentTool = 0;
    std::string levelName;
    std::string loadedName;
    bool leavingEditor = false;
};
