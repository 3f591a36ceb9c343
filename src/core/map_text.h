#pragma once
// The text of a map file: 300 numbers, row by row, each followed by a space, a
// line break after every twentieth. Built-in levels are the same text scrambled.
#include "core/board.h"

#include <string>

constexpr unsigned char levelKey = 0x9C;

// Byte i becomes text[i] XOR (key + i) mod 256; applying it twice gives the text back.
std::string scrambleText(const std::string& text, unsigned char key);

// The text writeMap stores for a grid.
std::string mapText(const LevelGrid& grid);
// The plain reader: a failed number empties that cell and every later one.
void parsePlainMap(const std::string& text, LevelGrid& grid);
// The reader of the unscrambled text of a built-in level.
void parseMapTokens(const std::string& text, LevelGrid& grid);
