// Seeded random input over every screen and dialog: keys, clicks on the game's own
// buttons and anywhere else, the wheel, pointer motion and quit requests, frame after
// frame with a fixed dt. After every frame the facts a player relies on must hold.
// `make test` runs a short soak; QUARROW_SOAK_SEEDS and QUARROW_SOAK_FRAMES make it
// longer (`make soak`).
#include "app/app_state.h"
#include "app/display.h"
#include "app/platform.h"
#include "app/random.h"
#include "editor/editor.h"
#include "level/map_file.h"
#include "level/saved_game.h"
#include "support/board_sketch.h"
#include "support/test_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <set>
#include <sstream>

namespace {

int fromEnvironment(const char* name, int fallback) {
    const char* text = std::getenv(name);
    int value = text ? std::atoi(text) : 0;
    return value > 0 ? value : fallback;
}

int soakSeeds() { return fromEnvironment("QUARROW_SOAK_SEEDS", 2); }
int soakFrames() { return fromEnvironment("QUARROW_SOAK_FRAMES", 4000); }

constexpr int screenCount = GameWonDialog + 1;
constexpr const char* screenNames[screenCount] = {"MainMenu",          "PlayLevel",           "Editor",
                                                  "TestPlay",          "LevelSelect",         "Unlockables",
                                                  "NoSavedGameDialog", "OverwriteSaveDialog", "FileBrowser",
                                                  "LevelNameDialog",   "SaveChangesDialog",   "UnsavedChangesDialog",
                                                  "DeleteFileDialog",  "NoMapsDialog",        "OverwriteLevelDialog",
                                                  "NoPlayerDialog",    "GameWonDialog"};

// Two bursts of the largest pattern every frame for the two seconds a particle can
// live is far more than any board makes; a list beyond it is growing without end.
constexpr size_t particleBound = 2 * 30 * 120;

// Where the game has something to press, by screen. Rectangles the game keeps in its
// state are read from there; the others are the positions its screens draw at.
constexpr SDL_Rect menuCornerButtons[] = {{592, 432, 32, 32}, {544, 432, 32, 32}, {496, 432, 32, 32}};
constexpr SDL_Rect unlockablesButton = {256, 424, 128, 32};
constexpr SDL_Rect editorButtons[] = {{680, 384, 32, 32}, {728, 384, 32, 32}, {680, 432, 32, 32}, {728, 432, 32, 32}};
constexpr SDL_Rect closeButton = {531, 187, 16, 12};
constexpr SDL_Rect scrollButtons[] = {{498, 141, 16, 16}, {498, 298, 16, 16}};
constexpr SDL_Rect boardArea = {0, 0, 640, 480};

using Targets = std::vector<SDL_Rect>;

Targets levelCells() {
    Targets cells;
    for (int index = 0; index < levelCount; ++index)
        cells.push_back(
            {static_cast<Sint16>(48 + 80 * (index % 7)), static_cast<Sint16>(98 + 64 * (index / 7)), 64, 56});
    return cells;
}

Targets browserRows() {
    Targets rows;
    for (int row = 0; row < 11; ++row) rows.push_back({288, static_cast<Sint16>(141 + 16 * row), 199, 16});
    return rows;
}

// Groups of targets, each group as likely as the next, so that a screen's few buttons
// are not drowned by its many cells.
std::vector<Targets> targetsOf(const AppState& app) {
    std::vector<Targets> groups;
    switch (app.screen) {
        case MainMenu: {
            Targets entries;
            for (const MenuButton& entry : app.ui.menuEntries) entries.push_back({entry.x, entry.y, 128, 32});
            groups = {Targets(std::begin(menuCornerButtons), std::end(menuCornerButtons)), entries};
            break;
        }
        case LevelSelect: {
            // The way to the unlockables is one target among the cells; as a group of
            // its own it would draw the soak there every few frames.
            Targets cells = levelCells();
            cells.push_back(unlockablesButton);
            groups = {cells};
            break;
        }
        case Unlockables: {
            Targets boxes;
            for (const Unlockable& option : app.ui.unlockables) boxes.push_back(option.checkboxRect);
            groups = {boxes};
            break;
        }
        case Editor:
            groups = {Targets(paletteRects.begin(), paletteRects.end()),
                      Targets(std::begin(editorButtons), std::end(editorButtons)),
                      {boardArea}};
            break;
        case PlayLevel:
        case TestPlay: break;
        default: {
            Targets buttons;
            for (const DialogButton& button : app.ui.dialogButtons) buttons.push_back(button.rect);
            groups = {buttons, {closeButton}};
            if (app.screen == FileBrowser) {
                groups.push_back(Targets(std::begin(scrollButtons), std::end(scrollButtons)));
                groups.push_back(browserRows());
            }
        }
    }
    const Notification& notice = app.ui.notice;
    if (notice.active) groups.push_back({{notice.x, notice.y, notice.w, notice.h}});
    return groups;
}

bool endsWithMap(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ending = name.substr(name.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
    return ending == ".map";
}

bool endsWith(const std::string& name, const std::string& ending) {
    return name.size() >= ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0;
}

// A board any first press wins: a goal three cells from the player in each direction
// with nothing between, the peach on the way right, random tiles everywhere else.
std::vector<std::string> easyBoard(std::mt19937& random) {
    const std::string scatter = "......#.O%<^>vawsdIHkDBMo";
    std::uniform_int_distribution<size_t> pick(0, scatter.size() - 1);
    std::vector<std::string> rows(boardRows, std::string(boardColumns, '.'));
    for (std::string& row : rows)
        for (char& cell : row) cell = scatter[pick(random)];
    int column = std::uniform_int_distribution<int>(3, boardColumns - 4)(random);
    int row = std::uniform_int_distribution<int>(3, boardRows - 4)(random);
    for (int step = -3; step <= 3; ++step) {
        rows[row][column + step] = '.';
        rows[row + step][column] = '.';
    }
    rows[row][column] = 'P';
    rows[row][column + 1] = '*';
    for (auto [dx, dy] : {std::pair{-3, 0}, {3, 0}, {0, -3}, {0, 3}}) rows[row + dy][column + dx] = 'G';
    return rows;
}

struct SoakFigures {
    std::array<long, screenCount> framesOn{};
    int quitsRefused = 0;
    size_t mostParticles = 0;
};

class SoakTest : public GameTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        seed_ = GetParam();
        random_.seed(static_cast<unsigned>(seed_));
        easyLevels_ = seed_ % 2 == 0;
        withMapsFolder_ = (seed_ / 2) % 2 == 0;
        withOwnMaps_ = easyLevels_;
        fakeDocumentOpener();
        prepareGameFolder();
        GameTest::SetUp();
        if (easyLevels_)
            for (int level = 1; level <= levelCount; ++level) folder_.writeLevel(level, easyBoard(random_));
        seedRandom(static_cast<unsigned>(seed_));
        app.play.random.state = static_cast<std::uint64_t>(seed_);
    }

