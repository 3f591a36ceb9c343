#pragma once
// Every tile kind of a board in one table: its code, its letter in the level
// sources, its images, its editor slot, its name, its idea family, how it meets
// the sliding player and what the mirror makes of it. Everything else reads its
// facts from here.
#include "core/image_keys.h"

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

// The ideas a level can teach; the idea check takes a whole family off the board
// at once, since a key means nothing without its door.
enum class TileFamily { None, Holes, Earth, Arrows, SpeedTiles, PassOnces, KeysAndDoors, TheButton, Enemies };

// What the tile does to a player sliding into it.
enum class TileBehaviour {
    Floor,     // nothing: the player slides on
    Solid,     // stops the player in front of it
    PassOnce,  // lets the player cross once, then stops it like a wall
    OneWay,    // lets the player through one way only
    Swallows,  // ends the slide and the attempt
    Grips,     // stops the player on its own cell
    Pickup,    // taken on the way, the slide goes on
    Carries,   // turns the player its way at its own speed
    Kills,     // an enemy: touching it kills
    Opens,     // solid until a carried key opens it
    Presses,   // pressed on the way, removes every metal door
    Ends,      // the goal: stops the player and ends the attempt
};

constexpr int noImage = -1;
constexpr int noPaletteSlot = -1;

struct TileKindInfo {
    TileKind kind;
    const char* name;    // the name of its list of objects
    const char* title;   // what a player or designer calls it
    int boardImage;      // Img::Key, or noImage
    int oldschoolImage;  // Img::Key under Oldschool graphics, or noImage: the board image stays
    int paletteSlot;     // editor palette slot that places it, or noPaletteSlot
    char sourceChar;     // its letter in the level sources under data/levels
    TileFamily family;
    TileBehaviour behaviour;
    TileKind mirrored;  // what Mirrored levels makes of it: the arrows and speed tiles turn
};

extern const TileKindInfo tileKinds[TileKindCount];

inline bool isObjectCode(int code) { return code >= Player && code < TileKindCount; }
inline bool isEnemyCode(int code) { return code == UpDown || code == RightLeft; }
// The tile a source letter stands for, or -1.
int tileForChar(char letter);
