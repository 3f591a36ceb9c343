// The editor screen: painting and erasing with the mouse, the palette, the four
// buttons, the save-changes question, test play, and what the screen draws.
#include "app/display.h"
#include "app/input.h"
#include "app/resources.h"
#include "support/editor_flow.h"

namespace {

constexpr int WallTool = Wall - 1;
constexpr int PlayerTool = Player - 1;

class EditorTest : public EditorFlowTest {
protected:
    void SetUp() override {
        EditorFlowTest::SetUp();
        enterEditor();
    }
    void pressShift(bool down) { pushKey(SDLK_LSHIFT, down); }
    void dragLeft(int y, std::initializer_list<int> columns) {
        auto first = columns.begin();
        pushMotion(*first * 32 + 16, y);
        pushButton(SDL_BUTTON_LEFT, true);
        for (int column : columns) pushMotion(column * 32 + 16, y);
        pushButton(SDL_BUTTON_LEFT, false);
        frames(1);
    }
    bool same(SDL_Color a, SDL_Color b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
};

// --- painting ---

TEST_F(EditorTest, PlacingAPlayerMovesItRatherThanAddingOne) {
    paintCell(PlayerTool, 2, 2);
    clickCell(5, 5);
    clickCell(5, 5);
    EXPECT_EQ(count(Player), 1);
    EXPECT_EQ(cell(5, 5), Player);
    EXPECT_EQ(cell(2, 2), Empty);
}

TEST_F(EditorTest, ToolsPlaceTheirCodesInPaletteOrder) {
    for (int tool = 0; tool < toolCount; ++tool) paintCell(tool, tool % 20, tool / 20 + 3);
    for (int tool = 0; tool < toolCount; ++tool) EXPECT_EQ(cell(tool % 20, tool / 20 + 3), tool + 1) << tool;
}

TEST_F(EditorTest, ALeftDragPaintsOnlyThePressedCellUnlessShiftIsHeld) {
    selectTool(WallTool);
    dragLeft(16, {1, 2, 3});
    EXPECT_EQ(cell(1, 0), Wall);
    EXPECT_EQ(cell(2, 0), Empty);
    EXPECT_EQ(cell(3, 0), Empty);

    pressShift(true);
    dragLeft(80, {1, 2, 3});
    pressShift(false);
    EXPECT_EQ(cell(1, 2), Wall);
    EXPECT_EQ(cell(2, 2), Wall);
    EXPECT_EQ(cell(3, 2), Wall);

    // Shift without the button paints nothing.
    pressShift(true);
    pushMotion(5 * 32 + 16, 80);
    frames(1);
    EXPECT_EQ(cell(5, 2), Empty);
}

TEST_F(EditorTest, ARightClickErasesOnTheBoardOnReleaseAndARightDragErasesALine) {
    app.editor.grid.fill(Wall);
    pushMotion(3 * 32 + 16, 16);
    pushButton(SDL_BUTTON_RIGHT, true);
    frames(1);
    EXPECT_EQ(cell(3, 0), Wall) << "nothing is erased on the press";
    pushButton(SDL_BUTTON_RIGHT, false);
    frames(1);
    EXPECT_EQ(cell(3, 0), Empty);

    pushMotion(1 * 32 + 16, 48);
    pushButton(SDL_BUTTON_RIGHT, true);
    pushMotion(2 * 32 + 16, 48);
    pushMotion(3 * 32 + 16, 48);
    pushButton(SDL_BUTTON_RIGHT, false);
    frames(1);
    EXPECT_EQ(cell(1, 1), Wall) << "the press erases nothing and no motion crossed its cell";
    EXPECT_EQ(cell(2, 1), Empty);
    EXPECT_EQ(cell(3, 1), Empty);
    EXPECT_EQ(cell(4, 1), Wall);
}

TEST_F(EditorTest, RightClicksAndDragsOnThePanelEraseNothing) {
    app.editor.grid.fill(Wall);
    app.editor.savedGrid.fill(Wall);
    pushMotion(640, 16);
    pushButton(SDL_BUTTON_RIGHT, true);
    pushMotion(700, 100);
    pushMotion(799, 479);
    pushButton(SDL_BUTTON_RIGHT, false);
    frames(1);
    EXPECT_EQ(count(Wall), cellCount);
    EXPECT_FALSE(hasUnsavedChanges(app.editor));
    pushMotion(639, 479);  // the last board pixel
    pushButton(SDL_BUTTON_RIGHT, true);
    pushButton(SDL_BUTTON_RIGHT, false);
    frames(1);
    EXPECT_EQ(cell(19, 14), Empty);
}

TEST_F(EditorTest, PaintingTheCodeACellHoldsOrRestoringItByHandIsNoChange) {
    app.editor.grid[cellIndex(3, 3)] = Wall;
    app.editor.savedGrid = app.editor.grid;
    paintCell(WallTool, 3, 3);
    EXPECT_FALSE(hasUnsavedChanges(app.editor));
    paintCell(PlayerTool, 4, 4);
    EXPECT_TRUE(hasUnsavedChanges(app.editor));
    rightClickCell(4, 4);
    EXPECT_FALSE(hasUnsavedChanges(app.editor));
    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, MainMenu);
}

// --- the palette ---

TEST_F(EditorTest, AClickOnTheBorderBetweenPaletteCellsSelectsNothing) {
    selectTool(5);
    click(688, 32);  // the right edge of tool 0
    EXPECT_EQ(app.editor.currentTool, 5);
    click(704, 32);  // the left edge of tool 1
    EXPECT_EQ(app.editor.currentTool, 5);
    click(687, 32);
    EXPECT_EQ(app.editor.currentTool, 0);
    click(705, 17);
    EXPECT_EQ(app.editor.currentTool, 1);
    click(783, 335);  // the last tool's far corner, just inside
    EXPECT_EQ(app.editor.currentTool, 20);
    click(770, 352);  // below the last row
    EXPECT_EQ(app.editor.currentTool, 20);
}

// --- leaving and the save-changes question ---

TEST_F(EditorTest, EscapeAfterAnEditAsksAndNoLeavesForTheMenuWithAnEmptyBoard) {
    paintCell(WallTool, 1, 1);
    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, SaveChangesDialog);
    EXPECT_TRUE(app.editor.leavingEditor);
    answerRight();
    EXPECT_EQ(app.screen, MainMenu);
    EXPECT_EQ(displayWidth(), 640);
    EXPECT_EQ(count(Wall), 0);
    EXPECT_FALSE(app.editor.leavingEditor);
}

