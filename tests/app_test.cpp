// The spine of the program: frame clock, drawing, the event drain, settings and preferences,
// the picture scaled to the screen, start-up and shutdown, and the help the desktop could not show.
#include "app/audio.h"
#include "app/display.h"
#include "app/frame_clock.h"
#include "app/input.h"
#include "app/platform.h"
#include "app/random.h"
#include "app/resources.h"
#include "level/preferences.h"
#include "level/settings.h"
#include "support/test_support.h"
#include "ui/notification.h"
#include "ui/unlockables.h"

#include <chrono>
#include <csignal>

TEST(FrameClock, CapsLongFramesAndSurvivesTheCounterWrapping) {
    FrameClock clock;
    clock.lastTicks = 1000;
    EXPECT_FLOAT_EQ(advanceFrameClock(clock, 1200), 0.05f);
    EXPECT_EQ(clock.lastTicks, 1200u);
    EXPECT_FLOAT_EQ(advanceFrameClock(clock, 1200), 0.0f);
    clock.lastTicks = 0xFFFFFFF0u;
    EXPECT_FLOAT_EQ(advanceFrameClock(clock, 0x10u), 0.032f);
    EXPECT_EQ(clock.lastTicks, 0x10u);
}

TEST(DrawImage, TruncatesTowardZero) {
    EXPECT_EQ(toPixel(3.9f), 3);
    EXPECT_EQ(toPixel(-0.5f), 0);
    EXPECT_EQ(toPixel(-1.5f), -1);
    EXPECT_EQ(toPixel(1e9f), 32767);

    SDL_Surface* target = SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 8, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_Surface* dot = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(target, nullptr, 0);
    SDL_FillRect(dot, nullptr, 0xFFFFFF);
    drawImage(3.9f, 2.2f, dot, target);
    drawImage(-0.5f, -0.5f, dot, target);
    auto at = [&](int x, int y) { return static_cast<Uint32*>(target->pixels)[y * target->pitch / 4 + x] & 0xFFFFFF; };
    EXPECT_EQ(at(3, 2), 0xFFFFFFu);
    EXPECT_EQ(at(4, 2), 0u);
    EXPECT_EQ(at(0, 0), 0xFFFFFFu);
    drawImage(0, 0, nullptr, target);  // a missing image draws nothing and does not crash
    SDL_FreeSurface(dot);
    SDL_FreeSurface(target);
}

// --- a display that shows nothing ---

struct DriverCase {
    const char* name;
    const char* driver;     // the one SDL settled on
    const char* requested;  // SDL_VIDEODRIVER, null when unset
    int attempt;
    DriverVerdict verdict;
};

class VideoDriverTest : public ::testing::TestWithParam<DriverCase> {};

