// The cost of one gameplay step and one board drawing on a busy board.
#include "app/app.h"
#include "app/app_state.h"
#include "app/display.h"
#include "app/random.h"
#include "game/board_draw.h"
#include "game/gameplay.h"
#include "level/map_file.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <unistd.h>
#include <memory>

namespace {

// Every kind on the board, many enemies, and a player sliding through it all.
LevelGrid busyGrid() {
    LevelGrid grid{};
    for (int column = 0; column < boardColumns; ++column)
        for (int row = 0; row < boardRows; ++row) grid[cellIndex(column, row)] = 2 + (column * 7 + row * 3) % 20;
    for (int column = 0; column < boardColumns; ++column) grid[cellIndex(column, 7)] = column % 2 ? Peach : Empty;
    grid[cellIndex(0, 7)] = Player;
    return grid;
}

void loadBusyBoard(AppState& app) {
    seedRandom(1);
    app.screen = PlayLevel;
    buildLevelObjects(app, busyGrid());
    app.play.rightKeyHeld = true;
}

void BM_GameplayStep(benchmark::State& state) {
    auto app = std::make_unique<AppState>();
    loadBusyBoard(*app);
    for (auto _ : state) {
        gameplayStep(*app, 1.0f / 60);
        if (app->level[UpDown].empty() || app->level.player.x > 600) loadBusyBoard(*app);
    }
}
BENCHMARK(BM_GameplayStep);

void BM_DrawBoard(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    auto app = std::make_unique<AppState>();
    if (chdir(GAME_DIR) != 0 || startProgram(*app) != 0) {
        state.SkipWithError("no display");
        return;
    }
    loadBusyBoard(*app);
    emitBurst(app->particles, 320, 240, 6, image(Img::red_particle));
    for (auto _ : state) drawBoard(*app);
    shutdownProgram(*app);
}
BENCHMARK(BM_DrawBoard);

}  // namespace
