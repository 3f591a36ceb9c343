// The level select, starting and leaving levels, and what finishing, dying and
// restarting do to the progress, with test levels written into the game folder.
#include "level/level_sequence.h"
#include "level/saved_game.h"
#include "support/board_sketch.h"
#include "support/test_support.h"

namespace {

// The player slides right onto the goal next to it.
const std::vector<std::string> goalLevel = {"PG"};
const std::vector<std::string> peachLevel = {"P*G"};

class LevelSequenceTest : public GameTest {
protected:
    LevelSequenceTest() { withOwnMaps_ = true; }

    std::string record(int highest, bool won = false) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02d", highest);
        return std::string(digits) + std::string(44, '0') + (won ? "1" : "0");
    }
    // Loads a save through the menu; the level select opens.
    void loadSave(const std::string& plain) {
        if (app.screen != MainMenu) tapKey(SDLK_ESCAPE);
        folder_.writeSave(plain);
        app.ui.menuSelection = 1;
        tapKey(SDLK_RETURN);
        ASSERT_EQ(app.screen, LevelSelect);
    }
    void selectAndStart(int level) {
        while (app.ui.selectedIndex < level - 1) tapKey(SDLK_RIGHT);
        tapKey(SDLK_RETURN);
        ASSERT_EQ(app.screen, PlayLevel);
    }
    // A short press starts a slide that goes on by itself.
    void pressRight() {
        pushKey(SDLK_RIGHT);
        frames(1);
        pushKey(SDLK_RIGHT, false);
        frames(30);
    }
    // The goal delay of three seconds, and a few frames for its end.
    void waitForGoalDelay() { frames(200, 1.0f / 60.0f); }
};

}  // namespace

TEST_F(LevelSequenceTest, TheCursorMovesOnlyOverOpenLevels) {
    loadSave(record(1));
    tapKey(SDLK_RIGHT);
    tapKey(SDLK_DOWN);
    EXPECT_EQ(app.ui.selectedIndex, 0);

    loadSave(record(9));
    app.ui.selectedIndex = 3;
    tapKey(SDLK_DOWN);
    EXPECT_EQ(app.ui.selectedIndex, 3);
    tapKey(SDLK_RIGHT);
    EXPECT_EQ(app.ui.selectedIndex, 4);
    tapKey(SDLK_UP);
    EXPECT_EQ(app.ui.selectedIndex, 4);
    tapKey(SDLK_LEFT);
    EXPECT_EQ(app.ui.selectedIndex, 3);

    loadSave(record(35));
    app.ui.selectedIndex = 34;
    tapKey(SDLK_RIGHT);
    EXPECT_EQ(app.ui.selectedIndex, 34);
    app.ui.selectedIndex = 28;
    tapKey(SDLK_DOWN);
    EXPECT_EQ(app.ui.selectedIndex, 28);
    app.ui.selectedIndex = 27;
    tapKey(SDLK_DOWN);
    EXPECT_EQ(app.ui.selectedIndex, 34);
    tapKey(SDLK_UP);
    EXPECT_EQ(app.ui.selectedIndex, 27);
}

TEST_F(LevelSequenceTest, ThePointerSelectsAnOpenLevelAndAClickStartsItButNotALockedOne) {
    folder_.writeLevel(3, {"", "...P"});
    loadSave(record(9));
    click(244, 190);  // level 10, locked: column 2 of row 1
    EXPECT_EQ(app.ui.selectedIndex, 0);
    EXPECT_EQ(app.screen, LevelSelect);
    pushMotion(244, 126);  // level 3
    frames(1);
    EXPECT_EQ(app.ui.selectedIndex, 2);
    click(244, 126);
    EXPECT_EQ(app.screen, PlayLevel);
    EXPECT_EQ(app.save.currentLevel, 3);
}

TEST_F(LevelSequenceTest, UOpensTheUnlockables) {
    loadSave(record(9));
    tapKey(SDLK_u);
    EXPECT_EQ(app.screen, Unlockables);
}