TEST_F(EditorTest, NewWithChangesAndNoGivesAnEmptyBoardInTheEditor) {
    paintCell(WallTool, 1, 1);
    pressNew();
    EXPECT_EQ(app.screen, SaveChangesDialog);
    EXPECT_FALSE(app.editor.leavingEditor);
    answerRight();
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(displayWidth(), 800);
    EXPECT_EQ(count(Wall), 0);
}

TEST_F(EditorTest, NewWithoutChangesClearsTheNames) {
    app.editor.loadedName = "castle.map";
    app.editor.levelName = "castle";
    pressNew();
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(app.editor.loadedName, "");
    EXPECT_EQ(app.editor.levelName, "");
}

TEST_F(EditorTest, TheCloseButtonStaysInTheEditorAndForgetsTheLeaving) {
    paintCell(WallTool, 1, 1);
    tapKey(SDLK_ESCAPE);
    pressClose();
    EXPECT_EQ(app.screen, Editor);
    EXPECT_FALSE(app.editor.leavingEditor);
    EXPECT_EQ(cell(1, 1), Wall);
    pressNew();
    answerRight();
    EXPECT_EQ(app.screen, Editor) << "a forgotten leave does not come back with New";
}

TEST_F(EditorTest, YesWithALoadedNameWritesTheMapThenLeaves) {
    makeMapsFolder();
    app.editor.loadedName = "castle.map";
    paintCell(WallTool, 1, 1);
    LevelGrid painted = app.editor.grid;
    tapKey(SDLK_ESCAPE);
    answerLeft();
    EXPECT_EQ(readWholeFile(mapPath("castle.map")), mapText(painted));
    EXPECT_EQ(app.screen, MainMenu);
    EXPECT_EQ(displayWidth(), 640);
    EXPECT_EQ(app.editor.loadedName, "");
}

TEST_F(EditorTest, YesWithALoadedNameAfterNewClearsTheBoardAndStays) {
    makeMapsFolder();
    app.editor.loadedName = "castle.map";
    paintCell(WallTool, 1, 1);
    pressNew();
    answerLeft();
    EXPECT_TRUE(exists("castle.map"));
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(count(Wall), 0);
}

TEST_F(EditorTest, YesWithoutANameAsksForOneAndSavingThenLeaves) {
    paintCell(WallTool, 1, 1);
    tapKey(SDLK_ESCAPE);
    SDL_Surface* snapshot = resources.screenSnapshot;
    answerLeft();
    EXPECT_EQ(app.screen, LevelNameDialog);
    EXPECT_EQ(resources.screenSnapshot, snapshot);
    typeText("first");
    answerLeft();
    EXPECT_TRUE(exists("first.map"));
    EXPECT_EQ(app.screen, MainMenu);
    EXPECT_EQ(displayWidth(), 640);
}

