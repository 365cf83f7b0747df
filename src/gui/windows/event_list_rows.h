// The event list's rows in the tree: a titled column each, the day, age and date columns as
// wide as their widest text and the name taking the rest, so nothing is cut and nothing is left
// empty at the window's default size.
#pragma once

#include <QString>

#include "core/events/windows/event_list.h"

class QTreeWidget;

namespace tv {

// The role of column 0 that holds a row's event slot (-1 for the "empty list" line).
inline constexpr int kSlotRole = Qt::UserRole;

// Replaces the tree's rows with the view's; an empty view shows `emptyText` instead.
void showListRows(QTreeWidget* tree, const EventListView& view, const QString& emptyText);

}  // namespace tv
