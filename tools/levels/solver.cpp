#include "solver.h"

#include "app/app_state.h"
#include "game/gameplay.h"
#include "level/map_file.h"

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

int slot(TileKind kind) {
    for (size_t i = 0; i < std::size(changingKinds); ++i)
        if (changingKinds[i] == kind) return static_cast<int>(i);
    return -1;
}

void appendRaw(std::string& key, const void* bytes, size_t size) {
    key.append(static_cast<const char*>(bytes), size);
}

void appendObject(std::string& key, const LevelObject& object) {
    appendRaw(key, &object.x, sizeof object.x);
    appendRaw(key, &object.y, sizeof object.y);
    appendRaw(key, &object.vx, sizeof object.vx);
    appendRaw(key, &object.vy, sizeof object.vy);
    appendRaw(key, &object.state, sizeof object.state);
}

void appendList(std::string& key, const std::vector<LevelObject>& list) {
    int count = static_cast<int>(list.size());
    appendRaw(key, &count, sizeof count);
    for (const LevelObject& object : list) appendObject(key, object);
}

void holdKey(GameplayState& play, Move move, bool held) {
    play.leftKeyHeld = held && move == Move::Left;
    play.rightKeyHeld = held && move == Move::Right;
    play.upKeyHeld = held && move == Move::Up;
    play.downKeyHeld = held && move == Move::Down;
}

// The game's own test for leaving the board.
bool offBoard(const LevelObject& player) {
    return player.x + player.width < 0 || player.y + player.height < 0 ||
           player.x - player.width > boardColumns * cellSize || player.y - player.height > boardRows * cellSize;
}

int clampTo(int value, int limit) { return value < 0 ? 0 : (value >= limit ? limit - 1 : value); }

CellPosition cellOf(const LevelObject& object) {
    int column = static_cast<int>(std::floor((object.x + cellSize / 2) / cellSize));
    int row = static_cast<int>(std::floor((object.y + cellSize / 2) / cellSize));
    return {clampTo(column, boardColumns), clampTo(row, boardRows)};
}

// The loader's random draw, made on purpose: true moves down or right.
void setStart(const AppState& app, LevelObject& enemy, bool positive) {
    float speed = (positive ? 1.0f : -1.0f) * movementSpeed(app.save);
    (enemy.vy != 0 ? enemy.vy : enemy.vx) = speed;
}

bool isDead(const AppState& app) { return app.play.dying || !app.play.movementEnabled; }

}  // namespace

MoveSimulator::MoveSimulator(const PlayRules& rules) : app_(std::make_unique<AppState>()) {
    AppState& app = *app_;
    app.musicOn = false;
    // Off the play screens the step never reloads the level when the player leaves
    // the board; the simulator tests that itself and ends the press there.
    app.screen = MainMenu;
    app.save.enabled[MirroredLevels] = rules.mirrored;
    app.save.enabled[FastMotion] = rules.fastMotion;
    app.save.enabled[LowFriction] = rules.lowFriction;
}

MoveSimulator::~MoveSimulator() = default;

const LevelObjects& MoveSimulator::level() const { return app_->level; }

LevelState MoveSimulator::loadGrid(const LevelGrid& grid, const EnemyStarts& starts) {
    AppState& app = *app_;
    clearLevelObjects(app.level);
    app.level.keysHeld = 0;
    size_t enemy = 0;
    // The game's own loader order, so that start i is the i-th enemy the game draws.
    for (int row = 0; row < boardRows; ++row)
        for (int column = 0; column < boardColumns; ++column) {
            int code = grid[cellIndex(column, row)];
            addCellObject(app.level, app.save, code, column, row);
            if (code == UpDown || code == RightLeft) setStart(app, app.level[static_cast<TileKind>(code)].back(), enemy < starts.size() ? starts[enemy] : true);
            enemy += code == UpDown || code == RightLeft;
        }
    if (app.save.enabled[MirroredLevels]) mirrorLevel(app.level);
    return capture();
}

bool MoveSimulator::hasEnemies() const { return !app_->level[UpDown].empty() || !app_->level[RightLeft].empty(); }

LevelState MoveSimulator::loadLevel(const LevelObjects& level) {
    app_->level = level;
    return capture();
}

void MoveSimulator::restore(const LevelState& state) {
    AppState& app = *app_;
    app.level.player = state.player;
    app.level.keysHeld = state.keysHeld;
    for (TileKind kind : changingKinds) app.level[kind] = state.lists[slot(kind)];
    app.play = GameplayState{};
    app.particles.particles.clear();
}

LevelState MoveSimulator::capture() const {
    const AppState& app = *app_;
    LevelState state;
    state.player = app.level.player;
    state.keysHeld = app.level.keysHeld;
    for (TileKind kind : changingKinds) state.lists.push_back(app.level[kind]);
    return state;
}

