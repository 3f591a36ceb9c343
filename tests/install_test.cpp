// The installed game: the tree `cmake --install` lays out in a temporary DESTDIR, and the
// launcher started from there with a temporary HOME, the way a player starts it from the
// desktop's menu. The game runs under SDL's dummy drivers until it is ended by SIGTERM,
// which its next frame takes as a quit.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// The current environment with the given NAME=value entries in place of its own.
std::vector<std::string> environmentWith(const std::vector<std::string>& entries) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        std::string text = *entry;
        bool replaced = false;
        for (const std::string& own : entries)
            replaced |= text.compare(0, own.find('=') + 1, own, 0, own.find('=') + 1) == 0;
        if (!replaced) result.push_back(text);
    }
    result.insert(result.end(), entries.begin(), entries.end());
    return result;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (std::string& text : texts) result.push_back(&text[0]);
    result.push_back(nullptr);
    return result;
}

// Runs a program to its end; its status, and what it wrote to stdout and stderr together.
int run(std::vector<std::string> argv, std::string& output, std::vector<std::string> env = environmentWith({})) {
    char pattern[] = "/tmp/quarrow-output-XXXXXX";
    int fd = mkstemp(pattern);
    if (fd < 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fd, STDERR_FILENO);
    std::vector<char*> args = pointers(argv), envp = pointers(env);
    pid_t child;
    int spawned = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = -1;
    if (spawned == 0) waitpid(child, &status, 0);
    close(fd);
    output = readWholeFile(pattern);
    unlink(pattern);
    return spawned == 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The build installed under /opt/quarrow2 in a temporary DESTDIR, once for the whole run of
// this program, and removed at its end.
class InstalledTree {
public:
    InstalledTree() {
        char pattern[] = "/tmp/quarrow-destdir-XXXXXX";
        if (!mkdtemp(pattern)) return;
        root_ = pattern;
        std::string log;
        int status = run({CMAKE_COMMAND, "--install", BUILD_DIR, "--prefix", "/opt/quarrow2"}, log,
                         environmentWith({"DESTDIR=" + root_}));
        ok_ = status == 0;
        log_ = log;
    }
    ~InstalledTree() {
        if (!root_.empty()) fs::remove_all(root_);
    }
    bool ok() const { return ok_; }
    const std::string& log() const { return log_; }
    std::string path(const std::string& relative) const { return root_ + "/opt/quarrow2/" + relative; }

private:
    std::string root_, log_;
    bool ok_ = false;
};

const InstalledTree& tree() {
    static const InstalledTree installedOnce;
    EXPECT_TRUE(installedOnce.ok()) << installedOnce.log();
    return installedOnce;
}

std::string installed(const std::string& relative) { return tree().path(relative); }
std::string launcher() { return installed(QUARROW_GAMES_DIR "/quarrow2"); }
std::string gameData() { return installed(QUARROW_DATA_DIR); }

bool onPath(const char* tool) {
    std::string ignored;
    return run({"sh", "-c", std::string("command -v ") + tool}, ignored) == 0;
}

// Polls until the condition holds. The limit is only a net that keeps a broken start or quit
// from hanging the run; it is far beyond what the slowest machine needs.
bool waitUntil(const std::function<bool()>& condition) {
    const Clock::time_point giveUp = Clock::now() + std::chrono::minutes(5);
    while (!condition()) {
        if (Clock::now() > giveUp) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// True once the process has become a program that catches SIGTERM: the launcher is a shell,
// which does not, and it replaces itself with the game. The game catches it first thing, and
// from then on a SIGTERM is kept until its next frame takes it as a quit, however long the rest
// of its start takes; so no wait for frames is needed, only this.
bool catchesTermination(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
}

// Exit status; -1, and the process killed, when it outlives the safety net.
int waitForExit(pid_t pid) {
    int status = 0;
    if (!waitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; })) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Starts the launcher, ends the game it becomes with SIGTERM and returns the game's exit status,
// which is 0 only after the game ran its frames and left the way its close button does.
int startAndQuit(const std::string& program, const std::vector<std::string>& env) {
    std::vector<std::string> argv = {program}, envTexts = environmentWith(env);
    std::vector<char*> args = pointers(argv), envp = pointers(envTexts);
    pid_t child;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, args.data(), envp.data()) != 0) return -1;
    int status = 0;
    bool ended = false;
    bool caught = waitUntil([&] {
        ended = waitpid(child, &status, WNOHANG) == child;
        return ended || catchesTermination(child);
    });
    if (ended) {
        ADD_FAILURE() << program << " ended by itself before it could be quit, status " << status;
        return -1;
    }
    EXPECT_TRUE(caught) << program << " never came to catch SIGTERM";
    EXPECT_EQ(fs::canonical("/proc/" + std::to_string(child) + "/exe"),
              fs::canonical(installed(QUARROW_LIBEXEC_DIR "/quarrow2")));
    kill(child, caught ? SIGTERM : SIGKILL);
    return waitForExit(child);
}

