// The map files of the editor: listing them, scrolling and selecting, opening,
// saving under a typed name with the overwrite question, and deleting.
#include "editor/map_browser.h"
#include "app/resources.h"
#include "support/editor_flow.h"

namespace {

class MapBrowserTest : public EditorFlowTest {
protected:
    void SetUp() override {
        EditorFlowTest::SetUp();
        enterEditor();
    }
    // Files "m00.map", "m01.map", ... in the maps folder.
    void writeNumberedMaps(int n) {
        for (int i = 0; i < n; ++i) writeMapFile("m" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".map");
    }
    const std::vector<std::string>& names() const { return app.editor.browser.mapNames; }
    int selected() const { return app.editor.browser.selectedMap; }
    int first() const { return app.editor.browser.firstVisible; }
    void wheel(Uint8 button) {
        pushButton(button, true);
        pushButton(button, false);
        frames(1);
    }
    // A left press on list row k of the visible page.
    void clickRow(int k) { click(300, 141 + 16 * k + 8); }
    void openWith(const std::string& name, const std::string& text) {
        writeMapFile(name, text);
        pressLoad();
        ASSERT_EQ(app.screen, FileBrowser);
        auto at = std::find(names().begin(), names().end(), name);
        ASSERT_NE(at, names().end());
        app.editor.browser.selectedMap = static_cast<int>(at - names().begin());
        pressOpen();
        ASSERT_EQ(app.screen, Editor);
    }
};

// --- the list ---

TEST_F(MapBrowserTest, ListsOnlyMapFilesSpelledAsOnDisk) {
    writeMapFile("Level.MAP");
    writeMapFile("notes.txt");
    writeMapFile("a.map.bak");
    mkdir(mapPath("folder.map").c_str(), 0755);
    pressLoad();
    EXPECT_EQ(app.screen, FileBrowser);
    EXPECT_EQ(names(), std::vector<std::string>{"Level.MAP"});
    EXPECT_EQ(resources.mapLabels.size(), 1u);
}

TEST_F(MapBrowserTest, ListsAfreshAtEveryOpeningAndKeepsOneLabelPerName) {
    writeNumberedMaps(3);
    pressLoad();
    pressCancel();
    EXPECT_EQ(app.screen, Editor);
    writeMapFile("extra.map");
    pressLoad();
    EXPECT_EQ(names().size(), 4u);
    EXPECT_EQ(resources.mapLabels.size(), 4u);
}

TEST_F(MapBrowserTest, AMissingOrEmptyFolderShowsNoMapsAndOkReturns) {
    pressLoad();
    EXPECT_EQ(app.screen, NoMapsDialog);
    answerOk();
    EXPECT_EQ(app.screen, Editor);
    makeMapsFolder();
    pressLoad();
    EXPECT_EQ(app.screen, NoMapsDialog);
}

TEST(MapDisplayName, ShowsSixteenCharactersWholeAndShortensLongerNames) {
    EXPECT_EQ(displayName("sixteen_cha.map"), "sixteen_cha.map");
    EXPECT_EQ(displayName("sixteen_char.map"), "sixteen_char.map");
    EXPECT_EQ(displayName("abcdefghijklmn.map"), "abcdefghijkl...map");
    EXPECT_EQ(displayName("seventeen_ch.map2"), "seventeen_ch..map2");
}

TEST_F(MapBrowserTest, ElevenEntriesDoNotScrollAndTwelveScrollOneStep) {
    writeNumberedMaps(11);
    pressLoad();
    wheel(SDL_BUTTON_WHEELDOWN);
    click(506, 306);  // the down button
    EXPECT_EQ(first(), 0);
    pressCancel();

    writeMapFile("m11.map");
    pressLoad();
    wheel(SDL_BUTTON_WHEELDOWN);
    EXPECT_EQ(first(), 1);
    wheel(SDL_BUTTON_WHEELDOWN);
    click(506, 306);
    EXPECT_EQ(first(), 1) << "the last page shows the last eleven entries";
    wheel(SDL_BUTTON_WHEELUP);
    EXPECT_EQ(first(), 0);
    click(506, 306);
    EXPECT_EQ(first(), 1);
    click(506, 149);  // the up button
    EXPECT_EQ(first(), 0);
    click(506, 149);
    EXPECT_EQ(first(), 0);
}

TEST_F(MapBrowserTest, AClickSelectsTheRowUnderItOnThePageShown) {
    writeNumberedMaps(12);
    pressLoad();
    wheel(SDL_BUTTON_WHEELDOWN);
    clickRow(3);
    EXPECT_EQ(selected(), 4);
    click(286, 141 + 16 * 10 + 1);
    EXPECT_EQ(selected(), 11);
    click(285, 142);  // left of the list area
    click(488, 142);  // right of it
    click(300, 141);  // on its top edge
    EXPECT_EQ(selected(), 11);
    click(487, 142);
    EXPECT_EQ(selected(), 1);
}

TEST_F(MapBrowserTest, AClickBelowTheLastEntryOfAShortListKeepsTheSelection) {
    writeNumberedMaps(3);
    pressLoad();
    clickRow(1);
    EXPECT_EQ(selected(), 1);
    click(300, 141 + 16 * 3);
    EXPECT_EQ(selected(), 1);
    click(300, 141 + 16 * 3 - 1);
    EXPECT_EQ(selected(), 2);
}

TEST_F(MapBrowserTest, TheKeysMoveTheSelectionTurnThePageAndOpen) {
    writeNumberedMaps(30);
    pressLoad();
    tapKey(SDLK_UP);
    EXPECT_EQ(selected(), 0);
    for (int i = 0; i < 11; ++i) tapKey(SDLK_DOWN);
    EXPECT_EQ(std::pair(selected(), first()), std::pair(11, 1));
    tapKey(SDLK_PAGEDOWN);
    EXPECT_EQ(std::pair(selected(), first()), std::pair(22, 12));
    tapKey(SDLK_PAGEDOWN);
    EXPECT_EQ(std::pair(selected(), first()), std::pair(29, 19));
    tapKey(SDLK_PAGEUP);
    EXPECT_EQ(std::pair(selected(), first()), std::pair(18, 8));
    std::string chosen = names()[18];
    tapKey(SDLK_RETURN);
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(app.editor.loadedName, chosen);
    pressLoad();
    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, Editor);
}

