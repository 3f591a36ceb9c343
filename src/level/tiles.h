#pragma once
// The tile kinds as the game's modules see them: the rules' table, beside the
// images its keys name.
#include "app/resources.h"
#include "core/tile_kinds.h"
