#pragma once
// The game over the rules: on the play screens each frame steps the play state
// with the held arrows, then turns what the step reports into sounds, sparks,
// saved progress and screen changes. Particles and notices move on every screen.
struct AppState;

// One frame of gameplay with the frame time dt.
void gameplayStep(AppState& app, float dt);
