// A board for blind players, and their presses played by the game's own rules:
//   quarrow-playtest export SOURCE.txt > board.txt
//   quarrow-playtest play BOARD.txt "L U R W D" [--log FILE] [--starts "down left"] [--brief]
//   quarrow-playtest --help
// A player must never see what a level source says besides its board: export keeps
// the rows and nothing else, and adds the legend of the pieces on it. Play shows the
// board after every press and appends the attempt to the player's log.
#include "level_source.h"
#include "solver.h"

#include "app/platform.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr size_t maxBoardBytes = 1 << 16;

// What the player reads on the board. A crossed pass-once tile and a pressed button
// are not tiles of their own in a level, so they take letters no source uses.
constexpr char closedPassOnce = 'x';
constexpr char pressedButton = 'b';

struct Symbol {
    const char* letters;
    const char* name;
    bool blocks;       // may stop the player in front of it
    const char* rule;  // in a player's words, as the game plays it
};

constexpr Symbol symbols[] = {
    {".", "floor", false, "you slide over it"},
    {"P", "you", false, "a press slides you that way until something stops you; you cannot steer or brake on the way"},
    {"#", "wall", true, "stops you on the cell in front of it"},
    {"*", "peach", false, "slide over it to take it; it does not stop you"},
    {"G", "goal", false, "stops you on it and ends the attempt: solved when you carry the peach"},
    {"O", "hole", false, "sliding onto or across it swallows you: the attempt is lost"},
    {"%", "earth", false, "stops you on it, not in front of it; from earth you may set off any way"},
    {"<^>v", "one-way arrow", true,
     "you may cross it only the way it points; from any other side it stops you like a wall. "
     "Stopped on it, you may leave it only the way it points"},
    {"awds", "speed tile", false,
     "a = left, w = up, d = right, s = down. Whichever way you come onto it, it turns you its way "
     "and sends you on; with something solid right after it, you stop on it. Resting on it, "
     "you may set off any way"},
    {"o", "pass-once tile", false,
     "you may cross it once: as soon as you have left it, it closes and stops you like a wall"},
    {"x", "closed pass-once tile", true, "a pass-once tile you have crossed; a wall from now on"},
    {"k", "key", false, "slide over it to pick it up; it does not stop you; you may carry several"},
    {"D", "door", true,
     "with a key you slide straight through: the door opens and that key is used up. Without a key it "
     "stops you like a wall. Any key opens any door"},
    {"B", "button", false, "slide over it to press it; it does not stop you; it removes every metal door at once"},
    {"b", "pressed button", false, "the metal doors are gone"},
    {"M", "metal door", true, "stops you like a wall until the button is pressed; keys do not open it"},
    {"I", "enemy, up and down", false, "patrols up and down without rest; touching it kills you"},
    {"H", "enemy, left and right", false, "patrols left and right without rest; touching it kills you"},
};

const Symbol* symbolFor(char letter) {
    for (const Symbol& symbol : symbols)
        for (const char* l = symbol.letters; *l; ++l)
            if (*l == letter) return &symbol;
    return nullptr;
}

constexpr const char* helpText = R"(quarrow-playtest: play a Quarrow board as text, press by press.

  quarrow-playtest export LEVEL.txt > board.txt
      The board of a level source, with the legend of its pieces; nothing else
      of the source.
  quarrow-playtest play board.txt "L U R D W" [--log FILE] [--starts "down left"] [--brief]
      Plays the presses from the start and shows the board after each one.
      L U R D slide left, up, right, down; W waits 6 frames (a tenth of a
      second) and W18 waits 18 frames. --brief shows only the first and the
      last board.
      --log FILE appends the play to FILE as an attempt. Playing on from where
      the last attempt stopped (its presses and more) carries that attempt
      on; anything else starts a new one, as restarting does in the game: to
      undo, play a shorter sequence, and that is a new attempt.
      On a board with enemies, each attempt draws their starting ways at
      random, as the game does; --starts fixes them, one word per enemy, row
      by row from the top (up or down for I, left or right for H).

