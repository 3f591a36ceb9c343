// Proposes boards for new levels:
//   quarrow-generate --families "speed tiles, pass-once" [--seed N] [--count N]
//                    [--iterations N] [--target MOVES] [--walls PERCENT] [--out FOLDER]
//                    [--from SKELETON.txt [--walls-only]]
// Each candidate is annealed from its own seed and written as a level source,
// "candidate-SEED.txt", with the route the solver found as its solution. The
// families are named as a `teaches:` line names them. A skeleton is a designer's
// level source to start from; its families are those it holds unless named, and
// with --walls-only the search only places walls around the designer's tiles.
#include "generator.h"
#include "level_source.h"

#include "app/platform.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Arguments {
    GeneratorOptions options;
    int count = 1;
    std::string folder = ".";
};

int usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s --families \"speed tiles, pass-once\" [--seed N] [--count N] [--iterations N] "
                 "[--target MOVES] [--walls PERCENT] [--out FOLDER] [--from SKELETON.txt [--walls-only]]\n",
                 program);
    return 2;
}

bool readSkeleton(const char* path, GeneratorOptions& options) {
    LevelSource skeleton;
    std::vector<SourceError> errors;
    bool read = readLevelSource(path, skeleton, errors);
    for (const SourceError& error : errors) std::fprintf(stderr, "%s\n", error.message.c_str());
    if (read) options.start = skeleton.grid;
    return read;
}

std::vector<const IdeaFamily*> familiesOn(const LevelGrid& grid) {
    std::vector<const IdeaFamily*> families;
    for (const IdeaFamily& family : ideaFamilies())
        if (withoutFamily(grid, family) != grid) families.push_back(&family);
    return families;
}

// Options take one value each, but for --walls-only.
bool readOption(const std::string& name, const char* value, Arguments& arguments) {
    GeneratorOptions& options = arguments.options;
    if (name == "--families")
        options.families = familiesNamed(value);
    else if (name == "--seed")
        options.seed = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
    else if (name == "--count")
        arguments.count = std::atoi(value);
    else if (name == "--iterations")
        options.iterations = std::atoi(value);
    else if (name == "--target")
        options.targetMoves = std::atoi(value);
    else if (name == "--walls")
        options.wallPercent = std::atoi(value);
    else if (name == "--out")
        arguments.folder = value;
    else if (name == "--from")
        return readSkeleton(value, options);
    else
        return false;
    return true;
}

bool readArguments(int argc, char** argv, Arguments& arguments) {
    GeneratorOptions& options = arguments.options;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (name == "--walls-only")
            options.wallsOnly = true;
        else if (i + 1 >= argc || !readOption(name, argv[++i], arguments))
            return false;
    }
    if (options.families.empty() && options.start) options.families = familiesOn(*options.start);
    return !options.families.empty() && arguments.count > 0;
}

std::string neededText(const LevelMetrics& metrics) {
    std::string text;
    for (const IdeaVerdict& idea : metrics.ideas)
        if (idea.needed) text += (text.empty() ? "" : ", ") + std::string(idea.family->name);
    return text.empty() ? "nothing" : text;
}

// The worst start's route, so that the recorded solution plays as the table counts it.
LevelSource sourceOf(const Candidate& candidate, unsigned seed) {
    LevelSource level;
    level.grid = candidate.grid;
    level.teaches = "generated from seed " + std::to_string(seed) + "; needs " + neededText(candidate.metrics);
    SolveOptions options;
    options.stopWhenSolved = true;
    SolveResult result = solveLevel(candidate.grid, options);
    level.solution = result.withPeach;
    level.enemies = result.worstStarts;
    return level;
}

void report(const Candidate& candidate, unsigned seed, const char* what) {
    const LevelMetrics& m = candidate.metrics;
    std::printf("seed %u %s: score %.1f, moves %d (goal %d), states %d, dead ends %d, needs %s\n", seed, what,
                candidate.score, m.withPeach, m.toGoal, m.states, m.deadEnds, neededText(m).c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!readArguments(argc, argv, arguments)) return usage(argv[0]);
    platform::makeDirectory(arguments.folder);
    for (int i = 0; i < arguments.count; ++i) {
        GeneratorOptions options = arguments.options;
        options.seed += static_cast<unsigned>(i);
        Candidate best = generateBoard(options, [&](const Candidate& c) { report(c, options.seed, "best so far"); });
        report(best, options.seed, "written");
        std::string path = arguments.folder + "/candidate-" + std::to_string(options.seed) + ".txt";
        if (!platform::writeFileAtomically(path, levelSourceText(sourceOf(best, options.seed)))) {
            std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
