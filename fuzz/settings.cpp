// The settings reader: any text gives two flags, and what the game writes for them
// reads back the same.
#include "fuzz_support.h"

#include "level/settings.h"

namespace {
constexpr size_t settingsReadLimit = 4096;  // as readSettings reads
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Settings settings = parseSettings(inputBytes(data, size).substr(0, settingsReadLimit));
    Settings again = parseSettings(settingsText(settings));
    FUZZ_CHECK(again.windowed == settings.windowed);
    FUZZ_CHECK(again.musicOn == settings.musicOn);
    return 0;
}
