#pragma once
// The player's progress and the unlockable switches, as the saved game keeps them.
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
    int currentLevel = 1;                    // not stored in the file
    std::array<bool, 36> peachTaken{};       // entry 35 belongs to no level but is kept
    std::array<bool, UnlockableIdCount> enabled{};  // the unlockable switches
    bool spareSwitch = false;                // kept in the file, used by nothing
    bool gameWon = false;
    int peachCount = 0;                      // not stored: the true entries of peachTaken
    int noticesShown = 0;                    // not stored: set on loading
};

inline bool isOn(const SavedGame& save, UnlockableId option) { return save.enabled[option]; }

// The one speed rule for the player and the enemies.
inline float movementSpeed(const SavedGame& save) {
    return (isOn(save, FastMotion) && !isOn(save, LowFriction)) ? 300.0f : 200.0f;
}
