#include "level_source.h"

#include "app/platform.h"

#include <dirent.h>

#include <algorithm>
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
    std::string enemiesText;  // read once the board is known
    int enemiesLine = 0;
    std::vector<int> decoyLines;  // each decoy's cell is checked once the board is known
    int nameLine = 0;
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

int wordCount(const std::string& text) {
    std::istringstream words(text);
    int count = 0;
    for (std::string word; words >> word;) ++count;
    return count;
}

// The level table is a Markdown table: a bar would split a cell in two.
bool fitsTable(const std::string& text) { return text.find('|') == std::string::npos; }

void readName(ParseContext& context, int line, const std::string& value) {
    if (context.nameLine)
        report(context, line, "a second 'name:'; the first is on line " + std::to_string(context.nameLine));
    context.nameLine = line;
    int words = wordCount(value);
    if (words < 2 || words > 3 || !fitsTable(value))
        report(context, line, "a name is a title of two or three words, without '|'");
    context.level.name = value;
}

void readIdea(ParseContext& context, int line, const std::string& value) {
    if (value.empty() || !fitsTable(value)) report(context, line, "an idea is one sentence, without '|'");
    context.level.idea = value;
}

// "12,4 the door looks like the way out": the cell first, then the plan.
bool parseDecoy(const std::string& value, Decoy& decoy) {
    std::istringstream text(value);
    std::string cell;
    char comma = 0;
    text >> cell;
    std::istringstream numbers(cell);
    int column = 0, row = 0;
    if (!(numbers >> column >> comma >> row) || comma != ',' || !numbers.eof()) return false;
    if (column < 1 || column > boardColumns || row < 1 || row > boardRows) return false;
    decoy.cell = {column - 1, row - 1};
    std::getline(text, decoy.plan);
    decoy.plan = trim(decoy.plan);
    return !decoy.plan.empty() && fitsTable(decoy.plan);
}

void readDecoy(ParseContext& context, int line, const std::string& value) {
    Decoy decoy;
    if (!parseDecoy(value, decoy)) {
        report(context, line,
               "a decoy is a cell, column and row from 1, and the plan it invites: 'decoy: 12,4 the door looks like "
               "the way out'");
        return;
    }
    if (static_cast<int>(context.level.decoys.size()) == maxDecoys) {
        report(context, line,
               "more than " + std::to_string(maxDecoys) + " decoys; a level has at most " + std::to_string(maxDecoys));
        return;
    }
    for (const Decoy& other : context.level.decoys)
        if (other.cell.column == decoy.cell.column && other.cell.row == decoy.cell.row)
            report(context, line, "cell " + cellText(decoy.cell) + " is a decoy twice");
    context.level.decoys.push_back(decoy);
    context.decoyLines.push_back(line);
}

