// Map files on disk: the plain and scrambled readers, the writer and the loaders.
#include "level/map_file.h"
#include "app/platform.h"
#include "level_source.h"
#include "support/board_sketch.h"

#include <sys/stat.h>
#include <climits>
#include <cstdio>
#include <filesystem>

namespace {

LevelGrid readPlain(const TempFolder& folder, const std::string& text) {
    writeWholeFile(folder.file("m.map"), text);
    LevelGrid grid;
    grid.fill(7);
    EXPECT_TRUE(readMapIntoGrid(folder.file("m.map"), grid));
    return grid;
}

LevelGrid readScrambled(const TempFolder& folder, const std::string& plain) {
    writeWholeFile(folder.file("s.map"), scrambleText(plain, levelKey));
    LevelGrid grid;
    grid.fill(7);
    EXPECT_TRUE(readScrambledMap(folder.file("s.map"), grid));
    return grid;
}

int countNonZero(const LevelGrid& grid) {
    int count = 0;
    for (int value : grid) count += value != 0;
    return count;
}

}  // namespace

TEST(MapText, AnEmptyBoardIsFifteenLinesOfTwentyZeros) {
    std::string line;
    for (int i = 0; i < 20; ++i) line += "0 ";
    std::string expected;
    for (int i = 0; i < 15; ++i) expected += line + "\n";
    TempFolder folder;
    ASSERT_TRUE(writeMap(folder.file("empty.map"), LevelGrid{}));
    EXPECT_EQ(readWholeFile(folder.file("empty.map")), expected);
}

TEST(MapText, WritingThenReadingGivesTheSameGrid) {
    TempFolder folder;
    LevelGrid grid{};
    for (int i = 0; i < cellCount; ++i) grid[i] = (i * 37) % 25 - 2;
    grid[cellIndex(19, 14)] = INT_MIN;
    grid[cellIndex(0, 14)] = INT_MAX;
    ASSERT_TRUE(writeMap(folder.file("round.map"), grid));
    LevelGrid back{};
    ASSERT_TRUE(readMapIntoGrid(folder.file("round.map"), back));
    EXPECT_EQ(back, grid);
}

TEST(MapText, CellsAreWrittenRowByRow) {
    LevelGrid grid{};
    grid[cellIndex(1, 0)] = 5;
    grid[cellIndex(0, 1)] = -3;
    std::string text = mapText(grid);
    EXPECT_EQ(text.substr(0, 4), "0 5 ");
    EXPECT_EQ(text.substr(41, 5), "-3 0 ");
}

TEST(MapText, AFailedWriteReportsItAndLeavesNothingBehind) {
    TempFolder folder;
    EXPECT_FALSE(writeMap(folder.file("missing/level.map"), LevelGrid{}));
    mkdir(folder.file("taken.map").c_str(), 0755);
    EXPECT_FALSE(writeMap(folder.file("taken.map"), LevelGrid{}));
    std::vector<std::string> names;
    platform::listDirectory(folder.path(), names);
    EXPECT_EQ(names.size(), 3u) << "only ., .. and the folder in the way";
}

TEST(PlainReader, ALoneNumberFillsTheFirstCellOnly) {
    TempFolder folder;
    LevelGrid grid = readPlain(folder, "2");
    EXPECT_EQ(grid[cellIndex(0, 0)], Wall);
    EXPECT_EQ(countNonZero(grid), 1);
}

TEST(PlainReader, ALetterEmptiesItsCellAndEveryLaterOne) {
    TempFolder folder;
    LevelGrid grid = readPlain(folder, "1 2 x 3 4 5");
    EXPECT_EQ(grid[cellIndex(0, 0)], Player);
    EXPECT_EQ(grid[cellIndex(1, 0)], Wall);
    EXPECT_EQ(countNonZero(grid), 2);
}

TEST(PlainReader, ANumberTooLargeForThirtyTwoBitsStopsTheReading) {
    TempFolder folder;
    LevelGrid grid = readPlain(folder, "4 2147483647 99999999999 2 2");
    EXPECT_EQ(grid[cellIndex(1, 0)], INT_MAX);
    EXPECT_EQ(grid[cellIndex(2, 0)], 0);
    EXPECT_EQ(countNonZero(grid), 2);
}

TEST(PlainReader, AcceptsWindowsLineBreaksAndAnyWhiteSpace) {
    TempFolder folder;
    LevelGrid grid{};
    grid[cellIndex(19, 0)] = 9;
    grid[cellIndex(0, 1)] = -4;
    grid[cellIndex(19, 14)] = 21;
    std::string text = mapText(grid), windows;
    for (char c : text) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(readPlain(folder, windows), grid);
    EXPECT_EQ(readPlain(folder, "\t\n 3\n\n\n 4")[cellIndex(1, 0)], 4);
}

TEST(PlainReader, AMissingFileADirectoryOrAHugeFileGiveAnEmptyBoard) {
    TempFolder folder;
    LevelGrid grid;
    grid.fill(3);
    EXPECT_FALSE(readMapIntoGrid(folder.file("none.map"), grid));
    EXPECT_EQ(countNonZero(grid), 0);
    mkdir(folder.file("dir.map").c_str(), 0755);
    grid.fill(3);
    EXPECT_FALSE(readMapIntoGrid(folder.file("dir.map"), grid));
    EXPECT_EQ(countNonZero(grid), 0);
    // The number lies beyond what any map can need, so it is never reached.
    EXPECT_EQ(countNonZero(readPlain(folder, std::string(200 * 1024, ' ') + "5")), 0);
}