TEST_P(VideoDriverTest, IsKeptTriedAgainOrGivenUp) {
    const DriverCase& c = GetParam();
    EXPECT_EQ(judgeVideoDriver(c.driver, c.requested, c.attempt), c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, VideoDriverTest,
    ::testing::Values(
        DriverCase{"X11IsKept", "x11", nullptr, 1, DriverVerdict::Keep},
        DriverCase{"WaylandIsKept", "wayland", nullptr, 1, DriverVerdict::Keep},
        DriverCase{"ConsoleIsKept", "KMSDRM", nullptr, 1, DriverVerdict::Keep},
        DriverCase{"OffscreenIsTriedAgain", "offscreen", nullptr, 1, DriverVerdict::TryAgain},
        DriverCase{"DummyUnderAnEmptyChoiceIsTriedAgain", "dummy", "", displayAttempts - 1, DriverVerdict::TryAgain},
        DriverCase{"EvdevIsGivenUpAtTheLastAttempt", "evdev", nullptr, displayAttempts, DriverVerdict::GiveUp},
        DriverCase{"OffscreenChosenIsKept", "offscreen", "offscreen", displayAttempts, DriverVerdict::Keep},
        DriverCase{"DummyChosenInAListIsKept", "dummy", "x11,dummy", 1, DriverVerdict::Keep}),
    [](const ::testing::TestParamInfo<DriverCase>& info) { return std::string(info.param.name); });

TEST(NoDisplayMessage, NamesTheDriverTheTriesAndTheDisplaysSeen) {
    std::string message = noDisplayMessage("offscreen", 5, ":99", nullptr);
    for (const char* part :
         {"\"offscreen\"", "5 tries", "DISPLAY=\":99\"", "WAYLAND_DISPLAY not set", "SDL_VIDEODRIVER"})
        EXPECT_NE(message.find(part), std::string::npos) << part << " in " << message;
    message = noDisplayMessage("dummy", 3, nullptr, "wayland-1");
    for (const char* part : {"DISPLAY not set", "WAYLAND_DISPLAY=\"wayland-1\""})
        EXPECT_NE(message.find(part), std::string::npos) << part << " in " << message;
}

TEST(Settings, ReadsOnlyAValueOfOneAsTrue) {
    TempFolder folder;
    EXPECT_TRUE(readSettings("missing.set").windowed);
    EXPECT_TRUE(readSettings("missing.set").musicOn);

    auto read = [&](const std::string& text) {
        writeWholeFile(folder.file("s.set"), text);
        return readSettings("s.set");
    };
    Settings full = read("w=0\ns=1\n");
    EXPECT_FALSE(full.windowed);
    EXPECT_TRUE(full.musicOn);
    EXPECT_FALSE(read("w=true\ns=1\n").windowed);
    Settings otherKeys = read("a=1\nb=0\n");
    EXPECT_TRUE(otherKeys.windowed);
    EXPECT_FALSE(otherKeys.musicOn);
    Settings windows = read("w=0\r\ns=0\r\n");
    EXPECT_FALSE(windows.windowed);
    EXPECT_FALSE(windows.musicOn);
    Settings shortLines = read("w\ns");
    EXPECT_TRUE(shortLines.windowed);
    EXPECT_TRUE(shortLines.musicOn);
    Settings oneLine = read("w=0");
    EXPECT_FALSE(oneLine.windowed);
    EXPECT_TRUE(oneLine.musicOn);
}

TEST(Settings, AreWrittenWholeOrNotAtAll) {
    TempFolder folder;
    ASSERT_TRUE(writeSettings("settings.set", Settings{false, true}));
    EXPECT_EQ(readWholeFile(folder.file("settings.set")), "w=0\ns=1\n");
    EXPECT_FALSE(writeSettings("no-such-folder/settings.set", Settings{}));
}

TEST(Settings, EveryPairOfFlagsReadsBackAsWritten) {
    TempFolder folder;
    for (bool windowed : {false, true})
        for (bool musicOn : {false, true}) {
            ASSERT_TRUE(writeSettings("settings.set", Settings{windowed, musicOn}));
            Settings read = readSettings("settings.set");
            EXPECT_EQ(read.windowed, windowed);
            EXPECT_EQ(read.musicOn, musicOn);
            EXPECT_EQ(readWholeFile(folder.file("settings.set")), settingsText(Settings{windowed, musicOn}));
        }
}

class SpineTest : public GameTest {};

TEST_F(SpineTest, QuitStillHandlesTheRestOfTheBatchAndWritesSettings) {
    pushKey(SDLK_LSHIFT);
    pushQuit();
    pushMotion(120, 45);
    EXPECT_EQ(frames(1), FrameResult::Quit);
    EXPECT_TRUE(app.input.shiftHeld);
    EXPECT_EQ(app.mouseX, 120);
    EXPECT_EQ(app.mouseY, 45);
    EXPECT_EQ(shutdown(), 0);
    EXPECT_EQ(readWholeFile(folder_.file("settings.set")), "w=1\ns=1\n");
}

TEST(TerminationSignals, AreNotedOnceAndAnIgnoredInterruptStaysIgnored) {
    std::signal(SIGINT, SIG_IGN);
    platform::catchTerminationSignals();
    std::raise(SIGTERM);
    std::raise(SIGTERM);
    EXPECT_TRUE(platform::takeTerminationRequest());
    EXPECT_FALSE(platform::takeTerminationRequest());
    std::raise(SIGINT);
    EXPECT_FALSE(platform::takeTerminationRequest());
    std::signal(SIGINT, SIG_DFL);
}

TEST_F(SpineTest, TerminationSignalsQuitOnceLikeTheCloseButton) {
    for (int signal : {SIGTERM, SIGINT}) {
        app.running = true;
        std::raise(signal);
        std::raise(signal);
        pushMotion(33, 44);
        EXPECT_EQ(frames(1), FrameResult::Quit) << signal;
        EXPECT_EQ(app.mouseX, 33) << "the batch is still handled";
        app.running = true;
        EXPECT_EQ(frames(1), FrameResult::Continue) << "one request ends one run, " << signal;
    }
    app.musicOn = false;
    EXPECT_EQ(shutdown(), 0);
    EXPECT_EQ(readWholeFile(folder_.file("settings.set")), "w=1\ns=0\n");
}

TEST_F(SpineTest, ButtonsUseThePositionOfTheLastMotion) {
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = SDL_BUTTON_LEFT;
    press.button.x = 300;
    press.button.y = 200;
    SDL_PushEvent(&press);
    frames(1);
    EXPECT_EQ(app.mouseX, 0);
    EXPECT_EQ(app.mouseY, 0);
    pushMotion(17, 29);
    SDL_PushEvent(&press);
    frames(1);
    EXPECT_EQ(app.mouseX, 17);
    EXPECT_EQ(app.mouseY, 29);
}

TEST_F(SpineTest, SettingsAtStartUpAreApplied) {
    shutdown();
    writeWholeFile(folder_.file("settings.set"), "w=1\ns=0\n");
    AppState fresh;
    ASSERT_EQ(startProgram(fresh), 0);
    EXPECT_TRUE(fresh.windowed);
    EXPECT_FALSE(fresh.musicOn);
    EXPECT_EQ(fresh.screen, MainMenu);
    EXPECT_EQ(shutdownProgram(fresh), 0);
}

class NoResourcesTest : public GameTest {
protected:
    NoResourcesTest() { withResources_ = false; }
};

TEST_F(NoResourcesTest, StartsRunsAndQuitsCleanly) {
    EXPECT_EQ(image(Img::player), nullptr);
    EXPECT_EQ(frames(100), FrameResult::Continue);
    pushKey(SDLK_ESCAPE);
    EXPECT_EQ(frames(1), FrameResult::Quit);
    EXPECT_EQ(shutdown(), 0);
}

// Writes a 2 x 1 picture whose left pixel is the colour key and right pixel one step off it.
static std::string writeKeyProbe(const TempFolder& folder, Uint8 r, Uint8 g, Uint8 b, Uint8 offB) {
    SDL_Surface* probe = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    static_cast<Uint32*>(probe->pixels)[0] = (r << 16) | (g << 8) | b;
    static_cast<Uint32*>(probe->pixels)[1] = (r << 16) | (g << 8) | offB;
    std::string path = folder.file("probe.bmp");
    SDL_SaveBMP(probe, path.c_str());
    SDL_FreeSurface(probe);
    return path;
}

TEST_F(SpineTest, ColourKeysHideExactlyTheirColour) {
    auto drawnOverMagenta = [&](SDL_Surface* keyed, int x) {
        SDL_FillRect(displaySurface, nullptr, SDL_MapRGB(displaySurface->format, 255, 0, 255));
        drawImage(0, 0, keyed);
        return pixel(x, 0);
    };
    SDL_Surface* green = loadKeyedImage(writeKeyProbe(folder_, 38, 127, 0, 1), 38, 127, 0);
    ASSERT_NE(green, nullptr);
    EXPECT_EQ(drawnOverMagenta(green, 0).g, 0);    // the board shows through
    EXPECT_EQ(drawnOverMagenta(green, 1).g, 127);  // (38, 127, 1) is drawn
    SDL_FreeSurface(green);

    SDL_Surface* whiteKeyed = loadKeyedImage(writeKeyProbe(folder_, 255, 255, 255, 254), 255, 255, 255);
    ASSERT_NE(whiteKeyed, nullptr);
    EXPECT_EQ(drawnOverMagenta(whiteKeyed, 0).g, 0);
    EXPECT_EQ(drawnOverMagenta(whiteKeyed, 1).g, 255);
    SDL_FreeSurface(whiteKeyed);

    for (const ImageEntry& entry : imageCatalogue) {
        bool white = entry.loader == ImageLoader::KeyedWhite;
        std::string file = entry.file;
        EXPECT_EQ(white, file == "fileback.img" || file == "notify.img") << file;
    }
}

TEST_F(SpineTest, TrailCopiesAreSeparateSurfaces) {
    SDL_Surface* sprite = image(Img::player);
    ASSERT_NE(sprite, nullptr);
    ASSERT_NE(sprite, image(Img::player128));
    ASSERT_NE(image(Img::player128), image(Img::player64));
    SDL_SetAlpha(sprite, SDL_SRCALPHA, 40);
    EXPECT_EQ(image(Img::player128)->format->alpha, 128);
    EXPECT_EQ(image(Img::player64)->format->alpha, 64);
    EXPECT_EQ(image(Img::green_player64)->format->alpha, 64);
    EXPECT_EQ(image(Img::rightleft128)->format->alpha, 128);
}

namespace {

Uint32& rawPixel(SDL_Surface* surface, int x, int y) {
    return static_cast<Uint32*>(surface->pixels)[y * surface->pitch / 4 + x];
}

SDL_Surface* copyOf(SDL_Surface* surface) { return SDL_ConvertSurface(surface, surface->format, surface->flags); }

int differingPixels(SDL_Surface* a, SDL_Surface* b) {
    int differing = 0;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x) differing += rawPixel(a, x, y) != rawPixel(b, x, y);
    return differing;
}

// Every channel value over every other, the colour key among them, in the display's layout.
SDL_Surface* everyColourImage() {
    const SDL_PixelFormat& format = *displaySurface->format;
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 256, 32, format.Rmask, format.Gmask, format.Bmask, 0);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) rawPixel(image, x, y) = SDL_MapRGB(image->format, x, y, x ^ y);
    Uint32 key = SDL_MapRGB(image->format, 38, 127, 0);
    for (int x = 0; x < 256; x += 3) rawPixel(image, x, 40) = key;
    SDL_SetColorKey(image, SDL_SRCCOLORKEY, key);
    return image;
}

