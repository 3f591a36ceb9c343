#pragma once
// The one display surface and the one routine that draws onto it.
#include <SDL/SDL.h>

#include <string>

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

// Replaces displaySurface; false when no surface resulted.
bool setDisplayMode(int width, int height, Uint32 flags);

// Positions are floats; the corner is truncated toward zero (3.9 -> 3, -0.5 -> 0).
// A null image draws nothing; a null source rectangle draws the whole image.
void drawImage(float x, float y, SDL_Surface* image, SDL_Surface* target, SDL_Rect* source = nullptr);

// Draws onto the display surface.
inline void drawImage(float x, float y, SDL_Surface* image, SDL_Rect* source = nullptr) {
    drawImage(x, y, image, displaySurface, source);
}

Sint16 toPixel(float coordinate);
