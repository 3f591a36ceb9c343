#pragma once
// The table of the built-in levels that data/levels/README.md keeps: each level's
// moves, states, dead ends, the ideas it needs and the level nearest to it. The
// table is made by quarrow-level-table, never by hand, and a test compares it
// with the levels as they are.
#include "level_source.h"
#include "metrics.h"

#include <string>
#include <vector>

struct MeasuredLevel {
    int number = 0;
    LevelSource source;
    LevelMetrics metrics;
    int nearest = 0;  // the level whose board is closest, and how many cells apart
    int nearestDistance = 0;
};

// Sets `nearest` and `nearestDistance` of every level from the boards alone.
void findNearest(std::vector<MeasuredLevel>& levels);

std::string tableHeader();
std::string tableRow(const MeasuredLevel& level);

// The rows of the table in a README, by level number.
std::vector<std::pair<int, std::string>> tableRowsIn(const std::string& readme);
// Puts the table between the README's table markers; false when they are missing.
bool replaceTable(std::string& readme, const std::string& table);

// The cells of one table row, trimmed: the level number first.
std::vector<std::string> rowCells(const std::string& row);
