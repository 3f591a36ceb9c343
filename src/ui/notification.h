#pragma once
// The unlock notice that slides in at the lower right.
struct AppState;

void updateNotification(AppState& app, float dt);
void raiseUnlockNotices(AppState& app);
void drawNotification(AppState& app);
