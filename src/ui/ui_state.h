#pragma once
// The state of the menus, dialogs, level select, unlockables screen and notice.
#include "core/play_state.h"
#include "level/progress.h"

#include <SDL/SDL.h>

#include <array>
#include <string>
#include <vector>

constexpr int dialogButtonCount = 18;
constexpr int menuEntryCount = 4;

// A 100 x 32 push button of a dialog; its caption turns white while it is chosen.
struct DialogButton {
    SDL_Rect rect;
    SDL_Surface* label = nullptr;        // black, owned here
    SDL_Surface* chosenLabel = nullptr;  // white, owned here
};

// The button of one dialog that Return presses. Any other dialog starts on its default.
struct DialogChoice {
    int dialog = -1;  // a ScreenId
    int button = 0;   // a DialogSlot
};

// An entry of the main menu; its caption turns white while it is selected.
struct MenuButton {
    Sint16 x, y;
    SDL_Surface* label = nullptr;
    SDL_Surface* hoverLabel = nullptr;
};

struct Unlockable {
    SDL_Rect checkboxRect;
    SDL_Surface* checkedImage = nullptr;
    SDL_Surface* uncheckedImage = nullptr;
    SDL_Surface* chosenName = nullptr;  // orange, owned here; the black one is a resource
};

// The notice that slides in at the lower right: an unlock notice, or lines of text.
struct Notification {
    Sint16 x = 0, y = 480;
    Uint16 w = 200, h = 48;
    bool active = false;
    int state = 0;  // 0 rising, 1 resting, 2 sinking
    DelayTimer resting{5.0f};
    std::vector<std::string> text;     // empty for an unlock notice
    SDL_Surface* textImage = nullptr;  // the text notice drawn whole, owned here
};

struct UiState {
    int menuSelection = 0;
    int selectedIndex = 0;  // level select cursor, 0 to 34
    std::array<DialogButton, dialogButtonCount> dialogButtons{};
    DialogChoice dialogChoice;
    std::array<MenuButton, menuEntryCount> menuEntries{};
    std::array<std::array<SDL_Surface*, 2>, levelCount> levelLabels{};  // black, white
    std::array<Unlockable, UnlockableIdCount> unlockables{};
    int chosenUnlockable = 0;  // the option Space and Return switch
    SDL_Rect creditsBar = {0, 464, 298, 48};
    Notification notice;
};
