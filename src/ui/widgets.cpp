#include "ui/widgets.h"

#include "app/app_state.h"

void buildWidgets(AppState&) {}
void releaseWidgets(AppState&) {}
