#include "metrics.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <map>
#include <queue>
#include <set>
#include <tuple>

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

constexpr Move allWithWait[] = {Move::Left, Move::Up, Move::Right, Move::Down, Move::Wait};

// Presses a player weighs, in the order the greedy player breaks ties.
constexpr Move pressesInTieOrder[] = {Move::Left, Move::Up, Move::Right, Move::Down};

CellPosition cellOfPiece(const Piece& piece) {
    return {static_cast<int>(std::floor((piece.x + cellSize / 2) / cellSize)),
            static_cast<int>(std::floor((piece.y + cellSize / 2) / cellSize))};
}

// A resting place: the player's cell and everything the board remembers but the
// enemies. With enemies about, a state never repeats; a place does.
std::string placeKey(const PlayState& state) {
    CellPosition cell = playerCell(state);
    std::string key = progressKey(state) + std::to_string(cell.column) + "," + std::to_string(cell.row);
    for (const Piece& tile : state[PassOnce]) key += "/" + std::to_string(tile.state);
    return key;
}

int distanceToNearest(CellPosition from, PieceRange<const Piece> pieces) {
    int nearest = INT_MAX;
    for (const Piece& piece : pieces) {
        CellPosition cell = cellOfPiece(piece);
        nearest = std::min(nearest, std::abs(cell.column - from.column) + std::abs(cell.row - from.row));
    }
    return nearest;
}

// How far a press leaves the greedy player from what it still needs.
int greedyDistance(const PlayState& from, const PlayState& to) {
    if (to[Peach].size() < from[Peach].size()) return 0;
    if (!to[Peach].empty()) return distanceToNearest(playerCell(to), to[Peach]);
    return distanceToNearest(playerCell(to), to[Goal]);
}

bool endsAttempt(MoveEnd end) { return end != MoveEnd::Stopped; }

}  // namespace

int fewestWaitRuns(const LevelGrid& grid, const EnemyStarts& starts, const PlayRules& rules) {
    // Cheapest first by presses, then by runs of waits begun: a wait after a wait
    // is free, so the first win is a fewest-press route that waits least often.
    struct Node {
        int presses, runs;
        bool waiting;
        PlayState state;
    };
    auto later = [](const Node& a, const Node& b) { return std::tie(a.presses, a.runs) > std::tie(b.presses, b.runs); };
    std::priority_queue<Node, std::vector<Node>, decltype(later)> open(later);
    std::map<std::pair<std::string, bool>, std::pair<int, int>> best;
    MoveSimulator simulator(rules);
    open.push({0, 0, false, simulator.loadGrid(grid, starts)});
    PlayState next;
    while (!open.empty()) {
        Node node = open.top();
        open.pop();
        auto known = best.find({stateKey(node.state), node.waiting});
        if (known != best.end() && known->second <= std::make_pair(node.presses, node.runs)) continue;
        best[{stateKey(node.state), node.waiting}] = {node.presses, node.runs};
        for (Move move : allWithWait) {
            MoveEnd end = simulator.play(node.state, move, next).end;
            bool wait = move == Move::Wait;
            if (end == MoveEnd::Goal && next[Peach].empty()) return node.runs;
            if (end != MoveEnd::Stopped) continue;
            open.push({node.presses + !wait, node.runs + (wait && !node.waiting), wait, next});
        }
    }
    return -1;
}

const char* pieceName(int tile) { return tile >= 0 && tile < TileKindCount ? tileKinds[tile].title : "?"; }

std::vector<IdlePiece> idlePieces(const LevelGrid& grid, const PlayRules& rules) {
    std::pair<bool, int> shipped = answerOf(solveQuickly(grid, rules));
    std::vector<IdlePiece> idle;
    if (!shipped.first) return idle;
    for (int row = 0; row < boardRows; ++row)
        for (int column = 0; column < boardColumns; ++column) {
            int tile = grid[cellIndex(column, row)];
            if (!mayBeIdle(tile)) continue;
            LevelGrid without = grid;
            without[cellIndex(column, row)] = Empty;
            if (answerOf(solveQuickly(without, rules)) == shipped) idle.push_back({{column, row}, tile});
        }
    return idle;
}

int longestRoutineRun(const LevelGrid& grid, const EnemyStarts& starts, const std::vector<Move>& route,
                      const PlayRules& rules) {
    MoveSimulator simulator(rules);
    PlayState state = simulator.loadGrid(grid, starts), other;
    std::string left;  // the resting place the last press left; none before the first
    int run = 0, longest = 0;
    for (Move move : route) {
        if (move != Move::Wait) {
            std::string here = placeKey(state);
            bool routine = true;
            for (Move alternative : pressesInTieOrder) {
                if (alternative == move || endsAttempt(simulator.play(state, alternative, other).end)) continue;
                std::string there = placeKey(other);
                routine = routine && (there == here || there == left);
            }
            run = routine ? run + 1 : 0;
            longest = std::max(longest, run);
            left = here;
        }
        simulator.play(state, move, state);
    }
    return longest;
}

GreedyPlay playGreedily(const LevelGrid& grid, const EnemyStarts& starts, const PlayRules& rules) {
    MoveSimulator simulator(rules);
    PlayState state = simulator.loadGrid(grid, starts), next, best;
    std::set<std::string> visited{placeKey(state)};
    GreedyPlay play;
    for (;;) {
        int nearest = INT_MAX;
        MoveEnd bestEnd = MoveEnd::NeverStops;
        for (Move move : pressesInTieOrder) {
            MoveEnd end = simulator.play(state, move, next).end;
            if (end != MoveEnd::Stopped && end != MoveEnd::Goal) continue;
            if (end == MoveEnd::Stopped && visited.count(placeKey(next))) continue;
            int distance = greedyDistance(state, next);
            if (distance >= nearest) continue;
            nearest = distance;
            bestEnd = end;
            best = next;
        }
        if (nearest == INT_MAX) return play;
        ++play.presses;
        if (bestEnd == MoveEnd::Goal) {
            play.end = best[Peach].empty() ? GreedyEnd::Won : GreedyEnd::GoalWithoutPeach;
            return play;
        }
        state = best;
        visited.insert(placeKey(state));
    }
}

std::string greedyText(const GreedyPlay& play) {
    std::string after = std::to_string(play.presses);
    switch (play.end) {
        case GreedyEnd::Won: return "wins in " + after;
        case GreedyEnd::GoalWithoutPeach: return "goal without the peach after " + after;
        case GreedyEnd::Stuck: break;
    }
    return "stuck after " + after;
}

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
    metrics.idlePieces = idlePieces(grid, rules);
    metrics.longestRoutineRun = longestRoutineRun(grid, full.worstStarts, full.withPeach, rules);
    metrics.starts = static_cast<int>(full.perStart.size());
    for (const StartAnswer& start : full.perStart) {
        if (metrics.hasEnemies)
            metrics.mostWaitRuns = std::max(metrics.mostWaitRuns, fewestWaitRuns(grid, start.starts, rules));
        GreedyPlay play = playGreedily(grid, start.starts, rules);
        metrics.greedyWins += play.end == GreedyEnd::Won;
        bool first = &start == &full.perStart.front();
        if (first || (play.end == GreedyEnd::Won && metrics.greedy.end != GreedyEnd::Won)) metrics.greedy = play;
    }
    return metrics;
}
