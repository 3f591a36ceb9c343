// What every tile does to the sliding player and to the enemies.
#include "game/gameplay.h"
#include "support/board_sketch.h"

#include <algorithm>

namespace {

// A sketch of one column, top to bottom, as board rows.
std::vector<std::string> column(const std::string& cells) {
    std::vector<std::string> rows;
    for (char c : cells) rows.push_back(std::string(1, c));
    return rows;
}

}  // namespace

class TileTest : public BoardTest {
protected:
    StandInImages images;

    // Every particle was born in one burst of `count` with this image.
    void expectOneBurst(size_t count, Img::Key key) {
        ASSERT_EQ(app.particles.particles.size(), count);
        for (const Particle& p : app.particles.particles) EXPECT_EQ(p.image, image(key));
    }
};

TEST_F(TileTest, AMoveAgainstAnAdjacentWallStopsSilently) {
    play({"", "P#"});
    tap(Right);
    step(2);
    EXPECT_EQ(player().x, 0);
    EXPECT_EQ(player().vx, 0);
    EXPECT_TRUE(effects.empty());
    EXPECT_TRUE(app.particles.particles.empty());
}

TEST_F(TileTest, ASlideIntoAWallSoundsOnceAndSparksAtItsNearEdge) {
    play({"", "P..#"});
    tap(Right);
    ASSERT_TRUE(stepUntilStill());
    EXPECT_EQ(player().x, 64);
    EXPECT_EQ(played(Snd::collisionSound), 1);
    expectOneBurst(20, Img::collision);
    for (const Particle& p : app.particles.particles) {
        EXPECT_EQ(p.x, 96);
        EXPECT_NEAR(p.y, 48, 8);
    }
    step(5);
    EXPECT_EQ(played(Snd::collisionSound), 1);
}

TEST_F(TileTest, IntenseParticlesUseTheBigImage) {
    switchOn(IntenseParticles);
    play({column("P...#")});
    tap(Down);
    ASSERT_TRUE(stepUntilStill());
    expectOneBurst(20, Img::big_collision);
    for (const Particle& p : app.particles.particles) EXPECT_EQ(p.y, 128);
}

struct ArrowCase {
    const char* name;
    std::vector<std::string> against;  // the player slides into the arrow's point
    bool PlayInput::*againstKey;
    float stopX, stopY;
    std::vector<std::string> along;  // the player crosses it to the wall beyond
    bool PlayInput::*alongKey;
    float endX, endY;
};

TEST_F(TileTest, ArrowsLetThePlayerPassOnlyTheirWay) {
    std::vector<ArrowCase> cases = {
        {"left", {"P..<"}, Right, 64, 0, {"#.<..P"}, Left, 32, 0},
        {"right", {"#..>.P"}, Left, 128, 0, {"P.>.#"}, Right, 96, 0},
        {"up", column("P..^"), Down, 0, 64, column("#.^..P"), Up, 0, 32},
        {"down", column("#..v.P"), Up, 0, 128, column("P.v.#"), Down, 0, 96},
    };
    for (const ArrowCase& c : cases) {
        effects.clear();
        play(c.against);
        tap(c.againstKey);
        ASSERT_TRUE(stepUntilStill()) << c.name;
        EXPECT_EQ(player().x, c.stopX) << c.name;
        EXPECT_EQ(player().y, c.stopY) << c.name;
        EXPECT_EQ(played(Snd::collisionSound), 1) << c.name;

        effects.clear();
        play(c.along);
        tap(c.alongKey);
        ASSERT_TRUE(stepUntilStill()) << c.name;
        EXPECT_EQ(player().x, c.endX) << c.name;
        EXPECT_EQ(player().y, c.endY) << c.name;
        EXPECT_EQ(played(Snd::collisionSound), 1) << c.name << ": only the wall";
    }
}

TEST_F(TileTest, TheLeftArrowOverlapsOnePixelLessAtItsLeftEdge) {
    for (TileKind kind : {ArrowLeft, ArrowRight}) {
        play({"", "", "", "..<", "..>", "", "", "", "", "P"});
        PieceRange<Piece> arrows = list(kind);
        ASSERT_EQ(arrows.size(), 1u);
        player().x = arrows[0].x - 31;  // one pixel into the arrow's column
        player().y = arrows[0].y - 40;
        player().vy = 200;
        step(4);
        bool stopped = player().vy == 0;
        EXPECT_EQ(stopped, kind == ArrowRight) << tileKinds[kind].name;
    }
}

