#include "level/saved_game.h"
