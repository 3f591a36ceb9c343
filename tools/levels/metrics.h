#pragma once
// How much thought a level asks for, as the solver measures it: the fewest moves,
// the resting states and dead ends of a full search, which of its tiles the level
// really needs and which pieces it could do without, how much of its best route
// is routine, whether a greedy first-sight player gets through, and whether
// its enemies matter and how much waiting they ask.
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

// A piece that can become floor without changing the fewest moves with the peach.
struct IdlePiece {
    CellPosition cell;
    int tile;
};

// How the greedy player of playGreedily ends, after how many presses.
enum class GreedyEnd { Won, GoalWithoutPeach, Stuck };
struct GreedyPlay {
    GreedyEnd end = GreedyEnd::Stuck;
    int presses = 0;
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
    bool enemiesMatter = false;         // the best route without them fails against some start
    std::vector<IdeaVerdict> ideas;     // one per family on the board, in table order
    std::vector<IdlePiece> idlePieces;  // decoys included: only the source knows them
    int longestRoutineRun = 0;          // on the worst start's route with the peach
    // The greedy player against every start: a win against any start, else the
    // loss against the first.
    GreedyPlay greedy;
    int greedyWins = 0;    // how many starts it beats
    int starts = 1;        // 2 to the number of enemies
    int mostWaitRuns = 0;  // fewestWaitRuns of the start that needs the most
    std::vector<std::string> warnings;
};

// Moves as the table counts them: presses plus runs of waits.
int moveCount(const std::vector<Move>& moves);
int waitRuns(const std::vector<Move>& moves);

LevelMetrics measureLevel(const LevelGrid& grid, const PlayRules& rules = {});

// Every piece that mayBeIdle and can become floor leaving the fewest moves with
// the peach as they are, and the level still possible.
std::vector<IdlePiece> idlePieces(const LevelGrid& grid, const PlayRules& rules = {});

// The longest run of routine presses on a route: a press is routine when every
// other press from that resting place changes nothing, ends the attempt at once
// (a death, a slide off the board, the goal), or goes straight back to the
// resting place the last press left. Waits are no alternative and neither count
// nor break a run. Places are told apart by everything but the enemies, which
// never stand still.
int longestRoutineRun(const LevelGrid& grid, const EnemyStarts& starts, const std::vector<Move>& route,
                      const PlayRules& rules = {});

// A player who plans nothing: from each resting place it takes the press that
// rests nearest, in |dx| + |dy| cells, to the nearest peach left (taking it is
// nearest of all), or to the nearest goal once the peach is taken. Ties go Left,
// Up, Right, Down. It never takes a press that kills, slides off the board or
// rests where it has rested before, and never waits. The goal without the peach
// is a loss, and so is having no press left.
GreedyPlay playGreedily(const LevelGrid& grid, const EnemyStarts& starts = {}, const PlayRules& rules = {});

// The fewest runs of waits a route with the fewest presses to the goal with the
// peach needs against these starts; -1 when there is none.
int fewestWaitRuns(const LevelGrid& grid, const EnemyStarts& starts, const PlayRules& rules = {});

// "wins in 9", "stuck after 4", "goal without the peach after 3".
std::string greedyText(const GreedyPlay& play);
// "key", "pass-once": how the table names a piece.
const char* pieceName(int tile);
