#include "base/PaneCycle.h"

#include <QApplication>
#include <QShortcut>
#include <QWidget>

TPaneCycle::TPaneCycle(QWidget* window, const QList<QWidget*>& panes) : QObject(window)
{
    for (QWidget* pane : panes)
        m_panes.append(pane);
    auto* forward = new QShortcut(QKeySequence(Qt::Key_F6), window);
    connect(forward, &QShortcut::activated, this, [this] { Next(true); });
    auto* back = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), window);
    connect(back, &QShortcut::activated, this, [this] { Next(false); });
}

int TPaneCycle::Current() const
{
    const QWidget* focus = QApplication::focusWidget();
    for (int i = 0; focus && i < m_panes.size(); ++i)
        if (m_panes[i] && (m_panes[i] == focus || m_panes[i]->isAncestorOf(focus)))
            return i;
    return -1;
}

void TPaneCycle::Next(bool forward)
{
    const int n = int(m_panes.size());
    int i = Current();
    if (i < 0)
        i = forward ? -1 : 0;
    for (int step = 1; step <= n; ++step) {
        QWidget* pane = m_panes[((i + (forward ? step : -step)) % n + n) % n];
        if (pane && pane->isVisible() && pane->isEnabled()) {
            FocusPane(pane, forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void TPaneCycle::FocusPane(QWidget* pane, Qt::FocusReason reason)
{
    // The focus mark shows as it does after Tab.
    pane->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    for (QWidget* w = pane; w; w = w->nextInFocusChain()) {
        if (w != pane && !pane->isAncestorOf(w))
            break;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) {
            w->setFocus(reason);
            return;
        }
        if (w->nextInFocusChain() == pane)
            break;
    }
    pane->setFocus(reason);
}
