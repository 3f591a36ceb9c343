#include "app/display.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

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
            std::string message =
                noDisplayMessage(driver, attempt, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
            SDL_SetError("%s", message.c_str());
            return false;
        }
        // A busy display can refuse a connection and take the next one.
        SDL_Quit();
        SDL_Delay(displayRetryPauseMs);
        if (SDL_Init(subsystems) < 0) return false;
    }
}

namespace {

struct DisplayState {
    SDL_Surface* screen = nullptr;  // SDL's own; the picture itself when they are one size
    int desktopWidth = 0, desktopHeight = 0;
    int chosenScale = 0;
    Uint32 flags = 0;
    Presentation presentation;
};

DisplayState display;

int windowScaleFor(int width, int height) {
    int largest = largestWindowScale(width, height, display.desktopWidth, display.desktopHeight);
    return display.chosenScale > 0 ? std::min(display.chosenScale, largest) : largest;
}

// The screen's size and where the picture lies on it, for a mode about to be set.
Presentation plannedPresentation(int width, int height, Uint32 flags) {
    bool fullScreenFits = display.desktopWidth >= width && display.desktopHeight >= height;
    if ((flags & SDL_FULLSCREEN) && fullScreenFits)
        return fullScreenPresentation(width, height, display.desktopWidth, display.desktopHeight);
    // Full screen on an unknown or smaller desktop is left to SDL at the picture's size.
    int scale = (flags & SDL_FULLSCREEN) ? 1 : windowScaleFor(width, height);
    return Presentation{scale, 0, 0, width, height};
}

void screenSize(const Presentation& p, Uint32 flags, int& screenWidth, int& screenHeight) {
    bool scaledFullScreen = (flags & SDL_FULLSCREEN) && (p.offsetX > 0 || p.offsetY > 0 || p.scale > 1);
    screenWidth = scaledFullScreen ? display.desktopWidth : p.width * p.scale;
    screenHeight = scaledFullScreen ? display.desktopHeight : p.height * p.scale;
}

SDL_Surface* copyOfPicture() {
    if (!displaySurface) return nullptr;
    return SDL_ConvertSurface(displaySurface, displaySurface->format, SDL_SWSURFACE);
}

// After SDL_Quit the screen, and a picture that was the screen, are gone with the library.
bool screenStillShown() { return display.screen && display.screen == SDL_GetVideoSurface(); }

void releasePicture() {
    if (displaySurface && displaySurface != display.screen) SDL_FreeSurface(displaySurface);
    displaySurface = nullptr;
    display.screen = nullptr;
}

// Drawing goes to the screen itself when it is the picture's size, and otherwise to a
// picture of the screen's pixel layout, so images converted for the display draw as fast.
SDL_Surface* pictureFor(SDL_Surface* screen, int width, int height) {
    if (screen->w == width && screen->h == height) return screen;
    const SDL_PixelFormat& f = *screen->format;
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, f.Rmask, f.Gmask, f.Bmask, f.Amask);
}

}  // namespace

int largestWindowScale(int width, int height, int desktopWidth, int desktopHeight) {
    auto fits = [&](int scale) {
        return scale * width * 100 <= desktopWidth * desktopPercentForWindow &&
               scale * height * 100 <= desktopHeight * desktopPercentForWindow;
    };
    int scale = 1;
    while (fits(scale + 1)) ++scale;
    return scale;
}

Presentation fullScreenPresentation(int width, int height, int screenWidth, int screenHeight) {
    int scale = std::max(1, std::min(screenWidth / width, screenHeight / height));
    return Presentation{scale, std::max(0, (screenWidth - width * scale) / 2),
                        std::max(0, (screenHeight - height * scale) / 2), width, height};
}

PicturePoint toPicture(int screenX, int screenY, const Presentation& p) {
    // Bars and the window's edge both read as the picture's nearest edge.
    auto along = [&](int position, int offset, int length) {
        return std::clamp((position - offset) / p.scale, 0, length - 1);
    };
    return PicturePoint{along(screenX, p.offsetX, p.width), along(screenY, p.offsetY, p.height)};
}