The aim: reach the goal after taking the peach. Cells are (column,row),
counted from 1 at the top left, as the numbers around the board show.

How a press goes: you slide until something stops you, and press again only
once you stand still. The board has no walls of its own: sliding off it loses
the attempt. So do falling into a hole and touching an enemy; then the level
starts over (play a new attempt).

Enemies move only while you slide or wait: the tool plays each press the
moment you come to rest, so wait (W) to let them move on. Each enemy turns
round at walls, doors, metal doors, closed pass-once tiles and arrows (but
crosses an arrow that points its own way); it floats over everything else.
On the board an enemy stands on the cell nearest to it, and the line under
the board says which way it heads. Reaching the goal counts only if no enemy
crosses it in the three seconds before the level ends.

The pieces:
)";

std::string cellText(int column, int row) {
    return "(" + std::to_string(column + 1) + "," + std::to_string(row + 1) + ")";
}

std::string cellText(const Piece& piece) {
    CellPosition cell = cellAt(static_cast<int>(piece.x + cellSize / 2), static_cast<int>(piece.y + cellSize / 2));
    return cellText(cell.column, cell.row);
}

std::string wayText(float vx, float vy) {
    if (vy > 0) return "down";
    if (vy < 0) return "up";
    return vx > 0 ? "right" : "left";
}

// ---- Boards as text ------------------------------------------------------------

// A row of a board: twenty tile letters, perhaps followed by white space and its
// number. Everything else in a board file is for the player to read.
bool isRowLine(const std::string& line) {
    if (line.size() < boardColumns) return false;
    for (int column = 0; column < boardColumns; ++column)
        if (tileForChar(line[column]) < 0) return false;
    return line.find_first_not_of(" \t\r0123456789", boardColumns) == std::string::npos;
}

std::vector<std::string> rowsOf(const std::string& text) {
    std::vector<std::string> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        if (isRowLine(line)) rows.push_back(line.substr(0, boardColumns));
    return rows;
}

bool readBoardRows(const std::string& path, std::vector<std::string>& rows) {
    std::string text;
    if (!platform::readFile(path, text, maxBoardBytes)) {
        std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
        return false;
    }
    rows = rowsOf(text);
    if (rows.size() == boardRows) return true;
    std::fprintf(stderr, "%s: %zu board rows, expected %d rows of %d tile letters\n", path.c_str(), rows.size(),
                 boardRows, boardColumns);
    return false;
}

bool readBoard(const std::string& path, LevelGrid& grid) {
    std::vector<std::string> rows;
    if (!readBoardRows(path, rows)) return false;
    int players = 0;
    for (int row = 0; row < boardRows; ++row)
        for (int column = 0; column < boardColumns; ++column) {
            int tile = tileForChar(rows[row][column]);
            grid[cellIndex(column, row)] = tile;
            players += tile == Player;
        }
    if (players == 1) return true;
    std::fprintf(stderr, "%s: a board has exactly one player (P), this one has %d\n", path.c_str(), players);
    return false;
}

using Cells = std::vector<std::string>;  // rows of letters

// The column numbers over the board: tens, then units.
std::string ruler() {
    std::string tens, units;
    for (int column = 1; column <= boardColumns; ++column) {
        tens += column >= 10 ? static_cast<char>('0' + column / 10) : ' ';
        units += static_cast<char>('0' + column % 10);
    }
    return tens + "\n" + units + "\n";
}

std::string boardText(const Cells& rows) {
    std::string text = ruler();
    for (int row = 0; row < boardRows; ++row) text += rows[row] + "  " + std::to_string(row + 1) + "\n";
    return text;
}

// The letters of the board, the player and the enemies left out.
Cells piecesAsLetters(const PlayState& state) {
    Cells rows(boardRows, std::string(boardColumns, '.'));
    for (int kind = Wall; kind < TileKindCount; ++kind) {
        if (isEnemyCode(kind)) continue;
        for (const Piece& piece : state[static_cast<TileKind>(kind)]) {
            char letter = tileKinds[kind].sourceChar;
            if (kind == PassOnce && piece.state == 0) letter = closedPassOnce;
            if (kind == Button && piece.state == 0) letter = pressedButton;
            CellPosition cell = cellAt(static_cast<int>(piece.x), static_cast<int>(piece.y));
            rows[cell.row][cell.column] = letter;
        }
    }
    return rows;
}

