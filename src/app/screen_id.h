#pragma once
// Which screen is showing. The values are fixed: 6 to 16 are the dialogs, and
// 6 to 15 share the editor's help page.
enum ScreenId : int {
    MainMenu = 0,
    PlayLevel = 1,
    Editor = 2,
    TestPlay = 3,
    LevelSelect = 4,
    Unlockables = 5,
    NoSavedGameDialog = 6,
    OverwriteSaveDialog = 7,
    FileBrowser = 8,
    LevelNameDialog = 9,
    SaveChangesDialog = 10,
    UnsavedChangesDialog = 11,
    DeleteFileDialog = 12,
    NoMapsDialog = 13,
    OverwriteLevelDialog = 14,
    NoPlayerDialog = 15,
    GameWonDialog = 16,
};

constexpr bool isDialog(ScreenId screen) { return screen >= NoSavedGameDialog && screen <= GameWonDialog; }
constexpr bool isPlayScreen(ScreenId screen) { return screen == PlayLevel || screen == TestPlay; }
