#include "support/bench_program.h"

#include "app/app.h"

#include <unistd.h>
#include <cstdlib>

BenchProgram::BenchProgram() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    char* cwd = getcwd(nullptr, 0);
    previous_ = cwd ? cwd : "/";
    std::free(cwd);
    char pattern[] = "/tmp/quarrow-bench-XXXXXX";
    if (!mkdtemp(pattern)) return;
    folder_ = pattern;
    std::string resources = std::string(GAME_DIR) + "/resources.res";
    if (chdir(folder_.c_str()) != 0 || symlink(resources.c_str(), "resources.res") != 0) return;
    started_ = startProgram(*app_) == 0;
}

BenchProgram::~BenchProgram() {
    if (started_) shutdownProgram(*app_);
    if (folder_.empty() || chdir(previous_.c_str()) != 0) return;
    std::string command = "rm -rf '" + folder_ + "'";
    if (std::system(command.c_str()) != 0) return;
}
