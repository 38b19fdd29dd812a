#pragma once

// Finding the program's windows and its open popup menu from inside a
// widget test.

#include "popup/internal/ZmPopupWindow.h"
#include "popup/internal/ZmView.h"

#include <QApplication>
#include <QImage>
#include <QList>
#include <QtGlobal>

// Every top-level widget of the given class, in Qt's order.
template <typename T> QList<T*> TopLevels()
{
    QList<T*> out;
    const auto tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops)
        if (auto* t = qobject_cast<T*>(w))
            out << t;
    return out;
}

// The first level of the popup menu open now, or null.
inline TZmView* OpenMenu()
{
    const QList<TZmView*> views = TZmView::OpenViews();
    for (TZmView* v : views)
        if (!v->ParentView() && v->Window()->isVisible())
            return v;
    return nullptr;
}

// The offscreen platform cannot grab pointer or keyboard, and says so each
// time a menu opens; the menus work without the grab, so the warning goes.
inline void QuietenGrabWarnings()
{
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
}

// Whether an image shows a picture somewhere: all its opaque pixels.
inline bool Contains(const QImage& image, const QImage& picture)
{
    const QImage where = image.convertToFormat(QImage::Format_ARGB32);
    const QImage what = picture.convertToFormat(QImage::Format_ARGB32);
    for (int oy = 0; oy + what.height() <= where.height(); ++oy)
        for (int ox = 0; ox + what.width() <= where.width(); ++ox) {
            bool all = true;
            for (int y = 0; y < what.height() && all; ++y)
                for (int x = 0; x < what.width() && all; ++x)
                    all = qAlpha(what.pixel(x, y)) < 255 ||
                          where.pixel(ox + x, oy + y) == what.pixel(x, y);
            if (all)
                return true;
        }
    return false;
}
