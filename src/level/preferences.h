#pragma once
// The player's choices kept in "preferences.set" beside the settings, one "key=value" a line:
// for now the window's scale.
#include <string>

struct Preferences {
    int windowScale = 0;  // 0: the largest that fits the desktop
};

constexpr const char* preferencesFileName = "preferences.set";
constexpr int largestStoredScale = 16;

// A missing file, or a line that does not read, keeps the default.
Preferences readPreferences(const std::string& path);
Preferences parsePreferences(const std::string& text);
std::string preferencesText(const Preferences& preferences);
bool writePreferences(const std::string& path, const Preferences& preferences);
