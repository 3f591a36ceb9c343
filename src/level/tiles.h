#pragma once
// The tile codes of a board, with everything that belongs to each code.
#include "app/resources.h"

enum TileKind : int {
    Empty = 0,
    Player,
    Wall,
    Peach,
    Goal,
    PassOnce,
    Hole,
    ArrowLeft,
    ArrowUp,
    ArrowRight,
    ArrowDown,
    Earth,
    SpeedLeft,
    SpeedUp,
    SpeedRight,
    SpeedDown,
    UpDown,
    RightLeft,
    Key,
    Door,
    Button,
    MetalDoor,
    TileKindCount
};

constexpr int noImage = -1;
constexpr int noPaletteSlot = -1;

struct TileKindInfo {
    TileKind kind;
    const char* name;      // the name of its list of objects
    int boardImage;        // Img::Key, or noImage
    int paletteSlot;       // editor palette slot that places it, or noPaletteSlot
    char sourceChar;       // its letter in the level sources under data/levels
};

extern const TileKindInfo tileKinds[TileKindCount];

inline bool isObjectCode(int code) { return code >= Player && code < TileKindCount; }