// Enemies glide between cells; the player sees each on the cell nearest to it.
CellPosition nearestCell(const Piece& piece) {
    CellPosition cell = cellAt(static_cast<int>(piece.x + cellSize / 2), static_cast<int>(piece.y + cellSize / 2));
    cell.column = std::max(0, std::min(cell.column, boardColumns - 1));
    cell.row = std::max(0, std::min(cell.row, boardRows - 1));
    return cell;
}

Cells boardLetters(const PlayState& state, bool withPlayer) {
    Cells rows = piecesAsLetters(state);
    if (withPlayer) {
        CellPosition you = playerCell(state);
        rows[you.row][you.column] = 'P';
    }
    for (TileKind kind : {UpDown, RightLeft})
        for (const Piece& enemy : state[kind]) {
            CellPosition cell = nearestCell(enemy);
            rows[cell.row][cell.column] = tileKinds[kind].sourceChar;
        }
    return rows;
}

// ---- Export ----------------------------------------------------------------------

bool boardHas(const std::vector<std::string>& rows, const char* letters) {
    for (const std::string& row : rows)
        if (row.find_first_of(letters) != std::string::npos) return true;
    return false;
}

std::string legendOf(const std::vector<std::string>& rows) {
    std::string text = "Legend (cells are (column,row), from 1 at the top left; rules: quarrow-playtest --help):\n";
    for (const Symbol& symbol : symbols) {
        std::string letters = symbol.letters;
        bool shown = boardHas(rows, symbol.letters) || (letters == "x" && boardHas(rows, "o")) ||
                     (letters == "b" && boardHas(rows, "B")) || letters == ".";
        if (shown) text += "  " + letters + std::string(6 - letters.size(), ' ') + symbol.name + "\n";
    }
    return text;
}

int exportBoard(const std::string& path) {
    std::vector<std::string> rows;
    if (!readBoardRows(path, rows)) return 2;
    std::printf("%s\n%s", boardText(rows).c_str(), legendOf(rows).c_str());
    return 0;
}

std::string withCell(std::string text, const std::string& cell) { return text.replace(text.find('@'), 1, cell); }

// ---- Play ------------------------------------------------------------------------

enum class Ending { None, Solved, GoalWithoutPeach, Fell, Caught, CaughtOnGoal, LeftBoard, NeverStops };

// "@" stands for the cell where the attempt ended.
constexpr const char* endingTexts[] = {
    "unfinished at @",
    "reached the goal at @ with the peach: solved",
    "reached the goal at @ without the peach",
    "fell into the hole at @",
    "caught by an enemy at @",
    "reached the goal at @, but an enemy crossed it before the level ended",
    "slid off the board past @",
    "never came to rest: still moving 20 seconds later, near @",
};
static_assert(sizeof endingTexts / sizeof *endingTexts == static_cast<int>(Ending::NeverStops) + 1,
              "one text for each way an attempt ends");

std::string endingText(Ending ending, const std::string& cell) {
    return withCell(endingTexts[static_cast<int>(ending)], cell);
}

struct Attempt {
    std::vector<Move> played;
    Ending ending = Ending::None;
    std::string endCell;
};

bool loadedWith(const PlayState& state, TileKind kind) {
    return state.grid && std::find(state.grid->begin(), state.grid->end(), kind) != state.grid->end();
}

std::string statusText(const PlayState& state) {
    std::string text = state[Peach].empty() ? "peach taken" : "peach not taken";
    if (loadedWith(state, Key) || loadedWith(state, Door)) text += ", keys held " + std::to_string(state.keysHeld);
    for (TileKind kind : {UpDown, RightLeft})
        for (const Piece& enemy : state[kind]) {
            CellPosition cell = nearestCell(enemy);
            text += std::string(", ") + tileKinds[kind].sourceChar + " at " + cellText(cell.column, cell.row) +
                    " heading " + wayText(enemy.vx, enemy.vy);
        }
    return text;
}

