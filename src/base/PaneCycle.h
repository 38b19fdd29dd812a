#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// F6 and Shift+F6 move the keyboard focus from pane to pane of a window,
// forward and back, round the ring: into the pane's first control that
// Tab would reach.
class TPaneCycle : public QObject {
    Q_OBJECT
public:
    TPaneCycle(QWidget* window, const QList<QWidget*>& panes);

    void Next(bool forward);
    // The pane that holds the focus, or -1.
    int Current() const;
    // Gives the focus to the pane's first control that takes Tab focus.
    static void FocusPane(QWidget* pane, Qt::FocusReason reason);

private:
    QList<QPointer<QWidget>> m_panes;
};