TEST_F(MapBrowserTest, DeleteThenReturnKeepsTheFileAndTheOtherButtonDeletesIt) {
    writeNumberedMaps(2);
    pressLoad();
    std::string doomed = names()[0];
    tapKey(SDLK_DELETE);
    ASSERT_EQ(app.screen, DeleteFileDialog);
    tapKey(SDLK_RETURN);
    EXPECT_EQ(app.screen, FileBrowser);
    EXPECT_TRUE(exists(doomed));
    tapKey(SDLK_DELETE);
    tapKey(SDLK_LEFT);
    tapKey(SDLK_RETURN);
    EXPECT_FALSE(exists(doomed));
}

TEST_F(MapBrowserTest, ReturnKeepsTheBoardOverUnsavedChangesAndTheFileOverAnOverwrite) {
    writeMapFile("kept.map", "x");
    paintCell(1, 2, 2);
    LevelGrid painted = app.editor.grid;
    pressLoad();
    tapKey(SDLK_RETURN);
    ASSERT_EQ(app.screen, UnsavedChangesDialog);
    tapKey(SDLK_RETURN);
    EXPECT_EQ(app.editor.grid, painted);
    pressSave();
    app.editor.levelName.clear();
    typeText("kept");
    tapKey(SDLK_RETURN);
    ASSERT_EQ(app.screen, OverwriteLevelDialog);
    tapKey(SDLK_RETURN);
    EXPECT_EQ(readWholeFile(mapPath("kept.map")), "x");
}

TEST_F(MapBrowserTest, SelectionAndPageAreKeptBetweenOpenings) {
    writeNumberedMaps(14);
    pressLoad();
    wheel(SDL_BUTTON_WHEELDOWN);
    wheel(SDL_BUTTON_WHEELDOWN);
    clickRow(3);
    pressCancel();
    pressLoad();
    EXPECT_EQ(first(), 2);
    EXPECT_EQ(selected(), 5);
}

