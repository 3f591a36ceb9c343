#pragma once
// Level sources: a readable text form of a built-in level. Lines "name: value"
// carry what the level teaches and its recorded solution; the other non-empty
// lines are the 15 rows of 20 cells, one tile letter a cell.
#include "level/level.h"

#include <string>
#include <vector>

enum class Move : char { Left = 'L', Right = 'R', Up = 'U', Down = 'D' };

struct LevelSource {
    LevelGrid grid{};
    std::string teaches;
    std::vector<Move> solution;
    int firstRowLine = 0;  // where the board starts, for messages about the whole board
};

// Errors come as "file:line: message", the form editors and build logs link.
struct SourceError {
    std::string message;
};

// Reads a source text; `file` only names it in the errors. Returns no errors when
// the level is well formed.
std::vector<SourceError> parseLevelSource(const std::string& text, const std::string& file, LevelSource& level);
bool readLevelSource(const std::string& path, LevelSource& level, std::vector<SourceError>& errors);

// The legend: the tile a letter stands for, or -1.
int tileForChar(char letter);
std::string movesText(const std::vector<Move>& moves);
bool parseMoves(const std::string& text, std::vector<Move>& moves);