std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void expectLinkedToInstalledData(const std::string& folder) {
    for (const char* name : {"resources.res", "help"}) {
        fs::path place = fs::path(folder) / name;
        ASSERT_TRUE(fs::is_symlink(place)) << place;
        EXPECT_EQ(fs::read_symlink(place), fs::canonical(fs::path(gameData()) / name));
    }
}

std::string allByteValues() {
    std::string bytes;
    for (int i = 0; i < 512; ++i) bytes.push_back(static_cast<char>(i * 7));
    return bytes;
}

TEST(InstalledTree, LaysTheGameOutTheWayDebianLaysOutGames) {
    for (const char* program :
         {QUARROW_GAMES_DIR "/quarrow2", QUARROW_GAMES_DIR "/quarrow-solve", QUARROW_LIBEXEC_DIR "/quarrow2"})
        EXPECT_EQ(access(installed(program).c_str(), X_OK), 0) << program;
    for (const char* file : {"resources.res/icons/wndicon.icon", "resources.res/images/player.img",
                             "resources.res/maps/level1.map", "resources.res/music/music1.mus",
                             "resources.res/sounds/goal.snd", "help/index.html", "help/files/level-editor.html"})
        EXPECT_TRUE(fs::is_regular_file(fs::path(gameData()) / file)) << file;
    // The fonts belong to their own package: links, and they lead to a font.
    for (const char* font : {"arial.font", "arialbd.font"}) {
        fs::path link = fs::path(gameData()) / "resources.res/fonts" / font;
        EXPECT_TRUE(fs::is_symlink(link)) << link;
        EXPECT_TRUE(fs::is_regular_file(link)) << link << " leads nowhere";
    }
    for (const char* file : {"share/applications/quarrow2.desktop", "share/metainfo/" QUARROW_APP_ID ".metainfo.xml",
                             "share/man/man6/quarrow2.6.gz", "share/man/man6/quarrow-solve.6.gz",
                             "share/doc/quarrow2/copyright", "share/doc/quarrow2/changelog.gz"})
        EXPECT_TRUE(fs::is_regular_file(installed(file))) << file;
    // The menu starts the launcher by its installed path, the DESTDIR left out.
    std::string entry = readWholeFile(installed("share/applications/quarrow2.desktop"));
    EXPECT_NE(entry.find("\nExec=/opt/quarrow2/" QUARROW_GAMES_DIR "/quarrow2\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=quarrow2\n"), std::string::npos) << entry;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        std::string side = std::to_string(size);
        EXPECT_TRUE(fs::is_regular_file(installed("share/icons/hicolor/" + side + "x" + side + "/apps/quarrow2.png")))
            << size;
    }
}

