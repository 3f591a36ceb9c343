// Dialog buttons, the darkened snapshot, the name input and the sliding notice.
#include "ui/dialogs.h"
#include "app/display.h"
#include "app/resources.h"
#include "app/screens.h"
#include "game/board_draw.h"
#include "level/map_file.h"
#include "support/board_sketch.h"
#include "support/test_support.h"

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

// Sanitized builds cannot compare the rows' addresses at compile time, so the table is checked here.
TEST(ScreenTable, ExactlyTheDialogsAnswerWithTheirButtons) {
    for (int id = 0; id < screenCount; ++id) {
        ScreenId screen = static_cast<ScreenId>(id);
        EXPECT_EQ(screenFor(screen).answers != nullptr, isDialog(screen)) << id;
    }
}

TEST_F(DialogTest, APointerOnAButtonsEdgeNeitherChoosesNorClicks) {
    openDialog(app, OverwriteSaveDialog);  // Yes spans x 202 to 302 and y 256 to 288, edges excluded
    for (auto [x, y] : {std::pair{202, 270}, {302, 270}, {250, 256}, {250, 288}}) {
        click(x, y);
        EXPECT_EQ(chosenDialogButton(app), RightButton) << x << "," << y;
        EXPECT_EQ(app.screen, OverwriteSaveDialog) << x << "," << y;
    }
    pushMotion(301, 287);
    frames(1);
    EXPECT_EQ(chosenDialogButton(app), LeftButton);
    pushMotion(400, 400);  // the choice stays for Return when the pointer leaves
    frames(1);
    EXPECT_EQ(chosenDialogButton(app), LeftButton);
    click(203, 257);
    EXPECT_EQ(app.screen, LevelSelect);
}

struct DialogKeyCase {
    const char* name;
    ScreenId dialog;
    ScreenId afterReturn;     // the default button
    ScreenId afterEscape;     // the cancelling or closing button
    ScreenId afterTabReturn;  // the other button, where there is one
};

class DialogKeyTest : public DialogTest, public ::testing::WithParamInterface<DialogKeyCase> {
protected:
    void answerWith(std::initializer_list<SDLKey> keys) {
        app.screen = MainMenu;
        openDialog(app, GetParam().dialog);
        for (SDLKey key : keys) tapKey(key);
    }
};

TEST_P(DialogKeyTest, ReturnPressesTheDefaultButtonEscapeTheCancellingOneAndTabTheOther) {
    const DialogKeyCase& c = GetParam();
    answerWith({SDLK_RETURN});
    EXPECT_EQ(app.screen, c.afterReturn);
    answerWith({SDLK_ESCAPE});
    EXPECT_EQ(app.screen, c.afterEscape);
    EXPECT_TRUE(app.running);
    answerWith({SDLK_TAB, SDLK_RETURN});
    EXPECT_EQ(app.screen, c.afterTabReturn);
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogKeyTest,
    ::testing::Values(DialogKeyCase{"NoSavedGameOk", NoSavedGameDialog, MainMenu, MainMenu, MainMenu},
                      DialogKeyCase{"OverwriteSaveNo", OverwriteSaveDialog, MainMenu, MainMenu, LevelSelect},
                      DialogKeyCase{"GameWonOk", GameWonDialog, LevelSelect, LevelSelect, LevelSelect},
                      DialogKeyCase{"SaveChangesYesOrClose", SaveChangesDialog, LevelNameDialog, Editor, Editor},
                      DialogKeyCase{"DeleteFileNo", DeleteFileDialog, FileBrowser, FileBrowser, Editor},
                      DialogKeyCase{"FileBrowserOpen", FileBrowser, FileBrowser, Editor, Editor},
                      DialogKeyCase{"NoMapsOk", NoMapsDialog, Editor, Editor, Editor},
                      DialogKeyCase{"NoPlayerOk", NoPlayerDialog, Editor, Editor, Editor}),
    [](const ::testing::TestParamInfo<DialogKeyCase>& info) { return std::string(info.param.name); });