// What a press took, opened or pressed on the way, as the rules report it.
struct EventNote {
    PlayEventKind kind;
    const char* text;  // "@" stands for the tile's cell
};

constexpr EventNote eventNotes[] = {
    {PlayEventKind::TakePeach, "took the peach at @"},
    {PlayEventKind::TakeKey, "took the key at @"},
    {PlayEventKind::OpenDoor, "opened the door at @ with a key"},
    {PlayEventKind::PressButton, "pressed the button at @: every metal door is gone"},
};

void noteEvents(const PlayEvents& events, std::vector<std::string>& notes) {
    for (const PlayEvent& event : events)
        for (const EventNote& note : eventNotes)
            if (event.kind == note.kind) {
                Piece tile;
                tile.x = event.x;
                tile.y = event.y;
                notes.push_back(withCell(note.text, cellText(tile)));
            }
}

// A pass-once tile closes in the frame the player is off it, which the rules do not
// report: the tiles before and after each frame tell.
void noteClosedPassOnces(const std::vector<Piece>& before, const PlayState& after, std::vector<std::string>& notes) {
    PieceRange<const Piece> tiles = after[PassOnce];
    for (std::size_t i = 0; i < before.size() && i < tiles.size(); ++i)
        if (before[i].state != 0 && tiles[i].state == 0)
            notes.push_back("the pass-once tile at " + cellText(tiles[i]) + " closed behind you");
}

// Only a speed tile turns a sliding player.
void noteTurn(const Piece& before, const Piece& after, std::vector<std::string>& notes) {
    bool wasMoving = before.vx != 0 || before.vy != 0, moving = after.vx != 0 || after.vy != 0;
    if (!wasMoving || !moving || wayText(before.vx, before.vy) == wayText(after.vx, after.vy)) return;
    std::string note = "the speed tile at " + cellText(after) + " sent you " + wayText(after.vx, after.vy);
    // Two speed tiles facing each other toss the player to and fro for ever: once is enough to tell.
    if (std::find(notes.begin(), notes.end(), note) == notes.end()) notes.push_back(note);
}

// What a press did on the way, in the order it happened. The simulator has played
// the press; the same frames replayed on a copy give the same story, told frame by frame.
std::vector<std::string> changes(const PlayState& before, Move move, const MoveOutcome& outcome) {
    std::vector<std::string> notes;
    PlayState state = before;
    resetMotion(state);
    for (int frame = 0; frame < outcome.frames; ++frame) {
        PieceRange<Piece> tiles = state[PassOnce];
        std::vector<Piece> passOnces(tiles.begin(), tiles.end());
        Piece player = state.player;
        PlayEvents events = step(state, frame == 0 ? arrowFor(move) : PlayInput{}, solverDt);
        // Leaving the board or sinking into a hole starts the level over.
        if (events.has(PlayEventKind::LeftBoard) || events.has(PlayEventKind::FadeOver)) break;
        noteEvents(events, notes);
        noteClosedPassOnces(passOnces, state, notes);
        noteTurn(player, state.player, notes);
    }
    return notes;
}

const Symbol* symbolAt(const Cells& letters, int column, int row) {
    if (column < 0 || row < 0 || column >= boardColumns || row >= boardRows) return nullptr;
    return symbolFor(letters[row][column]);
}

