// The built images: every file loads at the size its screen needs, keyed pictures
// keep their key colour to the outside only, and alpha pictures really blend.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

enum class Loader { GreenKey, WhiteKey, Alpha };

// Tiles fill their board cell, sprites stand on it; both keep the key in their corners.
enum class Role { Tile, Sprite, Other };

struct ExpectedImage {
    const char* name;
    int width, height;
    Loader loader;
    Role role;
};

constexpr Loader K = Loader::GreenKey;
constexpr Loader W = Loader::WhiteKey;
constexpr Loader A = Loader::Alpha;
constexpr Role T = Role::Tile;
constexpr Role S = Role::Sprite;
constexpr Role O = Role::Other;

const ExpectedImage expectedImages[] = {
    {"player", 32, 32, K, S},
    {"green_player", 32, 32, K, S},
    {"bonus", 32, 32, K, S},
    {"goal", 32, 32, K, S},
    {"wall", 32, 32, K, T},
    {"old_player", 32, 32, K, S},
    {"old_bonus", 32, 32, K, S},
    {"old_wall", 32, 32, K, T},
    {"old_goal", 32, 32, K, S},
    {"old_enemy", 32, 32, K, S},
    {"left", 32, 32, K, T},
    {"up", 32, 32, K, T},
    {"right", 32, 32, K, T},
    {"down", 32, 32, K, T},
    {"hole", 32, 32, K, T},
    {"earth", 32, 32, K, T},
    {"passonce_solid", 32, 32, A, O},
    {"passonce_unsolid", 32, 32, A, O},
    {"button_unpressed", 32, 32, K, T},
    {"button_pressed", 32, 32, K, T},
    {"speed_left", 160, 32, K, T},
    {"speed_up", 160, 32, K, T},
    {"speed_right", 160, 32, K, T},
    {"speed_down", 160, 32, K, T},
    {"updown", 32, 32, K, S},
    {"rightleft", 32, 32, K, S},
    {"key", 32, 32, K, S},
    {"door", 32, 32, K, T},
    {"metal_door", 32, 32, K, T},
    {"dialog_button", 100, 32, K, O},
    {"background", 640, 480, K, O},
    {"dialogbox", 316, 128, K, O},
    {"filebox", 272, 268, K, O},
    {"fileback", 244, 186, W, O},
    {"notify", 200, 48, W, O},
    {"unlockables", 440, 428, A, O},
    {"logo", 476, 140, A, O},
    {"menu_button", 128, 32, K, O},
    {"editor_button", 32, 32, K, O},
    {"lvlsel_enabled", 72, 56, K, O},
    {"lvlsel_disabled", 72, 56, K, O},
    {"level_select", 444, 64, A, O},
    {"new", 12, 16, A, O},
    {"load", 16, 16, A, O},
    {"save", 16, 16, A, O},
    {"play", 8, 16, A, O},
    {"peach_icon", 16, 16, A, O},
    {"minimize", 20, 16, A, O},
    {"maximize", 20, 16, A, O},
    {"mainmenu_button", 32, 32, K, O},
    {"music_off", 18, 16, A, O},
    {"music_on", 18, 16, A, O},
    {"help", 16, 20, A, O},
    {"close", 16, 12, A, O},
    {"close_hover", 16, 12, A, O},
    {"inputbox", 228, 20, K, O},
    {"file_highlight", 202, 16, A, O},
    {"scroll_up", 16, 16, A, O},
    {"scroll_down", 16, 16, A, O},
    {"creditsbar", 298, 48, A, O},
    {"collision", 8, 8, A, O},
    {"big_collision", 16, 16, A, O},
    {"star", 10, 10, A, O},
    {"big_star", 20, 20, A, O},
    {"peach_particle", 8, 8, A, O},
    {"big_peachparticle", 16, 16, A, O},
    {"key_particle", 8, 8, A, O},
    {"big_keyparticle", 16, 16, A, O},
    {"dirt", 8, 8, A, O},
    {"big_dirt", 16, 16, A, O},
    {"red_particle", 8, 8, A, O},
    {"green_particle", 8, 8, A, O},
    {"red_bigparticle", 16, 16, A, O},
    {"green_bigparticle", 16, 16, A, O},
    {"checked", 16, 16, A, O},
    {"unchecked", 16, 16, A, O},
};

