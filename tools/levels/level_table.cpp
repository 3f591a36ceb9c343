#include "level_table.h"

#include <algorithm>

namespace {

const std::string tableStart = "<!-- level table: made by `make level-table` -->";
const std::string tableEnd = "<!-- end of level table -->";

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::string neededTiles(const LevelMetrics& metrics) {
    std::vector<std::string> names;
    for (const IdeaVerdict& idea : metrics.ideas)
        if (idea.needed) names.push_back(idea.family->name);
    return names.empty() ? "-" : joined(names);
}

bool isDecoy(const LevelSource& source, CellPosition cell) {
    return std::any_of(source.decoys.begin(), source.decoys.end(), [&](const Decoy& decoy) {
        return decoy.cell.column == cell.column && decoy.cell.row == cell.row;
    });
}

// "key 5,3, earth 12,9": what a piece is and where, as the decoy lines name cells.
std::string piecesText(const LevelGrid& grid, const std::vector<CellPosition>& cells) {
    std::vector<std::string> names;
    for (CellPosition cell : cells)
        names.push_back(std::string(pieceName(grid[cellIndex(cell.column, cell.row)])) + " " + cellText(cell));
    return names.empty() ? "-" : joined(names);
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

}  // namespace

std::string greedySummary(const LevelMetrics& metrics) {
    std::string text = greedyText(metrics.greedy);
    if (metrics.starts == 1) return text;
    if (metrics.greedyWins == 0) return text + " (every start)";
    return text + " (beats " + std::to_string(metrics.greedyWins) + " of " + std::to_string(metrics.starts) +
           " starts)";
}

std::vector<IdlePiece> idleButNoDecoy(const MeasuredLevel& level) {
    std::vector<IdlePiece> idle;
    for (const IdlePiece& piece : level.metrics.idlePieces)
        if (!isDecoy(level.source, piece.cell)) idle.push_back(piece);
    return idle;
}

std::string tableHeader() {
    return "| level | name | idea | teaches | tiles it needs | moves to the goal | moves with the peach | runs of "
           "waits "
           "| longest routine run | idle pieces | decoys | greedy player | resting states | dead ends |\n"
           "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|\n";
}

std::string tableRow(const MeasuredLevel& level) {
    const LevelMetrics& m = level.metrics;
    std::vector<CellPosition> idle, decoys;
    for (const IdlePiece& piece : idleButNoDecoy(level)) idle.push_back(piece.cell);
    for (const Decoy& decoy : level.source.decoys) decoys.push_back(decoy.cell);
    std::vector<std::string> cells = {
        std::to_string(level.number),
        level.source.name.empty() ? "-" : level.source.name,
        level.source.idea.empty() ? "-" : level.source.idea,
        level.source.teaches,
        neededTiles(m),
        m.solvable ? std::to_string(m.toGoal) : "-",
        m.solvable ? std::to_string(m.withPeach) : "not possible",
        m.hasEnemies ? std::to_string(m.mostWaitRuns) : "-",
        m.solvable ? std::to_string(m.longestRoutineRun) : "-",
        m.solvable ? piecesText(level.source.grid, idle) : "-",
        piecesText(level.source.grid, decoys),
        m.solvable ? greedySummary(m) : "-",
        std::to_string(m.states),
        std::to_string(m.deadEnds),
    };
    std::string row = "|";
    for (const std::string& cell : cells) row += " " + cell + " |";
    return row + "\n";
}

std::vector<std::string> rowCells(const std::string& row) {
    std::vector<std::string> cells;
    size_t at = row.find('|');
    while (at != std::string::npos) {
        size_t next = row.find('|', at + 1);
        if (next == std::string::npos) break;
        cells.push_back(trimmed(row.substr(at + 1, next - at - 1)));
        at = next;
    }
    return cells;
}

std::vector<std::pair<int, std::string>> tableRowsIn(const std::string& readme) {
    std::vector<std::pair<int, std::string>> rows;
    size_t start = readme.find(tableStart);
    size_t end = readme.find(tableEnd);
    if (start == std::string::npos || end == std::string::npos || end < start) return rows;
    size_t at = start;
    while ((at = readme.find('\n', at)) != std::string::npos && at < end) {
        size_t lineEnd = readme.find('\n', at + 1);
        std::string line = readme.substr(at + 1, lineEnd - at - 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        at = lineEnd;
        std::vector<std::string> cells = rowCells(line);
        if (!cells.empty() && !cells[0].empty() && std::all_of(cells[0].begin(), cells[0].end(), ::isdigit))
            rows.push_back({std::stoi(cells[0]), line + "\n"});
    }
    return rows;
}

bool replaceTable(std::string& readme, const std::string& table) {
    size_t start = readme.find(tableStart);
    size_t end = readme.find(tableEnd);
    if (start == std::string::npos || end == std::string::npos || end < start) return false;
    size_t from = start + tableStart.size();
    readme.replace(from, end - from, "\n\n" + table + "\n");
    return true;
}
