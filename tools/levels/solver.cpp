#include "solver.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <set>
#include <unordered_map>

namespace {

// The lists play can change. Enemies are here so that, once they patrol, their
// positions and directions are part of every state: time matters then.
constexpr TileKind changingKinds[] = {Peach, PassOnce, Key, Door, Button, MetalDoor, UpDown, RightLeft};
constexpr TileKind progressKinds[] = {Peach, Key, Door, MetalDoor};
constexpr Move allMoves[] = {Move::Left, Move::Right, Move::Up, Move::Down};
constexpr float enemyGrain = cellSize / 2;

void appendRaw(std::string& key, const void* bytes, size_t size) { key.append(static_cast<const char*>(bytes), size); }

void appendObject(std::string& key, const Piece& object) {
    appendRaw(key, &object.x, sizeof object.x);
    appendRaw(key, &object.y, sizeof object.y);
    appendRaw(key, &object.vx, sizeof object.vx);
    appendRaw(key, &object.vy, sizeof object.vy);
    appendRaw(key, &object.state, sizeof object.state);
}

void appendList(std::string& key, PieceRange<const Piece> list) {
    int count = static_cast<int>(list.size());
    appendRaw(key, &count, sizeof count);
    for (const Piece& object : list) appendObject(key, object);
}

// A pressed button only shows what the missing metal doors already say.
void appendButtons(std::string& key, PieceRange<const Piece> buttons) {
    int count = static_cast<int>(buttons.size());
    appendRaw(key, &count, sizeof count);
    for (Piece button : buttons) {
        button.state = Piece{}.state;
        appendObject(key, button);
    }
}

int clampTo(int value, int limit) { return value < 0 ? 0 : (value >= limit ? limit - 1 : value); }

CellPosition cellOf(const Piece& object) {
    int column = static_cast<int>(std::floor((object.x + cellSize / 2) / cellSize));
    int row = static_cast<int>(std::floor((object.y + cellSize / 2) / cellSize));
    return {clampTo(column, boardColumns), clampTo(row, boardRows)};
}

bool isDead(const PlayState& state) { return state.dying || !state.movementEnabled; }

}  // namespace

PlayInput arrowFor(Move move) {
    PlayInput input;
    input.left = move == Move::Left;
    input.right = move == Move::Right;
    input.up = move == Move::Up;
    input.down = move == Move::Down;
    return input;
}

MoveSimulator::MoveSimulator(const PlayRules& rules) : rules_(rules) {}

PlayState MoveSimulator::loadGrid(const LevelGrid& grid, const EnemyStarts& starts) {
    loaded_ = newPlay(grid, rules_, 0);
    forceEnemyStarts(loaded_, starts);
    return loaded_;
}

void MoveSimulator::loadState(const PlayState& state) { loaded_ = state; }

bool MoveSimulator::hasEnemies() const { return !loaded_[UpDown].empty() || !loaded_[RightLeft].empty(); }

MoveOutcome MoveSimulator::play(const PlayState& from, Move move, PlayState& to) const {
    if (&to != &from) to = from;
    to.rules = rules_;
    resetMotion(to);
    MoveOutcome outcome = move == Move::Wait ? stepWait(to) : stepUntilRest(to, move);
    if (outcome.end == MoveEnd::Goal) watchGoal(to, outcome);
    return outcome;
}

MoveOutcome MoveSimulator::stepUntilRest(PlayState& state, Move move) const {
    MoveOutcome outcome;
    outcome.end = MoveEnd::NeverStops;
    const PlayInput tap = arrowFor(move), none;
    for (int frame = 0; frame < moveFrameCap; ++frame) {
        // A tap: down for one frame, then up.
        PlayEvents events = step(state, frame == 0 ? tap : none, solverDt);
        const PlayEvent* left = nullptr;
        for (const PlayEvent& event : events)
            if (event.kind == PlayEventKind::LeftBoard) left = &event;
        outcome.frames = frame + 1;
        if (!left) outcome.exitCell = cellOf(state.player);
        if (state.goalDelay.running)
            outcome.end = MoveEnd::Goal;
        else if (isDead(state))
            outcome.end = MoveEnd::Died;
        else if (left) {
            outcome.end = MoveEnd::LeftBoard;
            outcome.exitX = left->x;
            outcome.exitY = left->y;
        } else if (state.player.vx == 0 && state.player.vy == 0)
            outcome.end = MoveEnd::Stopped;
        else
            continue;
        break;
    }
    return outcome;
}

