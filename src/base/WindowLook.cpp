#include "base/WindowLook.h"

#include "base/FontFaces.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

#include <xcb/xcb.h>

QFont PixelFont(const QString& family, int pixels, bool bold, bool italic)
{
    QFont f;
    f.setFamilies(FontFamiliesFor(family));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void SetBackground(QWidget* widget, TColor color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color.ToQColor(p));
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void SetWindowLook(QWidget* window, const QString& family)
{
    window->setFont(PixelFont(family, 11));
    SetBackground(window, clr::BtnFace);
}

void SetDoubleBufferedDeep(QWidget* control)
{
    if (!control || control->property("zentroForeignSurface").toBool())
        return;
    control->setAttribute(Qt::WA_PaintOnScreen, false);
    control->setProperty("DoubleBuffered", true);
    const auto children = control->children();
    for (QObject* child : children) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow())
            SetDoubleBufferedDeep(w);
    }
}

void ShowInFront(QWidget* window)
{
    // A minimized window comes back as it was before; show() alone would
    // leave it minimized.
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

QScreen* OpenersScreen(const QWidget* opener)
{
    QScreen* screen =
        opener ? QGuiApplication::screenAt(opener->frameGeometry().center()) : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

void PlaceOnOpenersMonitor(QWidget* window, const QWidget* opener)
{
    const QScreen* screen = OpenersScreen(opener);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QPoint designed = screen->geometry().topLeft() + window->pos();
    // A window larger than the area keeps its top-left corner inside.
    const int x = qMax(area.left(), qMin(designed.x(), area.right() + 1 - window->width()));
    const int y = qMax(area.top(), qMin(designed.y(), area.bottom() + 1 - window->height()));
    window->move(x, y);
}

void FlushWindowSystem()
{
    // The offscreen platform answers for X11 too, without a connection.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t* c = x11 ? x11->connection() : nullptr)
        xcb_flush(c);
}
