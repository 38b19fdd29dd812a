#pragma once

// Drops data on a widget as a drag from another program does: the drag
// enters first (only a widget that took it gets the drop).

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

inline void DropOn(QWidget* target, const QMimeData* data, QPoint at)
{
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &drop);
}
