#include "core/play_state.h"

#include <cmath>
#include <utility>

// ---- The pieces -------------------------------------------------------------

void PieceLists::erase(TileKind kind, std::size_t index) {
    pieces_.erase(pieces_.begin() + start_[kind] + static_cast<std::ptrdiff_t>(index));
    for (int k = kind + 1; k <= TileKindCount; ++k) --start_[k];
}

void PieceLists::clear(TileKind kind) {
    std::uint16_t count = static_cast<std::uint16_t>(start_[kind + 1] - start_[kind]);
    pieces_.erase(pieces_.begin() + start_[kind], pieces_.begin() + start_[kind + 1]);
    for (int k = kind + 1; k <= TileKindCount; ++k) start_[k] = static_cast<std::uint16_t>(start_[k] - count);
}

void PieceLists::clear() {
    pieces_.clear();
    start_.fill(0);
}

void PieceLists::assign(const std::array<std::vector<Piece>, TileKindCount>& lists) {
    pieces_.clear();
    for (int kind = 0; kind < TileKindCount; ++kind) {
        start_[kind] = static_cast<std::uint16_t>(pieces_.size());
        if (kind > Player) pieces_.insert(pieces_.end(), lists[kind].begin(), lists[kind].end());
    }
    start_[TileKindCount] = static_cast<std::uint16_t>(pieces_.size());
}

namespace {

bool samePiece(const Piece& a, const Piece& b) {
    return a.x == b.x && a.y == b.y && a.prevX == b.prevX && a.prevY == b.prevY && a.vx == b.vx && a.vy == b.vy &&
           a.alpha == b.alpha && a.state == b.state;
}

}  // namespace

bool PieceLists::operator==(const PieceLists& other) const {
    if (start_ != other.start_) return false;
    for (std::size_t i = 0; i < pieces_.size(); ++i)
        if (!samePiece(pieces_[i], other.pieces_[i])) return false;
    return true;
}

// A splitmix step: small, fast and the same on every machine.
bool PlayRandom::nextBool() {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    z ^= z >> 31;
    return (z >> 17) % 2 == 0;
}

bool PlayEvents::has(PlayEventKind kind) const {
    for (const PlayEvent& event : *this)
        if (event.kind == kind) return true;
    return false;
}

// ---- Loading ------------------------------------------------------------------

namespace {

constexpr float mirrorEdge = (boardColumns - 1) * cellSize;

Piece pieceAt(int column, int row) {
    Piece piece;
    piece.x = static_cast<float>(column * cellSize);
    piece.y = static_cast<float>(row * cellSize);
    return piece;
}

float randomSign(PlayRandom& random) { return random.nextBool() ? 1.0f : -1.0f; }

void mirror(Piece& piece) { piece.x = mirrorEdge - piece.x; }

}  // namespace

void loadPlay(PlayState& play, const LevelGrid& grid, const PlayRules& rules) {
    if (!play.grid || *play.grid != grid) play.grid = std::make_shared<const LevelGrid>(grid);
    play.rules = rules;
    play.keysHeld = 0;
    std::array<std::vector<Piece>, TileKindCount> lists;
    forEachCellInFileOrder([&](int column, int row) {
        int code = grid[cellIndex(column, row)];
        if (!isObjectCode(code)) return;
        Piece piece = pieceAt(column, row);
        if (code == Player) {
            play.player = piece;
            return;
        }
        if (code == UpDown) piece.vy = randomSign(play.random) * movementSpeed(rules);
        if (code == RightLeft) piece.vx = randomSign(play.random) * movementSpeed(rules);
        lists[code].push_back(piece);
    });
    if (rules.mirrored && !rules.boardAsDrawn) {
        // The mirror turns the tiles that point left or right, so each rule meets
        // the tiles that now point its way.
        mirror(play.player);
        std::array<std::vector<Piece>, TileKindCount> turned;
        for (int kind = 0; kind < TileKindCount; ++kind) {
            for (Piece& piece : lists[kind]) mirror(piece);
            turned[tileKinds[kind].mirrored] = std::move(lists[kind]);
        }
        lists = std::move(turned);
    }
    play.pieces.assign(lists);
}

