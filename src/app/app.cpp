#include "app/app.h"

#include "app/audio.h"
#include "app/display.h"
#include "app/input.h"
#include "app/platform.h"
#include "app/resources.h"
#include "app/screens.h"
#include "game/board_draw.h"
#include "game/gameplay.h"
#include "level/preferences.h"
#include "level/settings.h"
#include "ui/notification.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

constexpr Uint32 targetFrameMs = 16;  // about 60 frames a second when nothing waits for the display
constexpr int presentFailedStatus = 28;

void loadWindowIcon() {
    std::string path = std::string(resourceFolder) + "/icons/wndicon.icon";
    SDL_RWops* stream = SDL_RWFromFile(path.c_str(), "rb");
    resources.windowIcon = stream ? SDL_LoadBMP_RW(stream, 1) : nullptr;
    if (resources.windowIcon) SDL_WM_SetIcon(resources.windowIcon, nullptr);
}

const char* startFailureMessage(int status) {
    switch (status) {
        case 1: return "Quarrow 2: the SDL library could not be initialised";
        case 2: return "Quarrow 2: the 640 x 480 window could not be opened";
        default: return "Quarrow 2: the font renderer could not be initialised";
    }
}

void applySettings(AppState& app) {
    Settings settings = readSettings(settingsFileName);
    app.windowed = settings.windowed;
    app.musicOn = settings.musicOn;
    if (!app.windowed) setDisplayMode(640, 480, fullScreenFlags);
}

void drainEvents(AppState& app) {
    if (platform::takeTerminationRequest()) app.running = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) app.running = false;
        moveEventIntoPicture(event, currentPresentation());
        if (event.type == SDL_MOUSEMOTION) {
            app.mouseX = event.motion.x;
            app.mouseY = event.motion.y;
        }
        routeEvent(app, event);
    }
}

// Openers run on after F1 returned; one that ended in failure is told here, a frame later.
void collectHelpOpeners(AppState& app) {
    if (platform::collectFinishedOpeners().failed > 0) showManualNotice(app);
}

void drawFrame(AppState& app) {
    drawBoard(app);
    keepMusicAlive(app);
    const Screen& screen = screenFor(app.screen);
    if (screen.draw) screen.draw(app);
    drawNotification(app);
}

}  // namespace

int startSystems() {
    if (SDL_Init(SDL_INIT_EVERYTHING) < 0) return 1;
    if (!reachDisplay(SDL_INIT_EVERYTHING)) return 2;
    SDL_WM_SetCaption("Quarrow 2", nullptr);
    loadWindowIcon();
    rememberDesktopSize();
    if (!setDisplayMode(640, 480, windowFlags)) return 2;
    openGamepad();
    if (TTF_Init() < 0) return 3;
    Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096);  // without sound the game still plays
    return 4;
}

int startProgram(AppState& app) {
    // Ending the session or the process then saves the settings like the close button.
    platform::catchTerminationSignals();
    // Presenting waits for the display where the driver can; the user's own choice wins.
    setenv("SDL12COMPAT_SYNC_TO_VBLANK", "1", 0);
    // The game scales its own picture by whole numbers; should a window manager still
    // stretch the window, the pixels stay square rather than blurred.
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
    chooseWindowScale(readPreferences(preferencesFileName).windowScale);
    int status = startSystems();
    if (status != 4) {
        std::fprintf(stderr, "%s: %s\n", startFailureMessage(status), SDL_GetError());
        freeSurface(resources.windowIcon);
        SDL_Quit();
        return status;
    }
    loadResources();
    applySurfaceAlphas();
    app.workingDir = platform::currentDirectory();
    // The enemies' starts differ from run to run, as the player expects.
    app.play.random.state = static_cast<std::uint64_t>(std::time(nullptr));
    buildWidgets(app);
    app.screen = MainMenu;
    applySettings(app);
    app.running = true;
    app.clock.lastTicks = SDL_GetTicks();
    return 0;
}

FrameResult runFrame(AppState& app, float dt) {
    drainEvents(app);
    collectHelpOpeners(app);
    gameplayStep(app, dt);
    drawFrame(app);
    if (!presentDisplay()) return FrameResult::PresentFailed;
    return app.running ? FrameResult::Continue : FrameResult::Quit;
}

int shutdownProgram(AppState& app) {
    writeSettings(settingsFileName, Settings{app.windowed, app.musicOn});
    releaseWidgets(app);
    releaseNotification(app);
    releaseResources();
    return 0;
}

int runGame() {
    static AppState app;  // large, and lives as long as the program
    int status = startProgram(app);
    if (status != 0) return status;
    for (;;) {
        Uint32 frameStart = SDL_GetTicks();
        FrameResult result = runFrame(app, advanceFrameClock(app.clock, frameStart));
        if (result == FrameResult::PresentFailed) {
            SDL_Quit();
            return presentFailedStatus;
        }
        if (result == FrameResult::Quit) break;
        Uint32 spent = SDL_GetTicks() - frameStart;
        if (spent < targetFrameMs) SDL_Delay(targetFrameMs - spent);
    }
    return shutdownProgram(app);
}