TEST_F(MapBrowserTest, ASelectionPastTheEndOfAShorterListOpensAndDeletesNothing) {
    writeNumberedMaps(14);
    pressLoad();
    for (int i = 0; i < 3; ++i) wheel(SDL_BUTTON_WHEELDOWN);
    clickRow(10);
    EXPECT_EQ(selected(), 13);
    pressCancel();
    for (int i = 3; i < 14; ++i) std::remove(mapPath(names()[i]).c_str());

    pressLoad();
    EXPECT_EQ(first(), 0) << "the page moves back onto the shorter list";
    pressOpen();
    EXPECT_EQ(app.screen, FileBrowser);
    EXPECT_EQ(app.editor.loadedName, "");
    tapKey(SDLK_DELETE);
    EXPECT_EQ(app.screen, FileBrowser);
    EXPECT_EQ(names().size(), 3u);
}

// --- opening ---

TEST_F(MapBrowserTest, OpeningReadsTheFileAndEscapeThenGoesStraightToTheMenu) {
    LevelGrid castle = sketchGrid({"####", "#P.G", "####"});
    app.editor.levelName = "typed";
    openWith("castle.map", mapText(castle));
    EXPECT_EQ(app.editor.grid, castle);
    EXPECT_EQ(app.editor.loadedName, "castle.map");
    EXPECT_EQ(app.editor.levelName, "typed");
    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, MainMenu);
}

TEST_F(MapBrowserTest, OpeningOverUnsavedChangesAsksAndCancelKeepsTheBoard) {
    writeMapFile("castle.map", mapText(sketchGrid({"####"})));
    paintCell(0, 9, 9);
    LevelGrid painted = app.editor.grid;
    pressLoad();
    pressOpen();
    EXPECT_EQ(app.screen, UnsavedChangesDialog);
    answerRight();
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(app.editor.grid, painted);

    pressLoad();
    pressOpen();
    answerLeft();
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(count(Wall), 4);
    EXPECT_EQ(count(Player), 0);
    EXPECT_FALSE(hasUnsavedChanges(app.editor));
}

TEST_F(MapBrowserTest, AFileThatVanishedOpensAsAnEmptyBoard) {
    writeMapFile("gone.map", mapText(sketchGrid({"####"})));
    pressLoad();
    std::remove(mapPath("gone.map").c_str());
    pressOpen();
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(count(Empty), cellCount);
    EXPECT_EQ(app.editor.loadedName, "gone.map");
}

TEST_F(MapBrowserTest, CodeTwentyTwoStaysInTheGridAndIsWrittenBack) {
    LevelGrid odd = sketchGrid({"#P"});
    odd[cellIndex(5, 5)] = 22;
    openWith("odd.map", mapText(odd));
    EXPECT_EQ(cell(5, 5), 22);
    paintCell(1, 0, 0);  // a wall where a wall was: no change
    pressSave();
    EXPECT_EQ(app.editor.levelName, "odd.map");
    answerLeft();
    EXPECT_EQ(app.screen, OverwriteLevelDialog);
    answerLeft();
    EXPECT_EQ(readWholeFile(mapPath("odd.map")), mapText(odd));
}

// --- saving under a typed name ---

TEST(MapFileName, AppendsTheEndingUnlessTheNameAlreadyEndsSoInAnyCase) {
    EXPECT_EQ(mapFileName("castle"), "castle.map");
    EXPECT_EQ(mapFileName("castle.map"), "castle.map");
    EXPECT_EQ(mapFileName("Castle.MaP"), "Castle.MaP");
    EXPECT_EQ(mapFileName("map"), "map.map");
    EXPECT_EQ(mapFileName(".map"), ".map");
    EXPECT_EQ(mapFileName(""), ".map");
    EXPECT_EQ(mapFileName("castle.mapx"), "castle.mapx.map");
}

