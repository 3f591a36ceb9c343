#include "metrics.h"

#include <algorithm>
#include <cctype>

namespace {

IdeaFamily idea(const char* name, TileFamily family, std::vector<const char*> words) {
    IdeaFamily idea{name, family, std::move(words), {}};
    for (const TileKindInfo& info : tileKinds)
        if (info.family == family) idea.kinds.push_back(info.kind);
    return idea;
}

}  // namespace

const std::vector<IdeaFamily>& ideaFamilies() {
    using F = TileFamily;
    static const std::vector<IdeaFamily> families = {
        idea("holes", F::Holes, {"hole"}),
        idea("earth", F::Earth, {"earth"}),
        idea("arrows", F::Arrows, {"arrow", "one-way"}),
        idea("speed tiles", F::SpeedTiles, {"speed tile"}),
        idea("pass-once tiles", F::PassOnces, {"pass-once"}),
        idea("keys and doors", F::KeysAndDoors, {"key", "door"}),
        idea("the button", F::TheButton, {"button", "metal door"}),
        idea("enemies", F::Enemies, {"enem"}),
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
    bool buttonFamily = family.family == TileFamily::TheButton;
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

bool isEnemyFamily(const IdeaFamily& family) { return family.family == TileFamily::Enemies; }

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

// What Mirrored levels makes of a code; codes of no tile stay as they are.
int mirroredCode(int code) { return code >= 0 && code < TileKindCount ? tileKinds[code].mirrored : code; }

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
