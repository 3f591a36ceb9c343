// Board tiles and sprites, 32 x 32. Tiles that fill their cell share one
// rounded plate, so the board reads as a grid of pieces; sprites float over it.
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "art.h"
#include "paint.h"

namespace art {
namespace {

constexpr double cellPixels = 32;

// The rounded, bevelled square every solid tile is built on.
void plate(cairo_t* cr, Rgb light, Rgb dark, double inset = 0.5) {
    double size = cellPixels - 2 * inset;
    roundedRect(cr, inset, inset, size, size, 5);
    verticalGradient(cr, inset, inset + size, light, dark);
    fillStroke(cr, pal::ink, 1);
    roundedRect(cr, inset + 1.2, inset + 1.2, size - 2.4, size - 2.4, 4);
    cairo_pattern_t* bevel = cairo_pattern_create_linear(0, 0, 0, cellPixels);
    cairo_pattern_add_color_stop_rgba(bevel, 0, 1, 1, 1, 0.45);
    cairo_pattern_add_color_stop_rgba(bevel, 0.5, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(bevel, 1, 0, 0, 0, 0.25);
    cairo_set_source(cr, bevel);
    cairo_pattern_destroy(bevel);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void clipToPlate(cairo_t* cr) {
    roundedRect(cr, 1.5, 1.5, cellPixels - 3, cellPixels - 3, 4);
    cairo_clip(cr);
}

// --- player and enemies -------------------------------------------------

struct BallColours {
    Rgb light, mid, dark;
};

void paintBall(cairo_t* cr, BallColours c) {
    cairo_pattern_t* p = cairo_pattern_create_radial(11, 10, 1, 16, 16, 14);
    cairo_pattern_add_color_stop_rgb(p, 0, c.light.r, c.light.g, c.light.b);
    cairo_pattern_add_color_stop_rgb(p, 0.55, c.mid.r, c.mid.g, c.mid.b);
    cairo_pattern_add_color_stop_rgb(p, 1, c.dark.r, c.dark.g, c.dark.b);
    cairo_arc(cr, 16, 16, 13.5, 0, 2 * M_PI);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    fillStroke(cr, pal::ink, 1.4);
    // Glossy highlight: the player is the shiniest thing on the board.
    cairo_save(cr);
    cairo_translate(cr, 10.5, 8.5);
    cairo_scale(cr, 4.5, 2.6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setColor(cr, hex(0xFFFFFF), 0.7);
    cairo_fill(cr);
}

void paintEyes(cairo_t* cr, double cx, double cy, double gap) {
    for (int side = -1; side <= 1; side += 2) {
        double x = cx + side * gap / 2;
        cairo_save(cr);
        cairo_translate(cr, x, cy);
        cairo_scale(cr, 2.8, 3.6);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        setColor(cr, hex(0xFAFAF5));
        fillStroke(cr, pal::ink, 1);
        cairo_arc(cr, x + 0.8, cy + 0.8, 1.7, 0, 2 * M_PI);
        setColor(cr, pal::ink);
        cairo_fill(cr);
    }
}

void paintPlayer(cairo_t* cr, BallColours c) {
    paintBall(cr, c);
    paintEyes(cr, 16, 15, 8);
    cairo_arc(cr, 16.5, 19.5, 3.2, 0.25 * M_PI, 0.75 * M_PI);
    setColor(cr, pal::ink);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// A spiky body stretched along the axis the enemy patrols, with arrowheads at both ends.
void paintEnemy(cairo_t* cr, bool vertical) {
    double rx = vertical ? 12 : 15, ry = vertical ? 15 : 12;
    const int spikes = 12;
    for (int i = 0; i < 2 * spikes; ++i) {
        double a = M_PI * i / spikes;
        double shrink = (i % 2) ? 3.0 : 0;
        double x = 16 + (rx - shrink) * std::cos(a), y = 16 + (ry - shrink) * std::sin(a);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(12, 11, 1, 16, 16, 15);
    cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.62, 0.52);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 0.86, 0.18, 0.18);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.50, 0.07, 0.10);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    fillStroke(cr, pal::ink, 1.2);

    cairo_save(cr);
    if (!vertical) turnAbout(cr, 16, 16, 1);
    for (int end = -1; end <= 1; end += 2) {
        double tip = 16 + end * 12.5, base = 16 + end * 7;
        cairo_move_to(cr, 16, tip);
        cairo_line_to(cr, 11.2, base);
        cairo_line_to(cr, 20.8, base);
        cairo_close_path(cr);
        setColor(cr, hex(0xFFE8A0));
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        fillStroke(cr, pal::ink, 1.1);
    }
    cairo_restore(cr);

    // Eyes stay level whatever the axis; brows slanting to the middle make them angry.
    for (int side = -1; side <= 1; side += 2) {
        double x = 16 + side * 3.3;
        cairo_arc(cr, x, 16.4, 2.5, 0, 2 * M_PI);
        setColor(cr, hex(0xFFF6E0));
        fillStroke(cr, pal::ink, 0.9);
        cairo_arc(cr, x - side * 0.6, 16.9, 1.25, 0, 2 * M_PI);
        setColor(cr, pal::ink);
        cairo_fill(cr);
        cairo_move_to(cr, x + side * 2.8, 13.0);
        cairo_line_to(cr, x - side * 2.0, 14.9);
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    }
}

// --- arrows and speed tiles ----------------------------------------------

void paintArrowRight(cairo_t* cr) {
    cairo_move_to(cr, 5.5, 12.5);
    cairo_line_to(cr, 16.5, 12.5);
    cairo_line_to(cr, 16.5, 6.5);
    cairo_line_to(cr, 27, 16);
    cairo_line_to(cr, 16.5, 25.5);
    cairo_line_to(cr, 16.5, 19.5);
    cairo_line_to(cr, 5.5, 19.5);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColor(cr, hex(0xFBF8EE));
    fillStroke(cr, pal::ink, 1.4);
}

void oneWay(cairo_t* cr, int turns) {
    plate(cr, hex(0x52D1BF), hex(0x1D7F73));
    cairo_save(cr);
    turnAbout(cr, 16, 16, turns);
    paintArrowRight(cr);
    cairo_restore(cr);
}

// Chevrons spaced stripePitch apart slide stripePitch / 5 per frame, so frame 4 leads
// seamlessly back into frame 0; they fade in and out at the edges of the plate.
constexpr double stripePitch = 10;

void speedFrame(cairo_t* cr, int frame) {
    plate(cr, hex(0xA47BE6), hex(0x553294));
    cairo_save(cr);
    clipToPlate(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int k = -1; k <= 3; ++k) {
        double x = 2 + k * stripePitch + frame * stripePitch / 5;
        double strength = std::clamp(x / 9, 0.0, 1.0) * std::clamp((31 - x) / 7, 0.0, 1.0);
        if (strength <= 0) continue;
        cairo_move_to(cr, x - 3.5, 8);
        cairo_line_to(cr, x + 3.5, 16);
        cairo_line_to(cr, x - 3.5, 24);
        setColor(cr, pal::ink, 0.9 * strength);
        cairo_set_line_width(cr, 6);
        cairo_stroke_preserve(cr);
        setColor(cr, hex(0xFFE45C), strength);
        cairo_set_line_width(cr, 3.4);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void speedStrip(cairo_t* cr, int turns) {
    for (int frame = 0; frame < 5; ++frame) {
        cairo_save(cr);
        cairo_translate(cr, frame * cellPixels, 0);
        cairo_rectangle(cr, 0, 0, cellPixels, cellPixels);
        cairo_clip(cr);
        turnAbout(cr, 16, 16, turns);
        speedFrame(cr, frame);
        cairo_restore(cr);
    }
}

// --- pass-once ----------------------------------------------------------

// The facets are the tile's identity; the two states differ only in how solid they are.
void facets(cairo_t* cr) {
    cairo_move_to(cr, 16, 8);
    cairo_line_to(cr, 24, 16);
    cairo_line_to(cr, 16, 24);
    cairo_line_to(cr, 8, 16);
    cairo_close_path(cr);
    const double corners[4][4] = {{3, 3, 16, 8}, {29, 3, 24, 16}, {29, 29, 16, 24}, {3, 29, 8, 16}};
    for (const auto& c : corners) {
        cairo_move_to(cr, c[0], c[1]);
        cairo_line_to(cr, c[2], c[3]);
    }
}

}  // namespace

void drawPlayer(cairo_t* cr, int, int) { paintPlayer(cr, {hex(0xB8E6FF), hex(0x3B8EE6), hex(0x1C4C9C)}); }

void drawGreenPlayer(cairo_t* cr, int, int) { paintPlayer(cr, {hex(0xCFF7B0), hex(0x4CB845), hex(0x1E6A25)}); }

void paintPeach(cairo_t* cr, double cx, double cy, double r) {
    // Two overlapping lobes give the peach its cleft.
    cairo_new_path(cr);
    cairo_arc(cr, cx - r * 0.2, cy, r * 0.9, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx + r * 0.2, cy, r * 0.9, 0, 2 * M_PI);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.4, cy - r * 0.4, r * 0.1, cx, cy, r * 1.1);
    cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.90, 0.62);
    cairo_pattern_add_color_stop_rgb(p, 0.5, 1.0, 0.62, 0.40);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.86, 0.30, 0.30);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_set_line_width(cr, std::fmax(1.0, r * 0.11));
    setColor(cr, pal::ink);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_move_to(cr, cx, cy - r * 0.75);
    cairo_curve_to(cr, cx - r * 0.35, cy - r * 0.2, cx - r * 0.3, cy + r * 0.4, cx, cy + r * 0.85);
    setColor(cr, hex(0xC84A40), 0.7);
    cairo_set_line_width(cr, std::fmax(0.8, r * 0.1));
    cairo_stroke(cr);
    // Leaf on a short stem.
    cairo_move_to(cr, cx, cy - r * 0.8);
    cairo_line_to(cr, cx + r * 0.1, cy - r * 1.15);
    setColor(cr, hex(0x6B4020));
    cairo_set_line_width(cr, std::fmax(1.0, r * 0.14));
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, cx + r * 0.5, cy - r * 1.02);
    cairo_rotate(cr, -0.45);
    cairo_scale(cr, r * 0.5, r * 0.24);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    verticalGradient(cr, cy - r * 1.3, cy - r * 0.8, hex(0x8AD86A), hex(0x3A8A30));
    cairo_fill_preserve(cr);
    setColor(cr, pal::ink);
    cairo_set_line_width(cr, std::fmax(0.8, r * 0.09));
    cairo_stroke(cr);
}

void drawPeach(cairo_t* cr, int, int) { paintPeach(cr, 16, 18.5, 11.5); }

void drawGoal(cairo_t* cr, int, int) {
    // A soft golden pad marks the cell, the chequered flag says "finish".
    cairo_save(cr);
    cairo_translate(cr, 16, 27);
    cairo_scale(cr, 12, 3.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setColor(cr, pal::gold);
    fillStroke(cr, pal::ink, 1.1);

    cairo_rectangle(cr, 7.5, 3.5, 3, 24);
    verticalGradient(cr, 3, 27, hex(0xD9DDE3), hex(0x6D7785));
    fillStroke(cr, pal::ink, 1);
    cairo_arc(cr, 9, 4, 2.6, 0, 2 * M_PI);
    setColor(cr, pal::gold);
    fillStroke(cr, pal::ink, 1);

    auto flagPath = [&] {
        cairo_move_to(cr, 10.5, 5.5);
        cairo_curve_to(cr, 16, 3, 21, 8.5, 28.5, 5.5);
        cairo_line_to(cr, 28.5, 19.5);
        cairo_curve_to(cr, 21, 22.5, 16, 17, 10.5, 19.5);
        cairo_close_path(cr);
    };
    flagPath();
    setColor(cr, hex(0xF7F5EE));
    cairo_fill(cr);
    cairo_save(cr);
    flagPath();
    cairo_clip(cr);
    setColor(cr, hex(0x22262E));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            if ((row + col) % 2) cairo_rectangle(cr, 10.5 + col * 4.5, 3 + row * 4.5, 4.5, 4.5);
    cairo_fill(cr);
    cairo_restore(cr);
    flagPath();
    setColor(cr, pal::ink);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void drawWall(cairo_t* cr, int, int) {
    plate(cr, hex(0x6A6058), hex(0x4A423B));
    cairo_save(cr);
    clipToPlate(cr);
    for (int row = 0; row < 3; ++row) {
        double y = 2 + row * 9.5;
        // Joints alternate between rows, as in a real bond.
        const double evenJoints[] = {2, 16, 30};
        const double oddJoints[] = {2, 9, 23, 30};
        const double* joints = row % 2 ? oddJoints : evenJoints;
        int bricks = row % 2 ? 3 : 2;
        for (int j = 0; j < bricks; ++j) {
            double x0 = joints[j], x1 = joints[j + 1];
            roundedRect(cr, x0 + 0.5, y + 0.5, x1 - x0 - 1, 8.5, 1.5);
            verticalGradient(cr, y, y + 9, hex(0xD6CBB9), hex(0xA49681));
            cairo_fill_preserve(cr);
            setColor(cr, hex(0x3E3731), 0.6);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
            cairo_move_to(cr, x0 + 1.5, y + 1.6);
            cairo_line_to(cr, x1 - 1.5, y + 1.6);
            setColor(cr, hex(0xFFFFFF), 0.45);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
    roundedRect(cr, 0.5, 0.5, 31, 31, 5);
    setColor(cr, pal::ink);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawArrowRight(cairo_t* cr, int, int) { oneWay(cr, 0); }
void drawArrowUp(cairo_t* cr, int, int) { oneWay(cr, 1); }
void drawArrowLeft(cairo_t* cr, int, int) { oneWay(cr, 2); }
void drawArrowDown(cairo_t* cr, int, int) { oneWay(cr, 3); }

void drawHole(cairo_t* cr, int, int) {
    plate(cr, hex(0x857A6E), hex(0x4F463E));
    roundedRect(cr, 4.5, 4.5, 23, 23, 9);
    radialGradient(cr, 16, 18, 14, hex(0x020304), hex(0x2B2420));
    fillStroke(cr, hex(0x2A231E), 1);
    // The far wall of the pit catches a little light, the near rim casts a shadow.
    cairo_arc(cr, 16, 16, 9.5, M_PI * 1.1, M_PI * 1.9);
    setColor(cr, hex(0x6B5D50), 0.8);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

void drawEarth(cairo_t* cr, int, int) {
    plate(cr, hex(0xA8743F), hex(0x6C4320));
    cairo_save(cr);
    clipToPlate(cr);
    Lcg rng(0xEA27);
    for (int i = 0; i < 46; ++i) {
        double x = rng.range(2, 30), y = rng.range(2, 30), r = rng.range(0.7, 1.6);
        bool dark = rng.unit() < 0.6;
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        setColor(cr, dark ? hex(0x4E2F14) : hex(0xCB9458), 0.75);
        cairo_fill(cr);
    }
    const double pebbles[3][3] = {{9, 10, 2.6}, {22, 20, 3.0}, {11, 24, 2.0}};
    for (const auto& p : pebbles) {
        cairo_save(cr);
        cairo_translate(cr, p[0], p[1]);
        cairo_scale(cr, p[2] * 1.3, p[2]);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        verticalGradient(cr, p[1] - p[2], p[1] + p[2], hex(0xC9B8A0), hex(0x7C6A55));
        fillStroke(cr, hex(0x3A2612), 0.9);
    }
    cairo_restore(cr);
}

void drawPassOnceSolid(cairo_t* cr, int, int) {
    roundedRect(cr, 0.5, 0.5, 31, 31, 5);
    verticalGradient(cr, 0, 32, hex(0xDDF4FF), hex(0x5FB2E4));
    fillStroke(cr, pal::ink, 1);
    facets(cr);
    setColor(cr, hex(0x2F7FB8), 0.9);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_move_to(cr, 16, 8);
    cairo_line_to(cr, 24, 16);
    cairo_line_to(cr, 16, 24);
    cairo_line_to(cr, 8, 16);
    cairo_close_path(cr);
    setColor(cr, hex(0xF2FBFF), 0.85);
    cairo_fill(cr);
    roundedRect(cr, 2, 2, 28, 28, 4);
    setColor(cr, hex(0xFFFFFF), 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawPassOnceUnsolid(cairo_t* cr, int, int) {
    roundedRect(cr, 1.5, 1.5, 29, 29, 4.5);
    setColor(cr, hex(0xBFE8FF), 0.22);
    cairo_fill_preserve(cr);
    const double dash[] = {4, 3};
    cairo_set_dash(cr, dash, 2, 0);
    setColor(cr, hex(0x7CC8F0), 0.95);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    facets(cr);
    setColor(cr, hex(0xA8DDF8), 0.55);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

namespace {

void buttonBase(cairo_t* cr) {
    plate(cr, hex(0xC3CCD7), hex(0x6F7B8B));
    cairo_arc(cr, 16, 16.5, 11, 0, 2 * M_PI);
    radialGradient(cr, 16, 18, 11, hex(0x1E232B), hex(0x4A5260));
    fillStroke(cr, pal::ink, 1);
    const double rivets[4][2] = {{4.5, 4.5}, {27.5, 4.5}, {4.5, 27.5}, {27.5, 27.5}};
    for (const auto& r : rivets) {
        cairo_arc(cr, r[0], r[1], 1.3, 0, 2 * M_PI);
        setColor(cr, hex(0x515C6B));
        cairo_fill(cr);
    }
}

void buttonCap(cairo_t* cr, double cy, double radius, Rgb light, Rgb dark, double skirt) {
    if (skirt > 0) {
        cairo_arc(cr, 16, cy + skirt, radius, 0, 2 * M_PI);
        setColor(cr, hex(0x7A1212));
        fillStroke(cr, pal::ink, 1);
    }
    cairo_arc(cr, 16, cy, radius, 0, 2 * M_PI);
    radialGradient(cr, 13, cy - 3, radius * 1.4, light, dark);
    fillStroke(cr, pal::ink, 1);
}

}  // namespace

void drawButtonUnpressed(cairo_t* cr, int, int) {
    buttonBase(cr);
    buttonCap(cr, 14, 8.2, hex(0xFF9A88), hex(0xB41E1E), 2.5);
    cairo_save(cr);
    cairo_translate(cr, 13, 11);
    cairo_scale(cr, 3.2, 1.8);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setColor(cr, hex(0xFFFFFF), 0.7);
    cairo_fill(cr);
}

void drawButtonPressed(cairo_t* cr, int, int) {
    buttonBase(cr);
    buttonCap(cr, 17, 8.2, hex(0xC85A50), hex(0x6E1010), 0);
}

void drawSpeedRight(cairo_t* cr, int, int) { speedStrip(cr, 0); }
void drawSpeedUp(cairo_t* cr, int, int) { speedStrip(cr, 1); }
void drawSpeedLeft(cairo_t* cr, int, int) { speedStrip(cr, 2); }
void drawSpeedDown(cairo_t* cr, int, int) { speedStrip(cr, 3); }

void drawUpDown(cairo_t* cr, int, int) { paintEnemy(cr, true); }
void drawRightLeft(cairo_t* cr, int, int) { paintEnemy(cr, false); }

void drawKey(cairo_t* cr, int, int) {
    cairo_save(cr);
    cairo_translate(cr, 16, 16);
    cairo_rotate(cr, -M_PI / 5);
    cairo_translate(cr, -16, -16);
    cairo_new_path(cr);
    cairo_arc(cr, 8, 16, 6.5, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 8, 16, 2.6, 2 * M_PI, 0);
    cairo_rectangle(cr, 14, 14, 15, 4);
    cairo_rectangle(cr, 22, 18, 3, 4.5);
    cairo_rectangle(cr, 26, 18, 3, 6);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    verticalGradient(cr, 9, 24, hex(0xFFE98A), hex(0xC08A12));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    fillStroke(cr, pal::ink, 1.3);
    cairo_restore(cr);
}

void drawDoor(cairo_t* cr, int, int) {
    plate(cr, hex(0xC98545), hex(0x83491F));
    cairo_save(cr);
    clipToPlate(cr);
    for (double x : {8.5, 16.5, 24.5}) {
        cairo_move_to(cr, x, 1);
        cairo_line_to(cr, x, 31);
    }
    setColor(cr, hex(0x4A2810), 0.55);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Iron hinges on the left.
    for (double y : {7.0, 23.0}) {
        roundedRect(cr, 1, y, 9, 3, 1);
        setColor(cr, hex(0x3A3D44));
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // A gold lock plate, the same gold as the key that opens it.
    roundedRect(cr, 17.5, 10.5, 9, 12, 2);
    verticalGradient(cr, 10, 23, hex(0xFFE98A), hex(0xC08A12));
    fillStroke(cr, pal::ink, 1);
    cairo_arc(cr, 22, 15, 1.8, 0, 2 * M_PI);
    cairo_move_to(cr, 21, 16);
    cairo_line_to(cr, 23, 16);
    cairo_line_to(cr, 23.6, 20);
    cairo_line_to(cr, 20.4, 20);
    cairo_close_path(cr);
    setColor(cr, pal::ink);
    cairo_fill(cr);
}

void drawMetalDoor(cairo_t* cr, int, int) {
    plate(cr, hex(0xC9D2DD), hex(0x6C7888));
    cairo_save(cr);
    clipToPlate(cr);
    cairo_move_to(cr, 16, 1);
    cairo_line_to(cr, 16, 31);
    setColor(cr, hex(0x3E4856), 0.8);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (double y : {6.5, 22.5}) {
        cairo_rectangle(cr, 1, y, 30, 4);
        verticalGradient(cr, y, y + 4, hex(0x8C98A8), hex(0x4E5968));
        cairo_fill(cr);
        for (double x : {4.5, 27.5}) {
            cairo_arc(cr, x, y + 2, 1.3, 0, 2 * M_PI);
            setColor(cr, hex(0xE4EAF0));
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
    // The red lamp matches the button that opens every metal door.
    cairo_arc(cr, 16, 16.5, 3.2, 0, 2 * M_PI);
    radialGradient(cr, 15, 15.5, 3.5, hex(0xFF9A88), hex(0xB41E1E));
    fillStroke(cr, pal::ink, 1);
}

void drawBackground(cairo_t* cr, int w, int h) {
    // A quiet chequer on the board's own 32-pixel grid, lighter towards the middle.
    setColor(cr, pal::boardDark);
    cairo_paint(cr);
    setColor(cr, pal::boardLight);
    for (int y = 0; y < h; y += 32)
        for (int x = 0; x < w; x += 32)
            if (((x + y) / 32) % 2) cairo_rectangle(cr, x, y, 32, 32);
    cairo_fill(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(w / 2.0, h / 2.0, 40, w / 2.0, h / 2.0, w * 0.62);
    cairo_pattern_add_color_stop_rgba(glow, 0, 0.55, 0.70, 0.80, 0.10);
    cairo_pattern_add_color_stop_rgba(glow, 1, 0.0, 0.0, 0.0, 0.22);
    cairo_set_source(cr, glow);
    cairo_pattern_destroy(glow);
    cairo_paint(cr);
}

}  // namespace art