TEST_F(MapBrowserTest, SavingUnderATypedNameMakesTheFolderAndMarksTheBoardSaved) {
    paintCell(0, 3, 3);
    saveAs("Castle.MAP");
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(readWholeFile(mapPath("Castle.MAP")), mapText(app.editor.grid));
    EXPECT_EQ(app.editor.loadedName, "Castle.MAP");
    EXPECT_FALSE(hasUnsavedChanges(app.editor));
    tapKey(SDLK_ESCAPE);
    EXPECT_EQ(app.screen, MainMenu);
}

TEST_F(MapBrowserTest, AThreeLetterNameSpellingMapGetsTheEnding) {
    saveAs("map");
    EXPECT_TRUE(exists("map.map"));
}

TEST_F(MapBrowserTest, SavingOverAnExistingFileAsksAndNoWritesNothing) {
    writeMapFile("castle.map", "old");
    paintCell(0, 3, 3);
    saveAs("castle");
    EXPECT_EQ(app.screen, OverwriteLevelDialog);
    answerRight();
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(readWholeFile(mapPath("castle.map")), "old");
    EXPECT_TRUE(hasUnsavedChanges(app.editor));

    saveAs("castle");
    answerLeft();
    EXPECT_EQ(app.screen, Editor);
    EXPECT_EQ(readWholeFile(mapPath("castle.map")), mapText(app.editor.grid));
    EXPECT_EQ(app.editor.loadedName, "castle.map");
    EXPECT_FALSE(hasUnsavedChanges(app.editor));
}

TEST_F(MapBrowserTest, AnOverwriteAnsweredWhileLeavingLeavesTheEditorOpenForGood) {
    writeMapFile("castle.map", "old");
    paintCell(0, 3, 3);
    tapKey(SDLK_ESCAPE);
    answerLeft();  // Yes: no name yet, so the name box
    typeText("castle");
    answerLeft();
    answerLeft();  // overwrite
    EXPECT_EQ(app.screen, Editor);
    EXPECT_FALSE(app.editor.leavingEditor);
    paintCell(1, 5, 5);
    saveAs("other");
    EXPECT_EQ(app.screen, Editor) << "a later save does not leave the editor";
}

TEST_F(MapBrowserTest, AFailedSaveUnderATypedNameKeepsTheBoardUnsavedAndTheEditorOpen) {
    makeMapsFolder();
    mkdir(mapPath("castle.map.tmp").c_str(), 0755);
    paintCell(0, 3, 3);
    tapKey(SDLK_ESCAPE);
    answerLeft();
    typeText("castle");
    answerLeft();
    EXPECT_EQ(app.screen, Editor);
    EXPECT_FALSE(exists("castle.map"));
    EXPECT_TRUE(hasUnsavedChanges(app.editor));
    EXPECT_EQ(app.editor.loadedName, "");
}

// Unicode translation and key repeat: on while a name is typed, off otherwise.
void expectTextInput(bool on) {
    int delay = -1, interval = -1;
    SDL_GetKeyRepeat(&delay, &interval);
    EXPECT_EQ(SDL_EnableUNICODE(-1), on ? 1 : 0);
    EXPECT_EQ(delay, on ? 500 : 0);
}

TEST_F(MapBrowserTest, TextInputIsOnExactlyWhileANameIsAskedFor) {
    writeMapFile("castle.map", "old");
    auto askForName = [&](const std::string& name) {
        pressSave();
        ASSERT_EQ(app.screen, LevelNameDialog);
        expectTextInput(true);
        app.editor.levelName = name;
        answerLeft();
    };
    pressSave();
    answerRight();  // Cancel
    expectTextInput(false);
    askForName("fresh");
    ASSERT_TRUE(exists("fresh.map"));
    expectTextInput(false);
    for (bool overwrite : {true, false}) {
        askForName("castle");
        ASSERT_EQ(app.screen, OverwriteLevelDialog);
        expectTextInput(true);
        overwrite ? answerLeft() : answerRight();
        ASSERT_EQ(app.screen, Editor);
        expectTextInput(false);
    }
    paintCell(0, 3, 3);
    app.editor.loadedName.clear();
    tapKey(SDLK_ESCAPE);
    answerLeft();  // Yes, with no name yet
    ASSERT_EQ(app.screen, LevelNameDialog);
    expectTextInput(true);
}

