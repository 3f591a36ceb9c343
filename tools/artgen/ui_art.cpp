// Widgets, panels, banners and icons. Panels are cream with a peach title band,
// buttons are peach, icons are dark ink: captions in black or white read on all of them.
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "art.h"
#include "paint.h"

namespace art {
namespace {

constexpr double titleBand = 28;  // dialog captions sit at +10 in a 12-point font
constexpr Rgb paper = hex(0xFFFBF2);
constexpr Rgb wellColour = hex(0xE7DCC8);

void buttonFace(cairo_t* cr, double w, double h, double radius, Rgb top, Rgb bottom) {
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, radius);
    verticalGradient(cr, 0, h, top, bottom);
    fillStroke(cr, pal::ink, 1);
    roundedRect(cr, 1.5, 1.5, w - 3, h - 3, radius - 1);
    cairo_pattern_t* bevel = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgba(bevel, 0, 1, 1, 1, 0.65);
    cairo_pattern_add_color_stop_rgba(bevel, 0.45, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(bevel, 1, 0.4, 0.15, 0.0, 0.35);
    cairo_set_source(cr, bevel);
    cairo_pattern_destroy(bevel);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void peachButton(cairo_t* cr, int w, int h, double radius) {
    buttonFace(cr, w, h, radius, hex(0xFBB27E), hex(0xDC7440));
}

// Cream window with a peach title band, shared by the dialog box and the file box.
void windowFrame(cairo_t* cr, int w, int h) {
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 9);
    verticalGradient(cr, 0, h, pal::cream, pal::creamShade);
    cairo_fill(cr);
    cairo_save(cr);
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 9);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, 0, w, titleBand);
    verticalGradient(cr, 0, titleBand, pal::peachLight, pal::peach);
    cairo_fill(cr);
    cairo_move_to(cr, 0, titleBand - 0.5);
    cairo_line_to(cr, w, titleBand - 0.5);
    setColor(cr, pal::peachDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_restore(cr);
    roundedRect(cr, 1.5, 1.5, w - 3, h - 3, 8);
    setColor(cr, hex(0xFFFFFF), 0.45);
    cairo_stroke(cr);
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 9);
    setColor(cr, pal::ink);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void textCentred(cairo_t* cr, double cx, double baseline, const char* text, Rgb fill, double rim) {
    double x = cx - textWidth(cr, text) / 2;
    outlinedText(cr, x, baseline, text, fill, pal::ink, rim);
}

void strokeInk(cairo_t* cr, double width) {
    setColor(cr, pal::ink);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void triangle(cairo_t* cr, double cx, double cy, double half, bool up) {
    double s = up ? -1 : 1;
    cairo_move_to(cr, cx - half, cy - s * half * 0.55);
    cairo_line_to(cr, cx + half, cy - s * half * 0.55);
    cairo_line_to(cr, cx, cy + s * half * 0.75);
    cairo_close_path(cr);
}

void noteShape(cairo_t* cr, Rgb colour, double alpha) {
    for (double x : {4.0, 13.5}) {
        double y = x < 10 ? 13 : 11;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, -0.4);
        cairo_scale(cr, 3.2, 2.3);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        setColor(cr, colour, alpha);
        cairo_fill(cr);
        cairo_rectangle(cr, x + 1.6, y - 10.5, 1.6, 10.5);
        cairo_fill(cr);
    }
    cairo_move_to(cr, 5.6, 2.5);
    cairo_line_to(cr, 15.1, 0.5);
    cairo_line_to(cr, 15.1, 3.8);
    cairo_line_to(cr, 5.6, 5.8);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void windowGlyph(cairo_t* cr, double x, double y, double w, double h) {
    cairo_rectangle(cr, x, y, w, h);
    setColor(cr, paper, 0.9);
    cairo_fill_preserve(cr);
    strokeInk(cr, 1.4);
    cairo_rectangle(cr, x, y, w, 2.6);
    setColor(cr, pal::ink);
    cairo_fill(cr);
}

void checkBox(cairo_t* cr) {
    roundedRect(cr, 1, 1, 14, 14, 3);
    verticalGradient(cr, 1, 15, hex(0xEDE4D3), paper);
    fillStroke(cr, pal::ink, 1.2);
}

void peachTitle(cairo_t* cr, double w, double bandHeight, const char* title, double size) {
    cairo_rectangle(cr, 0, 0, w, bandHeight);
    verticalGradient(cr, 0, bandHeight, pal::peachLight, pal::peachDark);
    cairo_fill(cr);
    useFont(cr, size, true);
    textCentred(cr, w / 2, bandHeight / 2 + size * 0.36, title, pal::cream, 4);
}

}  // namespace

void drawDialogButton(cairo_t* cr, int w, int h) { peachButton(cr, w, h, 7); }
void drawMenuButton(cairo_t* cr, int w, int h) { peachButton(cr, w, h, 9); }
void drawSquareButton(cairo_t* cr, int w, int h) { peachButton(cr, w, h, 7); }
void drawLevelCellEnabled(cairo_t* cr, int w, int h) {
    peachButton(cr, w, h, 10);
    // A socket where the peach mark sits once the level's peach is taken; empty until then.
    cairo_arc(cr, 58, 43, 7.5, 0, 2 * M_PI);
    radialGradient(cr, 58, 45, 8, hex(0x8E4420), hex(0xB85E30));
    fillStroke(cr, hex(0x7A3A18), 1);
}

void drawLevelCellDisabled(cairo_t* cr, int w, int h) {
    buttonFace(cr, w, h, 10, hex(0xB3BAC4), hex(0x7C8592));
    // A padlock where an open level would show its peach.
    roundedRect(cr, 51.5, 41.5, 13, 10, 2);
    setColor(cr, hex(0x5B6470));
    fillStroke(cr, pal::ink, 1);
    cairo_new_path(cr);
    cairo_arc(cr, 58, 41.5, 4, M_PI, 2 * M_PI);
    strokeInk(cr, 1.6);
}

void drawDialogBox(cairo_t* cr, int w, int h) { windowFrame(cr, w, h); }
void drawFileBox(cairo_t* cr, int w, int h) { windowFrame(cr, w, h); }

void drawFileBack(cairo_t* cr, int w, int h) {
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 5);
    setColor(cr, wellColour);
    fillStroke(cr, pal::ink, 1);
    // The list: eleven 16-pixel rows starting 6 pixels down, 202 wide from x 8.
    cairo_rectangle(cr, 7.5, 5.5, 204, 178);
    setColor(cr, paper);
    fillStroke(cr, hex(0x8C7B62), 1);
    for (int row = 1; row < 11; row += 2) {
        cairo_rectangle(cr, 8, 6 + 16 * row, 203, 16);
        setColor(cr, hex(0xF6EEDD));
        cairo_fill(cr);
    }
    // Scroll track between the two 16 x 16 buttons at x 221.
    roundedRect(cr, 224.5, 24.5, 10, 137, 4);
    setColor(cr, hex(0xD4C5AA));
    fillStroke(cr, hex(0x8C7B62), 1);
}

