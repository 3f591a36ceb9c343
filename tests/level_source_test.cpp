// Level sources: the board and its fields are read, and malformed sources are named
// by file and line.
#include "support/rules_support.h"

#include <filesystem>

#include "level_source.h"

namespace {

std::string board(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) text += row + "\n";
    return text;
}

std::vector<std::string> goodRows() {
    std::vector<std::string> rows(15, "#..................#");
    rows[0] = rows[14] = "####################";
    rows[1] = "#P.......*........G#";
    return rows;
}

std::vector<std::string> parseErrors(const std::string& text) {
    LevelSource level;
    std::vector<std::string> messages;
    for (const SourceError& error : parseLevelSource(text, "level.txt", level)) messages.push_back(error.message);
    return messages;
}

TEST(LevelSource, ReadsTheBoardTheLessonAndTheSolution) {
    LevelSource level;
    auto errors = parseLevelSource("teaches: walls\nsolution: R D L\n\n" + board(goodRows()), "level.txt", level);
    ASSERT_TRUE(errors.empty());
    EXPECT_EQ(level.teaches, "walls");
    EXPECT_EQ(movesText(level.solution), "R D L");
    EXPECT_EQ(level.grid[cellIndex(1, 1)], Player);
    EXPECT_EQ(level.grid[cellIndex(9, 1)], Peach);
    EXPECT_EQ(level.grid[cellIndex(18, 1)], Goal);
    EXPECT_EQ(level.grid[cellIndex(19, 14)], Wall);
}

TEST(LevelSource, ReadsTheNameTheIdeaAndTheDecoysAndWritesThemBack) {
    auto rows = goodRows();
    rows[3][4] = 'k';
    rows[5][7] = '%';
    std::string text =
        "name: The Long Way\nidea: The peach is reached by going away from it.\nteaches: walls\n"
        "decoy: 5,4 the key seems to open a way\ndecoy: 8,6 the earth looks like a seat\n"
        "solution: R\n\n" +
        board(rows);
    LevelSource level;
    ASSERT_TRUE(parseLevelSource(text, "level.txt", level).empty());
    EXPECT_EQ(level.name, "The Long Way");
    EXPECT_EQ(level.idea, "The peach is reached by going away from it.");
    ASSERT_EQ(level.decoys.size(), 2u);
    EXPECT_EQ(cellText(level.decoys[0].cell), "5,4");
    EXPECT_EQ(level.grid[cellIndex(level.decoys[0].cell.column, level.decoys[0].cell.row)], Key);
    EXPECT_EQ(level.decoys[1].plan, "the earth looks like a seat");
    EXPECT_EQ(levelSourceText(level), text);
}

struct BadLine {
    const char* name;
    std::string line;
    std::string message;
};

void PrintTo(const BadLine& bad, std::ostream* out) { *out << bad.name; }

class MalformedLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(MalformedLine, IsNamedByFileAndLine) {
    auto rows = goodRows();
    rows[3][4] = 'k';
    rows[5][7] = '%';
    EXPECT_EQ(parseErrors("teaches: walls\n" + GetParam().line + "\n" + board(rows)),
              std::vector<std::string>{"level.txt:" + GetParam().message});
}

const std::string decoyForm =
    "2: a decoy is a cell, column and row from 1, and the plan it invites: "
    "'decoy: 12,4 the door looks like the way out'";

