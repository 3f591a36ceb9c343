#include "editor/map_browser.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/platform.h"
#include "app/resources.h"
#include "editor/editor_session.h"
#include "level/map_file.h"
#include "ui/dialogs.h"
#include "ui/widgets.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int visibleRows = 11;
constexpr int rowHeight = 16;
constexpr int listTop = 141;
constexpr int listLeft = 285, listRight = 487, listBottom = 314;
constexpr int rowLabelX = 288;
constexpr size_t shortNameLength = 16;
constexpr SDL_Rect scrollUpRect = {498, 141, 16, 16};
constexpr SDL_Rect scrollDownRect = {498, 298, 16, 16};

MapBrowserState& browserOf(AppState& app) { return app.editor.browser; }
int mapCount(const AppState& app) { return static_cast<int>(app.editor.browser.mapNames.size()); }

std::string mapPath(const AppState& app, const std::string& fileName) {
    return platform::joinPath(platform::joinPath(app.workingDir, mapsFolderName), fileName);
}

bool endsWithMapInAnyCase(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ending = name.substr(name.size() - 4);
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == ".map";
}

// Only a bare name stays inside the folder; one that is not can only be refused.
bool isBareName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// A folder or a dangling link named like a map is no map: opening it would show an
// empty board and deleting it would remove a folder.
bool isListedMap(const AppState& app, const std::string& name) {
    return isBareName(name) && endsWithMapInAnyCase(name) && platform::isRegularFile(mapPath(app, name));
}

// Past the end of a list that shrank since the last visit, an index selects nothing.
bool hasSelection(const AppState& app) {
    int selected = app.editor.browser.selectedMap;
    return selected >= 0 && selected < mapCount(app);
}

void releaseLabels() {
    for (SDL_Surface*& label : resources.mapLabels) freeSurface(label);
    resources.mapLabels.clear();
}

void listMaps(AppState& app) {
    std::vector<std::string> names;
    platform::listDirectory(platform::joinPath(app.workingDir, mapsFolderName), names);
    for (const std::string& name : names)
        if (isListedMap(app, name)) browserOf(app).mapNames.push_back(name);
}

void renderLabels(const AppState& app) {
    for (const std::string& name : app.editor.browser.mapNames)
        resources.mapLabels.push_back(renderText(resources.font12, displayName(name), black));
}

int lastFirstVisible(const AppState& app) { return std::max(0, mapCount(app) - visibleRows); }

// A list that shrank since the last visit would otherwise open on an empty page.
void keepPageOnList(AppState& app) {
    int& first = browserOf(app).firstVisible;
    first = std::min(first, lastFirstVisible(app));
}

void scrollUp(AppState& app) {
    if (browserOf(app).firstVisible > 0) browserOf(app).firstVisible -= 1;
}

void scrollDown(AppState& app) {
    int& first = browserOf(app).firstVisible;
    if (mapCount(app) >= visibleRows && first < mapCount(app) - visibleRows) first += 1;
}

// The page follows a selection moved off it.
void showSelection(AppState& app) {
    MapBrowserState& browser = browserOf(app);
    browser.firstVisible = std::clamp(browser.firstVisible, browser.selectedMap - visibleRows + 1, browser.selectedMap);
    keepPageOnList(app);
}

// A selection past the end of the list moves from the last file.
void moveSelection(AppState& app, int step) {
    if (mapCount(app) == 0) return;
    int& selected = browserOf(app).selectedMap;
    selected = std::clamp(std::min(selected, mapCount(app) - 1) + step, 0, mapCount(app) - 1);
    showSelection(app);
}

// The page and the selection move together, so the selection keeps its place on the page.
void turnPage(AppState& app, int direction) {
    int& first = browserOf(app).firstVisible;
    first = std::clamp(first + direction * visibleRows, 0, lastFirstVisible(app));
    moveSelection(app, direction * visibleRows);
}

void selectRow(AppState& app, int x, int y) {
    bool inListArea = x > listLeft && x <= listRight && y > listTop && y <= listBottom;
    if (!inListArea || y >= listTop + rowHeight * mapCount(app)) return;
    browserOf(app).selectedMap = browserOf(app).firstVisible + (y - listTop) / rowHeight;
}

void drawRows(const AppState& app) {
    const MapBrowserState& browser = app.editor.browser;
    for (int k = 0; k < visibleRows && browser.firstVisible + k < mapCount(app); ++k)
        drawImage(rowLabelX, listTop + rowHeight * k, resources.mapLabels[browser.firstVisible + k]);
}

void drawHighlight(const AppState& app) {
    const MapBrowserState& browser = app.editor.browser;
    int row = browser.selectedMap - browser.firstVisible;
    if (hasSelection(app) && row >= 0 && row < visibleRows)
        drawImage(listLeft, listTop + rowHeight * row, image(Img::file_highlight));
}

// The board now matches the file; a failed write leaves it counted as unsaved.
bool writeAndMarkSaved(AppState& app, const std::string& fileName) {
    if (!isBareName(fileName) || !writeMap(mapPath(app, fileName), app.editor.grid)) return false;
    app.editor.savedGrid = app.editor.grid;
    app.editor.loadedName = fileName;
    return true;
}

// Back to the board after a save, or out of the editor when the save was asked for on leaving.
void finishSave(AppState& app, bool written) {
    if (written && app.editor.leavingEditor) {
        leaveEditorForMenu(app);
    } else {
        // Leaving after a failed write would drop a board that is on no disk.
        app.editor.leavingEditor = false;
        app.screen = Editor;
    }
    textInputOff();
}