void drawNotify(cairo_t* cr, int w, int h) {
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 8);
    verticalGradient(cr, 0, h, pal::cream, pal::creamShade);
    fillStroke(cr, pal::ink, 1.2);
    roundedRect(cr, 2.5, 2.5, w - 5, h - 5, 6.5);
    setColor(cr, pal::peach);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void drawInputBox(cairo_t* cr, int w, int h) {
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 3);
    setColor(cr, paper);
    fillStroke(cr, pal::ink, 1);
    cairo_move_to(cr, 2, 2);
    cairo_line_to(cr, w - 2, 2);
    setColor(cr, hex(0x9C8A70), 0.6);
    cairo_stroke(cr);
}

void drawFileHighlight(cairo_t* cr, int w, int h) {
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 3);
    setColor(cr, pal::peach, 0.42);
    cairo_fill_preserve(cr);
    setColor(cr, pal::peachDark, 0.85);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawScrollUp(cairo_t* cr, int w, int h) {
    peachButton(cr, w, h, 3);
    triangle(cr, 8, 8, 4.5, true);
    setColor(cr, pal::ink);
    cairo_fill(cr);
}

void drawScrollDown(cairo_t* cr, int w, int h) {
    peachButton(cr, w, h, 3);
    triangle(cr, 8, 8, 4.5, false);
    setColor(cr, pal::ink);
    cairo_fill(cr);
}

void drawClose(cairo_t* cr, int, int) {
    cairo_move_to(cr, 4.5, 2.5);
    cairo_line_to(cr, 11.5, 9.5);
    cairo_move_to(cr, 11.5, 2.5);
    cairo_line_to(cr, 4.5, 9.5);
    strokeInk(cr, 1.8);
}