TEST_F(DialogTest, LeftAndRightChooseTheEndsAndADialogOpensAgainOnItsDefault) {
    openDialog(app, OverwriteSaveDialog);
    tapKey(SDLK_LEFT);
    tapKey(SDLK_LEFT);
    EXPECT_EQ(chosenDialogButton(app), LeftButton);
    tapKey(SDLK_RIGHT);
    tapKey(SDLK_RIGHT);
    EXPECT_EQ(chosenDialogButton(app), RightButton);
    tapKey(SDLK_LEFT);
    tapKey(SDLK_ESCAPE);
    ASSERT_EQ(app.screen, MainMenu);
    openDialog(app, OverwriteSaveDialog);
    EXPECT_EQ(chosenDialogButton(app), RightButton);
}

TEST_F(DialogTest, TheWindowKeysWorkInADialogAndKeepItsBackdrop) {
    openNoSavedGame();
    frames(1);
    SDL_Color before = pixel(5, 5);
    pushKey(SDLK_F11);
    frames(1);
    EXPECT_FALSE(app.windowed);
    EXPECT_EQ(app.screen, NoSavedGameDialog);
    SDL_Color after = pixel(5, 5);
    EXPECT_EQ(std::tuple(after.r, after.g, after.b), std::tuple(before.r, before.g, before.b));
    pushKey(SDLK_RETURN, true, 13, KMOD_LALT);
    frames(1);
    EXPECT_TRUE(app.windowed);
    EXPECT_EQ(app.screen, NoSavedGameDialog) << "Alt+Return is no Return";
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

struct BackdropCase {
    const char* name;
    ScreenId dialog;
    int width;
    SDL_Rect box;  // where the dialog's own drawing lies
};

class DialogBackdropTest : public DialogTest, public ::testing::WithParamInterface<BackdropCase> {
protected:
    SDL_Surface* copyOfDisplay() const {
        return SDL_ConvertSurface(displaySurface, displaySurface->format, displaySurface->flags);
    }
    // Pixels outside the box that differ between the display and `other`.
    int differingPixels(SDL_Surface* other, const SDL_Rect& box) const {
        int differing = 0;
        for (int y = 0; y < displaySurface->h; ++y)
            for (int x = 0; x < displaySurface->w; ++x) {
                if (x >= box.x && x < box.x + box.w && y >= box.y && y < box.y + box.h) continue;
                SDL_Color want = colourAt(other, x, y), got = pixel(x, y);
                differing += want.r != got.r || want.g != got.g || want.b != got.b;
            }
        return differing;
    }
    static SDL_Color colourAt(SDL_Surface* surface, int x, int y) {
        Uint32 value = static_cast<Uint32*>(surface->pixels)[y * surface->pitch / 4 + x];
        SDL_Color colour{};
        SDL_GetRGB(value, surface->format, &colour.r, &colour.g, &colour.b);
        return colour;
    }
};

// The dim layer blended over the whole backdrop every frame is what a dialog must
// look like: black at alpha 200 over the snapshot and what the board drew over it.
TEST_P(DialogBackdropTest, LooksAsTheDimLayerBlendedOverTheBoardDrawnOnTheSnapshot) {
    const BackdropCase& c = GetParam();
    setDisplayMode(c.width, 480, windowFlags);
    frames(1);
    openDialog(app, c.dialog);
    // Laid out after the snapshot, so the board draws over it where it has tiles.
    loadGrid(app, sketchGrid({"#.#", "", "..H.....#", "", "..I"}));
    emitBurst(app.particles, 300, 120, 6, image(Img::red_particle));
    SDL_Surface* dimLayer = c.width == 800 ? resources.dimLayer800 : resources.dimLayer640;
    for (int frame = 0; frame < 3; ++frame) {
        frames(1);
        drawBoard(app);
        SDL_Surface* expected = copyOfDisplay();
        ASSERT_GT(differingPixels(resources.screenSnapshot, c.box), 1000) << "the board drew over the snapshot";
        SDL_BlitSurface(dimLayer, nullptr, expected, nullptr);
        drawBoard(app);
        drawDialog(app);
        EXPECT_EQ(differingPixels(expected, c.box), 0) << "frame " << frame;
        SDL_FreeSurface(expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, DialogBackdropTest,
                         ::testing::Values(BackdropCase{"NoSavedGame", NoSavedGameDialog, 640, {162, 176, 316, 128}},
                                           BackdropCase{"NoPlayer", NoPlayerDialog, 800, {242, 176, 316, 128}}),
                         [](const ::testing::TestParamInfo<BackdropCase>& info) {
                             return std::string(info.param.name);
                         });

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

    // The keys go to the name, F1 too; Tab and the arrows choose a button and type nothing.
    type(0, SDLK_F1);
    type(9, SDLK_TAB);
    type(0, SDLK_LEFT);
    EXPECT_EQ(app.editor.levelName, "x ~");
    EXPECT_EQ(app.screen, LevelNameDialog);
    app.editor.levelName.clear();
    type(8, SDLK_BACKSPACE);
    EXPECT_EQ(app.editor.levelName, "");
    type(27, SDLK_ESCAPE);
    EXPECT_EQ(app.screen, Editor);
    EXPECT_TRUE(app.running);
}

// Dialogs drawn with solid stand-ins for their images.
class DialogDrawTest : public StandInGameTest {
protected:
    void show(ScreenId dialog, int width) {
        setDisplayMode(width, 480, windowFlags);
        app.screen = dialog;
        frames(1);
    }
};

struct BoxCase {
    const char* name;
    ScreenId dialog;
    int width;
    int boxX;
};

class DialogBoxTest : public DialogDrawTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(DialogBoxTest, TheBoxSitsAtItsCorner) {
    show(GetParam().dialog, GetParam().width);
    int x = GetParam().boxX;
    EXPECT_TRUE(shows(x, 176, Img::dialogbox));
    EXPECT_FALSE(shows(x - 1, 176, Img::dialogbox));
    EXPECT_FALSE(shows(x, 175, Img::dialogbox));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogBoxTest,
                         ::testing::Values(BoxCase{"NoSavedGame", NoSavedGameDialog, 640, 162},
                                           BoxCase{"OverwriteSave", OverwriteSaveDialog, 640, 162},
                                           BoxCase{"GameWon", GameWonDialog, 640, 162},
                                           BoxCase{"LevelName", LevelNameDialog, 800, 250},
                                           BoxCase{"SaveChanges", SaveChangesDialog, 800, 242},
                                           BoxCase{"UnsavedChanges", UnsavedChangesDialog, 800, 242},
                                           BoxCase{"DeleteFile", DeleteFileDialog, 800, 242},
                                           BoxCase{"NoMaps", NoMapsDialog, 800, 242},
                                           BoxCase{"OverwriteLevel", OverwriteLevelDialog, 800, 242},
                                           BoxCase{"NoPlayer", NoPlayerDialog, 800, 242}),
                         [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

TEST_F(DialogDrawTest, TheGameWonHintShowsWhileAPeachIsMissing) {
    SDL_Color hint = {7, 77, 177, 0};
    SDL_Surface* line = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(line, nullptr, SDL_MapRGB(line->format, hint.r, hint.g, hint.b));
    resources.texts[Txt::peachHintText] = line;  // released with the program
    app.save.peachCount = 34;
    show(GameWonDialog, 640);
    EXPECT_TRUE(shows(178, 224, hint));
    EXPECT_FALSE(shows(177, 224, hint));
    app.save.peachCount = 35;
    frames(1);
    EXPECT_FALSE(shows(178, 224, hint));
}

TEST_F(DialogDrawTest, TheChosenButtonHasTheWhiteCaption) {
    SDL_Color black = {1, 2, 3, 0}, white = {251, 252, 253, 0};
    auto solid = [&](SDL_Color colour) {
        SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, colour.r, colour.g, colour.b));
        return surface;  // released with the program
    };
    for (int yesOrNo : {1, 2}) {
        app.ui.dialogButtons[yesOrNo].label = solid(black);
        app.ui.dialogButtons[yesOrNo].chosenLabel = solid(white);
    }
    show(OverwriteSaveDialog, 640);  // the captions of Yes and No begin at x 241 and 372, y 265
    EXPECT_TRUE(shows(372, 265, white));
    EXPECT_TRUE(shows(241, 265, black));
    pushKey(SDLK_TAB);
    frames(1);
    EXPECT_TRUE(shows(372, 265, black));
    EXPECT_TRUE(shows(241, 265, white));
}

TEST_F(DialogDrawTest, TheCloseButtonLightsUpOnlyWithThePointerInside) {
    show(SaveChangesDialog, 800);
    for (auto [x, y, inside] : {std::tuple{539, 193, true}, {531, 193, false}, {539, 187, false}, {546, 198, true}}) {
        pushMotion(x, y);
        frames(1);
        EXPECT_TRUE(shows(533, 189, inside ? Img::close_hover : Img::close)) << x << "," << y;
    }
}
