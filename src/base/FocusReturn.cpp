#include "base/FocusReturn.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

TFocusReturn::TFocusReturn(QWidget* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

bool TFocusReturn::eventFilter(QObject* watched, QEvent* event)
{
    // Spontaneous shows and hides come from the window system (restoring,
    // minimizing): the user moved on by themselves.
    if (watched != m_window || event->spontaneous())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Show) {
        QWidget* active = QApplication::activeWindow();
        m_opener = active != m_window ? active : nullptr;
    } else if (event->type() == QEvent::Hide &&
               (!QApplication::activeWindow() || QApplication::activeWindow() == m_window)) {
        // (Qt may have deactivated the window already; no other took over.)
        QWidget* opener = m_opener.data();
        const QWindow* handle = opener ? opener->windowHandle() : nullptr;
        if (handle && opener->isVisible() && !opener->isMinimized() &&
            !(handle->flags() & Qt::WindowDoesNotAcceptFocus)) {
            opener->raise();
            opener->activateWindow();
        }
    }
    return QObject::eventFilter(watched, event);
}
