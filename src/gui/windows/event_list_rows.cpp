#include "gui/windows/event_list_rows.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "gui/windows/qt_text.h"

namespace tv {

void showListRows(QTreeWidget* tree, const EventListView& view, const QString& emptyText) {
    const int columns = static_cast<int>(view.columnTitles.size());
    const bool withAge = columns == 4;
    const int dateColumn = columns - 1;
    tree->clear();
    tree->setColumnCount(columns);
    QStringList titles;
    for (const std::string& title : view.columnTitles)
        titles << qtText(title);
    tree->setHeaderLabels(titles);

    QHeaderView* header = tree->header();
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(24);
    for (int c = 0; c < columns; ++c)
        header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);  // the name takes what is left
    if (withAge) header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    for (const EventListRow& row : view.rows) {
        QStringList cols{qtText(row.dayText), qtText(row.nameText)};
        if (withAge) cols << qtText(row.ageText);
        cols << qtText(row.dateText);
        auto* item = new QTreeWidgetItem(cols);
        item->setData(0, kSlotRole, row.slot);
        item->setToolTip(1, cols.at(1));
        if (withAge) item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(dateColumn, Qt::AlignRight | Qt::AlignVCenter);
        tree->addTopLevelItem(item);
    }
    if (view.rows.empty()) {
        // An empty list says so rather than showing a blank box.
        auto* item = new QTreeWidgetItem(QStringList{QString(), emptyText});
        item->setData(0, kSlotRole, -1);
        item->setFlags(Qt::NoItemFlags);
        tree->addTopLevelItem(item);
    }
}

}  // namespace tv
