// Runs a harness over saved inputs without libFuzzer: the corpus folder, which must
// hold inputs, then any crash folders, which may be missing or empty. A failed check
// or a crash of the game's code ends the run, and the test with it.
#include "fuzz_support.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> inputsIn(const std::string& folder) {
    std::vector<std::string> paths;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return paths;
    while (dirent* entry = readdir(dir)) {
        std::string path = folder + "/" + entry->d_name;
        struct stat info;
        if (entry->d_name[0] != '.' && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) paths.push_back(path);
    }
    closedir(dir);
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::string readInput(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void replay(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s corpus-folder [crash-folder...]\n", argv[0]);
        return 2;
    }
    // Everything is read first: a harness may change the working directory.
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::string> paths = inputsIn(argv[i]);
        if (i == 1 && paths.empty()) {
            std::fprintf(stderr, "%s: no inputs in the corpus folder %s\n", argv[0], argv[1]);
            return 1;
        }
        std::printf("%s: %zu inputs\n", argv[i], paths.size());
        for (const std::string& path : paths) inputs.push_back(readInput(path));
    }
    for (const std::string& input : inputs) replay(input);
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
