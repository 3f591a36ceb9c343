// The scrambled reader of the built-in levels, then the board played, mirrored or not.
#include "fuzz_support.h"

#include "core/play_state.h"
#include "level/map_file.h"

namespace {

// The mirror puts every piece at the mirror image of its place, in the list of the
// way it now points.
void checkMirrorIsAReflection(const LevelGrid& grid) {
    PlayState plain = newPlay(grid, PlayRules{}, 1);
    PlayState mirrored = newPlay(grid, PlayRules{true, false, false}, 1);
    constexpr float edge = (boardColumns - 1) * cellSize;
    FUZZ_CHECK(mirrored.player.x == edge - plain.player.x);
    for (int code = Wall; code < TileKindCount; ++code) {
        TileKind kind = static_cast<TileKind>(code);
        TileKind listed = kind;
        if (kind == ArrowLeft || kind == SpeedLeft) listed = static_cast<TileKind>(code + 2);
        if (kind == ArrowRight || kind == SpeedRight) listed = static_cast<TileKind>(code - 2);
        FUZZ_CHECK(mirrored[listed].size() == plain[kind].size());
        for (size_t i = 0; i < plain[kind].size(); ++i) FUZZ_CHECK(mirrored[listed][i].x == edge - plain[kind][i].x);
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
    checkMirrorIsAReflection(grid);

    InputRandom random(bytes);
    playFuzzedLevel(grid, random);
    return 0;
}
