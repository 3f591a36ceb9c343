// The solver: fewest presses by the game's own step, and the warnings a level
// designer needs. Boards are drawn as the level sources draw them.
#include "support/rules_support.h"
#include "support/walled_board.h"

#include "level_source.h"
#include "solver.h"

#include <set>

namespace {

SolveResult solve(const std::vector<std::string>& rows, PlayRules rules = {}, char pad = '#') {
    SolveOptions options;
    options.rules = rules;
    return solveLevel(drawBoard(rows, pad), options);
}

bool warns(const SolveResult& result, const std::string& text) {
    for (const std::string& warning : result.warnings)
        if (warning.find(text) != std::string::npos) return true;
    return false;
}

TEST(LevelSolver, FindsTheFewestPressesToTheGoal) {
    SolveResult result = solve({"#####", "#P..#", "#...#", "#..G#", "#####"});
    ASSERT_TRUE(result.goalReachable);
    EXPECT_EQ(movesText(result.toGoal), "R D");
}

TEST(LevelSolver, TakesTheLongWayWhenThePeachAsksForIt) {
    SolveResult result = solve({"#######", "#P...G#", "#.#####", "#*....#", "#######"});
    EXPECT_EQ(movesText(result.toGoal), "R");
    ASSERT_TRUE(result.peachReachable);
    EXPECT_EQ(movesText(result.withPeach), "D U R");
}

TEST(LevelSolver, AHoleEndsTheSlideThatCrossesIt) {
    SolveResult result = solve({"######", "#P.OG#", "#....#", "######"});
    EXPECT_EQ(movesText(result.toGoal), "D R U");
}

TEST(LevelSolver, ExploresEachRestingStateOnce) {
    SolveResult result = solve({"####", "#PG#", "####"});
    EXPECT_EQ(result.statesExplored, 1);
}

TEST(LevelSolver, WarnsAboutAPeachThatCannotBeTaken) {
    SolveResult result = solve({"#######", "#P..G##", "#######", "#*....#", "#######"});
    EXPECT_TRUE(result.goalReachable);
    EXPECT_FALSE(result.peachReachable);
    EXPECT_TRUE(warns(result, "no way to collect the peach"));
    EXPECT_TRUE(warns(result, "the peach at column 2, row 4 cannot be reached"));
}

TEST(LevelSolver, WarnsAboutMissingKeysAndALonelyButton) {
    SolveResult result = solve({"#######", "#PDBG##", "#######"});
    EXPECT_TRUE(warns(result, "0 keys for 1 doors"));
    EXPECT_TRUE(warns(result, "a button with no metal door"));
    EXPECT_TRUE(warns(result, "the goal at column 5, row 2 cannot be reached"));
}

TEST(LevelSolver, WarnsAboutAnEdgeThePlayerCanSlideOff) {
    SolveResult result = solve({"....", ".PG#", "####"}, {}, '.');
    EXPECT_TRUE(warns(result, "slide off the left edge at column 1, row 2"));
    EXPECT_TRUE(warns(result, "slide off the top edge at column 2, row 1"));
}

// A turned player is still within a frame's travel of the speed tile in the next
// frame; turning it again held it on the tile for ever.
TEST(LevelSolver, ASpeedTileSendsThePlayerOnInsteadOfHoldingIt) {
    std::vector<std::string> rows = {"#######", "#P.s..#", "###.###", "###G###"};
    SolveResult result = solve(rows);
    EXPECT_EQ(movesText(result.toGoal), "R");
    EXPECT_FALSE(warns(result, "never comes to rest"));
}

TEST(LevelSolver, ASpeedTileFacingAWallIsARestingCell) {
    SolveResult result = solve({"########", "#..#a.P#", "####.###", "####G###"});
    EXPECT_EQ(movesText(result.toGoal), "L D");
    EXPECT_FALSE(warns(result, "never comes to rest"));
}

TEST(LevelSolver, LowFrictionStopsATurnedPlayerOnTheNextCell) {
    SolveResult result = solve({"#######", "#P.s..#", "###.###", "###.###", "###G###"}, PlayRules{false, false, true});
    EXPECT_EQ(movesText(result.toGoal), "R R D D");  // the turn carries it one cell down
    EXPECT_FALSE(warns(result, "never comes to rest"));
}

TEST(LevelSolver, MirroredRulesSolveTheMirroredBoardWithTheSameKeys) {
    std::vector<std::string> rows = {"#######", "#P...>G", "#.#####", "#*....#"};
    SolveResult plain = solve(rows);
    SolveResult mirrored = solve(rows, PlayRules{true, false, false});
    EXPECT_EQ(movesText(mirrored.withPeach), movesText(plain.withPeach));
}

// An enemy patrolling the lane below sweeps over the only way down in the first
// frames whichever way it starts, so the player has to let it pass.
TEST(LevelSolver, WaitsForAnEnemyToPassBeforeCrossingItsLane) {
    std::vector<std::string> rows = {"###########", "###P#######", "###.#######",
                                     "#H........#", "###.#######", "###G#######"};
    SolveResult result = solve(rows);
    ASSERT_TRUE(result.peachReachable);
    for (const StartAnswer& answer : result.perStart) EXPECT_EQ(answer.toGoalPresses, 1);
    for (const StartAnswer& answer : result.perStart) {
        SolveOptions options;
        options.starts = answer.starts;
        std::string moves = movesText(solveLevel(drawBoard(rows), options).toGoal);
        EXPECT_EQ(moves.front(), 'W') << moves;
        EXPECT_EQ(moves.back(), 'D') << moves;
    }
}

TEST(LevelSolver, SolvesEveryWayTheEnemiesCanStart) {
    SolveResult result =
        solve({"#######", "###P###", "###.###", "#H....#", "###.###", "###G..#", "####..#", "####I.#"});
    ASSERT_EQ(result.perStart.size(), 4u);
    std::set<EnemyStarts> seen;
    int states = 0;
    for (const StartAnswer& answer : result.perStart) {
        seen.insert(answer.starts);
        states += answer.statesExplored;
    }
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_EQ(result.statesExplored, states);
    EXPECT_EQ(result.worstStarts.size(), 2u);
}

TEST(LevelSolver, FixedStartsSolveOnlyThoseAndTheSimulatorStartsTheEnemiesSo) {
    LevelGrid grid = drawBoard({"#######", "#P.I.G#", "#H....#"});
    SolveOptions options;
    options.starts = EnemyStarts{true, false};  // the 'I' is first: row 1 comes before row 2
    EXPECT_EQ(solveLevel(grid, options).perStart.size(), 1u);
    MoveSimulator simulator(PlayRules{});
    simulator.loadGrid(grid, *options.starts);
    EXPECT_LT(simulator.level()[RightLeft][0].vx, 0);
    EXPECT_GT(simulator.level()[UpDown][0].vy, 0);
}

// The enemies keep moving through the goal delay; one that crosses the goal kills
// the player there and the level restarts with its peach.
TEST(LevelSolver, AGoalOnAnEnemysPatrolDoesNotCount) {
    SolveResult result = solve({"######", "#P..G#", "####.#", "####I#"});
    EXPECT_FALSE(result.goalReachable);
    EXPECT_TRUE(warns(result, "the goal at column 5, row 2 cannot be reached"));
}

TEST(LevelSolver, WarnsAboutAnEnemyThatReachesTheStart) {
    SolveResult result = solve({"#######", "#P....#", "#.#####", "#I#G###"});
    EXPECT_TRUE(warns(result, "an enemy reaches the player's start cell"));
    SolveResult safe = solve({"#######", "#P.#..#", "#.##I##", "#G.####"});
    EXPECT_FALSE(warns(safe, "start cell"));
}

}  // namespace
