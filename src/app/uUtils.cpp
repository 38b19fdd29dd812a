#include "app/uUtils.h"

#include "compose/uMail.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

quint8 JoinPresence(quint8 Zentro, quint8 Yahoo, quint8 MSN, quint8 ICQ)
{
    return quint8((Zentro << 6) + (Yahoo << 4) + (MSN << 2) + ICQ);
}

void SplitPresence(quint8 Value, quint8& Zentro, quint8& Yahoo, quint8& MSN, quint8& ICQ)
{
    Zentro = (Value >> 6) & 3;
    Yahoo = (Value >> 4) & 3;
    MSN = (Value >> 2) & 3;
    ICQ = Value & 3;
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

void OpenComposer(const QString& Subject, const QString& To, const QString& CC, const QString& BCC)
{
    auto* f = new TfMail();
    f->leSubject->setText(Subject);
    f->leTo->setText(To);
    f->leCC->setText(CC);
    f->leBCC->setText(BCC);
    ShowInFront(f);
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
