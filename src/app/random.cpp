#include "app/random.h"

#include <cstdlib>
#include <ctime>

namespace {
bool seeded = false;
}

void seedRandomOnce() {
    if (seeded) return;
    seeded = true;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

void seedRandom(unsigned seed) {
    seeded = true;
    std::srand(seed);
}

int nextRandom() { return std::rand() % 32768; }
