#include "app/resources.h"

#include "app/display.h"

#include <SDL/SDL_image.h>

#include <map>

ResourceSet resources;

namespace {
constexpr ImageLoader K = ImageLoader::Keyed;
constexpr ImageLoader W = ImageLoader::KeyedWhite;
constexpr ImageLoader A = ImageLoader::Alpha;
}  // namespace

// Several slots load the same file: each copy gets its own surface, because the
// trail copies carry a different surface alpha; the file is decoded once for all.
constexpr std::array<ImageEntry, Img::count> imageCatalogue = {{
    {Img::player, "player.img", K, 255},
    {Img::player128, "player.img", K, 128},
    {Img::player64, "player.img", K, 64},
    {Img::green_player, "green_player.img", K, 255},
    {Img::green_player128, "green_player.img", K, 128},
    {Img::green_player64, "green_player.img", K, 64},
    {Img::bonus, "bonus.img", K, 255},
    {Img::goal, "goal.img", K, 255},
    {Img::wall, "wall.img", K, 255},
    {Img::old_player, "old_player.img", K, 255},
    {Img::old_bonus, "old_bonus.img", K, 255},
    {Img::old_wall, "old_wall.img", K, 255},
    {Img::old_goal, "old_goal.img", K, 255},
    {Img::old_enemy, "old_enemy.img", K, 255},
    {Img::left, "left.img", K, 255},
    {Img::up, "up.img", K, 255},
    {Img::right, "right.img", K, 255},
    {Img::down, "down.img", K, 255},
    {Img::hole, "hole.img", K, 255},
    {Img::earth, "earth.img", K, 255},
    {Img::passonce_solid, "passonce_solid.img", A, 255},
    {Img::passonce_unsolid, "passonce_unsolid.img", A, 255},
    {Img::button_unpressed, "button_unpressed.img", K, 255},
    {Img::button_pressed, "button_pressed.img", K, 255},
    {Img::speed_left, "speed_left.img", K, 255},
    {Img::speed_up, "speed_up.img", K, 255},
    {Img::speed_right, "speed_right.img", K, 255},
    {Img::speed_down, "speed_down.img", K, 255},
    {Img::updown, "updown.img", K, 255},
    {Img::updown128, "updown.img", K, 128},
    {Img::updown64, "updown.img", K, 64},
    {Img::rightleft, "rightleft.img", K, 255},
    {Img::rightleft128, "rightleft.img", K, 128},
    {Img::rightleft64, "rightleft.img", K, 64},
    {Img::key, "key.img", K, 255},
    {Img::door, "door.img", K, 255},
    {Img::metal_door, "metal_door.img", K, 255},
    {Img::dialog_button, "dialog_button.img", K, 255},
    {Img::background, "background.img", K, 255},
    {Img::dialogbox, "dialogbox.img", K, 255},
    {Img::filebox, "filebox.img", K, 255},
    {Img::fileback, "fileback.img", W, 255},
    {Img::notify, "notify.img", W, 255},
    {Img::unlockables, "unlockables.img", A, 255},
    {Img::logo, "logo.img", A, 255},
    {Img::menu_button, "menu_button.img", K, 255},
    {Img::editor_button, "editor_button.img", K, 255},
    {Img::lvlsel_enabled, "lvlsel_enabled.img", K, 255},
    {Img::lvlsel_disabled, "lvlsel_disabled.img", K, 255},
    {Img::level_select, "level_select.img", A, 255},
    {Img::new_, "new.img", A, 255},
    {Img::load, "load.img", A, 255},
    {Img::save, "save.img", A, 255},
    {Img::play, "play.img", A, 255},
    {Img::peach_icon, "peach_icon.img", A, 255},
    {Img::minimize, "minimize.img", A, 255},
    {Img::maximize, "maximize.img", A, 255},
    {Img::mainmenu_button, "mainmenu_button.img", K, 255},
    {Img::music_off, "music_off.img", A, 255},
    {Img::music_on, "music_on.img", A, 255},
    {Img::help, "help.img", A, 255},
    {Img::close, "close.img", A, 255},
    {Img::close_hover, "close_hover.img", A, 255},
    {Img::inputbox, "inputbox.img", K, 255},
    {Img::file_highlight, "file_highlight.img", A, 255},
    {Img::scroll_up, "scroll_up.img", A, 255},
    {Img::scroll_down, "scroll_down.img", A, 255},
    {Img::creditsbar, "creditsbar.img", A, 255},
    {Img::collision, "collision.img", A, 255},
    {Img::big_collision, "big_collision.img", A, 255},
    {Img::star, "star.img", A, 255},
    {Img::big_star, "big_star.img", A, 255},
    {Img::peach_particle, "peach_particle.img", A, 255},
    {Img::big_peachparticle, "big_peachparticle.img", A, 255},
    {Img::key_particle, "key_particle.img", A, 255},
    {Img::big_keyparticle, "big_keyparticle.img", A, 255},
    {Img::dirt, "dirt.img", A, 255},
    {Img::big_dirt, "big_dirt.img", A, 255},
    {Img::red_particle, "red_particle.img", A, 255},
    {Img::green_particle, "green_particle.img", A, 255},
    {Img::red_bigparticle, "red_bigparticle.img", A, 255},
    {Img::green_bigparticle, "green_bigparticle.img", A, 255},
}};

