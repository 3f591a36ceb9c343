#pragma once
// The rules of a level in play, as a value. A PlayState is the board's pieces,
// the player's motion and the two delays; `step` advances it by one frame of
// held arrows and returns what happened, for a front end to turn into sounds,
// sparks and screens. Nothing here knows of a window, a sound or a file: the
// game, the solver and the tests all drive the rules through this one door.
// The same state, input and dt always give the same result.
#include "core/board.h"
#include "core/tile_kinds.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The unlockable switches that change the rules of play. Mirrored levels is a
// transform of the board at load; the other two act on every step.
struct PlayRules {
    bool mirrored = false;
    bool fastMotion = false;
    bool lowFriction = false;
    // A test map shows the board as the editor drew it; Mirrored levels still
    // swaps the left and right arrows there.
    bool boardAsDrawn = false;
};

// The speed of the player and the enemies under these rules.
inline float movementSpeed(const PlayRules& rules) { return rules.fastMotion && !rules.lowFriction ? 300.0f : 200.0f; }

// One thing on the board. Every piece measures one cell.
struct Piece {
    float x = 0, y = 0;
    float prevX = -1.0f, prevY = -1.0f;
    float vx = 0, vy = 0;
    int alpha = 255;  // the player fades into a hole and vanishes when killed
    int state = 2;    // pass-once tiles: 2 unused, 1 being crossed, 0 solid; buttons: 0 pressed
};

// A run of pieces of one kind, in load order.
template <typename P>
struct PieceRange {
    P* first;
    P* last;
    P* begin() const { return first; }
    P* end() const { return last; }
    std::size_t size() const { return static_cast<std::size_t>(last - first); }
    bool empty() const { return first == last; }
    P& operator[](std::size_t i) const { return first[i]; }
    P& front() const { return *first; }
    P& back() const { return last[-1]; }
};

// Every piece but the player in one array, grouped by kind: copying a board is
// one allocation and one copy, whatever is on it.
class PieceLists {
public:
    PieceRange<Piece> operator[](TileKind kind) { return {at(start_[kind]), at(start_[kind + 1])}; }
    PieceRange<const Piece> operator[](TileKind kind) const { return {at(start_[kind]), at(start_[kind + 1])}; }
    void erase(TileKind kind, std::size_t index);
    void clear(TileKind kind);
    void clear();
    // Replaces every list; lists[Empty] and lists[Player] are ignored.
    void assign(const std::array<std::vector<Piece>, TileKindCount>& lists);
    bool operator==(const PieceLists& other) const;

private:
    Piece* at(std::uint16_t i) { return pieces_.data() + i; }
    const Piece* at(std::uint16_t i) const { return pieces_.data() + i; }
    std::vector<Piece> pieces_;
    std::array<std::uint16_t, TileKindCount + 1> start_{};
};

// A one-shot timer: it fires in the first frame after its remaining time went negative.
struct DelayTimer {
    float duration;
    bool running = false;
    float remaining;

    explicit DelayTimer(float seconds) : duration(seconds), remaining(seconds) {}
};

void startTimer(DelayTimer& timer);
// Counts the timer down; true in the frame it fires.
bool stepTimer(DelayTimer& timer, float dt);

// The state's own source for the enemies' starts, so that two copies of a state
// draw alike and nothing else in the program shifts them.
struct PlayRandom {
    std::uint64_t state = 0x853c49e6748fea9bULL;
    bool nextBool();
};

// The arrows held in this frame.
struct PlayInput {
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
};

// In the order the front end's spark tables list them.
enum class Heading { Down, Up, Right, Left, Still };

enum class PlayEventKind {
    Impact,       // the player struck a tile after a real slide
    EnemyBounce,  // an enemy turned on an obstacle
    Skid,         // earth stopped the player on its cell
    Fall,         // a hole swallowed the player
    TakePeach,
    TakeKey,
    OpenDoor,
    PressButton,  // the metal doors are gone
    ReachGoal,
    GoalDelayOver,  // the level is won; the step ended there
    Death,          // an enemy touched the player
    Revived,        // the death delay is over and the level restarted
    FadeOver,       // the player sank into the hole and the level restarted
    LeftBoard,      // the player slid off the board and the level restarted
};

struct PlayEvent {
    PlayEventKind kind;
    TileKind tile;    // what was struck, taken or met
    float x, y;       // the tile's corner; for Death and LeftBoard, the player's
    Heading heading;  // the player's way; for EnemyBounce, the enemy's
    // Impact, Skid, Fall: the slide was long enough, or moved this frame, to be heard.
    // ReachGoal: the first frame on the goal. Death: the player was still visible.
    bool loud;
    bool first;  // Death: the death delay starts now
};

// What one step did, in the order it happened. A step meets only a few tiles, so
// a fixed array keeps the solver's millions of steps free of allocations.
struct PlayEvents {
    static constexpr int capacity = 32;
    int count = 0;
    PlayEvent list[capacity];

    const PlayEvent* begin() const { return list; }
    const PlayEvent* end() const { return list + count; }
    bool has(PlayEventKind kind) const;
    void add(const PlayEvent& event) {
        if (count < capacity) list[count++] = event;
    }
};

struct PlayState {
    std::shared_ptr<const LevelGrid> grid;  // what a restart reloads
    PlayRules rules;
    PlayRandom random;

    Piece player;
    PieceLists pieces;
    int keysHeld = 0;  // door keys carried

    float slideSpeed = 200.0f;
    float moveTime = 0.0f;
    float moveStartX = -1.0f;  // where the current move set off
    float moveStartY = -1.0f;
    bool movementEnabled = true;
    bool dying = false;  // sinking into a hole
    DelayTimer goalDelay{3.0f};
    DelayTimer deathDelay{1.0f};
    float animPhase = 0.0f;  // speed-tile animation, frames 0 to 4
    // The velocity a solid took from the player in this frame's tile tests.
    float blockedVx = 0.0f;
    float blockedVy = 0.0f;

    PieceRange<Piece> operator[](TileKind kind) { return pieces[kind]; }
    PieceRange<const Piece> operator[](TileKind kind) const { return pieces[kind]; }
};

// A move younger than this stops silently and starts no trail.
constexpr double quietMoveTime = 0.1;
inline bool movedLongEnough(const PlayState& play) { return play.moveTime > quietMoveTime; }

// Puts the pieces of a grid on the board, in the game's row-by-row order, mirrored
// when the rules say so; enemies draw their starts from the state's random source.
// The motion and the delays carry on as they were, as they do across levels.
void loadPlay(PlayState& play, const LevelGrid& grid, const PlayRules& rules);
// A new state of a grid.
PlayState newPlay(const LevelGrid& grid, const PlayRules& rules, std::uint64_t seed);
// Reloads the grid the state was loaded from.
void restartPlay(PlayState& play);
// Sets enemy i (in load order) going down or right when starts[i] is true, up or
// left when false; enemies past the end of starts go down or right.
void forceEnemyStarts(PlayState& play, const std::vector<bool>& starts);
// The motion and the delays as a fresh load leaves them.
void resetMotion(PlayState& play);
// The board emptied and the attempt called off, as leaving play leaves them: the
// player whole and free to move, no key carried, no death pending.
void leavePlay(PlayState& play);

// One frame of play with the frame time dt.
PlayEvents step(PlayState& play, const PlayInput& input, float dt);

void snapToCell(Piece& piece);
bool overlaps(const Piece& a, const Piece& b);
bool isOnTile(const Piece& player, const Piece& tile, float dt);
void stopPlayer(Piece& player);
bool isOffBoard(const Piece& player);
