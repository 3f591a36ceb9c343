#pragma once
// The two preferences kept in "settings.set": window or full screen, music on or off.
#include <string>

struct Settings {
    bool windowed = true;
    bool musicOn = true;
};

constexpr const char* settingsFileName = "settings.set";

// A missing file or line keeps the default; only a value of exactly "1" reads true.
Settings readSettings(const std::string& path);
Settings parseSettings(const std::string& text);
// The two lines writeSettings stores.
std::string settingsText(const Settings& settings);
bool writeSettings(const std::string& path, const Settings& settings);