TEST_F(LevelSequenceTest, WASDAreHeldAsTheArrows) {
    folder_.writeLevel(1, {"", "...P"});
    loadSave(record(1));
    selectAndStart(1);
    for (auto [key, held] : {std::pair{SDLK_w, &PlayInput::up},
                             {SDLK_a, &PlayInput::left},
                             {SDLK_s, &PlayInput::down},
                             {SDLK_d, &PlayInput::right}}) {
        pushKey(key);
        frames(1);
        EXPECT_TRUE(app.input.arrows.*held) << key;
        pushKey(key, false);
        frames(1);
        EXPECT_FALSE(app.input.arrows.*held) << key;
    }
}

TEST_F(LevelSequenceTest, ReturnStartsTheLevelUnderTheCursor) {
    folder_.writeLevel(3, {"", "...P"});
    loadSave(record(9));
    selectAndStart(3);
    EXPECT_EQ(app.save.currentLevel, 3);
    EXPECT_EQ(app.play.player.x, 96);
    EXPECT_EQ(app.play.player.y, 32);
}

TEST_F(LevelSequenceTest, FinishingAnEarlierLevelGoesOnWithoutOpeningOneAndEscapeReturnsToIt) {
    folder_.writeLevel(5, goalLevel);
    folder_.writeLevel(6, {"", "P"});
    loadSave(record(9));
    selectAndStart(5);
    pressRight();
    ASSERT_TRUE(app.play.goalDelay.running);
    waitForGoalDelay();
    EXPECT_EQ(app.screen, PlayLevel);
    EXPECT_EQ(app.save.currentLevel, 6);
    EXPECT_EQ(app.play.player.y, 32);
    EXPECT_EQ(app.save.highestLevel, 9);
    // A level without a peach counts as one whose peach was taken.
    EXPECT_EQ(folder_.plainSave(),
              "09"
              "00001" +
                  std::string(40, '0'));

    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, LevelSelect);
    EXPECT_EQ(app.ui.selectedIndex, 5);
}

TEST_F(LevelSequenceTest, FinishingTheHighestLevelOpensTheNextAndRecordsOnlyATakenPeach) {
    folder_.writeLevel(1, peachLevel);
    folder_.writeLevel(2, {"PG*"});
    loadSave(record(1));
    selectAndStart(1);
    pressRight();
    waitForGoalDelay();
    EXPECT_EQ(app.save.currentLevel, 2);
    EXPECT_EQ(app.save.highestLevel, 2);
    EXPECT_EQ(app.save.peachCount, 1);
    EXPECT_EQ(folder_.plainSave().substr(0, 4), "0210");
    pressRight();
    waitForGoalDelay();
    EXPECT_EQ(app.save.highestLevel, 3);
    EXPECT_EQ(app.save.peachCount, 1);
    EXPECT_EQ(folder_.plainSave().substr(0, 5), "03100");
}

TEST_F(LevelSequenceTest, TheLastLevelWonFirstShowsTheDialogThenTheSelect) {
    folder_.writeLevel(35, goalLevel);
    loadSave(record(35));
    selectAndStart(35);
    pressRight();
    waitForGoalDelay();
    ASSERT_EQ(app.screen, GameWonDialog);
    EXPECT_EQ(folder_.plainSave().substr(0, 2), "36");

    // The hint under the message shows while peaches are missing.
    auto hintArea = [&] {
        std::string pixels;
        for (int x = 178; x < 420; ++x)
            for (int y = 226; y < 238; ++y) pixels += static_cast<char>(pixel(x, y).r);
        return pixels;
    };
    std::string withHint = hintArea();
    app.save.peachCount = 35;
    frames(1);
    EXPECT_NE(hintArea(), withHint);

    click(320, 270);
    EXPECT_EQ(app.screen, LevelSelect);
    EXPECT_TRUE(app.save.gameWon);
    EXPECT_EQ(app.save.highestLevel, 35);
}

