#pragma once
// The buttons, captions and labels the screens build once at start-up and own.
struct AppState;

void buildWidgets(AppState& app);
void releaseWidgets(AppState& app);