    void TearDown() override {
        GameTest::TearDown();
        setenv("PATH", savedPath_.c_str(), 1);
        std::system(("rm -rf '" + openerFolder_ + "'").c_str());
    }

    // F1 and the help button ask the desktop to open a page; here an opener that does
    // nothing answers, so the soak opens no browser.
    void fakeDocumentOpener() {
        char pattern[] = "/tmp/quarrow-opener-XXXXXX";
        openerFolder_ = mkdtemp(pattern);
        std::string opener = openerFolder_ + "/xdg-open";
        writeWholeFile(opener, "#!/bin/sh\nexit 0\n");
        chmod(opener.c_str(), 0755);
        savedPath_ = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
        setenv("PATH", (openerFolder_ + ":" + savedPath_).c_str(), 1);
    }

    // Shipped-level seeds start with no progress; easy-level seeds with every level open
    // and most peaches taken, in full screen and silent, so that the last level and its
    // dialog come up. Half the seeds find no maps folder; the others find more files than
    // the browser shows, and some that are not map files at all.
    void prepareGameFolder() {
        if (easyLevels_) {
            folder_.writeSave("35" + std::string(30, '1') + std::string(15, '0'));
            writeWholeFile(folder_.file("settings.set"), "w=0\ns=0\n");
        }
        if (!withMapsFolder_) return;
        std::string maps = folder_.file("maps");
        mkdir(maps.c_str(), 0755);
        for (int i = 0; i < 12; ++i)
            writeWholeFile(maps + "/map" + std::to_string(i) + ".map", mapText(sketchGrid(easyBoard(random_))));
        writeWholeFile(maps + "/Level.MAP", "1 2 x 3");
        writeWholeFile(maps + "/a-name-far-too-long-for-a-row.map", std::string(5000, '7'));
        writeWholeFile(maps + "/notes.txt", "not a map");
        mkdir((maps + "/folder.map").c_str(), 0755);
        symlink("loop.map", (maps + "/loop.map").c_str());
        mkfifo((maps + "/pipe.map").c_str(), 0644);
        std::vector<std::string> names;
        platform::listDirectory(maps, names);
        placedMaps_.insert(names.begin(), names.end());
    }

    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    bool chance(int percent) { return between(0, 99) < percent; }