// Nothing is saved and the editor stays open, so a leave asked for earlier is over.
void keepEditingUnsaved(AppState& app) {
    app.editor.leavingEditor = false;
    textInputOff();
    app.screen = Editor;
}

void backToEditor(AppState& app) { app.screen = Editor; }
void backToFileBrowser(AppState& app) { app.screen = FileBrowser; }

void openSelectedMap(AppState& app) {
    if (hasSelection(app)) {
        EditorState& editor = app.editor;
        editor.loadedName = editor.browser.mapNames[editor.browser.selectedMap];
        readMapIntoGrid(mapPath(app, editor.loadedName), editor.grid);  // a vanished file opens empty
        editor.savedGrid = editor.grid;
    }
    app.screen = Editor;
}

void openFromBrowser(AppState& app) {
    if (!hasSelection(app)) return;
    if (hasUnsavedChanges(app.editor)) {
        openDialog(app, UnsavedChangesDialog);
        return;
    }
    openSelectedMap(app);
}

void deleteSelectedMap(AppState& app) {
    MapBrowserState& browser = browserOf(app);
    if (hasSelection(app)) {
        freeSurface(resources.mapLabels[browser.selectedMap]);
        resources.mapLabels.erase(resources.mapLabels.begin() + browser.selectedMap);
        platform::deleteFile(mapPath(app, browser.mapNames[browser.selectedMap]));
        browser.mapNames.erase(browser.mapNames.begin() + browser.selectedMap);
        if (browser.selectedMap > 0) browser.selectedMap -= 1;
        if (browser.firstVisible > 0) browser.firstVisible -= 1;
    }
    app.screen = browser.mapNames.empty() ? Editor : FileBrowser;
}

void saveUnderTypedName(AppState& app) {
    platform::makeDirectory(platform::joinPath(app.workingDir, mapsFolderName));  // usually there already
    std::string fileName = mapFileName(app.editor.levelName);
    if (isBareName(fileName) && platform::isRegularFile(mapPath(app, fileName))) {
        app.editor.overwriteName = fileName;
        openDialog(app, OverwriteLevelDialog);  // the name box stays open behind the question
        return;
    }
    finishSave(app, writeAndMarkSaved(app, fileName));
}

void overwriteLevel(AppState& app) {
    writeAndMarkSaved(app, app.editor.overwriteName);
    // The editor stays open, so a leave asked for before the question is over.
    app.editor.leavingEditor = false;
    app.screen = Editor;
    textInputOff();
}

// The list and its scroll buttons; the wheel scrolls too.
void pressList(AppState& app, Uint8 button, int x, int y) {
    if (button == SDL_BUTTON_WHEELUP) scrollUp(app);
    if (button == SDL_BUTTON_WHEELDOWN) scrollDown(app);
    if (button != SDL_BUTTON_LEFT) return;
    selectRow(app, x, y);
    if (pointInRect(scrollUpRect, x, y)) scrollUp(app);
    if (pointInRect(scrollDownRect, x, y)) scrollDown(app);
}

}  // namespace

void openMapBrowser(AppState& app) {
    releaseLabels();
    browserOf(app).mapNames.clear();
    listMaps(app);
    renderLabels(app);
    keepPageOnList(app);
    openDialog(app, mapCount(app) == 0 ? NoMapsDialog : FileBrowser);
}

void pressFileBrowser(AppState& app, Uint8 button) { pressList(app, button, app.mouseX, app.mouseY); }

void mapBrowserKey(AppState& app, const SDL_keysym& key) {
    switch (key.sym) {
        case SDLK_UP: moveSelection(app, -1); break;
        case SDLK_DOWN: moveSelection(app, 1); break;
        case SDLK_PAGEUP: turnPage(app, -1); break;
        case SDLK_PAGEDOWN: turnPage(app, 1); break;
        case SDLK_DELETE:
            if (hasSelection(app)) openDialog(app, DeleteFileDialog);
            break;
        default: break;
    }
}

void drawFileBrowser(AppState& app) {
    drawDialogBackdrop(app);
    drawImage(264, 105, image(Img::filebox));
    drawImage(277, 135, image(Img::fileback));
    drawImage(scrollUpRect.x, scrollUpRect.y, image(Img::scroll_up));
    drawImage(scrollDownRect.x, scrollDownRect.y, image(Img::scroll_down));
    drawDialogButtonImages(app);
    drawImage(276, 115, resources.texts[Txt::captionText]);
    drawRows(app);
    drawDialogButtonCaptions(app);
    drawHighlight(app);
}

std::string displayName(const std::string& fileName) {
    if (fileName.size() <= shortNameLength) return fileName;
    return fileName.substr(0, 12) + ".." + fileName.substr(fileName.size() - 4);
}

std::string mapFileName(const std::string& text) {
    return text.size() > 3 && endsWithMapInAnyCase(text) ? text : text + ".map";
}

bool saveUnderLoadedName(AppState& app) {
    return isBareName(app.editor.loadedName) && writeMap(mapPath(app, app.editor.loadedName), app.editor.grid);
}

const DialogAnswers fileBrowserAnswers = {openFromBrowser, backToEditor};
const DialogAnswers unsavedChangesAnswers = {openSelectedMap, backToEditor};
const DialogAnswers deleteFileAnswers = {deleteSelectedMap, backToFileBrowser};
const DialogAnswers noMapsAnswers = {backToEditor, nullptr};
const DialogAnswers levelNameAnswers = {saveUnderTypedName, keepEditingUnsaved};
const DialogAnswers overwriteLevelAnswers = {overwriteLevel, keepEditingUnsaved};
