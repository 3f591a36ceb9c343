// Every built-in level's recorded solution, replayed through the real frame
// function with real key presses, completes the level with its peach taken: as
// shipped, mirrored, in fast motion and, one cell at a time, in low friction.
// Enemies start at random in the game, so the replay forces their starts through
// the seed; the recorded solution plays as shipped with the starts it was
// recorded with, and in the other ways, each with another start, the solver
// finds the way through at test time.
#include "support/test_support.h"

#include "level/level_sequence.h"
#include "level/map_file.h"
#include "level_source.h"
#include "solver.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int restFrameCap = 1200;
constexpr int goalDelayFrames = 240;  // the goal delay is 3 s
constexpr int lowFrictionDepth = 60;  // one-cell steps allowed per recorded move
constexpr std::uint64_t seedsToTry = 10000;

enum Way { Shipped, Mirrored, Fast, LowFrictionWay };
const PlayRules wayRules[] = {{}, {true, false, false}, {false, true, false}, {false, false, true}};

struct BuiltInLevel {
    int number;
    LevelSource source;
};

std::vector<BuiltInLevel> builtInLevels() {
    std::vector<BuiltInLevel> levels;
    for (const std::string& path : levelSourcesIn(std::string(SOURCE_DIR) + "/data/levels")) {
        BuiltInLevel level{levelNumberOf(path), {}};
        std::vector<SourceError> errors;
        EXPECT_TRUE(readLevelSource(path, level.source, errors)) << path;
        levels.push_back(level);
    }
    return levels;
}

SDLKey keyFor(Move move) {
    switch (move) {
        case Move::Left: return SDLK_LEFT;
        case Move::Right: return SDLK_RIGHT;
        case Move::Up: return SDLK_UP;
        default: return SDLK_DOWN;
    }
}

std::string moveName(Move move) { return std::string(1, static_cast<char>(move)); }

// The first seed of the play state's random source whose draws start the enemies as asked.
std::optional<std::uint64_t> seedFor(const EnemyStarts& starts) {
    for (std::uint64_t seed = 0; seed < seedsToTry; ++seed) {
        PlayRandom random{seed};
        bool matches = true;
        for (bool start : starts) matches = matches && random.nextBool() == start;
        if (matches) return seed;
    }
    return std::nullopt;
}

// Each way shows the next start after the recorded one, so the four ways cover
// every start of up to two enemies.
EnemyStarts startsFor(const BuiltInLevel& level, Way way) {
    std::vector<EnemyStarts> all = everyStart(static_cast<int>(level.source.enemies.size()));
    size_t recorded = std::find(all.begin(), all.end(), level.source.enemies) - all.begin();
    return all[(recorded + way) % all.size()];
}

std::string describe(const BuiltInLevel& level, const EnemyStarts& starts) {
    std::string text = "level " + std::to_string(level.number);
    return starts.empty() ? text : text + ", enemies starting " + startsText(level.source.grid, starts);
}

class LevelReplay : public GameTest {
protected:
    void replayAll(Way way) {
        std::vector<BuiltInLevel> levels = builtInLevels();
        ASSERT_GE(levels.size(), 10u);
        for (const BuiltInLevel& level : levels) replay(level, way);
    }

    void replay(const BuiltInLevel& level, Way way) {
        const PlayRules& rules = wayRules[way];
        EnemyStarts starts = startsFor(level, way);
        std::string name = describe(level, starts);
        SCOPED_TRACE(name);
        app.save.enabled[MirroredLevels] = rules.mirrored;
        app.save.enabled[FastMotion] = rules.fastMotion;
        app.save.enabled[LowFriction] = rules.lowFriction;
        app.save.highestLevel = level.number;
        std::optional<std::uint64_t> seed = seedFor(starts);
        ASSERT_TRUE(seed) << name << ": no seed starts the enemies so";
        app.play.random.state = *seed;
        startLevel(app, level.number);
        ASSERT_EQ(app.screen, PlayLevel);
        ASSERT_EQ(enemyStarts(), expectedStarts(level, rules, starts))
            << name << ": the enemies did not start as forced";
        std::string failure = play(level, way, starts);
        ASSERT_EQ(failure, "") << name;
        frames(goalDelayFrames);
        EXPECT_EQ(app.save.currentLevel, level.number + 1) << name << " did not complete";
        EXPECT_TRUE(app.save.peachTaken[level.number - 1]) << name << " completed without its peach";
    }

