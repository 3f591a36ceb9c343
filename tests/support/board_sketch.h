#pragma once
// Levels drawn as text, the way a designer sketches them, and a level in play
// without a display: hold keys, step frames, look at what happened.
#include "app/app_state.h"
#include "app/resources.h"
#include "support/test_support.h"

#include <memory>
#include <string>
#include <vector>

// Each row is a board row from the top, each letter a cell from the left, by the
// tiles' source letters ('#' wall, 'P' player, '.' empty, ...). Missing cells are empty.
LevelGrid sketchGrid(const std::vector<std::string>& rows);

class BoardTest : public ::testing::Test {
protected:
    BoardTest();
    ~BoardTest() override;

    // Writes the sketch as the test map and loads it, as a test play does.
    void play(const std::vector<std::string>& rows);
    // Writes the sketch as built-in level 1 and loads it in normal play.
    void playBuiltIn(const std::vector<std::string>& rows);

    void step(int frames = 1, float dt = 0.05f);
    void hold(bool PlayInput::*key) { app.input.arrows.*key = true; }
    void release(bool PlayInput::*key) { app.input.arrows.*key = false; }
    // A key held for one frame, as a short tap.
    void tap(bool PlayInput::*key);
    // Steps until the player stands still; false when it never did.
    bool stepUntilStill(int maxFrames = 200, float dt = 0.05f);

    int played(Snd::Key effect) const;
    void switchOn(UnlockableId option) { app.save.enabled[option] = true; }
    Piece& player() { return app.play.player; }
    PieceRange<Piece> list(TileKind kind) { return app.play[kind]; }

    TempFolder folder;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    AppState& app = *state;
    std::vector<Snd::Key> effects;
};

constexpr auto Left = &PlayInput::left;
constexpr auto Right = &PlayInput::right;
constexpr auto Up = &PlayInput::up;
constexpr auto Down = &PlayInput::down;

inline float cellX(int column) { return static_cast<float>(column * cellSize); }

// Solid-coloured images in every empty image slot, so rules that swap images and
// drawing can be checked without the real art. Speed strips get five frames.
class StandInImages {
public:
    StandInImages();
    ~StandInImages();
    static SDL_Color colour(Img::Key key, int frame = 0);

private:
    std::vector<std::pair<Img::Key, SDL_Surface*>> installed_;
};

// The program started without its resources and every image slot a solid stand-in,
// so drawing can be checked by the colour of a pixel.
class StandInGameTest : public GameTest {
protected:
    void SetUp() override;
    void TearDown() override;
    bool shows(int x, int y, SDL_Color colour) const;
    bool shows(int x, int y, Img::Key key, int frame = 0) const {
        return shows(x, y, StandInImages::colour(key, frame));
    }

    std::unique_ptr<StandInImages> images;
};
