#pragma once
// A breadth-first search over key presses that plays every press through the
// rules' own step, frame by frame with dt 1/60 s, on copies of the play state. It answers the fewest moves to the goal,
// with and without every peach, and what a level designer would want to know about a board. With enemies, time matters:
// a state holds where every enemy is and which way it goes, the player may wait, and every way the enemies can start is
// checked.
#include "core/play_state.h"
#include "level_source.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

constexpr float solverDt = 1.0f / 60.0f;
constexpr int moveFrameCap = 1200;  // a press that has not settled after 20 s never will
// The goal delay lasts 3 s and enemies still kill during it; a goal counts only when
// the player survives the whole delay there.
constexpr int goalWatchFrames = 178;
// Standing still this long at the start must be safe: a player needs time to look.
constexpr int startWatchFrames = 120;

enum class MoveEnd { Stopped, Goal, Died, LeftBoard, NeverStops };

// The arrow a press holds; a wait holds none.
PlayInput arrowFor(Move move);

// What one press did. `exitCell` is the last board cell of a slide off the board,
// `exitX` and `exitY` where the player was when it left.
struct MoveOutcome {
    MoveEnd end = MoveEnd::Stopped;
    int frames = 0;
    CellPosition exitCell{0, 0};
    float exitX = 0, exitY = 0;
};

// Plays single presses through the rules' own step. Holds no state between
// presses but the rules and the last board it loaded.
class MoveSimulator {
public:
    explicit MoveSimulator(const PlayRules& rules);
    // Loads the level as the game does, mirrored when the rules say so, with the
    // enemies starting as `starts` says instead of at random (down or right past its end).
    PlayState loadGrid(const LevelGrid& grid, const EnemyStarts& starts = {});
    // Takes a state in play as it stands, for a search that starts mid-game.
    void loadState(const PlayState& state);
    // Holds the key for one frame, releases it and steps until the player rests;
    // a wait steps waitFrames frames without a key. Each press starts as from a
    // fresh load, with no motion and no delay running.
    MoveOutcome play(const PlayState& from, Move move, PlayState& to) const;
    bool hasEnemies() const;
    const PlayState& level() const { return loaded_; }

private:
    MoveOutcome stepUntilRest(PlayState& state, Move move) const;
    MoveOutcome stepWait(PlayState& state) const;
    void watchGoal(PlayState& state, MoveOutcome& outcome) const;
    PlayRules rules_;
    PlayState loaded_;
};

// Player cell, carried keys, every enemy's half cell and way and what is left of
// every changing list: two levels with the same key play the same from here on.
std::string stateKey(const PlayState& state);
// The same without the pass-once tiles: what a player has achieved so far.
std::string progressKey(const PlayState& state);
CellPosition playerCell(const PlayState& state);

struct SolveOptions {
    PlayRules rules;
    int maxStates = 500000;
    // Solve for these enemy starts only; without them every combination is solved.
    std::optional<EnemyStarts> starts;
    // Stop at the first way to the goal with every peach, skipping the warnings.
    bool stopWhenSolved = false;
};

// The answer for one way the enemies can start.
struct StartAnswer {
    EnemyStarts starts;
    bool goalReachable = false;
    bool peachReachable = false;
    int toGoalPresses = 0;
    int withPeachPresses = 0;
    int statesExplored = 0;
    int deadEnds = 0;
    std::vector<Move> withPeach;  // the fewest presses this start needs, waits and all
};

// Moves include waits; "fewest" counts presses. With enemies and no fixed starts,
// the answers are those of the worst start: the one needing the most presses with
// the peach, or one where it cannot be done at all.
struct SolveResult {
    bool goalReachable = false;
    std::vector<Move> toGoal;
    bool peachReachable = false;  // the goal with every peach taken
    std::vector<Move> withPeach;
    int statesExplored = 0;  // over every start
    // Resting states that can no longer reach the goal with the peach, over every
    // start; counted only by a full search (not stopWhenSolved).
    int deadEnds = 0;
    double seconds = 0;
    std::vector<std::string> warnings;
    EnemyStarts worstStarts;
    std::vector<StartAnswer> perStart;  // one per combination, in counting order
};

SolveResult solveLevel(const LevelGrid& grid, const SolveOptions& options);

// Every combination of starts for `enemies` enemies: bit i of the count is enemy i.
std::vector<EnemyStarts> everyStart(int enemies);

// Fewest presses from a state in play to a resting state that `accept` takes, or
// none within maxDepth presses.
std::optional<std::vector<Move>> findMoves(const PlayState& start, const PlayRules& rules,
                                           const std::function<bool(const PlayState&)>& accept, int maxDepth);
