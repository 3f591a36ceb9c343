#include "app/frame_clock.h"

float advanceFrameClock(FrameClock& clock, Uint32 now) {
    Uint32 delta = now - clock.lastTicks;
    clock.lastTicks += delta;
    clock.dt = static_cast<float>(delta) / 1000.0f;
    // A long frame (a dialog, a mode switch, a level load) must not let objects jump through walls.
    if (clock.dt > maxFrameTime) clock.dt = maxFrameTime;
    return clock.dt;
}
