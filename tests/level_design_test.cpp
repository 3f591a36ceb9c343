// The rules every built-in level keeps, measured by the solver: a curve of moves
// that rises through the game, depth in the later levels, ideas each level needs,
// a peach that is its own small puzzle, enemies that matter, no near-copies, and
// the level table of data/levels/README.md as the levels are now.
#include "support/rules_support.h"

#include "level_table.h"
#include "metrics.h"

#include <algorithm>
#include <map>

namespace {

const std::string levelsFolder = std::string(SOURCE_DIR) + "/data/levels";
constexpr int levelCount = 35;

// The fewest moves with the peach that levels first..last ask for at least.
struct CurveStep {
    int first, last, leastMoves;
};
constexpr CurveStep curve[] = {{11, 20, 14}, {21, 30, 20}, {31, 35, 30}, {35, 35, 40}};
constexpr double leastShareOfTheLevelBefore = 0.7;

constexpr int deepFrom = 21;  // static levels from here on have room to go wrong
constexpr int leastStates = 300;
constexpr int deepestFirst = 26, deepestLast = 35, deepestCount = 5, deepestStates = 1000;
constexpr int combinedFrom = 11;  // levels from here on need two ideas at least
constexpr int peachFrom = 3;
constexpr int peachDetour = 4;
constexpr int leastCellsApart = 50;

bool isTutorial(int level) { return level <= 6 || (level >= 8 && level <= 10); }

std::vector<MeasuredLevel> readLevels() {
    std::vector<MeasuredLevel> levels;
    for (const std::string& path : levelSourcesIn(levelsFolder)) {
        MeasuredLevel level;
        level.number = levelNumberOf(path);
        std::vector<SourceError> errors;
        EXPECT_TRUE(readLevelSource(path, level.source, errors)) << path;
        levels.push_back(level);
    }
    findNearest(levels);
    return levels;
}

std::map<int, std::string> tableRows() {
    std::map<int, std::string> rows;
    for (auto& [number, row] : tableRowsIn(readWholeFile(levelsFolder + "/README.md"))) rows[number] = row;
    return rows;
}

int neededCount(const LevelMetrics& metrics) {
    return static_cast<int>(std::count_if(metrics.ideas.begin(), metrics.ideas.end(), [](const IdeaVerdict& idea) { return idea.needed; }));
}

bool needs(const LevelMetrics& metrics, const IdeaFamily* family) {
    for (const IdeaVerdict& idea : metrics.ideas)
        if (idea.family == family) return idea.needed;
    return false;
}

int leastMovesFor(int level) {
    int least = 0;
    for (const CurveStep& step : curve)
        if (level >= step.first && level <= step.last) least = std::max(least, step.leastMoves);
    return least;
}

class EveryLevel : public ::testing::TestWithParam<int> {};

TEST_P(EveryLevel, KeepsTheDesignRulesAndItsRowOfTheTable) {
    int number = GetParam();
    std::vector<MeasuredLevel> levels = readLevels();
    auto found = std::find_if(levels.begin(), levels.end(), [&](const MeasuredLevel& l) { return l.number == number; });
    ASSERT_NE(found, levels.end()) << "no source for level " << number;
    MeasuredLevel& level = *found;
    level.metrics = measureLevel(level.source.grid);
    const LevelMetrics& m = level.metrics;

    EXPECT_EQ(tableRows()[number], tableRow(level)) << "run `make level-table` after changing a level";
    ASSERT_TRUE(m.solvable);
    EXPECT_TRUE(m.warnings.empty()) << m.warnings.front();
    for (const IdeaFamily* family : familiesNamed(level.source.teaches))
        EXPECT_TRUE(needs(m, family)) << "it teaches " << family->name << " but does not need them";
    if (number >= combinedFrom) {
        EXPECT_GE(neededCount(m), 2);
    }
    if (number >= peachFrom) {
        EXPECT_GE(m.withPeach, m.toGoal + peachDetour) << "the peach is no detour";
    }
    if (!m.hasEnemies && number >= deepFrom) {
        EXPECT_GE(m.states, leastStates);
        EXPECT_GE(m.deadEnds, 1);
    }
    if (m.hasEnemies) {
        EXPECT_TRUE(m.enemiesMatter);
    }
    EXPECT_GE(m.withPeach, leastMovesFor(number));
}

INSTANTIATE_TEST_SUITE_P(LevelDesign, EveryLevel, ::testing::Range(1, levelCount + 1));

TEST(LevelDesign, TheCurveNeverFallsFarAndTheLateLevelsGoDeep) {
    std::map<int, std::string> rows = tableRows();
    ASSERT_EQ(rows.size(), static_cast<size_t>(levelCount));
    int deepest = 0;
    for (auto& [number, row] : rows) {
        std::vector<std::string> cells = rowCells(row);
        ASSERT_GE(cells.size(), 10u) << row;
        int moves = std::atoi(cells[5].c_str());
        if (rows.count(number - 1)) {
            int before = std::atoi(rowCells(rows[number - 1])[5].c_str());
            EXPECT_GE(moves, leastShareOfTheLevelBefore * before) << "level " << number << " after " << before;
        }
        bool isStatic = cells[6] == "-";
        if (isStatic && number >= deepestFirst && number <= deepestLast) deepest += std::atoi(cells[7].c_str()) >= deepestStates;
    }
    EXPECT_GE(deepest, deepestCount);
}

TEST(LevelDesign, NoTwoBoardsAreNearCopies) {
    std::vector<MeasuredLevel> levels = readLevels();
    for (const MeasuredLevel& a : levels)
        for (const MeasuredLevel& b : levels) {
            if (a.number >= b.number || (isTutorial(a.number) && isTutorial(b.number))) continue;
            EXPECT_GE(boardDistance(a.source.grid, b.source.grid), leastCellsApart)
                << "levels " << a.number << " and " << b.number;
        }
}

}  // namespace