// A backdrop with every channel value under every other, and stray bits in the unused byte.
SDL_Surface* patternedBackdrop() {
    SDL_Surface* backdrop = copyOf(displaySurface);
    for (int y = 0; y < backdrop->h; ++y)
        for (int x = 0; x < backdrop->w; ++x)
            rawPixel(backdrop, x, y) = SDL_MapRGB(backdrop->format, y & 0xFF, x & 0xFF, (3 * x + y) & 0xFF) | (x & 0x10)
                                                                                                                  << 24;
    return backdrop;
}

}  // namespace

// The game blends translucent keyed images (the trails, the fading player) itself;
// each pixel must come out as the library's own blit would leave it.
TEST_F(SpineTest, TranslucentKeyedImagesBlendExactlyAsTheLibraryBlits) {
    SDL_Surface* backdrop = patternedBackdrop();
    SDL_Surface* probe = everyColourImage();
    struct Placement {
        int x, y;
        SDL_Rect source;  // w 0: the whole image
    };
    const Placement placements[] = {
        {0, 0, {}},
        {-100, -50, {}},
        {500, 300, {}},
        {10, 10, {20, 30, 100, 40}},
        {-5, 3, {-10, -10, 50, 50}},
        {600, 460, {200, 200, 100, 100}},
    };
    auto expectSameAsLibrary = [&](SDL_Surface* image, const Placement& at) {
        SDL_BlitSurface(backdrop, nullptr, displaySurface, nullptr);
        SDL_Surface* expected = copyOf(displaySurface);
        SDL_Rect source = at.source, sourceForUs = at.source,
                 where = {static_cast<Sint16>(at.x), static_cast<Sint16>(at.y), 0, 0};
        SDL_BlitSurface(image, at.source.w ? &source : nullptr, expected, &where);
        drawImage(at.x, at.y, image, at.source.w ? &sourceForUs : nullptr);
        EXPECT_EQ(differingPixels(expected, displaySurface), 0)
            << "alpha " << int(image->format->alpha) << " at " << at.x << "," << at.y;
        SDL_FreeSurface(expected);
    };
    for (int alpha : {0, 1, 64, 127, 128, 200, 254}) {
        SDL_SetAlpha(probe, SDL_SRCALPHA, static_cast<Uint8>(alpha));
        for (const Placement& at : placements) expectSameAsLibrary(probe, at);
    }
    for (Img::Key copy : {Img::player128, Img::player64, Img::green_player128, Img::green_player64, Img::updown128,
                          Img::updown64, Img::rightleft128, Img::rightleft64})
        expectSameAsLibrary(image(copy), {100, 37, {}});
    SDL_FreeSurface(probe);
    SDL_FreeSurface(backdrop);
}

