#include "gui/app/calendar_app.h"

#include <QSystemTrayIcon>

#include "core/app/version.h"
#include "gui/app/calendar_sync.h"
#include "gui/tray_icon.h"
#include "platform/qt/online_services.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QImageReader>
#include <QTimer>
#include <QToolTip>

#include "core/app/app_contexts.h"
#include "core/app/tray.h"
#include "core/events/alarms.h"
#include "core/ui/mouse.h"
#include "core/ui/tooltips.h"
#include "gui/app/qt_translation.h"
#include "gui/main_window.h"
#include "platform/qt/qt_image_loader.h"

namespace tv {
namespace {

constexpr int kDayTimerMs = 4000;
constexpr int kAlarmTimerMs = 1000;
constexpr int kAutoRefreshMs = 3000;
constexpr int kRolloverMs = 100;
constexpr int kSearchTimerMs = 1;

}  // namespace

CalendarApp::CalendarApp(Options options)
    : options_(options),
      services_({options.singleInstance, options.clock}),
      state_(services_.clock()),
      host_(*this),
      ctx_{state_, services_.platform(), host_, host_},
      painter_(*this),
      modals_(*this),
      runner_(*this),
      secrets_(std::make_unique<LazySecretStore>()),
      sync_(std::make_unique<CalendarSync>(ctx_, *secrets_)) {
    makeTimers();
    services_.platform().secrets = secrets_.get();
    services_.platform().sync = sync_.get();
    // The tray's tip tells the last run and its error.
    connect(sync_.get(), &CalendarSync::finished, this, [this] {
        if (TrayIcon* t = host_.trayIcon(); t != nullptr && t->icon() != nullptr) {
            t->icon()->setToolTip(
                QString::fromStdString(std::string(kProgramName) + "\n" + sync_->statusLine()));
        }
    });

    // What the screens show is bound once: a redraw reads it where it lives.
    screen_.settings = &state_.settings;
    screen_.strings = &state_.strings;
    screen_.log = &state_.log;
    screen_.clock = &services_.clock();
    screen_.today = &state_.today;
    screen_.todayText = &state_.todayText;
    screen_.forecast = &state_.lists.forecast;
    screen_.alarm = &state_.alarm.currentAlarm;
    screen_.wisdom = &state_.window.wisdom;
    screen_.tests = &state_.window.layoutTests;
    screen_.month = &month_;

    // Leaving the alarm screen ends its sound; a redraw drops the day tooltip.
    screen_.leaveAlarm = [this] {
        if (state_.alarm.timerAlarmEnabled || timers_.alarm->isActive()) host_.setAlarmTimer(false);
        if (state_.alarm.alarmActive) {
            state_.alarm.alarmActive = false;
            if (platform().sound != nullptr) platform().sound->stop();
            // Dealt with in the window: its notification has nothing more to say.
            if (platform().notifier != nullptr) platform().notifier->withdraw();
        }
    };
    screen_.removeFieldTooltip = [this] {
        QToolTip::hideText();
        forgetDayTip(state_.window);
    };
}

CalendarApp::~CalendarApp() = default;

void CalendarApp::makeTimers() {
    auto timer = [this](int ms, auto slot) {
        auto* t = new QTimer(this);
        t->setInterval(ms);
        connect(t, &QTimer::timeout, this, slot);
        return t;
    };
    timers_.day = timer(kDayTimerMs, [this] { checkDayChange(ctx_); });
    timers_.alarm = timer(kAlarmTimerMs, [this] {
        AlarmContext a = alarmContextOf(ctx_);
        alarmTimerTick(state_.alarm, a);
    });
    timers_.refresh = timer(kAutoRefreshMs, [this] {
        if (!refreshScreen(screen_)) timers_.refresh->stop();
        if (MainWindow* w = window()) {
            w->updateButtons();
            w->update();
        }
    });
    timers_.rollover = timer(kRolloverMs, [this] {
        bool inside = false;
        const int i = state_.window.hoveredButton;
        if (MainWindow* w = window(); w != nullptr && i >= 0 && i < kButtonCount) {
            const SkinButton* b = w->button(i);
            inside = b->rect().contains(b->mapFromGlobal(QCursor::pos()));
        }
        runner_.perform(rolloverTick(state_.window, inside));
    });
    // The user picture list, a slice of the folder walk per tick so that the window stays
    // responsive. Not stopped with the window's other timers: the list belongs to the process,
    // and a walk cut short would only be started again by the next load.
    timers_.search = timer(kSearchTimerMs, [this] {
        if (!state_.userPictures || !state_.userPictures->completePictureListStep())
            timers_.search->stop();
    });
}

namespace {

// The program's icon in both its sizes. Read as PNG by name: QIcon's own loading of a file asks
// every image plugin on the system whether it knows the file, which loads the SVG, GIF, ICO and
// JPEG plugins and their libraries at every start.
QIcon programIcon(const std::string& programDir) {
    QIcon icon;
    for (const char* size : {"16", "32"}) {
        QImageReader reader(
            QString::fromStdString(programDir + "icons/tempovirens_" + size + ".png"), "png");
        reader.setAutoDetectImageFormat(false);
        if (const QImage image = reader.read(); !image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace

MainOutcome CalendarApp::start(std::string_view commandLine) {
    QApplication::setQuitOnLastWindowClosed(false);
    installQtTranslation();
    const std::string& programDir = platform().paths.programDir;
    const std::string iconFile = programDir + "icons/tempovirens_16.png";
    host_.loadIcon(iconFile);
    QApplication::setWindowIcon(programIcon(programDir));
    const MainOutcome out = startCalendar(ctx_, commandLine);
    host_.startDone();
    if (out == MainOutcome::kLoaded || out == MainOutcome::kInTray) sync_->start();
    return out;
}

const Surface* CalendarApp::frame() const {
    if (!screen_.skin.mainBuffer) return nullptr;
    return &presentScreen(screen_);
}

void CalendarApp::startGame() {
    MainWindow* w = window();
    if (w == nullptr) return;
    state_.window.screenMode = ScreenMode::kGame;
    w->startGame();
    w->setFocus();
}

}  // namespace tv