TEST_F(LevelSequenceTest, TheLastLevelWonAgainGoesStraightToTheSelect) {
    folder_.writeLevel(35, goalLevel);
    loadSave(record(35, true));
    selectAndStart(35);
    pressRight();
    waitForGoalDelay();
    EXPECT_EQ(app.screen, LevelSelect);
    EXPECT_EQ(app.save.currentLevel, 36);
}

TEST_F(LevelSequenceTest, EscapeWaitsWhileTheGoalDelayRuns) {
    folder_.writeLevel(1, goalLevel);
    loadSave(record(1));
    selectAndStart(1);
    pressRight();
    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, PlayLevel);
}

TEST_F(LevelSequenceTest, RestartDuringTheGoalDelayReloadsButTheLevelStillCompletes) {
    folder_.writeLevel(1, {"P.G"});
    loadSave(record(1));
    selectAndStart(1);
    pressRight();
    ASSERT_TRUE(app.play.goalDelay.running);
    tapKey(SDLK_r);
    EXPECT_EQ(app.play.player.x, 0);
    waitForGoalDelay();
    EXPECT_EQ(app.save.currentLevel, 2);
    EXPECT_EQ(app.save.highestLevel, 2);
}

TEST_F(LevelSequenceTest, RestartDuringTheDeathDelayDoesNothing) {
    // The enemy runs into the player, whichever way it starts.
    folder_.writeLevel(1, {"P.H#"});
    loadSave(record(1));
    selectAndStart(1);
    for (int i = 0; i < 60 && app.play.movementEnabled; ++i) frames(1);
    ASSERT_TRUE(app.play.deathDelay.running);
    tapKey(SDLK_r);
    EXPECT_FALSE(app.play.movementEnabled);
    EXPECT_EQ(app.play.player.alpha, 0);
    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, PlayLevel);
}

TEST_F(LevelSequenceTest, AKillDuringTheGoalDelayDoesNotStopTheLevelCompleting) {
    // The enemy comes from the right after the player has reached the goal.
    folder_.writeLevel(1, {"", "#PG..H#"});
    loadSave(record(1));
    selectAndStart(1);
    pressRight();
    ASSERT_TRUE(app.play.goalDelay.running);
    for (int i = 0; i < 60 && app.play.movementEnabled; ++i) frames(1);
    ASSERT_TRUE(app.play.deathDelay.running);
    waitForGoalDelay();
    EXPECT_EQ(app.save.currentLevel, 2);
    EXPECT_EQ(app.save.highestLevel, 2);
}

TEST_F(LevelSequenceTest, AHoleRestartsTheLevelInThe52ndStepWhateverTheFrameLength) {
    folder_.writeLevel(1, {"P.O"});
    loadSave(record(1));
    selectAndStart(1);
    for (float dt : {1.0f / 60.0f, 0.05f, 0.001f}) {
        pushKey(SDLK_RIGHT);
        for (int i = 0; i < 2000 && !app.play.dying; ++i) frames(1, dt);
        pushKey(SDLK_RIGHT, false);
        ASSERT_TRUE(app.play.dying);
        frames(51, dt);
        EXPECT_TRUE(app.play.dying) << dt;
        frames(1, dt);
        EXPECT_FALSE(app.play.dying) << dt;
        EXPECT_EQ(app.play.player.x, 0) << dt;
        EXPECT_EQ(app.play.player.alpha, 255) << dt;
    }
}

