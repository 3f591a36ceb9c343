#include "contact_sheet.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "catalogue.h"

namespace art {
namespace {

constexpr int sheetScale = 2;
constexpr int sheetWidth = 1400;
constexpr int sheetGap = 18;
constexpr int caption = 18;
constexpr int sheetHeader = 56;

// Shows keyed pictures the way the game does: the key colour becomes see-through.
void clearKey(cairo_surface_t* s, Finish finish) {
    if (finish == Finish::Alpha) return;
    std::uint32_t key = finish == Finish::GreenKey ? 0xFF000000u | (keyR << 16) | (keyG << 8) | keyB : 0xFFFFFFFFu;
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < cairo_image_surface_get_width(s); ++x)
            if (row[x] == key) row[x] = 0;
    }
    cairo_surface_mark_dirty(s);
}

struct Placement {
    const ArtEntry* entry;
    int x, y;
};

// Left to right, wrapping to a new row when the next picture does not fit.
int layOut(std::vector<Placement>& out) {
    int x = sheetGap, y = sheetHeader, rowHeight = 0;
    for (std::size_t i = 0; i < catalogueSize; ++i) {
        const ArtEntry& e = artCatalogue[i];
        int w = std::max(e.width * sheetScale, 150), h = e.height * sheetScale + caption;
        if (x + w + sheetGap > sheetWidth) {
            x = sheetGap;
            y += rowHeight + sheetGap;
            rowHeight = 0;
        }
        out.push_back({&e, x, y});
        x += w + sheetGap;
        rowHeight = std::max(rowHeight, h);
    }
    return y + rowHeight + sheetGap;
}

void drawPicture(cairo_t* cr, const Placement& p) {
    const ArtEntry& e = *p.entry;
    cairo_surface_t* picture = renderEntry(e);
    clearKey(picture, e.finish);
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y);
    cairo_scale(cr, sheetScale, sheetScale);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(picture);

    char label[64];
    std::snprintf(label, sizeof label, "%s.img  %dx%d", e.name, e.width, e.height);
    useFont(cr, 11, false);
    cairo_set_source_rgb(cr, 0.95, 0.95, 0.95);
    cairo_move_to(cr, p.x, p.y + e.height * sheetScale + 13);
    cairo_show_text(cr, label);
}

}  // namespace

bool writeContactSheet(const char* path) {
    std::vector<Placement> placements;
    int height = layOut(placements);
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sheetWidth, height);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.47, 0.47, 0.47);
    cairo_paint(cr);
    useFont(cr, 22, true);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, sheetGap, 34);
    cairo_show_text(cr, "Quarrow 2 - every image at 2x");
    for (const Placement& p : placements) drawPicture(cr, p);
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(sheet, path) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    if (!ok) std::fprintf(stderr, "artgen: cannot write %s\n", path);
    return ok;
}

}  // namespace art