// Where the player came to rest and what holds it there.
std::string restText(const PlayState& before, const PlayState& after, const MoveOutcome& outcome) {
    CellPosition from = playerCell(before), to = playerCell(after);
    bool moved = from.column != to.column || from.row != to.row;
    Cells letters = piecesAsLetters(after);
    std::string under = symbolAt(letters, to.column, to.row)->name;
    // A press that a neighbour blocks ends in its first frames; one that went and
    // was sent back, by a speed tile say, took longer.
    bool wentAndCameBack = !moved && outcome.frames > 2;
    std::string text = moved             ? "stopped at " + cellText(to.column, to.row)
                       : wentAndCameBack ? "came back to " + cellText(to.column, to.row)
                                         : "did not move";
    int dx = (after.blockedVx > 0) - (after.blockedVx < 0), dy = (after.blockedVy > 0) - (after.blockedVy < 0);
    const Symbol* stopper = dx || dy ? symbolAt(letters, to.column + dx, to.row + dy) : nullptr;
    if (stopper && stopper->blocks)
        text += ", against the " + std::string(stopper->name) + " at " + cellText(to.column + dx, to.row + dy);
    else if (!moved && under == "one-way arrow")
        return text + ": the arrow you stand on lets you leave only the way it points";
    if (under != "floor") text += ", on the " + under;
    return text;
}

Ending endingOf(const MoveOutcome& outcome, const PlayState& after) {
    switch (outcome.end) {
        case MoveEnd::Stopped: return Ending::None;
        case MoveEnd::Goal: return after[Peach].empty() ? Ending::Solved : Ending::GoalWithoutPeach;
        case MoveEnd::Died:
            if (after.dying) return Ending::Fell;
            return after.goalDelay.running ? Ending::CaughtOnGoal : Ending::Caught;
        case MoveEnd::LeftBoard: return Ending::LeftBoard;
        case MoveEnd::NeverStops: return Ending::NeverStops;
    }
    return Ending::None;
}

// Presses, and one move for each run of waits, as the level tools count them.
int movesCount(const std::vector<Move>& moves) {
    int count = 0;
    for (std::size_t i = 0; i < moves.size(); ++i)
        count += moves[i] != Move::Wait || i == 0 || moves[i - 1] != Move::Wait;
    return count;
}

std::string countsText(const std::vector<Move>& moves) {
    int presses = pressCount(moves), count = movesCount(moves);
    return std::to_string(presses) + (presses == 1 ? " press, " : " presses, ") + std::to_string(count) +
           (count == 1 ? " move" : " moves");
}

struct Session {
    MoveSimulator simulator{PlayRules{}};
    PlayState state;
    bool brief = false;
    Attempt attempt;
};

// Plays one press, or one run of waits, and says what it did.
void playStep(Session& session, Move move, int waits, bool last) {
    PlayState before = session.state;
    MoveOutcome outcome;
    int played = 0;
    for (; played < waits && outcome.end == MoveEnd::Stopped; ++played) {
        outcome = session.simulator.play(session.state, move, session.state);
        session.attempt.played.push_back(move);
    }
    Attempt& attempt = session.attempt;
    attempt.ending = endingOf(outcome, session.state);
    std::vector<std::string> notes;
    if (move != Move::Wait) notes = changes(before, move, outcome);
    CellPosition at = outcome.end == MoveEnd::LeftBoard ? outcome.exitCell : playerCell(session.state);
    attempt.endCell = cellText(at.column, at.row);
    if (attempt.ending == Ending::None)
        notes.push_back(move == Move::Wait ? "waited " + std::to_string(played * waitFrames) + " frames"
                                           : restText(before, session.state, outcome));
    else
        notes.push_back(endingText(attempt.ending, attempt.endCell));
    std::string label =
        move == Move::Wait ? "W" + std::to_string(played * waitFrames) : std::string(1, static_cast<char>(move));
    std::printf("%d. %s: ", movesCount(attempt.played), label.c_str());
    for (std::size_t i = 0; i < notes.size(); ++i) std::printf("%s%s", i ? "; " : "", notes[i].c_str());
    // Off the board the level has already started over: its state says nothing.
    bool onBoard = attempt.ending != Ending::LeftBoard;
    std::printf(".\n");
    if (onBoard) std::printf("   %s\n", statusText(session.state).c_str());
    if (onBoard && (!session.brief || last || attempt.ending != Ending::None))
        std::printf("%s", boardText(boardLetters(session.state, true)).c_str());
}

