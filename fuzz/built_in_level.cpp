// The scrambled reader of the built-in levels, then the board played, mirrored or not.
#include "fuzz_support.h"

#include "app/app_state.h"
#include "level/map_file.h"

#include <memory>

namespace {

// Mirroring twice puts every object back where it was, in the list it came from.
void checkMirrorTwiceIsNoChange(const LevelGrid& grid) {
    auto app = std::make_unique<AppState>();
    buildLevelObjects(*app, grid);
    LevelObjects before = app->level;
    mirrorLevel(app->level);
    mirrorLevel(app->level);
    FUZZ_CHECK(app->level.player.x == before.player.x);
    for (int code = 0; code < TileKindCount; ++code) {
        const auto& list = app->level.lists[code];
        FUZZ_CHECK(list.size() == before.lists[code].size());
        for (size_t i = 0; i < list.size(); ++i) FUZZ_CHECK(list[i].x == before.lists[code][i].x);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes = inputBytes(data, size).substr(0, mapReadLimit);
    LevelGrid grid;
    grid.fill(-1);
    parseMapTokens(scrambleText(bytes, levelKey), grid);

    LevelGrid again;
    parseMapTokens(mapText(grid), again);
    FUZZ_CHECK(again == grid);
    checkMirrorTwiceIsNoChange(grid);

    InputRandom random(bytes);
    playFuzzedLevel(grid, random);
    return 0;
}
