#pragma once
// Each screen's own layer, drawn over the board or the dialog backdrop.
struct AppState;

void drawScreenLayer(AppState& app);
