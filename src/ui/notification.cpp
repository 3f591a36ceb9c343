#include "ui/notification.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/platform.h"
#include "app/resources.h"
#include "ui/unlockables.h"
#include "ui/widgets.h"

#include <algorithm>

namespace {

enum NoticeState { Rising = 0, Resting = 1, Sinking = 2 };
constexpr Sint16 hiddenY = 480;
constexpr int unlockWidth = 200, unlockHeight = 48;
constexpr int textLeft = 11, textTop = 10, lineHeight = 14;
constexpr int windowMargin = 16;  // a wide text notice stops this far from the window's left edge
// A path takes longer to read, or to copy down, than an unlock notice.
constexpr float unlockRestSeconds = 5.0f, textRestSeconds = 20.0f;

Sint16 restingY(const Notification& notice) { return static_cast<Sint16>(hiddenY - notice.h); }

void stopResting(Notification& notice) {
    notice.resting.running = false;
    notice.resting.remaining = notice.resting.duration;
}

void rise(Notification& notice) {
    --notice.y;
    if (notice.y < restingY(notice)) {
        notice.y = restingY(notice);
        notice.state = Resting;
    }
}

// The resting time counts like the level timers: it ends in the first frame
// after the remaining time went below zero.
void rest(Notification& notice, float dt) {
    DelayTimer& timer = notice.resting;
    if (!timer.running) {
        timer.running = true;
        timer.remaining = timer.duration;
    }
    if (timer.remaining >= 0) {
        timer.remaining -= dt;
        return;
    }
    stopResting(notice);
    notice.state = Sinking;
}

void sink(Notification& notice) {
    ++notice.y;
    if (notice.y > hiddenY) {
        notice.y = hiddenY;
        notice.active = false;
        notice.state = Rising;
    }
}

SDL_Rect noticeRect(const Notification& notice) { return {notice.x, notice.y, notice.w, notice.h}; }

// The right edge stays where the unlock notice has it; a notice that shrinks while
// resting drops to its new resting place.
void resize(Notification& notice, int width, int height) {
    int right = notice.x + notice.w;
    notice.w = static_cast<Uint16>(width);
    notice.h = static_cast<Uint16>(height);
    notice.x = static_cast<Sint16>(right - width);
    notice.y = std::max(notice.y, restingY(notice));
}

int textWidth(const std::string& text) {
    int width = 0, height = 0;
    if (!resources.font12 || TTF_SizeText(resources.font12, text.c_str(), &width, &height) != 0) return 0;
    return width;
}

// Each line as long as fits, broken only after a slash, so every line reads as a folder.
std::vector<std::string> breakPath(const std::string& path, int widest) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t start = 0; start < path.size();) {
        size_t slash = path.find('/', start);
        size_t end = slash == std::string::npos ? path.size() : slash + 1;
        std::string piece = path.substr(start, end - start);
        if (!line.empty() && textWidth(line + piece) > widest) {
            lines.push_back(line);
            line.clear();
        }
        line += piece;
        start = end;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// One band of rows of the unlock notice's picture across the whole box: its left and
// right halves at the ends, the flat middle of the picture repeated between them.
void drawBand(SDL_Surface* picture, SDL_Surface* box, Sint16 fromY, Uint16 rows, int toY) {
    const int half = picture->w / 2, edge = 20, middle = picture->w - 2 * edge;
    SDL_Rect left = {0, fromY, static_cast<Uint16>(half), rows};
    drawImage(0, toY, picture, box, &left);
    for (int x = half; x < box->w - half; x += middle) {
        SDL_Rect fill = {static_cast<Sint16>(edge), fromY, static_cast<Uint16>(std::min(middle, box->w - half - x)),
                         rows};
        drawImage(x, toY, picture, box, &fill);
    }
    SDL_Rect right = {static_cast<Sint16>(half), fromY, static_cast<Uint16>(picture->w - half), rows};
    drawImage(box->w - (picture->w - half), toY, picture, box, &right);
}

// The unlock notice's picture grown to the size of the text, with the text on it.
// Its upper and lower halves keep their shading; a taller box repeats the middle row.
SDL_Surface* drawTextBox(const std::vector<std::string>& lines, int width, int height) {
    SDL_Surface* picture = image(Img::notify);
    if (!picture) return nullptr;
    const SDL_PixelFormat& format = *picture->format;
    SDL_Surface* box = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, format.BitsPerPixel, format.Rmask,
                                            format.Gmask, format.Bmask, format.Amask);
    if (!box) return nullptr;
    // The picture's rounded corners are keyed out; the box keeps them transparent the same way.
    SDL_FillRect(box, nullptr, format.colorkey);
    SDL_SetColorKey(box, SDL_SRCCOLORKEY, format.colorkey);
    const Uint16 upper = static_cast<Uint16>(picture->h / 2), lower = static_cast<Uint16>(picture->h - upper);
    drawBand(picture, box, 0, upper, 0);
    for (int y = upper; y < height - lower; ++y) drawBand(picture, box, static_cast<Sint16>(upper), 1, y);
    drawBand(picture, box, static_cast<Sint16>(upper), lower, height - lower);
    for (size_t i = 0; i < lines.size(); ++i) {
        SDL_Surface* line = renderText(resources.font12, lines[i], black);
        drawImage(textLeft, textTop + lineHeight * static_cast<int>(i), line, box);
        freeSurface(line);
    }
    return box;
}

