#pragma once
// The rules of a level in play: the player's slide, the timers of an attempt and
// the gameplay step that runs once per frame. Nothing here needs a display.
#include "game/gameplay_state.h"

struct AppState;

// Frame start: the slide speed for this frame follows the unlockable switches.
void setSlideSpeed(AppState& app);

// One gameplay step with the frame time dt; runs on every screen.
void gameplayStep(AppState& app, float dt);

void snapToCell(LevelObject& object);
bool overlaps(const LevelObject& a, const LevelObject& b);
bool isOnTile(const LevelObject& player, const LevelObject& tile, float dt);
void stopPlayer(LevelObject& player);
