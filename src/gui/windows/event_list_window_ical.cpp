// The event list's iCalendar buttons: the core runs the dialogs, questions and the report.
#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>

#include "core/events/windows/event_list_ical.h"
#include "core/ports/clock.h"
#include "gui/windows/event_list_window.h"
#include "gui/windows/qt_text.h"

namespace tv {
namespace {

ListIcalContext icalContext(WindowServices& s, Date today) {
    ListIcalContext ctx;
    ctx.today = today;
    const QDateTime utc = QDateTime::currentDateTimeUtc();
    ctx.stampUtc =
        DateTime::of(Date::serial(utc.date().year(), utc.date().month(), utc.date().day()),
                     utc.time().hour(), utc.time().minute(), utc.time().second());
    ctx.strings = s.strings;
    ctx.dialogs = s.dialogs;
    ctx.box = s.box;
    ctx.startFolder = QDir::homePath().toStdString();
    return ctx;
}

}  // namespace

void EventListWindow::addIcalButtons(QHBoxLayout* row) {
    const StringTable& st = *s_.strings;
    auto* importButton = new QPushButton;
    importButton->setObjectName(QStringLiteral("cmdImport"));
    setCaption(importButton, st, "dates_b_import");
    auto* exportButton = new QPushButton;
    exportButton->setObjectName(QStringLiteral("cmdExport"));
    setCaption(exportButton, st, "dates_b_export");
    connect(importButton, &QPushButton::clicked, this, &EventListWindow::onImport);
    connect(exportButton, &QPushButton::clicked, this, &EventListWindow::onExport);
    row->addSpacing(12);
    row->addWidget(importButton);
    row->addWidget(exportButton);
}

void EventListWindow::onImport() {
    ListIcalContext ctx = icalContext(s_, today());
    ctx.saveDatabase = [this](const EventTable& t) { return saveDatabase(t); };
    if (!importIntoList(*s_.events, ctx)) return;
    changed_ = true;
    fillList(selectedSlot());
}

void EventListWindow::onExport() {
    exportFromList(*s_.events, icalContext(s_, today()));
}

}  // namespace tv
