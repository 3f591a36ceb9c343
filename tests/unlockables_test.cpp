// The unlockables: thresholds, the screen's names and check boxes, the switches
// kept by Escape only, and the notices raised once per threshold.
#include "app/resources.h"
#include "level/saved_game.h"
#include "support/test_support.h"

#include <cstring>

namespace {

class UnlockablesTest : public GameTest {
protected:
    UnlockablesTest() { withOwnMaps_ = true; }

    // A save with the peaches of the first `peaches` levels, every level open.
    std::string record(int peaches) {
        return "35" + std::string(peaches, '1') + std::string(36 - peaches, '0') +
               "0000000"
               "00";
    }
    void loadSave(const std::string& plain) {
        folder_.writeSave(plain);
        app.ui.menuSelection = 1;
        tapKey(SDLK_RETURN);
        ASSERT_EQ(app.screen, LevelSelect);
    }
    void openScreen(int peaches) {
        loadSave(record(peaches));
        click(300, 440);
        ASSERT_EQ(app.screen, Unlockables);
    }
    // The centre of check box i.
    void clickBox(int i) { click(520, 128 + 48 * i + 12); }
    int nameWidth(int i) { return resources.unlockableName[i] ? resources.unlockableName[i]->w : 0; }
    int renderedWidth(const char* text) {
        SDL_Surface* surface = renderText(resources.font28b, text, black);
        int width = surface ? surface->w : -1;
        freeSurface(surface);
        return width;
    }
};

}  // namespace

TEST_F(UnlockablesTest, FourPeachesUnlockNothing) {
    openScreen(4);
    for (int i = 0; i < UnlockableIdCount; ++i) {
        EXPECT_EQ(nameWidth(i), renderedWidth("?????")) << i;
        clickBox(i);
        EXPECT_FALSE(app.save.enabled[i]) << i;
    }
}

TEST_F(UnlockablesTest, FivePeachesUnlockTheGreenPlayerOnly) {
    openScreen(5);
    EXPECT_EQ(nameWidth(0), renderedWidth("Green player"));
    EXPECT_EQ(nameWidth(1), renderedWidth("?????"));
    clickBox(0);
    EXPECT_TRUE(app.save.enabled[GreenPlayer]);
    clickBox(1);
    EXPECT_FALSE(app.save.enabled[OldschoolGraphics]);
    clickBox(0);
    EXPECT_FALSE(app.save.enabled[GreenPlayer]);
}

TEST_F(UnlockablesTest, TheHitBoxLiesOnePixelBelowTheDrawnBox) {
    openScreen(35);
    auto toggles = [&](int x, int y) {
        bool before = app.save.enabled[LowFriction];
        click(x, y);
        return app.save.enabled[LowFriction] != before;
    };
    int y = 128 + 48 * LowFriction;
    EXPECT_TRUE(toggles(512, y + 10));
    EXPECT_FALSE(toggles(511, y + 10));
    EXPECT_TRUE(toggles(527, y + 10));
    EXPECT_FALSE(toggles(528, y + 10));
    EXPECT_FALSE(toggles(520, y + 4));
    EXPECT_TRUE(toggles(520, y + 5));
    EXPECT_TRUE(toggles(520, y + 20));
    EXPECT_FALSE(toggles(520, y + 21));
}

TEST_F(UnlockablesTest, TheArrowsAndThePointerChooseAnOptionAndSpaceOrReturnSwitchIt) {
    openScreen(10);
    tapKey(SDLK_DOWN);
    tapKey(SDLK_SPACE);
    EXPECT_TRUE(app.save.enabled[OldschoolGraphics]);
    tapKey(SDLK_RETURN);
    EXPECT_FALSE(app.save.enabled[OldschoolGraphics]);
    tapKey(SDLK_DOWN);  // locked below fifteen peaches
    tapKey(SDLK_RETURN);
    EXPECT_FALSE(app.save.enabled[2]);
    for (int i = 0; i < 3; ++i) tapKey(SDLK_UP);
    EXPECT_EQ(app.ui.chosenUnlockable, UnlockableIdCount - 1);
    pushMotion(300, 128 + 48 * GreenPlayer + 16);
    frames(1);
    tapKey(SDLK_SPACE);
    EXPECT_TRUE(app.save.enabled[GreenPlayer]);
}

