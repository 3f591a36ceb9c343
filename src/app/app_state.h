#pragma once
// The state the main routine owns for the whole run and hands to every subsystem.
#include "app/frame_clock.h"
#include "app/screen_id.h"
#include "core/play_state.h"
#include "editor/editor_state.h"
#include "game/particles.h"
#include "level/progress.h"
#include "ui/ui_state.h"

#include <string>

struct InputState {
    bool shiftHeld = false;
    bool leftButtonHeld = false;
    bool rightButtonHeld = false;
    PlayInput arrows;  // held on the play screens, let go on any screen
    // Where the last left press began, so a release can tell a click from a drag onto a target.
    ScreenId pressedOn = MainMenu;
    int pressX = -1, pressY = -1;
    // The arrow a gamepad's stick or pad holds on each axis: -1, 0 or 1.
    int padX = 0, padY = 0;
};

struct AppState {
    bool running = true;
    ScreenId screen = MainMenu;
    FrameClock clock;
    int mouseX = 0;  // where the last pointer motion left the pointer
    int mouseY = 0;
    bool windowed = true;
    bool musicOn = true;
    std::string workingDir;

    InputState input;
    PlayState play;
    ParticleSystem particles;
    SavedGame save;
    UiState ui;
    EditorState editor;
};
