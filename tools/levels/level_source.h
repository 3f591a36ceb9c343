#pragma once
// Level sources: a readable text form of a built-in level. Lines "field: value"
// carry the level's title, its idea, what it teaches, its decoys and its recorded
// solution; the other non-empty
// lines are the 15 rows of 20 cells, one tile letter a cell. A level with enemies
// also says, in "enemies: down left", which way each enemy starts for the recorded
// solution, since the game draws those directions at random on every load.
#include "core/board.h"
#include "core/tile_kinds.h"

#include <string>
#include <vector>

enum class Move : char { Left = 'L', Right = 'R', Up = 'U', Down = 'D', Wait = 'W' };

// A wait stands still this many frames at 60 per second while the enemies patrol:
// fine enough to time a crossing, coarse enough to keep the search small.
constexpr int waitFrames = 6;
// Every start of every enemy is checked, 2 to the number of enemies; more would
// make a level slow to prove and hard to read.
constexpr int maxEnemies = 4;

// Which way each enemy starts, in the order the game's loader draws them (row by
// row, left to right, as a map file lists its cells): true is down for an up-down enemy, right for a
// left-right one, as the loader's random draw gives them.
using EnemyStarts = std::vector<bool>;

// A piece left on the board to invite a plan that fails: the idle-piece check
// forgives it, and the level table names it.
struct Decoy {
    CellPosition cell{0, 0};
    std::string plan;  // the wrong plan it invites
};

// At most this many decoys a level: more would be a board of red herrings.
constexpr int maxDecoys = 2;

struct LevelSource {
    LevelGrid grid{};
    std::string name;  // the title players see: two or three words
    std::string idea;  // the insight the level asks for, one sentence
    std::string teaches;
    std::vector<Decoy> decoys;
    std::vector<Move> solution;
    EnemyStarts enemies;   // the starts the solution was recorded with
    int firstRowLine = 0;  // where the board starts, for messages about the whole board
};

// Errors come as "file:line: message", the form editors and build logs link.
struct SourceError {
    std::string message;
};

// Reads a source text; `file` only names it in the errors. Returns no errors when
// the level is well formed.
std::vector<SourceError> parseLevelSource(const std::string& text, const std::string& file, LevelSource& level);
bool readLevelSource(const std::string& path, LevelSource& level, std::vector<SourceError>& errors);

// The text of a source, as a designer would write it; parseLevelSource reads it back.
std::string levelSourceText(const LevelSource& level);

// Presses as letters; a run of waits reads "W<frames>", e.g. "R W12 D".
std::string movesText(const std::vector<Move>& moves);
bool parseMoves(const std::string& text, std::vector<Move>& moves);
int pressCount(const std::vector<Move>& moves);

// The enemy codes of a board in load order.
std::vector<int> enemiesInLoadOrder(const LevelGrid& grid);
// "down left": one word per enemy, the way it starts.
std::string startsText(const LevelGrid& grid, const EnemyStarts& starts);
bool parseStarts(const LevelGrid& grid, const std::string& text, EnemyStarts& starts);

// A piece whose worth the idle-piece check judges, and so one that may be a
// decoy: not the frame of the board (walls, holes), not what the level is about
// (the player, the goal, the peach), and no enemy, which is judged by whether
// the best route without it fails.
bool mayBeIdle(int tile);

// "12,4": column and row counted from 1, as a designer reads them off the board.
std::string cellText(CellPosition cell);

// "data/levels/level07.txt" is level 7; 0 when the name carries no number.
int levelNumberOf(const std::string& path);
// Every level*.txt of the folder, in order of number.
std::vector<std::string> levelSourcesIn(const std::string& folder);
