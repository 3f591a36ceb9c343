#pragma once
// Every image, font, pre-rendered text, music track and sound effect, loaded once
// at start-up and released at shutdown. A slot that failed to load is null, and
// everything that draws or plays accepts null.
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_ttf.h>

#include "core/image_keys.h"

#include <array>
#include <string>
#include <vector>

namespace Mus {
enum Key : int { music1, music2, music3, music1_edited, music2_edited, music3_edited, count };
}

// In the order they are loaded.
namespace Snd {
enum Key : int { goalSound, collisionSound, holeSound, bonusSound, unlockSound, skidSound, dieSound, count };
}

namespace Txt {
enum Key : int {
    captionText,
    unlockablesLabel,
    nameText,
    noSaveText,
    overwriteSaveText,
    typeNameText,
    saveChangesText,
    unsavedText,
    deleteFileText,
    noMapsText,
    overwriteLevelText,
    noPlayerText,
    wonText,
    peachHintText,
    creditsLine1,
    creditsLine2,
    count
};
}

constexpr int unlockableCount = 7;

struct ResourceSet {
    std::array<SDL_Surface*, Img::count> images{};
    std::array<Mix_Music*, Mus::count> music{};
    std::array<Mix_Chunk*, Snd::count> sounds{};
    TTF_Font* font12 = nullptr;
    TTF_Font* font18 = nullptr;
    TTF_Font* font28b = nullptr;
    SDL_Surface* dimLayer640 = nullptr;
    SDL_Surface* dimLayer800 = nullptr;
    std::array<SDL_Surface*, Txt::count> texts{};
    std::array<SDL_Surface*, unlockableCount> unlockableName{};
    std::array<std::array<SDL_Surface*, 2>, unlockableCount> unlockNotice{};

    // Not in the catalogue, but owned here for release at shutdown.
    SDL_Surface* windowIcon = nullptr;
    SDL_Surface* screenSnapshot = nullptr;
    SDL_Surface* dimmedSnapshot = nullptr;  // the snapshot under a dialog's dim layer
    std::vector<SDL_Surface*> mapLabels;
};

extern ResourceSet resources;

constexpr const char* resourceFolder = "resources.res";

enum class ImageLoader { Keyed, KeyedWhite, Alpha };

struct ImageEntry {
    Img::Key key;
    const char* file;  // under resources.res/images/
    ImageLoader loader;
    int surfaceAlpha;  // 255 = opaque; the trail copies are drawn at 128 and 64
};

struct AudioEntry {
    int key;
    const char* file;
};

extern const std::array<ImageEntry, Img::count> imageCatalogue;
extern const std::array<AudioEntry, Mus::count> musicCatalogue;  // under resources.res/music/
extern const std::array<AudioEntry, Snd::count> soundCatalogue;  // under resources.res/sounds/
extern const std::array<const char*, Txt::count> textCatalogue;
extern const std::array<const char*, unlockableCount> unlockableNames;
extern const std::array<std::array<const char*, 2>, unlockableCount> unlockNoticeLines;

constexpr SDL_Color black = {0, 0, 0, 0};
constexpr SDL_Color white = {255, 255, 255, 0};

SDL_Surface* loadKeyedImage(const std::string& path, Uint8 red, Uint8 green, Uint8 blue);
SDL_Surface* loadAlphaImage(const std::string& path);
// The two loaders in their steps, for a file that several surfaces are made from:
// decode it once, convert a copy for each, free the decoded picture. Null stays null.
SDL_Surface* decodeImage(const std::string& path);
SDL_Surface* keyedCopy(SDL_Surface* picture, Uint8 red, Uint8 green, Uint8 blue);
SDL_Surface* alphaCopy(SDL_Surface* picture);

// Blended text, or null for an empty text, a missing font or a failed render.
SDL_Surface* renderText(TTF_Font* font, const std::string& text, SDL_Color colour);
// Frees *slot and renders the text into it.
void rerenderText(SDL_Surface*& slot, TTF_Font* font, const std::string& text, SDL_Color colour);

void loadResources();
void applySurfaceAlphas();
void releaseResources();

// Null-safe frees, used by every module that owns surfaces of its own.
void freeSurface(SDL_Surface*& surface);

SDL_Surface* image(Img::Key key);