// Reads "L U R W D" or "LURWD": a bare W waits 6 frames, W18 eighteen.
bool parsePresses(std::string text, std::vector<Move>& moves) {
    std::string spelled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        spelled += letter;
        bool digitFollows = i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]));
        if (letter == 'W' && !digitFollows) spelled += std::to_string(waitFrames);
    }
    return parseMoves(spelled, moves);
}

void playAttempt(Session& session, const std::vector<Move>& moves) {
    for (std::size_t i = 0; i < moves.size() && session.attempt.ending == Ending::None;) {
        int run = 1;
        if (moves[i] == Move::Wait)
            while (i + run < moves.size() && moves[i + run] == Move::Wait) ++run;
        playStep(session, moves[i], run, i + run == moves.size());
        i += run;
    }
    std::size_t ignored = moves.size() - session.attempt.played.size();
    if (ignored > 0 && session.attempt.ending != Ending::None)
        std::printf("The attempt is over: the last %s not played.\n",
                    ignored == 1 ? "press was" : (std::to_string(ignored) + " presses and waits were").c_str());
}

std::string baseName(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The last attempt a log holds for a board.
struct LoggedAttempt {
    int number = 0;
    std::vector<Move> played;
    std::string starts;  // the enemies' words
    bool unfinished = false;
};

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    for (std::size_t from = 0;;) {
        std::size_t bar = line.find(" | ", from);
        fields.push_back(line.substr(from, bar - from));
        if (bar == std::string::npos) return fields;
        from = bar + 3;
    }
}

// A line reads "attempt N | board | presses [| enemies words] | outcome | counts".
LoggedAttempt lastLogged(const std::string& logPath, const std::string& board) {
    LoggedAttempt last;
    std::ifstream log(logPath);
    for (std::string line; std::getline(log, line);) {
        std::vector<std::string> fields = fieldsOf(line);
        if (fields.size() < 5 || fields[0].rfind("attempt ", 0) != 0 || fields[1] != board) continue;
        last = LoggedAttempt{};
        last.number = std::atoi(fields[0].c_str() + 8);
        parseMoves(fields[2], last.played);
        if (fields[3].rfind("enemies ", 0) == 0) last.starts = fields[3].substr(8);
        last.unfinished = fields[fields.size() - 2].rfind("unfinished", 0) == 0;
    }
    return last;
}

// In the game an attempt lasts until the level starts over: presses that carry on
// from where an unfinished attempt stopped, against the same enemies, continue it.
// Going back to try something else is a new attempt, as R is in the game.
bool continues(const LoggedAttempt& last, const std::vector<Move>& moves, const std::string& startsWords) {
    return last.unfinished && last.starts == startsWords && moves.size() >= last.played.size() &&
           std::equal(last.played.begin(), last.played.end(), moves.begin());
}

bool logAttempt(const std::string& logPath, int number, const std::string& board, const std::string& startsWords,
                const Attempt& attempt) {
    std::ofstream log(logPath, std::ios::app);
    log << "attempt " << number << " | " << board << " | " << movesText(attempt.played);
    if (!startsWords.empty()) log << " | enemies " << startsWords;
    log << " | " << endingText(attempt.ending, attempt.endCell) << " | " << countsText(attempt.played) << "\n";
    return static_cast<bool>(log);
}

struct PlayArguments {
    std::string board;
    std::string presses;
    std::string log;
    const char* starts = nullptr;
    bool brief = false;
};

// Told, carried on from the attempt these presses continue, or drawn as the game draws them.
bool enemyStarts(const LevelGrid& grid, const char* words, const LoggedAttempt& last, const std::vector<Move>& moves,
                 EnemyStarts& starts) {
    if (words) return parseStarts(grid, words, starts);
    if (!last.starts.empty() && continues(last, moves, last.starts) && parseStarts(grid, last.starts, starts))
        return true;
    std::random_device device;
    starts.clear();
    for (std::size_t i = 0; i < enemiesInLoadOrder(grid).size(); ++i) starts.push_back(device() % 2 == 0);
    return true;
}

