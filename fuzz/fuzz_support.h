#pragma once
// What the harnesses share. Each harness is one LLVMFuzzerTestOneInput: libFuzzer
// calls it with generated inputs, and the replay program with the saved corpus and
// crash inputs, so a bug once found stays fixed.
#include "core/board.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Asserts vanish from release builds; a harness's checks must not.
#define FUZZ_CHECK(condition) ((condition) ? (void)0 : fuzzCheckFailed(#condition, __FILE__, __LINE__))
[[noreturn]] void fuzzCheckFailed(const char* condition, const char* file, int line);

inline std::string inputBytes(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// The choices an input implies beyond its bytes (keys held, unlockables, dt) come
// from a generator seeded with the input, so the same input always plays the same.
struct InputRandom {
    uint64_t state;
    explicit InputRandom(const std::string& bytes);
    uint32_t next();
    bool chance(int percent) { return next() % 100 < static_cast<uint32_t>(percent); }
};

// Plays a board as built-in level 1, read from its file as the game reads it, for a
// couple of seconds of frames with held arrows and restarts, and checks after every
// frame what a player relies on.
void playFuzzedLevel(const LevelGrid& grid, InputRandom& random);
