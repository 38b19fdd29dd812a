#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;
struct xcb_connection_t;

// Keeps a window that bypasses the window manager above every managed
// window. No manager stacks such a window, and each one raises the windows
// it maps or activates above it; so this watches the X root window on a
// connection of its own (Qt's own connection re-reads the screens on every
// root event) and raises the window again whenever a managed window is
// mapped or restacked. Does nothing off X11.
class TStayOnTop : public QObject {
    Q_OBJECT
public:
    explicit TStayOnTop(QWidget* window);
    ~TStayOnTop() override;

    bool Watching() const { return m_connection != nullptr; }

private:
    void ReadEvents();
    void Raise();

    QWidget* m_window;
    xcb_connection_t* m_connection = nullptr;
    QSocketNotifier* m_notifier = nullptr;
};
