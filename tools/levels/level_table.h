#pragma once
// The table of the built-in levels that data/levels/README.md keeps: each level's
// name and idea, the tiles it needs, its moves, how much of its route is routine,
// its idle pieces and decoys, how a greedy player fares, its states and dead ends.
// The table is made by quarrow-level-table, never by hand, and a test compares it
// with the levels as they are.
#include "level_source.h"
#include "metrics.h"

#include <string>
#include <vector>

struct MeasuredLevel {
    int number = 0;
    LevelSource source;
    LevelMetrics metrics;
};

// How the greedy player fares, against how many of the enemies' starts.
std::string greedySummary(const LevelMetrics& metrics);

// The idle pieces the source does not name as decoys.
std::vector<IdlePiece> idleButNoDecoy(const MeasuredLevel& level);

std::string tableHeader();
std::string tableRow(const MeasuredLevel& level);

// The rows of the table in a README, by level number.
std::vector<std::pair<int, std::string>> tableRowsIn(const std::string& readme);
// Puts the table between the README's table markers; false when they are missing.
bool replaceTable(std::string& readme, const std::string& table);

// The cells of one table row, trimmed: the level number first.
std::vector<std::string> rowCells(const std::string& row);
