#pragma once
// The notice that slides in at the lower right, rests a few seconds and sinks
// again; a click sends it down at once. It tells of an unlock, or shows lines of text.
#include <string>
#include <vector>

struct AppState;

// Step 6 of the gameplay step: the notice's slide and resting time.
void updateNotification(AppState& app, float dt);
// Step 10 of the gameplay step: a notice for each threshold reached, once.
void raiseUnlockNotices(AppState& app);
// Lines of text in place of whatever the notice showed; a long path is broken
// after its slashes to fit the window.
void showTextNotice(AppState& app, const std::string& heading, const std::string& path);
// Where the manual is, for a player whose desktop could not open it.
void showManualNotice(AppState& app);
// Asks the desktop to open a help page; when it cannot, the notice tells where the manual is.
void openHelpPage(AppState& app, const char* page);
// One step of the click pass.
void pressNotification(AppState& app);
// Last in every frame, over every screen and dialog.
void drawNotification(AppState& app);
void releaseNotification(AppState& app);
