#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;
struct xcb_connection_t;

// The desktop-wide key that summons the app-bar (Ctrl+Alt+Z): a passive
// grab of the key on the X root window, on a connection of its own, so it
// works whichever window has the focus (in a Wayland session while an X
// window has it). It also hands the X input focus to a window that
// bypasses the window manager, and back to where it was. Does nothing off
// X11; a key another program holds is reported once on stderr.
class TSummonKey : public QObject {
    Q_OBJECT
public:
    explicit TSummonKey(QObject* parent = nullptr);
    ~TSummonKey() override;

    bool Grabbed() const { return m_keycode != 0; }
    // Gives the window the input focus, remembering who had it; false off
    // X11, where the caller asks Qt instead.
    bool TakeFocus(QWidget* window);
    // Returns the focus to the window that had it before TakeFocus, if the
    // focus is still with window.
    void GiveFocusBack(QWidget* window);

signals:
    void Pressed();

private:
    void Grab();
    void ReadEvents();

    xcb_connection_t* m_connection = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    unsigned m_root = 0;
    unsigned m_keycode = 0;
    unsigned m_previousFocus = 0;
};
