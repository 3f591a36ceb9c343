#pragma once
// How much thought a level asks for, as the solver measures it: the fewest moves,
// the resting states and dead ends of a full search, which of its ideas the level
// really needs, whether its enemies matter, and how far its board lies from another.
#include "solver.h"

#include <string>
#include <vector>

// The tiles that make one idea of a level. The idea check takes a whole family off
// the board at once: a key means nothing without its door, nor a button without
// its metal doors.
struct IdeaFamily {
    const char* name;  // as the level table prints it
    TileFamily family;
    std::vector<const char*> words;  // any of these in a `teaches:` line names the family
    std::vector<TileKind> kinds;     // the family's rows of the tile table, in code order
};

const std::vector<IdeaFamily>& ideaFamilies();

// The families a `teaches:` line names.
std::vector<const IdeaFamily*> familiesNamed(const std::string& teaches);

// The board with every tile of the family made empty floor.
LevelGrid withoutFamily(const LevelGrid& grid, const IdeaFamily& family);

struct IdeaVerdict {
    const IdeaFamily* family;
    bool needed;  // taking the family away changed the answer with the peach
};

struct LevelMetrics {
    bool solvable = false;  // the goal with the peach, whichever way the enemies start
    // Moves of the worst start's fewest routes: presses, and with enemies each run
    // of waits counts as one move too, since deciding to wait is a move of its own.
    int toGoal = 0;
    int withPeach = 0;
    int waits = 0;  // runs of waits in the worst start's route with the peach
    int states = 0;
    int deadEnds = 0;
    bool hasEnemies = false;
    bool enemiesMatter = false;  // the best route without them fails against some start
    std::vector<IdeaVerdict> ideas;  // one per family on the board, in table order
    std::vector<std::string> warnings;
};

// Moves as the table counts them: presses plus runs of waits.
int moveCount(const std::vector<Move>& moves);
int waitRuns(const std::vector<Move>& moves);

LevelMetrics measureLevel(const LevelGrid& grid, const PlayRules& rules = {});

// Cells that differ between two boards, also comparing the second one mirrored
// left to right; the smaller count.
int boardDistance(const LevelGrid& a, const LevelGrid& b);
