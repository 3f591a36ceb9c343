#include "core/tile_kinds.h"

using F = TileFamily;
using B = TileBehaviour;

constexpr TileKindInfo tileKinds[TileKindCount] = {
    {Empty, "empty", noImage, noPaletteSlot, '.', F::None, B::Floor},
    {Player, "player", Img::player, 0, 'P', F::None, B::Floor},
    {Wall, "walls", Img::wall, 1, '#', F::None, B::Solid},
    {Peach, "peaches", Img::bonus, 2, '*', F::None, B::Pickup},
    {Goal, "goals", Img::goal, 3, 'G', F::None, B::Ends},
    {PassOnce, "passOnces", Img::passonce_solid, 4, 'o', F::PassOnces, B::PassOnce},
    {Hole, "holes", Img::hole, 5, 'O', F::Holes, B::Swallows},
    {ArrowLeft, "arrowsLeft", Img::left, 6, '<', F::Arrows, B::OneWay},
    {ArrowUp, "arrowsUp", Img::up, 7, '^', F::Arrows, B::OneWay},
    {ArrowRight, "arrowsRight", Img::right, 8, '>', F::Arrows, B::OneWay},
    {ArrowDown, "arrowsDown", Img::down, 9, 'v', F::Arrows, B::OneWay},
    {Earth, "earths", Img::earth, 10, '%', F::Earth, B::Grips},
    {SpeedLeft, "speedLeft", Img::speed_left, 11, 'a', F::SpeedTiles, B::Carries},
    {SpeedUp, "speedUp", Img::speed_up, 12, 'w', F::SpeedTiles, B::Carries},
    {SpeedRight, "speedRight", Img::speed_right, 13, 'd', F::SpeedTiles, B::Carries},
    {SpeedDown, "speedDown", Img::speed_down, 14, 's', F::SpeedTiles, B::Carries},
    {UpDown, "upDowns", Img::updown, 15, 'I', F::Enemies, B::Kills},
    {RightLeft, "rightLefts", Img::rightleft, 16, 'H', F::Enemies, B::Kills},
    {Key, "keys", Img::key, 17, 'k', F::KeysAndDoors, B::Pickup},
    {Door, "doors", Img::door, 18, 'D', F::KeysAndDoors, B::Opens},
    {Button, "buttons", Img::button_unpressed, 19, 'B', F::TheButton, B::Presses},
    {MetalDoor, "metalDoors", Img::metal_door, 20, 'M', F::TheButton, B::Solid},
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

int tileForChar(char letter) {
    for (int code = 0; code < TileKindCount; ++code)
        if (tileKinds[code].sourceChar == letter) return code;
    return -1;
}
