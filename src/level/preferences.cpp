#include "level/preferences.h"

#include "app/platform.h"

#include <sstream>

namespace {

// Only whole numbers from 1 to the largest stored scale read; anything else is damage.
bool readScale(const std::string& value, int& scale) {
    if (value.empty() || value.size() > 2 || value.find_first_not_of("0123456789") != std::string::npos) return false;
    int read = std::stoi(value);
    if (read < 1 || read > largestStoredScale) return false;
    scale = read;
    return true;
}

}  // namespace

Preferences readPreferences(const std::string& path) {
    std::string text;
    if (!platform::readFile(path, text, 4096)) return Preferences{};
    return parsePreferences(text);
}

Preferences parsePreferences(const std::string& text) {
    Preferences preferences;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string scaleKey = "scale=";
        if (line.compare(0, scaleKey.size(), scaleKey) == 0)
            readScale(line.substr(scaleKey.size()), preferences.windowScale);
    }
    return preferences;
}

std::string preferencesText(const Preferences& preferences) {
    if (preferences.windowScale <= 0) return "";
    return "scale=" + std::to_string(preferences.windowScale) + "\n";
}

bool writePreferences(const std::string& path, const Preferences& preferences) {
    return platform::writeFileAtomically(path, preferencesText(preferences));
}