TEST_F(TileTest, WithLowFrictionAPlayerRestingOnAnArrowIsQuietAndLeavesItsWay) {
    switchOn(LowFriction);
    play({"", ".P>..#"});
    tap(Right);
    ASSERT_TRUE(stepUntilStill());
    EXPECT_EQ(player().x, 64);
    step(20);
    EXPECT_TRUE(effects.empty());
    tap(Right);
    ASSERT_TRUE(stepUntilStill());
    EXPECT_EQ(player().x, 96);
}

TEST_F(TileTest, WithLowFrictionAPlayerStepsOffAnArrowAnyWayAtAnyFrameRate) {
    switchOn(LowFriction);
    for (float dt : {1.0f / 60.0f, 0.05f}) {
        for (auto key : {Up, Left}) {
            play({"", "", ".....", "..P>.#", "....."});
            tap(Right);
            ASSERT_TRUE(stepUntilStill(200, dt));
            ASSERT_EQ(player().x, cellX(3));
            effects.clear();
            tap(key);
            ASSERT_TRUE(stepUntilStill(200, dt));
            bool up = key == Up;
            EXPECT_EQ(player().x, up ? cellX(3) : cellX(2)) << "dt " << dt;
            EXPECT_EQ(player().y, up ? cellX(2) : cellX(3)) << "dt " << dt;
            EXPECT_TRUE(effects.empty()) << "dt " << dt;
        }
    }
}

TEST_F(TileTest, APassOnceTileIsCrossedOnceThenSolid) {
    play({"", "P.o..#"});
    EXPECT_EQ(list(PassOnce)[0].state, 2);
    tap(Right);
    step(6);
    EXPECT_EQ(list(PassOnce)[0].state, 1);
    ASSERT_TRUE(stepUntilStill());
    EXPECT_EQ(player().x, 128);
    EXPECT_EQ(list(PassOnce)[0].state, 0);
    effects.clear();
    tap(Left);
    ASSERT_TRUE(stepUntilStill());
    EXPECT_EQ(player().x, 96);
    EXPECT_EQ(played(Snd::collisionSound), 1);
}

TEST_F(TileTest, TwoPeachesInARowAreBothCollectedInOneSlide) {
    play({"", "P**.#"});
    tap(Right);
    ASSERT_TRUE(stepUntilStill());
    EXPECT_TRUE(list(Peach).empty());
    EXPECT_EQ(played(Snd::bonusSound), 2);
    EXPECT_EQ(player().x, 96);
    size_t peachParticles = std::count_if(app.particles.particles.begin(), app.particles.particles.end(),
                                          [](const Particle& p) { return p.image == image(Img::peach_particle); });
    EXPECT_EQ(peachParticles, 10u);
}

TEST_F(TileTest, OneKeyOpensTheFirstOfTwoDoors) {
    play({"", "Pk.D..D"});
    tap(Right);
    step(4);
    EXPECT_EQ(app.play.keysHeld, 1);
    EXPECT_TRUE(list(Key).empty());
    ASSERT_TRUE(stepUntilStill());
    EXPECT_EQ(app.play.keysHeld, 0);
    ASSERT_EQ(list(Door).size(), 1u);
    EXPECT_EQ(list(Door)[0].x, 192);
    EXPECT_EQ(player().x, 160);
    EXPECT_EQ(played(Snd::bonusSound), 1);
    EXPECT_EQ(played(Snd::unlockSound), 1);
    EXPECT_EQ(played(Snd::collisionSound), 1);
}

TEST_F(TileTest, TheButtonRemovesEveryMetalDoorSilently) {
    play({"M.........M", "P.B..#", "", "...M"});
    tap(Right);
    ASSERT_TRUE(stepUntilStill());
    EXPECT_TRUE(list(MetalDoor).empty());
    EXPECT_EQ(list(Button)[0].state, 0) << "pressed";
    EXPECT_EQ(played(Snd::collisionSound), 1) << "only the wall";
    EXPECT_EQ(effects.size(), 1u);
}

TEST_F(TileTest, AMetalDoorIsAWallUntilThen) {
    play({"", "P..M"});
    tap(Right);
    ASSERT_TRUE(stepUntilStill());
    EXPECT_EQ(player().x, 64);
}

TEST_F(TileTest, ASpeedTileTurnsThePlayerWithoutRestartingTheMove) {
    for (bool fast : {false, true}) {
        app.save.enabled[FastMotion] = fast;
        play({"", "", "", "w..P"});
        tap(Left);
        step(fast ? 7 : 10);
        EXPECT_EQ(player().x, 0);
        EXPECT_EQ(player().vx, 0);
        EXPECT_EQ(player().vy, fast ? -300 : -200);
        EXPECT_LT(player().y, 96);
    }
}