MoveOutcome MoveSimulator::stepWait(PlayState& state) const {
    MoveOutcome outcome;
    outcome.exitCell = cellOf(state.player);
    for (int frame = 0; frame < waitFrames; ++frame) {
        step(state, PlayInput{}, solverDt);
        outcome.frames = frame + 1;
        if (!isDead(state)) continue;
        outcome.end = MoveEnd::Died;
        break;
    }
    return outcome;
}

// An enemy that crosses the goal during the delay kills the player there and the
// level restarts with the peach back on the board.
void MoveSimulator::watchGoal(PlayState& state, MoveOutcome& outcome) const {
    if (!hasEnemies()) return;
    for (int frame = 0; frame < goalWatchFrames && outcome.end == MoveEnd::Goal; ++frame) {
        step(state, PlayInput{}, solverDt);
        if (isDead(state)) outcome.end = MoveEnd::Died;
    }
}

namespace {

// An enemy counts by the half cell it is in and its way: states a few frames apart
// play alike, and telling every frame apart multiplied the search by the period
// of the patrol. A found path is still exact: every node keeps its exact state.
void appendEnemies(std::string& key, PieceRange<const Piece> enemies) {
    for (const Piece& enemy : enemies) {
        int place[] = {static_cast<int>(std::floor(enemy.x / enemyGrain)),
                       static_cast<int>(std::floor(enemy.y / enemyGrain)), (enemy.vx > 0) - (enemy.vx < 0),
                       (enemy.vy > 0) - (enemy.vy < 0)};
        appendRaw(key, place, sizeof place);
    }
}

}  // namespace

std::string stateKey(const PlayState& state) {
    std::string key;
    appendObject(key, state.player);
    appendRaw(key, &state.keysHeld, sizeof state.keysHeld);
    for (TileKind kind : changingKinds) {
        if (kind == UpDown || kind == RightLeft)
            appendEnemies(key, state[kind]);
        else if (kind == Button)
            appendButtons(key, state[kind]);
        else
            appendList(key, state[kind]);
    }
    return key;
}

std::string progressKey(const PlayState& state) {
    std::string key;
    appendRaw(key, &state.keysHeld, sizeof state.keysHeld);
    // The game and loadGrid may list the same objects in different orders, so
    // each list is compared as a set.
    for (TileKind kind : progressKinds) {
        std::vector<std::string> objects;
        for (const Piece& object : state[kind]) {
            objects.emplace_back();
            appendObject(objects.back(), object);
        }
        std::sort(objects.begin(), objects.end());
        int count = static_cast<int>(objects.size());
        appendRaw(key, &count, sizeof count);
        for (const std::string& object : objects) key += object;
    }
    return key;
}

CellPosition playerCell(const PlayState& state) { return cellOf(state.player); }

