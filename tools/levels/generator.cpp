#include "generator.h"

#include <algorithm>
#include <cmath>

namespace {

// How many tiles of a family a random board starts with: each stock draws a count
// between its bounds and, for each tile, one of its kinds.
struct Stock {
    std::vector<TileKind> kinds;
    int least, most;
};

struct FamilyStock {
    TileFamily family;
    std::vector<Stock> stocks;
};

const FamilyStock familyStocks[] = {
    {TileFamily::Holes, {{{Hole}, 3, 6}}},
    {TileFamily::Earth, {{{Earth}, 2, 4}}},
    {TileFamily::Arrows, {{{ArrowLeft, ArrowUp, ArrowRight, ArrowDown}, 2, 4}}},
    {TileFamily::SpeedTiles, {{{SpeedLeft, SpeedUp, SpeedRight, SpeedDown}, 2, 3}}},
    {TileFamily::PassOnces, {{{PassOnce}, 2, 4}}},
    {TileFamily::KeysAndDoors, {{{Key}, 1, 2}, {{Door}, 1, 2}}},
    {TileFamily::TheButton, {{{Button}, 1, 1}, {{MetalDoor}, 2, 3}}},
    {TileFamily::Enemies, {{{UpDown, RightLeft}, 1, 1}}},
};

// Kinds a turn may change into each other.
const std::vector<TileKind> turnable[] = {
    {ArrowLeft, ArrowUp, ArrowRight, ArrowDown},
    {SpeedLeft, SpeedUp, SpeedRight, SpeedDown},
    {UpDown, RightLeft},
};

int uniform(std::mt19937& random, int least, int most) {
    return std::uniform_int_distribution<int>(least, most)(random);
}

bool isInner(int column, int row) { return column > 0 && row > 0 && column < boardColumns - 1 && row < boardRows - 1; }

int randomInnerCell(std::mt19937& random) {
    return cellIndex(uniform(random, 1, boardColumns - 2), uniform(random, 1, boardRows - 2));
}

// An empty inner cell, or -1 on a board with none left.
int randomEmptyCell(const LevelGrid& grid, std::mt19937& random) {
    for (int tries = 0; tries < 1000; ++tries) {
        int cell = randomInnerCell(random);
        if (grid[cell] == Empty) return cell;
    }
    return -1;
}

void place(LevelGrid& grid, int kind, std::mt19937& random) {
    int cell = randomEmptyCell(grid, random);
    if (cell >= 0) grid[cell] = kind;
}

const FamilyStock* stockOf(const IdeaFamily& family) {
    for (const FamilyStock& stock : familyStocks)
        if (stock.family == family.family) return &stock;
    return nullptr;
}

std::vector<int> cellsWhere(const LevelGrid& grid, const std::function<bool(int code, int cell)>& test) {
    std::vector<int> cells;
    for (int cell = 0; cell < cellCount; ++cell)
        if (test(grid[cell], cell)) cells.push_back(cell);
    return cells;
}

int pick(const std::vector<int>& cells, std::mt19937& random) {
    return cells.empty() ? -1 : cells[uniform(random, 0, static_cast<int>(cells.size()) - 1)];
}

bool innerCell(int cell) { return isInner(cell / boardRows, cell % boardRows); }

void toggleWall(LevelGrid& grid, std::mt19937& random) {
    int cell = randomInnerCell(random);
    if (grid[cell] == Empty)
        grid[cell] = Wall;
    else if (grid[cell] == Wall)
        grid[cell] = Empty;
}

void moveTile(LevelGrid& grid, std::mt19937& random) {
    int from = pick(
        cellsWhere(grid, [](int code, int cell) { return innerCell(cell) && code != Empty && code != Wall; }), random);
    int to = randomEmptyCell(grid, random);
    if (from < 0 || to < 0) return;
    std::swap(grid[from], grid[to]);
}

void turnTile(LevelGrid& grid, std::mt19937& random) {
    auto turnableCode = [](int code) {
        for (const auto& kinds : turnable)
            if (std::find(kinds.begin(), kinds.end(), code) != kinds.end()) return &kinds;
        return static_cast<const std::vector<TileKind>*>(nullptr);
    };
    int cell = pick(cellsWhere(grid, [&](int code, int) { return turnableCode(code) != nullptr; }), random);
    if (cell < 0) return;
    const std::vector<TileKind>& kinds = *turnableCode(grid[cell]);
    grid[cell] = kinds[uniform(random, 0, static_cast<int>(kinds.size()) - 1)];
}

// Shifts a wall one cell, which keeps the board's density while changing where slides end.
void slideWall(LevelGrid& grid, std::mt19937& random) {
    int cell = pick(cellsWhere(grid, [](int code, int cell) { return innerCell(cell) && code == Wall; }), random);
    if (cell < 0) return;
    const int steps[] = {boardRows, -boardRows, 1, -1};
    int next = cell + steps[uniform(random, 0, 3)];
    if (next >= 0 && next < cellCount && innerCell(next) && grid[next] == Empty) std::swap(grid[cell], grid[next]);
}

double log2Of(int value) { return std::log2(1.0 + std::max(0, value)); }

bool chosen(const GeneratorOptions& options, const IdeaFamily* family) {
    return std::find(options.families.begin(), options.families.end(), family) != options.families.end();
}

}  // namespace

