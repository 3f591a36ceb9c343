#pragma once
// Map files: 300 numbers, row by row, each followed by a space, a line break after
// every twentieth. User maps are plain text; built-in levels are scrambled.
#include "level/level.h"

#include <cstddef>
#include <string>

struct AppState;

constexpr unsigned char levelKey = 0x9C;
constexpr const char* testMapName = "temp.map";
// Far more than 300 numbers can need; a larger file is read only this far.
constexpr std::size_t mapReadLimit = 64 * 1024;

// Byte i becomes text[i] XOR (key + i) mod 256; applying it twice gives the text back.
std::string scrambleText(const std::string& text, unsigned char key);

// The text writeMap stores for a grid.
std::string mapText(const LevelGrid& grid);
// False, and the old file untouched, when it could not be written.
bool writeMap(const std::string& path, const LevelGrid& grid);
// The plain reader: a failed number empties that cell and every later one.
bool readMapIntoGrid(const std::string& path, LevelGrid& grid);
void parsePlainMap(const std::string& text, LevelGrid& grid);
// The scrambled reader of the built-in levels; a missing file gives an empty grid.
bool readScrambledMap(const std::string& path, LevelGrid& grid);
void parseMapTokens(const std::string& text, LevelGrid& grid);

std::string builtInLevelPath(int level);

// Replaces the live level with the objects of a grid, cell by cell in file order.
void buildLevelObjects(AppState& app, const LevelGrid& grid);
void loadBuiltInLevel(AppState& app, int level);
void loadTestMap(AppState& app);
void mirrorLevel(LevelObjects& level);
