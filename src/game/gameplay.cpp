#include "game/gameplay.h"

#include "app/app_state.h"
#include "app/audio.h"
#include "editor/editor.h"
#include "level/level_sequence.h"
#include "ui/notification.h"

namespace {

// Where on a tile a burst starts, relative to its corner, for each heading.
struct EdgeBurst {
    int pattern;
    float offsetX, offsetY;
};

constexpr EdgeBurst nearEdgeBursts[] = {{4, 16, 0}, {3, 16, 32}, {2, 0, 16}, {1, 32, 16}};
constexpr EdgeBurst farEdgeBursts[] = {{4, 16, 32}, {3, 16, 0}, {2, 32, 16}, {1, 0, 16}};
// Enemies on the vertical axis use the other of the two horizontal-edge sprays.
constexpr EdgeBurst enemyEdgeBursts[] = {{3, 16, 0}, {4, 16, 32}, {2, 0, 16}, {1, 32, 16}};

SDL_Surface* burstImage(const AppState& app, Img::Key normal, Img::Key intense) {
    return image(isOn(app.save, IntenseParticles) ? intense : normal);
}

void emitEdgeBurst(AppState& app, const EdgeBurst* table, const PlayEvent& event, Img::Key normal, Img::Key intense) {
    if (event.heading == Heading::Still) return;
    const EdgeBurst& burst = table[static_cast<int>(event.heading)];
    emitBurst(app.particles, event.x + burst.offsetX, event.y + burst.offsetY, burst.pattern,
              burstImage(app, normal, intense));
}

void emitCentreBurst(AppState& app, const PlayEvent& event, int pattern, Img::Key normal, Img::Key intense) {
    emitBurst(app.particles, event.x + 16, event.y + 16, pattern, burstImage(app, normal, intense));
}

void deathSpray(AppState& app, const PlayEvent& event) {
    bool green = isOn(app.save, GreenPlayer);
    Img::Key normal = green ? Img::green_particle : Img::red_particle;
    Img::Key intense = green ? Img::green_bigparticle : Img::red_bigparticle;
    emitCentreBurst(app, event, 6, normal, intense);
}

// Test play ends at the goal itself, with no delay and nothing recorded.
void reachGoal(AppState& app, const PlayEvent& event) {
    if (event.loud) {
        playEffect(app, Snd::goalSound);
        emitCentreBurst(app, event, 0, Img::star, Img::big_star);
    }
    if (app.screen != TestPlay) return;
    app.play.goalDelay = DelayTimer(app.play.goalDelay.duration);
    endTestPlay(app);
}

// What the game shows and plays for one event of the rules.
void playEvent(AppState& app, const PlayEvent& event) {
    switch (event.kind) {
        case PlayEventKind::Impact:
            playEffect(app, Snd::collisionSound);
            emitEdgeBurst(app, nearEdgeBursts, event, Img::collision, Img::big_collision);
            break;
        case PlayEventKind::EnemyBounce:
            emitEdgeBurst(app, event.tile == UpDown ? enemyEdgeBursts : nearEdgeBursts, event, Img::collision,
                          Img::big_collision);
            playEffect(app, Snd::collisionSound);
            break;
        case PlayEventKind::Skid:
            if (event.loud) playEffect(app, Snd::skidSound);
            emitEdgeBurst(app, farEdgeBursts, event, Img::dirt, Img::big_dirt);
            break;
        case PlayEventKind::Fall:
            if (event.loud) playEffect(app, Snd::holeSound);
            break;
        case PlayEventKind::TakePeach:
            playEffect(app, Snd::bonusSound);
            emitCentreBurst(app, event, 5, Img::peach_particle, Img::big_peachparticle);
            break;
        case PlayEventKind::TakeKey:
            playEffect(app, Snd::bonusSound);
            emitCentreBurst(app, event, 0, Img::key_particle, Img::big_keyparticle);
            break;
        case PlayEventKind::OpenDoor: playEffect(app, Snd::unlockSound); break;
        case PlayEventKind::ReachGoal: reachGoal(app, event); break;
        case PlayEventKind::Death:
            if (event.loud) playEffect(app, Snd::dieSound);
            if (event.first) deathSpray(app, event);
            break;
        case PlayEventKind::LeftBoard: playEffect(app, Snd::holeSound); break;
        // The level is won in gameplayStep, before the notices move.
        case PlayEventKind::GoalDelayOver:
        // The rules restart the level themselves, silently.
        case PlayEventKind::Revived:
        case PlayEventKind::FadeOver:
        // The metal doors simply vanish.
        case PlayEventKind::PressButton: break;
    }
}

}  // namespace

void gameplayStep(AppState& app, float dt) {
    PlayEvents events;
    if (isPlayScreen(app.screen)) {
        // The switches are read afresh each frame, as a restart reads them too.
        app.play.rules = playRules(app.save, app.screen == TestPlay);
        events = step(app.play, app.input.arrows, dt);
    }
    updateParticles(app.particles, dt);
    // The level is won before the notices move, so a notice it unlocks rises in this frame.
    if (events.has(PlayEventKind::GoalDelayOver)) finishLevel(app);
    updateNotification(app, dt);
    raiseUnlockNotices(app);
    for (const PlayEvent& event : events) {
        // Test play's goal empties the board, and a won level loads the next one:
        // the rest of the step belonged to a board that is gone.
        if (!isPlayScreen(app.screen) || event.kind == PlayEventKind::GoalDelayOver) break;
        playEvent(app, event);
    }
}
