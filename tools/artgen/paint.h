// Drawing helpers shared by every picture: colours, shapes, text and the
// finishing step that turns an anti-aliased drawing into what the game loads.
#pragma once

#include <cairo.h>

#include <cstdint>

namespace art {

struct Rgb {
    double r, g, b;
};

// 0xRRGGBB to a Cairo colour.
constexpr Rgb hex(std::uint32_t v) {
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

void setColor(cairo_t* cr, Rgb c, double alpha = 1.0);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void verticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0);
void radialGradient(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer);
void fillStroke(cairo_t* cr, Rgb line, double width);

// Cairo's own toy font API with fixed options, so text renders the same everywhere.
void useFont(cairo_t* cr, double size, bool bold);
double textWidth(cairo_t* cr, const char* text);
// Text with a dark rim: readable on any backdrop.
void outlinedText(cairo_t* cr, double x, double y, const char* text, Rgb fill, Rgb rim, double rimWidth);

// Rotates the drawing a quarter turn at a time about (cx, cy); right is 0, then up, left, down.
void turnAbout(cairo_t* cr, double cx, double cy, int quarterTurnsCounterClockwise);

// A deterministic generator for textures: the same sequence on every build.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next();
    double unit();  // in [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

private:
    std::uint32_t state_;
};

// How the game loads a picture, and so how its edges must be finished.
enum class Finish { GreenKey, WhiteKey, Alpha };

inline constexpr std::uint8_t keyR = 38, keyG = 127, keyB = 0;

// Keyed pictures cannot hold partial alpha: soft edges are settled against a dark
// matte (the outline colour), faint ones become the key, and a drawn pixel that
// happens to equal the key is nudged so it stays visible.
void finishSurface(cairo_surface_t* s, Finish finish);

// Shared palette, so every picture belongs to the same game.
namespace pal {
inline constexpr Rgb ink = hex(0x1E2530);    // outlines and icon strokes
inline constexpr Rgb cream = hex(0xF6EEDF);  // panels
inline constexpr Rgb creamShade = hex(0xE6D8C0);
inline constexpr Rgb peachLight = hex(0xFFC796);  // buttons
inline constexpr Rgb peach = hex(0xF59A62);
inline constexpr Rgb peachDark = hex(0xD9703F);
inline constexpr Rgb gold = hex(0xF7C843);
inline constexpr Rgb goldDark = hex(0xB07E12);
inline constexpr Rgb boardDark = hex(0x283644);  // board backdrop
inline constexpr Rgb boardLight = hex(0x2D3D4C);
}  // namespace pal

}  // namespace art
