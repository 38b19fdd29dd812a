#include "popup/internal/ZmPopupWindow.h"

#include "popup/ZmCustomItem.h"
#include "popup/ZmPlatform.h"
#include "popup/internal/ZmAccessibleMenu.h"
#include "popup/internal/ZmDraw.h"
#include "popup/internal/ZmItemViewer.h"
#include "popup/internal/ZmLayout.h"
#include "popup/internal/ZmPopupView.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <utility>

using ZmLayout::FrameWidth;

TZmPopupWindow::TZmPopupWindow(TZmCustomItem* item, TZmView* parentView)
    // A window of the tooltip kind is never activated, is placed exactly
    // where asked (no window manager decoration or placement on X11) and
    // is not raised over by the program's always-on-top strip.
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint)
{
    InstallZmAccessibility();
    setObjectName(QStringLiteral("ZmPopupWindow"));
    // Named after the program that uses the component: "<name> menu".
    setWindowTitle(QStringLiteral("%1 menu").arg(QCoreApplication::applicationName()));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11NetWmWindowTypePopupMenu);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    m_view = new TZmPopupView(this, item, parentView);
    m_view->move(FrameWidth, FrameWidth);
}

TZmPopupWindow::~TZmPopupWindow()
{
    // The view goes first: it closes the submenus it opened.
    delete m_view;
}

QSize TZmPopupWindow::MeasureWindow()
{
    const QSize content = m_view->Measure();
    resize(content + QSize(2 * FrameWidth, 2 * FrameWidth));
    return size();
}

void TZmPopupWindow::ShowPopup()
{
    // The very first menu shows before the sound starts (loading the sound
    // library then takes a moment); later ones start the sound first.
    static bool firstPopup = true;
    const bool first = std::exchange(firstPopup, false);
    if (!first)
        ZmPlatform::PlayEventSound(ZmPlatform::esMenuPopup);
    show();
    if (first)
        ZmPlatform::PlayEventSound(ZmPlatform::esMenuPopup);
    if (QAccessible::isActive()) {
        QAccessibleEvent start(this, QAccessible::PopupMenuStart);
        QAccessible::updateAccessibility(&start);
    }
}

void TZmPopupWindow::ContentPainted()
{
    if (std::exchange(m_painted, true))
        return;
    emit FirstPainted();
}

void TZmPopupWindow::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    const QRect r = rect();
    const QColor face = ZmDraw::Color(clr::Menu);
    if (ZmPlatform::FlatMenus()) {
        const QColor shadow = ZmDraw::Color(clr::BtnShadow);
        ZmDraw::Edge(canvas, r, shadow, shadow);
        ZmDraw::Edge(canvas, r.adjusted(1, 1, -1, -1), face, face);
        ZmDraw::Edge(canvas, r.adjusted(2, 2, -2, -2), face, face);
    } else {
        ZmDraw::Edge(canvas, r, ZmDraw::Color(TColor::System(TColor::sc3DLight)),
                     ZmDraw::Color(TColor::System(TColor::sc3DDkShadow)));
        ZmDraw::Edge(canvas, r.adjusted(1, 1, -1, -1), ZmDraw::Color(clr::BtnHighlight),
                     ZmDraw::Color(clr::BtnShadow));
        const QColor btnFace = ZmDraw::Color(clr::BtnFace);
        ZmDraw::Edge(canvas, r.adjusted(2, 2, -2, -2), btnFace, btnFace);
    }
}

void TZmPopupWindow::closeEvent(QCloseEvent* event)
{
    // Only the menu closes its windows.
    event->ignore();
}

bool TZmPopupWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto* help = static_cast<QHelpEvent*>(event);
        const TZmItemViewer* selected = m_view->Selected();
        const QString tip =
            selected && selected->Item() ? selected->Item()->ShortHint() : QString();
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            const QRect area = m_view->ViewerRect(selected).translated(m_view->pos());
            QToolTip::showText(help->globalPos(), tip, this, area);
        }
        return true;
    }
    case QEvent::Hide:
        if (QAccessible::isActive()) {
            QAccessibleEvent end(this, QAccessible::PopupMenuEnd);
            QAccessible::updateAccessibility(&end);
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}
