// The main menu: new and loaded games, the overwrite question, the editor entry,
// the corner buttons and the credits strip, driven through the real frame.
#include "app/display.h"
#include "app/input.h"
#include "app/resources.h"
#include "level/saved_game.h"
#include "support/test_support.h"

namespace {

const std::string zeros45(45, '0');

class MainMenuTest : public GameTest {
protected:
    MainMenuTest() { withOwnMaps_ = true; }

    void choose(int entry) {
        while (app.ui.menuSelection != entry) tapKey(SDLK_DOWN);
        tapKey(SDLK_RETURN);
    }
    void clickYes() { click(250, 270); }
    void clickNo() { click(380, 270); }
};

}  // namespace

TEST_F(MainMenuTest, UpAndDownWrapAroundTheFourEntries) {
    tapKey(SDLK_UP);
    EXPECT_EQ(app.ui.menuSelection, 3);
    tapKey(SDLK_DOWN);
    EXPECT_EQ(app.ui.menuSelection, 0);
    tapKey(SDLK_DOWN);
    tapKey(SDLK_DOWN);
    EXPECT_EQ(app.ui.menuSelection, 2);
}

TEST_F(MainMenuTest, NewGameWithoutASaveStartsAtOnceAndKeepsTheSwitches) {
    app.save.highestLevel = 12;
    app.save.peachTaken[4] = true;
    app.save.peachTaken[35] = true;
    app.save.peachCount = 2;
    app.save.enabled[EditedMusic] = true;
    app.ui.selectedIndex = 8;
    choose(0);
    EXPECT_EQ(app.screen, LevelSelect);
    EXPECT_EQ(app.ui.selectedIndex, 0);
    EXPECT_EQ(app.save.peachCount, 0);
    // Entry 35 belongs to no level and survives; the switches are only reset by the question.
    EXPECT_EQ(folder_.plainSave(), "01" + std::string(35, '0') +
                                       "1"
                                       "0010000"
                                       "00");
}

TEST_F(MainMenuTest, NewGameOverASaveAsksFirst) {
    folder_.writeSave("20" + std::string(20, '1') + std::string(16, '0') +
                      "1111111"
                      "00");
    std::string before = readWholeFile(folder_.file(saveFileName));
    choose(0);
    EXPECT_EQ(app.screen, OverwriteSaveDialog);
    clickNo();
    EXPECT_EQ(app.screen, MainMenu);
    EXPECT_EQ(readWholeFile(folder_.file(saveFileName)), before);

    app.save.enabled.fill(true);
    tapKey(SDLK_RETURN);
    EXPECT_EQ(app.screen, OverwriteSaveDialog);
    clickYes();
    EXPECT_EQ(app.screen, LevelSelect);
    EXPECT_EQ(folder_.plainSave(), "01" + zeros45);
}

TEST_F(MainMenuTest, GameWonSurvivesANewGameOnlyAfterALoadInTheSameRun) {
    std::string won = "35" + std::string(36, '0') +
                      "0000000"
                      "0"
                      "1";
    folder_.writeSave(won);
    choose(0);
    clickYes();
    EXPECT_EQ(folder_.plainSave().substr(46), "0");

    folder_.writeSave(won);
    tapKey(SDLK_ESCAPE);
    choose(1);
    ASSERT_EQ(app.screen, LevelSelect);
    EXPECT_EQ(app.save.highestLevel, 35);
    tapKey(SDLK_ESCAPE);
    choose(0);
    clickYes();
    EXPECT_EQ(folder_.plainSave(), "01" + std::string(44, '0') + "1");
}

TEST_F(MainMenuTest, LoadGameWithoutASaveExplainsAndOkReturns) {
    choose(1);
    EXPECT_EQ(app.screen, NoSavedGameDialog);
    ASSERT_NE(resources.screenSnapshot, nullptr);
    click(320, 270);
    EXPECT_EQ(app.screen, MainMenu);
}

TEST_F(MainMenuTest, LevelEditorOpensTheWideWindowAndEscapeComesBack) {
    choose(2);
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(displaySurface->w, 800);
    frames(1);
    SDL_Color panel = pixel(700, 470);
    EXPECT_EQ(panel.r, 128);
    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, MainMenu);
    EXPECT_EQ(displaySurface->w, 640);
    EXPECT_TRUE(app.running);
}

TEST_F(MainMenuTest, QuitEndsTheProgram) {
    choose(3);
    EXPECT_FALSE(app.running);
}

