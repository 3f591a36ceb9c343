// The play state as a value: cells, the pieces a grid loads, the enemies' random
// starts, and the small rules every step leans on. The rules alone, no program.
#include "core/play_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// One code at one cell, the rest empty.
LevelGrid gridWith(int code, int column, int row) {
    LevelGrid grid{};
    grid[cellIndex(column, row)] = code;
    return grid;
}

PlayState loaded(const LevelGrid& grid, const PlayRules& rules = {}, std::uint64_t seed = 1) {
    return newPlay(grid, rules, seed);
}

}  // namespace

TEST(Cells, PixelsMapToColumnMajorElements) {
    CellPosition corner = cellAt(639, 479);
    EXPECT_EQ(corner.column, 19);
    EXPECT_EQ(corner.row, 14);
    EXPECT_EQ(cellIndex(corner.column, corner.row), 299);
    EXPECT_EQ(cellIndex(1, 0), 15);
    EXPECT_EQ(cellAt(31, 32).column, 0);
    EXPECT_EQ(cellAt(31, 32).row, 1);
}

TEST(CellPieces, StartAtTheirCellWithLoadValues) {
    PlayState play = loaded(gridWith(Door, 3, 7));
    ASSERT_EQ(play[Door].size(), 1u);
    const Piece& door = play[Door][0];
    EXPECT_EQ(door.x, 96);
    EXPECT_EQ(door.y, 224);
    EXPECT_EQ(door.prevX, -1);
    EXPECT_EQ(door.prevY, -1);
    EXPECT_EQ(door.alpha, 255);
    EXPECT_EQ(door.state, 2);
}

TEST(CellPieces, TheLastPlayerReadWinsAndOtherCodesYieldNothing) {
    LevelGrid grid{};
    int column = 0;
    for (int code : {0, -1, 22, 1000}) grid[cellIndex(column++, 5)] = code;
    PlayState play = loaded(grid);
    EXPECT_EQ(play.pieces, PieceLists{});
    EXPECT_EQ(play.player.x, 0);

    grid[cellIndex(19, 0)] = Player;  // read first: row 0
    grid[cellIndex(0, 1)] = Player;
    play = loaded(grid);
    EXPECT_EQ(play.player.x, 0);
    EXPECT_EQ(play.player.y, 32);
    EXPECT_TRUE(play[Player].empty());
}

TEST(CellPieces, LeavingPlayEmptiesTheBoardButKeepsThePlayerWhereItWas) {
    LevelGrid grid = gridWith(Player, 4, 4);
    grid[cellIndex(1, 1)] = Wall;
    grid[cellIndex(2, 1)] = Key;
    PlayState play = loaded(grid);
    play.keysHeld = 2;
    play.player.alpha = 0;
    play.deathDelay.running = true;
    leavePlay(play);
    EXPECT_EQ(play.pieces, PieceLists{});
    EXPECT_EQ(play.player.x, 128);
    EXPECT_EQ(play.player.alpha, 255);
    EXPECT_EQ(play.keysHeld, 0);
    EXPECT_FALSE(play.deathDelay.running);
}

TEST(Enemies, PatrolAtTheSpeedOfTheRules) {
    auto speedsOf = [](bool fast, bool lowFriction) {
        LevelGrid grid{};
        for (int i = 0; i < 20; ++i) {
            grid[cellIndex(i, 0)] = UpDown;
            grid[cellIndex(i, 1)] = RightLeft;
        }
        PlayState play = loaded(grid, PlayRules{false, fast, lowFriction}, 3);
        std::set<float> vertical, horizontal;
        for (const Piece& enemy : play[UpDown]) {
            EXPECT_EQ(enemy.vx, 0);
            vertical.insert(enemy.vy);
        }
        for (const Piece& enemy : play[RightLeft]) {
            EXPECT_EQ(enemy.vy, 0);
            horizontal.insert(enemy.vx);
        }
        EXPECT_EQ(vertical, horizontal);
        return vertical;
    };
    EXPECT_EQ(speedsOf(true, false), (std::set<float>{-300, 300}));
    EXPECT_EQ(speedsOf(true, true), (std::set<float>{-200, 200}));
    EXPECT_EQ(speedsOf(false, false), (std::set<float>{-200, 200}));
}

TEST(Enemies, ATrueDrawSendsThemDownOrRight) {
    for (std::uint64_t seed = 1; seed < 40; ++seed) {
        PlayRandom random{seed};
        bool drawn = random.nextBool();
        PlayState play = loaded(gridWith(RightLeft, 0, 0), {}, seed);
        EXPECT_EQ(play[RightLeft][0].vx, drawn ? 200 : -200) << "seed " << seed;
    }
}

TEST(PlayRandom, IsRepeatableFromItsSeedAndDrawsBothWays) {
    auto sequence = [](std::uint64_t seed) {
        PlayRandom random{seed};
        std::vector<bool> values;
        for (int i = 0; i < 64; ++i) values.push_back(random.nextBool());
        return values;
    };
    std::vector<bool> first = sequence(11);
    EXPECT_EQ(sequence(11), first);
    EXPECT_NE(sequence(12), first);
    EXPECT_NE(std::count(first.begin(), first.end(), true), 0);
    EXPECT_NE(std::count(first.begin(), first.end(), false), 0);
}

TEST(DelayTimer, FiresInTheFirstFrameAfterItsTimeWentNegative) {
    DelayTimer timer(1.0f);
    startTimer(timer);
    int frame = 0;
    while (!stepTimer(timer, 0.25f)) ASSERT_LT(++frame, 10);
    EXPECT_EQ(frame, 5);  // 0.75, 0.5, 0.25, 0, -0.25, then it fires
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(timer.remaining, 1.0f);
    EXPECT_FALSE(stepTimer(timer, 0.25f));
}

TEST(SnapToCell, RoundsToTheNearestCellAfterTruncating) {
    auto snapped = [](float v) {
        Piece piece;
        piece.x = v;
        piece.y = v;
        snapToCell(piece);
        EXPECT_EQ(piece.x, piece.y);
        return piece.x;
    };
    EXPECT_EQ(snapped(47.9f), 32);
    EXPECT_EQ(snapped(48.0f), 64);
    EXPECT_EQ(snapped(15.9f), 0);
    EXPECT_EQ(snapped(16.0f), 32);
    EXPECT_EQ(snapped(-20), 0);
    EXPECT_EQ(snapped(-50), -32);
}

TEST(Overlaps, PiecesThatOnlyTouchDoNotOverlap) {
    Piece a, b;
    b.x = 32;
    EXPECT_FALSE(overlaps(a, b));
    b.x = 31.9f;
    EXPECT_TRUE(overlaps(a, b));
    EXPECT_TRUE(overlaps(b, a));
    b.y = 32;
    EXPECT_FALSE(overlaps(a, b));
}

TEST(IsOnTile, IsWithinOneFrameOfTravelOnBothAxes) {
    Piece player, tile;
    tile.x = 64;
    player.x = 60;
    player.vx = 200;
    EXPECT_TRUE(isOnTile(player, tile, 0.02f));
    EXPECT_FALSE(isOnTile(player, tile, 0.01f));
    player.y = 1;
    EXPECT_FALSE(isOnTile(player, tile, 0.02f));
    player = tile;
    EXPECT_TRUE(isOnTile(player, tile, 0.02f));
}
