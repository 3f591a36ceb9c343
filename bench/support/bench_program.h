#pragma once
// The program started for a benchmark under the dummy drivers, in a fresh temporary
// folder that only links the built resources: whatever the program writes (its
// settings on shutdown) lands there and is removed with it, never in the game folder.
#include "app/app_state.h"

#include <memory>
#include <string>

class BenchProgram {
public:
    BenchProgram();
    ~BenchProgram();
    BenchProgram(const BenchProgram&) = delete;
    BenchProgram& operator=(const BenchProgram&) = delete;

    bool started() const { return started_; }
    AppState& app() { return *app_; }

private:
    std::string folder_;
    std::string previous_;
    std::unique_ptr<AppState> app_ = std::make_unique<AppState>();
    bool started_ = false;
};