    std::string play(const BuiltInLevel& level, Way way, const EnemyStarts& starts) {
        const PlayRules& rules = wayRules[way];
        if (starts.empty() && rules.lowFriction) return playStepwise(level);
        if (starts.empty() || (way == Shipped && starts == level.source.enemies))
            return playAsRecorded(level, rules, starts, level.source.solution);
        SolveOptions options;
        options.rules = rules;
        options.starts = starts;
        options.stopWhenSolved = true;
        SolveResult found = solveLevel(level.source.grid, options);
        if (!found.peachReachable) return "the solver finds no way to the goal with the peach";
        std::string failure = playAsRecorded(level, rules, starts, found.withPeach);
        return failure.empty() ? failure : failure + " of the solver's " + movesText(found.withPeach);
    }

    // The enemies' velocities in load order, as the game or the solver loaded them.
    template <typename Level>
    static std::vector<float> startsOf(const Level& level) {
        std::vector<float> velocities;
        for (const auto& enemy : level[UpDown]) velocities.push_back(enemy.vy);
        for (const auto& enemy : level[RightLeft]) velocities.push_back(enemy.vx);
        return velocities;
    }
    std::vector<float> enemyStarts() const { return startsOf(app.play); }
    static std::vector<float> expectedStarts(const BuiltInLevel& level, const PlayRules& rules,
                                             const EnemyStarts& starts) {
        MoveSimulator simulator(rules);
        simulator.loadGrid(level.source.grid, starts);
        return startsOf(simulator.level());
    }

    // Each press or wait must leave the player, and every enemy, where the
    // solver's own simulation of the same rules says.
    std::string playAsRecorded(const BuiltInLevel& level, const PlayRules& rules, const EnemyStarts& starts,
                               const std::vector<Move>& moves) {
        MoveSimulator simulator(rules);
        PlayState expected = simulator.loadGrid(level.source.grid, starts);
        for (size_t step = 0; step < moves.size(); ++step) {
            MoveOutcome outcome = simulator.play(expected, moves[step], expected);
            std::string where = "step " + std::to_string(step + 1) + " (" + moveName(moves[step]) + ")";
            if (outcome.end != MoveEnd::Stopped && outcome.end != MoveEnd::Goal)
                return where + ": the solver's player is lost";
            std::string failure = moves[step] == Move::Wait ? wait() : press(moves[step]);
            if (!failure.empty()) return where + ": " + failure;
            if (cellOfPlayer().column != playerCell(expected).column || cellOfPlayer().row != playerCell(expected).row)
                return where + ": the player rests elsewhere than the solver says";
            if (outcome.end == MoveEnd::Stopped && enemyPlaces(app.play) != enemyPlaces(expected))
                return where + ": the enemies stand elsewhere than the solver says";
        }
        return "";
    }

    template <typename Level>
    static std::vector<float> enemyPlaces(const Level& level) {
        std::vector<float> places;
        for (TileKind kind : {UpDown, RightLeft})
            for (const auto& enemy : level[kind]) places.insert(places.end(), {enemy.x, enemy.y, enemy.vx, enemy.vy});
        return places;
    }

