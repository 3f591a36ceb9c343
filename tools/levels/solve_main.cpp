// Checks a level: quarrow-solve [--mirrored] [--fast] [--low-friction]
// [--enemies "down left"] [--craft] FILE
// FILE is a level source (.txt), a built-in level (scrambled) or a map the editor
// wrote. Every way the enemies can start is solved unless --enemies fixes one.
// Exit status 0 when the goal can be reached with every peach, whichever way the
// enemies start; 1 when not; 2 when the file cannot be read. --craft adds the
// measures the level table prints beyond the moves: routine presses, idle pieces,
// the greedy player and the runs of waits.
#include "level_source.h"
#include "level_table.h"
#include "solver.h"

#include "app/platform.h"
#include "core/map_text.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr size_t maxMapBytes = 1 << 16;

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A plain map holds only numbers and white space; scrambling turns most bytes
// into something else.
bool looksPlain(const std::string& bytes) {
    for (char letter : bytes)
        if (!std::strchr("0123456789- \r\n\t", letter)) return false;
    return true;
}

// A map file holds only the board; a source also names its decoys.
bool readAnyLevel(const std::string& path, LevelSource& source) {
    LevelGrid& grid = source.grid;
    if (endsWith(path, ".txt")) {
        std::vector<SourceError> errors;
        // A board the packer would refuse can still be explored: print why, then solve.
        readLevelSource(path, source, errors);
        for (const SourceError& error : errors) std::fprintf(stderr, "%s\n", error.message.c_str());
        return platform::isRegularFile(path);
    }
    std::string bytes;
    if (!platform::readFile(path, bytes, maxMapBytes)) {
        std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
        return false;
    }
    if (looksPlain(bytes))
        parsePlainMap(bytes, grid);
    else
        parseMapTokens(scrambleText(bytes, levelKey), grid);
    return true;
}

void printAnswer(const char* what, bool reachable, const std::vector<Move>& moves) {
    if (!reachable) {
        std::printf("%-16s not possible\n", what);
        return;
    }
    std::printf("%-16s %d moves: %s\n", what, pressCount(moves), movesText(moves).c_str());
}

std::string fewest(bool reachable, int presses) { return reachable ? std::to_string(presses) : "-"; }

// With enemies, one line per way they can start; the answers below are the worst's.
void printStarts(const LevelGrid& grid, const SolveResult& result) {
    if (result.worstStarts.empty()) return;
    for (const StartAnswer& answer : result.perStart)
        std::printf("enemies %-24s goal %s, with the peach %s, %d states\n", startsText(grid, answer.starts).c_str(),
                    fewest(answer.goalReachable, answer.toGoalPresses).c_str(),
                    fewest(answer.peachReachable, answer.withPeachPresses).c_str(), answer.statesExplored);
    std::printf("%-16s enemies %s\n", "worst case:", startsText(grid, result.worstStarts).c_str());
}

void printResult(const LevelGrid& grid, const SolveResult& result) {
    printStarts(grid, result);
    printAnswer("goal:", result.goalReachable, result.toGoal);
    printAnswer("with the peach:", result.peachReachable, result.withPeach);
    std::printf("%-16s %d in %.3f s\n", "states explored:", result.statesExplored, result.seconds);
    for (const std::string& warning : result.warnings) std::printf("warning: %s\n", warning.c_str());
}

void printCraft(const LevelSource& source, const PlayRules& rules) {
    MeasuredLevel level;
    level.source = source;
    level.metrics = measureLevel(source.grid, rules);
    const LevelMetrics& m = level.metrics;
    if (!m.solvable) return;
    std::printf("%-16s %d presses in a row\n", "routine:", m.longestRoutineRun);
    std::string idle;
    for (const IdlePiece& piece : idleButNoDecoy(level))
        idle += (idle.empty() ? "" : ", ") + std::string(pieceName(piece.tile)) + " " + cellText(piece.cell);
    std::printf("%-16s %s\n", "idle pieces:", idle.empty() ? "none" : idle.c_str());
    for (const Decoy& decoy : source.decoys)
        std::printf("%-16s %s: %s\n", "decoy:", cellText(decoy.cell).c_str(), decoy.plan.c_str());
    std::printf("%-16s %s\n", "greedy player:", greedySummary(m).c_str());
    if (m.hasEnemies) std::printf("%-16s at most %d a route\n", "runs of waits:", m.mostWaitRuns);
}

int usage(const char* program) {
    std::fprintf(stderr, "usage: %s [--mirrored] [--fast] [--low-friction] [--enemies \"down left\"] [--craft] FILE\n",
                 program);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    SolveOptions options;
    std::string path;
    const char* enemies = nullptr;
    bool craft = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--enemies" && i + 1 < argc)
            enemies = argv[++i];
        else if (argument == "--mirrored")
            options.rules.mirrored = true;
        else if (argument == "--fast")
            options.rules.fastMotion = true;
        else if (argument == "--low-friction")
            options.rules.lowFriction = true;
        else if (argument == "--craft")
            craft = true;
        else if (argument[0] == '-' || !path.empty())
            return usage(argv[0]);
        else
            path = argument;
    }
    if (path.empty()) return usage(argv[0]);
    LevelSource source;
    if (!readAnyLevel(path, source)) return 2;
    const LevelGrid& grid = source.grid;
    if (enemies) {
        EnemyStarts starts;
        if (!parseStarts(grid, enemies, starts)) {
            std::fprintf(
                stderr,
                "--enemies names one start per enemy in load order: up or down for 'I', left or right for 'H'\n");
            return 2;
        }
        options.starts = starts;
    }
    SolveResult result = solveLevel(grid, options);
    printResult(grid, result);
    if (craft) printCraft(source, options.rules);
    return result.peachReachable ? 0 : 1;
}
