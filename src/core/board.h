#pragma once
// The board's measures and the grid of tile codes that map files, level sources,
// the editor and the rules share.
#include <array>

constexpr int boardColumns = 20;
constexpr int boardRows = 15;
constexpr int cellSize = 32;
constexpr int cellCount = boardColumns * boardRows;

// Column-major: cell (column, row) is element column * 15 + row.
using LevelGrid = std::array<int, cellCount>;

struct CellPosition {
    int column;
    int row;
};

inline int cellIndex(int column, int row) { return column * boardRows + row; }
inline CellPosition cellAt(int x, int y) { return {x / cellSize, y / cellSize}; }

// Map files list their cells row by row, and the loader meets the objects in that
// order: it decides which enemy draws its start first.
template <typename Visit>
void forEachCellInFileOrder(Visit visit) {
    for (int row = 0; row < boardRows; ++row)
        for (int column = 0; column < boardColumns; ++column) visit(column, row);
}