double scoreOf(const LevelMetrics& metrics, const GeneratorOptions& options) {
    if (!metrics.solvable) return -100.0 + log2Of(metrics.states);
    // Moves count up to the target; far past it a board turns into a walk.
    double moves = std::min(metrics.withPeach, options.targetMoves) -
                   0.5 * std::max(0, metrics.withPeach - options.targetMoves * 3 / 2);
    double score = 3.0 * moves + 2.0 * log2Of(metrics.deadEnds) + 2.0 * log2Of(metrics.states);
    int peachDetour = metrics.withPeach - metrics.toGoal;
    if (peachDetour < 4) score -= 3.0 * (4 - peachDetour);
    for (const IdeaVerdict& idea : metrics.ideas)
        if (chosen(options, idea.family)) score += idea.needed ? 6.0 : -4.0;
    score -= 10.0 * static_cast<double>(metrics.warnings.size());
    return score;
}

LevelGrid randomBoard(const GeneratorOptions& options, std::mt19937& random) {
    LevelGrid grid{};
    for (int column = 0; column < boardColumns; ++column)
        for (int row = 0; row < boardRows; ++row) {
            bool wall = !isInner(column, row) || uniform(random, 0, 99) < options.wallPercent;
            grid[cellIndex(column, row)] = wall ? Wall : Empty;
        }
    for (int kind : {Player, Goal, Peach}) place(grid, kind, random);
    for (const IdeaFamily* family : options.families)
        if (const FamilyStock* stock = stockOf(*family))
            for (const Stock& part : stock->stocks)
                for (int count = uniform(random, part.least, part.most); count > 0; --count)
                    place(grid, part.kinds[uniform(random, 0, static_cast<int>(part.kinds.size()) - 1)], random);
    return grid;
}

LevelGrid mutated(const LevelGrid& grid, std::mt19937& random, bool wallsOnly) {
    LevelGrid next = grid;
    int roll = uniform(random, 0, 99);
    if (wallsOnly) roll = roll < 70 ? 0 : 99;
    if (roll < 40)
        toggleWall(next, random);
    else if (roll < 75)
        moveTile(next, random);
    else if (roll < 90)
        turnTile(next, random);
    else
        slideWall(next, random);
    return next;
}

Candidate generateBoard(const GeneratorOptions& options, const std::function<void(const Candidate&)>& onBest) {
    std::mt19937 random(options.seed);
    Candidate current;
    current.grid = options.start ? *options.start : randomBoard(options, random);
    current.metrics = measureLevel(current.grid, options.rules);
    current.score = scoreOf(current.metrics, options);
    Candidate best = current;
    if (onBest) onBest(best);
    // The temperature falls from 4 to 0.2: early on a worse board is often taken,
    // which lets the search leave a local peak; at the end hardly ever.
    for (int i = 0; i < options.iterations; ++i) {
        double temperature = 4.0 * std::pow(0.05, static_cast<double>(i) / std::max(1, options.iterations));
        Candidate next;
        next.grid = mutated(current.grid, random, options.wallsOnly);
        next.metrics = measureLevel(next.grid, options.rules);
        next.score = scoreOf(next.metrics, options);
        double chance = std::exp((next.score - current.score) / temperature);
        if (next.score >= current.score || std::uniform_real_distribution<double>(0, 1)(random) < chance)
            current = next;
        if (current.score > best.score) {
            best = current;
            if (onBest) onBest(best);
        }
    }
    return best;
}