TEST(Scrambling, IsItsOwnInverseAndRepeatsEvery256Bytes) {
    std::string zeros(301, '\0');
    std::string mask = scrambleText(zeros, levelKey);
    EXPECT_EQ(mask[0], static_cast<char>(0x9C));
    EXPECT_EQ(mask[1], static_cast<char>(0x9D));
    EXPECT_EQ(mask[300], mask[44]);
    EXPECT_NE(mask[300], mask[43]);
    std::string text = "1 2 3 \n";
    EXPECT_EQ(scrambleText(scrambleText(text, 0x42), 0x42), text);
}

TEST(ScrambledReader, ADoubleSpaceIsAnEmptyCell) {
    TempFolder folder;
    LevelGrid grid = readScrambled(folder, "1  2");
    EXPECT_EQ(grid[cellIndex(0, 0)], Player);
    EXPECT_EQ(grid[cellIndex(1, 0)], 0);
    EXPECT_EQ(grid[cellIndex(2, 0)], Wall);
    EXPECT_EQ(countNonZero(grid), 2);
}

TEST(ScrambledReader, ReadsTokensByTheAtoiRule) {
    TempFolder folder;
    // A line break joins the next token; letters end a number; no digits give 0.
    LevelGrid grid = readScrambled(folder, "3 \n4 5x x6 -2 +7 99999999999 -99999999999 ");
    EXPECT_EQ(grid[cellIndex(0, 0)], 3);
    EXPECT_EQ(grid[cellIndex(1, 0)], 4);
    EXPECT_EQ(grid[cellIndex(2, 0)], 5);
    EXPECT_EQ(grid[cellIndex(3, 0)], 0);
    EXPECT_EQ(grid[cellIndex(4, 0)], -2);
    EXPECT_EQ(grid[cellIndex(5, 0)], 7);
    EXPECT_EQ(grid[cellIndex(6, 0)], INT_MAX);
    EXPECT_EQ(grid[cellIndex(7, 0)], INT_MIN);
    EXPECT_EQ(countNonZero(grid), 7);
}

TEST(ScrambledReader, UsesAtMost300TokensAndReadsWhatTheWriterWrote) {
    TempFolder folder;
    LevelGrid grid{};
    for (int i = 0; i < cellCount; ++i) grid[i] = i % 22;
    EXPECT_EQ(readScrambled(folder, mapText(grid) + "2 2 2 "), grid);
    LevelGrid missing;
    missing.fill(1);
    EXPECT_FALSE(readScrambledMap(folder.file("none.map"), missing));
    EXPECT_EQ(countNonZero(missing), 0);
}

TEST(BuiltInLevels, AreNamedWithoutLeadingZeros) {
    EXPECT_EQ(builtInLevelPath(7), "resources.res/maps/level7.map");
    EXPECT_EQ(builtInLevelPath(35), "resources.res/maps/level35.map");
}

class LevelLoadTest : public BoardTest {};

TEST_F(LevelLoadTest, MirroringTurnsARightArrowAtTheLeftEdgeIntoALeftArrow) {
    switchOn(MirroredLevels);
    playBuiltIn({">..P", "a"});
    EXPECT_TRUE(list(ArrowRight).empty());
    ASSERT_EQ(list(ArrowLeft).size(), 1u);
    EXPECT_EQ(list(ArrowLeft)[0].x, 608);
    EXPECT_EQ(player().x, 608 - 96);
    ASSERT_EQ(list(SpeedRight).size(), 1u);
    EXPECT_EQ(list(SpeedRight)[0].y, 32);
}

TEST_F(LevelLoadTest, ATestMapIsNeverMirrored) {
    switchOn(MirroredLevels);
    play({">..P"});
    ASSERT_EQ(list(ArrowRight).size(), 1u);
    EXPECT_EQ(list(ArrowRight)[0].x, 0);
    EXPECT_EQ(player().x, 96);
}

TEST_F(LevelLoadTest, EveryLoadStartsFresh) {
    play({"P#k", "D"});
    app.play.keysHeld = 3;
    player().alpha = 0;
    player().x = 300;
    app.play.pieces.clear(Wall);
    playBuiltIn({".P", "kk"});
    EXPECT_EQ(app.play.keysHeld, 0);
    EXPECT_EQ(player().alpha, 255);
    EXPECT_EQ(player().x, 32);
    EXPECT_TRUE(list(Wall).empty());
    EXPECT_TRUE(list(Door).empty());
    EXPECT_EQ(list(Key).size(), 2u);
}

TEST_F(LevelLoadTest, AMissingLevelLoadsEmptyAndLeavesThePlayerWhereItWas) {
    play({"..P#"});
    app.save.currentLevel = 9;
    loadBuiltInLevel(app, 9);
    EXPECT_EQ(app.play.pieces, PieceLists{});
    EXPECT_EQ(player().x, 64);
}

// The game reads each built-in level where the build packs it, as its source draws it.
TEST(BuiltInLevels, TheBuildPacksEverySourceIntoTheScrambledMap) {
    int packedLevels = 0;
    for (int number = 1; number <= 99; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "/data/levels/level%02d.txt", number);
        std::string path = std::string(SOURCE_DIR) + name;
        if (!std::filesystem::exists(path)) continue;
        LevelSource source;
        std::vector<SourceError> errors;
        ASSERT_TRUE(readLevelSource(path, source, errors)) << name;
        LevelGrid packed{};
        ASSERT_TRUE(readScrambledMap(std::string(GAME_DIR) + "/" + builtInLevelPath(number), packed)) << number;
        EXPECT_EQ(packed, source.grid) << name;
        ++packedLevels;
    }
    EXPECT_GE(packedLevels, 12);
}
