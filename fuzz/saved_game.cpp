// The saved game reader: whatever it reads, the game writes back a record that
// reads the same.
#include "fuzz_support.h"

#include "level/map_file.h"
#include "level/saved_game.h"

#include <algorithm>

namespace {

constexpr size_t saveReadLimit = 256;  // as loadGame reads
constexpr size_t recordLength = 47;

bool sameProgress(const SavedGame& a, const SavedGame& b) {
    return a.highestLevel == b.highestLevel && a.peachTaken == b.peachTaken && a.enabled == b.enabled &&
           a.spareSwitch == b.spareSwitch && a.gameWon == b.gameWon && a.peachCount == b.peachCount &&
           a.noticesShown == b.noticesShown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SavedGame save;
    decodeSavedGame(inputBytes(data, size).substr(0, saveReadLimit), save);

    FUZZ_CHECK(save.highestLevel >= -9 && save.highestLevel <= 99);  // two characters of atoi
    FUZZ_CHECK(save.peachCount == std::count(save.peachTaken.begin(), save.peachTaken.end(), true));
    FUZZ_CHECK(save.noticesShown == save.peachCount / 5);

    std::string record = savedGameRecord(save);
    FUZZ_CHECK(record.size() == recordLength);
    FUZZ_CHECK(record.find_first_not_of("01", 2) == std::string::npos);
    SavedGame again;
    again.highestLevel = -100;  // nothing of the old values may shine through
    decodeSavedGame(scrambleText(record, saveKey), again);
    FUZZ_CHECK(sameProgress(again, save));
    return 0;
}
