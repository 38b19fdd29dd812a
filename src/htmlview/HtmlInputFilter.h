#pragma once

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>
#include <vector>

class QKeyEvent;
class QMimeData;
class QWidget;

// Stands between the user and an HTML engine's widget, and every widget
// the engine puts inside it (they are replaced with the renderer). While
// the document is edited, pastes (the paste keys, the middle button) and
// drops from outside the view do not reach the engine: they go to Paste,
// which filters them first. While the view holds keys (its page is being
// put back after a renderer crash), key presses are kept, to be typed
// into the page once it is back.
class THtmlInputFilter : public QObject {
    Q_OBJECT
public:
    struct TEvents {
        std::function<bool()> Editing;
        std::function<bool()> HoldKeys;
        // Data to insert, at a point of the engine's widget or, when the
        // point is null, at the caret.
        std::function<void(const QMimeData* data, const QPoint& at)> Paste;
    };

    THtmlInputFilter(QWidget* engine, TEvents events);
    ~THtmlInputFilter() override;

    bool HasHeldKeys() const { return !m_held.empty(); }
    // Sends the kept key presses to the engine, in the order typed.
    void TypeHeldKeys();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QObject* object);
    bool FromOutside(const QObject* source) const;
    // A point of a watched widget in the engine widget's terms.
    QPoint At(QObject* widget, QPointF position) const;

    QWidget* m_engine;
    TEvents m_events;
    std::vector<std::unique_ptr<QKeyEvent>> m_held;
    bool m_typing = false;
};
