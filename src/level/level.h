#pragma once
// The board in its two forms: the grid of codes that map files and the editor
// use, and the live objects that play moves, removes and draws.
#include "core/board.h"
#include "level/tiles.h"

#include <array>
#include <vector>

struct LevelObject {
    float x = 0, y = 0;
    float prevX = -1.0f, prevY = -1.0f;
    float startX = 0, startY = 0;
    float width = 0, height = 0;
    float vx = 0, vy = 0;
    int alpha = 255;
    int state = 2;  // pass-once tiles: 2 unused, 1 being crossed, 0 solid
    SDL_Surface* image = nullptr;  // owned by the ResourceSet
};

struct LevelObjects {
    LevelObject player;
    // One list per code from Wall to MetalDoor, indexed by code; lists[Empty] and
    // lists[Player] stay empty.
    std::array<std::vector<LevelObject>, TileKindCount> lists;
    int keysHeld = 0;

    std::vector<LevelObject>& operator[](TileKind kind) { return lists[kind]; }
    const std::vector<LevelObject>& operator[](TileKind kind) const { return lists[kind]; }
};

void clearLevelObjects(LevelObjects& level);

struct SavedGame;
// Builds the object of one cell and files it in its list; enemy speeds follow the
// unlockable switches of `save`.
void addCellObject(LevelObjects& level, const SavedGame& save, int code, int column, int row);

// True on an even pseudo-random number; seeds the generator from the clock on first use.
bool randomBool();
