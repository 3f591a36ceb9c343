#include "solver.h"

#include "app/app_state.h"
#include "game/gameplay.h"
#include "level/map_file.h"

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

LevelState MoveSimulator::loadGrid(const LevelGrid& grid) {
    AppState& app = *app_;
    clearLevelObjects(app.level);
    app.level.keysHeld = 0;
    for (int row = 0; row < boardRows; ++row)
        for (int column = 0; column < boardColumns; ++column)
            addCellObject(app.level, app.save, grid[cellIndex(column, row)], column, row);
    if (app.save.enabled[MirroredLevels]) mirrorLevel(app.level);
    return capture();
}

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
    AppState& app = *app_;
    restore(from);
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
        else if (app.play.dying || !app.play.movementEnabled) outcome.end = MoveEnd::Died;
        else if (offBoard(player)) outcome.end = MoveEnd::LeftBoard;
        else if (player.vx == 0 && player.vy == 0) outcome.end = MoveEnd::Stopped;
        else continue;
        break;
    }
    to = capture();
    return outcome;
}

std::string stateKey(const LevelState& state) {
    std::string key;
    appendObject(key, state.player);
    appendRaw(key, &state.keysHeld, sizeof state.keysHeld);
    for (const auto& list : state.lists) appendList(key, list);
    return key;
}

std::string progressKey(const LevelState& state) {
    std::string key;
    appendRaw(key, &state.keysHeld, sizeof state.keysHeld);
    for (TileKind kind : progressKinds) appendList(key, state.lists[slot(kind)]);
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

SolveResult solveLevel(const LevelGrid& grid, const SolveOptions& options) {
    auto started = std::chrono::steady_clock::now();
    SolveResult result;
    Findings findings;
    MoveSimulator simulator(options.rules);
    std::vector<SearchNode> nodes{{simulator.loadGrid(grid), -1, Move::Left, 0}};
    const LevelObjects loaded = simulator.level();  // play changes the simulator's copy
    std::unordered_map<std::string, int> seen{{stateKey(nodes[0].state), 0}};
    bool truncated = false;
    LevelState next;
    for (size_t index = 0; index < nodes.size(); ++index) {
        for (Move move : allMoves) {
            MoveOutcome outcome = simulator.play(nodes[index].state, move, next);
            int here = static_cast<int>(index);
            if (outcome.end == MoveEnd::LeftBoard) noteEdgeExit(findings, next.player, outcome, pathThen(nodes, here, move));
            if (outcome.end == MoveEnd::NeverStops) noteNeverStops(findings, pathThen(nodes, here, move));
            if (outcome.end != MoveEnd::Stopped && outcome.end != MoveEnd::Goal) continue;
            noteTaken(findings, nodes[index].state, next, Peach);
            noteTaken(findings, nodes[index].state, next, Key);
            if (outcome.end == MoveEnd::Goal) {
                noteGoal(result, findings, nodes, here, move, next);
                continue;
            }
            std::string key = stateKey(next);
            if (seen.count(key)) continue;
            if (static_cast<int>(nodes.size()) >= options.maxStates) {
                truncated = true;
                continue;
            }
            seen.emplace(std::move(key), static_cast<int>(nodes.size()));
            nodes.push_back({next, here, move, nodes[index].depth + 1});
        }
    }
    result.statesExplored = static_cast<int>(nodes.size());
    warnAboutBoard(findings, loaded, result);
    if (truncated)
        findings.warnings.push_back("the search stopped at " + std::to_string(options.maxStates) +
                                    " states; the answers may not be the fewest");
    result.warnings = findings.warnings;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
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
