// The board drawn layer by layer, with the unlockables' looks, on a running program.
#include "game/board_draw.h"
#include "level/map_file.h"
#include "support/board_sketch.h"

class BoardDrawTest : public StandInGameTest {
protected:
    void play(const std::vector<std::string>& rows) {
        app.screen = TestPlay;
        writeMap(folder_.file(testMapName), sketchGrid(rows));
        loadTestMap(app);
    }
    Piece& player() { return app.play.player; }
    PieceRange<Piece> list(TileKind kind) { return app.play[kind]; }
    bool showsBackground(int x, int y) { return shows(x, y, SDL_Color{136, 136, 136, 0}); }
};

TEST_F(BoardDrawTest, SpeedTilesShowTheFrameOfTheAnimationPhase) {
    play({"P", "", "....d"});
    app.play.animPhase = 4.99f;
    frames(1, 0.05f);
    EXPECT_NEAR(app.play.animPhase, 1.49f, 1e-4);
    EXPECT_TRUE(shows(130, 70, Img::speed_right, 1));
    frames(1, 0.05f);
    EXPECT_TRUE(shows(130, 70, Img::speed_right, 2));
}

TEST_F(BoardDrawTest, AFreshPassOnceLooksOpenAndAUsedOneSolid) {
    play({"P", "", "..o.o"});
    list(PassOnce)[1].state = 0;
    frames(1);
    EXPECT_TRUE(shows(70, 70, Img::passonce_unsolid));
    EXPECT_TRUE(shows(134, 70, Img::passonce_solid));
}

TEST_F(BoardDrawTest, ThePlayerLeavesATrailOnlyAfterItsFirstTenthOfASecond) {
    play({"", "", "", ".......P"});
    frames(1);
    EXPECT_TRUE(showsBackground(223, 100)) << "standing";
    pushKey(SDLK_RIGHT);
    frames(2, 0.04f);
    int x = static_cast<int>(player().x);
    EXPECT_GT(x, 224);
    EXPECT_TRUE(showsBackground(x - 1, 100)) << "just started";
    frames(2, 0.04f);
    x = static_cast<int>(player().x);
    EXPECT_FALSE(showsBackground(x - 1, 100));
    EXPECT_TRUE(showsBackground(x - 9, 100));
    EXPECT_TRUE(shows(x + 1, 100, Img::player));
}

TEST_F(BoardDrawTest, AnOldschoolPlayerKeepsFullOpacityWhileFading) {
    play({"", "", "", "..P"});
    player().alpha = 100;
    frames(1);
    EXPECT_FALSE(shows(70, 100, Img::player));
    EXPECT_FALSE(showsBackground(70, 100));
    app.save.enabled[OldschoolGraphics] = true;
    frames(1);
    EXPECT_TRUE(shows(70, 100, Img::old_player));
}

TEST_F(BoardDrawTest, TheVariantsSwapTheirImages) {
    app.save.enabled[MirroredLevels] = true;
    play({"#P>"});
    loadPlay(app.play, sketchGrid({"#P>"}), playRules(app.save, false));  // mirrored, as a built-in level is
    app.save.enabled[GreenPlayer] = true;
    frames(1);
    EXPECT_TRUE(shows(576 - 30, 10, Img::left)) << "a mirrored right arrow points left";
    EXPECT_TRUE(shows(608 + 10, 10, Img::wall));
    EXPECT_TRUE(shows(576 + 10, 10, Img::green_player));
    app.save.enabled[OldschoolGraphics] = true;
    frames(1);
    EXPECT_TRUE(shows(608 + 10, 10, Img::old_wall));
}

TEST_F(BoardDrawTest, EnemiesTrailBehindTheirMotion) {
    play({"P", "", "", ".....H"});
    list(RightLeft)[0].vx = 200;
    frames(1, 0.05f);
    int x = static_cast<int>(list(RightLeft)[0].x);
    EXPECT_FALSE(showsBackground(x - 5, 100));
    EXPECT_TRUE(showsBackground(x - 9, 100));
    app.save.enabled[OldschoolGraphics] = true;
    frames(1, 0.05f);
    x = static_cast<int>(list(RightLeft)[0].x);
    EXPECT_TRUE(showsBackground(x - 1, 100));
    EXPECT_TRUE(shows(x + 1, 100, Img::old_enemy));
}

TEST_F(BoardDrawTest, ADialogShowsTheSnapshotBehindTheBoard) {
    play({"", "", "", "..#"});
    SDL_Surface* snapshot = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(snapshot, nullptr, SDL_MapRGB(snapshot->format, 10, 20, 30));
    resources.screenSnapshot = snapshot;
    app.screen = NoPlayerDialog;
    drawBoard(app);  // the dialog itself is drawn over this afterwards
    EXPECT_TRUE(shows(300, 300, SDL_Color{10, 20, 30, 0}));
    EXPECT_TRUE(shows(70, 100, Img::wall));
}