// The files that several slots share are decoded once; each slot must still hold
// exactly what its row's loader makes of the file.
TEST_F(SpineTest, EachImageSlotHoldsWhatItsLoaderMakesOfItsFile) {
    for (const ImageEntry& entry : imageCatalogue) {
        std::string path = std::string(resourceFolder) + "/images/" + entry.file;
        Uint8 key = entry.loader == ImageLoader::KeyedWhite ? 255 : 0;
        SDL_Surface* alone = entry.loader == ImageLoader::Alpha
                                 ? loadAlphaImage(path)
                                 : loadKeyedImage(path, key ? 255 : 38, key ? 255 : 127, key);
        SDL_Surface* slot = image(entry.key);
        ASSERT_NE(alone, nullptr) << entry.file;
        ASSERT_NE(slot, nullptr) << entry.file;
        ASSERT_EQ(slot->w, alone->w) << entry.file;
        ASSERT_EQ(slot->h, alone->h) << entry.file;
        EXPECT_EQ(slot->format->Amask, alone->format->Amask) << entry.file;
        EXPECT_EQ(slot->flags & SDL_SRCCOLORKEY, alone->flags & SDL_SRCCOLORKEY) << entry.file;
        EXPECT_EQ(slot->format->colorkey, alone->format->colorkey) << entry.file;
        EXPECT_EQ(differingPixels(slot, alone), 0) << entry.file;
        SDL_FreeSurface(alone);
    }
}

TEST_F(SpineTest, EveryCatalogueSlotIsFilledFromTheBuiltFolder) {
    for (const ImageEntry& entry : imageCatalogue) EXPECT_NE(image(entry.key), nullptr) << entry.file;
    for (const AudioEntry& entry : musicCatalogue) EXPECT_NE(resources.music[entry.key], nullptr) << entry.file;
    for (const AudioEntry& entry : soundCatalogue) EXPECT_NE(resources.sounds[entry.key], nullptr) << entry.file;
    EXPECT_NE(resources.font12, nullptr);
    EXPECT_NE(resources.font18, nullptr);
    EXPECT_NE(resources.font28b, nullptr);
    EXPECT_NE(resources.dimLayer640, nullptr);
    EXPECT_NE(resources.windowIcon, nullptr);
    for (int key = 0; key < Txt::count; ++key) {
        if (key == Txt::nameText) continue;  // the empty name renders to nothing
        EXPECT_NE(resources.texts[key], nullptr) << textCatalogue[key];
    }
    for (int i = 0; i < unlockableCount; ++i) {
        EXPECT_NE(resources.unlockableName[i], nullptr);
        EXPECT_NE(resources.unlockNotice[i][0], nullptr);
        EXPECT_NE(resources.unlockNotice[i][1], nullptr);
    }
}

// The seed after which randomInt(0, 2) first gives `value`; 3 comes once in 32768 draws.
static unsigned seedGiving(int value) {
    for (unsigned seed = 1;; ++seed) {
        seedRandom(seed);
        if (randomInt(0, 2) == value) return seed;
    }
}

