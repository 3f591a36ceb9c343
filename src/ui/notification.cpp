#include "ui/notification.h"

#include "app/app_state.h"
#include "app/display.h"
#include "app/resources.h"
#include "ui/unlockables.h"
#include "ui/widgets.h"

namespace {

enum NoticeState { Rising = 0, Resting = 1, Sinking = 2 };
constexpr Sint16 hiddenY = 480, restingY = 432;

void stopResting(Notification& notice) {
    notice.resting.running = false;
    notice.resting.remaining = notice.resting.duration;
}

void rise(Notification& notice) {
    --notice.y;
    if (notice.y < restingY) {
        notice.y = restingY;
        notice.state = Resting;
    }
}

// The resting time counts like the level timers: it ends in the first frame
// after the remaining time went below zero.
void rest(Notification& notice, float dt) {
    LevelTimer& timer = notice.resting;
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
        app.ui.notice.active = true;
        save.noticesShown += 1;
    }
}

void pressNotification(AppState& app) {
    Notification& notice = app.ui.notice;
    if (!notice.active || !pointInRect(noticeRect(notice), app.mouseX, app.mouseY)) return;
    stopResting(notice);
    notice.state = Sinking;
}

void drawNotification(AppState& app) {
    const Notification& notice = app.ui.notice;
    int which = app.save.noticesShown;
    if (!notice.active || which < 1 || which > UnlockableIdCount) return;
    drawImage(notice.x, notice.y, image(Img::notify));
    drawImage(notice.x + 11, notice.y + 10, resources.unlockNotice[which - 1][0]);
    drawImage(notice.x + 11, notice.y + 24, resources.unlockNotice[which - 1][1]);
}