TEST_F(TileTest, WithLowFrictionASpeedTilePushesTheFullFastSpeedOneCellAtAnyFrameRate) {
    switchOn(FastMotion);
    switchOn(LowFriction);
    for (float dt : {0.016f, 0.02f, 1.0f / 60, 0.033f, 0.05f}) {
        play({"", "", "", "", "", "", ".wP"});
        tap(Left);
        for (int i = 0; i < 30 && player().vy == 0; ++i) step(1, dt);
        EXPECT_EQ(player().vy, -300) << "dt " << dt;
        EXPECT_EQ(player().x, 32) << "dt " << dt;
        ASSERT_TRUE(stepUntilStill(100, dt));
        EXPECT_EQ(player().y, 160) << "dt " << dt;
    }
}

// Whatever stands beyond the tile, the player comes to rest on it after one knock
// and leaves it by the other ways as from any cell.
TEST_F(TileTest, ASpeedTileFacingASolidHoldsThePlayerAfterOneKnock) {
    struct Case {
        const char* name;
        char solid;
    };
    for (Case c :
         {Case{"wall", '#'}, Case{"metal door", 'M'}, Case{"door", 'D'}, Case{"pass-once", 'o'}, Case{"arrow", '>'}}) {
        std::string row = std::string("..") + c.solid + "a";
        for (bool fromBelow : {false, true}) {
            effects.clear();
            app.particles.particles.clear();
            play(fromBelow ? std::vector<std::string>{"...#", "", "", row, "", "...P"}
                           : std::vector<std::string>{"...#", "", "", row + "P"});
            if (c.solid == 'o') list(PassOnce)[0].state = 0;
            tap(fromBelow ? Up : Left);
            step(80, 1.0f / 60);
            EXPECT_EQ(player().x, cellX(3)) << c.name;
            EXPECT_EQ(player().y, cellX(3)) << c.name;
            EXPECT_EQ(player().vx, 0) << c.name;
            EXPECT_EQ(played(Snd::collisionSound), 1) << c.name;
            EXPECT_TRUE(app.particles.particles.empty()) << c.name << ": the one burst has died away";
            tap(Up);
            ASSERT_TRUE(stepUntilStill(200, 1.0f / 60)) << c.name;
            EXPECT_EQ(player().x, cellX(3)) << c.name << ": it leaves upward";
            EXPECT_EQ(player().y, cellX(1)) << c.name;
        }
    }
}

TEST_F(TileTest, EarthStopsASlideOnItsOwnCellButFreesAStandingPlayer) {
    play({"", "P..%.."});
    tap(Right);
    ASSERT_TRUE(stepUntilStill());
    EXPECT_EQ(player().x, 96);
    EXPECT_EQ(played(Snd::skidSound), 1);
    expectOneBurst(20, Img::dirt);
    for (const Particle& p : app.particles.particles) EXPECT_EQ(p.x, 128);
    tap(Right);
    step(4);
    EXPECT_GT(player().x, 96);
}

TEST_F(TileTest, ASqueezedEnemyStaysPutSilently) {
    play({"", "P", "", "#H#"});
    for (float speed : {200.0f, -200.0f}) {
        list(RightLeft)[0].vx = speed;
        step(10);
        EXPECT_EQ(list(RightLeft)[0].x, 32);
    }
    EXPECT_TRUE(effects.empty());
    EXPECT_TRUE(app.particles.particles.empty());
}

TEST_F(TileTest, AnEnemyBouncesOffAWallWithSparks) {
    play({"", "P", "", "H..#"});
    list(RightLeft)[0].vx = 200;
    for (int i = 0; i < 40 && effects.empty(); ++i) step();
    EXPECT_EQ(list(RightLeft)[0].x, 64);
    EXPECT_EQ(list(RightLeft)[0].vx, -200);
    EXPECT_EQ(played(Snd::collisionSound), 1);
    expectOneBurst(20, Img::collision);
    EXPECT_EQ(app.particles.particles[0].x, 96);
}

TEST_F(TileTest, AnEnemyPassesAnArrowOnlyItsWay) {
    play({"", "P", "", "H.>.#"});
    list(RightLeft)[0].vx = 200;
    step(20);
    EXPECT_EQ(list(RightLeft)[0].vx, -200) << "it went through to the wall";
    step(20);
    EXPECT_GE(list(RightLeft)[0].x, 96) << "and the arrow turns it back";
}

