#include "game/gameplay.h"

#include "app/app_state.h"

void setSlideSpeed(AppState& app) { app.play.slideSpeed = movementSpeed(app.save); }

void gameplayStep(AppState&, float) {}