TEST_F(SpineTest, TheDrawPicksTheTrackAndEditedMusicItsEditedVersion) {
    struct Pick {
        int drawn;
        bool edited;
        Mus::Key track;
    };
    for (Pick pick : {Pick{0, false, Mus::music1}, Pick{1, false, Mus::music2}, Pick{2, false, Mus::music3},
                      Pick{3, false, Mus::music1}, Pick{0, true, Mus::music1_edited}, Pick{1, true, Mus::music2_edited},
                      Pick{2, true, Mus::music3_edited}, Pick{3, true, Mus::music1_edited}}) {
        ASSERT_NE(resources.music[pick.track], nullptr);
        seedRandom(seedGiving(pick.drawn));
        EXPECT_EQ(pickTrack(pick.edited), resources.music[pick.track]) << pick.drawn << (pick.edited ? " edited" : "");
    }
}

TEST_F(SpineTest, StartingMusicFollowsTheEditedMusicSwitch) {
    auto plain = resources.music;
    for (int track = Mus::music1; track <= Mus::music3; ++track) resources.music[track] = nullptr;
    for (bool edited : {true, false}) {
        app.save.enabled[EditedMusic] = edited;
        Mix_HaltMusic();
        startMusic(app);
        EXPECT_EQ(Mix_PlayingMusic() != 0, edited) << "only the edited tracks can play";
    }
    Mix_HaltMusic();
    resources.music = plain;
}

// --- the manual where the desktop cannot show it ---

struct HelpCase {
    const char* name;
    const char* opener;  // its shell lines, null for none on PATH
};

class ManualNoticeTest : public GameTest, public ::testing::WithParamInterface<HelpCase> {};

TEST_P(ManualNoticeTest, F1TellsWhereTheManualIs) {
    OpenerOnPath opener(folder_.file("bin"), GetParam().opener);
    tapKey(SDLK_F1);
    // A failing opener is collected a frame or more later; the time limit is only a net.
    auto net = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    while (!app.ui.notice.active && std::chrono::steady_clock::now() < net) frames(1);
    ASSERT_TRUE(app.ui.notice.active);
    const std::vector<std::string>& text = app.ui.notice.text;
    ASSERT_GE(text.size(), 2u);
    std::string path;
    for (size_t line = 1; line < text.size(); ++line) path += text[line];
    EXPECT_EQ(path, folder_.file("help/index.html"));
    EXPECT_NE(text[0].find("manual"), std::string::npos) << text[0];
    ASSERT_NE(app.ui.notice.textImage, nullptr);
    EXPECT_EQ(app.ui.notice.textImage->w, app.ui.notice.w);
    // Grown to the left to fit the path, the notice keeps the unlock notice's right edge.
    EXPECT_GE(app.ui.notice.x, 16);
    EXPECT_EQ(app.ui.notice.x + app.ui.notice.w, 624);
}

INSTANTIATE_TEST_SUITE_P(Desktops, ManualNoticeTest,
                         ::testing::Values(HelpCase{"WithoutAnOpener", nullptr},
                                           HelpCase{"WithAFailingOpener", "exit 4"}),
                         [](const ::testing::TestParamInfo<HelpCase>& info) { return std::string(info.param.name); });

TEST_F(SpineTest, AnUnlockNoticeTakesTheStripBackFromAText) {
    showTextNotice(app, "A heading", "/a-long-folder-name/" + std::string(60, 'b') + "/" + std::string(60, 'c') + "/d");
    frames(200);
    ASSERT_GT(app.ui.notice.h, 48) << "a path broken over lines makes a taller notice";
    app.save.peachCount = unlockThreshold(0);
    raiseUnlockNotices(app);
    EXPECT_TRUE(app.ui.notice.text.empty());
    EXPECT_EQ(app.ui.notice.textImage, nullptr);
    EXPECT_EQ(app.ui.notice.w, 200);
    EXPECT_EQ(app.ui.notice.h, 48);
    EXPECT_EQ(app.ui.notice.x + app.ui.notice.w, 624);
    frames(60);
    EXPECT_EQ(app.ui.notice.y, 432);
}

// --- the picture scaled to the screen ---

struct WindowScaleCase {
    const char* name;
    int width, height, desktopWidth, desktopHeight;
    int scale;
};

class WindowScaleTest : public ::testing::TestWithParam<WindowScaleCase> {};

TEST_P(WindowScaleTest, IsTheLargestWholeNumberWithinNinetyPercentOfTheDesktop) {
    const WindowScaleCase& c = GetParam();
    EXPECT_EQ(largestWindowScale(c.width, c.height, c.desktopWidth, c.desktopHeight), c.scale);
}