namespace {

struct SearchNode {
    PlayState state;
    int parent;
    Move move;
    int depth;
};

std::vector<Move> pathTo(const std::vector<SearchNode>& nodes, int index) {
    std::vector<Move> moves;
    for (; nodes[index].parent >= 0; index = nodes[index].parent) moves.insert(moves.begin(), nodes[index].move);
    return moves;
}

std::vector<Move> pathThen(const std::vector<SearchNode>& nodes, int index, Move last) {
    std::vector<Move> moves = pathTo(nodes, index);
    moves.push_back(last);
    return moves;
}

std::string cellName(CellPosition cell) {
    return "column " + std::to_string(cell.column + 1) + ", row " + std::to_string(cell.row + 1);
}

std::string cellName(const Piece& object) { return cellName(cellOf(object)); }

using CellSet = std::set<std::pair<int, int>>;

void addCell(CellSet& cells, const Piece& object) {
    CellPosition cell = cellOf(object);
    cells.insert({cell.column, cell.row});
}

bool hasCell(const CellSet& cells, const Piece& object) {
    CellPosition cell = cellOf(object);
    return cells.count({cell.column, cell.row}) > 0;
}

// Everything the whole search learns besides the two answers.
struct Findings {
    CellSet taken;  // peaches and keys some press collected
    CellSet goalsReached;
    std::set<std::string> edgeExits;
    std::vector<std::string> warnings;
    bool neverStopsSeen = false;
};

void noteTaken(Findings& findings, const PlayState& from, const PlayState& to, TileKind kind) {
    PieceRange<const Piece> before = from[kind];
    PieceRange<const Piece> after = to[kind];
    if (before.size() == after.size()) return;
    CellSet left;
    for (const Piece& object : after) addCell(left, object);
    for (const Piece& object : before)
        if (!hasCell(left, object)) addCell(findings.taken, object);
}

const char* edgeName(float x, float y) {
    if (x < 0) return "left";
    if (x > (boardColumns - 1) * cellSize) return "right";
    if (y < 0) return "top";
    return "bottom";
}

void noteEdgeExit(Findings& findings, const MoveOutcome& outcome, const std::vector<Move>& moves) {
    std::string where = std::string("the player can slide off the ") + edgeName(outcome.exitX, outcome.exitY) +
                        " edge at " + cellName(outcome.exitCell);
    if (findings.edgeExits.insert(where).second) findings.warnings.push_back(where + " (" + movesText(moves) + ")");
}

void noteNeverStops(Findings& findings, const std::vector<Move>& moves) {
    if (findings.neverStopsSeen) return;
    findings.neverStopsSeen = true;
    findings.warnings.push_back("a press never comes to rest (" + movesText(moves) + ")");
}

void warnUnreached(Findings& findings, const PlayState& level, TileKind kind, const char* name,
                   const CellSet& reached) {
    for (const Piece& object : level[kind])
        if (!hasCell(reached, object))
            findings.warnings.push_back(std::string("the ") + name + " at " + cellName(object) + " cannot be reached");
}

void warnAboutBoard(Findings& findings, const PlayState& level, const SolveResult& result) {
    if (!level[Peach].empty() && !result.peachReachable)
        findings.warnings.push_back("no way to collect the peach and reach the goal");
    if (level[Key].size() < level[Door].size())
        findings.warnings.push_back(std::to_string(level[Key].size()) + " keys for " +
                                    std::to_string(level[Door].size()) + " doors");
    if (!level[Button].empty() && level[MetalDoor].empty()) findings.warnings.push_back("a button with no metal door");
    warnUnreached(findings, level, Key, "key", findings.taken);
    warnUnreached(findings, level, Peach, "peach", findings.taken);
    warnUnreached(findings, level, Goal, "goal", findings.goalsReached);
}

void noteGoal(SolveResult& result, Findings& findings, const std::vector<SearchNode>& nodes, int index, Move move,
              const PlayState& next) {
    addCell(findings.goalsReached, next.player);
    if (!result.goalReachable) {
        result.goalReachable = true;
        result.toGoal = pathThen(nodes, index, move);
    }
    if (!result.peachReachable && next[Peach].empty()) {
        result.peachReachable = true;
        result.withPeach = pathThen(nodes, index, move);
    }
}

}  // namespace

namespace {

constexpr Move allWithWait[] = {Move::Left, Move::Right, Move::Up, Move::Down, Move::Wait};

// One breadth-first search for one way the enemies start. Layers count presses;
// a wait stays in its layer, so the fewest presses come first whatever the waits.
class StartSearch {
public:
    StartSearch(const LevelGrid& grid, const SolveOptions& options, const EnemyStarts& starts)
        : options_(options), simulator_(options.rules) {
        nodes_.push_back({simulator_.loadGrid(grid, starts), -1, Move::Left, 0});
        comesFrom_.emplace_back();
        winning_.push_back(false);
        loaded_ = simulator_.level();  // play changes the simulator's copy
        seen_.emplace(stateKey(nodes_[0].state), 0);
        if (!starts.empty()) label_ = " (enemies starting " + startsText(grid, starts) + ")";
    }

