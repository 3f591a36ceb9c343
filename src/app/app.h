#pragma once
// Start-up, one frame, shutdown, and the loop that ties them together.
#include "app/app_state.h"

#include <SDL/SDL.h>

// 1: no platform layer, 2: no display, 3: no text renderer, 4: all started.
int startSystems();

// Every start-up step after startSystems. Returns 0, or the failed step's status
// after a message on standard error.
int startProgram(AppState& app);

enum class FrameResult { Continue, Quit, PresentFailed };

// One whole frame for a given dt: events, gameplay step, drawing, present.
FrameResult runFrame(AppState& app, float dt);

// Writes the settings and releases everything; the program's exit status.
int shutdownProgram(AppState& app);

// The whole run: start-up, frames paced to the display, shutdown.
int runGame();
