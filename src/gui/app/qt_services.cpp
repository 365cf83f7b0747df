#include "gui/app/qt_services.h"

#include "core/app/folders.h"
#include "core/app/version.h"
#include "platform/qt/caching_image_loader.h"
#include "platform/qt/online_services.h"
#include "platform/qt/qt_autostart.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_notifier.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_single_instance.h"
#include "platform/qt/qt_sound.h"
#include "platform/qt/qt_surface.h"
#include "platform/qt/qt_user_store.h"

namespace tv {

QtServices::QtServices(Options options)
    : ownClock_(options.clock == nullptr ? std::make_unique<QtClock>() : nullptr),
      box_(std::make_unique<QtMessageBox>(std::string(kProgramName))),
      dialogs_(std::make_unique<QtDialogs>()),
      shell_(std::make_unique<QtShell>()),
      userStore_(std::make_unique<QtUserStore>()),
      autostart_(std::make_unique<QtAutostart>()),
      sound_(std::make_unique<QtSound>()),
      notifier_(std::make_unique<QtNotifier>(
          QString::fromUtf8(kProgramName.data(), qsizetype(kProgramName.size())),
          QString::fromUtf8(kDesktopId.data(), qsizetype(kDesktopId.size())))),
      download_(std::make_unique<LazyDownload>()),
      surfaces_(std::make_unique<QtSurfaceFactory>()) {
    if (options.singleInstance) single_ = std::make_unique<QtSingleInstance>();
    platform_.clock = options.clock != nullptr ? options.clock : ownClock_.get();
    platform_.messageBox = box_.get();
    platform_.dialogs = dialogs_.get();
    platform_.shell = shell_.get();
    platform_.userStore = userStore_.get();
    platform_.autostart = autostart_.get();
    platform_.sound = sound_.get();
    platform_.notifier = notifier_.get();
    platform_.download = download_.get();
    platform_.singleInstance = single_.get();
    platform_.paths = resolvePaths();
    // The skin's pictures come from the cache after the first start.
    images_ = std::make_unique<CachingImageLoader>(platform_.paths.cacheDir + "pixels/");
    platform_.images = images_.get();
    if (single_) platform_.paths.runtimeDir = single_->folder();
}

QtServices::~QtServices() = default;

void QtServices::setDialogParent(QWidget* parent) {
    box_->setParent(parent);
    dialogs_->setParent(parent);
}

}  // namespace tv
