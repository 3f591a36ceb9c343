#include "level/level.h"

#include "app/random.h"
#include "level/progress.h"

namespace {

// Without resources (a headless solver, a test) a tile still measures one cell,
// so overlaps and trails behave as on the real board.
float imageWidth(SDL_Surface* surface) { return surface ? static_cast<float>(surface->w) : cellSize; }
float imageHeight(SDL_Surface* surface) { return surface ? static_cast<float>(surface->h) : cellSize; }

LevelObject objectAt(int code, int column, int row) {
    LevelObject object;
    object.x = object.startX = static_cast<float>(column * cellSize);
    object.y = object.startY = static_cast<float>(row * cellSize);
    object.image = image(static_cast<Img::Key>(tileKinds[code].boardImage));
    object.width = imageWidth(object.image);
    object.height = imageHeight(object.image);
    return object;
}

float randomSign() { return randomBool() ? 1.0f : -1.0f; }

}  // namespace

void clearLevelObjects(LevelObjects& level) {
    for (auto& list : level.lists) list.clear();
}

void addCellObject(LevelObjects& level, const SavedGame& save, int code, int column, int row) {
    if (!isObjectCode(code)) return;
    LevelObject object = objectAt(code, column, row);
    if (code == Player) {
        level.player = object;
        return;
    }
    if (code == UpDown) object.vy = randomSign() * movementSpeed(save);
    if (code == RightLeft) object.vx = randomSign() * movementSpeed(save);
    level.lists[code].push_back(object);
}

bool randomBool() {
    seedRandomOnce();
    return nextRandom() % 2 == 0;
}
