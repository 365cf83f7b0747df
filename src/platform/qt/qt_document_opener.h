// Opening a document with the desktop's handler, and knowing when no handler took it. The core's
// Shell::openDocument only tells whether a launcher started; the help page must never fail
// silently, so its callers learn of a launcher that gave up as well.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace tv {

// Where `noHandler` comes from in tests; the desktop's launcher otherwise.
using DocumentOpener = std::function<void(const QString& file, std::function<void()> noHandler)>;

// xdg-open reports a missing handler only through its exit status, and it may run for as long
// as the handler does; it is started detached, and only a failure leaves a mark (a status file)
// that is looked for during the first seconds. Without xdg-open QDesktopServices is asked.
// `noHandler` runs at once or a little later, in the event loop, unless `context` has gone.
void openWithDesktop(const QString& file, QObject* context, const std::function<void()>& noHandler);

}  // namespace tv
