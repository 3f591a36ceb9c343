// How an attempt ends: the delays, the hole fade, restarts and the goal.
#include "support/board_sketch.h"

class OutcomeTest : public BoardTest {};

TEST_F(OutcomeTest, AHoleRestartsTheLevelInThe52ndStepHoweverLongTheFrames) {
    for (float dt : {0.05f, 0.001f}) {
        effects.clear();
        play({"", "P..O.#", "", "*"});
        tap(Right);
        while (!app.play.dying) step(1, dt);
        EXPECT_EQ(played(Snd::holeSound), 1);
        app.play.pieces.clear(Peach);
        for (int frame = 1; frame <= 51; ++frame) {
            step(1, dt);
            ASSERT_EQ(player().alpha, 255 - 5 * frame);
        }
        EXPECT_TRUE(list(Peach).empty());
        step(1, dt);
        EXPECT_EQ(list(Peach).size(), 1u) << "reloaded";
        EXPECT_EQ(player().x, 0);
        EXPECT_EQ(player().alpha, 255);
        EXPECT_FALSE(app.play.dying);
        EXPECT_TRUE(app.play.movementEnabled);
        EXPECT_EQ(played(Snd::holeSound), 1) << "one fall, one sound";
    }
}

TEST_F(OutcomeTest, AnEnemyHitDuringTheGoalDelayStillKills) {
    playBuiltIn({"", "P.G", "", "", "..I"});
    list(UpDown)[0].vy = -200;
    tap(Right);
    for (int i = 0; i < 10 && !app.play.goalDelay.running; ++i) step();
    ASSERT_TRUE(app.play.goalDelay.running);
    EXPECT_EQ(played(Snd::goalSound), 1);
    step(8);
    EXPECT_EQ(played(Snd::goalSound), 1) << "standing on the goal is silent";
    EXPECT_EQ(played(Snd::dieSound), 1);
    EXPECT_TRUE(app.play.deathDelay.running);
    EXPECT_TRUE(app.play.goalDelay.running);
}

TEST_F(OutcomeTest, TheGoalInTestPlayReturnsToTheEditorInTheSameFrame) {
    play({"", "P.G", "", "k"});
    tap(Right);
    for (int i = 0; i < 10 && app.screen == TestPlay; ++i) step();
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(player().x, 64);
    EXPECT_EQ(app.play.pieces, PieceLists{});
    EXPECT_FALSE(app.play.goalDelay.running);
    EXPECT_EQ(played(Snd::goalSound), 1);
}

TEST_F(OutcomeTest, ARestartRestoresEverythingCollected) {
    switchOn(MirroredLevels);
    playBuiltIn({"", "P*k.D.#", "", "..B", "M"});
    tap(Right);  // the mirror turns both the board and the key: this goes left, to the peach
    ASSERT_TRUE(stepUntilStill());
    EXPECT_TRUE(list(Peach).empty());
    EXPECT_TRUE(list(Door).empty());
    restartPlay(app.play);
    EXPECT_EQ(list(Peach).size(), 1u);
    EXPECT_EQ(list(Key).size(), 1u);
    EXPECT_EQ(list(Door).size(), 1u);
    EXPECT_EQ(list(MetalDoor).size(), 1u);
    EXPECT_EQ(app.play.keysHeld, 0);
    EXPECT_EQ(player().x, 608);
}