TEST_F(EditorTest, AFailedWriteKeepsTheBoardAndItsUnsavedChanges) {
    makeMapsFolder();
    app.editor.loadedName = "castle.map";
    mkdir(mapPath("castle.map.tmp").c_str(), 0755);  // the write cannot make its temporary file
    paintCell(WallTool, 1, 1);
    tapKey(SDLK_ESCAPE);
    answerLeft();
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(cell(1, 1), Wall);
    EXPECT_TRUE(hasUnsavedChanges(app.editor));
    EXPECT_FALSE(app.editor.leavingEditor);
}

TEST_F(EditorTest, SaveOffersTheLoadedNameUpToSeventeenCharacters) {
    app.editor.loadedName = "seventeen_cs.map";  // 16
    pressSave();
    EXPECT_EQ(app.editor.levelName, "seventeen_cs.map");
    answerRight();
    app.editor.loadedName = "seventeen_chs.map";  // 17
    pressSave();
    EXPECT_EQ(app.editor.levelName, "seventeen_chs.map");
    answerRight();
    app.editor.loadedName = "eighteen_chars.map";  // 18
    pressSave();
    EXPECT_EQ(app.editor.levelName, "");
    EXPECT_EQ(app.screen, LevelNameDialog);
}

// --- test play ---

TEST_F(EditorTest, PlayWithoutAPlayerAsksForOne) {
    paintCell(WallTool, 1, 1);
    pressPlay();
    EXPECT_EQ(app.screen, NoPlayerDialog);
    answerOk();
    EXPECT_EQ(app.screen, Editor);
}

TEST_F(EditorTest, PlayWritesTheTestMapAndEscapeComesBackToTheSameBoard) {
    paintCell(PlayerTool, 2, 2);
    paintCell(WallTool, 6, 2);
    LevelGrid board = app.editor.grid;
    pressPlay();
    EXPECT_EQ(app.screen, TestPlay);
    EXPECT_EQ(displayWidth(), 640);
    EXPECT_EQ(readWholeFile(folder_.file("temp.map")), mapText(board));
    EXPECT_EQ(app.play.player.x, 64);
    EXPECT_EQ(app.play[Wall].size(), 1u);

    app.play.keysHeld = 2;
    app.play.dying = true;
    frames(10);  // the player fades into a hole
    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(displayWidth(), 800);
    EXPECT_TRUE(app.play[Wall].empty());
    EXPECT_EQ(app.play.player.alpha, 255);
    EXPECT_FALSE(app.play.dying);
    EXPECT_TRUE(app.play.movementEnabled);
    EXPECT_EQ(app.play.keysHeld, 0);
    EXPECT_EQ(app.editor.grid, board);
}

TEST_F(EditorTest, ReachingTheGoalInTestPlayReturnsToTheEditor) {
    paintCell(PlayerTool, 2, 2);
    paintCell(Goal - 1, 5, 2);
    paintCell(WallTool, 8, 2);
    LevelGrid board = app.editor.grid;
    pressPlay();
    pushKey(SDLK_RIGHT);
    for (int i = 0; i < 120 && app.screen == TestPlay; ++i) frames(1);
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(displayWidth(), 800);
    EXPECT_EQ(app.editor.grid, board);
}

TEST_F(EditorTest, AnEnemyDeathLeftByEscapeDoesNotRestartTheNextTestPlay) {
    paintCell(PlayerTool, 2, 2);
    paintCell(WallTool, 8, 2);
    pressPlay();
    app.play.movementEnabled = false;
    app.play.deathDelay.running = true;  // as an enemy's touch leaves it
    tapKey(SDLK_ESCAPE);
    pressPlay();
    pushKey(SDLK_RIGHT);
    frames(90);  // past the death delay
    EXPECT_EQ(app.play.player.x, 7 * 32) << "the player still stands at the wall";
}

class FullScreenEditorTest : public EditorFlowTest {
protected:
    FullScreenEditorTest() { writeWholeFile(folder_.file("settings.set"), "w=0\ns=1\n"); }
    // The screen is the desktop's size; the game's picture is the width it draws.
    void expectFullScreen(int width) {
        SDL_Surface* screen = SDL_GetVideoSurface();
        ASSERT_NE(screen, nullptr);
        ASSERT_NE(displaySurface, nullptr);
        EXPECT_EQ(displaySurface->w, width);
        EXPECT_TRUE(screen->flags & SDL_FULLSCREEN) << "screen " << app.screen;
    }
};

