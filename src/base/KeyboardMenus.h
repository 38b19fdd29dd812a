#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

// Shift+F10 and the Menu key open the context menu of the focused control,
// application-wide: the control gets a keyboard context-menu event at its
// current item (a list's current row, an edit's cursor), and what it
// ignores goes on to its parents.
class TKeyboardMenus : public QObject {
    Q_OBJECT
public:
    explicit TKeyboardMenus(QObject* parent = nullptr);

    // Where a keyboard menu of the widget opens, in its own coordinates.
    static QPoint MenuPoint(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