TEST_F(MainMenuTest, CornerButtonsToggleMusicAndWindowOnlyFromTheirInside) {
    click(592, 440);  // the left edge of the music button
    EXPECT_TRUE(app.musicOn);
    click(600, 440);
    EXPECT_FALSE(app.musicOn);
    click(560, 448);
    EXPECT_FALSE(app.windowed);
    click(560, 448);
    EXPECT_TRUE(app.windowed);
    EXPECT_EQ(displaySurface->w, 640);
}

TEST_F(MainMenuTest, ThePointerSelectsAnEntryAndAClickTakesIt) {
    pushMotion(300, 300);  // Level Editor spans y 288 to 320
    frames(1);
    EXPECT_EQ(app.ui.menuSelection, 2);
    pushMotion(300, 100);
    frames(1);
    EXPECT_EQ(app.ui.menuSelection, 2);
    click(300, 350);
    EXPECT_FALSE(app.running);
}

TEST_F(MainMenuTest, AClickThatAnswersADialogIsNoClickOnTheEntryUnderIt) {
    click(300, 260);  // Load Game, under the Ok of the question it opens
    ASSERT_EQ(app.screen, NoSavedGameDialog);
    click(300, 270);
    EXPECT_EQ(app.screen, MainMenu);
    // Pressed on one entry and let go on another is no click on either.
    pushMotion(300, 300);
    pushButton(SDL_BUTTON_LEFT);
    pushMotion(300, 350);
    pushButton(SDL_BUTTON_LEFT, false);
    frames(1);
    EXPECT_TRUE(app.running);
    EXPECT_EQ(app.screen, MainMenu);
}

TEST_F(MainMenuTest, TheCornerButtonsHaveKeysAndTheWindowKeysKeepTheEditorsWidth) {
    tapKey(SDLK_m);
    EXPECT_FALSE(app.musicOn);
    tapKey(SDLK_F11);
    EXPECT_FALSE(app.windowed);
    pushKey(SDLK_RETURN, true, 13, KMOD_RALT);
    frames(1);
    EXPECT_TRUE(app.windowed);
    EXPECT_EQ(app.screen, MainMenu);
    choose(2);
    tapKey(SDLK_F11);
    EXPECT_FALSE(app.windowed);
    EXPECT_EQ(displaySurface->w, 800);
}

TEST_F(MainMenuTest, AGamepadMovesAndAnswersAsTheArrowsReturnAndEscape) {
    auto push = [](SDL_Event event) { SDL_PushEvent(&event); };
    SDL_Event stick{};
    stick.jaxis = {SDL_JOYAXISMOTION, 0, 1, 30000};
    push(stick);
    stick.jaxis.value = 20000;  // still down: no second step
    push(stick);
    stick.jaxis.value = 0;
    push(stick);
    frames(1);
    EXPECT_EQ(app.ui.menuSelection, 1);
    SDL_Event pad{};
    pad.jhat = {SDL_JOYHATMOTION, 0, 0, SDL_HAT_UP};
    push(pad);
    pad.jhat.value = SDL_HAT_CENTERED;
    push(pad);
    frames(1);
    EXPECT_EQ(app.ui.menuSelection, 0);
    SDL_Event button{};
    button.jbutton = {SDL_JOYBUTTONDOWN, 0, 0, SDL_PRESSED};  // Return: New Game over a save
    folder_.writeSave("01" + zeros45);
    push(button);
    frames(1);
    ASSERT_EQ(app.screen, OverwriteSaveDialog);
    button.jbutton.button = 1;  // Escape: No
    push(button);
    frames(1);
    EXPECT_EQ(app.screen, MainMenu);
}

TEST_F(MainMenuTest, TheMusicButtonHaltsTheMusicAndStartsATrackAtOnce) {
    frames(1);
    ASSERT_TRUE(Mix_PlayingMusic());
    click(600, 440);
    EXPECT_FALSE(app.musicOn);
    EXPECT_FALSE(Mix_PlayingMusic());
    frames(3);
    EXPECT_FALSE(Mix_PlayingMusic());
    // The press alone, before the frame's keep-alive could start one.
    handleMouseDown(app, SDL_BUTTON_LEFT);
    EXPECT_TRUE(app.musicOn);
    EXPECT_TRUE(Mix_PlayingMusic());
}

TEST_F(MainMenuTest, CreditsRiseUnderThePointerAndSinkWhenItLeaves) {
    pushMotion(100, 470);
    frames(40);
    EXPECT_EQ(app.ui.creditsBar.y, 432);
    pushMotion(400, 300);
    frames(10);
    EXPECT_EQ(app.ui.creditsBar.y, 442);
    frames(40);
    EXPECT_EQ(app.ui.creditsBar.y, 464);
}