INSTANTIATE_TEST_SUITE_P(
    LevelSource, MalformedLine,
    ::testing::Values(
        BadLine{"OneWordName", "name: Walls", "2: a name is a title of two or three words, without '|'"},
        BadLine{"LongName", "name: The Very Long Way Round", "2: a name is a title of two or three words, without '|'"},
        BadLine{"EmptyIdea", "idea:", "2: an idea is one sentence, without '|'"},
        BadLine{"DecoyWithoutPlan", "decoy: 5,4", decoyForm},
        BadLine{"DecoyOffTheBoard", "decoy: 21,4 a plan", decoyForm},
        BadLine{"DecoyOnFloor", "decoy: 6,4 a plan", "2: cell 6,4 holds no piece that could be a decoy"},
        BadLine{"DecoyOnTheGoal", "decoy: 19,2 a plan", "2: cell 19,2 holds no piece that could be a decoy"},
        BadLine{"ThreeDecoys", "decoy: 5,4 one\ndecoy: 8,6 two\ndecoy: 5,4 three",
                "4: more than 2 decoys; a level has at most 2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LevelSource, EveryTileHasItsOwnLetter) {
    for (int code = 0; code < TileKindCount; ++code) EXPECT_EQ(tileForChar(tileKinds[code].sourceChar), code);
}

TEST(LevelSource, NamesTheLineOfAShortRowAndOfAnUnknownLetter) {
    auto rows = goodRows();
    rows[3] = "#....#";
    rows[5][4] = 'x';
    auto errors = parseErrors("teaches: x\n" + board(rows));
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0], "level.txt:5: row has 6 cells, expected 20");
    EXPECT_EQ(errors[1], "level.txt:7: unknown tile 'x' in column 5");
}

TEST(LevelSource, RefusesABoardWithoutFifteenRows) {
    auto rows = goodRows();
    rows.pop_back();
    EXPECT_EQ(parseErrors(board(rows)), std::vector<std::string>{"level.txt:14: 14 rows, expected 15"});
}

TEST(LevelSource, WantsExactlyOnePlayerAGoalAndOnePeach) {
    auto rows = goodRows();
    rows[4][3] = 'P';
    rows[6][3] = '*';
    rows[1][18] = '.';
    auto errors = parseErrors(board(rows));
    EXPECT_EQ(errors, (std::vector<std::string>{"level.txt:5: more than one player", "level.txt:1: no goal",
                                                "level.txt:7: more than one peach; a level has exactly one"}));
}

TEST(LevelSource, RefusesASolutionWithOtherLetters) {
    EXPECT_EQ(
        parseErrors("solution: R X\n" + board(goodRows())),
        std::vector<std::string>{"level.txt:1: a solution is made of L, R, U, D and waits W<frames>, a multiple of 6"});
    EXPECT_EQ(parseErrors("solution: R W5\n" + board(goodRows())).size(), 1u);
}

TEST(LevelSource, ReadsWaitsAsFramesAndWritesThemBack) {
    std::vector<Move> moves;
    ASSERT_TRUE(parseMoves("R W18 D W6", moves));
    EXPECT_EQ(moves.size(), 6u);
    EXPECT_EQ(pressCount(moves), 2);
    EXPECT_EQ(movesText(moves), "R W18 D W6");
}

TEST(LevelSource, ReadsWhichWayEachEnemyStartsInLoadOrder) {
    auto rows = goodRows();
    rows[5][10] = 'I';
    rows[3][12] = 'H';
    LevelSource level;
    // The 'H' is a row above the 'I', so it comes first although it stands further right.
    ASSERT_TRUE(parseLevelSource("enemies: right up\n" + board(rows), "level.txt", level).empty());
    EXPECT_EQ(level.enemies, (EnemyStarts{true, false}));
    EXPECT_EQ(startsText(level.grid, level.enemies), "right up");
    EXPECT_EQ(parseErrors("enemies: up right\n" + board(rows)).size(), 1u);
    EXPECT_EQ(parseErrors(board(rows)).size(), 1u);  // a level with enemies says how they start
}

TEST(LevelSource, RefusesMoreEnemiesThanTheSolverChecks) {
    auto rows = goodRows();
    for (int column = 3; column < 8; ++column) rows[6][column] = 'H';
    auto errors = parseErrors("enemies: left left left left left\n" + board(rows));
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0], "level.txt:1: 5 enemies; a level has at most 4");
}

}  // namespace