// The paragraphs of a Debian machine-readable copyright file, each as its fields, with the
// continuation lines of a field unfolded (" ." stands for an empty line).
using Paragraph = std::map<std::string, std::string>;
std::vector<Paragraph> copyrightParagraphs(const std::string& text) {
    std::vector<Paragraph> paragraphs(1);
    std::istringstream lines(text);
    std::string line, field;
    while (std::getline(lines, line)) {
        if (line.empty()) {
            if (!paragraphs.back().empty()) paragraphs.emplace_back();
        } else if (line[0] == ' ') {
            paragraphs.back()[field] += "\n" + (line == " ." ? "" : line.substr(1));
        } else {
            field = line.substr(0, line.find(':'));
            size_t value = line.find_first_not_of(' ', field.size() + 1);
            paragraphs.back()[field] = value == std::string::npos ? "" : line.substr(value);
        }
    }
    return paragraphs;
}

TEST(InstalledTree, SaysWhichLicenceCoversWhichFiles) {
    std::vector<Paragraph> paragraphs = copyrightParagraphs(readWholeFile(installed("share/doc/quarrow2/copyright")));
    ASSERT_FALSE(paragraphs.empty());
    EXPECT_EQ(paragraphs[0]["Format"], "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/");
    std::map<std::string, std::string> licenceOfFiles, licenceTexts;
    for (const Paragraph& paragraph : paragraphs) {
        if (!paragraph.count("License")) continue;
        // The licence's name, then its text when the paragraph gives one.
        const std::string& licence = paragraph.at("License");
        size_t end = licence.find('\n');
        std::string name = licence.substr(0, end);
        if (end != std::string::npos) licenceTexts[name] = licence.substr(end + 1);
        std::istringstream patterns(paragraph.count("Files") ? paragraph.at("Files") : "");
        for (std::string pattern; patterns >> pattern;) licenceOfFiles[pattern] = name;
    }
    EXPECT_EQ(licenceOfFiles["*"], "GPL-3.0-or-later");
    for (const char* content : {"data/*", "docs/*"}) EXPECT_EQ(licenceOfFiles[content], "CC-BY-SA-4.0") << content;
    // Every licence named is spelled out, the content's in full as Debian has no copy of it.
    for (const auto& [pattern, licence] : licenceOfFiles)
        EXPECT_TRUE(licenceTexts.count(licence)) << pattern << ": " << licence;
    EXPECT_EQ(licenceTexts["CC-BY-SA-4.0"] + "\n", readWholeFile(SOURCE_DIR "/LICENSES/CC-BY-SA-4.0.txt"));

    std::string metainfo = readWholeFile(installed("share/metainfo/" QUARROW_APP_ID ".metainfo.xml"));
    EXPECT_NE(metainfo.find("<project_license>GPL-3.0-or-later AND CC-BY-SA-4.0</project_license>"), std::string::npos)
        << metainfo;
}

// The reserved documentation domains stand in for addresses a project does not have.
TEST(InstalledTree, NamesNoInventedAddress) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(installed(""))) {
        if (!entry.is_regular_file() || entry.is_symlink()) continue;
        std::string text = readWholeFile(entry.path().string());
        for (const char* invented : {"example.org", "example.com", "example.net", "org.example."})
            EXPECT_EQ(text.find(invented), std::string::npos) << entry.path() << " names " << invented;
    }
}

TEST(Launcher, FirstStartMakesTheGameFolderWithTheLinksAndTheSettingsOnly) {
    TempFolder home;
    // A relative XDG_DATA_HOME is not valid and gives way to the default.
    ASSERT_EQ(startAndQuit(launcher(), {"HOME=" + home.path(), "XDG_DATA_HOME=relative/data"}), 0);
    std::string folder = home.file(".local/share/quarrow2");
    EXPECT_EQ(entries(folder), (std::vector<std::string>{"help", "resources.res", "settings.set"}));
    expectLinkedToInstalledData(folder);
    EXPECT_EQ(readWholeFile(folder + "/settings.set"), "w=1\ns=1\n");
    EXPECT_FALSE(fs::exists(home.file("relative")));
}

