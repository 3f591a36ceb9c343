#include "core/tile_kinds.h"

using F = TileFamily;
using B = TileBehaviour;

constexpr int N = noImage;

constexpr TileKindInfo tileKinds[TileKindCount] = {
    // kind, name, title, image, oldschool image, palette slot, letter, family, behaviour, mirrored
    {Empty, "empty", "floor", N, N, noPaletteSlot, '.', F::None, B::Floor, Empty},
    {Player, "player", "player", Img::player, Img::old_player, 0, 'P', F::None, B::Floor, Player},
    {Wall, "walls", "wall", Img::wall, Img::old_wall, 1, '#', F::None, B::Solid, Wall},
    {Peach, "peaches", "peach", Img::bonus, Img::old_bonus, 2, '*', F::None, B::Pickup, Peach},
    {Goal, "goals", "goal", Img::goal, Img::old_goal, 3, 'G', F::None, B::Ends, Goal},
    {PassOnce, "passOnces", "pass-once", Img::passonce_solid, N, 4, 'o', F::PassOnces, B::PassOnce, PassOnce},
    {Hole, "holes", "hole", Img::hole, N, 5, 'O', F::Holes, B::Swallows, Hole},
    {ArrowLeft, "arrowsLeft", "arrow", Img::left, N, 6, '<', F::Arrows, B::OneWay, ArrowRight},
    {ArrowUp, "arrowsUp", "arrow", Img::up, N, 7, '^', F::Arrows, B::OneWay, ArrowUp},
    {ArrowRight, "arrowsRight", "arrow", Img::right, N, 8, '>', F::Arrows, B::OneWay, ArrowLeft},
    {ArrowDown, "arrowsDown", "arrow", Img::down, N, 9, 'v', F::Arrows, B::OneWay, ArrowDown},
    {Earth, "earths", "earth", Img::earth, N, 10, '%', F::Earth, B::Grips, Earth},
    {SpeedLeft, "speedLeft", "speed tile", Img::speed_left, N, 11, 'a', F::SpeedTiles, B::Carries, SpeedRight},
    {SpeedUp, "speedUp", "speed tile", Img::speed_up, N, 12, 'w', F::SpeedTiles, B::Carries, SpeedUp},
    {SpeedRight, "speedRight", "speed tile", Img::speed_right, N, 13, 'd', F::SpeedTiles, B::Carries, SpeedLeft},
    {SpeedDown, "speedDown", "speed tile", Img::speed_down, N, 14, 's', F::SpeedTiles, B::Carries, SpeedDown},
    {UpDown, "upDowns", "enemy", Img::updown, Img::old_enemy, 15, 'I', F::Enemies, B::Kills, UpDown},
    {RightLeft, "rightLefts", "enemy", Img::rightleft, Img::old_enemy, 16, 'H', F::Enemies, B::Kills, RightLeft},
    {Key, "keys", "key", Img::key, N, 17, 'k', F::KeysAndDoors, B::Pickup, Key},
    {Door, "doors", "door", Img::door, N, 18, 'D', F::KeysAndDoors, B::Opens, Door},
    {Button, "buttons", "button", Img::button_unpressed, N, 19, 'B', F::TheButton, B::Presses, Button},
    {MetalDoor, "metalDoors", "metal door", Img::metal_door, N, 20, 'M', F::TheButton, B::Solid, MetalDoor},
};

static constexpr bool tableInCodeOrder() {
    for (int code = 0; code < TileKindCount; ++code)
        if (tileKinds[code].kind != code) return false;
    return true;
}
static_assert(tableInCodeOrder(), "each tile row must sit at the index of its code");

static constexpr bool lettersDistinct() {
    for (int a = 0; a < TileKindCount; ++a)
        for (int b = a + 1; b < TileKindCount; ++b)
            if (tileKinds[a].sourceChar == tileKinds[b].sourceChar) return false;
    return true;
}
static_assert(lettersDistinct(), "a source letter stands for one tile");

static constexpr bool paletteSlotsInCodeOrder() {
    for (int code = Player; code < TileKindCount; ++code)
        if (tileKinds[code].paletteSlot != code - Player) return false;
    return true;
}
static_assert(paletteSlotsInCodeOrder(), "the editor palette lists the tiles in code order");

static constexpr bool mirrorTwiceIsNoChange() {
    for (int code = 0; code < TileKindCount; ++code)
        if (tileKinds[tileKinds[code].mirrored].mirrored != code) return false;
    return true;
}
static_assert(mirrorTwiceIsNoChange(), "the mirror pairs tiles up, or leaves them as they are");

int tileForChar(char letter) {
    for (int code = 0; code < TileKindCount; ++code)
        if (tileKinds[code].sourceChar == letter) return code;
    return -1;
}