INSTANTIATE_TEST_SUITE_P(Desktops, WindowScaleTest,
                         ::testing::Values(WindowScaleCase{"FullHd", 640, 480, 1920, 1080, 2},
                                           WindowScaleCase{"Qhd", 640, 480, 2560, 1440, 2},
                                           WindowScaleCase{"FourK", 640, 480, 3840, 2160, 4},
                                           WindowScaleCase{"Xga", 640, 480, 1024, 768, 1},
                                           WindowScaleCase{"SmallerThanThePicture", 640, 480, 320, 200, 1},
                                           WindowScaleCase{"Unknown", 640, 480, 0, 0, 1},
                                           // 2 x 480 is 960, 90 % of 1067 is 960.3, and of 1066 only 959.4.
                                           WindowScaleCase{"JustTallEnough", 640, 480, 1920, 1067, 2},
                                           WindowScaleCase{"JustTooShort", 640, 480, 1920, 1066, 1},
                                           WindowScaleCase{"EditorOnFullHd", 800, 480, 1920, 1080, 2},
                                           WindowScaleCase{"EditorOnFourK", 800, 480, 3840, 2160, 4},
                                           // 3 x 800 is 2400, wider than 90 % of 2560.
                                           WindowScaleCase{"EditorOnAWideQhd", 800, 480, 2560, 1600, 2},
                                           WindowScaleCase{"EditorOnXga", 800, 480, 1024, 768, 1}),
                         [](const ::testing::TestParamInfo<WindowScaleCase>& info) {
                             return std::string(info.param.name);
                         });

struct FullScreenCase {
    const char* name;
    int width, screenWidth, screenHeight;  // the picture is 480 high
    Presentation expected;
};

class FullScreenTest : public ::testing::TestWithParam<FullScreenCase> {};

TEST_P(FullScreenTest, ShowsTheLargestWholeScaleCentred) {
    const FullScreenCase& c = GetParam();
    Presentation p = fullScreenPresentation(c.width, 480, c.screenWidth, c.screenHeight);
    EXPECT_EQ(p.scale, c.expected.scale);
    EXPECT_EQ(p.offsetX, c.expected.offsetX);
    EXPECT_EQ(p.offsetY, c.expected.offsetY);
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.height, 480);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, FullScreenTest,
    ::testing::Values(FullScreenCase{"FullHd", 640, 1920, 1080, {2, 320, 60, 640, 480}},
                      FullScreenCase{"QhdFillsTheHeight", 640, 2560, 1440, {3, 320, 0, 640, 480}},
                      FullScreenCase{"FourK", 640, 3840, 2160, {4, 640, 120, 640, 480}},
                      FullScreenCase{"LaptopKeepsOneToOne", 640, 1366, 768, {1, 363, 144, 640, 480}},
                      FullScreenCase{"TheExactSize", 640, 640, 480, {1, 0, 0, 640, 480}},
                      FullScreenCase{"EditorOnFullHd", 800, 1920, 1080, {2, 160, 60, 800, 480}}),
    [](const ::testing::TestParamInfo<FullScreenCase>& info) { return std::string(info.param.name); });

struct PointerCase {
    const char* name;
    Presentation presentation;
    int screenX, screenY;
    int pictureX, pictureY;
};

class PointerTest : public ::testing::TestWithParam<PointerCase> {};

TEST_P(PointerTest, LandsOnThePicturePixelUnderIt) {
    const PointerCase& c = GetParam();
    PicturePoint at = toPicture(c.screenX, c.screenY, c.presentation);
    EXPECT_EQ(at.x, c.pictureX);
    EXPECT_EQ(at.y, c.pictureY);
}

constexpr Presentation oneToOne{1, 0, 0, 640, 480};
constexpr Presentation doubledWindow{2, 0, 0, 640, 480};
constexpr Presentation fullHdBars{2, 320, 60, 640, 480};

INSTANTIATE_TEST_SUITE_P(
    Presentations, PointerTest,
    ::testing::Values(PointerCase{"OneToOneIsUnchanged", oneToOne, 123, 456, 123, 456},
                      PointerCase{"DoubledHalves", doubledWindow, 641, 321, 320, 160},
                      PointerCase{"DoubledLastPixel", doubledWindow, 1279, 959, 639, 479},
                      PointerCase{"PastTheWindowIsClamped", doubledWindow, 1500, 1000, 639, 479},
                      PointerCase{"InsideTheBars", fullHdBars, 321 + 200, 61 + 100, 100, 50},
                      PointerCase{"PictureCorner", fullHdBars, 320, 60, 0, 0},
                      PointerCase{"LeftAndTopBarsClampToTheEdge", fullHdBars, 10, 59, 0, 0},
                      PointerCase{"RightAndBottomBarsClampToTheEdge", fullHdBars, 1919, 1079, 639, 479}),
    [](const ::testing::TestParamInfo<PointerCase>& info) { return std::string(info.param.name); });

TEST(PointerEvents, MotionAndButtonsMoveIntoThePictureAndOthersStay) {
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 521;
    motion.motion.y = 161;
    moveEventIntoPicture(motion, fullHdBars);
    EXPECT_EQ(motion.motion.x, 100);
    EXPECT_EQ(motion.motion.y, 50);
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONUP;
    press.button.x = 1919;
    press.button.y = 0;
    moveEventIntoPicture(press, fullHdBars);
    EXPECT_EQ(press.button.x, 639);
    EXPECT_EQ(press.button.y, 0);
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_a;
    moveEventIntoPicture(key, fullHdBars);
    EXPECT_EQ(key.key.keysym.sym, SDLK_a);
}

