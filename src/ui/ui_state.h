#pragma once
// The state of the menus, dialogs, level select, unlockables screen and notice.
struct UiState {
    int menuSelection = 0;
    int selectedIndex = 0;  // level select cursor, 0 to 34
};
