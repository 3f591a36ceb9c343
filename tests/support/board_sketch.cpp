#include "support/board_sketch.h"

#include "app/audio.h"
#include "app/random.h"
#include "game/gameplay.h"
#include "level/map_file.h"

#include <sys/stat.h>
#include <algorithm>

namespace {

int codeForLetter(char letter) {
    for (const TileKindInfo& info : tileKinds)
        if (info.sourceChar == letter) return info.kind;
    ADD_FAILURE() << "no tile is sketched as '" << letter << "'";
    return Empty;
}

}  // namespace

LevelGrid sketchGrid(const std::vector<std::string>& rows) {
    LevelGrid grid{};
    for (int row = 0; row < std::min<int>(rows.size(), boardRows); ++row)
        for (int column = 0; column < std::min<int>(rows[row].size(), boardColumns); ++column)
            grid[cellIndex(column, row)] = codeForLetter(rows[row][column]);
    return grid;
}

BoardTest::BoardTest() {
    app.workingDir = folder.path();
    seedRandom(1);
    setEffectListener([this](Snd::Key effect) { effects.push_back(effect); });
}

BoardTest::~BoardTest() { setEffectListener(nullptr); }

void BoardTest::play(const std::vector<std::string>& rows) {
    app.screen = TestPlay;
    writeMap(folder.file(testMapName), sketchGrid(rows));
    loadTestMap(app);
}

void BoardTest::playBuiltIn(const std::vector<std::string>& rows) {
    app.screen = PlayLevel;
    app.save.currentLevel = 1;
    mkdir("resources.res", 0755);
    mkdir("resources.res/maps", 0755);
    writeWholeFile(builtInLevelPath(1), scrambleText(mapText(sketchGrid(rows)), levelKey));
    loadBuiltInLevel(app, 1);
}

void BoardTest::step(int frames, float dt) {
    for (int i = 0; i < frames; ++i) {
        gameplayStep(app, dt);
    }
}

void BoardTest::tap(bool PlayInput::*key) {
    hold(key);
    step();
    release(key);
}

bool BoardTest::stepUntilStill(int maxFrames, float dt) {
    for (int i = 0; i < maxFrames; ++i) {
        step(1, dt);
        if (player().vx == 0 && player().vy == 0) return true;
    }
    return false;
}

int BoardTest::played(Snd::Key effect) const {
    return static_cast<int>(std::count(effects.begin(), effects.end(), effect));
}

SDL_Color StandInImages::colour(Img::Key key, int frame) {
    return {static_cast<Uint8>(40 + (key * 37) % 200), static_cast<Uint8>(40 + (key * 89) % 200),
            static_cast<Uint8>(20 + frame * 45), 0};
}

StandInImages::StandInImages() {
    for (int k = 0; k < Img::count; ++k) {
        Img::Key key = static_cast<Img::Key>(k);
        if (resources.images[key] || key == Img::background) continue;
        bool strip = key >= Img::speed_left && key <= Img::speed_down;
        SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, strip ? 160 : 32, 32, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        for (int frame = 0; frame < (strip ? 5 : 1); ++frame) {
            SDL_Rect part = {static_cast<Sint16>(frame * 32), 0, 32, 32};
            SDL_Color c = colour(key, frame);
            SDL_FillRect(surface, &part, SDL_MapRGB(surface->format, c.r, c.g, c.b));
        }
        resources.images[key] = surface;
        installed_.emplace_back(key, surface);
    }
    applySurfaceAlphas();
}

StandInImages::~StandInImages() {
    for (auto& [key, surface] : installed_) {
        if (resources.images[key] != surface) continue;  // already released with the program
        SDL_FreeSurface(surface);
        resources.images[key] = nullptr;
    }
}

void StandInGameTest::SetUp() {
    withResources_ = false;
    GameTest::SetUp();
    images = std::make_unique<StandInImages>();
}

void StandInGameTest::TearDown() {
    GameTest::TearDown();
    images.reset();
}

bool StandInGameTest::shows(int x, int y, SDL_Color colour) const {
    SDL_Color p = pixel(x, y);
    return p.r == colour.r && p.g == colour.g && p.b == colour.b;
}
