// The solver's measures of a level: dead ends, the tiles a board needs, its idle
// pieces, routine presses, a greedy player's fate, whether its enemies matter,
// the level table that keeps them, and the generator that proposes boards by them. Boards are drawn as the
// level sources draw them.
#include "support/rules_support.h"
#include "support/walled_board.h"

#include "generator.h"
#include "level_table.h"
#include "metrics.h"

#include <algorithm>

namespace {

std::vector<std::string> neededIdeas(const LevelMetrics& metrics) {
    std::vector<std::string> names;
    for (const IdeaVerdict& idea : metrics.ideas)
        if (idea.needed) names.push_back(idea.family->name);
    return names;
}

TEST(LevelMetrics, CountsTheRestingStatesThatCanNoLongerWin) {
    // Right takes the player through the arrow into the pocket before it has the
    // peach: the pocket's two resting cells lead only to the goal without it.
    LevelMetrics metrics = measureLevel(drawBoard({"#########", "#P..>...#", "#.#####.#", "#*#####G#"}));
    ASSERT_TRUE(metrics.solvable);
    EXPECT_EQ(metrics.toGoal, 2);     // R D
    EXPECT_EQ(metrics.withPeach, 4);  // D U R D
    EXPECT_EQ(metrics.states, 7);     // the start, the peach cell, and two pocket cells with and without it
    EXPECT_EQ(metrics.deadEnds, 2);
}

TEST(LevelMetrics, AFamilyIsNeededOnlyWhenTakingItAwayChangesTheAnswer) {
    // The left arrow stops the first slide above the peach; the earth stands
    // where no slide passes.
    LevelMetrics metrics = measureLevel(drawBoard({"#########", "#P.....<#", "#.####*##", "#.####.%#", "#G.....##"}));
    ASSERT_EQ(metrics.ideas.size(), 2u);
    EXPECT_EQ(neededIdeas(metrics), (std::vector<std::string>{"arrows"}));
}

TEST(LevelMetrics, EnemiesMatterWhenTheCalmRouteMeetsThemAndCountWaitsAsMoves) {
    std::vector<std::string> lane = {"#########", "#P......#", "#.#######", "#.......#",
                                     "#.......#", "#.....*.#", "#######G#"};
    LevelMetrics calm = measureLevel(drawBoard(lane));
    EXPECT_FALSE(calm.hasEnemies);
    EXPECT_EQ(calm.withPeach, 3);  // D R D
    lane[4][3] = 'H';              // patrols the row the first slide crosses
    LevelMetrics guarded = measureLevel(drawBoard(lane));
    EXPECT_TRUE(guarded.hasEnemies);
    EXPECT_TRUE(guarded.enemiesMatter);
    EXPECT_GE(guarded.waits, 1);
    EXPECT_EQ(guarded.mostWaitRuns, 1) << "one wait before the first slide, whichever way the enemy starts";
    EXPECT_EQ(fewestWaitRuns(drawBoard(lane), EnemyStarts{false}) + fewestWaitRuns(drawBoard(lane), EnemyStarts{true}),
              1)
        << "one start leaves the row free at once";
    EXPECT_EQ(guarded.withPeach, calm.withPeach + guarded.waits);
}

TEST(LevelMetrics, ATeachesLineNamesFamiliesByTheirWords) {
    auto named = [](const std::string& teaches) {
        std::vector<std::string> names;
        for (const IdeaFamily* family : familiesNamed(teaches)) names.push_back(family->name);
        return names;
    };
    EXPECT_EQ(named("the button and metal doors"), (std::vector<std::string>{"the button"}));
    EXPECT_EQ(named("Keys open doors; one-way gates"), (std::vector<std::string>{"arrows", "keys and doors"}));
    EXPECT_TRUE(named("walls as stoppers").empty());
}

TEST(LevelMetrics, APieceIsIdleWhenTheLevelNeedsNoOtherRouteWithoutIt) {
    // The arrow stops the first slide above the peach; the earth beside the pit
    // and the key at the far end of the goal row lie where no slide stops.
    LevelGrid grid = drawBoard({"#########", "#P.....<#", "#.####*##", "#.####.%#", "#G.....k#"});
    std::vector<std::pair<std::string, std::string>> idle;
    for (const IdlePiece& piece : idlePieces(grid)) idle.push_back({pieceName(piece.tile), cellText(piece.cell)});
    EXPECT_EQ(idle, (std::vector<std::pair<std::string, std::string>>{{"earth", "8,4"}, {"key", "8,5"}}));

    MeasuredLevel level;
    level.source.grid = grid;
    level.metrics = measureLevel(grid);
    level.source.decoys = {{{7, 3}, "the earth seems to hold you by the pit"}};
    ASSERT_EQ(idleButNoDecoy(level).size(), 1u) << "a decoy is no idle piece";
    EXPECT_EQ(idleButNoDecoy(level)[0].tile, Key);
}

struct RoutineCase {
    const char* name;
    std::vector<std::string> rows;
    int longestRun;
};

void PrintTo(const RoutineCase& routine, std::ostream* out) { *out << routine.name; }

class RoutinePresses : public ::testing::TestWithParam<RoutineCase> {};

TEST_P(RoutinePresses, CountTheLongestRunWithNoOtherPlaceToGo) {
    LevelMetrics metrics = measureLevel(drawBoard(GetParam().rows));
    ASSERT_TRUE(metrics.solvable);
    EXPECT_EQ(metrics.withPeach, 5);  // R D L D R
    EXPECT_EQ(metrics.longestRoutineRun, GetParam().longestRun);
}

// A winding corridor: every other press is blocked or slides back to where the
// last one started. A side pocket at the second turn makes two presses choices.
INSTANTIATE_TEST_SUITE_P(
    LevelMetrics, RoutinePresses,
    ::testing::Values(
        RoutineCase{"WindingCorridor", {"#######", "#P...##", "####.##", "##...##", "##.####", "##.*.G#"}, 5},
        RoutineCase{"SidePocket", {"#######", "#P...##", "####.##", "##....#", "##.####", "##.*.G#"}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct GreedyCase {
    const char* name;
    std::vector<std::string> rows;
    GreedyEnd end;
    int presses;
};

void PrintTo(const GreedyCase& greedy, std::ostream* out) { *out << greedy.name; }

class GreedyPlayer : public ::testing::TestWithParam<GreedyCase> {};

TEST_P(GreedyPlayer, TakesThePressThatLandsNearestToWhatItStillNeeds) {
    LevelGrid grid = drawBoard(GetParam().rows);
    ASSERT_TRUE(measureLevel(grid).solvable) << "a fair level, only not for a greedy player";
    GreedyPlay play = playGreedily(grid);
    EXPECT_EQ(greedyText(play), greedyText(GreedyPlay{GetParam().end, GetParam().presses}));
}

INSTANTIATE_TEST_SUITE_P(
    LevelMetrics, GreedyPlayer,
    ::testing::Values(
        // Straight over the peach into the goal.
        GreedyCase{"WinsAlongACorridor", {"#######", "#P.*.G#"}, GreedyEnd::Won, 1},
        // The goal lies next to the peach, so the first press ends there without it.
        GreedyCase{"StopsOnTheGoalBesideThePeach",
                   {"########", "#P..G*.#", "#.####.#", "#......#"},
                   GreedyEnd::GoalWithoutPeach,
                   1},
        // Through the one-way arrow towards the peach, into a pocket it cannot leave.
        GreedyCase{
            "WalksIntoAOneWayPocket", {"#######", "#P>.#*#", "#.###.#", "#.....#", "#####G#"}, GreedyEnd::Stuck, 1},
        // Left and Up both rest two cells from the peach: Left goes first and wins;
        // Up would have ended in a shaft with nowhere new to go.
        GreedyCase{"BreaksTiesLeftFirst", {"#######", "#*#.###", "#.#.###", "#..P###", "#G#####"}, GreedyEnd::Won, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LevelTable, TheTableGoesBetweenItsMarkersAndIsReadBackByLevel) {
    std::string readme =
        "intro\n<!-- level table: made by `make level-table` -->\nold\n<!-- end of level table -->\nafter\n";
    MeasuredLevel level;
    level.number = 12;
    level.source.name = "Hole Punch";
    level.source.teaches = "holes";
    level.source.grid = drawBoard({"#P.%*G#"});
    level.source.decoys = {{{3, 0}, "the earth looks like a seat"}};
    level.metrics.solvable = true;
    level.metrics.withPeach = 17;
    level.metrics.longestRoutineRun = 2;
    level.metrics.greedy = {GreedyEnd::Won, 9};
    ASSERT_TRUE(replaceTable(readme, tableHeader() + tableRow(level)));
    EXPECT_EQ(readme.find("old"), std::string::npos);
    EXPECT_NE(readme.find("after"), std::string::npos);
    auto rows = tableRowsIn(readme);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].first, 12);
    EXPECT_EQ(rows[0].second, tableRow(level));
    std::vector<std::string> cells = rowCells(rows[0].second);
    ASSERT_EQ(cells.size(), 14u);
    EXPECT_EQ(cells[1], "Hole Punch");
    EXPECT_EQ(cells[6], "17");
    EXPECT_EQ(cells[8], "2");
    EXPECT_EQ(cells[10], "earth 4,1");
    EXPECT_EQ(cells[11], "wins in 9");
    std::string unmarked = "no markers";
    EXPECT_FALSE(replaceTable(unmarked, "table"));
}

}  // namespace

namespace {

int countOf(const LevelGrid& grid, int kind) { return static_cast<int>(std::count(grid.begin(), grid.end(), kind)); }

bool framed(const LevelGrid& grid) {
    for (int column = 0; column < boardColumns; ++column)
        for (int row = 0; row < boardRows; ++row) {
            bool edge = column == 0 || row == 0 || column == boardColumns - 1 || row == boardRows - 1;
            if (edge && grid[cellIndex(column, row)] != Wall) return false;
        }
    return true;
}

TEST(LevelGenerator, BoardsStayFramedWithOnePlayerGoalAndPeachThroughEveryChange) {
    GeneratorOptions options;
    options.families = familiesNamed("keys, arrows");
    std::mt19937 random(7);
    LevelGrid grid = randomBoard(options, random);
    EXPECT_GE(countOf(grid, Key), 1);
    EXPECT_GE(countOf(grid, Door), 1);
    EXPECT_EQ(countOf(grid, Hole), 0) << "only the chosen families";
    for (int i = 0; i < 500; ++i) {
        grid = mutated(grid, random);
        ASSERT_TRUE(framed(grid)) << "after change " << i;
        for (int kind : {Player, Goal, Peach}) ASSERT_EQ(countOf(grid, kind), 1) << "after change " << i;
    }
}

TEST(LevelGenerator, AroundASkeletonOnlyWallsComeAndGo) {
    GeneratorOptions options;
    options.families = familiesNamed("speed tiles, keys");
    std::mt19937 random(11);
    const LevelGrid skeleton = randomBoard(options, random);
    LevelGrid grid = skeleton;
    for (int i = 0; i < 300; ++i) grid = mutated(grid, random, true);
    EXPECT_NE(grid, skeleton);
    for (int cell = 0; cell < cellCount; ++cell) {
        if (skeleton[cell] != Empty && skeleton[cell] != Wall) {
            EXPECT_EQ(grid[cell], skeleton[cell]) << "cell " << cell;
        }
    }
}

TEST(LevelGenerator, PrefersASolvableBoardThatNeedsItsTilesAndMakesThePeachADetour) {
    GeneratorOptions options;
    options.families = familiesNamed("arrows, earth");
    options.targetMoves = 10;
    LevelMetrics unsolvable;
    LevelMetrics plain;
    plain.solvable = true;
    plain.toGoal = 4;
    plain.withPeach = 8;
    plain.states = 40;
    LevelMetrics needsArrows = plain;
    needsArrows.ideas = {{options.families[1], true}, {options.families[0], false}};
    LevelMetrics shortDetour = plain;
    shortDetour.toGoal = 7;
    EXPECT_LT(scoreOf(unsolvable, options), scoreOf(plain, options));
    EXPECT_GT(scoreOf(needsArrows, options), scoreOf(plain, options));
    EXPECT_LT(scoreOf(shortDetour, options), scoreOf(plain, options));
    LevelMetrics walk = plain;
    walk.withPeach = 40;
    EXPECT_LT(scoreOf(walk, options), scoreOf(plain, options)) << "a walk far past the target";
}

}  // namespace