TEST_F(UnlockablesTest, QuittingOnTheScreenDoesNotSaveTheSwitches) {
    openScreen(10);
    std::string before = readWholeFile(folder_.file(saveFileName));
    clickBox(1);
    pushQuit();
    frames(1);
    shutdown();
    EXPECT_EQ(readWholeFile(folder_.file(saveFileName)), before);
}

TEST_F(UnlockablesTest, EscapeSavesTheSwitches) {
    openScreen(10);
    clickBox(1);
    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, LevelSelect);
    EXPECT_EQ(folder_.plainSave().substr(38, 7), "0100000");
}

TEST_F(UnlockablesTest, TheNamesAreRenderedAgainOnEveryVisit) {
    openScreen(4);
    tapKey(SDLK_ESCAPE);
    tapKey(SDLK_ESCAPE);
    loadSave(record(15));
    click(300, 440);
    EXPECT_EQ(nameWidth(2), renderedWidth("Edited music"));
}

TEST_F(UnlockablesTest, TwentyThreePeachesLoadedThenTwentyFiveReachedRaiseOneNotice) {
    folder_.writeLevel(24, {"P*G"});
    folder_.writeLevel(25, {"P*G"});
    // Levels 1 to 23 taken, every level open.
    loadSave(record(23));
    EXPECT_EQ(app.save.noticesShown, 4);
    app.ui.selectedIndex = 23;
    tapKey(SDLK_RETURN);
    int raised = 0;
    bool wasActive = false;
    for (int level = 24; level <= 25; ++level) {
        pushKey(SDLK_RIGHT);
        frames(1);
        pushKey(SDLK_RIGHT, false);
        for (int i = 0; i < 240; ++i) {
            frames(1);
            if (app.ui.notice.active && !wasActive) ++raised;
            wasActive = app.ui.notice.active;
        }
        EXPECT_EQ(app.save.peachCount, level);
    }
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(app.save.noticesShown, 5);
}

TEST_F(UnlockablesTest, TheNoticeRisesRestsAndSinksAndAClickSendsItDown) {
    loadSave(record(4));
    const float dt = 1.0f / 64.0f;  // exact in binary, so five seconds are exactly 320 frames
    app.save.peachCount = 5;
    frames(1, dt);
    ASSERT_TRUE(app.ui.notice.active);
    EXPECT_EQ(app.save.noticesShown, 1);
    frames(48, dt);
    EXPECT_EQ(app.ui.notice.y, 432);
    EXPECT_EQ(app.ui.notice.state, 0);
    frames(1, dt);
    EXPECT_EQ(app.ui.notice.state, 1);
    frames(321, dt);
    EXPECT_EQ(app.ui.notice.state, 1);
    frames(1, dt);
    EXPECT_EQ(app.ui.notice.state, 2);
    frames(48, dt);
    EXPECT_TRUE(app.ui.notice.active);
    frames(1, dt);
    EXPECT_FALSE(app.ui.notice.active);

    app.save.peachCount = 10;
    frames(10);
    click(app.ui.notice.x + 100, 479);
    EXPECT_EQ(app.ui.notice.state, 2);
    EXPECT_EQ(app.save.noticesShown, 2);
}

// One decoding of each check-box file serves every record, and each still owns its copy.
TEST_F(UnlockablesTest, EveryRecordOwnsCheckBoxesAsTheAlphaLoaderMakesThem) {
    SDL_Surface* checked = loadAlphaImage(std::string(resourceFolder) + "/images/checked.img");
    ASSERT_NE(checked, nullptr);
    for (int i = 0; i < UnlockableIdCount; ++i) {
        SDL_Surface* own = app.ui.unlockables[i].checkedImage;
        ASSERT_NE(own, nullptr);
        ASSERT_NE(app.ui.unlockables[i].uncheckedImage, nullptr);
        for (int j = 0; j < i; ++j) EXPECT_NE(own, app.ui.unlockables[j].checkedImage);
        ASSERT_EQ(own->w, checked->w);
        ASSERT_EQ(own->h, checked->h);
        EXPECT_EQ(own->format->Amask, checked->format->Amask);
        for (int y = 0; y < own->h; ++y)
            EXPECT_EQ(std::memcmp(static_cast<Uint8*>(own->pixels) + y * own->pitch,
                                  static_cast<Uint8*>(checked->pixels) + y * checked->pitch, own->w * 4),
                      0);
    }
    freeSurface(checked);
}