TEST_F(LevelSequenceTest, EscapeDuringAHoleFadeLeavesNothingOfTheAttemptBehind) {
    folder_.writeLevel(1, {"Pk*O"});
    loadSave(record(1));
    selectAndStart(1);
    pushKey(SDLK_RIGHT);
    for (int i = 0; i < 60 && !app.play.dying; ++i) frames(1);
    pushKey(SDLK_RIGHT, false);
    frames(3);
    ASSERT_TRUE(app.play.dying);
    ASSERT_LT(app.play.player.alpha, 255);
    ASSERT_EQ(app.play.keysHeld, 1);
    ASSERT_FALSE(app.particles.particles.empty());
    pushKey(SDLK_ESCAPE);
    frames(1);
    EXPECT_EQ(app.screen, LevelSelect);
    EXPECT_FALSE(app.play.dying);
    EXPECT_TRUE(app.play.movementEnabled);
    EXPECT_EQ(app.play.player.alpha, 255);
    EXPECT_TRUE(app.particles.particles.empty());
    EXPECT_EQ(app.play.keysHeld, 0);
}

TEST_F(LevelSequenceTest, AGoalDelayEndingWithNoLevelInPlayRecordsNoPeach) {
    app.save.currentLevel = levelCount + 1;
    app.screen = LevelSelect;
    finishLevel(app);
    EXPECT_EQ(app.save.peachCount, 0);
    EXPECT_FALSE(app.save.peachTaken[levelCount]);
}

// The level select drawn with solid stand-ins: one colour per image, and the
// level labels as small squares, black ones and white ones.
class LevelSelectDrawTest : public StandInGameTest {
protected:
    void SetUp() override {
        StandInGameTest::SetUp();
        for (auto& labels : app.ui.levelLabels) {  // released with the program
            labels[0] = square(blackLabel);
            labels[1] = square(whiteLabel);
        }
        app.screen = LevelSelect;
    }
    static SDL_Surface* square(SDL_Color c) {
        SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, c.r, c.g, c.b));
        return surface;
    }
    // The top-left corner of the cell of a level index.
    static int cellLeft(int index) { return 48 + 80 * (index % 7); }
    static int cellTop(int index) { return 98 + 64 * (index / 7); }

    static constexpr SDL_Color blackLabel = {1, 2, 3, 0};
    static constexpr SDL_Color whiteLabel = {251, 252, 253, 0};
};

TEST_F(LevelSelectDrawTest, OneDigitLabelsSitFurtherRightThanTwoDigitOnes) {
    app.save.highestLevel = 35;
    app.ui.selectedIndex = 34;
    frames(1);
    for (int index : {0, 8, 9, 34}) {
        int x = cellLeft(index) + (index < 9 ? 24 : 16), y = cellTop(index) + 8;
        SDL_Color label = index == 34 ? whiteLabel : blackLabel;
        EXPECT_TRUE(shows(x, y, label)) << "level " << index + 1;
        EXPECT_FALSE(shows(x - 1, y, label)) << "level " << index + 1;
        EXPECT_FALSE(shows(x, y - 1, label)) << "level " << index + 1;
    }
}

TEST_F(LevelSelectDrawTest, OnlyLevelsUpToTheHighestAreOpenAndShowTheirPeach) {
    app.save.highestLevel = 10;
    app.save.peachTaken[9] = app.save.peachTaken[10] = app.save.peachTaken[20] = true;
    app.ui.selectedIndex = 10;
    frames(1);
    for (int index : {0, 9}) EXPECT_TRUE(shows(cellLeft(index) + 4, cellTop(index) + 4, Img::lvlsel_enabled)) << index;
    for (int index : {10, 34})
        EXPECT_TRUE(shows(cellLeft(index) + 4, cellTop(index) + 4, Img::lvlsel_disabled)) << index;
    EXPECT_TRUE(shows(cellLeft(9) + 52, cellTop(9) + 37, Img::peach_icon));
    for (int index : {0, 10, 20})
        EXPECT_FALSE(shows(cellLeft(index) + 52, cellTop(index) + 37, Img::peach_icon)) << index;
    EXPECT_TRUE(shows(cellLeft(10) + 16, cellTop(10) + 8, blackLabel)) << "a closed level is never selected";
}