    SolveResult run() {
        checkStart();
        std::vector<int> layer{0}, next;
        while (!layer.empty() && !solved()) {
            for (size_t i = 0; i < layer.size() && !solved(); ++i) expand(layer[i], layer, next);
            layer.swap(next);
            next.clear();
        }
        result_.statesExplored = static_cast<int>(nodes_.size());
        if (!options_.stopWhenSolved) {
            result_.deadEnds = countDeadEnds();
            finishWarnings();
        }
        result_.warnings = findings_.warnings;
        return result_;
    }

private:
    bool solved() const { return options_.stopWhenSolved && result_.peachReachable; }

    // Standing still at the start must be safe for a while.
    void checkStart() {
        if (!simulator_.hasEnemies()) return;
        PlayState state = nodes_[0].state;
        for (int frames = 0; frames < startWatchFrames; frames += waitFrames) {
            if (simulator_.play(state, Move::Wait, state).end != MoveEnd::Died) continue;
            findings_.warnings.push_back("an enemy reaches the player's start cell " +
                                         std::to_string(frames + waitFrames) + " frames after the load" + label_);
            return;
        }
    }

    void expand(int index, std::vector<int>& layer, std::vector<int>& next) {
        bool waits = simulator_.hasEnemies();
        for (Move move : allWithWait) {
            if (move == Move::Wait && !waits) continue;
            MoveOutcome outcome = simulator_.play(nodes_[index].state, move, next_);
            if (outcome.end == MoveEnd::LeftBoard) noteEdgeExit(findings_, outcome, pathThen(nodes_, index, move));
            if (outcome.end == MoveEnd::NeverStops) noteNeverStops(findings_, pathThen(nodes_, index, move));
            if (outcome.end != MoveEnd::Stopped && outcome.end != MoveEnd::Goal) continue;
            noteTaken(findings_, nodes_[index].state, next_, Peach);
            noteTaken(findings_, nodes_[index].state, next_, Key);
            if (outcome.end == MoveEnd::Goal) {
                noteGoal(result_, findings_, nodes_, index, move, next_);
                if (next_[Peach].empty()) winning_[index] = true;
                continue;
            }
            int child = add(index, move, move == Move::Wait ? layer : next);
            if (child >= 0) comesFrom_[child].push_back(index);
        }
    }

    // The node the state of next_ is, new or seen before; -1 past the cap.
    int add(int parent, Move move, std::vector<int>& layer) {
        std::string key = stateKey(next_);
        if (auto known = seen_.find(key); known != seen_.end()) return known->second;
        if (static_cast<int>(nodes_.size()) >= options_.maxStates) {
            truncated_ = true;
            return -1;
        }
        int depth = nodes_[parent].depth + (move == Move::Wait ? 0 : 1);
        int index = static_cast<int>(nodes_.size());
        seen_.emplace(std::move(key), index);
        layer.push_back(index);
        nodes_.push_back({next_, parent, move, depth});
        comesFrom_.emplace_back();
        winning_.push_back(false);
        return index;
    }

    // Resting states from which no presses lead to the goal with the peach: the
    // mistakes only a restart undoes. Walks the moves backwards from every state
    // one press away from winning.
    int countDeadEnds() const {
        std::vector<char> canWin(winning_.begin(), winning_.end());
        std::vector<int> open;
        for (size_t i = 0; i < canWin.size(); ++i)
            if (canWin[i]) open.push_back(static_cast<int>(i));
        while (!open.empty()) {
            int node = open.back();
            open.pop_back();
            for (int from : comesFrom_[node])
                if (!canWin[from]) {
                    canWin[from] = true;
                    open.push_back(from);
                }
        }
        return static_cast<int>(std::count(canWin.begin(), canWin.end(), 0));
    }

    void finishWarnings() {
        warnAboutBoard(findings_, loaded_, result_);
        if (!result_.peachReachable && !findings_.warnings.empty())
            for (std::string& warning : findings_.warnings)
                if (warning.rfind("no way", 0) == 0) warning += label_;
        if (truncated_)
            findings_.warnings.push_back("the search stopped at " + std::to_string(options_.maxStates) +
                                         " states; the answers may not be the fewest");
    }

