#include "app/platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

extern char** environ;

namespace platform {

std::string currentDirectory() {
    char* path = getcwd(nullptr, 0);  // glibc allocates a buffer of the right size
    if (!path) return ".";
    std::string result(path);
    free(path);
    while (result.size() > 1 && result.back() == '/') result.pop_back();
    return result;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

bool makeDirectory(const std::string& path) { return mkdir(path.c_str(), 0755) == 0; }

bool deleteFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool isRegularFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool listDirectory(const std::string& path, std::vector<std::string>& names) {
    names.clear();
    DIR* dir = opendir(path.c_str());
    if (!dir) return false;
    while (dirent* entry = readdir(dir)) names.emplace_back(entry->d_name);
    closedir(dir);
    return true;
}

bool readFile(const std::string& path, std::string& bytes, size_t maxBytes) {
    bytes.clear();
    if (!isRegularFile(path)) return false;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[4096];
    while (bytes.size() < maxBytes) {
        size_t want = std::min(sizeof buffer, maxBytes - bytes.size());
        size_t got = std::fread(buffer, 1, want, file);
        bytes.append(buffer, got);
        if (got < want) break;
    }
    std::fclose(file);
    return true;
}

static bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The new name lives in the folder's entries, not in the file: without this a power
// loss just after the rename can bring the old file back.
static void syncFolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool writeFileAtomically(const std::string& path, const std::string& bytes) {
    std::string temporary = path + ".tmp";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    bool written = writeAll(fd, bytes) && fsync(fd) == 0;
    written = (close(fd) == 0) && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    syncFolderOf(path);
    return true;
}

namespace {

std::vector<pid_t> runningOpeners;

}  // namespace

bool openDocument(const std::string& path, const char* opener) {
    const char* argv[] = {opener, path.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child;
    int error = posix_spawnp(&child, opener, &actions, &attributes, const_cast<char* const*>(argv), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return false;
    runningOpeners.push_back(child);
    return true;
}

OpenerOutcome collectFinishedOpeners() {
    OpenerOutcome outcome;
    // Only the openers: other children (a test's, a library's) are not ours to collect.
    for (size_t i = 0; i < runningOpeners.size();) {
        int status = 0;
        pid_t done = waitpid(runningOpeners[i], &status, WNOHANG);
        if (done == 0 || (done < 0 && errno == EINTR)) {
            ++i;
            continue;
        }
        // Gone without a status (collected elsewhere) says nothing about the page.
        outcome.ended += 1;
        if (done > 0 && (!WIFEXITED(status) || WEXITSTATUS(status) != 0)) outcome.failed += 1;
        runningOpeners.erase(runningOpeners.begin() + static_cast<long>(i));
    }
    return outcome;
}

namespace {

volatile sig_atomic_t terminationRequested = 0;

void noteTermination(int) { terminationRequested = 1; }

}  // namespace

void catchTerminationSignals() {
    struct sigaction action = {};
    action.sa_handler = noteTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // a signal must not fail a file write half-way
    for (int signal : {SIGTERM, SIGINT}) {
        // A shell that starts the game in the background ignores SIGINT for it; that stays so.
        struct sigaction previous = {};
        if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
}

bool takeTerminationRequest() {
    if (!terminationRequested) return false;
    terminationRequested = 0;
    return true;
}

}  // namespace platform
