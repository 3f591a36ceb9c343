#pragma once
// Proposes boards for level designers: a random walled board with the chosen
// families of tiles, improved by simulated annealing on the solver's measures
// (moves with the peach, resting states, dead ends, the tiles it needs). What it
// finds is raw material: pick a candidate, then edit it by hand until every wall
// has a reason and the board reads well.
#include "metrics.h"

#include <functional>
#include <optional>
#include <random>

struct GeneratorOptions {
    std::vector<const IdeaFamily*> families;  // the tiles a board may use besides walls
    unsigned seed = 1;
    int iterations = 1500;
    int targetMoves = 20;  // the fewest moves with the peach it aims for
    int wallPercent = 20;  // of the inner cells, at the start
    PlayRules rules;
    // A designer's skeleton to start from instead of a random board; with wallsOnly
    // the search only places and moves walls, and every other tile stays put.
    std::optional<LevelGrid> start;
    bool wallsOnly = false;
};

struct Candidate {
    LevelGrid grid{};
    LevelMetrics metrics;
    double score = -1e9;
};

// How good a board is for the options: solvable with the peach first, then moves
// up to the target (and less so far past it), dead ends, states, and each chosen
// family it needs.
double scoreOf(const LevelMetrics& metrics, const GeneratorOptions& options);

// A random walled board with one player, goal and peach and a few tiles of each family.
LevelGrid randomBoard(const GeneratorOptions& options, std::mt19937& random);

// One small change: a wall added or taken away, a tile moved, an arrow or speed
// tile turned (only the first when wallsOnly). The frame of walls, the player, the
// goal and the peach stay one each.
LevelGrid mutated(const LevelGrid& grid, std::mt19937& random, bool wallsOnly = false);

// Anneals from the skeleton or a random board; `onBest` hears every new best candidate.
Candidate generateBoard(const GeneratorOptions& options, const std::function<void(const Candidate&)>& onBest = {});
