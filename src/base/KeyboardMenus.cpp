#include "base/KeyboardMenus.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>

TKeyboardMenus::TKeyboardMenus(QObject* parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

QPoint TKeyboardMenus::MenuPoint(const QWidget* widget)
{
    if (const auto* view = qobject_cast<const QAbstractItemView*>(widget);
        view && view->currentIndex().isValid()) {
        const QRect r = view->visualRect(view->currentIndex());
        if (view->viewport()->rect().intersects(r))
            return view->viewport()->mapTo(widget, QPoint(r.left() + 8, r.bottom()));
    }
    const QRect cursor = widget->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    if (cursor.isValid() && widget->rect().contains(cursor.center()))
        return cursor.bottomLeft();
    return QPoint(0, widget->height());
}

bool TKeyboardMenus::eventFilter(QObject* watched, QEvent* event)
{
    // The receiver is only compared, never asked: key events also reach
    // objects being destroyed (the engine's window, as its view goes).
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool menuKey = key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier;
    const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
    // An open menu takes its keys itself.
    QWidget* target = QApplication::focusWidget();
    if ((!menuKey && !shiftF10) || QApplication::activePopupWidget() || !target ||
        watched != target)
        return false;
    const QPoint at = MenuPoint(target);
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at),
                           key->modifiers());
    QApplication::sendEvent(target, &menu);
    return true;
}