    void pushWheel(bool up) {
        pushButton(up ? SDL_BUTTON_WHEELUP : SDL_BUTTON_WHEELDOWN, true);
        pushButton(up ? SDL_BUTTON_WHEELUP : SDL_BUTTON_WHEELDOWN, false);
    }

    // Escape is rare at first, so that a screen gets explored before it is left, and
    // likelier the longer the soak stays on one screen, as a player gets bored. Arrows
    // are the commonest keys, and lean right and down, where the later levels are.
    SDLKey randomKey() {
        static const SDLKey arrows[] = {SDLK_RIGHT, SDLK_RIGHT, SDLK_DOWN, SDLK_DOWN, SDLK_LEFT, SDLK_UP};
        static const SDLKey others[] = {SDLK_r, SDLK_DELETE, SDLK_LSHIFT, SDLK_F1, SDLK_BACKSPACE,
                                        SDLK_a, SDLK_SPACE,  SDLK_TAB,    SDLK_F4};
        if (chance(std::min(50, 2 + framesOnScreen_ / 100))) return SDLK_ESCAPE;
        int roll = between(0, 99);
        if (roll < 10) return SDLK_RETURN;
        if (roll < 70) return arrows[between(0, 5)];
        return others[between(0, 8)];
    }

    // A key goes down now and up a few frames later, so that play sees it held.
    void pressRandomKey(int frame) {
        SDLKey key = randomKey();
        Uint16 unicode = static_cast<Uint16>(chance(50) ? between(32, 126) : between(0, 255));
        pushKey(key, true, unicode);
        pendingReleases_.push_back({frame + between(0, 20), key});
    }

    void releaseKeysDue(int frame) {
        auto due = [frame](const std::pair<int, SDLKey>& release) { return release.first <= frame; };
        for (const auto& release : pendingReleases_)
            if (due(release)) pushKey(release.second, false);
        pendingReleases_.erase(std::remove_if(pendingReleases_.begin(), pendingReleases_.end(), due),
                               pendingReleases_.end());
    }

    void pointAt(const SDL_Rect& rect) {
        pushMotion(rect.x + between(0, std::max(0, rect.w - 1)), rect.y + between(0, std::max(0, rect.h - 1)));
    }

    void pointAnywhere() { pushMotion(between(0, 799), between(0, 479)); }

    void pressOrRelease() {
        Uint8 button = chance(80) ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT;
        if (chance(70)) {
            pushButton(button, true);
            pushButton(button, false);
        } else {
            pushButton(button, chance(50));  // held for a drag, or let go later
        }
    }

    void click() {
        std::vector<Targets> groups = targetsOf(app);
        if (!groups.empty() && chance(70)) {
            const Targets& group = groups[between(0, static_cast<int>(groups.size()) - 1)];
            pointAt(group[between(0, static_cast<int>(group.size()) - 1)]);
        } else {
            pointAnywhere();
        }
        pressOrRelease();
    }

    void pushRandomInput(int frame) {
        releaseKeysDue(frame);
        int events = chance(60) ? 0 : between(1, 3);
        for (int i = 0; i < events; ++i) {
            int kind = between(0, 99);
            if (kind < 40)
                pressRandomKey(frame);
            else if (kind < 75)
                click();
            else if (kind < 85)
                pointAnywhere();
            else if (kind < 95)
                pushWheel(chance(50));
            else if (kind < 96)
                pushQuit();
        }
    }

    std::string violation() const {
        if (app.screen < 0 || app.screen >= screenCount) return "no such screen";
        if (displaySurface) {
            bool wide = app.screen == Editor || (app.screen >= FileBrowser && app.screen <= NoPlayerDialog);
            if (displaySurface->w != (wide ? 800 : 640))
                return "the picture is " + std::to_string(displaySurface->w) + " wide";
        }
        if (std::string fault = playerFault(); !fault.empty()) return fault;
        if (app.particles.particles.size() > particleBound)
            return std::to_string(app.particles.particles.size()) + " particles";
        if (std::string fault = saveFault(); !fault.empty()) return fault;
        return folderFault();
    }

