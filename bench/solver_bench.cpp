// The solver on every built-in level source: a full search of the level's
// resting states by the game's own step, as the replay check and the level
// table rely on, over every way the enemies can start. Aim: under a second a level.
#include "level_source.h"
#include "solver.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

std::string sourcePath(int level) {
    char name[32];
    std::snprintf(name, sizeof name, "/data/levels/level%02d.txt", level);
    return std::string(SOURCE_DIR) + name;
}

void solveBuiltInLevel(benchmark::State& state) {
    LevelSource source;
    std::vector<SourceError> errors;
    if (!readLevelSource(sourcePath(static_cast<int>(state.range(0))), source, errors)) {
        state.SkipWithError("level source missing or malformed");
        return;
    }
    SolveResult result;
    for (auto _ : state) {
        result = solveLevel(source.grid, SolveOptions{});
        benchmark::DoNotOptimize(result);
    }
    state.counters["states"] = result.statesExplored;
    state.counters["withPeach"] = pressCount(result.withPeach);
}

BENCHMARK(solveBuiltInLevel)->DenseRange(1, 35)->Unit(benchmark::kMillisecond);

}  // namespace
