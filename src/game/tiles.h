#pragma once
// What every tile does to the sliding player and to the enemies, in a fixed order.
struct AppState;
struct LevelObject;

// Enemies patrol: each moves along its own axis by its velocity.
void advanceEnemies(AppState& app, float dt);
// Every tile test of one frame, in the order that decides who acts first.
void runTileInteractions(AppState& app, float dt);
// The sound and sparks of the player striking a solid tile after a real slide.
void impactEffects(AppState& app, const LevelObject& tile);
// An enemy touched the player.
void killPlayer(AppState& app);
