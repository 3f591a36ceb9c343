// Every built-in level's recorded solution, replayed through the real frame
// function with real key presses, completes the level with its peach taken: as
// shipped, mirrored, in fast motion and, one cell at a time, in low friction.
#include "support/test_support.h"

#include "level/level_sequence.h"
#include "level_source.h"
#include "solver.h"

#include <dirent.h>

#include <algorithm>
#include <optional>

namespace {

constexpr int restFrameCap = 1200;
constexpr int goalDelayFrames = 240;   // the goal delay is 3 s
constexpr int lowFrictionDepth = 60;   // one-cell steps allowed per recorded move

struct BuiltInLevel {
    int number;
    LevelSource source;
};

std::vector<BuiltInLevel> builtInLevels() {
    std::string folder = std::string(SOURCE_DIR) + "/data/levels";
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name.rfind("level", 0) == 0 && name.size() > 4 && name.substr(name.size() - 4) == ".txt") names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    std::vector<BuiltInLevel> levels;
    for (const std::string& name : names) {
        BuiltInLevel level{std::stoi(name.substr(5)), {}};
        std::vector<SourceError> errors;
        EXPECT_TRUE(readLevelSource(folder + "/" + name, level.source, errors)) << name;
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

class LevelReplay : public GameTest {
protected:
    void replayAll(const PlayRules& rules) {
        std::vector<BuiltInLevel> levels = builtInLevels();
        ASSERT_GE(levels.size(), 10u);
        for (const BuiltInLevel& level : levels) replay(level, rules);
    }

    void replay(const BuiltInLevel& level, const PlayRules& rules) {
        SCOPED_TRACE("level " + std::to_string(level.number));
        app.save.enabled[MirroredLevels] = rules.mirrored;
        app.save.enabled[FastMotion] = rules.fastMotion;
        app.save.enabled[LowFriction] = rules.lowFriction;
        app.save.highestLevel = level.number;
        startLevel(app, level.number);
        ASSERT_EQ(app.screen, PlayLevel);
        std::string failure = rules.lowFriction ? playStepwise(level) : playAsRecorded(level, rules);
        ASSERT_EQ(failure, "") << "level " << level.number;
        frames(goalDelayFrames);
        EXPECT_EQ(app.save.currentLevel, level.number + 1) << "level " << level.number << " did not complete";
        EXPECT_TRUE(app.save.peachTaken[level.number - 1]) << "level " << level.number << " completed without its peach";
    }

    // Each press must leave the player where the solver's own simulation of the
    // same rules says it rests.
    std::string playAsRecorded(const BuiltInLevel& level, const PlayRules& rules) {
        MoveSimulator simulator(rules);
        LevelState expected = simulator.loadGrid(level.source.grid);
        const std::vector<Move>& moves = level.source.solution;
        for (size_t step = 0; step < moves.size(); ++step) {
            MoveOutcome outcome = simulator.play(expected, moves[step], expected);
            std::string where = "step " + std::to_string(step + 1) + " (" + moveName(moves[step]) + ")";
            if (outcome.end != MoveEnd::Stopped && outcome.end != MoveEnd::Goal) return where + ": the solver's player is lost";
            std::string failure = press(moves[step]);
            if (!failure.empty()) return where + ": " + failure;
            if (cellOfPlayer().column != playerCell(expected).column || cellOfPlayer().row != playerCell(expected).row)
                return where + ": the player rests elsewhere than the solver says";
        }
        return "";
    }

    // Each recorded move becomes the one-cell steps that bring the player to the
    // cell that move ends on, having taken the same things on the way.
    std::string playStepwise(const BuiltInLevel& level) {
        MoveSimulator sliding(PlayRules{});
        LevelState target = sliding.loadGrid(level.source.grid);
        const std::vector<Move>& moves = level.source.solution;
        for (size_t step = 0; step < moves.size(); ++step) {
            sliding.play(target, moves[step], target);
            std::string where = "step " + std::to_string(step + 1) + " (" + moveName(moves[step]) + ")";
            std::optional<std::vector<Move>> steps = findMoves(
                app.level, PlayRules{false, false, true},
                [&](const LevelState& state) {
                    CellPosition cell = playerCell(state);
                    CellPosition goal = playerCell(target);
                    return cell.column == goal.column && cell.row == goal.row && progressKey(state) == progressKey(target);
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

    // A real key press: down for one frame, up, then frames until the player rests.
    std::string press(Move move) {
        pushKey(keyFor(move), true);
        frames(1);
        pushKey(keyFor(move), false);
        for (int frame = 0; frame < restFrameCap; ++frame) {
            frames(1);
            if (app.play.dying || !app.play.movementEnabled) return "the player died";
            if (app.play.goalDelay.running) return "";
            const LevelObject& player = app.level.player;
            if (player.vx == 0 && player.vy == 0) return "";
        }
        return "the player never came to rest";
    }

    CellPosition cellOfPlayer() const {
        const LevelObject& player = app.level.player;
        return {static_cast<int>(player.x + cellSize / 2) / cellSize, static_cast<int>(player.y + cellSize / 2) / cellSize};
    }
};

TEST_F(LevelReplay, EveryLevelCompletesWithItsPeachAsShipped) { replayAll(PlayRules{}); }

TEST_F(LevelReplay, EveryLevelCompletesWithItsPeachMirroredWithTheSameKeys) { replayAll(PlayRules{true, false, false}); }

TEST_F(LevelReplay, EveryLevelCompletesWithItsPeachInFastMotion) { replayAll(PlayRules{false, true, false}); }

TEST_F(LevelReplay, EveryLevelCompletesWithItsPeachOneCellAtATimeInLowFriction) { replayAll(PlayRules{false, false, true}); }

}  // namespace
