#include "paint.h"

#include <cmath>

namespace art {

void setColor(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void verticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void radialGradient(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(p, 0, inner.r, inner.g, inner.b);
    cairo_pattern_add_color_stop_rgb(p, 1, outer.r, outer.g, outer.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void fillStroke(cairo_t* cr, Rgb line, double width) {
    cairo_fill_preserve(cr);
    setColor(cr, line);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void useFont(cairo_t* cr, double size, bool bold) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
}

double textWidth(cairo_t* cr, const char* text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    return e.x_advance;
}

void outlinedText(cairo_t* cr, double x, double y, const char* text, Rgb fill, Rgb rim, double rimWidth) {
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text);
    setColor(cr, rim);
    cairo_set_line_width(cr, rimWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, fill);
    cairo_fill(cr);
}

void turnAbout(cairo_t* cr, double cx, double cy, int quarterTurnsCounterClockwise) {
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -M_PI / 2 * quarterTurnsCounterClockwise);
    cairo_translate(cr, -cx, -cy);
}

std::uint32_t Lcg::next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
}

double Lcg::unit() { return (next() & 0xFFFFFF) / double(0x1000000); }

namespace {

struct Key {
    std::uint8_t r, g, b;
};

// Alpha below this counts as background; above it the pixel is settled against the matte.
constexpr std::uint32_t solidFrom = 80;

std::uint32_t opaque(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

std::uint32_t settle(std::uint32_t px, Rgb matte, Key key) {
    std::uint32_t a = px >> 24;
    if (a < solidFrom) return opaque(key.r, key.g, key.b);
    double rest = (255 - a);
    auto channel = [&](int shift, double m) {
        double v = ((px >> shift) & 0xFF) + rest * m;
        return static_cast<std::uint32_t>(std::lround(std::fmin(v, 255.0)));
    };
    std::uint32_t r = channel(16, matte.r), g = channel(8, matte.g), b = channel(0, matte.b);
    if (r == key.r && g == key.g && b == key.b) b = b > 0 ? b - 1 : b + 1;
    return opaque(r, g, b);
}

}  // namespace

void finishSurface(cairo_surface_t* s, Finish finish) {
    if (finish == Finish::Alpha) return;
    Key key = finish == Finish::GreenKey ? Key{keyR, keyG, keyB} : Key{255, 255, 255};
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) row[x] = settle(row[x], pal::ink, key);
    }
    cairo_surface_mark_dirty(s);
}

}  // namespace art