int play(const PlayArguments& arguments) {
    LevelGrid grid{};
    if (!readBoard(arguments.board, grid)) return 2;
    std::vector<Move> moves;
    if (!parsePresses(arguments.presses, moves)) {
        std::fprintf(stderr, "presses are L, U, R, D and W (or W18: waits of 6 frames each)\n");
        return 2;
    }
    std::string board = baseName(arguments.board);
    LoggedAttempt last = arguments.log.empty() ? LoggedAttempt{} : lastLogged(arguments.log, board);
    EnemyStarts starts;
    if (!enemyStarts(grid, arguments.starts, last, moves, starts)) {
        std::fprintf(stderr, "--starts names one way per enemy, row by row: up or down for I, left or right for H\n");
        return 2;
    }
    Session session;
    session.brief = arguments.brief;
    session.state = session.simulator.loadGrid(grid, starts);
    CellPosition start = playerCell(session.state);
    session.attempt.endCell = cellText(start.column, start.row);
    std::string startsWords = startsText(grid, starts);
    std::printf("start%s\n   %s\n%s", startsWords.empty() ? "" : (": enemies start " + startsWords).c_str(),
                statusText(session.state).c_str(), boardText(boardLetters(session.state, true)).c_str());
    playAttempt(session, moves);
    std::printf("Outcome: %s after %s.\n", endingText(session.attempt.ending, session.attempt.endCell).c_str(),
                countsText(session.attempt.played).c_str());
    if (arguments.log.empty() || moves.empty()) return session.attempt.ending == Ending::Solved ? 0 : 1;
    bool carriesOn = continues(last, moves, startsWords);
    int number = carriesOn ? last.number : last.number + 1;
    if (!logAttempt(arguments.log, number, board, startsWords, session.attempt)) {
        std::fprintf(stderr, "%s: cannot be written\n", arguments.log.c_str());
        return 2;
    }
    std::printf("Logged as attempt %d%s.\n", number, carriesOn ? ", carried on" : "");
    return session.attempt.ending == Ending::Solved ? 0 : 1;
}

// The head, then the words of the text in lines of at most `width` characters,
// each after the first indented.
std::string wrapped(const std::string& head, const std::string& text, std::size_t width, const std::string& indent) {
    std::string lines, line = head;
    bool fresh = true;  // nothing on the line yet but the head or the indent
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (!fresh && line.size() + 1 + word.size() > width) {
            lines += line + "\n";
            line = indent;
            fresh = true;
        }
        line += (fresh ? "" : " ") + word;
        fresh = false;
    }
    return lines + line + "\n";
}

int help() {
    std::printf("%s", helpText);
    for (const Symbol& symbol : symbols) {
        std::string letters = symbol.letters;
        std::string head = "  " + letters + std::string(6 - letters.size(), ' ');
        std::printf("%s", wrapped(head, std::string(symbol.name) + ": " + symbol.rule + ".", 78, "        ").c_str());
    }
    return 0;
}

int usage() {
    std::fprintf(
        stderr,
        "usage: quarrow-playtest export LEVEL.txt\n"
        "       quarrow-playtest play BOARD.txt \"L U R D W\" [--log FILE] [--starts \"down left\"] [--brief]\n"
        "       quarrow-playtest --help\n");
    return 2;
}

int playCommand(int argc, char** argv) {
    PlayArguments arguments;
    std::vector<std::string> positional;
    for (int i = 2; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--log" && i + 1 < argc)
            arguments.log = argv[++i];
        else if (argument == "--starts" && i + 1 < argc)
            arguments.starts = argv[++i];
        else if (argument == "--brief")
            arguments.brief = true;
        else if (argument.rfind("--", 0) == 0)
            return usage();
        else
            positional.push_back(argument);
    }
    if (positional.empty() || positional.size() > 2) return usage();
    arguments.board = positional[0];
    if (positional.size() == 2) arguments.presses = positional[1];
    return play(arguments);
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "--help" || command == "-h" || command == "help") return help();
    if (command == "export" && argc == 3) return exportBoard(argv[2]);
    if (command == "play") return playCommand(argc, argv);
    return usage();
}
