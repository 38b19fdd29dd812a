#include "base/WindowLook.h"

#include <QPalette>
#include <QWidget>

QFont PixelFont(const QString& family, int pixels, bool bold, bool italic)
{
    QFont f(family);
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
