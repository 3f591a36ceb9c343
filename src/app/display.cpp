#include "app/display.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

SDL_Surface* displaySurface = nullptr;

namespace {

// SDL's drivers that draw into memory only: "evdev" is the dummy driver with real input.
constexpr std::array<const char*, 3> invisibleDrivers = {"offscreen", "dummy", "evdev"};

std::string shownValue(const char* name, const char* value) {
    if (!value) return std::string(name) + " not set";
    return std::string(name) + "=\"" + value + "\"";
}

std::string currentVideoDriver() {
    char name[64] = "";
    return SDL_VideoDriverName(name, sizeof name) ? name : "";
}

}  // namespace

bool showsNothing(const std::string& driver) {
    return std::find(invisibleDrivers.begin(), invisibleDrivers.end(), driver) != invisibleDrivers.end();
}

// An empty SDL_VIDEODRIVER lets SDL choose, as an unset one does.
bool playerChoseDriver(const char* requested) { return requested && *requested; }

DriverVerdict judgeVideoDriver(const std::string& driver, const char* requested, int attempt) {
    if (!showsNothing(driver) || playerChoseDriver(requested)) return DriverVerdict::Keep;
    return attempt < displayAttempts ? DriverVerdict::TryAgain : DriverVerdict::GiveUp;
}

std::string noDisplayMessage(const std::string& driver, int attempts, const char* display, const char* waylandDisplay) {
    return "no display could be reached (" + shownValue("DISPLAY", display) + ", " +
           shownValue("WAYLAND_DISPLAY", waylandDisplay) + "): in " + std::to_string(attempts) +
           " tries SDL found only its \"" + driver +
           "\" video driver, which shows no window. Start the game in a desktop session, "
           "or name a video driver in SDL_VIDEODRIVER.";
}

bool reachDisplay(Uint32 subsystems) {
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    for (int attempt = 1;; ++attempt) {
        std::string driver = currentVideoDriver();
        DriverVerdict verdict = judgeVideoDriver(driver, requested, attempt);
        if (verdict == DriverVerdict::Keep) return true;
        if (verdict == DriverVerdict::GiveUp) {
            std::string message = noDisplayMessage(driver, attempt, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
            SDL_SetError("%s", message.c_str());
            return false;
        }
        // A busy display can refuse a connection and take the next one.
        SDL_Quit();
        SDL_Delay(displayRetryPauseMs);
        if (SDL_Init(subsystems) < 0) return false;
    }
}

bool setDisplayMode(int width, int height, Uint32 flags) {
    displaySurface = SDL_SetVideoMode(width, height, 32, flags);
    return displaySurface != nullptr;
}

Sint16 toPixel(float coordinate) {
    // Out-of-range floats would be undefined to convert, so they are pinned first.
    if (!(coordinate > -32768.0f)) return -32768;
    if (coordinate > 32767.0f) return 32767;
    return static_cast<Sint16>(std::trunc(coordinate));
}

namespace {

// The library blends a keyed image that has a surface alpha through its generic pixel
// converter, at several times the cost of a copy, and the trails draw dozens a frame.
// Between two 32-bit surfaces of one byte order without an alpha channel, the library's
// sum done here gives the same pixels: on each channel d + (s - d) * alpha / 255,
// rounded toward zero, and the unused byte left empty.
bool blendsHere(const SDL_Surface* image, const SDL_Surface* target) {
    const SDL_PixelFormat& from = *image->format;
    const SDL_PixelFormat& to = *target->format;
    bool translucentKeyed = (image->flags & SDL_SRCCOLORKEY) && (image->flags & SDL_SRCALPHA) &&
                            from.alpha < SDL_ALPHA_OPAQUE;
    bool sameLayout = from.BytesPerPixel == 4 && to.BytesPerPixel == 4 && from.Amask == 0 && to.Amask == 0 &&
                      from.Rmask == to.Rmask && from.Gmask == to.Gmask && from.Bmask == to.Bmask &&
                      (from.Rmask | from.Gmask | from.Bmask) == 0x00FFFFFFu;
    return translucentKeyed && sameLayout;
}

// One axis of a blit: where it starts in the image, where in the target, how far it runs.
struct Run {
    int from, onto, length;
};

// Clipped the way the library clips a blit: to the image, then to the target's clip rectangle.
Run clipRun(Run run, int imageLength, int clipStart, int clipLength) {
    if (run.from < 0) {
        run.length += run.from;
        run.onto -= run.from;
        run.from = 0;
    }
    run.length = std::min(run.length, imageLength - run.from);
    int cut = clipStart - run.onto;
    if (cut > 0) {
        run.length -= cut;
        run.onto += cut;
        run.from += cut;
    }
    run.length = std::min(run.length, clipStart + clipLength - run.onto);
    return run;
}

Uint32* pixelRow(SDL_Surface* surface, int x, int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch) + x;
}

// How far a channel moves toward the image at the image's alpha, for each distance.
using Steps = std::array<Uint8, 256>;

Steps stepsAt(int alpha) {
    Steps steps;
    for (int distance = 0; distance < 256; ++distance) steps[distance] = static_cast<Uint8>(distance * alpha / 255);
    return steps;
}

Uint32 blendPixel(Uint32 from, Uint32 onto, const Steps& steps) {
    Uint32 blended = 0;
    for (int shift : {0, 8, 16}) {
        int s = (from >> shift) & 0xFF, d = (onto >> shift) & 0xFF;
        int channel = s >= d ? d + steps[s - d] : d - steps[d - s];
        blended |= static_cast<Uint32>(channel) << shift;
    }
    return blended;
}

void blendKeyed(SDL_Surface* image, SDL_Surface* target, const Run& across, const Run& down) {
    const Uint32 key = image->format->colorkey;
    const Steps steps = stepsAt(image->format->alpha);
    for (int row = 0; row < down.length; ++row) {
        const Uint32* from = pixelRow(image, across.from, down.from + row);
        Uint32* onto = pixelRow(target, across.onto, down.onto + row);
        for (int i = 0; i < across.length; ++i)
            if (from[i] != key) onto[i] = blendPixel(from[i], onto[i], steps);
    }
}

// False when the surfaces cannot be reached, so the library draws instead.
bool drawBlended(SDL_Surface* image, SDL_Rect* source, SDL_Surface* target, int x, int y) {
    if (SDL_LockSurface(image) != 0) return false;
    if (SDL_LockSurface(target) != 0) {
        SDL_UnlockSurface(image);
        return false;
    }
    SDL_Rect whole = {0, 0, static_cast<Uint16>(image->w), static_cast<Uint16>(image->h)};
    const SDL_Rect& part = source ? *source : whole;
    const SDL_Rect& clip = target->clip_rect;
    Run across = clipRun({part.x, x, part.w}, image->w, clip.x, clip.w);
    Run down = clipRun({part.y, y, part.h}, image->h, clip.y, clip.h);
    // An image at alpha 0 leaves the target untouched, unused byte included.
    if (across.length > 0 && down.length > 0 && image->format->alpha > 0) blendKeyed(image, target, across, down);
    SDL_UnlockSurface(target);
    SDL_UnlockSurface(image);
    return true;
}

}  // namespace

void drawImage(float x, float y, SDL_Surface* image, SDL_Surface* target, SDL_Rect* source) {
    if (!image || !target) return;
    SDL_Rect destination = {toPixel(x), toPixel(y), 0, 0};
    if (blendsHere(image, target) && drawBlended(image, source, target, destination.x, destination.y)) return;
    SDL_BlitSurface(image, source, target, &destination);
}
