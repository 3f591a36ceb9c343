#include "level/saved_game.h"

#include "app/platform.h"
#include "level/map_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t peachStart = 2, switchStart = 38, spareAt = 45, wonAt = 46;
constexpr size_t readCap = 256;  // a record is 47 bytes; anything longer is not ours to read

char digit(bool flag) { return flag ? '1' : '0'; }

// The C library's reading of a field: leading digits count, anything else reads 0.
int fieldValue(const std::string& record, size_t at, size_t length) {
    return std::atoi(record.substr(at, length).c_str());
}

// A field that the record is too short to hold keeps its current value.
void readFlag(const std::string& record, size_t at, bool& flag) {
    if (at < record.size()) flag = fieldValue(record, at, 1) != 0;
}

}  // namespace

std::string savedGameRecord(const SavedGame& save) {
    char level[8];
    std::snprintf(level, sizeof level, "%02d", save.highestLevel);
    std::string record(level);
    for (bool taken : save.peachTaken) record += digit(taken);
    for (bool on : save.enabled) record += digit(on);
    record += digit(save.spareSwitch);
    record += digit(save.gameWon);
    return record;
}

bool saveGame(const SavedGame& save, const std::string& path) {
    return platform::writeFileAtomically(path, scrambleText(savedGameRecord(save), saveKey));
}

bool loadGame(SavedGame& save, const std::string& path) {
    save.peachCount = 0;
    std::string bytes;
    if (!platform::readFile(path, bytes, readCap)) return false;
    decodeSavedGame(bytes, save);
    return true;
}

void decodeSavedGame(const std::string& bytes, SavedGame& save) {
    std::string record = scrambleText(bytes.substr(0, bytes.find('\n')), saveKey);
    if (record.size() >= 2) save.highestLevel = fieldValue(record, 0, 2);
    for (size_t i = 0; i < save.peachTaken.size(); ++i) readFlag(record, peachStart + i, save.peachTaken[i]);
    for (size_t j = 0; j < save.enabled.size(); ++j) readFlag(record, switchStart + j, save.enabled[j]);
    readFlag(record, spareAt, save.spareSwitch);
    readFlag(record, wonAt, save.gameWon);
    save.peachCount = static_cast<int>(std::count(save.peachTaken.begin(), save.peachTaken.end(), true));
    save.noticesShown = save.peachCount / 5;
}

bool saveFileExists(const std::string& path) {
    std::string unused;
    return platform::readFile(path, unused, 0);
}
