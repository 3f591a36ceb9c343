// The table of every picture the game loads: file name, size, how the game
// keys it, and the function that draws it.
#pragma once

#include <cstddef>

#include "art.h"
#include "paint.h"

namespace art {

struct ArtEntry {
    const char* name;  // file name without the ".img" ending
    int width, height;
    Finish finish;
    DrawFn draw;
};

extern const ArtEntry artCatalogue[];
extern const std::size_t catalogueSize;

// Draws one entry and finishes it for its loader; the caller destroys the surface.
cairo_surface_t* renderEntry(const ArtEntry& entry);

}  // namespace art
