#include "catalogue.h"

namespace art {

namespace {
constexpr Finish K = Finish::GreenKey;
constexpr Finish W = Finish::WhiteKey;
constexpr Finish A = Finish::Alpha;
}  // namespace

// Sizes follow where the game draws each picture: 32-pixel cells, five-frame
// speed strips, and panels that frame the widgets laid over them.
const ArtEntry artCatalogue[] = {
    // Board tiles and sprites.
    {"player", 32, 32, K, drawPlayer},
    {"green_player", 32, 32, K, drawGreenPlayer},
    {"bonus", 32, 32, K, drawPeach},
    {"goal", 32, 32, K, drawGoal},
    {"wall", 32, 32, K, drawWall},
    {"left", 32, 32, K, drawArrowLeft},
    {"up", 32, 32, K, drawArrowUp},
    {"right", 32, 32, K, drawArrowRight},
    {"down", 32, 32, K, drawArrowDown},
    {"hole", 32, 32, K, drawHole},
    {"earth", 32, 32, K, drawEarth},
    {"passonce_solid", 32, 32, A, drawPassOnceSolid},
    {"passonce_unsolid", 32, 32, A, drawPassOnceUnsolid},
    {"button_unpressed", 32, 32, K, drawButtonUnpressed},
    {"button_pressed", 32, 32, K, drawButtonPressed},
    {"speed_left", 160, 32, K, drawSpeedLeft},
    {"speed_up", 160, 32, K, drawSpeedUp},
    {"speed_right", 160, 32, K, drawSpeedRight},
    {"speed_down", 160, 32, K, drawSpeedDown},
    {"updown", 32, 32, K, drawUpDown},
    {"rightleft", 32, 32, K, drawRightLeft},
    {"key", 32, 32, K, drawKey},
    {"door", 32, 32, K, drawDoor},
    {"metal_door", 32, 32, K, drawMetalDoor},
    {"background", 640, 480, K, drawBackground},
    // Oldschool graphics.
    {"old_player", 32, 32, K, drawOldPlayer},
    {"old_bonus", 32, 32, K, drawOldBonus},
    {"old_wall", 32, 32, K, drawOldWall},
    {"old_goal", 32, 32, K, drawOldGoal},
    {"old_enemy", 32, 32, K, drawOldEnemy},
    // Dialogs, file browser and notices.
    {"dialog_button", 100, 32, K, drawDialogButton},
    {"dialogbox", 316, 128, K, drawDialogBox},
    {"inputbox", 228, 20, K, drawInputBox},
    {"close", 16, 12, A, drawClose},
    {"close_hover", 16, 12, A, drawCloseHover},
    {"filebox", 272, 268, K, drawFileBox},
    {"fileback", 244, 186, W, drawFileBack},
    {"file_highlight", 202, 16, A, drawFileHighlight},
    {"scroll_up", 16, 16, A, drawScrollUp},
    {"scroll_down", 16, 16, A, drawScrollDown},
    {"notify", 200, 48, W, drawNotify},
    // Main menu.
    {"logo", 476, 140, A, drawLogo},
    {"menu_button", 128, 32, K, drawMenuButton},
    {"mainmenu_button", 32, 32, K, drawSquareButton},
    {"music_on", 18, 16, A, drawMusicOnIcon},
    {"music_off", 18, 16, A, drawMusicOffIcon},
    {"maximize", 20, 16, A, drawMaximizeIcon},
    {"minimize", 20, 16, A, drawMinimizeIcon},
    {"help", 16, 20, A, drawHelpIcon},
    {"creditsbar", 298, 48, A, drawCreditsBar},
    // Level select and unlockables.
    {"level_select", 444, 64, A, drawLevelSelectBanner},
    {"lvlsel_enabled", 72, 56, K, drawLevelCellEnabled},
    {"lvlsel_disabled", 72, 56, K, drawLevelCellDisabled},
    {"peach_icon", 16, 16, A, drawPeachIcon},
    {"unlockables", 440, 428, A, drawUnlockablesPanel},
    {"checked", 16, 16, A, drawChecked},
    {"unchecked", 16, 16, A, drawUnchecked},
    // Editor.
    {"editor_button", 32, 32, K, drawSquareButton},
    {"new", 12, 16, A, drawNewIcon},
    {"load", 16, 16, A, drawLoadIcon},
    {"save", 16, 16, A, drawSaveIcon},
    {"play", 8, 16, A, drawPlayIcon},
    // Particles, each with a "big" twin at twice the size.
    {"collision", 8, 8, A, drawCollision},
    {"big_collision", 16, 16, A, drawCollision},
    {"star", 10, 10, A, drawStar},
    {"big_star", 20, 20, A, drawStar},
    {"peach_particle", 8, 8, A, drawPeachParticle},
    {"big_peachparticle", 16, 16, A, drawPeachParticle},
    {"key_particle", 8, 8, A, drawKeyParticle},
    {"big_keyparticle", 16, 16, A, drawKeyParticle},
    {"dirt", 8, 8, A, drawDirt},
    {"big_dirt", 16, 16, A, drawDirt},
    {"red_particle", 8, 8, A, drawRedParticle},
    {"red_bigparticle", 16, 16, A, drawRedParticle},
    {"green_particle", 8, 8, A, drawGreenParticle},
    {"green_bigparticle", 16, 16, A, drawGreenParticle},
};

const std::size_t catalogueSize = sizeof artCatalogue / sizeof artCatalogue[0];

cairo_surface_t* renderEntry(const ArtEntry& entry) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, entry.width, entry.height);
    cairo_t* cr = cairo_create(s);
    entry.draw(cr, entry.width, entry.height);
    cairo_destroy(cr);
    finishSurface(s, entry.finish);
    return s;
}

}  // namespace art