struct Rgba {
    Uint8 r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

constexpr Rgba greenKey = {38, 127, 0, 255};
constexpr Rgba opaqueWhite = {255, 255, 255, 255};

bool sameColour(Rgba p, Rgba key) { return p.r == key.r && p.g == key.g && p.b == key.b; }

struct AtPath {
    std::string path;
};

class Image {
public:
    explicit Image(const std::string& name)
        : Image(AtPath{std::string(GAME_DIR "/resources.res/images/") + name + ".img"}) {}
    explicit Image(const AtPath& file) : surface_(IMG_Load(file.path.c_str())) {}
    ~Image() {
        if (surface_) SDL_FreeSurface(surface_);
    }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    bool loaded() const { return surface_ != nullptr; }
    int width() const { return surface_->w; }
    int height() const { return surface_->h; }
    bool hasAlphaChannel() const { return surface_->format->Amask != 0; }

    Rgba at(int x, int y) const {
        SDL_LockSurface(surface_);
        const Uint8* p =
            static_cast<const Uint8*>(surface_->pixels) + y * surface_->pitch + x * surface_->format->BytesPerPixel;
        Uint32 value = 0;
        switch (surface_->format->BytesPerPixel) {
            case 1: value = *p; break;
            case 2: value = *reinterpret_cast<const Uint16*>(p); break;
            case 3: value = p[0] | p[1] << 8 | p[2] << 16; break;
            default: value = *reinterpret_cast<const Uint32*>(p); break;
        }
        SDL_UnlockSurface(surface_);
        Rgba c;
        SDL_GetRGBA(value, surface_->format, &c.r, &c.g, &c.b, &c.a);
        return c;
    }

private:
    SDL_Surface* surface_;
};

// Key pixels that cannot be reached from the border through other key pixels:
// holes punched into the picture, where the board would show through by accident.
int enclosedKeyPixels(const Image& img, Rgba key) {
    int w = img.width(), h = img.height();
    std::vector<char> isKey(w * h), seen(w * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) isKey[y * w + x] = sameColour(img.at(x, y), key);
    std::vector<int> stack;
    for (int x = 0; x < w; ++x) stack.insert(stack.end(), {x, (h - 1) * w + x});
    for (int y = 0; y < h; ++y) stack.insert(stack.end(), {y * w, y * w + w - 1});
    while (!stack.empty()) {
        int i = stack.back();
        stack.pop_back();
        if (seen[i] || !isKey[i]) continue;
        seen[i] = 1;
        int x = i % w, y = i / w;
        if (x > 0) stack.push_back(i - 1);
        if (x + 1 < w) stack.push_back(i + 1);
        if (y > 0) stack.push_back(i - w);
        if (y + 1 < h) stack.push_back(i + w);
    }
    int enclosed = 0;
    for (int i = 0; i < w * h; ++i) enclosed += isKey[i] && !seen[i];
    return enclosed;
}

// Pictures whose shape deliberately has a see-through opening.
const std::set<std::string> openShapes = {"key"};

void expectCellCorners(const Image& img, int left, const char* name) {
    const int corners[4][2] = {{0, 0}, {31, 0}, {0, 31}, {31, 31}};
    for (const auto& c : corners)
        EXPECT_TRUE(sameColour(img.at(left + c[0], c[1]), greenKey))
            << name << " corner (" << left + c[0] << ", " << c[1] << ") is not the key";
    EXPECT_FALSE(sameColour(img.at(left + 16, 16), greenKey)) << name << " middle is see-through";
}

TEST(ArtFiles, EveryImageLoadsAtTheSizeItsScreenNeeds) {
    for (const ExpectedImage& s : expectedImages) {
        Image img(s.name);
        ASSERT_TRUE(img.loaded()) << s.name << ".img: " << IMG_GetError();
        EXPECT_EQ(img.width(), s.width) << s.name;
        EXPECT_EQ(img.height(), s.height) << s.name;
    }
}

TEST(ArtFiles, WindowIconIsA32By32Bitmap) {
    SDL_Surface* icon = SDL_LoadBMP(GAME_DIR "/resources.res/icons/wndicon.icon");
    ASSERT_NE(icon, nullptr) << SDL_GetError();
    EXPECT_EQ(icon->w, 32);
    EXPECT_EQ(icon->h, 32);
    SDL_FreeSurface(icon);
}

// The desktop's application icon, one file per size of the hicolor theme.
class DesktopIcon : public ::testing::TestWithParam<int> {};

bool isInk(Rgba p) {
    const Rgba ink = {0x1E, 0x25, 0x30, 255};
    return p.a == 255 && std::abs(p.r - ink.r) <= 8 && std::abs(p.g - ink.g) <= 8 && std::abs(p.b - ink.b) <= 8;
}

TEST_P(DesktopIcon, IsDrawnAtItsOwnSizeWithACrispThinOutline) {
    const int size = GetParam();
    const std::string side = std::to_string(size);
    Image icon(AtPath{BUILD_DIR "/icons/hicolor/" + side + "x" + side + "/apps/quarrow2.png"});
    ASSERT_TRUE(icon.loaded()) << IMG_GetError();
    ASSERT_EQ(icon.width(), size);
    ASSERT_EQ(icon.height(), size);
    ASSERT_TRUE(icon.hasAlphaChannel());
    for (int corner : {0, size - 1}) {
        EXPECT_EQ(icon.at(corner, 0).a, 0);
        EXPECT_EQ(icon.at(corner, size - 1).a, 0);
    }
    EXPECT_EQ(icon.at(size / 2, size / 2).a, 255);
    // Scaled up from a smaller drawing, the edge would fade in over several pixels and the
    // outline would thicken with the scale.
    const int row = size / 2;
    int edge = 0;
    while (edge < size && icon.at(edge, row).a == 0) ++edge;
    EXPECT_GE(edge, 1) << "the icon keeps a little space around it";
    ASSERT_LT(edge, size / 4);
    EXPECT_EQ(icon.at(edge, row).a, 255) << "soft edge at x " << edge;
    int outline = 0;
    while (isInk(icon.at(edge + outline, row))) ++outline;
    EXPECT_GE(outline, 1);
    EXPECT_LE(outline, std::max(1, size / 64));
}

INSTANTIATE_TEST_SUITE_P(HicolorSizes, DesktopIcon, ::testing::Values(16, 32, 48, 64, 128, 256),
                         [](const ::testing::TestParamInfo<int>& info) { return "Size" + std::to_string(info.param); });

TEST(ColourKey, KeyedPicturesAreOpaqueAndHaveNoHolesOfKeyColour) {
    for (const ExpectedImage& s : expectedImages) {
        if (s.loader == A) continue;
        Image img(s.name);
        ASSERT_TRUE(img.loaded()) << s.name;
        Rgba key = s.loader == K ? greenKey : opaqueWhite;
        bool opaque = true;
        for (int y = 0; y < img.height() && opaque; ++y)
            for (int x = 0; x < img.width() && opaque; ++x) opaque = img.at(x, y).a == 255;
        EXPECT_TRUE(opaque) << s.name << " has translucent pixels the colour key would ignore";
        if (openShapes.count(s.name) == 0) {
            EXPECT_EQ(enclosedKeyPixels(img, key), 0) << s.name << " has key-coloured pixels inside";
        }
    }
}

TEST(ColourKey, BoardPicturesHaveKeyCornersAndASolidMiddle) {
    for (const ExpectedImage& s : expectedImages) {
        if (s.role == O) continue;
        Image img(s.name);
        ASSERT_TRUE(img.loaded()) << s.name;
        for (int left = 0; left < s.width; left += 32) expectCellCorners(img, left, s.name);
    }
}

TEST(ColourKey, CellFillingTilesCoverAllButTheirRoundedCorners) {
    for (const ExpectedImage& s : expectedImages) {
        if (s.role != T) continue;
        Image img(s.name);
        ASSERT_TRUE(img.loaded()) << s.name;
        int holes = 0;
        for (int left = 0; left < s.width; left += 32)
            for (int y = 3; y < 29; ++y)
                for (int x = 0; x < 32; ++x) holes += sameColour(img.at(left + x, y), greenKey);
        EXPECT_EQ(holes, 0) << s.name << " lets the board through away from its corners";
    }
}

TEST(ColourKey, WhiteKeyedPanelsAreWhiteOnlyOutsideTheirFrame) {
    for (const char* name : {"notify", "fileback"}) {
        Image img(name);
        ASSERT_TRUE(img.loaded()) << name;
        EXPECT_TRUE(img.at(0, 0) == opaqueWhite) << name;
        EXPECT_TRUE(img.at(img.width() - 1, img.height() - 1) == opaqueWhite) << name;
        int inside = 0;
        for (int y = 4; y < img.height() - 4; ++y)
            for (int x = 4; x < img.width() - 4; ++x) inside += sameColour(img.at(x, y), opaqueWhite);
        EXPECT_EQ(inside, 0) << name << " would be see-through inside its frame";
    }
}

TEST(AlphaPictures, EdgesBlendWithPartialAlpha) {
    for (const ExpectedImage& s : expectedImages) {
        if (s.loader != A) continue;
        Image img(s.name);
        ASSERT_TRUE(img.loaded()) << s.name;
        ASSERT_TRUE(img.hasAlphaChannel()) << s.name;
        int partial = 0, visible = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                Uint8 a = img.at(x, y).a;
                partial += a > 0 && a < 255;
                visible += a > 0;
            }
        EXPECT_GT(partial, 0) << s.name << " has hard edges only";
        EXPECT_GT(visible, 0) << s.name << " is empty";
    }
}