void moveEventIntoPicture(SDL_Event& event, const Presentation& presentation) {
    auto move = [&](Uint16& x, Uint16& y) {
        PicturePoint at = toPicture(x, y, presentation);
        x = static_cast<Uint16>(at.x);
        y = static_cast<Uint16>(at.y);
    };
    if (event.type == SDL_MOUSEMOTION) move(event.motion.x, event.motion.y);
    if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) move(event.button.x, event.button.y);
}

void presentScaled(SDL_Surface* picture, SDL_Surface* screen, const Presentation& p) {
    if (picture->format->BytesPerPixel != 4 || screen->format->BytesPerPixel != 4) return;
    const int s = p.scale;
    int columns = std::min(picture->w, (screen->w - p.offsetX) / s);
    int rows = std::min(picture->h, (screen->h - p.offsetY) / s);
    if (columns <= 0 || rows <= 0) return;
    if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) return;
    const size_t rowBytes = static_cast<size_t>(columns) * s * 4;
    for (int y = 0; y < rows; ++y) {
        const Uint32* from =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(picture->pixels) + y * picture->pitch);
        Uint8* firstRow = static_cast<Uint8*>(screen->pixels) + (p.offsetY + y * s) * screen->pitch + p.offsetX * 4;
        Uint32* onto = reinterpret_cast<Uint32*>(firstRow);
        for (int x = 0; x < columns; ++x)
            for (int k = 0; k < s; ++k) *onto++ = from[x];
        for (int k = 1; k < s; ++k) std::memcpy(firstRow + k * screen->pitch, firstRow, rowBytes);
    }
    if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
}

void rememberDesktopSize() {
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (info) useDesktopSize(info->current_w, info->current_h);
}

void useDesktopSize(int width, int height) {
    display.desktopWidth = width;
    display.desktopHeight = height;
}

void chooseWindowScale(int scale) { display.chosenScale = std::max(0, scale); }

int chosenWindowScale() { return display.chosenScale; }

const Presentation& currentPresentation() { return display.presentation; }

bool setDisplayMode(int width, int height, Uint32 flags) {
    bool samePicture =
        screenStillShown() && displaySurface && displaySurface->w == width && displaySurface->h == height;
    SDL_Surface* kept = samePicture ? copyOfPicture() : nullptr;
    releasePicture();
    Presentation p = plannedPresentation(width, height, flags);
    int screenWidth = 0, screenHeight = 0;
    screenSize(p, flags, screenWidth, screenHeight);
    display.screen = SDL_SetVideoMode(screenWidth, screenHeight, 32, flags);
    if (!display.screen && (screenWidth != width || screenHeight != height)) {
        // A display that refuses the larger mode still shows the picture as it is.
        p = Presentation{1, 0, 0, width, height};
        display.screen = SDL_SetVideoMode(width, height, 32, flags);
    }
    if (display.screen) {
        displaySurface = pictureFor(display.screen, width, height);
        // Bars stay black: the picture is never drawn over them.
        if (displaySurface != display.screen) SDL_FillRect(display.screen, nullptr, 0);
        if (displaySurface && kept) SDL_BlitSurface(kept, nullptr, displaySurface, nullptr);
    }
    if (kept) SDL_FreeSurface(kept);
    display.flags = flags;
    display.presentation = p;
    return displaySurface != nullptr;
}

bool stepWindowScale(int step) {
    if (!displaySurface || (display.flags & SDL_FULLSCREEN)) return false;
    Presentation now = display.presentation;
    int largest = largestWindowScale(now.width, now.height, display.desktopWidth, display.desktopHeight);
    int scale = std::clamp(now.scale + step, 1, largest);
    if (scale == now.scale) return false;
    display.chosenScale = scale;
    return setDisplayMode(now.width, now.height, display.flags);
}

bool presentDisplay() {
    if (!screenStillShown()) return false;
    if (displaySurface && displaySurface != display.screen)
        presentScaled(displaySurface, display.screen, display.presentation);
    return SDL_Flip(display.screen) == 0;
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
    bool translucentKeyed =
        (image->flags & SDL_SRCCOLORKEY) && (image->flags & SDL_SRCALPHA) && from.alpha < SDL_ALPHA_OPAQUE;
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
