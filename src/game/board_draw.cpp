#include "game/board_draw.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/resources.h"

#include <cmath>

namespace {

constexpr int speedFrameCount = 5;

bool isOn(const AppState& app, UnlockableId option) { return ::isOn(app.save, option); }

void drawObject(const Piece& object, SDL_Surface* surface, SDL_Rect* source = nullptr) {
    drawImage(object.x, object.y, surface, source);
}

SDL_Surface* boardImage(TileKind kind) { return image(static_cast<Img::Key>(tileKinds[kind].boardImage)); }

// The image of a kind's list (the mirror moves tiles between the left and right
// lists, so they point the way they act), or its own under Oldschool graphics.
SDL_Surface* lookOf(const AppState& app, TileKind kind) {
    int oldschool = tileKinds[kind].oldschoolImage;
    if (oldschool != noImage && isOn(app, OldschoolGraphics)) return image(static_cast<Img::Key>(oldschool));
    return boardImage(kind);
}

void drawTileLayer(const AppState& app, TileKind kind) {
    SDL_Surface* surface = lookOf(app, kind);
    for (const Piece& tile : app.play[kind]) drawObject(tile, surface);
}

void drawPassOnces(const AppState& app) {
    for (const Piece& tile : app.play[PassOnce])
        drawObject(tile, tile.state == 0 ? boardImage(PassOnce) : image(Img::passonce_unsolid));
}

void drawButtons(const AppState& app) {
    for (const Piece& button : app.play[Button])
        drawObject(button, button.state == 0 ? image(Img::button_pressed) : boardImage(Button));
}

void drawSpeedTiles(const AppState& app, TileKind kind) {
    int frame = static_cast<int>(app.play.animPhase);
    frame = ((frame % speedFrameCount) + speedFrameCount) % speedFrameCount;
    SDL_Rect source = {static_cast<Sint16>(cellSize * frame), 0, cellSize, cellSize};
    for (const Piece& tile : app.play[kind]) {
        SDL_Rect frameSource = source;  // a blit may clip the rectangle it is given
        drawObject(tile, boardImage(kind), &frameSource);
    }
}

// Offsets of the two trail copies, pointing back along the motion.
struct Trail {
    float x, y;
};

Trail trailBehind(float vx, float vy) {
    if (vy > 0) return {0, -1};
    if (vy < 0) return {0, 1};
    if (vx > 0) return {-1, 0};
    if (vx < 0) return {1, 0};
    return {0, 0};
}

struct EnemyLook {
    TileKind kind;
    Img::Key half, quarter;
    bool vertical;
};

void drawEnemies(const AppState& app, const EnemyLook& look) {
    bool oldschool = isOn(app, OldschoolGraphics);
    for (const Piece& enemy : app.play[look.kind]) {
        if (oldschool) {
            drawObject(enemy, lookOf(app, look.kind));
            continue;
        }
        bool moved = look.vertical ? enemy.y != enemy.prevY : enemy.x != enemy.prevX;
        Trail back = look.vertical ? trailBehind(0, enemy.vy) : trailBehind(enemy.vx, 0);
        if (moved && (back.x != 0 || back.y != 0)) {
            drawImage(enemy.x + 4 * back.x, enemy.y + 4 * back.y, image(look.half));
            drawImage(enemy.x + 8 * back.x, enemy.y + 8 * back.y, image(look.quarter));
        }
        drawObject(enemy, boardImage(look.kind));
    }
}

bool showsTrail(const AppState& app) {
    return movedLongEnough(app.play) && !isOn(app, OldschoolGraphics) && !isOn(app, LowFriction) &&
           app.play.movementEnabled;
}

void drawPlayer(const AppState& app) {
    const Piece& player = app.play.player;
    bool green = isOn(app, GreenPlayer);
    // The sprite fades with the player; the old-style sprite never does.
    for (Img::Key sprite : {Img::player, Img::green_player})
        if (SDL_Surface* surface = image(sprite)) SDL_SetAlpha(surface, SDL_SRCALPHA, static_cast<Uint8>(player.alpha));
    Trail back = trailBehind(player.vx, player.vy);
    if (showsTrail(app) && (back.x != 0 || back.y != 0)) {
        drawImage(player.x + 8 * back.x, player.y + 8 * back.y, image(green ? Img::green_player64 : Img::player64));
        drawImage(player.x + 4 * back.x, player.y + 4 * back.y, image(green ? Img::green_player128 : Img::player128));
    }
    if (green) drawObject(player, image(Img::green_player));
    if (isOn(app, OldschoolGraphics)) drawObject(player, lookOf(app, Player));
    if (!green && !isOn(app, OldschoolGraphics)) drawObject(player, boardImage(Player));
}

void drawBackground(const AppState& app) {
    SDL_FillRect(displaySurface, nullptr, SDL_MapRGB(displaySurface->format, 136, 136, 136));
    drawImage(0, 0, isDialog(app.screen) ? resources.screenSnapshot : image(Img::background));
}

}  // namespace

void drawBoard(const AppState& app) {
    // The editor draws its own board.
    if (!displaySurface || app.screen == Editor) return;
    drawBackground(app);
    for (TileKind kind : {Wall, Peach, Goal}) drawTileLayer(app, kind);
    drawPassOnces(app);
    for (TileKind kind : {Hole, ArrowLeft, ArrowUp, ArrowRight, ArrowDown, Earth}) drawTileLayer(app, kind);
    for (TileKind kind : {SpeedLeft, SpeedUp, SpeedRight, SpeedDown}) drawSpeedTiles(app, kind);
    drawButtons(app);
    drawTileLayer(app, Key);
    drawEnemies(app, {UpDown, Img::updown128, Img::updown64, true});
    drawEnemies(app, {RightLeft, Img::rightleft128, Img::rightleft64, false});
    for (TileKind kind : {Door, MetalDoor}) drawTileLayer(app, kind);
    if (isPlayScreen(app.screen)) drawPlayer(app);
    drawParticles(app.particles, displaySurface);
}
