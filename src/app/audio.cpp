#include "app/audio.h"

#include "app/app_state.h"
#include "app/random.h"

namespace {
EffectListener effectListener;
}

int randomInt(int a, int b) {
    seedRandomOnce();
    int r = nextRandom();
    return static_cast<int>(a + (b - a + 1) * static_cast<double>(r) / 32767.0);
}

Mix_Music* pickTrack(bool editedMusic) {
    int choice = randomInt(0, 2);
    int track = (choice == 1 || choice == 2) ? choice : 0;  // 3 comes once in 32768 draws
    return resources.music[track + (editedMusic ? Mus::music1_edited : Mus::music1)];
}

void startMusic(AppState& app) {
    Mix_Music* track = pickTrack(isOn(app.save, EditedMusic));
    if (track) Mix_PlayMusic(track, 2);
}

void keepMusicAlive(AppState& app) {
    if (app.musicOn && !Mix_PlayingMusic()) startMusic(app);
}

void toggleMusic(AppState& app) {
    if (app.musicOn) {
        Mix_HaltMusic();
        app.musicOn = false;
    } else {
        startMusic(app);
        app.musicOn = true;
    }
}

void playEffect(const AppState& app, Snd::Key effect) {
    if (!app.musicOn) return;
    if (effectListener) effectListener(effect);
    if (resources.sounds[effect]) Mix_PlayChannelTimed(-1, resources.sounds[effect], 0, -1);
}

void setEffectListener(EffectListener listener) { effectListener = std::move(listener); }