class ScaledPresentTest : public ::testing::TestWithParam<int> {};

TEST_P(ScaledPresentTest, DrawsEachPixelAsABlockAndLeavesTheBars) {
    const int scale = GetParam();
    const int offsetX = 3, offsetY = 2, width = 5, height = 4;
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_Surface* screen = SDL_CreateRGBSurface(SDL_SWSURFACE, width * scale + 2 * offsetX, height * scale + 2 * offsetY,
                                               32, 0xFF0000, 0xFF00, 0xFF, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) rawPixel(picture, x, y) = static_cast<Uint32>(0x10000 * x + 0x100 * y + 1);
    const Uint32 bar = 0xABCDEF;
    SDL_FillRect(screen, nullptr, bar);
    presentScaled(picture, screen, Presentation{scale, offsetX, offsetY, width, height});
    int wrong = 0;
    for (int y = 0; y < screen->h; ++y)
        for (int x = 0; x < screen->w; ++x) {
            int px = x - offsetX, py = y - offsetY;
            bool inside = px >= 0 && py >= 0 && px < width * scale && py < height * scale;
            Uint32 expected = inside ? rawPixel(picture, px / scale, py / scale) : bar;
            wrong += rawPixel(screen, x, y) != expected;
        }
    EXPECT_EQ(wrong, 0) << "at scale " << scale;
    SDL_FreeSurface(screen);
    SDL_FreeSurface(picture);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledPresentTest, ::testing::Values(1, 2, 3, 4),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Times" + std::to_string(info.param);
                         });

struct ScaleKeyCase {
    const char* name;
    SDLKey key;
    SDLMod mod;
    int step;
};

class ScaleKeyTest : public ::testing::TestWithParam<ScaleKeyCase> {};

TEST_P(ScaleKeyTest, StepsTheWindowOnlyWithControl) {
    const ScaleKeyCase& c = GetParam();
    SDL_keysym key{};
    key.sym = c.key;
    key.mod = c.mod;
    EXPECT_EQ(windowScaleStep(key), c.step);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ScaleKeyTest,
    ::testing::Values(ScaleKeyCase{"ControlPlus", SDLK_PLUS, KMOD_LCTRL, 1},
                      ScaleKeyCase{"ControlEquals", SDLK_EQUALS, KMOD_RCTRL, 1},
                      ScaleKeyCase{"ControlShiftEquals", SDLK_EQUALS, SDLMod(KMOD_LCTRL | KMOD_LSHIFT), 1},
                      ScaleKeyCase{"ControlKeypadPlus", SDLK_KP_PLUS, KMOD_LCTRL, 1},
                      ScaleKeyCase{"ControlMinus", SDLK_MINUS, KMOD_LCTRL, -1},
                      ScaleKeyCase{"ControlKeypadMinus", SDLK_KP_MINUS, KMOD_RCTRL, -1},
                      ScaleKeyCase{"PlainMinus", SDLK_MINUS, KMOD_NONE, 0},
                      ScaleKeyCase{"ShiftPlus", SDLK_PLUS, KMOD_LSHIFT, 0},
                      ScaleKeyCase{"ControlOtherKey", SDLK_a, KMOD_LCTRL, 0}),
    [](const ::testing::TestParamInfo<ScaleKeyCase>& info) { return std::string(info.param.name); });

// --- the preferences file ---

TEST(Preferences, EveryScaleReadsBackAsWrittenAndTheSettingsStayApart) {
    TempFolder folder;
    for (int scale : {1, 2, 4, largestStoredScale}) {
        ASSERT_TRUE(writePreferences(preferencesFileName, Preferences{scale}));
        EXPECT_EQ(readPreferences(preferencesFileName).windowScale, scale);
    }
    EXPECT_EQ(readWholeFile(folder.file(preferencesFileName)), "scale=16\n");
    EXPECT_FALSE(platform::isRegularFile(folder.file(settingsFileName)));
    EXPECT_FALSE(writePreferences("no-such-folder/preferences.set", Preferences{2}));
}

struct PreferencesTextCase {
    const char* name;
    const char* text;
    int windowScale;
};

class PreferencesTextTest : public ::testing::TestWithParam<PreferencesTextCase> {};

TEST_P(PreferencesTextTest, ReadsWhatItCanAndDefaultsTheRest) {
    const PreferencesTextCase& c = GetParam();
    TempFolder folder;
    writeWholeFile(folder.file("p.set"), c.text);
    EXPECT_EQ(readPreferences("p.set").windowScale, c.windowScale);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PreferencesTextTest,
    ::testing::Values(PreferencesTextCase{"Plain", "scale=3\n", 3},
                      PreferencesTextCase{"WindowsLineEnds", "scale=3\r\n", 3},
                      PreferencesTextCase{"NoLineEnd", "scale=2", 2},
                      PreferencesTextCase{"AmongOtherLines", "later=1\r\nscale=2\r\n", 2},
                      PreferencesTextCase{"Empty", "", 0}, PreferencesTextCase{"NoValue", "scale=\n", 0},
                      PreferencesTextCase{"Word", "scale=big\n", 0}, PreferencesTextCase{"Zero", "scale=0\n", 0},
                      PreferencesTextCase{"Negative", "scale=-2\n", 0},
                      PreferencesTextCase{"TooLarge", "scale=17\n", 0},
                      PreferencesTextCase{"Huge", "scale=99999999999999999999\n", 0},
                      PreferencesTextCase{"TrailingJunk", "scale=2x\n", 0},
                      PreferencesTextCase{"Garbage", "\x01\xff\xfe=scale\n\n", 0}),
    [](const ::testing::TestParamInfo<PreferencesTextCase>& info) { return std::string(info.param.name); });

