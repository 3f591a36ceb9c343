// Whole frames as the loop runs them (events, gameplay step, drawing, flip) under the
// dummy driver, meant to be read in pairs: a dialog frame against a menu frame, and a
// frame of a busy board against the floor that any board frame pays (fill, background,
// a tile in every cell, flip). The trail copies are also timed blit by blit, and
// start-up as a whole.
#include "app/app.h"
#include "app/display.h"
#include "app/resources.h"
#include "support/bench_program.h"
#include "support/busy_board.h"
#include "ui/dialogs.h"

#include <benchmark/benchmark.h>

namespace {

constexpr float frameTime = 1.0f / 60;

bool startOrSkip(benchmark::State& state, const BenchProgram& program) {
    if (!program.started()) state.SkipWithError("no display");
    return program.started();
}

void BM_MenuFrame(benchmark::State& state) {
    BenchProgram program;
    if (!startOrSkip(state, program)) return;
    for (auto _ : state) runFrame(program.app(), frameTime);
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMillisecond);

// "There is no saved game data." over the main menu, as the menu opens it.
void BM_DialogFrame(benchmark::State& state) {
    BenchProgram program;
    if (!startOrSkip(state, program)) return;
    AppState& app = program.app();
    runFrame(app, frameTime);
    openDialog(app, NoSavedGameDialog);
    for (auto _ : state) runFrame(app, frameTime);
}
BENCHMARK(BM_DialogFrame)->Unit(benchmark::kMillisecond);

void drawFloor() {
    SDL_FillRect(displaySurface, nullptr, SDL_MapRGB(displaySurface->format, 136, 136, 136));
    drawImage(0, 0, image(Img::background));
    for (int column = 0; column < boardColumns; ++column)
        for (int row = 0; row < boardRows; ++row) drawImage(column * cellSize, row * cellSize, image(Img::wall));
    presentDisplay();
}

void BM_FloorFrame(benchmark::State& state) {
    BenchProgram program;
    if (!startOrSkip(state, program)) return;
    for (auto _ : state) drawFloor();
}
BENCHMARK(BM_FloorFrame)->Unit(benchmark::kMillisecond);

void BM_BusyBoardFrame(benchmark::State& state) {
    BenchProgram program;
    if (!startOrSkip(state, program)) return;
    AppState& app = program.app();
    loadBusyBoard(app);
    for (auto _ : state) {
        runFrame(app, frameTime);
        if (busyBoardSpent(app)) loadBusyBoard(app);
    }
}
BENCHMARK(BM_BusyBoardFrame)->Unit(benchmark::kMillisecond);

// One copy in every cell; the time per blit is the time over the items.
void BM_TrailBlits(benchmark::State& state) {
    BenchProgram program;
    if (!startOrSkip(state, program)) return;
    SDL_Surface* copy = image(static_cast<Img::Key>(state.range(0)));
    drawImage(0, 0, image(Img::background));
    for (auto _ : state)
        for (int column = 0; column < boardColumns; ++column)
            for (int row = 0; row < boardRows; ++row) drawImage(column * cellSize + 4, row * cellSize, copy);
    state.SetItemsProcessed(state.iterations() * boardColumns * boardRows);
}
BENCHMARK(BM_TrailBlits)
    ->ArgName("slot")
    ->Arg(Img::player128)
    ->Arg(Img::player64)
    ->Arg(Img::updown128)
    ->Arg(Img::rightleft64);

// The copy a scaled window or full screen adds to every present: the 640 x 480 picture
// onto a screen of scale times its size (full HD's bars in the last row).
void BM_ScaledPresent(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    const int screenWidth = static_cast<int>(state.range(1)), screenHeight = static_cast<int>(state.range(2));
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_Surface* screen = SDL_CreateRGBSurface(SDL_SWSURFACE, screenWidth, screenHeight, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    Presentation presentation = fullScreenPresentation(640, 480, screenWidth, screenHeight);
    presentation.scale = scale;
    for (auto _ : state) {
        presentScaled(picture, screen, presentation);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(640) * 480 * scale * scale * 4);
    SDL_FreeSurface(screen);
    SDL_FreeSurface(picture);
}
BENCHMARK(BM_ScaledPresent)
    ->ArgNames({"scale", "w", "h"})
    ->Args({2, 1280, 960})
    ->Args({3, 1920, 1440})
    ->Args({4, 2560, 1920})
    ->Args({2, 1920, 1080})
    ->Unit(benchmark::kMicrosecond);

// Start-up is mostly loading the resources: decoding the images, opening the music and fonts.
void BM_StartAndShutDown(benchmark::State& state) {
    BenchProgram program;
    if (!startOrSkip(state, program)) return;
    for (auto _ : state) {
        shutdownProgram(program.app());
        startProgram(program.app());
    }
}
BENCHMARK(BM_StartAndShutDown)->Unit(benchmark::kMillisecond);

}  // namespace
