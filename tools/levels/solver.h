#pragma once
// A breadth-first search over key presses that plays every press through the
// game's own gameplay step, frame by frame with dt 1/60 s, on a headless copy of
// the level. It answers the fewest moves to the goal, with and without every
// peach, and what a level designer would want to know about a board.
#include "level/level.h"
#include "level_source.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct AppState;

// The unlockable switches that change the rules of play.
struct PlayRules {
    bool mirrored = false;
    bool fastMotion = false;
    bool lowFriction = false;
};

constexpr float solverDt = 1.0f / 60.0f;
constexpr int moveFrameCap = 1200;  // a press that has not settled after 20 s never will

enum class MoveEnd { Stopped, Goal, Died, LeftBoard, NeverStops };

// What one press did. `exitCell` is the last board cell of a slide off the board.
struct MoveOutcome {
    MoveEnd end = MoveEnd::Stopped;
    int frames = 0;
    CellPosition exitCell{0, 0};
};

// The parts of a level that play can change; everything else stays as loaded.
struct LevelState {
    LevelObject player;
    int keysHeld = 0;
    std::vector<std::vector<LevelObject>> lists;  // one per entry of changingKinds
};

// Plays single presses on a private, headless game state.
class MoveSimulator {
public:
    explicit MoveSimulator(const PlayRules& rules);
    ~MoveSimulator();
    // Builds the level as the loader does, mirrored when the rules say so.
    LevelState loadGrid(const LevelGrid& grid);
    // Takes a live level as it stands, for a search that starts mid-game.
    LevelState loadLevel(const LevelObjects& level);
    // Holds the key for one frame, releases it and steps until the player rests.
    MoveOutcome play(const LevelState& from, Move move, LevelState& to);
    const LevelObjects& level() const;

private:
    void restore(const LevelState& state);
    LevelState capture() const;
    std::unique_ptr<AppState> app_;
};

// Player cell, carried keys and what is left of every changing list: two levels
// with the same key play the same from here on.
std::string stateKey(const LevelState& state);
// The same without the pass-once tiles: what a player has achieved so far.
std::string progressKey(const LevelState& state);
CellPosition playerCell(const LevelState& state);

struct SolveOptions {
    PlayRules rules;
    int maxStates = 500000;
};

struct SolveResult {
    bool goalReachable = false;
    std::vector<Move> toGoal;
    bool peachReachable = false;  // the goal with every peach taken
    std::vector<Move> withPeach;
    int statesExplored = 0;
    double seconds = 0;
    std::vector<std::string> warnings;
};

SolveResult solveLevel(const LevelGrid& grid, const SolveOptions& options);

// Fewest presses from a live level to a resting state that `accept` takes, or none
// within maxDepth presses.
std::optional<std::vector<Move>> findMoves(const LevelObjects& start, const PlayRules& rules,
                                           const std::function<bool(const LevelState&)>& accept, int maxDepth);
