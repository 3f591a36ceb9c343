#pragma once
// The file that keeps the player's progress and the unlockable switches.
#include "level/progress.h"

#include <string>

constexpr unsigned char saveKey = 0x71;
constexpr const char* saveFileName = "game_save.sav";

std::string savedGameRecord(const SavedGame& save);  // the plain 47-character record
bool saveGame(const SavedGame& save, const std::string& path);
bool loadGame(SavedGame& save, const std::string& path);
// The reading half of loadGame: the file's bytes, still scrambled, into the fields.
void decodeSavedGame(const std::string& bytes, SavedGame& save);
bool saveFileExists(const std::string& path);
