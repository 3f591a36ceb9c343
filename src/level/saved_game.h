#pragma once
// The player's progress and the unlockable switches, and the file that keeps them.
#include <array>
#include <string>

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

constexpr unsigned char saveKey = 0x71;
constexpr const char* saveFileName = "game_save.sav";

std::string savedGameRecord(const SavedGame& save);  // the plain 47-character record
bool saveGame(const SavedGame& save, const std::string& path);
bool loadGame(SavedGame& save, const std::string& path);
// The reading half of loadGame: the file's bytes, still scrambled, into the fields.
void decodeSavedGame(const std::string& bytes, SavedGame& save);
bool saveFileExists(const std::string& path);