TEST(Launcher, LaterStartsKeepThePlayersFilesAndRepointStaleLinks) {
    TempFolder home;
    std::string folder = home.file("data/quarrow2");
    fs::create_directories(folder + "/maps");
    const std::string save = allByteValues(), map = "1 2 3\n";
    writeWholeFile(folder + "/game_save.sav", save);
    writeWholeFile(folder + "/maps/mine.map", map);
    writeWholeFile(folder + "/settings.set", "w=1\ns=0\n");
    fs::create_directory_symlink("/usr/share/games/an-older-install/help", folder + "/help");
    // Reached through a link, as from a folder of the player's own on the PATH.
    fs::create_directory(home.file("bin"));
    fs::create_symlink(launcher(), home.file("bin/quarrow2"));
    std::vector<std::string> env = {"HOME=" + home.path(), "XDG_DATA_HOME=" + home.file("data")};

    for (int start = 1; start <= 2; ++start) {
        ASSERT_EQ(startAndQuit(home.file("bin/quarrow2"), env), 0) << "start " << start;
        expectLinkedToInstalledData(folder);
        EXPECT_EQ(readWholeFile(folder + "/game_save.sav"), save) << "start " << start;
        EXPECT_EQ(readWholeFile(folder + "/maps/mine.map"), map);
        EXPECT_EQ(readWholeFile(folder + "/settings.set"), "w=1\ns=0\n");
    }
    EXPECT_FALSE(fs::exists(home.file(".local")));
}

TEST(Launcher, TakesNoOptions) {
    std::string output;
    EXPECT_EQ(run({launcher(), "--fullscreen"}, output), 2);
    EXPECT_NE(output.find("usage: quarrow2"), std::string::npos) << output;
    EXPECT_EQ(run({launcher(), "--version"}, output), 0);
    EXPECT_EQ(output, "quarrow2 " QUARROW_VERSION "\n");
}

// Started over ssh without X, SDL would settle on a driver that shows nothing.
TEST(Launcher, WithoutADisplayTheGameSaysSoAndEndsWithStatusTwo) {
    TempFolder home;
    int number = 90;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number))) ++number;
    const std::string display = ":" + std::to_string(number);
    std::string output;
    // timeout only ends a game that runs on unseen, for the failure to show.
    int status = run({"env", "-u", "SDL_VIDEODRIVER", "HOME=" + home.path(), "DISPLAY=" + display,
                      "WAYLAND_DISPLAY=quarrow-no-such-display", "timeout", "300", launcher()},
                     output);
    EXPECT_EQ(status, 2) << output;
    EXPECT_NE(output.find("no display could be reached (DISPLAY=\"" + display + "\""), std::string::npos) << output;
}

TEST(Validators, DesktopEntryIsValid) {
    if (!onPath("desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate is not installed";
    std::string output;
    EXPECT_EQ(run({"desktop-file-validate", installed("share/applications/quarrow2.desktop")}, output), 0);
    EXPECT_EQ(output, "");
}

TEST(Validators, MetainfoIsValid) {
    if (!onPath("appstreamcli")) GTEST_SKIP() << "appstreamcli is not installed";
    std::string output;
    EXPECT_EQ(run({"appstreamcli", "validate", "--no-net", installed("share/metainfo/" QUARROW_APP_ID ".metainfo.xml")},
                  output),
              0)
        << output;
    EXPECT_EQ(output.find("W:"), std::string::npos) << output;
}

TEST(Validators, ManualPagesShowWithoutWarnings) {
    if (!onPath("man")) GTEST_SKIP() << "man is not installed";
    for (const char* page : {"quarrow2", "quarrow-solve"}) {
        std::string path = installed(std::string("share/man/man6/") + page + ".6.gz"), output;
        std::vector<std::string> env = environmentWith({"MANWIDTH=80", "LC_ALL=C.UTF-8"});
        EXPECT_EQ(run({"man", "--warnings", "-E", "UTF-8", "-l", path}, output, env), 0) << page;
        EXPECT_EQ(output.find("warning"), std::string::npos) << output;
        EXPECT_NE(output.find("NAME"), std::string::npos) << output;
        EXPECT_NE(output.find(page), std::string::npos) << output;
    }
}

}  // namespace