void endText(Notification& notice) {
    notice.text.clear();
    freeSurface(notice.textImage);
    resize(notice, unlockWidth, unlockHeight);
    notice.resting.duration = unlockRestSeconds;
}

}  // namespace

void updateNotification(AppState& app, float dt) {
    Notification& notice = app.ui.notice;
    if (!notice.active) return;
    switch (notice.state) {
        case Rising: rise(notice); break;
        case Resting: rest(notice, dt); break;
        case Sinking: sink(notice); break;
        default: break;
    }
}

void raiseUnlockNotices(AppState& app) {
    SavedGame& save = app.save;
    for (int k = 1; k <= UnlockableIdCount; ++k) {
        if (save.peachCount != unlockThreshold(k - 1) || save.noticesShown >= k) continue;
        // A notice on its way keeps its slide and timer; only its text changes.
        if (!app.ui.notice.text.empty()) endText(app.ui.notice);
        app.ui.notice.active = true;
        save.noticesShown += 1;
    }
}

void showTextNotice(AppState& app, const std::string& heading, const std::string& path) {
    Notification& notice = app.ui.notice;
    const int widest = notice.x + notice.w - windowMargin;
    std::vector<std::string> lines = breakPath(path, widest - 2 * textLeft);
    lines.insert(lines.begin(), heading);
    int width = unlockWidth;
    for (const std::string& line : lines) width = std::max(width, textWidth(line) + 2 * textLeft);
    int height = std::max(unlockHeight, 2 * textTop + lineHeight * static_cast<int>(lines.size()));
    resize(notice, std::min(width, widest), height);
    notice.text = lines;
    freeSurface(notice.textImage);
    notice.textImage = drawTextBox(lines, notice.w, notice.h);
    // A new text rises to full view and rests its whole time, wherever the last one was.
    notice.resting.duration = textRestSeconds;
    stopResting(notice);
    notice.state = Rising;
    notice.active = true;
}

void showManualNotice(AppState& app) {
    showTextNotice(app, "No browser showed the manual. It is at",
                   platform::joinPath(app.workingDir, "help/index.html"));
}

void pressNotification(AppState& app) {
    Notification& notice = app.ui.notice;
    if (!notice.active || !pointInRect(noticeRect(notice), app.mouseX, app.mouseY)) return;
    stopResting(notice);
    notice.state = Sinking;
}

void drawNotification(AppState& app) {
    const Notification& notice = app.ui.notice;
    if (notice.active && !notice.text.empty()) {
        drawImage(notice.x, notice.y, notice.textImage);
        return;
    }
    int which = app.save.noticesShown;
    if (!notice.active || which < 1 || which > UnlockableIdCount) return;
    drawImage(notice.x, notice.y, image(Img::notify));
    drawImage(notice.x + 11, notice.y + 10, resources.unlockNotice[which - 1][0]);
    drawImage(notice.x + 11, notice.y + 24, resources.unlockNotice[which - 1][1]);
}

void releaseNotification(AppState& app) { freeSurface(app.ui.notice.textImage); }

void openHelpPage(AppState& app, const char* page) {
    if (!platform::openDocument(page)) showManualNotice(app);
}