// --- deleting ---

TEST_F(MapBrowserTest, DeletingTheOnlyFileReturnsToTheEditor) {
    writeMapFile("only.map");
    pressLoad();
    tapKey(SDLK_DELETE);
    EXPECT_EQ(app.screen, DeleteFileDialog);
    answerRight();
    EXPECT_EQ(app.screen, FileBrowser);
    EXPECT_TRUE(exists("only.map"));
    tapKey(SDLK_DELETE);
    click(284, 270);  // Yes, left of the list area
    EXPECT_EQ(app.screen, Editor);
    EXPECT_FALSE(exists("only.map"));
    EXPECT_TRUE(names().empty());
    EXPECT_TRUE(resources.mapLabels.empty());
}

TEST_F(MapBrowserTest, DeletingRemovesTheSelectedFileAndStepsBack) {
    writeNumberedMaps(13);
    pressLoad();
    wheel(SDL_BUTTON_WHEELDOWN);
    clickRow(5);
    ASSERT_EQ(selected(), 6);
    std::string doomed = names()[6];
    std::string next = names()[7];
    tapKey(SDLK_DELETE);
    click(284, 270);
    EXPECT_EQ(app.screen, FileBrowser);
    EXPECT_FALSE(exists(doomed));
    EXPECT_TRUE(exists(next));
    EXPECT_EQ(names().size(), 12u);
    EXPECT_EQ(resources.mapLabels.size(), 12u);
    EXPECT_EQ(selected(), 5);
    EXPECT_EQ(first(), 0);
}

TEST_F(MapBrowserTest, AnAnswerOverTheListAlsoSelectsTheRowUnderItInTheBrowser) {
    writeNumberedMaps(12);
    pressLoad();
    clickRow(0);
    tapKey(SDLK_DELETE);
    answerRight();  // No, at y 270: over row 8 of the list
    EXPECT_EQ(app.screen, FileBrowser);
    EXPECT_EQ(selected(), 8);
    EXPECT_EQ(names().size(), 12u);
}

// The browser drawn with solid stand-ins for its images.
class MapBrowserDrawTest : public MapBrowserTest {
protected:
    MapBrowserDrawTest() { withResources_ = false; }
    void SetUp() override {
        MapBrowserTest::SetUp();
        images = std::make_unique<StandInImages>();
    }
    void TearDown() override {
        MapBrowserTest::TearDown();
        images.reset();
    }
    // The topmost visible row that shows the highlight, or -1.
    int highlightedRow() {
        SDL_Color h = StandInImages::colour(Img::file_highlight);
        for (int k = 0; k < 11; ++k) {
            SDL_Color p = pixel(300, 141 + 16 * k + 8);
            if (p.r == h.r && p.g == h.g && p.b == h.b) return k;
        }
        return -1;
    }
    std::unique_ptr<StandInImages> images;
};

TEST_F(MapBrowserDrawTest, TheHighlightFollowsTheScrollAndMarksTheRowDeleteRemoves) {
    auto deleteHighlighted = [&](int expectedRow) {
        ASSERT_EQ(highlightedRow(), expectedRow);
        std::string shown = names()[first() + expectedRow];
        tapKey(SDLK_DELETE);
        click(284, 270);  // Yes, left of the list area
        EXPECT_FALSE(exists(shown));
        EXPECT_EQ(std::count(names().begin(), names().end(), shown), 0);
    };
    writeNumberedMaps(14);
    pressLoad();
    clickRow(4);
    EXPECT_EQ(highlightedRow(), 4);
    wheel(SDL_BUTTON_WHEELDOWN);
    wheel(SDL_BUTTON_WHEELDOWN);
    deleteHighlighted(2);
    deleteHighlighted(2);  // the selection and the page both stepped back
    wheel(SDL_BUTTON_WHEELDOWN);
    deleteHighlighted(1);
}

}  // namespace
