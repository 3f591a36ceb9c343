// Puts the game's images next to the help pages as PNG files.
//
//   help_pictures <keyed|alpha> <source.img> <destination.png> [...]
//
// The game draws keyed images with their key colour left out; the browser would show it as a
// green square, so those pixels become transparent here and a tile looks as it does on the
// board. A destination that already holds the same bytes is not rewritten.

#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// (38, 127, 0), fully opaque, as a premultiplied ARGB32 pixel.
constexpr std::uint32_t keyPixel = 0xFF267F00u;

bool startsLikePng(const std::string& path) {
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::ifstream in(path, std::ios::binary);
    unsigned char head[8] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    return in.gcount() == sizeof head && std::memcmp(head, signature, sizeof head) == 0;
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* bytes = static_cast<std::vector<unsigned char>*>(closure);
    bytes->insert(bytes->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

// An opaque copy first: a PNG without alpha loads as RGB24, whose unused byte cannot be keyed.
cairo_surface_t* argbCopy(cairo_surface_t* image) {
    int width = cairo_image_surface_get_width(image);
    int height = cairo_image_surface_get_height(image);
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(copy);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(copy);
    return copy;
}

void clearKeyColour(cairo_surface_t* surface) {
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x)
            if (row[x] == keyPixel) row[x] = 0;
    }
    cairo_surface_mark_dirty(surface);
}

bool sameAsFile(const std::vector<unsigned char>& bytes, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<unsigned char> old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return old == bytes;
}

bool convert(const std::string& mode, const std::string& source, const std::string& destination) {
    if (!fs::is_regular_file(source)) {
        std::fprintf(stderr, "help: missing file %s (needed for %s)\n", source.c_str(), destination.c_str());
        return false;
    }
    if (!startsLikePng(source)) {
        std::fprintf(stderr, "help: %s is not PNG data\n", source.c_str());
        return false;
    }
    cairo_surface_t* image = cairo_image_surface_create_from_png(source.c_str());
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "help: cannot read %s: %s\n", source.c_str(),
                     cairo_status_to_string(cairo_surface_status(image)));
        cairo_surface_destroy(image);
        return false;
    }
    cairo_surface_t* picture = argbCopy(image);
    cairo_surface_destroy(image);
    if (mode == "keyed") clearKeyColour(picture);

    std::vector<unsigned char> png;
    cairo_status_t status = cairo_surface_write_to_png_stream(picture, appendBytes, &png);
    cairo_surface_destroy(picture);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "help: cannot encode %s: %s\n", destination.c_str(), cairo_status_to_string(status));
        return false;
    }
    if (sameAsFile(png, destination)) return true;

    std::error_code ignored;
    fs::create_directories(fs::path(destination).parent_path(), ignored);
    std::ofstream out(destination, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!out) {
        std::fprintf(stderr, "help: cannot write %s\n", destination.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || (argc - 1) % 3 != 0) {
        std::fprintf(stderr, "usage: help_pictures <keyed|alpha> <source.img> <destination.png> [...]\n");
        return 2;
    }
    bool ok = true;
    for (int i = 1; i + 2 < argc; i += 3) {
        std::string mode = argv[i];
        if (mode != "keyed" && mode != "alpha") {
            std::fprintf(stderr, "help_pictures: unknown mode %s\n", argv[i]);
            return 2;
        }
        ok = convert(mode, argv[i + 1], argv[i + 2]) && ok;
    }
    return ok ? 0 : 1;
}