const std::array<AudioEntry, Mus::count> musicCatalogue = {{
    {Mus::music1, "music1.mus"},
    {Mus::music2, "music2.mus"},
    {Mus::music3, "music3.mus"},
    {Mus::music1_edited, "music1_edited.mus"},
    {Mus::music2_edited, "music2_edited.mus"},
    {Mus::music3_edited, "music3_edited.mus"},
}};

const std::array<AudioEntry, Snd::count> soundCatalogue = {{
    {Snd::goalSound, "goal.snd"},
    {Snd::collisionSound, "collision.snd"},
    {Snd::holeSound, "hole.snd"},
    {Snd::bonusSound, "bonus.snd"},
    {Snd::unlockSound, "unlock.snd"},
    {Snd::skidSound, "skid.snd"},
    {Snd::dieSound, "die.snd"},
}};

const std::array<const char*, Txt::count> textCatalogue = {{
    "Quarrow 2",
    "Unlockables",
    "",
    "There is no saved game data.",
    "Are you sure you want to overwrite the saved game?",
    "Type in the name of the level bellow.",
    "Do you want to save the changes?",
    "There are unsaved changes.",
    "Are you sure you want to delete the selected file?",
    "There's no map files in the maps folder.",
    "Do you want to overwrite the level?",
    "You have to place a player in the level.",
    "Congratulations, you've won the game!",
    "Now try collecting the peaches in all levels.",
    "This game was made and programmed by Tovo_Marrin.",
    "Special thanks to Ressa Ollen.",
}};

const std::array<const char*, unlockableCount> unlockableNames = {{
    "Green player",
    "Oldschool graphics",
    "Edited music",
    "Fast motion",
    "Intense particles",
    "Mirrored levels",
    "Low friction",
}};

const std::array<std::array<const char*, 2>, unlockableCount> unlockNoticeLines = {{
    {"You have unlocked the 'Green", "player' unlockable."},
    {"You have unlocked the", "'Oldschool graphics' unlockable."},
    {"You have unlocked the 'Edited", "music' unlockable."},
    {"You have unlocked the 'Fast", "motion' unlockable."},
    {"You have unlocked the 'Intense", "particles' unlockable."},
    {"You have unlocked the 'Mirrored", "levels' unlockable."},
    {"You have unlocked the 'Low", "friction' unlockable."},
}};

namespace {

constexpr bool catalogueInKeyOrder() {
    for (int i = 0; i < Img::count; ++i)
        if (imageCatalogue[i].key != i) return false;
    return true;
}
static_assert(catalogueInKeyOrder(), "each image row must sit at the index of its key");

std::string resourcePath(const char* folder, const char* file) {
    return std::string(resourceFolder) + "/" + folder + "/" + file;
}

SDL_Surface* catalogueCopy(const ImageEntry& entry, SDL_Surface* picture) {
    switch (entry.loader) {
        case ImageLoader::Keyed: return keyedCopy(picture, 38, 127, 0);
        case ImageLoader::KeyedWhite: return keyedCopy(picture, 255, 255, 255);
        case ImageLoader::Alpha: return alphaCopy(picture);
    }
    return nullptr;
}

// Black at alpha 200 over a dialog's backdrop; the channel masks put alpha last.
// Nothing draws on the layer, so it is filled once.
SDL_Surface* createDimLayer(int width) {
    SDL_Surface* layer =
        SDL_CreateRGBSurface(SDL_HWSURFACE, width, 480, 32, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF);
    if (layer) SDL_FillRect(layer, nullptr, SDL_MapRGBA(layer->format, 0, 0, 0, 200));
    return layer;
}

TTF_Font* openFont(const char* file, int points) {
    if (!TTF_WasInit()) return nullptr;
    return TTF_OpenFont(resourcePath("fonts", file).c_str(), points);
}

// Rows that name the same file (the trail copies) each get a surface of their own,
// since each carries its own surface alpha, but the file is decoded once.
void loadImages() {
    std::map<std::string, SDL_Surface*> decoded;
    for (const ImageEntry& entry : imageCatalogue) {
        auto picture = decoded.find(entry.file);
        if (picture == decoded.end())
            picture = decoded.emplace(entry.file, decodeImage(resourcePath("images", entry.file))).first;
        resources.images[entry.key] = catalogueCopy(entry, picture->second);
    }
    for (auto& file : decoded) freeSurface(file.second);
}

void loadMusic() {
    for (const AudioEntry& entry : musicCatalogue)
        resources.music[entry.key] = Mix_LoadMUS(resourcePath("music", entry.file).c_str());
}

void loadSounds() {
    for (const AudioEntry& entry : soundCatalogue) {
        SDL_RWops* stream = SDL_RWFromFile(resourcePath("sounds", entry.file).c_str(), "rb");
        resources.sounds[entry.key] = stream ? Mix_LoadWAV_RW(stream, 1) : nullptr;
    }
}

void loadFonts() {
    resources.font12 = openFont("arial.font", 12);
    resources.font18 = openFont("arial.font", 18);
    resources.font28b = openFont("arialbd.font", 28);
}

void renderTexts() {
    for (int key = 0; key < Txt::count; ++key) {
        TTF_Font* font = (key == Txt::unlockablesLabel) ? resources.font18 : resources.font12;
        SDL_Color colour = (key == Txt::creditsLine1 || key == Txt::creditsLine2) ? white : black;
        resources.texts[key] = renderText(font, textCatalogue[key], colour);
    }
    for (int i = 0; i < unlockableCount; ++i) {
        resources.unlockableName[i] = renderText(resources.font28b, "?????", black);
        for (int line = 0; line < 2; ++line)
            resources.unlockNotice[i][line] = renderText(resources.font12, unlockNoticeLines[i][line], black);
    }
}

template <typename T, typename Free>
void freeAll(T& slots, Free release) {
    for (auto& slot : slots) {
        if (slot) release(slot);
        slot = nullptr;
    }
}

}  // namespace

