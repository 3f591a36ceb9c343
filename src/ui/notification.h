#pragma once
// The unlock notice that slides in at the lower right, rests five seconds and
// sinks again; a click sends it down at once.
struct AppState;

// Step 6 of the gameplay step: the notice's slide and resting time.
void updateNotification(AppState& app, float dt);
// Step 10 of the gameplay step: a notice for each threshold reached, once.
void raiseUnlockNotices(AppState& app);
// One step of the click pass.
void pressNotification(AppState& app);
// Last in every frame, over every screen and dialog.
void drawNotification(AppState& app);
