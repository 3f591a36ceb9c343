// Every picture the game loads, one draw function each. A function draws into
// a transparent canvas of the size the catalogue gives; finishing comes later.
#pragma once

#include <cairo.h>

namespace art {

using DrawFn = void (*)(cairo_t* cr, int w, int h);

// Board tiles and sprites.
void drawPlayer(cairo_t*, int, int);
void drawGreenPlayer(cairo_t*, int, int);
void drawPeach(cairo_t*, int, int);
void drawGoal(cairo_t*, int, int);
void drawWall(cairo_t*, int, int);
void drawArrowLeft(cairo_t*, int, int);
void drawArrowUp(cairo_t*, int, int);
void drawArrowRight(cairo_t*, int, int);
void drawArrowDown(cairo_t*, int, int);
void drawHole(cairo_t*, int, int);
void drawEarth(cairo_t*, int, int);
void drawPassOnceSolid(cairo_t*, int, int);
void drawPassOnceUnsolid(cairo_t*, int, int);
void drawButtonUnpressed(cairo_t*, int, int);
void drawButtonPressed(cairo_t*, int, int);
void drawSpeedLeft(cairo_t*, int, int);
void drawSpeedUp(cairo_t*, int, int);
void drawSpeedRight(cairo_t*, int, int);
void drawSpeedDown(cairo_t*, int, int);
void drawUpDown(cairo_t*, int, int);
void drawRightLeft(cairo_t*, int, int);
void drawKey(cairo_t*, int, int);
void drawDoor(cairo_t*, int, int);
void drawMetalDoor(cairo_t*, int, int);
void drawBackground(cairo_t*, int, int);

// The "Oldschool graphics" set: blocky, low-colour, no anti-aliasing.
void drawOldPlayer(cairo_t*, int, int);
void drawOldBonus(cairo_t*, int, int);
void drawOldWall(cairo_t*, int, int);
void drawOldGoal(cairo_t*, int, int);
void drawOldEnemy(cairo_t*, int, int);

// Widgets, panels and icons.
void drawDialogButton(cairo_t*, int, int);
void drawDialogBox(cairo_t*, int, int);
void drawFileBox(cairo_t*, int, int);
void drawFileBack(cairo_t*, int, int);
void drawNotify(cairo_t*, int, int);
void drawUnlockablesPanel(cairo_t*, int, int);
void drawLogo(cairo_t*, int, int);
void drawMenuButton(cairo_t*, int, int);
void drawSquareButton(cairo_t*, int, int);
void drawLevelCellEnabled(cairo_t*, int, int);
void drawLevelCellDisabled(cairo_t*, int, int);
void drawLevelSelectBanner(cairo_t*, int, int);
void drawNewIcon(cairo_t*, int, int);
void drawLoadIcon(cairo_t*, int, int);
void drawSaveIcon(cairo_t*, int, int);
void drawPlayIcon(cairo_t*, int, int);
void drawPeachIcon(cairo_t*, int, int);
void drawMinimizeIcon(cairo_t*, int, int);
void drawMaximizeIcon(cairo_t*, int, int);
void drawMusicOffIcon(cairo_t*, int, int);
void drawMusicOnIcon(cairo_t*, int, int);
void drawHelpIcon(cairo_t*, int, int);
void drawClose(cairo_t*, int, int);
void drawCloseHover(cairo_t*, int, int);
void drawInputBox(cairo_t*, int, int);
void drawFileHighlight(cairo_t*, int, int);
void drawScrollUp(cairo_t*, int, int);
void drawScrollDown(cairo_t*, int, int);
void drawCreditsBar(cairo_t*, int, int);
void drawChecked(cairo_t*, int, int);
void drawUnchecked(cairo_t*, int, int);
void drawWindowIcon(cairo_t*, int, int);
// The desktop's application icon, drawn for the size it is asked for.
void drawAppIcon(cairo_t*, int, int);

// Particles: drawn to fill whatever size the catalogue gives, so a big one is the same shape.
void drawCollision(cairo_t*, int, int);
void drawStar(cairo_t*, int, int);
void drawPeachParticle(cairo_t*, int, int);
void drawKeyParticle(cairo_t*, int, int);
void drawDirt(cairo_t*, int, int);
void drawRedParticle(cairo_t*, int, int);
void drawGreenParticle(cairo_t*, int, int);

// Small pieces shared between files.
void paintPeach(cairo_t* cr, double cx, double cy, double radius);

}  // namespace art
