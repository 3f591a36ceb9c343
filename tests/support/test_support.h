#pragma once
// Shared helpers: a fresh temporary game folder per test, and a running program
// that tests drive by pushing SDL events and stepping frames with a fixed dt.
#include "app/app.h"
#include "support/rules_support.h"

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A fresh folder that becomes the working directory; removed afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Makes the built resources visible in this folder as "resources.res".
    void linkBuiltResources() const;
    // A "resources.res" of its own: the built images, fonts, sounds and music,
    // and an empty "maps" folder for the test's levels.
    void makeResourcesWithOwnMaps() const;
    // Writes built-in level n, scrambled, from a sketch of rows (sketchGrid).
    void writeLevel(int n, const std::vector<std::string>& rows) const;
    // Writes "game_save.sav" from a plain record.
    void writeSave(const std::string& plainRecord) const;
    std::string plainSave() const;

private:
    std::string path_;
    std::string previous_;
};

// PATH reduced to one folder while this lives, holding an "xdg-open" made of the given
// shell lines, or no opener at all when they are null. The lines find other programs
// by their full paths.
class OpenerOnPath {
public:
    OpenerOnPath(const std::string& folder, const char* script);
    ~OpenerOnPath();

private:
    std::string previous_;
};

// The program started in a temporary folder, ready for frames.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs frames with a fixed dt; stops early when the program quits.
    FrameResult frames(int count, float dt = 1.0f / 60.0f);
    void pushKey(SDLKey key, bool down = true, Uint16 unicode = 0, SDLMod mod = KMOD_NONE);
    void tapKey(SDLKey key);  // down, one frame, up, one frame
    // A position in the game's picture, pushed where it lies on the screen at the present scale.
    void pushMotion(int x, int y);
    // A position on the screen, as the window reports it.
    void pushScreenMotion(int x, int y);
    void pushButton(Uint8 button, bool down = true);
    void pushQuit();
    // A left click at (x, y): motion, press, release, one frame.
    void click(int x, int y);
    // Reads one pixel of the game's picture, before any scaling, as (r, g, b).
    SDL_Color pixel(int x, int y) const;

    // Shuts the program down as the loop's end does; returns its exit status.
    int shutdown();

    std::unique_ptr<AppState> state_ = std::make_unique<AppState>();
    AppState& app = *state_;
    // Derived fixtures may clear this before SetUp to start without resources.
    bool withResources_ = true;
    // Derived fixtures may set this before SetUp to write their own levels.
    bool withOwnMaps_ = false;
    TempFolder folder_;
    bool shutDown_ = false;
};