MoveOutcome MoveSimulator::play(const LevelState& from, Move move, LevelState& to) {
    restore(from);
    MoveOutcome outcome = move == Move::Wait ? stepWait() : stepUntilRest(move);
    if (outcome.end == MoveEnd::Goal) watchGoal(outcome);
    to = capture();
    return outcome;
}

MoveOutcome MoveSimulator::stepUntilRest(Move move) {
    AppState& app = *app_;
    MoveOutcome outcome;
    outcome.end = MoveEnd::NeverStops;
    for (int frame = 0; frame < moveFrameCap; ++frame) {
        holdKey(app.play, move, frame == 0);  // a tap: down for one frame, then up
        setSlideSpeed(app);
        gameplayStep(app, solverDt);
        const LevelObject& player = app.level.player;
        outcome.frames = frame + 1;
        if (!offBoard(player)) outcome.exitCell = cellOf(player);
        if (app.play.goalDelay.running) outcome.end = MoveEnd::Goal;
        else if (isDead(app)) outcome.end = MoveEnd::Died;
        else if (offBoard(player)) outcome.end = MoveEnd::LeftBoard;
        else if (player.vx == 0 && player.vy == 0) outcome.end = MoveEnd::Stopped;
        else continue;
        break;
    }
    return outcome;
}

MoveOutcome MoveSimulator::stepWait() {
    AppState& app = *app_;
    MoveOutcome outcome;
    outcome.exitCell = cellOf(app.level.player);
    holdKey(app.play, Move::Wait, false);
    for (int frame = 0; frame < waitFrames; ++frame) {
        setSlideSpeed(app);
        gameplayStep(app, solverDt);
        outcome.frames = frame + 1;
        if (!isDead(app)) continue;
        outcome.end = MoveEnd::Died;
        break;
    }
    return outcome;
}

// An enemy that crosses the goal during the delay kills the player there and the
// level restarts with the peach back on the board.
void MoveSimulator::watchGoal(MoveOutcome& outcome) {
    if (!hasEnemies()) return;
    AppState& app = *app_;
    for (int frame = 0; frame < goalWatchFrames && outcome.end == MoveEnd::Goal; ++frame) {
        setSlideSpeed(app);
        gameplayStep(app, solverDt);
        if (isDead(app)) outcome.end = MoveEnd::Died;
    }
}

// An enemy counts by the half cell it is in and its way: states a few frames apart
// play alike, and telling every frame apart multiplied the search by the period
// of the patrol. A found path is still exact: every node keeps its exact state.
void appendEnemies(std::string& key, const std::vector<LevelObject>& enemies) {
    for (const LevelObject& enemy : enemies) {
        int place[] = {static_cast<int>(std::floor(enemy.x / enemyGrain)), static_cast<int>(std::floor(enemy.y / enemyGrain)),
                       (enemy.vx > 0) - (enemy.vx < 0), (enemy.vy > 0) - (enemy.vy < 0)};
        appendRaw(key, place, sizeof place);
    }
}

std::string stateKey(const LevelState& state) {
    std::string key;
    appendObject(key, state.player);
    appendRaw(key, &state.keysHeld, sizeof state.keysHeld);
    for (TileKind kind : changingKinds) {
        if (kind == UpDown || kind == RightLeft) appendEnemies(key, state.lists[slot(kind)]);
        else appendList(key, state.lists[slot(kind)]);
    }
    return key;
}

