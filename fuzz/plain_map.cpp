// The plain map reader (user maps and the test map), then the board played.
#include "fuzz_support.h"

#include "level/map_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text = inputBytes(data, size).substr(0, mapReadLimit);
    LevelGrid grid;
    grid.fill(-1);
    parsePlainMap(text, grid);

    // What the writer stores, both readers read back unchanged.
    LevelGrid again;
    parsePlainMap(mapText(grid), again);
    FUZZ_CHECK(again == grid);
    parseMapTokens(mapText(grid), again);
    FUZZ_CHECK(again == grid);

    InputRandom random(text);
    playFuzzedLevel(grid, random);
    return 0;
}
