#include "support/test_support.h"

#include "app/display.h"
#include "app/random.h"
#include "level/map_file.h"
#include "level/saved_game.h"
#include "support/board_sketch.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <sstream>

TempFolder::TempFolder() {
    // TMPDIR lets the tests run on another disk, a slow one for instance.
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quarrow-test-XXXXXX";
    path_ = mkdtemp(&pattern[0]) ? pattern : "";
    char* cwd = getcwd(nullptr, 0);
    previous_ = cwd ? cwd : "/";
    free(cwd);
    if (chdir(path_.c_str()) != 0) ADD_FAILURE() << "cannot enter " << path_;
}

TempFolder::~TempFolder() {
    if (chdir(previous_.c_str()) != 0) return;
    std::string command = "rm -rf '" + path_ + "'";
    if (std::system(command.c_str()) != 0) return;
}

OpenerOnPath::OpenerOnPath(const std::string& folder, const char* script) {
    const char* path = std::getenv("PATH");
    previous_ = path ? path : "/usr/bin:/bin";
    mkdir(folder.c_str(), 0755);
    if (script) {
        writeWholeFile(folder + "/xdg-open", std::string("#!/bin/sh\n") + script + "\n");
        chmod((folder + "/xdg-open").c_str(), 0755);
    }
    setenv("PATH", folder.c_str(), 1);
}

OpenerOnPath::~OpenerOnPath() { setenv("PATH", previous_.c_str(), 1); }

void TempFolder::linkBuiltResources() const {
    std::string target = std::string(GAME_DIR) + "/resources.res";
    if (symlink(target.c_str(), file("resources.res").c_str()) != 0) ADD_FAILURE() << "cannot link resources";
}

void TempFolder::makeResourcesWithOwnMaps() const {
    std::string own = file("resources.res");
    if (mkdir(own.c_str(), 0755) != 0 || mkdir((own + "/maps").c_str(), 0755) != 0)
        ADD_FAILURE() << "cannot make " << own;
    for (const char* folder : {"images", "fonts", "sounds", "music", "icons"}) {
        std::string target = std::string(GAME_DIR) + "/resources.res/" + folder;
        if (symlink(target.c_str(), (own + "/" + folder).c_str()) != 0) ADD_FAILURE() << "cannot link " << folder;
    }
}

void TempFolder::writeLevel(int n, const std::vector<std::string>& rows) const {
    writeWholeFile(file(builtInLevelPath(n)), scrambleText(mapText(sketchGrid(rows)), levelKey));
}

void TempFolder::writeSave(const std::string& plainRecord) const {
    writeWholeFile(file(saveFileName), scrambleText(plainRecord, saveKey));
}

std::string TempFolder::plainSave() const { return scrambleText(readWholeFile(file(saveFileName)), saveKey); }

void GameTest::SetUp() {
    // The game seeds from the clock; a test plays the same enemy starts and music on every run.
    seedRandom(1);
    if (withOwnMaps_)
        folder_.makeResourcesWithOwnMaps();
    else if (withResources_)
        folder_.linkBuiltResources();
    ASSERT_EQ(startProgram(app), 0);
}

void GameTest::TearDown() {
    if (!shutDown_) shutdown();
}

int GameTest::shutdown() {
    shutDown_ = true;
    return shutdownProgram(app);
}

FrameResult GameTest::frames(int count, float dt) {
    FrameResult result = FrameResult::Continue;
    for (int i = 0; i < count && result == FrameResult::Continue; ++i) result = runFrame(app, dt);
    return result;
}

void GameTest::pushKey(SDLKey key, bool down, Uint16 unicode, SDLMod mod) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.unicode = unicode;
    event.key.keysym.mod = mod;
    SDL_PushEvent(&event);
}

void GameTest::tapKey(SDLKey key) {
    pushKey(key, true);
    frames(1);
    pushKey(key, false);
    frames(1);
}

void GameTest::pushMotion(int x, int y) {
    // The middle of the block the picture's pixel became on the screen.
    const Presentation& p = currentPresentation();
    pushScreenMotion(p.offsetX + x * p.scale + p.scale / 2, p.offsetY + y * p.scale + p.scale / 2);
}

void GameTest::pushScreenMotion(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    SDL_PushEvent(&event);
}

void GameTest::pushButton(Uint8 button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

void GameTest::click(int x, int y) {
    pushMotion(x, y);
    pushButton(SDL_BUTTON_LEFT, true);
    pushButton(SDL_BUTTON_LEFT, false);
    frames(1);
}

void GameTest::pushQuit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

SDL_Color GameTest::pixel(int x, int y) const {
    SDL_Surface* surface = displaySurface;
    SDL_Color colour = {0, 0, 0, 0};
    if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return colour;
    SDL_LockSurface(surface);
    Uint32 value = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 4);
    SDL_UnlockSurface(surface);
    SDL_GetRGB(value, surface->format, &colour.r, &colour.g, &colour.b);
    return colour;
}
