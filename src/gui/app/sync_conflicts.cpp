#include "gui/app/sync_conflicts.h"

#include <QInputDialog>
#include <QMessageBox>

#include "gui/app/calendar_app.h"
#include "gui/app/calendar_sync.h"
#include "gui/windows/qt_text.h"

namespace tv {

void showSyncConflicts(CalendarApp& app, QWidget* parent) {
    CalendarSync& sync = app.sync();
    const StringTable& strings = app.state().strings;
    const QString title = qtString(strings, "sync_conflicts_title");
    if (!sync.session().isOpen() || sync.session().store().conflicts().empty()) {
        QMessageBox::information(parent, title, qtString(strings, "sync_conflicts_none"));
        return;
    }
    const std::vector<ConflictEntry> list = sync.session().store().conflicts();
    QStringList rows;
    for (const ConflictEntry& c : list)
        rows << qtText(c.at) + QStringLiteral("  ") + qtText(c.name);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        parent, title, qtString(strings, "sync_b_restore_tt"), rows, 0, false, &ok);
    if (!ok) return;
    const qsizetype index = rows.indexOf(chosen);
    if (index < 0) return;
    sync.restoreConflict(static_cast<int>(list[static_cast<size_t>(index)].id));
}

}  // namespace tv
