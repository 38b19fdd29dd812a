#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Hands the keyboard focus back, when a window is closed or hidden, to the
// window that was active when it was shown (the window it was opened
// from), so that the user does not land nowhere. Belongs to the window.
class TFocusReturn : public QObject {
    Q_OBJECT
public:
    explicit TFocusReturn(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QPointer<QWidget> m_opener;
};