PlayState newPlay(const LevelGrid& grid, const PlayRules& rules, std::uint64_t seed) {
    PlayState play;
    play.random.state = seed;
    loadPlay(play, grid, rules);
    return play;
}

void restartPlay(PlayState& play) {
    if (play.grid) loadPlay(play, *play.grid, play.rules);
}

void forceEnemyStarts(PlayState& play, const std::vector<bool>& starts) {
    if (!play.grid) return;
    std::size_t enemy = 0;
    std::array<std::size_t, 2> seen{};  // of each kind so far
    forEachCellInFileOrder([&](int column, int row) {
        int code = (*play.grid)[cellIndex(column, row)];
        if (!isEnemyCode(code)) return;
        bool positive = enemy < starts.size() ? static_cast<bool>(starts[enemy]) : true;
        ++enemy;
        std::size_t& index = seen[code == UpDown ? 0 : 1];
        Piece& piece = play[static_cast<TileKind>(code)][index++];
        float speed = (positive ? 1.0f : -1.0f) * movementSpeed(play.rules);
        (code == UpDown ? piece.vy : piece.vx) = speed;
    });
}

void resetMotion(PlayState& play) {
    PlayState fresh;
    play.slideSpeed = fresh.slideSpeed;
    play.moveTime = fresh.moveTime;
    play.moveStartX = fresh.moveStartX;
    play.moveStartY = fresh.moveStartY;
    play.movementEnabled = fresh.movementEnabled;
    play.dying = fresh.dying;
    play.goalDelay = fresh.goalDelay;
    play.deathDelay = fresh.deathDelay;
    play.animPhase = fresh.animPhase;
    play.blockedVx = fresh.blockedVx;
    play.blockedVy = fresh.blockedVy;
}

void startTimer(DelayTimer& timer) {
    timer.running = true;
    timer.remaining = timer.duration;
}

bool stepTimer(DelayTimer& timer, float dt) {
    if (!timer.running) return false;
    if (timer.remaining >= 0) {
        timer.remaining -= dt;
        return false;
    }
    timer.running = false;
    timer.remaining = timer.duration;
    return true;
}

void leavePlay(PlayState& play) {
    play.pieces.clear();
    play.player.alpha = 255;
    play.dying = false;
    play.movementEnabled = true;
    play.keysHeld = 0;
    play.deathDelay.running = false;
}

// ---- Small rules ------------------------------------------------------------------

void snapToCell(Piece& piece) {
    auto snap = [](float v) {
        // Pinned first: converting a float beyond the int range would be undefined.
        int n = static_cast<int>(std::trunc(std::fmax(-1e9f, std::fmin(v, 1e9f))));
        return static_cast<float>(cellSize * ((n + cellSize / 2) / cellSize));
    };
    piece.x = snap(piece.x);
    piece.y = snap(piece.y);
}

bool overlaps(const Piece& a, const Piece& b) {
    return a.x < b.x + cellSize && b.x < a.x + cellSize && a.y < b.y + cellSize && b.y < a.y + cellSize;
}

bool isOnTile(const Piece& player, const Piece& tile, float dt) {
    return std::fabs(player.x - tile.x) <= std::fabs(player.vx) * dt &&
           std::fabs(player.y - tile.y) <= std::fabs(player.vy) * dt;
}

void stopPlayer(Piece& player) {
    player.vx = 0;
    player.vy = 0;
    snapToCell(player);
}

bool isOffBoard(const Piece& player) {
    constexpr float boardWidth = boardColumns * cellSize;
    constexpr float boardHeight = boardRows * cellSize;
    return player.x + cellSize < 0 || player.y + cellSize < 0 || player.x - cellSize > boardWidth ||
           player.y - cellSize > boardHeight;
}

namespace {

// One step in progress: the state, the frame time and the events so far.
struct Stepper {
    PlayState& play;
    float dt;
    PlayEvents& events;