TEST_F(FullScreenEditorTest, EveryDisplayChangeKeepsFullScreen) {
    expectFullScreen(640);
    enterEditor();
    expectFullScreen(800);
    paintCell(PlayerTool, 2, 2);
    paintCell(Goal - 1, 5, 2);
    pressPlay();
    expectFullScreen(640);
    tapKey(SDLK_ESCAPE);
    expectFullScreen(800);
    pressPlay();
    pushKey(SDLK_RIGHT);
    for (int i = 0; i < 120 && app.screen == TestPlay; ++i) frames(1);
    ASSERT_EQ(app.screen, Editor);
    expectFullScreen(800);
    tapKey(SDLK_ESCAPE);
    answerRight();
    ASSERT_EQ(app.screen, MainMenu);
    expectFullScreen(640);
}

// --- help ---

TEST(EditorHelp, TheEditorAndItsDialogsOpenTheEditorsPage) {
    std::string page = "help/files/level-editor.html";
    EXPECT_EQ(helpPageFor(Editor), page);
    for (int dialog = NoSavedGameDialog; dialog <= NoPlayerDialog; ++dialog)
        EXPECT_EQ(helpPageFor(static_cast<ScreenId>(dialog)), page) << dialog;
    EXPECT_EQ(helpPageFor(TestPlay), std::string("help/index.html"));
    EXPECT_EQ(helpPageFor(GameWonDialog), std::string("help/index.html"));
    EXPECT_FALSE(readWholeFile(std::string(GAME_DIR) + "/" + page).empty());
}

// --- drawing ---

TEST_F(EditorTest, TheBoardIsACheckerboardBesideAGreyPanel) {
    pushMotion(700, 470);
    frames(1);
    auto grey = [&](int x, int y) { return pixel(x, y).r; };
    EXPECT_EQ(grey(5, 5), 255);
    EXPECT_EQ(grey(5, 37), 238);
    EXPECT_EQ(grey(37, 5), 238) << "the count runs on into the next column";
    EXPECT_EQ(grey(37, 37), 255);
    EXPECT_EQ(grey(645, 5), 128);
    EXPECT_EQ(grey(700, 360), 64);
    EXPECT_EQ(grey(700, 361), 128);
}

TEST_F(EditorTest, TheToolPreviewFollowsThePointerOnlyOverTheBoard) {
    selectTool(WallTool);
    SDL_Color paletteWall = pixel(paletteRects[WallTool].x + 10, paletteRects[WallTool].y + 10);
    pushMotion(100, 100);
    frames(1);
    EXPECT_TRUE(same(pixel(96 + 10, 96 + 10), paletteWall));
    pushMotion(640, 100);
    frames(1);
    EXPECT_EQ(pixel(96 + 10, 96 + 10).r, 255);
    EXPECT_EQ(cell(3, 3), Empty);
}

TEST_F(EditorTest, SpeedTilesStandStillOnTheirFirstFrame) {
    pushMotion(700, 470);
    paintCell(SpeedLeft - 1, 4, 4);
    const SDL_Rect& palette = paletteRects[SpeedLeft - 1];
    for (float phase : {0.0f, 2.5f, 4.5f}) {
        app.play.animPhase = phase;
        frames(1);
        for (int d : {4, 12, 20, 28})
            EXPECT_TRUE(same(pixel(128 + d, 128 + d), pixel(palette.x + d, palette.y + d))) << phase << " " << d;
    }
}

TEST_F(EditorTest, AnUnknownCodeDrawsNothingButStaysInTheGrid) {
    app.editor.grid[cellIndex(0, 0)] = 22;
    pushMotion(700, 470);
    frames(1);
    EXPECT_EQ(pixel(10, 10).r, 255);
    EXPECT_EQ(cell(0, 0), 22);
}

TEST_F(EditorTest, ThePlayerLooksWholeAfterATestPlayLeftWhileItFaded) {
    pushMotion(700, 470);
    frames(1);
    const SDL_Rect& palette = paletteRects[PlayerTool];
    SDL_Color before = pixel(palette.x + 16, palette.y + 16);
    paintCell(PlayerTool, 2, 2);
    pressPlay();
    app.play.dying = true;
    frames(20);
    tapKey(SDLK_ESCAPE);
    pushMotion(700, 470);
    frames(1);
    EXPECT_TRUE(same(pixel(palette.x + 16, palette.y + 16), before));
}

}  // namespace
