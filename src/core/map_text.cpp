#include "core/map_text.h"

#include <cctype>
#include <climits>

namespace {

bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an optional sign and digits, saturating at the limits of an int.
// Returns false when no digit follows.
bool readDigits(const std::string& text, std::size_t& at, long long& value, bool& overflow) {
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    if (at >= text.size() || !isDigit(text[at])) return false;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    value = 0;
    overflow = false;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > limit) {
            value = limit;
            overflow = true;
        }
    }
    if (negative) value = -value;
    return true;
}

// One formatted extraction as a C++ stream does it: white space, then a number
// that fits an int; anything else fails the stream.
bool extractInt(const std::string& text, std::size_t& at, int& value) {
    while (at < text.size() && isSpace(text[at])) ++at;
    long long number = 0;
    bool overflow = false;
    if (!readDigits(text, at, number, overflow) || overflow) return false;
    value = static_cast<int>(number);
    return true;
}

// The atoi rule, clamped as strtol clamps so that a huge number stays defined.
int tokenValue(const std::string& token) {
    std::size_t at = 0;
    while (at < token.size() && isSpace(token[at])) ++at;
    long long number = 0;
    bool overflow = false;
    if (!readDigits(token, at, number, overflow)) return 0;
    return static_cast<int>(number);
}

}  // namespace

std::string scrambleText(const std::string& text, unsigned char key) {
    std::string result(text);
    for (std::size_t i = 0; i < result.size(); ++i)
        result[i] = static_cast<char>(static_cast<unsigned char>(result[i]) ^ ((key + i) & 0xFF));
    return result;
}

std::string mapText(const LevelGrid& grid) {
    std::string text;
    forEachCellInFileOrder([&](int column, int row) {
        text += std::to_string(grid[cellIndex(column, row)]) + " ";
        if (column == boardColumns - 1) text += "\n";
    });
    return text;
}

void parsePlainMap(const std::string& text, LevelGrid& grid) {
    std::size_t at = 0;
    bool failed = false;
    forEachCellInFileOrder([&](int column, int row) {
        int value = 0;
        if (!failed) failed = !extractInt(text, at, value);
        grid[cellIndex(column, row)] = failed ? 0 : value;
    });
}

void parseMapTokens(const std::string& text, LevelGrid& grid) {
    grid.fill(0);
    int used = 0;
    std::size_t start = 0;
    while (used < cellCount && start < text.size()) {
        std::size_t space = text.find(' ', start);
        std::size_t end = space == std::string::npos ? text.size() : space;
        grid[cellIndex(used % boardColumns, used / boardColumns)] = tokenValue(text.substr(start, end - start));
        ++used;
        if (space == std::string::npos) break;
        start = space + 1;
    }
}
