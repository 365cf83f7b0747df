// The desktop services of the Qt program, made once when the program is put together and handed
// to the core as one bundle (Platform). Tests pass a clock of their own and leave out the
// single-instance channel, since they run several calendars in one process.
#pragma once

#include <memory>

#include "core/ports/download.h"
#include "core/ports/platform.h"

class QWidget;

namespace tv {

class CachingImageLoader;
class QtAutostart;
class QtClock;
class QtDialogs;
class QtMessageBox;
class QtNotifier;
class QtShell;
class QtSingleInstance;
class QtSound;
class QtSurfaceFactory;
class QtUserStore;

class QtServices {
public:
    struct Options {
        bool singleInstance = true;
        Clock* clock = nullptr;  // the system clock when null
    };

    explicit QtServices(Options options);
    ~QtServices();
    QtServices(const QtServices&) = delete;
    QtServices& operator=(const QtServices&) = delete;

    Platform& platform() { return platform_; }
    const Platform& platform() const { return platform_; }
    Clock& clock() { return *platform_.clock; }
    QtAutostart& autostart() { return *autostart_; }
    Download& download() { return *download_; }
    CachingImageLoader& images() { return *images_; }
    QtSurfaceFactory& surfaces() { return *surfaces_; }
    QtUserStore& userStore() { return *userStore_; }

    // The window that message boxes and file dialogs open over: the modal window on top, or the
    // calendar window; null while no window is up.
    void setDialogParent(QWidget* parent);

private:
    std::unique_ptr<QtClock> ownClock_;
    std::unique_ptr<QtMessageBox> box_;
    std::unique_ptr<QtDialogs> dialogs_;
    std::unique_ptr<QtShell> shell_;
    std::unique_ptr<QtUserStore> userStore_;
    std::unique_ptr<QtAutostart> autostart_;
    std::unique_ptr<QtSound> sound_;
    std::unique_ptr<QtNotifier> notifier_;
    std::unique_ptr<Download> download_;
    std::unique_ptr<QtSingleInstance> single_;
    std::unique_ptr<QtSurfaceFactory> surfaces_;
    std::unique_ptr<CachingImageLoader> images_;
    Platform platform_;
};

}  // namespace tv
