#include "support/busy_board.h"

#include "level/map_file.h"

namespace {

LevelGrid busyGrid() {
    LevelGrid grid{};
    for (int column = 0; column < boardColumns; ++column)
        for (int row = 0; row < boardRows; ++row) grid[cellIndex(column, row)] = 2 + (column * 7 + row * 3) % 20;
    for (int column = 0; column < boardColumns; ++column) grid[cellIndex(column, 7)] = column % 2 ? Peach : Empty;
    grid[cellIndex(0, 7)] = Player;
    return grid;
}

}  // namespace

void loadBusyBoard(AppState& app) {
    app.play.random.state = 1;
    app.screen = PlayLevel;
    loadGrid(app, busyGrid());
    app.input.arrows.right = true;
}

bool busyBoardSpent(const AppState& app) { return app.play[UpDown].empty() || app.play.player.x > 600; }

void holdEnemiesStill(AppState& app) {
    for (TileKind kind : {UpDown, RightLeft})
        for (Piece& enemy : app.play[kind]) {
            enemy.prevX = enemy.x;
            enemy.prevY = enemy.y;
        }
}

int enemyCount(const AppState& app) { return static_cast<int>(app.play[UpDown].size() + app.play[RightLeft].size()); }
