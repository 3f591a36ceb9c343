#include "level_table.h"

#include <algorithm>
#include <climits>

namespace {

const std::string tableStart = "<!-- level table: made by `make level-table` -->";
const std::string tableEnd = "<!-- end of level table -->";

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::string ideasText(const LevelMetrics& metrics, bool needed) {
    std::vector<std::string> names;
    for (const IdeaVerdict& idea : metrics.ideas)
        if (idea.needed == needed) names.push_back(idea.family->name);
    return names.empty() ? "-" : joined(names);
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

}  // namespace

void findNearest(std::vector<MeasuredLevel>& levels) {
    for (MeasuredLevel& level : levels) {
        level.nearestDistance = INT_MAX;
        for (const MeasuredLevel& other : levels) {
            if (other.number == level.number) continue;
            int distance = boardDistance(level.source.grid, other.source.grid);
            if (distance >= level.nearestDistance) continue;
            level.nearestDistance = distance;
            level.nearest = other.number;
        }
    }
}

std::string tableHeader() {
    return "| level | teaches | ideas it needs | ideas it does without | moves to the goal | moves with the peach | waits "
           "| resting states | dead ends | nearest level (cells apart) |\n"
           "|---|---|---|---|---|---|---|---|---|---|\n";
}

std::string tableRow(const MeasuredLevel& level) {
    const LevelMetrics& m = level.metrics;
    std::vector<std::string> cells = {
        std::to_string(level.number),
        level.source.teaches,
        ideasText(m, true),
        ideasText(m, false),
        m.solvable ? std::to_string(m.toGoal) : "-",
        m.solvable ? std::to_string(m.withPeach) : "not possible",
        m.hasEnemies ? std::to_string(m.waits) : "-",
        std::to_string(m.states),
        std::to_string(m.deadEnds),
        std::to_string(level.nearest) + " (" + std::to_string(level.nearestDistance) + ")",
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
