#pragma once
// Boards for the level tools' tests, drawn as the level sources draw them: rows
// from the top, one tile letter a cell, padded to 20 x 15, with walls unless told.
#include "level_source.h"

#include <string>
#include <vector>

inline LevelGrid drawBoard(std::vector<std::string> rows, char pad = '#') {
    LevelGrid grid{};
    rows.resize(boardRows, "");
    for (int row = 0; row < boardRows; ++row) {
        rows[row].resize(boardColumns, pad);
        for (int column = 0; column < boardColumns; ++column)
            grid[cellIndex(column, row)] = tileForChar(rows[row][column]);
    }
    return grid;
}