    // Each recorded move becomes the one-cell steps that bring the player to the
    // cell that move ends on, having taken the same things on the way.
    std::string playStepwise(const BuiltInLevel& level) {
        MoveSimulator sliding(PlayRules{});
        PlayState target = sliding.loadGrid(level.source.grid);
        const std::vector<Move>& moves = level.source.solution;
        for (size_t step = 0; step < moves.size(); ++step) {
            sliding.play(target, moves[step], target);
            std::string where = "step " + std::to_string(step + 1) + " (" + moveName(moves[step]) + ")";
            std::optional<std::vector<Move>> steps = findMoves(
                app.play, PlayRules{false, false, true},
                [&](const PlayState& state) {
                    CellPosition cell = playerCell(state);
                    CellPosition goal = playerCell(target);
                    return cell.column == goal.column && cell.row == goal.row &&
                           progressKey(state) == progressKey(target);
                },
                lowFrictionDepth);
            if (!steps) return where + ": no one-cell steps reach the cell this move ends on";
            for (Move move : *steps) {
                std::string failure = press(move);
                if (!failure.empty()) return where + ", one-cell step " + moveName(move) + ": " + failure;
            }
        }
        return "";
    }

    // A real key press: down for one frame, up, then frames until the player rests,
    // looking after every frame as the solver does, so that the enemies keep time.
    std::string press(Move move) {
        for (int frame = 0; frame < restFrameCap; ++frame) {
            if (frame < 2) pushKey(keyFor(move), frame == 0);
            frames(1);
            if (app.play.dying || !app.play.movementEnabled) return "the player died";
            if (app.play.goalDelay.running) return "";
            const Piece& player = app.play.player;
            if (player.vx == 0 && player.vy == 0) return "";
        }
        return "the player never came to rest";
    }

    std::string wait() {
        for (int frame = 0; frame < waitFrames; ++frame) {
            frames(1);
            if (app.play.dying || !app.play.movementEnabled) return "the player died while waiting";
        }
        return "";
    }

    CellPosition cellOfPlayer() const {
        const Piece& player = app.play.player;
        return {static_cast<int>(player.x + cellSize / 2) / cellSize,
                static_cast<int>(player.y + cellSize / 2) / cellSize};
    }
};

// The 'I' stands left of the 'H' but a row below it: the game meets the 'H' first.
TEST_F(LevelReplay, TwoEnemiesStartInTheGameAndTheSolverAsTheSourceSays) {
    std::vector<std::string> rows(boardRows, std::string(boardColumns, '.'));
    rows[1] = "P....*.............G";
    rows[4].replace(15, 1, "H");
    rows[9].replace(3, 1, "I");
    std::string text = "teaches: two enemies\nenemies: left down\nsolution: R\n\n";
    for (const std::string& row : rows) text += row + "\n";
    BuiltInLevel level{1, {}};
    ASSERT_TRUE(parseLevelSource(text, "level01.txt", level.source).empty());
    std::optional<std::uint64_t> seed = seedFor(level.source.enemies);
    ASSERT_TRUE(seed);
    app.play.random.state = *seed;
    loadGrid(app, level.source.grid);
    ASSERT_EQ(app.play[RightLeft].size(), 1u);
    ASSERT_EQ(app.play[UpDown].size(), 1u);
    EXPECT_LT(app.play[RightLeft][0].vx, 0) << "the 'H' starts left";
    EXPECT_GT(app.play[UpDown][0].vy, 0) << "the 'I' starts down";
    EXPECT_EQ(expectedStarts(level, PlayRules{}, level.source.enemies), enemyStarts());
}

TEST_F(LevelReplay, EveryLevelCompletesWithItsPeachAsShipped) { replayAll(Shipped); }

TEST_F(LevelReplay, EveryLevelCompletesWithItsPeachMirroredWithTheSameKeys) { replayAll(Mirrored); }

TEST_F(LevelReplay, EveryLevelCompletesWithItsPeachInFastMotion) { replayAll(Fast); }

TEST_F(LevelReplay, EveryLevelCompletesWithItsPeachOneCellAtATimeInLowFriction) { replayAll(LowFrictionWay); }

}  // namespace
