#include "ui/screen_layers.h"

#include "app/app_state.h"

void drawScreenLayer(AppState&) {}
