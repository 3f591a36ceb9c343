// Files the game writes survive the program being killed at any moment: each is
// the old content or the new one, never a mixture or a cut-off copy. The help
// opener runs detached from the game and is collected, its failures reported.
#include "app/platform.h"
#include "level/map_file.h"
#include "level/saved_game.h"
#include "level/settings.h"
#include "support/test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <random>
#include <set>

namespace {

// One file the game writes, with two versions of it that differ in content and,
// where the format allows, in length.
struct WrittenFile {
    std::string name;
    std::function<bool(const std::string& path, int version)> write;
    std::string versions[2];
};

SavedGame saveVersion(int version) {
    SavedGame save;
    save.highestLevel = version ? 35 : 3;
    save.peachTaken.fill(version == 1);
    save.enabled[MirroredLevels] = version == 1;
    save.gameWon = version == 1;
    return save;
}

Settings settingsVersion(int version) { return Settings{version == 1, version == 0}; }

LevelGrid gridVersion(int version) {
    LevelGrid grid{};
    if (version) grid.fill(-123456);
    grid[0] = Player;
    return grid;
}

std::vector<WrittenFile> gameFiles() {
    std::vector<WrittenFile> files;
    files.push_back({saveFileName, [](const std::string& path, int v) { return saveGame(saveVersion(v), path); },
                     {scrambleText(savedGameRecord(saveVersion(0)), saveKey),
                      scrambleText(savedGameRecord(saveVersion(1)), saveKey)}});
    files.push_back({settingsFileName, [](const std::string& path, int v) { return writeSettings(path, settingsVersion(v)); },
                     {settingsText(settingsVersion(0)), settingsText(settingsVersion(1))}});
    files.push_back({"level.map", [](const std::string& path, int v) { return writeMap(path, gridVersion(v)); },
                     {mapText(gridVersion(0)), mapText(gridVersion(1))}});
    return files;
}

// The child writes every file over and over, alternating the two versions, until
// it is killed. Each child starts with another file, so that every file gets written
// even when the kills come before a whole round is done.
[[noreturn]] void writeForever(const TempFolder& folder, const std::vector<WrittenFile>& files, size_t first) {
    for (size_t round = 0;; ++round) {
        const WrittenFile& file = files[(first + round) % files.size()];
        file.write(folder.file(file.name), (round / files.size()) % 2 == 0);
    }
}

}  // namespace

TEST(WriteFileAtomically, AKilledWriterLeavesTheOldOrTheNewFileNeverAPartOne) {
    TempFolder folder;
    std::vector<WrittenFile> files = gameFiles();
    for (const WrittenFile& file : files) ASSERT_TRUE(file.write(folder.file(file.name), 0));
    ASSERT_NE(files[2].versions[0].size(), files[2].versions[1].size());

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> pause(0, 3000);  // microseconds
    std::vector<std::set<std::string>> seen(files.size());
    constexpr int kills = 500;
    for (int kill = 0; kill < kills; ++kill) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) writeForever(folder, files, static_cast<size_t>(kill) % files.size());
        usleep(static_cast<useconds_t>(pause(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        for (size_t i = 0; i < files.size(); ++i) {
            std::string bytes = readWholeFile(folder.file(files[i].name));
            ASSERT_TRUE(bytes == files[i].versions[0] || bytes == files[i].versions[1])
                << files[i].name << " after kill " << kill << " holds " << bytes.size() << " bytes";
            seen[i].insert(bytes);
        }
    }
    // Both versions turned up, so the kills did land between writes and not only before the first.
    for (size_t i = 0; i < files.size(); ++i) EXPECT_EQ(seen[i].size(), 2u) << files[i].name;
}

TEST(WriteFileAtomically, WritesABareNameIntoTheWorkingDirectory) {
    TempFolder folder;
    ASSERT_TRUE(platform::writeFileAtomically("plain.txt", "new"));
    EXPECT_EQ(readWholeFile(folder.file("plain.txt")), "new");
    std::vector<std::string> names;
    ASSERT_TRUE(platform::listDirectory(folder.path(), names));
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), (std::set<std::string>{".", "..", "plain.txt"}));
}

// --- the help opener ---

namespace {

// Collects until one opener has ended. The time limit is only a net for an opener that
// never ends; the test waits for the outcome, not for a time.
platform::OpenerOutcome collectUntilOneEnded() {
    platform::OpenerOutcome total;
    auto net = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    while (total.ended == 0 && std::chrono::steady_clock::now() < net) {
        platform::OpenerOutcome outcome = platform::collectFinishedOpeners();
        total.ended += outcome.ended;
        total.failed += outcome.failed;
        if (total.ended == 0) usleep(1000);
    }
    return total;
}

bool noChildLeft() { return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD; }

struct OpenerCase {
    const char* name;
    const char* script;
    int failed;
};

class OpenerEndTest : public ::testing::TestWithParam<OpenerCase> {};

}  // namespace

TEST(OpenDocument, AnOpenerThatIsNotThereIsNotStarted) {
    TempFolder folder;
    OpenerOnPath noOpener(folder.file("bin"), nullptr);
    EXPECT_FALSE(platform::openDocument("help/index.html"));
    EXPECT_EQ(platform::collectFinishedOpeners().ended, 0);
}

TEST_P(OpenerEndTest, IsCollectedAndReportedOnlyWhenItFailed) {
    TempFolder folder;
    OpenerOnPath opener(folder.file("bin"), GetParam().script);
    ASSERT_TRUE(platform::openDocument("help/index.html"));
    platform::OpenerOutcome outcome = collectUntilOneEnded();
    EXPECT_EQ(outcome.ended, 1);
    EXPECT_EQ(outcome.failed, GetParam().failed);
    EXPECT_TRUE(noChildLeft()) << "a finished opener is left as a zombie";
}

INSTANTIATE_TEST_SUITE_P(Openers, OpenerEndTest,
                         ::testing::Values(OpenerCase{"Succeeding", "exit 0", 0}, OpenerCase{"Failing", "exit 3", 1},
                                           OpenerCase{"Killed", "kill -KILL $$", 1}),
                         [](const ::testing::TestParamInfo<OpenerCase>& info) { return std::string(info.param.name); });

// A terminal program the desktop picks must not read the game's terminal or share its session.
TEST(OpenDocument, TheOpenerReadsNothingInASessionOfItsOwn) {
    TempFolder folder;
    OpenerOnPath opener(folder.file("bin"),
                        "/usr/bin/readlink /proc/$$/fd/0 > stdin.txt\n"
                        "read -r stat < /proc/$$/stat; set -- $stat; echo \"$$ $6\" > session.txt");
    // The game's own input is a pipe here, so the opener cannot pass by inheriting /dev/null.
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    int savedInput = dup(STDIN_FILENO);
    dup2(pipeEnds[0], STDIN_FILENO);
    bool started = platform::openDocument("help/index.html");
    dup2(savedInput, STDIN_FILENO);
    for (int fd : {savedInput, pipeEnds[0], pipeEnds[1]}) close(fd);
    ASSERT_TRUE(started);
    ASSERT_EQ(collectUntilOneEnded().failed, 0);
    EXPECT_EQ(readWholeFile(folder.file("stdin.txt")), "/dev/null\n");
    std::string session = readWholeFile(folder.file("session.txt"));
    size_t space = session.find(' ');
    ASSERT_NE(space, std::string::npos) << session;
    EXPECT_EQ(session.substr(0, space) + "\n", session.substr(space + 1)) << "process and session ids: " << session;
}
