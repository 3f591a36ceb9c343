#pragma once
// The one place that talks to the operating system: files, folders, the working
// directory, the desktop's document opener and termination signals.
#include <string>
#include <vector>

namespace platform {

// Absolute path of the working directory, any length, without a trailing '/'.
std::string currentDirectory();

std::string joinPath(const std::string& folder, const std::string& name);

bool makeDirectory(const std::string& path);
bool deleteFile(const std::string& path);
bool isRegularFile(const std::string& path);

// Entry names of a folder in the order the listing gives them, "." and ".." included.
// False when the folder cannot be opened.
bool listDirectory(const std::string& path, std::vector<std::string>& names);

// Reads at most maxBytes of a regular file. False when it is missing, not a
// regular file or unreadable.
bool readFile(const std::string& path, std::string& bytes, size_t maxBytes);

// Writes a temporary file beside path, flushes it to disk, renames it over path
// and flushes the folder, so a crash, a full disk or a power loss leaves either
// the old file or the new one, never a half-written one.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

// Asks the desktop's opener to show a document (a help page) in the user's browser,
// without waiting. The opener runs detached, in a session of its own with nothing to
// read, so a terminal program it picks cannot take over the game's terminal.
// False when the opener could not be started.
bool openDocument(const std::string& path, const char* opener = "xdg-open");

struct OpenerOutcome {
    int ended = 0;
    int failed = 0;  // ended with a status other than 0, or by a signal
};

// Collects the openers that ended since the last call, never waiting, so none is
// left behind as a zombie.
OpenerOutcome collectFinishedOpeners();

// From now on SIGTERM (a logout, a package manager, `kill`) and SIGINT only
// note a request to end, so the game can leave the way its close button does.
void catchTerminationSignals();

// True once for every batch of termination signals that arrived since the last call.
bool takeTerminationRequest();

}  // namespace platform
