#include "fuzz_support.h"

#include "app/app_state.h"
#include "app/random.h"
#include "app/resources.h"
#include "game/gameplay.h"
#include "level/map_file.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int framesPerInput = 48;
constexpr float frameTimes[] = {1.0f / 60, 1.0f / 30, 0.05f};  // 0.05 is the clock's cap
// Far above what a board can emit in two seconds; a list that grows past it leaks.
constexpr size_t particleBound = 20000;

std::string levelFolder;

void removeLevelFolder() {
    std::remove(builtInLevelPath(1).c_str());
    rmdir((std::string(resourceFolder) + "/maps").c_str());
    rmdir(resourceFolder);
    rmdir(levelFolder.c_str());
}

// The level file lives in a folder of its own, made once per run, so that the
// restarts of the game read the fuzzed board again.
void enterLevelFolder() {
    if (!levelFolder.empty()) return;
    char pattern[] = "/tmp/quarrow-fuzz-XXXXXX";
    FUZZ_CHECK(mkdtemp(pattern) != nullptr);
    levelFolder = pattern;
    FUZZ_CHECK(chdir(pattern) == 0);
    FUZZ_CHECK(mkdir(resourceFolder, 0755) == 0);
    FUZZ_CHECK(mkdir((std::string(resourceFolder) + "/maps").c_str(), 0755) == 0);
    std::atexit(removeLevelFolder);
}

void writeLevelOne(const LevelGrid& grid) {
    std::string bytes = scrambleText(mapText(grid), levelKey);
    FILE* file = std::fopen(builtInLevelPath(1).c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    std::fclose(file);
}

int codeCount(const LevelGrid& grid, int code) {
    int count = 0;
    for (int cell : grid) count += cell == code;
    return count;
}

// Every object code of the board became one object in its own list; the mirror
// swaps the left and right lists of arrows and speed tiles.
void checkObjectsMatchBoard(const AppState& app, const LevelGrid& grid) {
    bool mirrored = isOn(app.save, MirroredLevels);
    for (int code = Wall; code < TileKindCount; ++code) {
        int listed = code;
        if (mirrored && (code == ArrowLeft || code == SpeedLeft)) listed = code + 2;
        if (mirrored && (code == ArrowRight || code == SpeedRight)) listed = code - 2;
        FUZZ_CHECK(static_cast<int>(app.play[static_cast<TileKind>(listed)].size()) == codeCount(grid, code));
    }
}

void chooseSwitches(AppState& app, InputRandom& random) {
    for (bool& on : app.save.enabled) on = random.chance(25);
}

void holdKeys(PlayInput& arrows, InputRandom& random) {
    if (!random.chance(30)) return;
    arrows.left = random.chance(25);
    arrows.right = random.chance(25);
    arrows.up = random.chance(25);
    arrows.down = random.chance(25);
}

bool finite(const Piece& object) { return std::isfinite(object.x) && std::isfinite(object.y); }

// A player that leaves the board is put back at its start in the same frame, so
// after a frame it is at most one cell past an edge.
bool onOrAtBoard(const Piece& player) {
    return player.x >= -cellSize && player.y >= -cellSize && player.x <= boardColumns * cellSize + cellSize &&
           player.y <= boardRows * cellSize + cellSize;
}

void checkFrame(const AppState& app, bool hasPlayer) {
    const Piece& player = app.play.player;
    FUZZ_CHECK(player.alpha >= 0 && player.alpha <= 255);
    FUZZ_CHECK(finite(player));
    if (hasPlayer) FUZZ_CHECK(onOrAtBoard(player));
    for (int kind = Wall; kind < TileKindCount; ++kind)
        for (const Piece& object : app.play[static_cast<TileKind>(kind)]) FUZZ_CHECK(finite(object));
    FUZZ_CHECK(app.particles.particles.size() <= particleBound);
    FUZZ_CHECK(app.screen == PlayLevel);
}

}  // namespace

void fuzzCheckFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

InputRandom::InputRandom(const std::string& bytes) : state(1469598103934665603ull) {
    for (unsigned char byte : bytes) state = (state ^ byte) * 1099511628211ull;
    if (state == 0) state = 1;
}

uint32_t InputRandom::next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<uint32_t>(state >> 32);
}

void playFuzzedLevel(const LevelGrid& grid, InputRandom& random) {
    enterLevelFolder();
    writeLevelOne(grid);
    auto app = std::make_unique<AppState>();
    chooseSwitches(*app, random);
    seedRandom(random.next());
    app->play.random.state = random.next();
    app->screen = PlayLevel;
    app->save.currentLevel = 1;
    loadBuiltInLevel(*app, 1);
    checkObjectsMatchBoard(*app, grid);

    bool hasPlayer = codeCount(grid, Player) > 0;
    float dt = frameTimes[random.next() % 3];
    for (int frame = 0; frame < framesPerInput; ++frame) {
        holdKeys(app->input.arrows, random);
        if (random.chance(3) && !app->play.deathDelay.running) restartPlay(app->play);
        gameplayStep(*app, dt);
        checkFrame(*app, hasPlayer);
    }
}
