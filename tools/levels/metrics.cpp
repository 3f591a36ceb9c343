#include "metrics.h"

#include <algorithm>
#include <cctype>

const std::vector<IdeaFamily>& ideaFamilies() {
    static const std::vector<IdeaFamily> families = {
        {"holes", {Hole}, {"hole"}},
        {"earth", {Earth}, {"earth"}},
        {"arrows", {ArrowLeft, ArrowUp, ArrowRight, ArrowDown}, {"arrow", "one-way"}},
        {"speed tiles", {SpeedLeft, SpeedUp, SpeedRight, SpeedDown}, {"speed tile"}},
        {"pass-once tiles", {PassOnce}, {"pass-once"}},
        {"keys and doors", {Key, Door}, {"key", "door"}},
        {"the button", {Button, MetalDoor}, {"button", "metal door"}},
        {"enemies", {UpDown, RightLeft}, {"enem"}},
    };
    return families;
}

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// "metal door" names the button's family; what is left of a line after taking it
// out may still name a plain door.
std::string withoutMetalDoors(std::string text) {
    for (size_t at; (at = text.find("metal door")) != std::string::npos;) text.erase(at, 10);
    return text;
}

bool names(const std::string& text, const IdeaFamily& family) {
    bool buttonFamily = family.kinds.front() == Button;
    const std::string& searched = buttonFamily ? text : withoutMetalDoors(text);
    for (const char* word : family.words)
        if (searched.find(word) != std::string::npos) return true;
    return false;
}

bool onBoard(const LevelGrid& grid, const IdeaFamily& family) {
    return std::any_of(grid.begin(), grid.end(), [&](int code) {
        return std::find(family.kinds.begin(), family.kinds.end(), code) != family.kinds.end();
    });
}

bool isEnemyFamily(const IdeaFamily& family) { return family.kinds.front() == UpDown; }

SolveResult solveFully(const LevelGrid& grid, const PlayRules& rules) {
    SolveOptions options;
    options.rules = rules;
    return solveLevel(grid, options);
}

SolveResult solveQuickly(const LevelGrid& grid, const PlayRules& rules) {
    SolveOptions options;
    options.rules = rules;
    options.stopWhenSolved = true;
    return solveLevel(grid, options);
}

// The answer the idea check compares: whether the peach can be had, and in how many moves.
std::pair<bool, int> answerOf(const SolveResult& result) {
    return {result.peachReachable, result.peachReachable ? moveCount(result.withPeach) : 0};
}

// Plays a route found without enemies against one way they start.
bool routeSurvives(const LevelGrid& grid, const PlayRules& rules, const EnemyStarts& starts,
                   const std::vector<Move>& route) {
    MoveSimulator simulator(rules);
    PlayState state = simulator.loadGrid(grid, starts);
    for (size_t i = 0; i < route.size(); ++i) {
        MoveOutcome outcome = simulator.play(state, route[i], state);
        bool last = i + 1 == route.size();
        if (outcome.end == MoveEnd::Goal) return last && state[Peach].empty();
        if (outcome.end != MoveEnd::Stopped) return false;
    }
    return false;
}

bool enemiesMatter(const LevelGrid& grid, const IdeaFamily& enemies, const PlayRules& rules) {
    SolveResult calm = solveQuickly(withoutFamily(grid, enemies), rules);
    if (!calm.peachReachable) return true;
    int count = static_cast<int>(enemiesInLoadOrder(grid).size());
    for (const EnemyStarts& starts : everyStart(std::min(count, maxEnemies)))
        if (!routeSurvives(grid, rules, starts, calm.withPeach)) return true;
    return false;
}

IdeaVerdict checkIdea(const LevelGrid& grid, const IdeaFamily& family, const PlayRules& rules,
                      const SolveResult& asShipped) {
    if (isEnemyFamily(family)) return {&family, enemiesMatter(grid, family, rules)};
    SolveResult without = solveQuickly(withoutFamily(grid, family), rules);
    return {&family, answerOf(without) != answerOf(asShipped)};
}

// The kinds a mirror turns into each other, as Mirrored levels swaps their lists.
constexpr std::pair<int, int> mirrorPairs[] = {{ArrowLeft, ArrowRight}, {SpeedLeft, SpeedRight}};

int mirroredCode(int code) {
    for (auto [left, right] : mirrorPairs) {
        if (code == left) return right;
        if (code == right) return left;
    }
    return code;
}

LevelGrid mirrored(const LevelGrid& grid) {
    LevelGrid result{};
    for (int column = 0; column < boardColumns; ++column)
        for (int row = 0; row < boardRows; ++row)
            result[cellIndex(boardColumns - 1 - column, row)] = mirroredCode(grid[cellIndex(column, row)]);
    return result;
}

int cellsApart(const LevelGrid& a, const LevelGrid& b) {
    int differ = 0;
    for (int i = 0; i < cellCount; ++i) differ += a[i] != b[i];
    return differ;
}

}  // namespace

std::vector<const IdeaFamily*> familiesNamed(const std::string& teaches) {
    std::string text = lowered(teaches);
    std::vector<const IdeaFamily*> named;
    for (const IdeaFamily& family : ideaFamilies())
        if (names(text, family)) named.push_back(&family);
    return named;
}

LevelGrid withoutFamily(const LevelGrid& grid, const IdeaFamily& family) {
    LevelGrid result = grid;
    for (int& code : result)
        if (std::find(family.kinds.begin(), family.kinds.end(), code) != family.kinds.end()) code = Empty;
    return result;
}

int waitRuns(const std::vector<Move>& moves) {
    int runs = 0;
    for (size_t i = 0; i < moves.size(); ++i) runs += moves[i] == Move::Wait && (i == 0 || moves[i - 1] != Move::Wait);
    return runs;
}

int moveCount(const std::vector<Move>& moves) { return pressCount(moves) + waitRuns(moves); }

LevelMetrics measureLevel(const LevelGrid& grid, const PlayRules& rules) {
    SolveResult full = solveFully(grid, rules);
    LevelMetrics metrics;
    metrics.solvable = full.peachReachable;
    metrics.toGoal = full.goalReachable ? moveCount(full.toGoal) : 0;
    metrics.withPeach = full.peachReachable ? moveCount(full.withPeach) : 0;
    metrics.waits = waitRuns(full.withPeach);
    metrics.states = full.statesExplored;
    metrics.deadEnds = full.deadEnds;
    metrics.hasEnemies = !enemiesInLoadOrder(grid).empty();
    metrics.warnings = full.warnings;
    if (!metrics.solvable) return metrics;  // no answer for the idea check to compare
    for (const IdeaFamily& family : ideaFamilies()) {
        if (!onBoard(grid, family)) continue;
        metrics.ideas.push_back(checkIdea(grid, family, rules, full));
        if (isEnemyFamily(family)) metrics.enemiesMatter = metrics.ideas.back().needed;
    }
    return metrics;
}

int boardDistance(const LevelGrid& a, const LevelGrid& b) {
    return std::min(cellsApart(a, b), cellsApart(a, mirrored(b)));
}