std::string progressKey(const LevelState& state) {
    std::string key;
    appendRaw(key, &state.keysHeld, sizeof state.keysHeld);
    // The game and loadGrid may list the same objects in different orders, so
    // each list is compared as a set.
    for (TileKind kind : progressKinds) {
        std::vector<std::string> objects;
        for (const LevelObject& object : state.lists[slot(kind)]) {
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

CellPosition playerCell(const LevelState& state) { return cellOf(state.player); }

namespace {

struct SearchNode {
    LevelState state;
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

std::string cellName(const LevelObject& object) { return cellName(cellOf(object)); }

using CellSet = std::set<std::pair<int, int>>;

void addCell(CellSet& cells, const LevelObject& object) {
    CellPosition cell = cellOf(object);
    cells.insert({cell.column, cell.row});
}

bool hasCell(const CellSet& cells, const LevelObject& object) {
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

void noteTaken(Findings& findings, const LevelState& from, const LevelState& to, TileKind kind) {
    const auto& before = from.lists[slot(kind)];
    const auto& after = to.lists[slot(kind)];
    if (before.size() == after.size()) return;
    CellSet left;
    for (const LevelObject& object : after) addCell(left, object);
    for (const LevelObject& object : before)
        if (!hasCell(left, object)) addCell(findings.taken, object);
}

const char* edgeName(const LevelObject& player) {
    if (player.x < 0) return "left";
    if (player.x > (boardColumns - 1) * cellSize) return "right";
    if (player.y < 0) return "top";
    return "bottom";
}

void noteEdgeExit(Findings& findings, const LevelObject& player, const MoveOutcome& outcome,
                  const std::vector<Move>& moves) {
    std::string where = std::string("the player can slide off the ") + edgeName(player) + " edge at " +
                        cellName(outcome.exitCell);
    if (findings.edgeExits.insert(where).second) findings.warnings.push_back(where + " (" + movesText(moves) + ")");
}

void noteNeverStops(Findings& findings, const std::vector<Move>& moves) {
    if (findings.neverStopsSeen) return;
    findings.neverStopsSeen = true;
    findings.warnings.push_back("a press never comes to rest (" + movesText(moves) + ")");
}

void warnUnreached(Findings& findings, const LevelObjects& level, TileKind kind, const char* name,
                   const CellSet& reached) {
    for (const LevelObject& object : level[kind])
        if (!hasCell(reached, object))
            findings.warnings.push_back(std::string("the ") + name + " at " + cellName(object) + " cannot be reached");
}

void warnAboutBoard(Findings& findings, const LevelObjects& level, const SolveResult& result) {
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
              const LevelState& next) {
    addCell(findings.goalsReached, next.player);
    if (!result.goalReachable) {
        result.goalReachable = true;
        result.toGoal = pathThen(nodes, index, move);
    }
    if (!result.peachReachable && next.lists[slot(Peach)].empty()) {
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
        LevelState state = nodes_[0].state;
        for (int frames = 0; frames < startWatchFrames; frames += waitFrames) {
            if (simulator_.play(state, Move::Wait, state).end != MoveEnd::Died) continue;
            findings_.warnings.push_back("an enemy reaches the player's start cell " + std::to_string(frames + waitFrames) +
                                         " frames after the load" + label_);
            return;
        }
    }

    void expand(int index, std::vector<int>& layer, std::vector<int>& next) {
        bool waits = simulator_.hasEnemies();
        for (Move move : allWithWait) {
            if (move == Move::Wait && !waits) continue;
            MoveOutcome outcome = simulator_.play(nodes_[index].state, move, next_);
            if (outcome.end == MoveEnd::LeftBoard) noteEdgeExit(findings_, next_.player, outcome, pathThen(nodes_, index, move));
            if (outcome.end == MoveEnd::NeverStops) noteNeverStops(findings_, pathThen(nodes_, index, move));
            if (outcome.end != MoveEnd::Stopped && outcome.end != MoveEnd::Goal) continue;
            noteTaken(findings_, nodes_[index].state, next_, Peach);
            noteTaken(findings_, nodes_[index].state, next_, Key);
            if (outcome.end == MoveEnd::Goal) {
                noteGoal(result_, findings_, nodes_, index, move, next_);
                if (next_.lists[slot(Peach)].empty()) winning_[index] = true;
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
    LevelObjects loaded_;
    std::unordered_map<std::string, int> seen_;
    std::vector<std::vector<int>> comesFrom_;  // per node, the nodes one move before it
    std::vector<bool> winning_;                // per node, a move reaches the goal with the peach
    SolveResult result_;
    Findings findings_;
    LevelState next_;
    std::string label_;
    bool truncated_ = false;
};

StartAnswer answerOf(const EnemyStarts& starts, const SolveResult& one) {
    return {starts,           one.goalReachable, one.peachReachable, pressCount(one.toGoal), pressCount(one.withPeach),
            one.statesExplored, one.deadEnds};
}

// The worse start needs more presses with the peach, or cannot take it at all.
bool isWorse(const SolveResult& one, const SolveResult& than) {
    if (one.peachReachable != than.peachReachable) return !one.peachReachable;
    if (pressCount(one.withPeach) != pressCount(than.withPeach)) return pressCount(one.withPeach) > pressCount(than.withPeach);
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
    std::vector<EnemyStarts> starts = options.starts ? std::vector<EnemyStarts>{*options.starts}
                                                     : everyStart(std::min(enemies, maxEnemies));
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

std::optional<std::vector<Move>> findMoves(const LevelObjects& start, const PlayRules& rules,
                                           const std::function<bool(const LevelState&)>& accept, int maxDepth) {
    MoveSimulator simulator(rules);
    std::vector<SearchNode> nodes{{simulator.loadLevel(start), -1, Move::Left, 0}};
    std::unordered_map<std::string, int> seen{{stateKey(nodes[0].state), 0}};
    LevelState next;
    for (size_t index = 0; index < nodes.size(); ++index) {
        if (nodes[index].depth >= maxDepth) continue;
        for (Move move : allMoves) {
            MoveOutcome outcome = simulator.play(nodes[index].state, move, next);
            if (outcome.end != MoveEnd::Stopped && outcome.end != MoveEnd::Goal) continue;
            if (accept(next)) return pathThen(nodes, static_cast<int>(index), move);
            if (outcome.end == MoveEnd::Goal || !seen.emplace(stateKey(next), static_cast<int>(nodes.size())).second) continue;
            nodes.push_back({next, static_cast<int>(index), move, nodes[index].depth + 1});
        }
    }
    return std::nullopt;
}
