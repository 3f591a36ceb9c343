#pragma once
// Background music and one-shot sound effects, all behind the music switch.
#include "app/resources.h"

#include <functional>

struct AppState;

// rand() based, seeded from the clock on first use: a + (b - a + 1) * r / 32767.
int randomInt(int a, int b);

Mix_Music* pickTrack(bool editedMusic);
void startMusic(AppState& app);
// Once per frame: starts a new random track when none is playing and music is on.
void keepMusicAlive(AppState& app);
// The main menu's music button.
void toggleMusic(AppState& app);

void playEffect(const AppState& app, Snd::Key effect);

// Tests listen here to learn which effects the rules played.
using EffectListener = std::function<void(Snd::Key)>;
void setEffectListener(EffectListener listener);
