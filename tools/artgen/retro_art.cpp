// The "Oldschool graphics" set: 16 x 16 sprites from a 16-colour palette,
// each logical pixel a hard 2 x 2 block, drawn with anti-aliasing off.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "art.h"
#include "paint.h"

namespace art {
namespace {

struct PaletteEntry {
    char code;
    std::uint32_t rgb;
};

// The classic 16-colour text-mode palette, a letter each; '.' is see-through.
constexpr PaletteEntry retroPalette[] = {
    {'k', 0x000000}, {'b', 0x0000AA}, {'g', 0x00AA00}, {'c', 0x00AAAA}, {'r', 0xAA0000}, {'m', 0xAA00AA},
    {'o', 0xAA5500}, {'l', 0xAAAAAA}, {'d', 0x555555}, {'B', 0x5555FF}, {'G', 0x55FF55}, {'C', 0x55FFFF},
    {'R', 0xFF5555}, {'M', 0xFF55FF}, {'y', 0xFFFF55}, {'w', 0xFFFFFF},
};

using Sprite = const char* [16];

void paintSprite(cairo_t* cr, const Sprite rows) {
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    for (int y = 0; y < 16; ++y) {
        if (std::strlen(rows[y]) != 16) {
            std::fprintf(stderr, "artgen: retro sprite row %d is not 16 wide\n", y);
            std::exit(1);
        }
        for (int x = 0; x < 16; ++x) {
            for (const PaletteEntry& e : retroPalette) {
                if (e.code != rows[y][x]) continue;
                setColor(cr, hex(e.rgb));
                cairo_rectangle(cr, x * 2, y * 2, 2, 2);
                cairo_fill(cr);
            }
        }
    }
}

// clang-format off
const Sprite retroPlayer = {
    "................",
    ".....kkkkkk.....",
    "...kkCCCCCCkk...",
    "..kCCwCCCCCCCk..",
    "..kCwCCCCCCCCk..",
    ".kCCCwwCCwwCCCk.",
    ".kCCCwkCCwkCCCk.",
    ".kCCCwkCCwkCCCk.",
    ".kCCCCCCCCCCCck.",
    ".kCCCCCCCCCCCck.",
    ".kCCkCCCCCCkcck.",
    "..kCCkkkkkkcck..",
    "..kcCCCCCCcccck.",
    "...kkccccccckk..",
    ".....kkkkkkk....",
    "................",
};

const Sprite retroBonus = {
    "................",
    "........k..kkk..",
    ".......okkkGGGk.",
    "........okGGGk..",
    ".....kkkokkkk...",
    "...kkyyykRRRkk..",
    "..kyywyyykRRRRk.",
    "..kywyyyykRRRRk.",
    ".kyyyyyyRkRRRRrk",
    ".kyyyyyRRkRRRRrk",
    ".kyyyyRRRkRRRrrk",
    "..kyyRRRRkRRRrk.",
    "..kRRRRRRRRRrrk.",
    "...kRRRRRRRrrk..",
    "....kkrrrrrrk...",
    "......kkkkkk....",
};

const Sprite retroWall = {
    ".llllllllllllll.",
    "RRRRRRRlRRRRRRRR",
    "rrrrrrrlrrrrrrrr",
    "rrrrrrrlrrrrrrrr",
    "llllllllllllllll",
    "RRRlRRRRRRRlRRRR",
    "rrrlrrrrrrrlrrrr",
    "rrrlrrrrrrrlrrrr",
    "llllllllllllllll",
    "RRRRRRRlRRRRRRRR",
    "rrrrrrrlrrrrrrrr",
    "rrrrrrrlrrrrrrrr",
    "llllllllllllllll",
    "RRRlRRRRRRRlRRRR",
    "rrrlrrrrrrrlrrrr",
    ".rrlrrrrrrrlrrr.",
};

const Sprite retroGoal = {
    "................",
    ".yy.............",
    ".yykkkkkkkkkkkkk",
    ".lkwwkkwwkkwwkkk",
    ".lkwwkkwwkkwwkkk",
    ".lkkkwwkkwwkkwwk",
    ".lkkkwwkkwwkkwwk",
    ".lkwwkkwwkkwwkkk",
    ".lkwwkkwwkkwwkkk",
    ".lkkkkkkkkkkkkkk",
    ".l..............",
    ".l..............",
    ".l..............",
    ".l..............",
    "yyyy............",
    ".yyy............",
};

const Sprite retroEnemy = {
    "................",
    "................",
    "....k......k....",
    ".....k....k.....",
    "....kkkkkkkk....",
    "...kMMMMMMMMk...",
    "..kMMwwMMwwMMk..",
    ".kMMMwkMMwkMMMk.",
    ".kMMMMMMMMMMMMk.",
    "kMMMMMMMMMMMMMMk",
    "kMkMMMMMMMMMMkMk",
    "kMkMkkkkkkkkMkMk",
    "kMk..kk..kk..kMk",
    "kk...kk..kk...kk",
    "................",
    "................",
};

// clang-format on

}  // namespace

void drawOldPlayer(cairo_t* cr, int, int) { paintSprite(cr, retroPlayer); }
void drawOldBonus(cairo_t* cr, int, int) { paintSprite(cr, retroBonus); }
void drawOldWall(cairo_t* cr, int, int) { paintSprite(cr, retroWall); }
void drawOldGoal(cairo_t* cr, int, int) { paintSprite(cr, retroGoal); }
void drawOldEnemy(cairo_t* cr, int, int) { paintSprite(cr, retroEnemy); }

}  // namespace art
