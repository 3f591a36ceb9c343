// artgen: draws every picture of the game.
//   artgen --out <resources.res>        writes images/*.img and icons/wndicon.icon
//   artgen --contact-sheet <file.png>   writes the review sheet
//   artgen --icons <hicolor> <size>...  writes <size>x<size>/apps/quarrow2.png for the desktop
#include <SDL.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "catalogue.h"
#include "contact_sheet.h"

namespace {

bool makeDirectory(const std::string& path) { return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST; }

bool writeImages(const std::string& folder) {
    if (!makeDirectory(folder)) {
        std::fprintf(stderr, "artgen: cannot create %s\n", folder.c_str());
        return false;
    }
    bool ok = true;
    for (std::size_t i = 0; i < art::catalogueSize; ++i) {
        const art::ArtEntry& e = art::artCatalogue[i];
        std::string path = folder + "/" + e.name + ".img";
        cairo_surface_t* s = art::renderEntry(e);
        if (cairo_surface_write_to_png(s, path.c_str()) != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
            ok = false;
        }
        cairo_surface_destroy(s);
    }
    return ok;
}

// The window icon goes through SDL's own BMP writer, so the game's BMP loader reads it back.
bool writeWindowIcon(const std::string& folder) {
    if (!makeDirectory(folder)) {
        std::fprintf(stderr, "artgen: cannot create %s\n", folder.c_str());
        return false;
    }
    const int size = 32;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, size, size);
    cairo_t* cr = cairo_create(s);
    art::drawWindowIcon(cr, size, size);
    cairo_destroy(cr);
    cairo_surface_flush(s);

    SDL_Surface* icon = SDL_CreateRGBSurface(SDL_SWSURFACE, size, size, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
    if (!icon) {
        std::fprintf(stderr, "artgen: no surface for the window icon: %s\n", SDL_GetError());
        cairo_surface_destroy(s);
        return false;
    }
    const unsigned char* src = cairo_image_surface_get_data(s);
    int srcStride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < size; ++y) {
        auto* in = reinterpret_cast<const std::uint32_t*>(src + y * srcStride);
        for (int x = 0; x < size; ++x) {
            SDL_Rect dot = {Sint16(x), Sint16(y), 1, 1};
            SDL_FillRect(icon, &dot, SDL_MapRGB(icon->format, (in[x] >> 16) & 0xFF, (in[x] >> 8) & 0xFF, in[x] & 0xFF));
        }
    }
    cairo_surface_destroy(s);
    std::string path = folder + "/wndicon.icon";
    bool ok = SDL_SaveBMP(icon, path.c_str()) == 0;
    if (!ok) std::fprintf(stderr, "artgen: cannot write %s: %s\n", path.c_str(), SDL_GetError());
    SDL_FreeSurface(icon);
    return ok;
}

// Each size is drawn on its own canvas: a desktop icon scaled up from a small one looks blurred.
bool writeAppIcon(const std::string& hicolor, int size) {
    std::string folder = hicolor + "/" + std::to_string(size) + "x" + std::to_string(size);
    if (!makeDirectory(hicolor) || !makeDirectory(folder) || !makeDirectory(folder + "/apps")) {
        std::fprintf(stderr, "artgen: cannot create %s/apps\n", folder.c_str());
        return false;
    }
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(s);
    art::drawAppIcon(cr, size, size);
    cairo_destroy(cr);
    std::string path = folder + "/apps/quarrow2.png";
    bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    if (!ok) std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
    cairo_surface_destroy(s);
    return ok;
}

int usage() {
    std::fprintf(stderr,
                 "usage: artgen --out <resources.res> | --contact-sheet <file.png>"
                 " | --icons <hicolor> <size>...\n");
    return 2;
}

int writeAppIcons(const std::string& hicolor, int count, char** sizes) {
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        int size = std::atoi(sizes[i]);
        if (size < 16 || size > 1024) return usage();
        ok = writeAppIcon(hicolor, size) && ok;
    }
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "--icons") return writeAppIcons(argv[2], argc - 3, argv + 3);
    if (argc != 3) return usage();
    std::string mode = argv[1], target = argv[2];
    if (mode == "--contact-sheet") return art::writeContactSheet(target.c_str()) ? 0 : 1;
    if (mode != "--out") return usage();
    if (!makeDirectory(target)) {
        std::fprintf(stderr, "artgen: cannot create %s\n", target.c_str());
        return 1;
    }
    bool ok = writeImages(target + "/images");
    ok = writeWindowIcon(target + "/icons") && ok;
    return ok ? 0 : 1;
}
