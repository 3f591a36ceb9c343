#include "level/settings.h"

#include "app/platform.h"

#include <sstream>

namespace {

// A line is "w=1": the two characters before the value are not checked.
bool readFlag(std::istream& in, bool fallback) {
    std::string line;
    if (!std::getline(in, line)) return fallback;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() < 2) return fallback;
    return line.substr(2) == "1";
}

}  // namespace

Settings readSettings(const std::string& path) {
    std::string text;
    if (!platform::readFile(path, text, 4096)) return Settings{};
    return parseSettings(text);
}

Settings parseSettings(const std::string& text) {
    Settings settings;
    std::istringstream in(text);
    settings.windowed = readFlag(in, settings.windowed);
    settings.musicOn = readFlag(in, settings.musicOn);
    return settings;
}

std::string settingsText(const Settings& settings) {
    return std::string("w=") + (settings.windowed ? "1" : "0") + "\ns=" + (settings.musicOn ? "1" : "0") + "\n";
}

bool writeSettings(const std::string& path, const Settings& settings) {
    return platform::writeFileAtomically(path, settingsText(settings));
}
