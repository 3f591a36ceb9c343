// Particle sprites. Each is drawn relative to its own size, so the "big" variant
// of the "Intense particles" option is the same picture at twice the size.
#include <cmath>

#include "art.h"
#include "paint.h"

namespace art {
namespace {

// A soft round blob: bright core, coloured body, edge fading to nothing.
void blob(cairo_t* cr, int size, Rgb core, Rgb body) {
    double c = size / 2.0, r = size / 2.0;
    cairo_pattern_t* p = cairo_pattern_create_radial(c - r * 0.3, c - r * 0.3, 0, c, c, r);
    cairo_pattern_add_color_stop_rgba(p, 0, core.r, core.g, core.b, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.55, body.r, body.g, body.b, 1);
    cairo_pattern_add_color_stop_rgba(p, 0.85, body.r, body.g, body.b, 0.75);
    cairo_pattern_add_color_stop_rgba(p, 1, body.r, body.g, body.b, 0);
    cairo_arc(cr, c, c, r, 0, 2 * M_PI);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_fill(cr);
}

void starPath(cairo_t* cr, double c, double outer, double inner, int points) {
    for (int i = 0; i < 2 * points; ++i) {
        double a = -M_PI / 2 + M_PI * i / points;
        double r = i % 2 ? inner : outer;
        double x = c + r * std::cos(a), y = c + r * std::sin(a);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

}  // namespace

void drawCollision(cairo_t* cr, int size, int) {
    double c = size / 2.0;
    cairo_pattern_t* glow = cairo_pattern_create_radial(c, c, 0, c, c, c);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 0.85, 0.9);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.75, 0.25, 0);
    cairo_set_source(cr, glow);
    cairo_pattern_destroy(glow);
    cairo_paint(cr);
    starPath(cr, c, c, c * 0.22, 4);
    setColor(cr, hex(0xFFF7D6));
    cairo_fill(cr);
}

void drawStar(cairo_t* cr, int size, int) {
    double c = size / 2.0;
    starPath(cr, c, c - 0.6, c * 0.45, 5);
    verticalGradient(cr, 0, size, hex(0xFFF4A8), hex(0xF2B21C));
    cairo_fill_preserve(cr);
    setColor(cr, hex(0xA8700C));
    cairo_set_line_width(cr, std::fmax(0.8, size / 14.0));
    cairo_stroke(cr);
}

void drawPeachParticle(cairo_t* cr, int size, int) { blob(cr, size, hex(0xFFE6B0), hex(0xF58A5C)); }

void drawKeyParticle(cairo_t* cr, int size, int) {
    double c = size / 2.0;
    cairo_move_to(cr, c, 0.3);
    cairo_line_to(cr, size - 0.3, c);
    cairo_line_to(cr, c, size - 0.3);
    cairo_line_to(cr, 0.3, c);
    cairo_close_path(cr);
    verticalGradient(cr, 0, size, hex(0xFFF0A0), hex(0xD09A18));
    cairo_fill(cr);
    cairo_arc(cr, c - size * 0.12, c - size * 0.12, size * 0.12, 0, 2 * M_PI);
    setColor(cr, hex(0xFFFFF0), 0.9);
    cairo_fill(cr);
}

void drawDirt(cairo_t* cr, int size, int) {
    // An irregular clod; the same seed for both sizes keeps the shapes alike.
    Lcg rng(0xD127);
    double c = size / 2.0;
    const int corners = 7;
    for (int i = 0; i < corners; ++i) {
        double a = 2 * M_PI * i / corners;
        double r = c * rng.range(0.7, 0.98);
        double x = c + r * std::cos(a), y = c + r * std::sin(a);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    verticalGradient(cr, 0, size, hex(0xB07A44), hex(0x5C3816));
    cairo_fill(cr);
}

void drawRedParticle(cairo_t* cr, int size, int) { blob(cr, size, hex(0xFF9A8A), hex(0xC41E24)); }
void drawGreenParticle(cairo_t* cr, int size, int) { blob(cr, size, hex(0xC8F7A8), hex(0x3A9E34)); }

}  // namespace art