void drawCloseHover(cairo_t* cr, int w, int h) {
    roundedRect(cr, 0.5, 0.5, w - 1, h - 1, 3);
    verticalGradient(cr, 0, h, hex(0xF06A5A), hex(0xB82A22));
    fillStroke(cr, pal::ink, 1);
    cairo_move_to(cr, 5, 3);
    cairo_line_to(cr, 11, 9);
    cairo_move_to(cr, 11, 3);
    cairo_line_to(cr, 5, 9);
    setColor(cr, hex(0xFFF6EE));
    cairo_set_line_width(cr, 1.8);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void drawChecked(cairo_t* cr, int, int) {
    checkBox(cr);
    cairo_move_to(cr, 4, 8.5);
    cairo_line_to(cr, 7, 11.5);
    cairo_line_to(cr, 12.5, 4);
    setColor(cr, pal::ink);
    cairo_set_line_width(cr, 3.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, hex(0x3DB357));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

void drawUnchecked(cairo_t* cr, int, int) { checkBox(cr); }

void drawCreditsBar(cairo_t* cr, int w, int h) {
    // Only the top 16 rows show until the pointer raises the strip, so they carry a hint.
    roundedRect(cr, 0.5, 0.5, w - 1, h + 12, 8);
    setColor(cr, hex(0x141A22), 0.86);
    cairo_fill_preserve(cr);
    setColor(cr, pal::peach, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    triangle(cr, 10, 8, 3.5, true);
    setColor(cr, pal::peachLight);
    cairo_fill(cr);
    useFont(cr, 10, true);
    cairo_move_to(cr, 17, 12);
    cairo_show_text(cr, "Credits");
}

void drawPeachIcon(cairo_t* cr, int, int) { paintPeach(cr, 8, 9.6, 5.6); }

void drawMusicOnIcon(cairo_t* cr, int, int) { noteShape(cr, pal::ink, 1); }

void drawMusicOffIcon(cairo_t* cr, int, int) {
    noteShape(cr, pal::ink, 0.55);
    cairo_move_to(cr, 2, 1.5);
    cairo_line_to(cr, 16, 14.5);
    setColor(cr, paper);
    cairo_set_line_width(cr, 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, hex(0xC4281E));
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
}

void drawMaximizeIcon(cairo_t* cr, int, int) { windowGlyph(cr, 1.5, 1.5, 17, 13); }

void drawMinimizeIcon(cairo_t* cr, int, int) {
    windowGlyph(cr, 6.5, 1.5, 12, 9);
    windowGlyph(cr, 1.5, 5.5, 12, 9);
}

void drawHelpIcon(cairo_t* cr, int w, int) {
    setColor(cr, pal::ink);
    useFont(cr, 22, true);
    cairo_move_to(cr, (w - textWidth(cr, "?")) / 2, 18);
    cairo_show_text(cr, "?");
}

void drawNewIcon(cairo_t* cr, int, int) {
    cairo_move_to(cr, 0.8, 0.8);
    cairo_line_to(cr, 7.5, 0.8);
    cairo_line_to(cr, 11.2, 4.5);
    cairo_line_to(cr, 11.2, 15.2);
    cairo_line_to(cr, 0.8, 15.2);
    cairo_close_path(cr);
    setColor(cr, paper);
    cairo_fill_preserve(cr);
    strokeInk(cr, 1.3);
    cairo_move_to(cr, 7.5, 0.8);
    cairo_line_to(cr, 7.5, 4.5);
    cairo_line_to(cr, 11.2, 4.5);
    strokeInk(cr, 1.1);
    for (double y : {7.5, 10.0, 12.5}) {
        cairo_move_to(cr, 3, y);
        cairo_line_to(cr, 9, y);
    }
    setColor(cr, hex(0x9C8A70));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void drawLoadIcon(cairo_t* cr, int, int) {
    cairo_move_to(cr, 0.8, 2.5);
    cairo_line_to(cr, 6, 2.5);
    cairo_line_to(cr, 7.5, 4.5);
    cairo_line_to(cr, 14.5, 4.5);
    cairo_line_to(cr, 14.5, 14.5);
    cairo_line_to(cr, 0.8, 14.5);
    cairo_close_path(cr);
    setColor(cr, pal::goldDark);
    cairo_fill_preserve(cr);
    strokeInk(cr, 1.2);
    cairo_move_to(cr, 3, 7.5);
    cairo_line_to(cr, 15.4, 7.5);
    cairo_line_to(cr, 13.5, 14.5);
    cairo_line_to(cr, 0.8, 14.5);
    cairo_close_path(cr);
    verticalGradient(cr, 7, 15, hex(0xFFE28A), pal::gold);
    cairo_fill_preserve(cr);
    strokeInk(cr, 1.2);
}

void drawSaveIcon(cairo_t* cr, int, int) {
    cairo_move_to(cr, 0.8, 0.8);
    cairo_line_to(cr, 12.5, 0.8);
    cairo_line_to(cr, 15.2, 3.5);
    cairo_line_to(cr, 15.2, 15.2);
    cairo_line_to(cr, 0.8, 15.2);
    cairo_close_path(cr);
    setColor(cr, hex(0x3D5F8C));
    cairo_fill_preserve(cr);
    strokeInk(cr, 1.2);
    cairo_rectangle(cr, 4, 1, 7, 4.5);
    setColor(cr, hex(0xC9D2DD));
    cairo_fill(cr);
    cairo_rectangle(cr, 8.5, 1.8, 1.6, 3);
    setColor(cr, pal::ink);
    cairo_fill(cr);
    cairo_rectangle(cr, 3, 8.5, 10, 6.5);
    setColor(cr, paper);
    cairo_fill(cr);
}

void drawPlayIcon(cairo_t* cr, int, int) {
    cairo_move_to(cr, 0.9, 1);
    cairo_line_to(cr, 7.3, 8);
    cairo_line_to(cr, 0.9, 15);
    cairo_close_path(cr);
    verticalGradient(cr, 1, 15, hex(0x7FDC7A), hex(0x2E8F3A));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    fillStroke(cr, pal::ink, 1.2);
}

void drawLevelSelectBanner(cairo_t* cr, int w, int h) {
    // A ribbon: folded tails behind a peach band.
    for (int side = 0; side < 2; ++side) {
        double x0 = side ? w - 0.5 : 0.5, x1 = side ? w - 44.0 : 44.0;
        double notch = side ? w - 12.0 : 12.0;
        cairo_move_to(cr, x0, 16.5);
        cairo_line_to(cr, x1, 16.5);
        cairo_line_to(cr, x1, h - 2.5);
        cairo_line_to(cr, x0, h - 2.5);
        cairo_line_to(cr, notch, (16.5 + h - 2.5) / 2);
        cairo_close_path(cr);
        setColor(cr, pal::peachDark);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        fillStroke(cr, pal::ink, 1.2);
    }
    roundedRect(cr, 28.5, 2.5, w - 57, h - 13, 8);
    verticalGradient(cr, 2, h - 10, pal::peachLight, pal::peach);
    fillStroke(cr, pal::ink, 1.4);
    roundedRect(cr, 31.5, 5.5, w - 63, h - 19, 6);
    setColor(cr, pal::cream, 0.55);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    useFont(cr, 30, true);
    textCentred(cr, w / 2.0, 38, "Select a level", pal::cream, 4.5);
}

void drawUnlockablesPanel(cairo_t* cr, int w, int h) {
    constexpr double titleBandHeight = 64;
    roundedRect(cr, 0.75, 0.75, w - 1.5, h - 1.5, 14);
    verticalGradient(cr, 0, h, pal::cream, pal::creamShade, 0.97);
    cairo_fill(cr);
    cairo_save(cr);
    roundedRect(cr, 0.75, 0.75, w - 1.5, h - 1.5, 14);
    cairo_clip(cr);
    peachTitle(cr, w, titleBandHeight, "Unlockables", 34);
    cairo_restore(cr);
    roundedRect(cr, 0.75, 0.75, w - 1.5, h - 1.5, 14);
    setColor(cr, pal::ink);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Seven rows: a name on the left, the peaches it needs, then the check box at x 406.
    for (int i = 0; i < 7; ++i) {
        double y = 82 + 48 * i;
        roundedRect(cr, 10.5, y + 0.5, w - 21, 39, 7);
        setColor(cr, hex(0xEFE2CC));
        fillStroke(cr, hex(0xC9B290), 1);
        paintPeach(cr, 352, y + 21, 6.5);
        char needed[8];
        std::snprintf(needed, sizeof needed, "%d", 5 * (i + 1));
        useFont(cr, 16, true);
        setColor(cr, hex(0x6B4A2A));
        cairo_move_to(cr, 363, y + 26);
        cairo_show_text(cr, needed);
    }
}

void drawLogo(cairo_t* cr, int w, int h) {
    const char* word = "Quarrow";
    const double streaks = 40, badge = 42, baseline = 92;
    useFont(cr, 80, true);
    double wordWidth = textWidth(cr, word);
    double left = (w - (streaks + wordWidth + 2 * badge + 4)) / 2 + streaks;
    // Motion streaks: the name slides in the way the player does.
    for (int i = 0; i < 3; ++i) {
        double y = 44 + i * 15, len = 30 - i * 7;
        roundedRect(cr, left - 8 - len, y, len, 6, 3);
        setColor(cr, pal::peachLight, 0.9 - i * 0.22);
        cairo_fill(cr);
    }
    cairo_move_to(cr, left + 4, baseline + 5);
    cairo_text_path(cr, word);
    setColor(cr, pal::ink, 0.45);
    cairo_set_line_width(cr, 9);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_move_to(cr, left, baseline);
    cairo_text_path(cr, word);
    setColor(cr, pal::ink);
    cairo_set_line_width(cr, 8);
    cairo_stroke_preserve(cr);
    verticalGradient(cr, baseline - 60, baseline + 4, hex(0xFFE2B8), hex(0xEE7E45));
    cairo_fill(cr);
    // The "2" rides on a big peach.
    double cx = left + wordWidth + badge + 4, cy = 64;
    paintPeach(cr, cx, cy, badge);
    useFont(cr, 58, true);
    textCentred(cr, cx, cy + 21, "2", pal::cream, 8);
    useFont(cr, 17, true);
    textCentred(cr, left + wordWidth / 2, h - 12, "a sliding puzzle", pal::cream, 4);
}

void drawWindowIcon(cairo_t* cr, int w, int h) {
    setColor(cr, pal::boardDark);
    cairo_paint(cr);
    roundedRect(cr, 1.5, 1.5, w - 3, h - 3, 6);
    verticalGradient(cr, 0, h, hex(0x3E5468), pal::boardDark);
    fillStroke(cr, pal::ink, 1);
    paintPeach(cr, 16, 18, 10.5);
}

// The window icon's board square and peach, redrawn for each size a desktop asks for: the
// outline and the streaks stay whole pixels wide, and detail comes in only where there is
// room for it (the streaks from 32 pixels, the "2" of the logo from 48, the cells from 64).
void drawAppIcon(cairo_t* cr, int w, int h) {
    const double s = std::fmin(w, h);
    const double line = std::fmax(1, std::round(s / 64));
    const double margin = std::round(s / 16);
    const double inset = margin + line / 2;
    const double side = s - 2 * inset;
    const double corner = std::round(s * 0.19);
    roundedRect(cr, inset, inset, side, side, corner);
    verticalGradient(cr, 0, s, hex(0x3E5468), pal::boardDark);
    cairo_fill_preserve(cr);
    if (s >= 64) {
        // Faint board cells inside the square.
        cairo_save(cr);
        cairo_clip(cr);
        const int cells = 4;
        const double centre = static_cast<int>(line) % 2 ? 0.5 : 0;
        for (int i = 1; i < cells; ++i) {
            double at = std::round(inset + i * side / cells) + centre;
            cairo_move_to(cr, at, inset);
            cairo_line_to(cr, at, inset + side);
            cairo_move_to(cr, inset, at);
            cairo_line_to(cr, inset + side, at);
        }
        setColor(cr, pal::boardLight, 0.9);
        cairo_set_line_width(cr, line);
        cairo_stroke(cr);
        cairo_restore(cr);
        roundedRect(cr, inset, inset, side, side, corner);
    }
    setColor(cr, pal::ink);
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);

    const double radius = s * (s >= 32 ? 0.27 : 0.26);
    const double cx = s >= 32 ? s * 0.58 : s / 2, cy = s * (s >= 32 ? 0.56 : 0.58);
    if (s >= 32) {
        // Motion streaks: the peach slides in the way the player does.
        const int streaks = s >= 48 ? 3 : 2;
        const double thick = std::fmax(2, std::round(s / 21));
        const double gap = std::round(s / 9);
        const double right = std::round(cx - radius * 0.95);
        const double leftmost = margin + line + std::fmax(1, std::round(s / 32));  // clear of the outline
        for (int i = 0; i < streaks; ++i) {
            double y = std::round(cy - gap * (streaks - 1) / 2.0 + gap * i - thick / 2);
            double left = std::fmax(leftmost, right - std::round(s * (0.24 - 0.05 * i)));
            roundedRect(cr, left, y, right - left, thick, thick / 2);
            setColor(cr, pal::peachLight, 0.95 - i * 0.22);
            cairo_fill(cr);
        }
    }
    paintPeach(cr, cx, cy, radius);
    if (s >= 48) {
        useFont(cr, radius * 1.35, true);
        textCentred(cr, cx, cy + radius * 0.48, "2", pal::cream, std::fmax(2, s / 32));
    }
}

}  // namespace art
