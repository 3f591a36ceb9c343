// The rules every built-in level keeps, measured by the solver: no idle piece
// but a named decoy, no long run of routine presses, no walk longer than the idea
// needs, no corridor a greedy player gets through, enemies that matter without
// making the player queue, a peach that is its own small puzzle, and the level
// table of data/levels/README.md as the levels are now.
#include "support/rules_support.h"

#include "level_table.h"
#include "metrics.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

const std::string levelsFolder = std::string(SOURCE_DIR) + "/data/levels";
constexpr int levelCount = 35;

constexpr int idleFrom = 8;    // the tutorials before teach one tile on an open board
constexpr int craftFrom = 11;  // from here on every level is a puzzle of its own
constexpr int mostRoutinePresses = 3;
constexpr int mostMoves = 30;
constexpr int longMoves = 25, mostLongLevels = 5;
constexpr int mostWaitRuns = 3;
constexpr int peachFrom = 3;
constexpr int peachDetour = 4;

// The levels that still break a rule, until they are redesigned around one idea
// each. A listed level that keeps its rule fails too: take it off, so that the
// lists only shrink.
const std::set<int> stillIdle = {10, 11, 13, 14, 15, 16, 17, 20, 21, 23, 25, 26, 27, 28, 30, 31, 32, 33, 34, 35};
const std::set<int> stillRoutine = {29, 31, 32};
const std::set<int> stillTooLong = {31, 32, 34, 35};
const std::set<int> stillGreedyWins = {20};
const std::set<int> stillQueueing = {};
// How many levels go past 25 moves beyond the five allowed (now 26 to 35).
constexpr int longLevelsTooMany = 5;

// The per-level measures re-solve every level once per piece; the sanitizers
// would make that the slowest test of all for no path the metrics tests miss.
bool sanitized() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#endif
#endif
    return false;
}

MeasuredLevel readLevel(int number) {
    MeasuredLevel level;
    level.number = number;
    for (const std::string& path : levelSourcesIn(levelsFolder)) {
        if (levelNumberOf(path) != number) continue;
        std::vector<SourceError> errors;
        EXPECT_TRUE(readLevelSource(path, level.source, errors)) << path;
    }
    return level;
}

std::map<int, std::string> tableRows() {
    std::map<int, std::string> rows;
    for (auto& [number, row] : tableRowsIn(readWholeFile(levelsFolder + "/README.md"))) rows[number] = row;
    return rows;
}

bool needs(const LevelMetrics& metrics, const IdeaFamily* family) {
    for (const IdeaVerdict& idea : metrics.ideas)
        if (idea.family == family) return idea.needed;
    return false;
}

void expectRule(int level, bool kept, const std::set<int>& stillBroken, const std::string& rule) {
    if (stillBroken.count(level)) {
        EXPECT_FALSE(kept) << "level " << level << " now keeps the rule '" << rule << "': take it off its list";
    } else {
        EXPECT_TRUE(kept) << "level " << level << " breaks the rule '" << rule << "'";
    }
}

class EveryLevel : public ::testing::TestWithParam<int> {};

TEST_P(EveryLevel, KeepsTheDesignRulesAndItsRowOfTheTable) {
    if (sanitized()) GTEST_SKIP() << "measured in the plain build";
    int number = GetParam();
    MeasuredLevel level = readLevel(number);
    ASSERT_FALSE(level.source.name.empty()) << "level " << number << " has no name";
    level.metrics = measureLevel(level.source.grid);
    const LevelMetrics& m = level.metrics;

    EXPECT_EQ(tableRows()[number], tableRow(level)) << "run `make level-table` after changing a level";
    ASSERT_TRUE(m.solvable);
    EXPECT_TRUE(m.warnings.empty()) << m.warnings.front();
    for (const IdeaFamily* family : familiesNamed(level.source.teaches))
        EXPECT_TRUE(needs(m, family)) << "it teaches " << family->name << " but does not need them";

    if (number >= idleFrom) expectRule(number, idleButNoDecoy(level).empty(), stillIdle, "no idle piece but decoys");
    if (number >= craftFrom) {
        expectRule(number, m.longestRoutineRun <= mostRoutinePresses, stillRoutine,
                   "at most three routine presses in a row");
        expectRule(number, m.greedyWins == 0, stillGreedyWins, "a greedy player loses");
    }
    expectRule(number, m.withPeach <= mostMoves, stillTooLong, "at most 30 moves with the peach");
    if (m.hasEnemies) {
        EXPECT_TRUE(m.enemiesMatter);
        expectRule(number, m.mostWaitRuns <= mostWaitRuns, stillQueueing, "at most three runs of waits");
    }
    if (number >= peachFrom) {
        EXPECT_GE(m.withPeach, m.toGoal + peachDetour) << "the peach is no detour";
    }
}

INSTANTIATE_TEST_SUITE_P(LevelDesign, EveryLevel, ::testing::Range(1, levelCount + 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Level" + std::to_string(info.param);
                         });

TEST(LevelDesign, AtMostFiveLevelsAskForMoreThan25Moves) {
    std::map<int, std::string> rows = tableRows();
    ASSERT_EQ(rows.size(), static_cast<size_t>(levelCount));
    int longLevels = 0;
    for (auto& [number, row] : rows) {
        std::vector<std::string> cells = rowCells(row);
        ASSERT_GE(cells.size(), 7u) << row;
        longLevels += std::atoi(cells[6].c_str()) > longMoves;
    }
    EXPECT_EQ(std::max(0, longLevels - mostLongLevels), longLevelsTooMany)
        << longLevels << " levels ask for more than " << longMoves << " moves; set longLevelsTooMany to what is left";
}

TEST(LevelDesign, EveryLevelHasANameOfItsOwn) {
    std::set<std::string> names;
    for (int number = 1; number <= levelCount; ++number) {
        std::string name = readLevel(number).source.name;
        EXPECT_FALSE(name.empty()) << "level " << number;
        EXPECT_TRUE(names.insert(name).second) << "level " << number << " is named like another: " << name;
    }
}

}  // namespace