TEST(Preferences, AMissingFileGivesTheLargestThatFits) {
    TempFolder folder;
    EXPECT_EQ(readPreferences("missing.set").windowScale, 0);
}

TEST_F(SpineTest, ControlPlusAndMinusScaleTheWindowAndKeepTheChoice) {
    useDesktopSize(1920, 1080);
    frames(1);
    auto pressWithControl = [&](SDLKey key) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = key;
        event.key.keysym.mod = KMOD_LCTRL;
        SDL_PushEvent(&event);
        frames(1);
    };
    SDL_Surface* before = copyOf(displaySurface);
    pressWithControl(SDLK_EQUALS);
    ASSERT_NE(SDL_GetVideoSurface(), nullptr);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 1280);
    EXPECT_EQ(SDL_GetVideoSurface()->h, 960);
    EXPECT_EQ(displaySurface->w, 640) << "the game still draws its own picture";
    EXPECT_EQ(readWholeFile(folder_.file(preferencesFileName)), "scale=2\n");
    pushScreenMotion(641, 801);
    frames(1);
    EXPECT_EQ(app.mouseX, 320);
    EXPECT_EQ(app.mouseY, 400);

    pressWithControl(SDLK_KP_PLUS);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 1280) << "3x would not fit";
    pressWithControl(SDLK_MINUS);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 640);
    EXPECT_EQ(readWholeFile(folder_.file(preferencesFileName)), "scale=1\n");
    pressWithControl(SDLK_KP_MINUS);
    EXPECT_EQ(SDL_GetVideoSurface()->w, 640) << "nothing is smaller than 1x";
    EXPECT_FALSE(platform::isRegularFile(folder_.file(settingsFileName)));
    EXPECT_EQ(differingPixels(before, displaySurface), 0) << "the menu is drawn alike at every scale";
    SDL_FreeSurface(before);
}

TEST_F(SpineTest, ScaleChangesKeepThePictureUntilTheNextFrame) {
    useDesktopSize(1920, 1080);
    SDL_FillRect(displaySurface, nullptr, SDL_MapRGB(displaySurface->format, 12, 34, 56));
    ASSERT_TRUE(stepWindowScale(1));
    EXPECT_EQ(currentPresentation().scale, 2);
    EXPECT_EQ(pixel(639, 479).b, 56);
    ASSERT_TRUE(stepWindowScale(-1));
    EXPECT_EQ(pixel(0, 0).g, 34);
}

TEST_F(SpineTest, FullScreenShowsTheLargestScaleBetweenBarsAndTheWindowComesBack) {
    useDesktopSize(1920, 1080);
    ASSERT_TRUE(setDisplayMode(640, 480, fullScreenFlags));
    EXPECT_EQ(SDL_GetVideoSurface()->w, 1920);
    EXPECT_EQ(currentPresentation().scale, 2);
    EXPECT_EQ(currentPresentation().offsetX, 320);
    EXPECT_FALSE(stepWindowScale(-1)) << "full screen always fills what it can";
    frames(1);
    const Uint32* corner = static_cast<const Uint32*>(SDL_GetVideoSurface()->pixels);
    EXPECT_EQ(*corner & 0xFFFFFF, 0u) << "the bars are black";
    pushScreenMotion(320 + 2 * 100, 60 + 2 * 50);
    frames(1);
    EXPECT_EQ(app.mouseX, 100);
    EXPECT_EQ(app.mouseY, 50);
    chooseWindowScale(1);
    ASSERT_TRUE(setDisplayMode(640, 480, windowFlags));
    EXPECT_EQ(SDL_GetVideoSurface()->w, 640);
    EXPECT_EQ(SDL_GetVideoSurface(), displaySurface) << "a 1x window is drawn on directly";
}

TEST_F(SpineTest, StartUpTakesTheScaleFromThePreferences) {
    shutdown();
    writeWholeFile(folder_.file(preferencesFileName), "scale=3\r\n");
    AppState fresh;
    ASSERT_EQ(startProgram(fresh), 0);
    EXPECT_EQ(chosenWindowScale(), 3);
    EXPECT_EQ(shutdownProgram(fresh), 0);
    EXPECT_EQ(readWholeFile(folder_.file(settingsFileName)), "w=1\ns=1\n");
    EXPECT_EQ(readWholeFile(folder_.file(preferencesFileName)), "scale=3\r\n") << "only a change writes it";
}
