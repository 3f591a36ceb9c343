#pragma once
// The names of every image the game loads; the resource module maps each to its
// file and surface. Plain numbers here, so the rules' tile table can name a
// tile's image without knowing how images are made.

namespace Img {
enum Key : int {
    player, player128, player64,
    green_player, green_player128, green_player64,
    bonus, goal, wall,
    old_player, old_bonus, old_wall, old_goal, old_enemy,
    left, up, right, down,
    hole, earth, passonce_solid, passonce_unsolid,
    button_unpressed, button_pressed,
    speed_left, speed_up, speed_right, speed_down,
    updown, updown128, updown64,
    rightleft, rightleft128, rightleft64,
    key, door, metal_door,
    dialog_button, background, dialogbox, filebox, fileback, notify,
    unlockables, logo, menu_button, editor_button,
    lvlsel_enabled, lvlsel_disabled, level_select,
    new_, load, save, play,
    peach_icon, minimize, maximize, mainmenu_button, music_off, music_on, help,
    close, close_hover, inputbox, file_highlight, scroll_up, scroll_down, creditsbar,
    collision, big_collision, star, big_star,
    peach_particle, big_peachparticle, key_particle, big_keyparticle,
    dirt, big_dirt, red_particle, green_particle, red_bigparticle, green_bigparticle,
    count
};
}
