#pragma once
// Map files: 300 numbers, row by row, each followed by a space, a line break after
// every twentieth. User maps are plain text; built-in levels are scrambled.
#include "core/map_text.h"

#include <cstddef>
#include <string>

struct AppState;

constexpr const char* testMapName = "temp.map";
// Far more than 300 numbers can need; a larger file is read only this far.
constexpr std::size_t mapReadLimit = 64 * 1024;

// False, and the old file untouched, when it could not be written.
bool writeMap(const std::string& path, const LevelGrid& grid);
// The plain reader: a failed number empties that cell and every later one.
bool readMapIntoGrid(const std::string& path, LevelGrid& grid);
// The scrambled reader of the built-in levels; a missing file gives an empty grid.
bool readScrambledMap(const std::string& path, LevelGrid& grid);

std::string builtInLevelPath(int level);

// Puts the pieces of a grid in play, as drawn, cell by cell in file order.
void loadGrid(AppState& app, const LevelGrid& grid);
// Built-in levels are mirrored under Mirrored levels; test maps never are.
void loadBuiltInLevel(AppState& app, int level);
void loadTestMap(AppState& app);
