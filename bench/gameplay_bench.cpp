// The cost of one gameplay step, of the rules' step alone, of copying a play state
// and of one board drawing, on a busy board.
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

// The rules alone, as the solver steps them: no particles, no notices, no sound.
void BM_RulesStep(benchmark::State& state) {
    auto app = std::make_unique<AppState>();
    loadBusyBoard(*app);
    app->play.rules = playRules(app->save, false);
    PlayState play = app->play;
    for (auto _ : state) {
        PlayEvents events = step(play, app->input.arrows, 1.0f / 60);
        benchmark::DoNotOptimize(events);
        if (play[UpDown].empty() || play.player.x > 600) play = app->play;
    }
}
BENCHMARK(BM_RulesStep);

// Undo, hints and the solver keep copies of the state: one copy of a busy board.
void BM_CopyPlayState(benchmark::State& state) {
    auto app = std::make_unique<AppState>();
    loadBusyBoard(*app);
    for (auto _ : state) {
        PlayState copy = app->play;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_CopyPlayState);

// Argument 1 draws the enemies' trails, as in every frame they move; 0 holds the
// enemies still, so the difference is what the trails cost.
void BM_DrawBoard(benchmark::State& state) {
    BenchProgram program;
    if (!program.started()) {
        state.SkipWithError("no display");
        return;
    }
    AppState& app = program.app();
    loadBusyBoard(app);
    emitBurst(app.particles, 320, 240, 6, image(Img::red_particle));
    bool trails = state.range(0) != 0;
    if (!trails) holdEnemiesStill(app);
    for (auto _ : state) drawBoard(app);
    state.counters["trailBlits"] = trails ? 2 * enemyCount(app) : 0;
}
BENCHMARK(BM_DrawBoard)->ArgName("trails")->Arg(0)->Arg(1);

}  // namespace