void readField(ParseContext& context, int line, const std::string& name, const std::string& value) {
    if (name == "name") {
        readName(context, line, value);
    } else if (name == "idea") {
        readIdea(context, line, value);
    } else if (name == "decoy") {
        readDecoy(context, line, value);
    } else if (name == "teaches") {
        context.level.teaches = value;
    } else if (name == "solution") {
        if (!parseMoves(value, context.level.solution))
            report(context, line,
                   "a solution is made of L, R, U, D and waits W<frames>, a multiple of " + std::to_string(waitFrames));
    } else if (name == "enemies") {
        context.enemiesText = value;
        context.enemiesLine = line;
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
        report(context, line,
               "row has " + std::to_string(row.size()) + " cells, expected " + std::to_string(boardColumns));
    for (size_t column = 0; column < row.size() && column < boardColumns; ++column) {
        int tile = tileForChar(row[column]);
        if (tile < 0) {
            report(context, line,
                   std::string("unknown tile '") + row[column] + "' in column " + std::to_string(column + 1));
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

void checkEnemies(ParseContext& context, int lastLine) {
    size_t count = enemiesInLoadOrder(context.level.grid).size();
    int line = context.enemiesLine ? context.enemiesLine
                                   : (context.level.firstRowLine ? context.level.firstRowLine : lastLine);
    if (count > static_cast<size_t>(maxEnemies))
        report(context, line, std::to_string(count) + " enemies; a level has at most " + std::to_string(maxEnemies));
    if (count == 0 && context.enemiesLine == 0) return;
    if (!parseStarts(context.level.grid, context.enemiesText, context.level.enemies))
        report(context, line,
               "'enemies:' names the start of each of the " + std::to_string(count) +
                   " enemies in load order: up or down for 'I', left or right for 'H'");
}

void checkDecoys(ParseContext& context) {
    for (size_t i = 0; i < context.level.decoys.size(); ++i) {
        CellPosition cell = context.level.decoys[i].cell;
        if (!mayBeIdle(context.level.grid[cellIndex(cell.column, cell.row)]))
            report(context, context.decoyLines[i], "cell " + cellText(cell) + " holds no piece that could be a decoy");
    }
}

// Where each enemy kind may start, as the words of an "enemies:" line.
struct StartWords {
    int code;
    const char* positive;  // the loader's draw of true
    const char* negative;
};
constexpr StartWords startWords[] = {{UpDown, "down", "up"}, {RightLeft, "right", "left"}};

const StartWords& wordsFor(int code) { return code == UpDown ? startWords[0] : startWords[1]; }

}  // namespace

std::string movesText(const std::vector<Move>& moves) {
    std::string text;
    for (size_t i = 0; i < moves.size();) {
        if (!text.empty()) text += ' ';
        text += static_cast<char>(moves[i]);
        size_t run = 1;
        if (moves[i] == Move::Wait) {
            while (i + run < moves.size() && moves[i + run] == Move::Wait) ++run;
            text += std::to_string(run * waitFrames);
        }
        i += run;
    }
    return text;
}

bool parseMoves(const std::string& text, std::vector<Move>& moves) {
    moves.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        char letter = text[i];
        if (letter == ' ' || letter == ',') continue;
        if (letter == 'W') {
            size_t digits = text.find_first_not_of("0123456789", i + 1);
            if (digits == std::string::npos) digits = text.size();
            if (digits == i + 1 || digits - i > 6) return false;
            int frames = std::stoi(text.substr(i + 1, digits - i - 1));
            if (frames <= 0 || frames % waitFrames != 0) return false;
            moves.insert(moves.end(), frames / waitFrames, Move::Wait);
            i = digits - 1;
            continue;
        }
        if (letter != 'L' && letter != 'R' && letter != 'U' && letter != 'D') return false;
        moves.push_back(static_cast<Move>(letter));
    }
    return true;
}

int pressCount(const std::vector<Move>& moves) {
    int presses = 0;
    for (Move move : moves) presses += move != Move::Wait;
    return presses;
}

std::vector<int> enemiesInLoadOrder(const LevelGrid& grid) {
    std::vector<int> codes;
    for (int row = 0; row < boardRows; ++row)
        for (int column = 0; column < boardColumns; ++column) {
            int code = grid[cellIndex(column, row)];
            if (code == UpDown || code == RightLeft) codes.push_back(code);
        }
    return codes;
}

std::string startsText(const LevelGrid& grid, const EnemyStarts& starts) {
    std::vector<int> codes = enemiesInLoadOrder(grid);
    std::string text;
    for (size_t i = 0; i < codes.size() && i < starts.size(); ++i) {
        if (!text.empty()) text += ' ';
        text += starts[i] ? wordsFor(codes[i]).positive : wordsFor(codes[i]).negative;
    }
    return text;
}

bool parseStarts(const LevelGrid& grid, const std::string& text, EnemyStarts& starts) {
    std::vector<int> codes = enemiesInLoadOrder(grid);
    std::istringstream words(text);
    std::string word;
    starts.clear();
    while (words >> word) {
        if (starts.size() >= codes.size()) return false;
        const StartWords& allowed = wordsFor(codes[starts.size()]);
        if (word != allowed.positive && word != allowed.negative) return false;
        starts.push_back(word == allowed.positive);
    }
    return starts.size() == codes.size();
}

std::vector<SourceError> parseLevelSource(const std::string& text, const std::string& file, LevelSource& level) {
    std::vector<SourceError> errors;
    level = LevelSource{};
    ParseContext context{file, errors, level, 0, 0, 0, 0, 0, 0, "", 0, {}, 0};
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string name, value;
        if (trim(line).empty()) continue;
        if (splitField(line, name, value))
            readField(context, lineNumber, name, value);
        else
            readRow(context, lineNumber, line);
    }
    checkBoard(context, lineNumber ? lineNumber : 1);
    checkEnemies(context, lineNumber ? lineNumber : 1);
    checkDecoys(context);
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

std::string levelSourceText(const LevelSource& level) {
    std::string text;
    if (!level.name.empty()) text += "name: " + level.name + "\n";
    if (!level.idea.empty()) text += "idea: " + level.idea + "\n";
    text += "teaches: " + level.teaches + "\n";
    for (const Decoy& decoy : level.decoys) text += "decoy: " + cellText(decoy.cell) + " " + decoy.plan + "\n";
    if (!level.enemies.empty()) text += "enemies: " + startsText(level.grid, level.enemies) + "\n";
    text += "solution: " + movesText(level.solution) + "\n\n";
    for (int row = 0; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column) {
            int code = level.grid[cellIndex(column, row)];
            text += code >= 0 && code < TileKindCount ? tileKinds[code].sourceChar : '.';
        }
        text += "\n";
    }
    return text;
}

bool mayBeIdle(int tile) {
    return isObjectCode(tile) && tile != Player && tile != Wall && tile != Hole && tile != Goal && tile != Peach &&
           !isEnemyCode(tile);
}

std::string cellText(CellPosition cell) { return std::to_string(cell.column + 1) + "," + std::to_string(cell.row + 1); }

int levelNumberOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    int number = 0;
    for (char letter : name)
        if (letter >= '0' && letter <= '9' && number < 1000) number = number * 10 + (letter - '0');
    return number;
}

std::vector<std::string> levelSourcesIn(const std::string& folder) {
    std::vector<std::string> paths;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name.rfind("level", 0) == 0 && name.size() > 9 && name.substr(name.size() - 4) == ".txt")
                paths.push_back(folder + "/" + name);
        }
        closedir(dir);
    }
    std::sort(paths.begin(), paths.end(),
              [](const std::string& a, const std::string& b) { return levelNumberOf(a) < levelNumberOf(b); });
    return paths;
}
