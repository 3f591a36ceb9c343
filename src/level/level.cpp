#include "level/level.h"
