// The cost of one gameplay step and one board drawing on a busy board.
#include "app/app_state.h"
#include "app/resources.h"
#include "game/board_draw.h"
#include "game/gameplay.h"
#include "support/bench_program.h"
#include "support/busy_board.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_GameplayStep(benchmark::State& state) {
    auto app = std::make_unique<AppState>();
    loadBusyBoard(*app);
    for (auto _ : state) {
        gameplayStep(*app, 1.0f / 60);
        if (busyBoardSpent(*app)) loadBusyBoard(*app);
    }
}
BENCHMARK(BM_GameplayStep);

void BM_DrawBoard(benchmark::State& state) {
    BenchProgram program;
    if (!program.started()) {
        state.SkipWithError("no display");
        return;
    }
    AppState& app = program.app();
    loadBusyBoard(app);
    emitBurst(app.particles, 320, 240, 6, image(Img::red_particle));
    for (auto _ : state) drawBoard(app);
}
BENCHMARK(BM_DrawBoard);

}  // namespace