    const SolveOptions& options_;
    MoveSimulator simulator_;
    std::vector<SearchNode> nodes_;
    PlayState loaded_;
    std::unordered_map<std::string, int> seen_;
    std::vector<std::vector<int>> comesFrom_;  // per node, the nodes one move before it
    std::vector<bool> winning_;                // per node, a move reaches the goal with the peach
    SolveResult result_;
    Findings findings_;
    PlayState next_;
    std::string label_;
    bool truncated_ = false;
};

StartAnswer answerOf(const EnemyStarts& starts, const SolveResult& one) {
    return {starts,
            one.goalReachable,
            one.peachReachable,
            pressCount(one.toGoal),
            pressCount(one.withPeach),
            one.statesExplored,
            one.deadEnds,
            one.withPeach};
}

// The worse start needs more presses with the peach, or cannot take it at all.
bool isWorse(const SolveResult& one, const SolveResult& than) {
    if (one.peachReachable != than.peachReachable) return !one.peachReachable;
    if (pressCount(one.withPeach) != pressCount(than.withPeach))
        return pressCount(one.withPeach) > pressCount(than.withPeach);
    return pressCount(one.toGoal) > pressCount(than.toGoal);
}

// The same warning from several starts is said once; the moves in brackets differ.
void mergeWarnings(std::vector<std::string>& into, const std::vector<std::string>& from) {
    for (const std::string& warning : from) {
        std::string head = warning.substr(0, warning.find(" ("));
        bool known = false;
        for (const std::string& old : into) known = known || old.substr(0, old.find(" (")) == head;
        if (!known) into.push_back(warning);
    }
}

}  // namespace

std::vector<EnemyStarts> everyStart(int enemies) {
    std::vector<EnemyStarts> all;
    for (int count = 0; count < (1 << enemies); ++count) {
        EnemyStarts starts;
        for (int enemy = 0; enemy < enemies; ++enemy) starts.push_back((count >> enemy) & 1);
        all.push_back(starts);
    }
    return all;
}

SolveResult solveLevel(const LevelGrid& grid, const SolveOptions& options) {
    auto started = std::chrono::steady_clock::now();
    int enemies = static_cast<int>(enemiesInLoadOrder(grid).size());
    std::vector<EnemyStarts> starts =
        options.starts ? std::vector<EnemyStarts>{*options.starts} : everyStart(std::min(enemies, maxEnemies));
    SolveResult combined;
    for (size_t i = 0; i < starts.size(); ++i) {
        SolveResult one = StartSearch(grid, options, starts[i]).run();
        combined.perStart.push_back(answerOf(starts[i], one));
        int states = combined.statesExplored + one.statesExplored;
        int deadEnds = combined.deadEnds + one.deadEnds;
        std::vector<std::string> warnings = combined.warnings;
        mergeWarnings(warnings, one.warnings);
        if (i == 0 || isWorse(one, combined)) {
            std::vector<StartAnswer> perStart = combined.perStart;
            combined = one;
            combined.perStart = perStart;
            combined.worstStarts = starts[i];
        }
        combined.statesExplored = states;
        combined.deadEnds = deadEnds;
        combined.warnings = warnings;
    }
    combined.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return combined;
}

std::optional<std::vector<Move>> findMoves(const PlayState& start, const PlayRules& rules,
                                           const std::function<bool(const PlayState&)>& accept, int maxDepth) {
    MoveSimulator simulator(rules);
    simulator.loadState(start);
    std::vector<SearchNode> nodes{{start, -1, Move::Left, 0}};
    std::unordered_map<std::string, int> seen{{stateKey(nodes[0].state), 0}};
    PlayState next;
    for (size_t index = 0; index < nodes.size(); ++index) {
        if (nodes[index].depth >= maxDepth) continue;
        for (Move move : allMoves) {
            MoveOutcome outcome = simulator.play(nodes[index].state, move, next);
            if (outcome.end != MoveEnd::Stopped && outcome.end != MoveEnd::Goal) continue;
            if (accept(next)) return pathThen(nodes, static_cast<int>(index), move);
            if (outcome.end == MoveEnd::Goal || !seen.emplace(stateKey(next), static_cast<int>(nodes.size())).second)
                continue;
            nodes.push_back({next, static_cast<int>(index), move, nodes[index].depth + 1});
        }
    }
    return std::nullopt;
}