TEST(TileLooks, SpeedFramesAllDiffer) {
    for (const char* name : {"speed_left", "speed_up", "speed_right", "speed_down"}) {
        Image img(name);
        ASSERT_TRUE(img.loaded()) << name;
        for (int a = 0; a < 5; ++a)
            for (int b = a + 1; b < 5; ++b) {
                bool same = true;
                for (int y = 0; y < 32 && same; ++y)
                    for (int x = 0; x < 32 && same; ++x) same = img.at(32 * a + x, y) == img.at(32 * b + x, y);
                EXPECT_FALSE(same) << name << " frames " << a << " and " << b << " are identical";
            }
    }
}

// The light arrow's head is wider than its tail, so its bright pixels lean the way it points.
TEST(TileLooks, ArrowsPointTheirWay) {
    struct Way {
        const char* name;
        int dx, dy;
    };
    for (Way way : {Way{"left", -1, 0}, Way{"up", 0, -1}, Way{"right", 1, 0}, Way{"down", 0, 1}}) {
        Image img(way.name);
        ASSERT_TRUE(img.loaded()) << way.name;
        double sx = 0, sy = 0, n = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                Rgba p = img.at(x, y);
                if (p.r > 225 && p.g > 225 && p.b > 215) sx += x - 15.5, sy += y - 15.5, n += 1;
            }
        ASSERT_GT(n, 20) << way.name;
        EXPECT_GT((sx * way.dx + sy * way.dy) / n, 0.5) << way.name;
    }
}

