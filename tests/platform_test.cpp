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

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <functional>
#include <random>
#include <set>
#include <thread>

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
    files.push_back({saveFileName,
                     [](const std::string& path, int v) { return saveGame(saveVersion(v), path); },
                     {scrambleText(savedGameRecord(saveVersion(0)), saveKey),
                      scrambleText(savedGameRecord(saveVersion(1)), saveKey)}});
    files.push_back({settingsFileName,
                     [](const std::string& path, int v) { return writeSettings(path, settingsVersion(v)); },
                     {settingsText(settingsVersion(0)), settingsText(settingsVersion(1))}});
    files.push_back({"level.map",
                     [](const std::string& path, int v) { return writeMap(path, gridVersion(v)); },
                     {mapText(gridVersion(0)), mapText(gridVersion(1))}});
    return files;
}

// What the writer tells the test over a pipe, one byte at a time: a write begins,
// a write is done, a write failed.
constexpr char writeBegins = 'b', writeDone = 'd', writeFailed = 'f';

void tell(int pipe, char report) {
    while (write(pipe, &report, 1) < 0 && errno == EINTR) {}
}

// The writer goes round the files, each time replacing one with its other version, so
// every write it is killed in has an old and a new file that differ. It starts with
// another file each time, so that every file gets written even when the kills come
// before a whole round is done.
[[noreturn]] void writeForever(const TempFolder& folder, const std::vector<WrittenFile>& files,
                               std::vector<int> version, size_t first, int pipe) {
    for (size_t i = first;; i = (i + 1) % files.size()) {
        tell(pipe, writeBegins);
        version[i] = 1 - version[i];
        if (!files[i].write(folder.file(files[i].name), version[i])) {
            tell(pipe, writeFailed);
            _exit(1);
        }
        tell(pipe, writeDone);
    }
}

using Clock = std::chrono::steady_clock;

// How far one writer got before it was killed.
struct KilledWriter {
    size_t writesDone = 0;
    bool midWrite = false;  // its last word was that a write began
    bool failed = false;
};

// A writer that the test kills at a point counted in its own writes, not in time: once it has
// finished `writes` writes and begun the next, and `into` of a write's length has passed.
// Waiting for the writer's word rather than for a time keeps the kills landing across its writes
// on a slow disk as on a fast one. `oneWrite` is how long a write took the last time one was seen.
KilledWriter killWriter(const TempFolder& folder, const std::vector<WrittenFile>& files,
                        const std::vector<int>& version, size_t first, size_t writes, double into,
                        Clock::duration& oneWrite) {
    KilledWriter result;
    int ends[2];
    if (pipe(ends) != 0) return {0, false, true};
    pid_t child = fork();
    if (child == 0) {
        close(ends[0]);
        writeForever(folder, files, version, first, ends[1]);
    }
    close(ends[1]);
    char report = 0;
    auto next = [&] { return read(ends[0], &report, 1) == 1; };
    Clock::time_point begun = Clock::now();
    bool alive = child > 0;
    while (alive && (alive = next()) && report != writeFailed) {
        if (report == writeBegins) {
            begun = Clock::now();
            if (result.writesDone == writes) break;
        } else {
            oneWrite = Clock::now() - begun;
            ++result.writesDone;
        }
    }
    if (alive && report == writeBegins) {
        std::this_thread::sleep_for(std::chrono::duration_cast<Clock::duration>(oneWrite * into));
        kill(child, SIGKILL);
    }
    int status = 0;
    if (child > 0) waitpid(child, &status, 0);
    // The words it said between the wait and its death.
    while (next() && report != writeFailed)
        if (report == writeDone) ++result.writesDone;
    close(ends[0]);
    result.midWrite = report == writeBegins;
    result.failed = child <= 0 || report == writeFailed || !WIFSIGNALED(status);
    return result;
}

}  // namespace

TEST(WriteFileAtomically, AKilledWriterLeavesTheOldOrTheNewFileNeverAPartOne) {
    TempFolder folder;
    std::vector<WrittenFile> files = gameFiles();
    ASSERT_NE(files[2].versions[0].size(), files[2].versions[1].size());
    // A first guess at a write's length, taken as the writer takes its own.
    std::vector<Clock::duration> writes;
    for (int round = 0; round < 3; ++round)
        for (const WrittenFile& file : files) {
            Clock::time_point begun = Clock::now();
            ASSERT_TRUE(file.write(folder.file(file.name), 0));
            writes.push_back(Clock::now() - begun);
        }
    std::nth_element(writes.begin(), writes.begin() + writes.size() / 2, writes.end());
    Clock::duration oneWrite = writes[writes.size() / 2];

    std::mt19937 random(20240611);
    // Up to a whole round before the kill, so that every file is cut short in some kills.
    std::uniform_int_distribution<size_t> writesBefore(0, files.size());
    std::uniform_real_distribution<double> partOfAWrite(0.0, 1.0);
    std::vector<int> version(files.size(), 0);
    std::vector<int> cutShort(files.size(), 0);
    // A slow disk gets fewer kills rather than a longer test, but never too few to mean anything.
    constexpr int mostKills = 500, fewestKills = 100;
    const Clock::time_point stopAfter = Clock::now() + std::chrono::seconds(4);
    int kills = 0, midWrite = 0;
    for (; kills < mostKills && (kills < fewestKills || Clock::now() < stopAfter); ++kills) {
        size_t first = static_cast<size_t>(kills) % files.size();
        size_t before = writesBefore(random);
        KilledWriter writer = killWriter(folder, files, version, first, before, partOfAWrite(random), oneWrite);
        ASSERT_FALSE(writer.failed) << "kill " << kills;
        // Every finished write stays; only the one cut short may have left the old file.
        for (size_t done = 0; done < writer.writesDone; ++done) {
            size_t i = (first + done) % files.size();
            version[i] = 1 - version[i];
        }
        size_t cut = (first + writer.writesDone) % files.size();
        midWrite += writer.midWrite;
        cutShort[cut] += writer.midWrite;
        for (size_t i = 0; i < files.size(); ++i) {
            std::string bytes = readWholeFile(folder.file(files[i].name));
            if (writer.midWrite && i == cut && bytes == files[i].versions[1 - version[i]]) version[i] = 1 - version[i];
            ASSERT_TRUE(bytes == files[i].versions[version[i]])
                << files[i].name << " after kill " << kills << (writer.midWrite && i == cut ? ", cut short" : "")
                << ", holds " << bytes.size() << " bytes, not version " << version[i];
        }
    }
    RecordProperty("kills", kills);
    RecordProperty("killsInAWrite", midWrite);
    RecordProperty("lastWriteMicroseconds",
                   static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(oneWrite).count()));
    // Enough kills cut a write short that the replace itself was put to the test, not only the
    // moments between writes, and for every file.
    EXPECT_GE(midWrite * 10, kills) << midWrite << " of " << kills << " kills landed in a write";
    for (size_t i = 0; i < files.size(); ++i) EXPECT_GT(cutShort[i], 0) << files[i].name;
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