    // Out of the board only for the frame that restarts the level, and never out by more
    // than its own size.
    std::string playerFault() const {
        const Piece& player = app.play.player;
        if (player.alpha < 0 || player.alpha > 255) return "player alpha " + std::to_string(player.alpha);
        for (int kind = Wall; kind < TileKindCount; ++kind)
            for (const Piece& object : app.play[static_cast<TileKind>(kind)])
                if (object.alpha < 0 || object.alpha > 255) return "tile alpha " + std::to_string(object.alpha);
        if (!isPlayScreen(app.screen)) return "";
        bool inside = player.x >= -cellSize && player.y >= -cellSize &&
                      player.x <= boardColumns * cellSize + cellSize && player.y <= boardRows * cellSize + cellSize;
        if (!inside) return "the player is at " + std::to_string(player.x) + ", " + std::to_string(player.y);
        return "";
    }

    std::string saveFault() const {
        std::string bytes = readWholeFile(folder_.file(saveFileName));
        if (bytes.empty() && access(folder_.file(saveFileName).c_str(), F_OK) != 0) return "";
        std::string record = scrambleText(bytes, saveKey);
        SavedGame decoded;
        bool wellFormed = record.size() == 47 && record.find_first_not_of("0123456789") == std::string::npos &&
                          record.find_first_not_of("01", 2) == std::string::npos &&
                          loadGame(decoded, folder_.file(saveFileName)) && decoded.highestLevel >= 1 &&
                          decoded.highestLevel <= levelCount + 1;
        return wellFormed ? "" : "the saved game reads \"" + record + "\"";
    }

    // Only the files the game keeps, and in "maps" only map files and what was there.
    std::string folderFault() const {
        static const std::set<std::string> gameFiles = {".",          "..",        "resources.res", "settings.set",
                                                        saveFileName, testMapName, "maps"};
        static const std::set<std::string> folderEntries = {".", ".."};
        std::vector<std::string> names;
        platform::listDirectory(folder_.path(), names);
        for (const std::string& name : names)
            if (!gameFiles.count(name)) return "unexpected file " + name;
        platform::listDirectory(folder_.file("maps"), names);
        for (const std::string& name : names)
            if (!placedMaps_.count(name) && !folderEntries.count(name) &&
                (!endsWithMap(name) || endsWith(name, ".tmp")))
                return "unexpected file maps/" + name;
        return "";
    }

    std::string report(const SoakFigures& figures, int frames) const {
        std::ostringstream out;
        out << "soak seed " << seed_ << " (" << (easyLevels_ ? "easy" : "shipped") << " levels, "
            << (withMapsFolder_ ? "" : "no ") << "maps folder): " << frames << " frames, " << figures.quitsRefused
            << " quits refused, at most " << figures.mostParticles << " particles\n  frames per screen:";
        for (int screen = 0; screen < screenCount; ++screen)
            out << " " << screenNames[screen] << " " << figures.framesOn[screen];
        return out.str();
    }

    int seed_ = 0;
    bool easyLevels_ = false;
    bool withMapsFolder_ = false;
    std::mt19937 random_;
    std::string openerFolder_;
    std::string savedPath_;
    std::set<std::string> placedMaps_;
    std::vector<std::pair<int, SDLKey>> pendingReleases_;  // frame due, key
    int framesOnScreen_ = 0;
};

TEST_P(SoakTest, RandomInputKeepsEveryInvariant) {
    SoakFigures figures;
    const int frames = soakFrames();
    for (int frame = 0; frame < frames; ++frame) {
        pushRandomInput(frame);
        ScreenId before = app.screen;
        FrameResult result = runFrame(app, 1.0f / 60);
        framesOnScreen_ = app.screen == before ? framesOnScreen_ + 1 : 0;
        ASSERT_NE(result, FrameResult::PresentFailed) << "seed " << seed_ << ", frame " << frame;
        // A quit from the window, Escape on the menu or its "Quit" entry is refused, as a
        // player who thinks better of it would, and the soak goes on.
        if (result == FrameResult::Quit) {
            ++figures.quitsRefused;
            app.running = true;
        }
        std::string fault = violation();
        ASSERT_EQ(fault, "") << "seed " << seed_ << ", frame " << frame << ", screen " << screenNames[app.screen];
        ++figures.framesOn[app.screen];
        figures.mostParticles = std::max(figures.mostParticles, app.particles.particles.size());
    }
    std::string summary = report(figures, frames);
    std::printf("%s\n", summary.c_str());
    RecordProperty("figures", summary);
    EXPECT_EQ(shutdown(), 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SoakTest, ::testing::Range(1, soakSeeds() + 1),
                         [](const ::testing::TestParamInfo<int>& info) { return "Seed" + std::to_string(info.param); });

}  // namespace
