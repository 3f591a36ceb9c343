#include "level/tiles.h"

constexpr TileKindInfo tileKinds[TileKindCount] = {
    {Empty, "empty", noImage, noPaletteSlot, '.'},
    {Player, "player", Img::player, 0, 'P'},
    {Wall, "walls", Img::wall, 1, '#'},
    {Peach, "peaches", Img::bonus, 2, '*'},
    {Goal, "goals", Img::goal, 3, 'G'},
    {PassOnce, "passOnces", Img::passonce_solid, 4, 'o'},
    {Hole, "holes", Img::hole, 5, 'O'},
    {ArrowLeft, "arrowsLeft", Img::left, 6, '<'},
    {ArrowUp, "arrowsUp", Img::up, 7, '^'},
    {ArrowRight, "arrowsRight", Img::right, 8, '>'},
    {ArrowDown, "arrowsDown", Img::down, 9, 'v'},
    {Earth, "earths", Img::earth, 10, '%'},
    {SpeedLeft, "speedLeft", Img::speed_left, 11, 'a'},
    {SpeedUp, "speedUp", Img::speed_up, 12, 'w'},
    {SpeedRight, "speedRight", Img::speed_right, 13, 'd'},
    {SpeedDown, "speedDown", Img::speed_down, 14, 's'},
    {UpDown, "upDowns", Img::updown, 15, 'I'},
    {RightLeft, "rightLefts", Img::rightleft, 16, 'H'},
    {Key, "keys", Img::key, 17, 'k'},
    {Door, "doors", Img::door, 18, 'D'},
    {Button, "buttons", Img::button_unpressed, 19, 'B'},
    {MetalDoor, "metalDoors", Img::metal_door, 20, 'M'},
};

static constexpr bool tableInCodeOrder() {
    for (int code = 0; code < TileKindCount; ++code)
        if (tileKinds[code].kind != code) return false;
    return true;
}
static_assert(tableInCodeOrder(), "each tile row must sit at the index of its code");
