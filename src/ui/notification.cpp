#include "ui/notification.h"

#include "app/app_state.h"

void updateNotification(AppState&, float) {}
void raiseUnlockNotices(AppState&) {}
void drawNotification(AppState&) {}
