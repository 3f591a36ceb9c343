#include "level_source.h"

#include "app/platform.h"

#include <sstream>

namespace {

constexpr size_t maxSourceBytes = 1 << 16;

struct ParseContext {
    const std::string& file;
    std::vector<SourceError>& errors;
    LevelSource& level;
    int rows = 0;
    int players = 0;
    int goals = 0;
    int peaches = 0;
    int extraPlayerLine = 0;
    int extraPeachLine = 0;
};

void report(ParseContext& context, int line, const std::string& message) {
    context.errors.push_back({context.file + ":" + std::to_string(line) + ": " + message});
}

std::string trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// A field is a lower-case word followed by a colon; no tile letter is a colon, so
// a board row can never be mistaken for one.
bool splitField(const std::string& line, std::string& name, std::string& value) {
    size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    for (size_t i = 0; i < colon; ++i)
        if (line[i] < 'a' || line[i] > 'z') return false;
    name = line.substr(0, colon);
    value = trim(line.substr(colon + 1));
    return true;
}

void readField(ParseContext& context, int line, const std::string& name, const std::string& value) {
    if (name == "teaches") {
        context.level.teaches = value;
    } else if (name == "solution") {
        if (!parseMoves(value, context.level.solution)) report(context, line, "a solution is made of L, R, U and D");
    } else {
        report(context, line, "unknown field '" + name + "'");
    }
}

void countTile(ParseContext& context, int tile, int line) {
    if (tile == Player && ++context.players == 2) context.extraPlayerLine = line;
    if (tile == Goal) ++context.goals;
    if (tile == Peach && ++context.peaches == 2) context.extraPeachLine = line;
}

void readRow(ParseContext& context, int line, const std::string& row) {
    int rowIndex = context.rows++;
    if (rowIndex == 0) context.level.firstRowLine = line;
    if (rowIndex >= boardRows) return;
    if (row.size() != boardColumns)
        report(context, line, "row has " + std::to_string(row.size()) + " cells, expected " + std::to_string(boardColumns));
    for (size_t column = 0; column < row.size() && column < boardColumns; ++column) {
        int tile = tileForChar(row[column]);
        if (tile < 0) {
            report(context, line, std::string("unknown tile '") + row[column] + "' in column " + std::to_string(column + 1));
            continue;
        }
        context.level.grid[cellIndex(static_cast<int>(column), rowIndex)] = tile;
        countTile(context, tile, line);
    }
}

void checkBoard(ParseContext& context, int lastLine) {
    int boardLine = context.level.firstRowLine ? context.level.firstRowLine : lastLine;
    if (context.rows != boardRows)
        report(context, lastLine, std::to_string(context.rows) + " rows, expected " + std::to_string(boardRows));
    if (context.players == 0) report(context, boardLine, "no player");
    if (context.players > 1) report(context, context.extraPlayerLine, "more than one player");
    if (context.goals == 0) report(context, boardLine, "no goal");
    if (context.peaches == 0) report(context, boardLine, "no peach; a level has exactly one");
    if (context.peaches > 1) report(context, context.extraPeachLine, "more than one peach; a level has exactly one");
}

}  // namespace

int tileForChar(char letter) {
    for (int code = 0; code < TileKindCount; ++code)
        if (tileKinds[code].sourceChar == letter) return code;
    return -1;
}

std::string movesText(const std::vector<Move>& moves) {
    std::string text;
    for (Move move : moves) {
        if (!text.empty()) text += ' ';
        text += static_cast<char>(move);
    }
    return text;
}

bool parseMoves(const std::string& text, std::vector<Move>& moves) {
    moves.clear();
    for (char letter : text) {
        if (letter == ' ' || letter == ',') continue;
        if (letter != 'L' && letter != 'R' && letter != 'U' && letter != 'D') return false;
        moves.push_back(static_cast<Move>(letter));
    }
    return true;
}

std::vector<SourceError> parseLevelSource(const std::string& text, const std::string& file, LevelSource& level) {
    std::vector<SourceError> errors;
    level = LevelSource{};
    ParseContext context{file, errors, level};
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string name, value;
        if (trim(line).empty()) continue;
        if (splitField(line, name, value)) readField(context, lineNumber, name, value);
        else readRow(context, lineNumber, line);
    }
    checkBoard(context, lineNumber ? lineNumber : 1);
    return errors;
}

bool readLevelSource(const std::string& path, LevelSource& level, std::vector<SourceError>& errors) {
    std::string text;
    if (!platform::readFile(path, text, maxSourceBytes)) {
        errors = {{path + ":1: cannot be read"}};
        return false;
    }
    errors = parseLevelSource(text, path, level);
    return errors.empty();
}
