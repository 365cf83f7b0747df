// "--open-window NAME [--screenshot FILE]": one modal window on its own, for looking at it and
// for pictures of it, until the main window opens them from its menus.
#pragma once

#include <QString>

namespace tv {

// NAME is dates, dates-new, names, months or colors. Returns the process exit code.
int runDeveloperWindow(const QString& name, const QString& screenshot);

}  // namespace tv