TEST_F(TileTest, AnEnemyKillsThePlayerOnceWithOneSprayOfItsColour) {
    for (bool green : {false, true}) {
        app.save.enabled[GreenPlayer] = green;
        effects.clear();
        app.particles.particles.clear();
        play(column("I..P...#"));
        list(UpDown)[0].vy = 200;
        step(10);
        EXPECT_EQ(played(Snd::dieSound), 1);
        expectOneBurst(30, green ? Img::green_particle : Img::red_particle);
        EXPECT_EQ(player().alpha, 0);
        EXPECT_FALSE(app.play.movementEnabled);
        step(20);  // the death delay has fired by now and the level is back
        EXPECT_EQ(player().alpha, 255);
        EXPECT_TRUE(app.play.movementEnabled);
        EXPECT_EQ(player().y, 96);
    }
}

TEST_F(TileTest, WithTheMusicOffNoEffectPlays) {
    for (bool musicOn : {true, false}) {
        app.musicOn = musicOn;
        effects.clear();
        playBuiltIn({"", "P*k.D.#", "", "", ".....G"});
        tap(Right);
        ASSERT_TRUE(stepUntilStill());
        tap(Down);
        for (int i = 0; i < 20 && !app.play.goalDelay.running; ++i) step();
        ASSERT_TRUE(app.play.goalDelay.running);
        EXPECT_EQ(effects.size(), musicOn ? 5u : 0u) << "two pick-ups, the door, the wall and the goal";
    }
}

// Six pixels a frame: an enemy that lands exactly on a cell before an obstacle is
// put back where it was and bounces silently.
constexpr float enemyDt = 0.03f;

// An up-and-down enemy in the second column, between walls at the top and at row 7.
std::vector<std::string> enemyLane(char obstacle, bool enemyBelow) {
    std::string middle = std::string(".") + obstacle;
    if (enemyBelow) return {"P#", "", "", middle, "", "", ".I", ".#"};
    return {"P#", ".I", "", "", middle, "", "", ".#"};
}

TEST_F(TileTest, AnUpDownEnemySpraysAlongTheEdgeItStrikes) {
    for (float vy : {200.0f, -200.0f}) {
        effects.clear();
        app.particles.particles.clear();
        play(enemyLane('.', vy < 0));
        list(UpDown)[0].vy = vy;
        for (int i = 0; i < 60 && effects.empty(); ++i) step(1, enemyDt);
        EXPECT_EQ(list(UpDown)[0].y, vy > 0 ? 192 : 32);
        EXPECT_EQ(played(Snd::collisionSound), 1);
        expectOneBurst(20, Img::collision);
        float edge = vy > 0 ? 224 : 32;  // the top of the wall below, the bottom of the wall above
        for (const Particle& p : app.particles.particles) {
            EXPECT_EQ(p.y, edge) << vy;
            EXPECT_NEAR(p.x, 48, 8) << vy;
        }
    }
}

struct LaneCase {
    const char* name;
    char obstacle;
    int passOnceState;  // for 'o'
    float vy;
    bool passes;
};

class UpDownLaneTest : public TileTest, public ::testing::WithParamInterface<LaneCase> {};

TEST_P(UpDownLaneTest, TheEnemyStopsAtTheObstacleOrGoesOnToTheWall) {
    const LaneCase& c = GetParam();
    bool down = c.vy > 0;
    play(enemyLane(c.obstacle, !down));
    if (c.obstacle == 'o') list(PassOnce)[0].state = c.passOnceState;
    list(UpDown)[0].vy = c.vy;
    for (int i = 0; i < 60 && effects.empty(); ++i) step(1, enemyDt);
    float atObstacle = down ? 96 : 128;
    float atWall = down ? 192 : 32;
    EXPECT_EQ(list(UpDown)[0].y, c.passes ? atWall : atObstacle);
}

INSTANTIATE_TEST_SUITE_P(
    Obstacles, UpDownLaneTest,
    ::testing::Values(LaneCase{"DownArrowGoingDown", 'v', 0, 200, true},
                      LaneCase{"DownArrowGoingUp", 'v', 0, -200, false}, LaneCase{"UpArrowGoingUp", '^', 0, -200, true},
                      LaneCase{"UpArrowGoingDown", '^', 0, 200, false}, LaneCase{"LeftArrow", '<', 0, 200, false},
                      LaneCase{"RightArrow", '>', 0, -200, false}, LaneCase{"UnusedPassOnce", 'o', 2, 200, true},
                      LaneCase{"SolidPassOnce", 'o', 0, 200, false}),
    [](const ::testing::TestParamInfo<LaneCase>& info) { return std::string(info.param.name); });
