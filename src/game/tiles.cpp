#include "game/tiles.h"

#include "app/app_state.h"
#include "app/audio.h"
#include "game/gameplay.h"
#include "game/outcome.h"

#include <cmath>

namespace {

enum Heading { Down, Up, Right, Left, Still };

Heading headingOf(const LevelObject& object) {
    if (object.vy > 0) return Down;
    if (object.vy < 0) return Up;
    if (object.vx > 0) return Right;
    if (object.vx < 0) return Left;
    return Still;
}

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

void emitEdgeBurst(AppState& app, const EdgeBurst* table, Heading heading, const LevelObject& tile,
                   Img::Key normal, Img::Key intense) {
    if (heading == Still) return;
    const EdgeBurst& burst = table[heading];
    emitBurst(app.particles, tile.x + burst.offsetX, tile.y + burst.offsetY, burst.pattern,
              burstImage(app, normal, intense));
}

void emitCentreBurst(AppState& app, const LevelObject& tile, int pattern, Img::Key normal, Img::Key intense) {
    emitBurst(app.particles, tile.x + 16, tile.y + 16, pattern, burstImage(app, normal, intense));
}

bool isOn(const AppState& app, UnlockableId option) { return ::isOn(app.save, option); }

LevelObject& player(AppState& app) { return app.level.player; }

bool onTile(AppState& app, const LevelObject& tile, float dt) { return isOnTile(app.level.player, tile, dt); }

// Stops the player against a solid, remembering which way it was going.
void blockPlayer(AppState& app) {
    LevelObject& p = player(app);
    app.play.blockedVx = p.vx;
    app.play.blockedVy = p.vy;
    stopPlayer(p);
}

void strikeSolid(AppState& app, const LevelObject& tile) {
    impactEffects(app, tile);
    blockPlayer(app);
}

// Runs a test over a list whose entries the test may remove: a removed entry
// shifts the rest down, so the walk stays on the same index.
template <typename Test>
void forEachRemovable(std::vector<LevelObject>& list, Test removes) {
    for (std::size_t i = 0; i < list.size();) {
        if (removes(list[i]))
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

// 1 and 19: walls and metal doors stop the player.
void strikeSolids(AppState& app, TileKind kind) {
    for (const LevelObject& tile : app.level[kind])
        if (overlaps(player(app), tile)) strikeSolid(app, tile);
}

// 2: a pass-once tile lets the player cross once, then closes behind it.
void crossPassOnces(AppState& app, float dt) {
    for (LevelObject& tile : app.level[PassOnce]) {
        if (!overlaps(player(app), tile)) {
            if (tile.state == 1) tile.state = 0;
            continue;
        }
        if (tile.state == 2 && onTile(app, tile, dt)) tile.state = 1;
        if (tile.state == 0) strikeSolid(app, tile);
    }
}

// 3 to 6: one-way tiles.
struct ArrowRule {
    TileKind kind;
    float dirX, dirY;  // the way it lets the player through
    float inset;       // the left arrow's overlap is one pixel tighter at its left and top edges
};

constexpr ArrowRule arrowRules[] = {
    {ArrowLeft, -1, 0, 1},
    {ArrowUp, 0, -1, 0},
    {ArrowRight, 1, 0, 0},
    {ArrowDown, 0, 1, 0},
};

bool movedAlong(const LevelObject& p, float dirX, float dirY) {
    return (dirX < 0 && p.prevX > p.x) || (dirX > 0 && p.x > p.prevX) || (dirY < 0 && p.prevY > p.y) ||
           (dirY > 0 && p.y > p.prevY);
}

// A player who has not moved this frame is resting on the arrow or starting a
// move from it: it may stay, and may set off the arrow's way.
bool restsOrStartsAlong(const LevelObject& p, float dirX, float dirY) {
    if (p.x != p.prevX || p.y != p.prevY) return false;
    return (p.vx == 0 && p.vy == 0) || p.vx * dirX > 0 || p.vy * dirY > 0;
}

bool overlapsArrow(const LevelObject& p, const LevelObject& t, float inset) {
    return p.x < t.x + t.width && t.x + inset < p.x + p.width && p.y < t.y + t.height && t.y + inset < p.y + p.height;
}

// Low friction lets a player that stood on the arrow step off it any way; the
// whole step counts, not just the frames the player is still within reach of it.
bool stepsOffUnderLowFriction(const AppState& app, const LevelObject& tile) {
    return ::isOn(app.save, LowFriction) && app.play.moveStartX == tile.x && app.play.moveStartY == tile.y;
}

void meetArrows(AppState& app, const ArrowRule& rule, float dt) {
    for (const LevelObject& tile : app.level[rule.kind]) {
        const LevelObject& p = player(app);
        if (movedAlong(p, rule.dirX, rule.dirY) || restsOrStartsAlong(p, rule.dirX, rule.dirY)) continue;
        if (stepsOffUnderLowFriction(app, tile)) continue;
        if (!overlapsArrow(p, tile, rule.inset)) continue;
        impactEffects(app, tile);
        if (onTile(app, tile, dt) && isOn(app, LowFriction)) continue;
        blockPlayer(app);
    }
}

// 7: holes swallow the player once; the fade takes it from there.
void fallIntoHoles(AppState& app, float dt) {
    for (const LevelObject& hole : app.level[Hole]) {
        if (app.play.dying || !onTile(app, hole, dt)) continue;
        app.play.dying = true;
        app.play.movementEnabled = false;
        stopPlayer(player(app));
        if (movedLongEnough(app.play)) playEffect(app, Snd::holeSound);
    }
}

// 8: earth stops a sliding player on its own cell, but lets a standing one go.
void skidOnEarth(AppState& app, float dt) {
    for (const LevelObject& earth : app.level[Earth]) {
        if (!onTile(app, earth, dt) || !movedLongEnough(app.play)) continue;
        const LevelObject& p = player(app);
        if (p.x != p.prevX || p.y != p.prevY) playEffect(app, Snd::skidSound);
        emitEdgeBurst(app, farEdgeBursts, headingOf(p), earth, Img::dirt, Img::big_dirt);
        stopPlayer(player(app));
    }
}

// 9: peaches are collected on the way.
void collectPeaches(AppState& app, float dt) {
    forEachRemovable(app.level[Peach], [&](const LevelObject& peach) {
        if (!onTile(app, peach, dt)) return false;
        playEffect(app, Snd::bonusSound);
        emitCentreBurst(app, peach, 5, Img::peach_particle, Img::big_peachparticle);
        return true;
    });
}

// 10 to 13: speed tiles turn the player without restarting its move time.
struct SpeedRule {
    TileKind kind;
    float dirX, dirY;
};

constexpr SpeedRule speedRules[] = {
    {SpeedLeft, -1, 0},
    {SpeedUp, 0, -1},
    {SpeedRight, 1, 0},
    {SpeedDown, 0, 1},
};

// A speed tile turns a player that arrives on it. One that set off from it, or was
// sent back onto it, started the frame there: it rests or leaves as from any cell.
bool arrivesOn(const LevelObject& p, const LevelObject& tile) { return p.prevX != tile.x || p.prevY != tile.y; }

// A solid stopped the player going the tile's way: turning it again would knock
// it into the same solid in every frame.
bool blockedTheTilesWay(const GameplayState& play, const SpeedRule& rule) {
    return play.blockedVx * rule.dirX > 0 || play.blockedVy * rule.dirY > 0;
}

void rideSpeedTiles(AppState& app, const SpeedRule& rule, float dt) {
    // Low friction does not slow a speed tile down.
    float speed = isOn(app, FastMotion) ? 300.0f : 200.0f;
    for (const LevelObject& tile : app.level[rule.kind]) {
        LevelObject& p = player(app);
        if (!onTile(app, tile, dt) || !arrivesOn(p, tile) || blockedTheTilesWay(app.play, rule)) continue;
        // Sliding on at the tile's own speed needs no snap back onto it.
        if (p.vx == rule.dirX * speed && p.vy == rule.dirY * speed) continue;
        snapToCell(p);
        p.vx = rule.dirX * speed;
        p.vy = rule.dirY * speed;
    }
}

// 14 and 15: enemies bounce off obstacles and kill the player on contact.
struct EnemyAxis {
    TileKind kind;
    float LevelObject::*position;
    float LevelObject::*previous;
    float LevelObject::*velocity;
    TileKind backwardArrow;  // passed when moving backward along the axis
    TileKind forwardArrow;   // passed when moving forward
    TileKind crossArrows[2];
    const EdgeBurst* bursts;
    Heading forward, backward;
};

const EnemyAxis rightLeftAxis = {RightLeft, &LevelObject::x, &LevelObject::prevX, &LevelObject::vx,
                                 ArrowLeft, ArrowRight, {ArrowUp, ArrowDown}, nearEdgeBursts, Right, Left};
const EnemyAxis upDownAxis = {UpDown, &LevelObject::y, &LevelObject::prevY, &LevelObject::vy,
                              ArrowUp, ArrowDown, {ArrowLeft, ArrowRight}, enemyEdgeBursts, Down, Up};

void bounceOff(AppState& app, const EnemyAxis& axis, LevelObject& enemy, const LevelObject& obstacle) {
    if (!overlaps(enemy, obstacle)) return;
    bool forward = enemy.*axis.velocity > 0;
    enemy.*axis.position = obstacle.*axis.position + (forward ? -cellSize : cellSize);
    enemy.*axis.velocity = forward ? -app.play.slideSpeed : app.play.slideSpeed;
    // An enemy squeezed back onto the spot it held stays quiet.
    if (enemy.*axis.position == enemy.*axis.previous) return;
    emitEdgeBurst(app, axis.bursts, forward ? axis.forward : axis.backward, obstacle, Img::collision,
                  Img::big_collision);
    playEffect(app, Snd::collisionSound);
}

void bounceOffAll(AppState& app, const EnemyAxis& axis, LevelObject& enemy, TileKind kind) {
    for (const LevelObject& obstacle : app.level[kind])
        if (kind != PassOnce || obstacle.state == 0) bounceOff(app, axis, enemy, obstacle);
}

void patrol(AppState& app, const EnemyAxis& axis) {
    for (LevelObject& enemy : app.level[axis.kind]) {
        for (TileKind kind : {Wall, MetalDoor, PassOnce, Door}) bounceOffAll(app, axis, enemy, kind);
        if (!(enemy.*axis.previous > enemy.*axis.position)) bounceOffAll(app, axis, enemy, axis.backwardArrow);
        if (!(enemy.*axis.position > enemy.*axis.previous)) bounceOffAll(app, axis, enemy, axis.forwardArrow);
        for (TileKind kind : axis.crossArrows) bounceOffAll(app, axis, enemy, kind);
        if (overlaps(player(app), enemy)) killPlayer(app);
    }
}

// 16: keys are collected on the way and open doors later.
void collectKeys(AppState& app, float dt) {
    forEachRemovable(app.level[Key], [&](const LevelObject& key) {
        if (!onTile(app, key, dt)) return false;
        playEffect(app, Snd::bonusSound);
        emitCentreBurst(app, key, 0, Img::key_particle, Img::big_keyparticle);
        ++app.level.keysHeld;
        return true;
    });
}

// 17: a door opens for a carried key and lets the player slide on; without one it is a wall.
void openDoors(AppState& app) {
    forEachRemovable(app.level[Door], [&](const LevelObject& door) {
        if (!overlaps(player(app), door)) return false;
        if (app.level.keysHeld > 0) {
            playEffect(app, Snd::unlockSound);
            --app.level.keysHeld;
            return true;
        }
        strikeSolid(app, door);
        return false;
    });
}

// 18: the button removes every metal door of the level.
void pressButtons(AppState& app, float dt) {
    for (LevelObject& button : app.level[Button]) {
        if (!onTile(app, button, dt)) continue;
        button.image = image(Img::button_pressed);
        app.level[MetalDoor].clear();
    }
}

// 20: the goal ends the attempt.
void reachGoals(AppState& app, float dt) {
    for (const LevelObject& goal : app.level[Goal]) {
        if (!onTile(app, goal, dt)) continue;
        stopPlayer(player(app));
        bool delayRunning = app.play.goalDelay.running;
        if (!delayRunning) {
            playEffect(app, Snd::goalSound);
            emitCentreBurst(app, goal, 0, Img::star, Img::big_star);
        }
        if (app.screen == TestPlay) {
            endTestPlay(app);  // empties the lists, so the walk ends here
            return;
        }
        if (!delayRunning) startTimer(app.play.goalDelay);
    }
}

}  // namespace

void advanceEnemies(AppState& app, float dt) {
    for (LevelObject& enemy : app.level[RightLeft]) {
        enemy.prevX = enemy.x;
        enemy.x += enemy.vx * dt;
    }
    for (LevelObject& enemy : app.level[UpDown]) {
        enemy.prevY = enemy.y;
        enemy.y += enemy.vy * dt;
    }
}

void runTileInteractions(AppState& app, float dt) {
    app.play.blockedVx = app.play.blockedVy = 0;
    strikeSolids(app, Wall);
    crossPassOnces(app, dt);
    for (const ArrowRule& rule : arrowRules) meetArrows(app, rule, dt);
    fallIntoHoles(app, dt);
    skidOnEarth(app, dt);
    collectPeaches(app, dt);
    for (const SpeedRule& rule : speedRules) rideSpeedTiles(app, rule, dt);
    patrol(app, rightLeftAxis);
    patrol(app, upDownAxis);
    collectKeys(app, dt);
    openDoors(app);
    pressButtons(app, dt);
    strikeSolids(app, MetalDoor);
    reachGoals(app, dt);
}

void impactEffects(AppState& app, const LevelObject& tile) {
    if (!movedLongEnough(app.play)) return;
    playEffect(app, Snd::collisionSound);
    emitEdgeBurst(app, nearEdgeBursts, headingOf(player(app)), tile, Img::collision, Img::big_collision);
}

void killPlayer(AppState& app) {
    LevelObject& p = player(app);
    if (p.alpha == 255) playEffect(app, Snd::dieSound);
    if (!app.play.deathDelay.running) {
        startTimer(app.play.deathDelay);
        bool green = isOn(app, GreenPlayer);
        Img::Key normal = green ? Img::green_particle : Img::red_particle;
        Img::Key intense = green ? Img::green_bigparticle : Img::red_bigparticle;
        emitBurst(app.particles, p.x + 16, p.y + 16, 6, burstImage(app, normal, intense));
    }
    app.play.movementEnabled = false;
    p.alpha = 0;
    stopPlayer(p);
}
