#pragma once
// The player's progress and the unlockable switches, as the saved game keeps them.
#include "core/play_state.h"

#include <array>

enum UnlockableId : int {
    GreenPlayer,
    OldschoolGraphics,
    EditedMusic,
    FastMotion,
    IntenseParticles,
    MirroredLevels,
    LowFriction,
    UnlockableIdCount
};

constexpr int levelCount = 35;

struct SavedGame {
    int highestLevel = 1;
    int currentLevel = 1;                           // not stored in the file
    std::array<bool, 36> peachTaken{};              // entry 35 belongs to no level but is kept
    std::array<bool, UnlockableIdCount> enabled{};  // the unlockable switches
    bool spareSwitch = false;                       // kept in the file, used by nothing
    bool gameWon = false;
    int peachCount = 0;    // not stored: the true entries of peachTaken
    int noticesShown = 0;  // not stored: set on loading
};

inline bool isOn(const SavedGame& save, UnlockableId option) { return save.enabled[option]; }

// The switches as the rules read them; a test map keeps its board as drawn.
inline PlayRules playRules(const SavedGame& save, bool testMap) {
    PlayRules rules;
    rules.mirrored = isOn(save, MirroredLevels);
    rules.fastMotion = isOn(save, FastMotion);
    rules.lowFriction = isOn(save, LowFriction);
    rules.boardAsDrawn = testMap;
    return rules;
}
