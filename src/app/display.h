#pragma once
// The one display surface and the one routine that draws onto it, and how that picture
// reaches the screen: scaled up by a whole number, crisp, centred in full screen.
#include <SDL/SDL.h>

#include <string>

// The game's own picture (640 x 480, or 800 x 480 in the editor), whatever the window's size.
extern SDL_Surface* displaySurface;

constexpr Uint32 windowFlags = SDL_HWSURFACE;
constexpr Uint32 fullScreenFlags = SDL_FULLSCREEN | SDL_HWSURFACE;

inline Uint32 displayFlags(bool windowed) { return windowed ? windowFlags : fullScreenFlags; }

// When the display cannot be reached SDL falls back quietly on a video driver that
// shows no window, and the game would run on unseen. Start-up tries the display again
// a few times before it gives up; a driver the player named in SDL_VIDEODRIVER is kept.
enum class DriverVerdict { Keep, TryAgain, GiveUp };
constexpr int displayAttempts = 5;
constexpr Uint32 displayRetryPauseMs = 300;

bool showsNothing(const std::string& driver);
// requested is SDL_VIDEODRIVER, null when unset.
bool playerChoseDriver(const char* requested);
// attempt counts from 1.
DriverVerdict judgeVideoDriver(const std::string& driver, const char* requested, int attempt);
// Why start-up gave up, with the DISPLAY and WAYLAND_DISPLAY it saw (null when unset).
std::string noDisplayMessage(const std::string& driver, int attempts, const char* display, const char* waylandDisplay);

// After SDL_Init(subsystems): keeps SDL on a driver that shows the game, starting SDL
// again while it settles on one that shows nothing. False, with the reason in
// SDL_GetError, when no display could be reached.
bool reachDisplay(Uint32 subsystems);

// Replaces displaySurface with a width x height picture, shown in a window at the chosen
// scale or in full screen at the largest that fits. A picture of the same size keeps what
// was drawn on it. False when no surface resulted.
bool setDisplayMode(int width, int height, Uint32 flags);

// Where the picture lies on the screen: each of its pixels is a scale x scale block.
struct Presentation {
    int scale = 1;
    int offsetX = 0, offsetY = 0;
    int width = 640, height = 480;  // the picture's own size
};

struct PicturePoint {
    int x, y;
};

// A window keeps a tenth of the desktop free for the panels and the title bar.
constexpr int desktopPercentForWindow = 90;

// The largest whole-number scale whose window fits within 90 % of the desktop, at least 1;
// a desktop of unknown size (0) gives 1.
int largestWindowScale(int width, int height, int desktopWidth, int desktopHeight);
// The largest whole-number scale that fits the screen, centred between black bars.
Presentation fullScreenPresentation(int width, int height, int screenWidth, int screenHeight);
// A screen position, in the picture and clamped to it.
PicturePoint toPicture(int screenX, int screenY, const Presentation& presentation);
// Pointer events arrive in screen positions; this turns them into picture positions.
void moveEventIntoPicture(SDL_Event& event, const Presentation& presentation);
// Copies the picture onto the screen, each pixel as a block; both surfaces 32-bit.
void presentScaled(SDL_Surface* picture, SDL_Surface* screen, const Presentation& presentation);

// Start-up reads the desktop's size before the first mode is set, since afterwards SDL
// reports the mode instead; a test may name one.
void rememberDesktopSize();
void useDesktopSize(int width, int height);
// The scale the player chose for the window, 0 for the largest that fits.
void chooseWindowScale(int scale);
int chosenWindowScale();
const Presentation& currentPresentation();
// One step larger (+1) or smaller (-1), within 1 and the largest that fits; only a window
// changes. False when the scale stayed.
bool stepWindowScale(int step);
// Shows the picture; false when the screen could not be updated.
bool presentDisplay();

// Positions are floats; the corner is truncated toward zero (3.9 -> 3, -0.5 -> 0).
// A null image draws nothing; a null source rectangle draws the whole image.
void drawImage(float x, float y, SDL_Surface* image, SDL_Surface* target, SDL_Rect* source = nullptr);

// Draws onto the display surface.
inline void drawImage(float x, float y, SDL_Surface* image, SDL_Rect* source = nullptr) {
    drawImage(x, y, image, displaySurface, source);
}

Sint16 toPixel(float coordinate);