    Piece& player() { return play.player; }
    bool onTile(const Piece& tile) const { return isOnTile(play.player, tile, dt); }
    void note(PlayEventKind kind, TileKind tile, float x, float y, Heading heading = Heading::Still, bool loud = true,
              bool first = false) {
        events.add({kind, tile, x, y, heading, loud, first});
    }
};

constexpr float animFramesPerSecond = 30.0f;
constexpr float animFrameCount = 5.0f;
constexpr int fadeStep = 5;

Heading headingOf(const Piece& piece) {
    if (piece.vy > 0) return Heading::Down;
    if (piece.vy < 0) return Heading::Up;
    if (piece.vx > 0) return Heading::Right;
    if (piece.vx < 0) return Heading::Left;
    return Heading::Still;
}

// ---- The player's own motion ----------------------------------------------------------

// The player sinking into a hole fades by 5 a frame, then the level restarts.
void fadeDyingPlayer(Stepper& s) {
    Piece& player = s.player();
    if (player.alpha > 0) {
        player.alpha -= fadeStep;
        return;
    }
    s.play.dying = false;
    s.play.movementEnabled = true;
    restartPlay(s.play);
    s.note(PlayEventKind::FadeOver, Player, s.player().x, s.player().y);
}

// A dying player fades where it fell, a dead one waits.
void moveOrFade(Stepper& s) {
    if (s.play.dying) {
        fadeDyingPlayer(s);
    } else if (s.play.movementEnabled) {
        Piece& player = s.player();
        player.x += player.vx * s.dt;
        player.y += player.vy * s.dt;
    }
}

void advanceEnemies(Stepper& s) {
    for (Piece& enemy : s.play[RightLeft]) {
        enemy.prevX = enemy.x;
        enemy.x += enemy.vx * s.dt;
    }
    for (Piece& enemy : s.play[UpDown]) {
        enemy.prevY = enemy.y;
        enemy.y += enemy.vy * s.dt;
    }
}

void advanceAnimation(Stepper& s) {
    s.play.animPhase += animFramesPerSecond * s.dt;
    if (s.play.animPhase >= animFrameCount) s.play.animPhase -= animFrameCount;
}

// A move on an axis starts only from rest, and the first held key in this order wins.
struct MoveStart {
    bool PlayInput::*held;
    float dirX, dirY;
    bool mirrored;  // the mirror swaps left and right, never up and down
};

constexpr MoveStart moveStarts[] = {
    {&PlayInput::left, -1, 0, true},
    {&PlayInput::right, 1, 0, true},
    {&PlayInput::up, 0, -1, false},
    {&PlayInput::down, 0, 1, false},
};

bool atRest(const Piece& player) { return player.vx == 0 && player.vy == 0; }

void startMove(Stepper& s, const PlayInput& input) {
    PlayState& play = s.play;
    Piece& player = s.player();
    float mirror = play.rules.mirrored ? -1.0f : 1.0f;
    for (const MoveStart& start : moveStarts) {
        if (!(input.*start.held) || !atRest(player)) continue;
        float sign = start.mirrored ? mirror : 1.0f;
        player.vx = start.dirX * sign * play.slideSpeed;
        player.vy = start.dirY * play.slideSpeed;
        play.moveTime = 0;
        play.moveStartX = player.x;
        play.moveStartY = player.y;
    }
}

// A cell the player has just left lies within a frame's travel too; it does not
// count, or a speed tile's push would be stopped where it began, frame after frame.
bool reachedOnAxis(float position, float cell, float velocity, float dt) {
    return std::fabs(position - cell) <= std::fabs(velocity) * dt && (cell - position) * velocity >= 0;
}

bool reachedCell(const Piece& player, int column, int row, float dt) {
    return reachedOnAxis(player.x, static_cast<float>(column * cellSize), player.vx, dt) &&
           reachedOnAxis(player.y, static_cast<float>(row * cellSize), player.vy, dt);
}

// Low friction stops the player on every cell it reaches.
void stepOneCell(Stepper& s) {
    if (!s.play.rules.lowFriction) return;
    for (int column = 0; column < boardColumns; ++column)
        for (int row = 0; row < boardRows; ++row)
            if (reachedCell(s.player(), column, row, s.dt) && movedLongEnough(s.play)) stopPlayer(s.player());
}

void leaveBoard(Stepper& s) {
    if (!isOffBoard(s.player())) return;
    s.note(PlayEventKind::LeftBoard, Player, s.player().x, s.player().y, headingOf(s.player()));
    restartPlay(s.play);
}

// The goal delay ends the level: the front end loads the next one, so nothing
// else of this frame happens on this board.
bool runDelays(Stepper& s) {
    if (stepTimer(s.play.goalDelay, s.dt)) {
        s.note(PlayEventKind::GoalDelayOver, Goal, s.player().x, s.player().y);
        return false;
    }
    if (stepTimer(s.play.deathDelay, s.dt)) {
        restartPlay(s.play);
        s.play.movementEnabled = true;
        s.player().alpha = 255;
        s.note(PlayEventKind::Revived, Player, s.player().x, s.player().y);
    }
    return true;
}

// ---- What every tile does, in the order that decides who acts first -------------------

// A strike after a real slide is heard and throws sparks.
void impact(Stepper& s, TileKind kind, const Piece& tile) {
    if (!movedLongEnough(s.play)) return;
    s.note(PlayEventKind::Impact, kind, tile.x, tile.y, headingOf(s.player()));
}

// Stops the player against a solid, remembering which way it was going.
void blockPlayer(Stepper& s) {
    Piece& p = s.player();
    s.play.blockedVx = p.vx;
    s.play.blockedVy = p.vy;
    stopPlayer(p);
}

void strikeSolid(Stepper& s, TileKind kind, const Piece& tile) {
    impact(s, kind, tile);
    blockPlayer(s);
}

// Runs a test over a list whose entries the test may remove: a removed entry
// shifts the rest down, so the walk stays on the same index.
template <typename Test>
void forEachRemovable(Stepper& s, TileKind kind, Test removes) {
    for (std::size_t i = 0; i < s.play[kind].size();) {
        if (removes(s.play[kind][i]))
            s.play.pieces.erase(kind, i);
        else
            ++i;
    }
}

// Walls and metal doors stop the player.
void strikeSolids(Stepper& s, TileKind kind) {
    for (const Piece& tile : s.play[kind])
        if (overlaps(s.player(), tile)) strikeSolid(s, kind, tile);
}

// A pass-once tile lets the player cross once, then closes behind it.
void crossPassOnces(Stepper& s) {
    for (Piece& tile : s.play[PassOnce]) {
        if (!overlaps(s.player(), tile)) {
            if (tile.state == 1) tile.state = 0;
            continue;
        }
        if (tile.state == 2 && s.onTile(tile)) tile.state = 1;
        if (tile.state == 0) strikeSolid(s, PassOnce, tile);
    }
}

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

bool movedAlong(const Piece& p, float dirX, float dirY) {
    return (dirX < 0 && p.prevX > p.x) || (dirX > 0 && p.x > p.prevX) || (dirY < 0 && p.prevY > p.y) ||
           (dirY > 0 && p.y > p.prevY);
}

// A player who has not moved this frame is resting on the arrow or starting a
// move from it: it may stay, and may set off the arrow's way.
bool restsOrStartsAlong(const Piece& p, float dirX, float dirY) {
    if (p.x != p.prevX || p.y != p.prevY) return false;
    return (p.vx == 0 && p.vy == 0) || p.vx * dirX > 0 || p.vy * dirY > 0;
}

bool overlapsArrow(const Piece& p, const Piece& t, float inset) {
    return p.x < t.x + cellSize && t.x + inset < p.x + cellSize && p.y < t.y + cellSize && t.y + inset < p.y + cellSize;
}

// Low friction lets a player that stood on the arrow step off it any way; the
// whole step counts, not just the frames the player is still within reach of it.
bool stepsOffUnderLowFriction(const PlayState& play, const Piece& tile) {
    return play.rules.lowFriction && play.moveStartX == tile.x && play.moveStartY == tile.y;
}

void meetArrows(Stepper& s, const ArrowRule& rule) {
    for (const Piece& tile : s.play[rule.kind]) {
        const Piece& p = s.player();
        if (movedAlong(p, rule.dirX, rule.dirY) || restsOrStartsAlong(p, rule.dirX, rule.dirY)) continue;
        if (stepsOffUnderLowFriction(s.play, tile)) continue;
        if (!overlapsArrow(p, tile, rule.inset)) continue;
        impact(s, rule.kind, tile);
        if (s.onTile(tile) && s.play.rules.lowFriction) continue;
        blockPlayer(s);
    }
}

// Holes swallow the player once; the fade takes it from there.
void fallIntoHoles(Stepper& s) {
    for (const Piece& hole : s.play[Hole]) {
        if (s.play.dying || !s.onTile(hole)) continue;
        s.play.dying = true;
        s.play.movementEnabled = false;
        stopPlayer(s.player());
        s.note(PlayEventKind::Fall, Hole, hole.x, hole.y, Heading::Still, movedLongEnough(s.play));
    }
}

// Earth stops a sliding player on its own cell, but lets a standing one go.
void skidOnEarth(Stepper& s) {
    for (const Piece& earth : s.play[Earth]) {
        if (!s.onTile(earth) || !movedLongEnough(s.play)) continue;
        const Piece& p = s.player();
        bool moved = p.x != p.prevX || p.y != p.prevY;
        s.note(PlayEventKind::Skid, Earth, earth.x, earth.y, headingOf(p), moved);
        stopPlayer(s.player());
    }
}

void collectPeaches(Stepper& s) {
    forEachRemovable(s, Peach, [&](const Piece& peach) {
        if (!s.onTile(peach)) return false;
        s.note(PlayEventKind::TakePeach, Peach, peach.x, peach.y);
        return true;
    });
}

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
bool arrivesOn(const Piece& p, const Piece& tile) { return p.prevX != tile.x || p.prevY != tile.y; }

// A solid stopped the player going the tile's way: turning it again would knock
// it into the same solid in every frame.
bool blockedTheTilesWay(const PlayState& play, const SpeedRule& rule) {
    return play.blockedVx * rule.dirX > 0 || play.blockedVy * rule.dirY > 0;
}

// Speed tiles turn the player without restarting its move time.
void rideSpeedTiles(Stepper& s, const SpeedRule& rule) {
    // Low friction does not slow a speed tile down.
    float speed = s.play.rules.fastMotion ? 300.0f : 200.0f;
    for (const Piece& tile : s.play[rule.kind]) {
        Piece& p = s.player();
        if (!s.onTile(tile) || !arrivesOn(p, tile) || blockedTheTilesWay(s.play, rule)) continue;
        // Sliding on at the tile's own speed needs no snap back onto it.
        if (p.vx == rule.dirX * speed && p.vy == rule.dirY * speed) continue;
        snapToCell(p);
        p.vx = rule.dirX * speed;
        p.vy = rule.dirY * speed;
    }
}

// Enemies bounce off obstacles and kill the player on contact.
struct EnemyAxis {
    TileKind kind;
    float Piece::*position;
    float Piece::*previous;
    float Piece::*velocity;
    TileKind backwardArrow;  // passed when moving backward along the axis
    TileKind forwardArrow;   // passed when moving forward
    TileKind crossArrows[2];
    Heading forward, backward;
};

constexpr EnemyAxis rightLeftAxis = {RightLeft,    &Piece::x,  &Piece::prevX,        &Piece::vx,
                                     ArrowLeft,    ArrowRight, {ArrowUp, ArrowDown}, Heading::Right,
                                     Heading::Left};
constexpr EnemyAxis upDownAxis = {UpDown,     &Piece::y, &Piece::prevY,           &Piece::vy,
                                  ArrowUp,    ArrowDown, {ArrowLeft, ArrowRight}, Heading::Down,
                                  Heading::Up};

void bounceOff(Stepper& s, const EnemyAxis& axis, Piece& enemy, const Piece& obstacle) {
    if (!overlaps(enemy, obstacle)) return;
    bool forward = enemy.*axis.velocity > 0;
    enemy.*axis.position = obstacle.*axis.position + (forward ? -cellSize : cellSize);
    enemy.*axis.velocity = forward ? -s.play.slideSpeed : s.play.slideSpeed;
    // An enemy squeezed back onto the spot it held stays quiet.
    if (enemy.*axis.position == enemy.*axis.previous) return;
    s.note(PlayEventKind::EnemyBounce, axis.kind, obstacle.x, obstacle.y, forward ? axis.forward : axis.backward);
}

void bounceOffAll(Stepper& s, const EnemyAxis& axis, Piece& enemy, TileKind kind) {
    for (const Piece& obstacle : s.play[kind])
        if (kind != PassOnce || obstacle.state == 0) bounceOff(s, axis, enemy, obstacle);
}

void killPlayer(Stepper& s) {
    Piece& p = s.player();
    bool first = !s.play.deathDelay.running;
    s.note(PlayEventKind::Death, Player, p.x, p.y, headingOf(p), p.alpha == 255, first);
    if (first) startTimer(s.play.deathDelay);
    s.play.movementEnabled = false;
    p.alpha = 0;
    stopPlayer(p);
}

void patrol(Stepper& s, const EnemyAxis& axis) {
    for (Piece& enemy : s.play[axis.kind]) {
        for (TileKind kind : {Wall, MetalDoor, PassOnce, Door}) bounceOffAll(s, axis, enemy, kind);
        if (!(enemy.*axis.previous > enemy.*axis.position)) bounceOffAll(s, axis, enemy, axis.backwardArrow);
        if (!(enemy.*axis.position > enemy.*axis.previous)) bounceOffAll(s, axis, enemy, axis.forwardArrow);
        for (TileKind kind : axis.crossArrows) bounceOffAll(s, axis, enemy, kind);
        if (overlaps(s.player(), enemy)) killPlayer(s);
    }
}

// Keys are collected on the way and open doors later.
void collectKeys(Stepper& s) {
    forEachRemovable(s, Key, [&](const Piece& key) {
        if (!s.onTile(key)) return false;
        s.note(PlayEventKind::TakeKey, Key, key.x, key.y);
        ++s.play.keysHeld;
        return true;
    });
}

// A door opens for a carried key and lets the player slide on; without one it is a wall.
void openDoors(Stepper& s) {
    forEachRemovable(s, Door, [&](const Piece& door) {
        if (!overlaps(s.player(), door)) return false;
        if (s.play.keysHeld > 0) {
            s.note(PlayEventKind::OpenDoor, Door, door.x, door.y);
            --s.play.keysHeld;
            return true;
        }
        strikeSolid(s, Door, door);
        return false;
    });
}

// The button removes every metal door of the level.
void pressButtons(Stepper& s) {
    for (Piece& button : s.play[Button]) {
        if (!s.onTile(button)) continue;
        if (button.state != 0) s.note(PlayEventKind::PressButton, Button, button.x, button.y);
        button.state = 0;
        s.play.pieces.clear(MetalDoor);
    }
}

void reachGoals(Stepper& s) {
    for (const Piece& goal : s.play[Goal]) {
        if (!s.onTile(goal)) continue;
        stopPlayer(s.player());
        bool delayRunning = s.play.goalDelay.running;
        s.note(PlayEventKind::ReachGoal, Goal, goal.x, goal.y, Heading::Still, !delayRunning);
        if (!delayRunning) startTimer(s.play.goalDelay);
    }
}

void runTileInteractions(Stepper& s) {
    s.play.blockedVx = s.play.blockedVy = 0;
    strikeSolids(s, Wall);
    crossPassOnces(s);
    for (const ArrowRule& rule : arrowRules) meetArrows(s, rule);
    fallIntoHoles(s);
    skidOnEarth(s);
    collectPeaches(s);
    for (const SpeedRule& rule : speedRules) rideSpeedTiles(s, rule);
    patrol(s, rightLeftAxis);
    patrol(s, upDownAxis);
    collectKeys(s);
    openDoors(s);
    pressButtons(s);
    strikeSolids(s, MetalDoor);
    reachGoals(s);
}

}  // namespace

PlayEvents step(PlayState& play, const PlayInput& input, float dt) {
    PlayEvents events;
    Stepper s{play, dt, events};
    play.slideSpeed = movementSpeed(play.rules);
    play.player.prevX = play.player.x;
    play.player.prevY = play.player.y;
    moveOrFade(s);
    advanceEnemies(s);
    advanceAnimation(s);
    if (!runDelays(s)) return events;
    play.moveTime += dt;
    startMove(s, input);
    stepOneCell(s);
    leaveBoard(s);
    runTileInteractions(s);
    return events;
}
