// The player's slide: starting a move, speed, the frame time, Low friction,
// snapping and leaving the board.
#include "app/frame_clock.h"
#include "game/gameplay.h"
#include "support/board_sketch.h"

class MovementTest : public BoardTest {};

TEST_F(MovementTest, ALongFrameMovesTheCappedDistance) {
    play({"", "", ".....P"});
    hold(Right);
    step(1, 0.05f);  // the move starts; it carries the player from the next frame on
    EXPECT_EQ(player().x, 160);
    FrameClock clock;
    clock.lastTicks = 1000;
    step(1, advanceFrameClock(clock, 1200));
    EXPECT_FLOAT_EQ(player().x, 170);
    EXPECT_EQ(player().vx, 200);
}

TEST_F(MovementTest, LeftWinsOverUpAndTheSlideGoesOnWithoutTheKey) {
    play({"", "", ".....P"});
    hold(Up);
    hold(Left);
    step();
    release(Up);
    release(Left);
    step(3);
    EXPECT_FLOAT_EQ(player().x, 160 - 30);
    EXPECT_EQ(player().y, 64);
}

TEST_F(MovementTest, AMoveStartsOnlyFromRest) {
    play({"", "", ".....P"});
    hold(Down);
    step(2);
    hold(Left);
    step(2);
    EXPECT_EQ(player().vx, 0);
    EXPECT_EQ(player().vy, 200);
}

TEST_F(MovementTest, MirroredLevelsSwapLeftAndRightEvenInTestPlay) {
    switchOn(MirroredLevels);
    play({"", "", ".....P"});
    hold(Left);
    step(2);
    EXPECT_GT(player().x, 160);
    stopPlayer(player());
    release(Left);
    hold(Right);
    step(2);
    EXPECT_LT(player().vx, 0);
    release(Right);
    stopPlayer(player());
    hold(Up);
    step(2);
    EXPECT_LT(player().vy, 0);
}

TEST_F(MovementTest, FastMotionIsSlowedByLowFriction) {
    play({"", "", ".....P"});
    switchOn(FastMotion);
    hold(Down);
    step();
    EXPECT_EQ(player().vy, 300);
    stopPlayer(player());
    switchOn(LowFriction);
    step();
    EXPECT_EQ(player().vy, 200);
}

TEST_F(MovementTest, LowFrictionMovesOneCellPerPress) {
    switchOn(LowFriction);
    play({"", "", ".....P"});
    for (float dt : {1.0f / 60, 0.05f}) {
        float start = player().x;
        tap(Right);
        ASSERT_TRUE(stepUntilStill(100, dt));
        EXPECT_EQ(player().x, start + 32) << "dt " << dt;
    }
    switchOn(FastMotion);  // still 200 px/s: Low friction wins
    tap(Down);
    ASSERT_TRUE(stepUntilStill(100, 1.0f / 60));
    EXPECT_EQ(player().y, 96);
}

TEST_F(MovementTest, LowFrictionWithAHeldKeyMovesCellByCell) {
    switchOn(LowFriction);
    play({"", "", ".....P"});
    hold(Right);
    int stops = 0;
    for (int frame = 0; frame < 60; ++frame) {
        step(1, 1.0f / 60);
        if (player().vx == 0) ++stops;
    }
    EXPECT_GE(stops, 4);
    EXPECT_EQ(static_cast<int>(player().x) % 32, 0) << "it rests on a cell when the key starts the next move";
}

TEST_F(MovementTest, LeavingTheBoardOnePixelPastTheEdgeRestarts) {
    play({"", "", ".....P"});
    struct Edge {
        float x, y;
        bool restarts;
    };
    for (Edge edge : {Edge{-32, 64, false}, Edge{-33, 64, true}, Edge{672, 64, false}, Edge{673, 64, true},
                      Edge{160, -32, false}, Edge{160, -33, true}, Edge{160, 512, false}, Edge{160, 513, true}}) {
        effects.clear();
        player().x = edge.x;
        player().y = edge.y;
        step();
        EXPECT_EQ(player().x == 160 && player().y == 64, edge.restarts) << edge.x << ", " << edge.y;
        EXPECT_EQ(played(Snd::holeSound), edge.restarts ? 1 : 0);
    }
}

TEST_F(MovementTest, OnlyThePlayScreensRestartOffTheBoard) {
    play({"", "", ".....P"});
    app.screen = LevelSelect;
    player().x = -100;
    step();
    EXPECT_EQ(player().x, -100);
    EXPECT_EQ(played(Snd::holeSound), 0);
}

TEST_F(MovementTest, ADeadPlayerDoesNotMove) {
    play({"", "", ".....P"});
    app.play.movementEnabled = false;
    player().vx = 200;
    step(3);
    EXPECT_EQ(player().x, 160);
}
