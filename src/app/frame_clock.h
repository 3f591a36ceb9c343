#pragma once
#include <SDL/SDL.h>

struct FrameClock {
    Uint32 lastTicks = 0;  // milliseconds
    float dt = 0.0f;       // seconds, never more than maxFrameTime
};

constexpr float maxFrameTime = 0.05f;

// Measures the frame that ends at `now`. The unsigned difference stays right when
// the millisecond counter wraps around.
float advanceFrameClock(FrameClock& clock, Uint32 now);