// The oldschool set is drawn in hard 2 x 2 blocks; a smoothed edge would break a block.
TEST(TileLooks, OldschoolPicturesAreBlocky) {
    for (const char* name : {"old_player", "old_bonus", "old_wall", "old_goal", "old_enemy"}) {
        Image img(name);
        ASSERT_TRUE(img.loaded()) << name;
        std::set<std::vector<int>> colours;
        int brokenBlocks = 0;
        for (int y = 0; y < 32; y += 2)
            for (int x = 0; x < 32; x += 2) {
                Rgba p = img.at(x, y);
                colours.insert({p.r, p.g, p.b});
                brokenBlocks += !(p == img.at(x + 1, y) && p == img.at(x, y + 1) && p == img.at(x + 1, y + 1));
            }
        EXPECT_EQ(brokenBlocks, 0) << name;
        EXPECT_LE(colours.size(), 8u) << name << " uses too many colours for the retro look";
    }
}

struct Extent {
    int width, height;
};

Extent drawnExtent(const Image& img) {
    int x0 = img.width(), y0 = img.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!sameColour(img.at(x, y), greenKey)) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    return {x1 - x0 + 1, y1 - y0 + 1};
}

TEST(TileLooks, EnemiesAreStretchedAlongTheirAxis) {
    Image upDown("updown"), rightLeft("rightleft");
    ASSERT_TRUE(upDown.loaded() && rightLeft.loaded());
    Extent v = drawnExtent(upDown), h = drawnExtent(rightLeft);
    EXPECT_GT(v.height, v.width);
    EXPECT_GT(h.width, h.height);
}

double greenLead(const Image& img) {
    double lead = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            Rgba p = img.at(x, y);
            if (!sameColour(p, greenKey)) lead += int(p.g) - int(p.b);
        }
    return lead;
}

TEST(TileLooks, GreenPlayerIsGreenAndPlayerIsNot) {
    Image player("player"), green("green_player");
    ASSERT_TRUE(player.loaded() && green.loaded());
    EXPECT_GT(greenLead(green), 0);
    EXPECT_LT(greenLead(player), 0);
}

}  // namespace