SDL_Surface* decodeImage(const std::string& path) { return IMG_Load(path.c_str()); }

SDL_Surface* keyedCopy(SDL_Surface* picture, Uint8 red, Uint8 green, Uint8 blue) {
    SDL_Surface* converted = picture ? SDL_DisplayFormat(picture) : nullptr;
    if (converted) SDL_SetColorKey(converted, SDL_SRCCOLORKEY, SDL_MapRGB(converted->format, red, green, blue));
    return converted;
}

SDL_Surface* alphaCopy(SDL_Surface* picture) { return picture ? SDL_DisplayFormatAlpha(picture) : nullptr; }

SDL_Surface* loadKeyedImage(const std::string& path, Uint8 red, Uint8 green, Uint8 blue) {
    SDL_Surface* loaded = decodeImage(path);
    SDL_Surface* converted = keyedCopy(loaded, red, green, blue);
    freeSurface(loaded);
    return converted;
}

SDL_Surface* loadAlphaImage(const std::string& path) {
    SDL_Surface* loaded = decodeImage(path);
    SDL_Surface* converted = alphaCopy(loaded);
    freeSurface(loaded);
    return converted;
}

SDL_Surface* renderText(TTF_Font* font, const std::string& text, SDL_Color colour) {
    if (!font || text.empty()) return nullptr;
    return TTF_RenderText_Blended(font, text.c_str(), colour);
}

void rerenderText(SDL_Surface*& slot, TTF_Font* font, const std::string& text, SDL_Color colour) {
    freeSurface(slot);
    slot = renderText(font, text, colour);
}

void freeSurface(SDL_Surface*& surface) {
    if (surface) SDL_FreeSurface(surface);
    surface = nullptr;
}

SDL_Surface* image(Img::Key key) { return resources.images[key]; }

void loadResources() {
    loadImages();
    loadMusic();
    loadSounds();
    loadFonts();
    resources.dimLayer640 = createDimLayer(640);
    resources.dimLayer800 = createDimLayer(800);
    renderTexts();
}

void applySurfaceAlphas() {
    for (SDL_Surface* layer : {resources.dimLayer640, resources.dimLayer800})
        if (layer) SDL_SetAlpha(layer, SDL_SRCALPHA, 200);
    for (const ImageEntry& entry : imageCatalogue)
        if (entry.surfaceAlpha != 255 && resources.images[entry.key])
            SDL_SetAlpha(resources.images[entry.key], SDL_SRCALPHA, static_cast<Uint8>(entry.surfaceAlpha));
}

void releaseResources() {
    freeAll(resources.images, SDL_FreeSurface);
    freeSurface(resources.dimLayer640);
    freeSurface(resources.dimLayer800);
    freeAll(resources.texts, SDL_FreeSurface);
    freeAll(resources.unlockableName, SDL_FreeSurface);
    for (auto& lines : resources.unlockNotice) freeAll(lines, SDL_FreeSurface);
    freeSurface(resources.windowIcon);
    freeSurface(resources.screenSnapshot);
    freeSurface(resources.dimmedSnapshot);
    freeAll(resources.mapLabels, SDL_FreeSurface);
    resources.mapLabels.clear();
    freeAll(resources.music, Mix_FreeMusic);
    freeAll(resources.sounds, Mix_FreeChunk);
    for (TTF_Font** font : {&resources.font12, &resources.font18, &resources.font28b}) {
        if (*font) TTF_CloseFont(*font);
        *font = nullptr;
    }
    Mix_CloseAudio();
    TTF_Quit();
    SDL_Quit();
}
