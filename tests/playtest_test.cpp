// The playtest tool, run as a player runs it: a board as text, a line of presses,
// the story of each press, the outcome and the line it logs; and the export that
// gives a player a level's board without anything else its source says.
#include "support/test_support.h"
#include "support/walled_board.h"

#include "level_source.h"

#include <sys/wait.h>

#include <cstdio>
#include <sstream>

namespace {

struct ToolRun {
    std::string output;
    int status = -1;
};

ToolRun runTool(const std::string& arguments) {
    ToolRun run;
    FILE* pipe = popen((std::string(PLAYTEST_TOOL) + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, read);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string rowsText(const LevelGrid& grid) {
    std::string text;
    for (int row = 0; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column)
            text += tileKinds[grid[cellIndex(column, row)]].sourceChar;
        text += "\n";
    }
    return text;
}

// A board file as export writes it: rows only, walls around the sketch.
std::string writeBoard(const TempFolder& folder, const std::vector<std::string>& rows) {
    std::string path = folder.file("board.txt");
    writeWholeFile(path, rowsText(drawBoard(rows)));
    return path;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct PressCase {
    const char* name;
    std::vector<std::string> rows;
    const char* presses;
    const char* says;  // a line of the story of the presses
    int status;        // 0 only when solved with the peach
    const char* starts = "";
};

class PlaytestPresses : public ::testing::TestWithParam<PressCase> {
protected:
    TempFolder folder_;
};

TEST_P(PlaytestPresses, TellWhatHappenedByTheGamesRules) {
    const PressCase& c = GetParam();
    std::string starts = *c.starts ? std::string(" --starts ") + c.starts : "";
    ToolRun run = runTool("play " + writeBoard(folder_, c.rows) + " '" + c.presses + "'" + starts);
    EXPECT_TRUE(has(run.output, c.says)) << run.output;
    EXPECT_EQ(run.status, c.status) << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Boards, PlaytestPresses,
    ::testing::Values(
        PressCase{"SolvedWithThePeach",
                  {"#######", "#P.*.G#"},
                  "R",
                  "1. R: took the peach at (4,2); reached the goal at (6,2) with the peach: solved.",
                  0},
        PressCase{"GoalWithoutThePeach",
                  {"#######", "#P..G.#", "#*....#"},
                  "R",
                  "reached the goal at (5,2) without the peach",
                  1},
        PressCase{"FallIntoAHole", {"#######", "#P.O.G#", "#*....#"}, "R", "fell into the hole at (4,2)", 1},
        PressCase{"SlideOffTheBoard", {"#######", "P..*.G#"}, "L", "slid off the board past (1,2)", 1},
        PressCase{"DoorStopsTheEmptyHanded", {"########", "#P.D*.G#"}, "R", "against the door at (4,2)", 1},
        PressCase{"KeyOpensTheDoor",
                  {"########", "#PkD*.G#"},
                  "R",
                  "took the key at (3,2); opened the door at (4,2) with a key; took the peach at (5,2)",
                  0},
        PressCase{"PassOnceClosesBehind",
                  {"#######", "#P.o..#", "#*.G..#"},
                  "R L",
                  "2. L: stopped at (5,2), against the closed pass-once tile at (4,2).",
                  1},
        PressCase{"ButtonRemovesMetalDoors",
                  {"#########", "#P.B.*.M#", "#.....MG#", "#########"},
                  "R D",
                  "pressed the button at (4,2): every metal door is gone",
                  0},
        PressCase{"EarthHoldsYouOnIt", {"#######", "#P.%*G#"}, "R", "stopped at (4,2), on the earth", 1},
        PressCase{"SpeedTileTurnsYou",
                  {"#######", "#P.s.*#", "#.....#", "#..G..#"},
                  "R",
                  "the speed tile at (4,2) sent you down; reached the goal at (4,4) without the peach",
                  1},
        PressCase{"EnemyCatchesTheWaiting",
                  {"#########", "#P..H.*G#"},
                  "W W W W W W",
                  "caught by an enemy at (2,2)",
                  1,
                  "left"}),
    [](const ::testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

TEST(Playtest, ShowsTheBoardAfterEachPressWithTheCrossedTileClosed) {
    TempFolder folder;
    ToolRun run = runTool("play " + writeBoard(folder, {"#######", "#P.o..#", "#*.G..#"}) + " 'R L'");
    EXPECT_TRUE(has(run.output, "#..xP.##############  2\n")) << run.output;
}

TEST(Playtest, EnemiesStartAsToldAndTheLogSaysHow) {
    TempFolder folder;
    std::string board = writeBoard(folder, {"#########", "#P..H.*G#"});
    ToolRun away = runTool("play " + board + " W36 --starts right --log " + folder.file("log.txt"));
    EXPECT_TRUE(has(away.output, "unfinished at (2,2)")) << away.output;
    EXPECT_TRUE(has(away.output, "H at (7,2) heading left")) << away.output;
    // Caught in the fourth wait: the log keeps what was played, not what was asked.
    runTool("play " + board + " 'W W W W W W R' --starts left --log " + folder.file("log.txt"));
    EXPECT_EQ(readWholeFile(folder.file("log.txt")),
              "attempt 1 | board.txt | W36 | enemies right | unfinished at (2,2) | 0 presses, 1 move\n"
              "attempt 2 | board.txt | W24 | enemies left | caught by an enemy at (2,2) | 0 presses, 1 move\n");
}

TEST(Playtest, PlayingOnCarriesAnAttemptOnAndGoingBackStartsANewOne) {
    TempFolder folder;
    std::string log = " --log " + folder.file("log.txt");
    std::string board = writeBoard(folder, {"#######", "#P.*.G#", "#.....#"});
    for (const char* presses : {"D", "D R", "R", "R"}) runTool("play " + board + " '" + presses + "'" + log);
    EXPECT_EQ(readWholeFile(folder.file("log.txt")),
              "attempt 1 | board.txt | D | unfinished at (2,3) | 1 press, 1 move\n"
              "attempt 1 | board.txt | D R | unfinished at (6,3) | 2 presses, 2 moves\n"
              "attempt 2 | board.txt | R | reached the goal at (6,2) with the peach: solved | 1 press, 1 move\n"
              "attempt 3 | board.txt | R | reached the goal at (6,2) with the peach: solved | 1 press, 1 move\n");
}

TEST(Playtest, AnAttemptCarriedOnMeetsTheSameEnemies) {
    TempFolder folder;
    std::string log = " --log " + folder.file("log.txt");
    std::string board = writeBoard(folder, {"#########", "#P....*G", "#..H....#", "#...H...#", "#....H..#"});
    runTool("play " + board + " W --starts 'right left right'" + log);
    ToolRun carried = runTool("play " + board + " 'W W'" + log);
    EXPECT_TRUE(has(carried.output, "start: enemies start right left right")) << carried.output;
    EXPECT_TRUE(has(carried.output, "Logged as attempt 1, carried on.")) << carried.output;
}

TEST(Playtest, ExportKeepsTheBoardAndDropsEverythingElseOfTheSource) {
    TempFolder folder;
    LevelSource level;
    level.grid = drawBoard({"#########", "#P..I.*G#", "#...#...#"});
    level.teaches = "the sentry";
    level.solution = {Move::Right, Move::Wait, Move::Down};
    level.enemies = {true};
    std::string source =
        "name: Sentry Duty\nidea: wait for the turn\ndecoy: (3,2) the long way\n" + levelSourceText(level);
    writeWholeFile(folder.file("level40.txt"), source);
    ToolRun run = runTool("export " + folder.file("level40.txt"));
    ASSERT_EQ(run.status, 0) << run.output;
    for (const char* secret : {"solution", "R W6 D", "teaches", "sentry", "Sentry", "idea", "decoy", "enemies:"})
        EXPECT_FALSE(has(run.output, secret)) << secret << " in\n" << run.output;
    EXPECT_TRUE(has(run.output, "#P..I.*G############  2\n")) << run.output;
    EXPECT_TRUE(has(run.output, "  I     enemy, up and down\n")) << run.output;
    writeWholeFile(folder.file("board.txt"), run.output);
    ToolRun played = runTool("play " + folder.file("board.txt") + " D --starts up");
    EXPECT_TRUE(has(played.output, "1. D: stopped at (2,3), against the wall at (2,4).")) << played.output;
}

// The board a player gets plays as the level does: its recorded solution solves it.
TEST(Playtest, EveryLevelsExportedBoardIsSolvedByItsRecordedSolution) {
    TempFolder folder;
    std::vector<std::string> paths = levelSourcesIn(std::string(SOURCE_DIR) + "/data/levels");
    ASSERT_FALSE(paths.empty());
    for (const std::string& path : paths) {
        LevelSource level;
        std::vector<SourceError> errors;
        ASSERT_TRUE(readLevelSource(path, level, errors)) << path;
        writeWholeFile(folder.file("board.txt"), runTool("export " + path).output);
        std::string starts = level.enemies.empty() ? "" : " --starts '" + startsText(level.grid, level.enemies) + "'";
        ToolRun run =
            runTool("play " + folder.file("board.txt") + " '" + movesText(level.solution) + "' --brief" + starts);
        EXPECT_EQ(run.status, 0) << path << "\n" << run.output;
    }
}

TEST(Playtest, HelpGivesARuleForEveryTileABoardCanHold) {
    ToolRun run = runTool("--help");
    ASSERT_EQ(run.status, 0);
    std::size_t pieces = run.output.find("The pieces:\n");
    ASSERT_NE(pieces, std::string::npos) << run.output;
    // Each piece's rule is a line of its own: "  <letters> <name>: <rule>."
    std::string letters;
    std::istringstream lines(run.output.substr(pieces));
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("  ", 0) == 0 && line.find(": ") != std::string::npos)
            letters += line.substr(2, line.find(' ', 2) - 2);
    for (int kind = Empty; kind < TileKindCount; ++kind)
        EXPECT_TRUE(has(letters, std::string(1, tileKinds[kind].sourceChar))) << "no rule for " << tileKinds[kind].name;
}

}  // namespace
