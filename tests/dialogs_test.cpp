// Dialog buttons, the darkened snapshot, the name input and the sliding notice.
#include "app/display.h"
#include "app/resources.h"
#include "support/test_support.h"
#include "ui/dialogs.h"

namespace {

class DialogTest : public GameTest {
protected:
    void openNoSavedGame() {
        app.ui.menuSelection = 1;
        tapKey(SDLK_RETURN);
        ASSERT_EQ(app.screen, NoSavedGameDialog);
    }
    void type(Uint16 c, SDLKey key = SDLK_UNKNOWN) {
        pushKey(key, true, c);
        frames(1);
    }
};

}  // namespace

TEST_F(DialogTest, APointerOnAButtonsEdgeNeitherHoversNorClicks) {
    openNoSavedGame();  // Ok spans x 270 to 370 and y 256 to 288, edges excluded
    const DialogButton& ok = app.ui.dialogButtons[0];
    for (auto [x, y] : {std::pair{270, 270}, {370, 270}, {300, 256}, {300, 288}}) {
        click(x, y);
        EXPECT_FALSE(ok.hovered) << x << "," << y;
        EXPECT_EQ(app.screen, NoSavedGameDialog) << x << "," << y;
    }
    pushMotion(369, 287);
    frames(1);
    EXPECT_TRUE(ok.hovered);
    click(271, 257);
    EXPECT_EQ(app.screen, MainMenu);
}

TEST_F(DialogTest, ReturnAndEscapeDoNothingInADialog) {
    openNoSavedGame();
    tapKey(SDLK_RETURN);
    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, NoSavedGameDialog);
    EXPECT_TRUE(app.running);
}

TEST_F(DialogTest, IsDrawnOverTheSnapshotDarkened) {
    frames(1);
    SDL_Color before = pixel(5, 5);
    openNoSavedGame();
    SDL_Color dimmed = pixel(5, 5);
    // Black at alpha 200 leaves 55 / 255 of the colour.
    EXPECT_NEAR(dimmed.r, before.r * 55 / 255, 2);
    EXPECT_NEAR(dimmed.g, before.g * 55 / 255, 2);
}

TEST_F(DialogTest, ADialogOpenedFromADialogKeepsTheFirstSnapshot) {
    openNoSavedGame();
    SDL_Surface* first = resources.screenSnapshot;
    openDialog(app, GameWonDialog);
    EXPECT_EQ(resources.screenSnapshot, first);
}

TEST_F(DialogTest, TheNameTakesSeventeenAllowedCharactersAndBackspace) {
    openLevelNameDialog(app, "");
    for (int i = 0; i < 17; ++i) type('a' + i);
    EXPECT_EQ(app.editor.levelName, "abcdefghijklmnopq");
    type('r');
    EXPECT_EQ(app.editor.levelName, "abcdefghijklmnopq");
    type(8, SDLK_BACKSPACE);
    EXPECT_EQ(app.editor.levelName, "abcdefghijklmnop");

    app.editor.levelName = "x";
    for (char c : std::string("\"*/:<>?\\|")) type(static_cast<Uint8>(c));
    type(127);
    type(31);
    EXPECT_EQ(app.editor.levelName, "x");
    type(' ');
    type('~');
    EXPECT_EQ(app.editor.levelName, "x ~");

    // Every key goes to the name: Escape and F1 neither leave nor open anything.
    type(27, SDLK_ESCAPE);
    type(0, SDLK_F1);
    EXPECT_EQ(app.screen, LevelNameDialog);
    EXPECT_TRUE(app.running);
    app.editor.levelName.clear();
    type(8, SDLK_BACKSPACE);
    EXPECT_EQ(app.editor.levelName, "");
}
